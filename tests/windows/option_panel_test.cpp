// The search option panel on its own: every control's default, its layout, the
// enabling rules, the size limit and its label, the one mapping into the search
// options, the name fragments as Start builds them, and the stored choices.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>

#include "platform/fs/date_time.h"
#include "platform/ui/form.h"
#include "search/search_options.h"
#include "shell/option_panel.h"
#include "windows/support/ui_script.h"

namespace trovex::app {
namespace {

// A window holding the panel, as the main window's right column does.
class PanelHost : public ui::Form {
 public:
  PanelHost() : Panel(this, State) {
    SetClientSize(320, 480);
    Panel.SetBounds(10, 10, 300, 460);
  }
  results::ProgramState State;
  shell::OptionPanel Panel;
};

// A click on the upper (up) or lower (down) arrow.
void ClickArrow(ui::UpDown& arrows, bool up) {
  RECT rect{};
  GetClientRect(arrows.Handle(), &rect);
  const LPARAM at = MAKELPARAM(rect.right / 2, up ? 2 : rect.bottom - 3);
  SendMessageW(arrows.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(arrows.Handle(), WM_LBUTTONUP, 0, at);
}

TEST(OptionPanel, ControlsStartWithTheirCaptionsHintsAndDefaults) {
  PanelHost host;
  shell::OptionPanel& p = host.Panel;
  EXPECT_EQ(p.Label2.Caption(), "検索内容 ");
  EXPECT_EQ(p.Edit1.Text(), "");
  EXPECT_EQ(
      p.Edit1.Hint(),
      "数値はカンマ(\",\")で始まりカンマで区切る、16進数なら頭に\"0x\"を付加(\",100,38,0xF5\")");
  EXPECT_TRUE(p.SpeedButton9.Enabled());
  EXPECT_EQ(p.SpeedButton9.Hint(), "バイナリ変換|入力文字列をバイナリ（16進数）に変換する");
  EXPECT_EQ(p.OptionChkBox.Caption(), "検索オプション");
  EXPECT_FALSE(p.OptionChkBox.Checked());
  EXPECT_FALSE(p.Panel2.Visible());
  EXPECT_FALSE(p.Panel5.Visible());

  struct Box {
    ui::CheckBox& box;
    const char* caption;
    const char* hint;
    bool checked;
    bool enabled;
  };
  const Box boxes[] = {
      {p.BigSmlChkBox, "大文字と小文字を区別", "アルファベットが対象", false, true},
      {p.FullHalfChkBox, "全角と半角、カタカナとひらがなを区別", "", true, true},
      {p.Utf16ChkBox, "Utf16", "検索内容をUTF16に変換して検索する", false, true},
      {p.CheckBox2, "改行コードをスキップ", "改行コードは比較しない", false, true},
      {p.CheckBox1, "カンマ（\",\"）を検索内容の一部として扱う",
       "チェックがない場合、カンマはバイナリ入力時の区切り文字として使用", false, true},
      {p.SysChkBox, "システム属性", "システム属性のファイルも検索", false, true},
      {p.HideChkBox, "隠し属性", "隠し属性のファイルも検索", false, true},
      {p.JogaiChkBox1, "除外", "指定したファイル名を除く", false, false},
      {p.DateChkMenu, "日付 ", "検索対象を日付で限定する", false, true},
      {p.JogaiChkBox2, "除外", "指定した日付のファイルを除く", false, false},
      {p.SizeChkBox, "サイズ ", "検索対象をサイズで限定する", false, true},
      {p.PrsRowChkBox, "行を余分に表示する", "", false, true},
      {p.TextOnlyChkBox, "テキストの書式情報を無視する", "", false, true},
  };
  for (const Box& b : boxes) {
    SCOPED_TRACE(b.caption);
    EXPECT_EQ(b.box.Caption(), b.caption);
    EXPECT_EQ(b.box.Hint(), b.hint);
    EXPECT_EQ(b.box.Checked(), b.checked);
    EXPECT_EQ(b.box.Enabled(), b.enabled);
  }
  EXPECT_EQ(p.DateChkMenu.Tag, 0);
  EXPECT_EQ(p.SizeChkBox.Tag, 1);

  EXPECT_EQ(p.Label3.Caption(), "検索対象の限定");
  EXPECT_EQ(p.Label5.Caption(), "ファイル名 ");
  EXPECT_EQ(p.Edit2.Hint(), "拡張子|ファイル名や拡張子などを指定する（複数指定は \"/ \"で区切る）");
  EXPECT_EQ(p.Label7.Caption(), "年 ");
  EXPECT_EQ(p.NumberEdit1.Text(), "");
  EXPECT_FALSE(p.NumberEdit1.Enabled());
  EXPECT_EQ(p.NumberEdit1.Hint(), "入力した年のファイルが対象(西暦)");
  EXPECT_EQ(p.Label9.Caption(), "範囲 ");
  EXPECT_EQ(p.Label6.Caption(), "～ ");
  for (ui::DateTimePicker* picker : {&p.DateTimePicker1, &p.DateTimePicker2}) {
    EXPECT_FALSE(picker->Enabled());
    EXPECT_NEAR(picker->Value(), 38952.4090902315, 1.0 / 86400000);
    EXPECT_EQ(picker->Hint(), "入力した日付の範囲内のファイルが対象");
  }
  EXPECT_EQ(p.NumberEdit2.Text(), "10");
  EXPECT_FALSE(p.NumberEdit2.Enabled());
  EXPECT_EQ(p.NumberEdit2.Hint(), "入力したサイズ内のファイルが対象");
  for (ui::Edit* numbers : {&p.NumberEdit1, &p.NumberEdit2}) {
    EXPECT_TRUE(GetWindowLongW(numbers->Handle(), GWL_STYLE) & ES_NUMBER);
  }
  EXPECT_EQ(p.UpDown1.Min(), 1);
  EXPECT_EQ(p.UpDown1.Max(), 1024);
  EXPECT_TRUE(p.UpDown1.Wrap());
  EXPECT_EQ(p.UpDown1.Position(), 10);
  EXPECT_EQ(p.ComboBox1.ItemCount(), 4);
  EXPECT_EQ(p.ComboBox1.Item(0), "B");
  EXPECT_EQ(p.ComboBox1.Item(3), "GB");
  EXPECT_EQ(p.ComboBox1.ItemIndex(), 1);
  EXPECT_EQ(p.ComboBox1.Hint(), "サイズの単位");
  EXPECT_FALSE(p.ComboBox1.Enabled());
  EXPECT_EQ(p.ComboBox2.Item(0), "以下");
  EXPECT_EQ(p.ComboBox2.Item(1), "以上");
  EXPECT_EQ(p.ComboBox2.ItemIndex(), 0);
  EXPECT_FALSE(p.ComboBox2.Enabled());
  EXPECT_EQ(p.Label8.Caption(), "10KByte");
  EXPECT_EQ(p.Label10.Caption(), "文字コード");
  ASSERT_EQ(p.CodeComboBox.ItemCount(), 2);
  EXPECT_EQ(p.CodeComboBox.Item(0), "すべて");
  EXPECT_EQ(p.CodeComboBox.Item(1), "Shift-JIS のみ");
  EXPECT_EQ(p.CodeComboBox.ItemIndex(), 0);
  EXPECT_EQ(p.CodeComboBox.Text(), "すべて");
  EXPECT_TRUE(p.CodeComboBox.Enabled());
  EXPECT_EQ(p.CodeComboBox.Hint(),
            "検索する文字コード|すべて: Shift-JIS、UTF-8、UTF-16、EUC-JP "
            "のどれで書かれたファイルからも探す。"
            "Shift-JIS のみ: Shift-JIS だけで探す");
  // A list to choose from, not a box to type in.
  EXPECT_EQ(GetWindowLongW(p.CodeComboBox.Handle(), GWL_STYLE) & 3, CBS_DROPDOWNLIST);

  EXPECT_EQ(p.Label4.Caption(), "オプション");
  ASSERT_EQ(p.PageControl1.PageCount(), 2);
  EXPECT_EQ(p.PageControl1.ActivePageIndex(), 0);
  EXPECT_EQ(p.TabSheet1.Caption(), "検索ファイルビュー");
  EXPECT_EQ(p.TabSheet2.Caption(), "バイナリビュー");
  EXPECT_EQ(p.RadioGroup1.Caption(), "バイナリ検索での内容項目の表示設定");
  ASSERT_EQ(p.RadioGroup1.ItemCount(), 2);
  EXPECT_EQ(p.RadioGroup1.Button(0).Caption(), "16進数で表示する");
  EXPECT_EQ(p.RadioGroup1.Button(1).Caption(), "1バイト文字で表示する");
  EXPECT_EQ(p.RadioGroup1.ItemIndex(), 0);

  // Nothing converted yet.
  EXPECT_EQ(p.ConversionSource(), "");
  EXPECT_FALSE(p.FromUtf8() || p.FromUtf16());
}

TEST(OptionPanel, SearchOptionsPanelCoversTheViewOptionsBelowTheOptionBox) {
  PanelHost host;
  shell::OptionPanel& p = host.Panel;
  EXPECT_EQ(p.Panel2.Top(), p.OptionChkBox.Top() + p.OptionChkBox.Height() + 5);
  EXPECT_EQ(p.Panel2.Left(), p.Panel5.Left() - 10);
  EXPECT_LE(p.Panel2.Top(), p.Panel5.Top());
  EXPECT_GE(p.Panel2.Left() + p.Panel2.Width(), p.Panel5.Left() + p.Panel5.Width());
  EXPECT_GE(p.Panel2.Top() + p.Panel2.Height(), p.Panel5.Top() + p.Panel5.Height());
}

// Every control of the search option panel lies inside it, and no two share a
// pixel, except the up-down arrows, which sit on the right end of their number box.
TEST(OptionPanel, SearchOptionControlsNeitherOverlapNorLeaveThePanel) {
  PanelHost host;
  const shell::OptionPanel& p = host.Panel;
  const ui::Panel& panel = p.Panel2;
  const std::vector<ui::Control*>& controls = panel.Children();
  auto buddies = [&](const ui::Control* a, const ui::Control* b) {
    return (a == &p.NumberEdit2 && b == &p.UpDown1) || (a == &p.UpDown1 && b == &p.NumberEdit2);
  };
  ASSERT_GE(controls.size(), 27u);
  auto rectOf = [](const ui::Control& c) {
    return RECT{c.Left(), c.Top(), c.Left() + c.Width(), c.Top() + c.Height()};
  };
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const RECT a = rectOf(*controls[i]);
    SCOPED_TRACE(::testing::Message() << "control " << i << " at " << a.left << "," << a.top);
    EXPECT_GE(a.left, 2);
    EXPECT_GE(a.top, 2);
    EXPECT_LE(a.right, panel.ClientWidth() - 2);
    EXPECT_LE(a.bottom, panel.ClientHeight() - 2);
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      if (buddies(controls[i], controls[j])) continue;
      const RECT b = rectOf(*controls[j]);
      RECT common{};
      EXPECT_FALSE(IntersectRect(&common, &a, &b))
          << "overlaps control " << j << " at " << b.left << "," << b.top;
    }
  }
  // The encoding row sits between the matching rules and the attribute boxes.
  EXPECT_GE(p.CodeComboBox.Top(), p.CheckBox1.Top() + p.CheckBox1.Height());
  EXPECT_LE(p.CodeComboBox.Top() + p.CodeComboBox.Height(), p.SysChkBox.Top());
  EXPECT_LT(p.Label10.Left() + p.Label10.Width(), p.CodeComboBox.Left());
}

TEST(OptionPanel, DateControlsFollowTheDateBoxAndTheYear) {
  PanelHost host;
  shell::OptionPanel& p = host.Panel;
  auto rangeEnabled = [&] { return p.DateTimePicker1.Enabled() && p.DateTimePicker2.Enabled(); };
  p.DateChkMenu.SetChecked(true);
  EXPECT_TRUE(p.NumberEdit1.Enabled());
  EXPECT_TRUE(rangeEnabled());
  EXPECT_TRUE(p.JogaiChkBox2.Enabled());

  // A year disables the range pickers; clearing it enables them again and the
  // exclusion box keeps the state it had.
  p.NumberEdit1.SetText("2024");
  EXPECT_FALSE(p.DateTimePicker1.Enabled() || p.DateTimePicker2.Enabled());
  EXPECT_TRUE(p.JogaiChkBox2.Enabled());
  p.NumberEdit1.SetText("");
  EXPECT_TRUE(rangeEnabled());

  p.DateChkMenu.SetChecked(false);
  EXPECT_FALSE(p.NumberEdit1.Enabled() || p.DateTimePicker1.Enabled() || p.JogaiChkBox2.Enabled());

  // Checked while a year is present: the range and the exclusion stay disabled.
  p.NumberEdit1.SetText("2023");
  p.DateChkMenu.SetChecked(true);
  EXPECT_TRUE(p.NumberEdit1.Enabled());
  EXPECT_FALSE(p.DateTimePicker1.Enabled() || p.DateTimePicker2.Enabled());
  EXPECT_FALSE(p.JogaiChkBox2.Enabled());
}

TEST(OptionPanel, SizeControlsFollowTheSizeBoxAndNameExclusionTheNameField) {
  PanelHost host;
  shell::OptionPanel& p = host.Panel;
  p.SizeChkBox.SetChecked(true);
  EXPECT_TRUE(p.NumberEdit2.Enabled() && p.ComboBox1.Enabled() && p.ComboBox2.Enabled());
  p.SizeChkBox.SetChecked(false);
  EXPECT_FALSE(p.NumberEdit2.Enabled() || p.ComboBox1.Enabled() || p.ComboBox2.Enabled());

  p.Edit2.SetText("txt");
  EXPECT_TRUE(p.JogaiChkBox1.Enabled());
  p.JogaiChkBox1.SetChecked(true);
  p.Edit2.SetText("");
  EXPECT_FALSE(p.JogaiChkBox1.Enabled());
  EXPECT_TRUE(p.JogaiChkBox1.Checked());  // the mark stays
}

TEST(OptionPanel, ConversionButtonIsOffForAContentThatIsAlreadyAByteList) {
  PanelHost host;
  shell::OptionPanel& p = host.Panel;
  const struct {
    const char* content;
    bool enabled;
  } cases[] = {{"0xE3,0x81,0x82", false}, {"0x41", false},  {",0x41", true},
               {"0x4142", true},          {"あいう", true}, {"", true}};
  for (const auto& c : cases) {
    p.Edit1.SetText("x");  // from a different text, so that each case changes it
    p.Edit1.SetText(c.content);
    EXPECT_EQ(p.SpeedButton9.Enabled(), c.enabled) << c.content;
  }
}

TEST(OptionPanel, SizeLabelShowsTheLimitOfNumberAndUnit) {
  PanelHost host;
  shell::OptionPanel& p = host.Panel;
  p.SizeChkBox.SetChecked(true);
  p.NumberEdit2.SetText("5");
  p.ComboBox1.SetItemIndex(0);
  p.NumberEdit2Change(p.ComboBox1);  // what the user's choice of a unit runs
  EXPECT_EQ(p.Label8.Caption(), "5Byte");
  EXPECT_EQ(p.SizeLimit(), 5u);
  p.NumberEdit2.SetText("1024");
  p.ComboBox1.SetItemIndex(2);
  p.NumberEdit2Change(p.ComboBox1);
  EXPECT_EQ(p.Label8.Caption(), "1GByte");
  EXPECT_EQ(p.SizeLimit(), 1024ull << 20);
  p.ComboBox1.SetItemIndex(3);
  p.NumberEdit2Change(p.ComboBox1);
  EXPECT_EQ(p.Label8.Caption(), "1TByte");
  EXPECT_EQ(p.SizeLimit(), 1099511627776ull);
  p.NumberEdit2.SetText("10");
  p.ComboBox1.SetItemIndex(1);
  p.NumberEdit2Change(p.ComboBox1);
  EXPECT_EQ(p.Label8.Caption(), "10KByte");
  EXPECT_EQ(p.ReadSearchOptions().sizeNumber, 10);
}

TEST(OptionPanel, ArrowsWrapAroundAtBothEndsAndTheLabelFollows) {
  PanelHost host;
  shell::OptionPanel& p = host.Panel;
  p.SizeChkBox.SetChecked(true);
  p.NumberEdit2.SetText("1024");
  ClickArrow(p.UpDown1, true);
  EXPECT_EQ(p.NumberEdit2.Text(), "1");
  EXPECT_EQ(p.Label8.Caption(), "1KByte");
  ClickArrow(p.UpDown1, false);
  EXPECT_EQ(p.NumberEdit2.Text(), "1024");
  EXPECT_EQ(p.Label8.Caption(), "1MByte");
  EXPECT_EQ(p.SizeLimit(), 1024u * 1024u);
}

TEST(OptionPanel, ATypedSizeOutsideTheRangeIsClampedAndShown) {
  PanelHost host;
  shell::OptionPanel& p = host.Panel;
  p.SizeChkBox.SetChecked(true);
  p.NumberEdit2.SetText("5000");
  EXPECT_EQ(p.NumberEdit2.Text(), "1024");
  EXPECT_EQ(p.UpDown1.Position(), 1024);
  EXPECT_EQ(p.Label8.Caption(), "1MByte");
  EXPECT_EQ(p.NumberEdit2.SelStart(), 4);  // the caret stays at the end for more typing
  p.NumberEdit2.SetText("0");
  EXPECT_EQ(p.NumberEdit2.Text(), "1");
  EXPECT_EQ(p.Label8.Caption(), "1KByte");
  p.NumberEdit2.SetText("007");
  EXPECT_EQ(p.NumberEdit2.Text(), "7");
  EXPECT_EQ(search::ConditionsFor(p.ReadSearchOptions()).sizeLimit, 7u * 1024);
  // An emptied box is left alone while typing, counts as 1 and shows it on leaving.
  p.NumberEdit2.SetText("");
  EXPECT_EQ(p.Label8.Caption(), "1KByte");
  EXPECT_EQ(p.ReadSearchOptions().sizeNumber, 1);
  p.NumberEdit2.OnExit(p.NumberEdit2);
  EXPECT_EQ(p.NumberEdit2.Text(), "1");
}

TEST(OptionPanel, NameTermsFollowTheCaseBoxWhenTheSearchStarts) {
  PanelHost host;
  shell::OptionPanel& p = host.Panel;
  p.Edit2.SetText("Txt/DOC");
  EXPECT_EQ(p.NameTerms(), (std::vector<std::string>{"txt", "doc"}));
  p.BigSmlChkBox.SetChecked(true);
  p.Edit2.SetText("Txt/DOC/ a");
  EXPECT_EQ(p.NameTerms(), (std::vector<std::string>{"Txt", "DOC", " a"}));
  // Unchecked after typing: the terms are lower-cased again, so they still match.
  p.BigSmlChkBox.SetChecked(false);
  const search::SearchConditions c = search::ConditionsFor(p.ReadSearchOptions());
  EXPECT_EQ(c.nameTerms, (std::vector<std::string>{"txt", "doc", " a"}));
  EXPECT_FALSE(c.nameCaseSensitive);
}

TEST(OptionPanel, OneMappingCarriesEveryControlIntoTheSearchOptions) {
  PanelHost host;
  shell::OptionPanel& p = host.Panel;
  search::SearchOptions o = p.ReadSearchOptions();
  EXPECT_EQ(o.content, "");
  EXPECT_FALSE(o.optionsOpen || o.caseSensitive || o.commaIsContent || o.searchUtf16 ||
               o.skipLineBreaks || o.includeHidden || o.includeSystem || o.excludeNames ||
               o.sizeFilterOn || o.sizeAtLeast || o.dateFilterOn || o.excludeDates);
  EXPECT_TRUE(o.distinguishWidthAndKana);
  EXPECT_EQ(o.sizeNumber, 10);
  EXPECT_EQ(o.sizeUnit, search::SizeUnit::KB);
  EXPECT_NEAR(o.dateFrom, search::kDatePickerInitialValue, 1.0 / 86400000);

  p.Edit1.SetText("needle");
  p.OptionChkBox.SetChecked(true);
  for (ui::CheckBox* box : {&p.BigSmlChkBox, &p.CheckBox1, &p.Utf16ChkBox, &p.CheckBox2,
                            &p.HideChkBox, &p.SysChkBox, &p.DateChkMenu, &p.SizeChkBox}) {
    box->SetChecked(true);
  }
  p.FullHalfChkBox.SetChecked(false);
  p.Edit2.SetText("a/b");
  p.JogaiChkBox1.SetChecked(true);
  p.JogaiChkBox2.SetChecked(true);
  p.NumberEdit2.SetText("300");
  p.ComboBox1.SetItemIndex(2);
  p.ComboBox2.SetItemIndex(1);
  const double from = fs::EncodeDate(2024, 1, 1) + 0.409;
  const double to = fs::EncodeDate(2024, 1, 31) + 0.409;
  p.DateTimePicker1.SetValue(from);
  p.DateTimePicker2.SetValue(to);
  p.NumberEdit1.SetText("2020");
  o = p.ReadSearchOptions();
  EXPECT_EQ(o.content, "needle");
  EXPECT_TRUE(o.optionsOpen && o.caseSensitive && o.commaIsContent && o.searchUtf16 &&
              o.skipLineBreaks && o.includeHidden && o.includeSystem && o.excludeNames &&
              o.sizeFilterOn && o.sizeAtLeast && o.dateFilterOn && o.excludeDates);
  EXPECT_FALSE(o.distinguishWidthAndKana);
  EXPECT_EQ(o.nameFilter, "a/b");
  EXPECT_EQ(o.sizeNumber, 300);
  EXPECT_EQ(o.sizeUnit, search::SizeUnit::MB);
  EXPECT_EQ(o.yearText, "2020");
  EXPECT_NEAR(o.dateFrom, from, 1.0 / 86400000);
  EXPECT_NEAR(o.dateTo, to, 1.0 / 86400000);
  EXPECT_EQ(search::ConditionsFor(o).sizeLimit, 300ull << 20);
}

TEST(OptionPanel, EncodingChoiceNarrowsTheTextSearchWhileThePanelIsOpen) {
  PanelHost host;
  shell::OptionPanel& p = host.Panel;
  const search::EncodingSet every = search::EncodingSet::All();
  const search::EncodingSet shiftJis = search::EncodingSet::Only(search::TextEncoding::ShiftJis);
  EXPECT_EQ(p.ReadSearchOptions().encodings, every);

  trovex::testing::ChooseComboItem(p.CodeComboBox, 1);
  search::SearchOptions o = p.ReadSearchOptions();
  EXPECT_EQ(o.encodings, shiftJis);
  EXPECT_FALSE(o.encodingsAlways);
  EXPECT_EQ(search::TextEncodingsFor(o), every);  // the panel is closed
  p.OptionChkBox.SetChecked(true);
  EXPECT_EQ(search::TextEncodingsFor(p.ReadSearchOptions()), shiftJis);

  trovex::testing::ChooseComboItem(p.CodeComboBox, 0);
  EXPECT_EQ(search::TextEncodingsFor(p.ReadSearchOptions()), every);
}

TEST(OptionPanel, LookingInsideDocumentsIsOnAndCountsWhileThePanelIsOpen) {
  PanelHost host;
  shell::OptionPanel& p = host.Panel;
  EXPECT_EQ(p.InsideChkBox.Caption(), "文書・圧縮ファイルの中も検索");
  EXPECT_TRUE(p.InsideChkBox.Checked());
  EXPECT_TRUE(search::LooksInside(p.ReadSearchOptions()));

  p.InsideChkBox.SetChecked(false);
  search::SearchOptions o = p.ReadSearchOptions();
  EXPECT_FALSE(o.lookInside);
  EXPECT_TRUE(search::LooksInside(o));  // the panel is closed
  p.OptionChkBox.SetChecked(true);
  o = p.ReadSearchOptions();
  EXPECT_FALSE(search::LooksInside(o));
  EXPECT_FALSE(search::MatchOptionsFor(o, search::SearchMode::Text).lookInside);
  // The encoding row, then this box, then the attribute boxes.
  EXPECT_GE(p.InsideChkBox.Top(), p.CodeComboBox.Top() + p.CodeComboBox.Height());
  EXPECT_LE(p.InsideChkBox.Top() + p.InsideChkBox.Height(), p.SysChkBox.Top());
}

TEST(OptionPanel, EncodingChoiceIsTheStoredSetting) {
  PanelHost host;
  shell::OptionPanel& p = host.Panel;
  host.State.Settings.EncodingIndex = 1;
  p.ShowStoredViewOptions();
  EXPECT_EQ(p.CodeComboBox.ItemIndex(), 1);
  EXPECT_EQ(p.ReadSearchOptions().encodings,
            search::EncodingSet::Only(search::TextEncoding::ShiftJis));

  // The user's choice is the setting at once, as the view options are.
  trovex::testing::ChooseComboItem(p.CodeComboBox, 0);
  EXPECT_EQ(host.State.Settings.EncodingIndex, 0);
  trovex::testing::ChooseComboItem(p.CodeComboBox, 1);
  EXPECT_EQ(host.State.Settings.EncodingIndex, 1);

  // A stored value no item stands for shows every encoding, and is kept as 0.
  for (const std::int32_t stored : {2, -1, 99}) {
    host.State.Settings.EncodingIndex = stored;
    p.ShowStoredViewOptions();
    EXPECT_EQ(p.CodeComboBox.ItemIndex(), 0) << stored;
    EXPECT_EQ(host.State.Settings.EncodingIndex, 0) << stored;
    EXPECT_EQ(p.ReadSearchOptions().encodings, search::EncodingSet::All()) << stored;
  }
}

TEST(OptionPanel, ViewOptionsAreTheStoredSettings) {
  PanelHost host;
  shell::OptionPanel& p = host.Panel;
  host.State.Settings.ByteListDisplay = results::BinaryDisplay::Chars;
  host.State.Settings.PrsRowChecked = true;
  host.State.Settings.TextOnlyChecked = false;
  p.ShowStoredViewOptions();
  EXPECT_EQ(p.RadioGroup1.ItemIndex(), 1);
  EXPECT_TRUE(p.PrsRowChkBox.Checked());
  EXPECT_FALSE(p.TextOnlyChkBox.Checked());

  p.RadioGroup1.SetItemIndex(0);
  p.PrsRowChkBox.SetChecked(false);
  p.TextOnlyChkBox.SetChecked(true);
  EXPECT_EQ(host.State.Settings.ByteListDisplay, results::BinaryDisplay::Hex);
  EXPECT_FALSE(host.State.Settings.PrsRowChecked);
  EXPECT_TRUE(host.State.Settings.TextOnlyChecked);
}

}  // namespace
}  // namespace trovex::app
