#include "shell/option_panel.h"

#include <initializer_list>

#include "platform/ui/application.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/canvas.h"
#include "platform/ui/form.h"
#include "results/byte_size_text.h"
#include "search/name_terms.h"
#include "viewer/byte_list_conversion.h"
#include "viewer/input_str_chg_dlg.h"

namespace trovex::shell {
namespace {

// The conversion button's picture: "0x" on a small page.
void DrawConversionGlyph(ui::ImageList& images) {
  constexpr ui::Color kKey = 0xFF00FF;
  ui::Bitmap bitmap(16, 16);
  bitmap.Draw([](ui::Canvas& canvas) {
    canvas.SetBrushColor(kKey);
    canvas.FillRect(RECT{0, 0, 16, 16});
    canvas.SetPen(0x404040, 1);
    canvas.SetBrushColor(0xFFFFFF);
    canvas.Rectangle(0, 2, 16, 14);
    canvas.SetPictureFont("Arial", 11, true);
    canvas.SetTransparent(true);
    canvas.SetFontColor(0xA04000);
    canvas.DrawText(RECT{0, 2, 16, 14}, "0x", DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  });
  images.AddMasked(bitmap.Handle(), kKey);
}

// CodeComboBox's items, which are also the values of the "encoding" setting.
constexpr int kEveryEncoding = 0;
constexpr int kShiftJisOnly = 1;

// Moves a control that sizes itself (a label) without changing its size.
void Place(ui::Control& control, int left, int top) {
  control.SetBounds(left, top, control.Width(), control.Height());
}

}  // namespace

OptionPanel::OptionPanel(ui::Control* parent, results::ProgramState& state)
    : ui::Panel(parent),
      Label2(this, "検索内容 "),
      Edit1(this),
      SpeedButton9(this),
      OptionChkBox(this, "検索オプション"),
      Panel5(this),
      Label4(&Panel5, "オプション"),
      PageControl1(&Panel5),
      TabSheet1(PageControl1, "検索ファイルビュー"),
      TabSheet2(PageControl1, "バイナリビュー"),
      RadioGroup1(&TabSheet1, "バイナリ検索での内容項目の表示設定"),
      PrsRowChkBox(&TabSheet2, "行を余分に表示する"),
      TextOnlyChkBox(&TabSheet2, "テキストの書式情報を無視する"),
      Panel2(this),
      BigSmlChkBox(&Panel2, "大文字と小文字を区別"),
      FullHalfChkBox(&Panel2, "全角と半角、カタカナとひらがなを区別"),
      Utf16ChkBox(&Panel2, "Utf16"),
      CheckBox2(&Panel2, "改行コードをスキップ"),
      CheckBox1(&Panel2, "カンマ（\",\"）を検索内容の一部として扱う"),
      Label10(&Panel2, "文字コード"),
      CodeComboBox(&Panel2, ui::ComboStyle::DropDownList),
      InsideChkBox(&Panel2, "文書・圧縮ファイルの中も検索"),
      RegexChkBox(&Panel2, "正規表現"),
      SysChkBox(&Panel2, "システム属性"),
      HideChkBox(&Panel2, "隠し属性"),
      Label3(&Panel2, "検索対象の限定"),
      Label5(&Panel2, "ファイル名 "),
      Edit2(&Panel2),
      JogaiChkBox1(&Panel2, "除外"),
      DateChkMenu(&Panel2, "日付 "),
      Label7(&Panel2, "年 "),
      NumberEdit1(&Panel2),
      Label9(&Panel2, "範囲 "),
      DateTimePicker1(&Panel2),
      Label6(&Panel2, "～ "),
      DateTimePicker2(&Panel2),
      JogaiChkBox2(&Panel2, "除外"),
      SizeChkBox(&Panel2, "サイズ "),
      NumberEdit2(&Panel2),
      UpDown1(&Panel2),
      ComboBox1(&Panel2, ui::ComboStyle::DropDownList),
      ComboBox2(&Panel2, ui::ComboStyle::DropDownList),
      Label8(&Panel2),
      state_(state) {
  SetBevelOuter(ui::Bevel::None);
  PlaceControls();
  SetTexts();

  // Defaults, set before the handlers are wired.
  FullHalfChkBox.SetChecked(true);
  for (ui::Control* control : std::initializer_list<ui::Control*>{
           &JogaiChkBox1, &NumberEdit1, &DateTimePicker1, &DateTimePicker2, &JogaiChkBox2,
           &NumberEdit2, &ComboBox1, &ComboBox2}) {
    control->SetEnabled(false);
  }
  for (ui::Edit* numbers : {&NumberEdit1, &NumberEdit2}) {
    numbers->SetNumbersOnly(true);
    numbers->SetImeClosed(true);
  }
  DateTimePicker1.SetValue(search::kDatePickerInitialValue);
  DateTimePicker2.SetValue(search::kDatePickerInitialValue);
  UpDown1.SetRange(search::kSizeNumberMin, search::kSizeNumberMax);
  UpDown1.SetWrap(true);
  UpDown1.SetAssociate(&NumberEdit2);
  UpDown1.SetPosition(10);
  ComboBox1.SetItems({"B", "KB", "MB", "GB"});
  ComboBox1.SetItemIndex(1);
  ComboBox2.SetItems({"以下", "以上"});
  ComboBox2.SetItemIndex(0);
  CodeComboBox.SetItems({"すべて", "Shift-JIS のみ"});
  CodeComboBox.SetItemIndex(kEveryEncoding);
  InsideChkBox.SetChecked(true);
  RadioGroup1.SetItems({"16進数で表示する", "1バイト文字で表示する"});
  RadioGroup1.SetItemIndex(0);
  DateChkMenu.Tag = 0;
  SizeChkBox.Tag = 1;
  Panel2.Hide();
  Panel5.Hide();

  WireHandlers();
  NumberEdit2Change(NumberEdit2);  // Label8 shows the default limit from the start
}

void OptionPanel::PlaceControls() {
  DrawConversionGlyph(conversionGlyph_);
  SpeedButton9.SetGlyph(&conversionGlyph_, 0);

  Place(Label2, 0, 7);
  Edit1.SetBounds(58, 4, 210, 21);
  SpeedButton9.SetBounds(272, 3, 24, 23);
  OptionChkBox.SetBounds(4, 32, 130, 17);

  // Lower part: the view options, covered by the search options when they open.
  Panel5.SetBounds(10, 220, 290, 150);
  Place(Label4, 6, 4);
  PageControl1.SetBounds(2, 22, 286, 124);
  // Two columns of radio buttons in a page this narrow take a smaller type.
  ui::FontInfo small = RadioGroup1.Font();
  small.size = 8;
  RadioGroup1.SetFont(small);
  RadioGroup1.SetColumns(2);
  RadioGroup1.SetBounds(2, 4, TabSheet1.Width() - 4, 64);
  PrsRowChkBox.SetBounds(10, 10, 240, 17);
  TextOnlyChkBox.SetBounds(10, 34, 240, 17);

  const int panelTop = OptionChkBox.Top() + OptionChkBox.Height() + 5;
  Panel2.SetBevelOuter(ui::Bevel::Lowered);
  Panel2.SetBounds(Panel5.Left() - 10, panelTop, 300, 352);
  BigSmlChkBox.SetBounds(8, 6, 280, 17);
  FullHalfChkBox.SetBounds(8, 26, 280, 17);
  Utf16ChkBox.SetBounds(8, 46, 70, 17);
  CheckBox2.SetBounds(96, 46, 190, 17);
  CheckBox1.SetBounds(8, 66, 286, 17);
  Place(Label10, 8, 91);
  CodeComboBox.SetBounds(76, 88, 120, 21);
  RegexChkBox.SetBounds(206, 90, 88, 17);
  InsideChkBox.SetBounds(8, 114, 280, 17);
  SysChkBox.SetBounds(8, 138, 110, 17);
  HideChkBox.SetBounds(130, 138, 110, 17);

  Place(Label3, 8, 168);
  Place(Label5, 8, 193);
  Edit2.SetBounds(76, 190, 150, 21);
  JogaiChkBox1.SetBounds(234, 192, 56, 17);
  DateChkMenu.SetBounds(8, 224, 60, 17);
  Place(Label7, 76, 225);
  NumberEdit1.SetBounds(96, 222, 56, 21);
  JogaiChkBox2.SetBounds(234, 224, 56, 17);
  Place(Label9, 24, 255);
  DateTimePicker1.SetBounds(58, 252, 100, 21);
  Place(Label6, 164, 255);
  DateTimePicker2.SetBounds(184, 252, 100, 21);
  SizeChkBox.SetBounds(8, 290, 66, 17);
  NumberEdit2.SetBounds(76, 288, 46, 21);
  UpDown1.SetBounds(122, 288, 17, 21);
  ComboBox1.SetBounds(146, 288, 56, 21);
  ComboBox2.SetBounds(208, 288, 68, 21);
  Place(Label8, 76, 318);

  Panel2.BringToFront();
}

void OptionPanel::SetTexts() {
  Edit1.SetHint(
      "数値はカンマ(\",\")で始まりカンマで区切る、16進数なら頭に\"0x\"を付加(\",100,38,0xF5\")");
  SpeedButton9.SetHint("バイナリ変換|入力文字列をバイナリ（16進数）に変換する");
  BigSmlChkBox.SetHint("アルファベットが対象");
  Utf16ChkBox.SetHint("検索内容をUTF16に変換して検索する");
  CheckBox2.SetHint("改行コードは比較しない");
  CheckBox1.SetHint("チェックがない場合、カンマはバイナリ入力時の区切り文字として使用");
  InsideChkBox.SetHint(
      "Word、Excel、PowerPoint、OpenDocument、EPUB の文書は本文を、zip と gz "
      "は中のファイルを検索する。チェックがない場合はファイルのバイト列をそのまま検索");
  RegexChkBox.SetHint(
      "検索内容を正規表現として検索する|検索内容を正規表現として検索する"
      "（書式は Oniguruma のもの。カンマも正規表現の一部）。一致は1行の中に限る。"
      "改行コードのスキップは効かない");
  SysChkBox.SetHint("システム属性のファイルも検索");
  HideChkBox.SetHint("隠し属性のファイルも検索");
  Edit2.SetHint("拡張子|ファイル名や拡張子などを指定する（複数指定は \"/ \"で区切る）");
  JogaiChkBox1.SetHint("指定したファイル名を除く");
  DateChkMenu.SetHint(std::string("検索対象を") + "日付" + "で限定する");
  NumberEdit1.SetHint("入力した年のファイルが対象(西暦)");
  DateTimePicker1.SetHint("入力した日付の範囲内のファイルが対象");
  DateTimePicker2.SetHint("入力した日付の範囲内のファイルが対象");
  JogaiChkBox2.SetHint("指定した日付のファイルを除く");
  SizeChkBox.SetHint(std::string("検索対象を") + "サイズ" + "で限定する");
  NumberEdit2.SetHint("入力したサイズ内のファイルが対象");
  ComboBox1.SetHint("サイズの単位");
  CodeComboBox.SetHint(
      "検索する文字コード|すべて: Shift-JIS、UTF-8、UTF-16、EUC-JP "
      "のどれで書かれたファイルからも探す。"
      "Shift-JIS のみ: Shift-JIS だけで探す");
}

void OptionPanel::WireHandlers() {
  Edit1.OnChange = ui::Bind(this, &OptionPanel::Edit1Change);
  SpeedButton9.OnClick = ui::Bind(this, &OptionPanel::SpeedButton9Click);
  OptionChkBox.OnClick = ui::Bind(this, &OptionPanel::OptionChkBoxClick);
  Edit2.OnChange = ui::Bind(this, &OptionPanel::Edit2Change);
  DateChkMenu.OnClick = ui::Bind(this, &OptionPanel::DateChkMenuClick);
  SizeChkBox.OnClick = ui::Bind(this, &OptionPanel::DateChkMenuClick);
  NumberEdit1.OnChange = ui::Bind(this, &OptionPanel::NumberEdit1Change);
  NumberEdit2.OnChange = ui::Bind(this, &OptionPanel::NumberEdit2Change);
  ComboBox1.OnChange = ui::Bind(this, &OptionPanel::NumberEdit2Change);
  // An emptied size box shows the number used when the user leaves it.
  NumberEdit2.OnExit = [this](ui::Component&) {
    if (NumberEdit2.Text().empty()) NumberEdit2.SetText(std::to_string(search::kSizeNumberMin));
  };
  // The view options are the settings' values at every moment.
  RadioGroup1.OnClick = [this](ui::Component&) {
    state_.Settings.ByteListDisplay = results::BinaryDisplayFromIndex(RadioGroup1.ItemIndex());
  };
  PrsRowChkBox.OnClick = [this](ui::Component&) {
    state_.Settings.PrsRowChecked = PrsRowChkBox.Checked();
  };
  TextOnlyChkBox.OnClick = [this](ui::Component&) {
    state_.Settings.TextOnlyChecked = TextOnlyChkBox.Checked();
  };
  CodeComboBox.OnChange = [this](ui::Component&) {
    state_.Settings.EncodingIndex = CodeComboBox.ItemIndex();
  };
}

void OptionPanel::ShowStoredViewOptions() {
  const results::StoredSettings stored = state_.Settings;
  RadioGroup1.SetItemIndex(results::IndexOf(stored.ByteListDisplay));
  PrsRowChkBox.SetChecked(stored.PrsRowChecked);
  TextOnlyChkBox.SetChecked(stored.TextOnlyChecked);
  // A value that no item stands for means every encoding, and is written back so.
  const int encoding = stored.EncodingIndex == kShiftJisOnly ? kShiftJisOnly : kEveryEncoding;
  CodeComboBox.SetItemIndex(encoding);
  state_.Settings.EncodingIndex = encoding;
}

search::SearchOptions OptionPanel::ReadSearchOptions() const {
  search::SearchOptions o;
  o.content = Edit1.Text();
  o.optionsOpen = OptionChkBox.Checked();
  o.caseSensitive = BigSmlChkBox.Checked();
  o.distinguishWidthAndKana = FullHalfChkBox.Checked();
  o.commaIsContent = CheckBox1.Checked();
  o.searchUtf16 = Utf16ChkBox.Checked();
  o.skipLineBreaks = CheckBox2.Checked();
  o.encodings = CodeComboBox.ItemIndex() == kShiftJisOnly
                    ? search::EncodingSet::Only(search::TextEncoding::ShiftJis)
                    : search::EncodingSet::All();
  o.lookInside = InsideChkBox.Checked();
  o.regex = RegexChkBox.Checked();
  o.includeHidden = HideChkBox.Checked();
  o.includeSystem = SysChkBox.Checked();
  o.nameFilter = Edit2.Text();
  o.excludeNames = JogaiChkBox1.Checked();
  o.sizeFilterOn = SizeChkBox.Checked();
  o.sizeNumber = search::SizeNumberFromText(NumberEdit2.Text());
  o.sizeUnit = search::SizeUnitFromIndex(ComboBox1.ItemIndex());
  o.sizeAtLeast = ComboBox2.ItemIndex() == 1;
  o.dateFilterOn = DateChkMenu.Checked();
  o.yearText = NumberEdit1.Text();
  o.dateFrom = DateTimePicker1.Value();
  o.dateTo = DateTimePicker2.Value();
  o.excludeDates = JogaiChkBox2.Checked();
  o.conversionSource = conversionSource_;
  o.fromUtf8 = fromUtf8_;
  o.fromUtf16 = fromUtf16_;
  return o;
}

std::vector<std::string> OptionPanel::NameTerms() const {
  return search::BuildNameTerms(Edit2.Text(), BigSmlChkBox.Checked());
}

std::uint64_t OptionPanel::SizeLimit() const {
  return search::ComputeSizeLimit(search::SizeNumberFromText(NumberEdit2.Text()),
                                  search::SizeUnitFromIndex(ComboBox1.ItemIndex()));
}

void OptionPanel::ClearConversion() {
  acceptedList_.clear();
  conversionSource_.clear();
  fromUtf8_ = false;
  fromUtf16_ = false;
}

void OptionPanel::Edit1Change(ui::Component&) {
  const std::string text = Edit1.Text();
  SpeedButton9.SetEnabled(!viewer::LooksLikeByteList(text));
  // The flags and the source belong to the list the dialog gave, not to what
  // the box holds after the user changed it.
  if (!conversionSource_.empty() || fromUtf8_ || fromUtf16_) {
    if (text != acceptedList_) ClearConversion();
  }
}

void OptionPanel::SpeedButton9Click(ui::Component&) {
  auto dialog = ui::MakeForm<viewer::TInputStrChgDlg>(OwnerForm());
  dialog->Edit1.SetText(Edit1.Text());
  if (dialog->ShowModal() != ui::mrOk) return;
  acceptedList_ = dialog->ByteList();
  fromUtf8_ = dialog->Utf8Checked();
  fromUtf16_ = dialog->Utf16Checked();
  conversionSource_ = dialog->SourceText();
  Edit1.SetText(acceptedList_);
}

void OptionPanel::OptionChkBoxClick(ui::Component&) {
  if (OptionChkBox.Checked()) {
    Extend();
    ui::App().ProcessMessages();
    Panel2.Show();
  } else {
    Panel2.Hide();
    if (!ExtendButtonDown()) Shrink();
  }
  ShowLowerPart();
}

void OptionPanel::SpeedButon1Click(ui::Component&) {
  if (ExtendButtonDown()) {
    Extend();
  } else if (!OptionChkBox.Checked()) {
    Shrink();
  }
  ShowLowerPart();
}

void OptionPanel::SetExtendButton(ui::SpeedButton* button) {
  extendButton_ = button;
  if (button != nullptr) button->OnClick = ui::Bind(this, &OptionPanel::SpeedButon1Click);
}

void OptionPanel::Extend() {
  ui::Form* form = OwnerForm();
  if (form == nullptr) return;
  if (!extended_) compactClientHeight_ = form->ClientHeight();
  extended_ = true;
  // The window grows until the bottom of the search option panel shows.
  const int panelTop = Top() + Panel2.Top();
  form->SetClientSize(form->ClientWidth(),
                      panelTop + Panel2.Height() + Unscale(GetSystemMetrics(SM_CYMENU)) + 10);
  const int screenHeight = Unscale(GetSystemMetrics(SM_CYSCREEN));
  if (form->Top() + form->Height() > screenHeight) {
    form->SetTop(screenHeight - form->Height() - 48);
  }
}

void OptionPanel::Shrink() {
  ui::Form* form = OwnerForm();
  if (form == nullptr || !extended_) return;
  extended_ = false;
  form->SetClientSize(form->ClientWidth(), compactClientHeight_);
}

void OptionPanel::ShowLowerPart() { Panel5.SetVisible(extended_ && !OptionChkBox.Checked()); }

void OptionPanel::Edit2Change(ui::Component&) { JogaiChkBox1.SetEnabled(!Edit2.Text().empty()); }

void OptionPanel::DateChkMenuClick(ui::Component& sender) {
  if (sender.Tag == 0) {
    const bool on = DateChkMenu.Checked();
    NumberEdit1.SetEnabled(on);
    const bool range = on && NumberEdit1.Text().empty();
    DateTimePicker1.SetEnabled(range);
    DateTimePicker2.SetEnabled(range);
    JogaiChkBox2.SetEnabled(range);
  } else {
    const bool on = SizeChkBox.Checked();
    NumberEdit2.SetEnabled(on);
    ComboBox1.SetEnabled(on);
    ComboBox2.SetEnabled(on);
    UpDown1.Invalidate();
  }
}

void OptionPanel::NumberEdit1Change(ui::Component&) {
  const bool range = NumberEdit1.Text().empty();
  DateTimePicker1.SetEnabled(range);
  DateTimePicker2.SetEnabled(range);
}

void OptionPanel::NumberEdit2Change(ui::Component&) {
  // A typed number outside 1 to 1024 is shown as the number the limit uses.
  const std::string text = NumberEdit2.Text();
  const int number = search::SizeNumberFromText(text);
  if (!text.empty() && text != std::to_string(number)) {
    const std::string shown = std::to_string(number);
    NumberEdit2.SetText(shown);  // runs this handler again, with a number in range
    NumberEdit2.SetSelection(static_cast<int>(shown.size()), 0);
    return;
  }
  Label8.SetText(results::FormatByteSize(SizeLimit()) + "yte");
}

}  // namespace trovex::shell
