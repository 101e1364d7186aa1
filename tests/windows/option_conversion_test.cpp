// The conversion button of the option panel: OK replaces the search content with
// the byte list and keeps the encoding and the text converted; they stay only as
// long as the search box holds that list.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/ui/form.h"
#include "search/parse_search_content.h"
#include "shell/option_panel.h"
#include "viewer/input_str_chg_dlg.h"
#include "windows/support/ui_script.h"

namespace trovex::app {
namespace {

class PanelHost : public ui::Form {
 public:
  PanelHost() : Panel(this, State) {
    SetClientSize(320, 480);
    Panel.SetBounds(10, 10, 300, 460);
  }
  results::ProgramState State;
  shell::OptionPanel Panel;
};

// Opens the dialog from the button and lets `act` work on it before it closes.
void ConvertWith(shell::OptionPanel& panel,
                 const std::function<void(viewer::TInputStrChgDlg&)>& act) {
  testing::ModalScript script;
  script.Then([&](ui::Form& form) { act(dynamic_cast<viewer::TInputStrChgDlg&>(form)); });
  panel.SpeedButton9.Click();
  EXPECT_EQ(script.FormsSeen(), 1);
}

TEST(OptionConversion, OkPutsTheListIntoTheSearchBoxAndKeepsFlagsAndSource) {
  PanelHost host;
  shell::OptionPanel& p = host.Panel;
  p.Edit1.SetText("あ");
  ConvertWith(p, [](viewer::TInputStrChgDlg& d) {
    EXPECT_EQ(d.Edit1.Text(), "あ");  // the dialog starts from the search box
    EXPECT_FALSE(d.CheckBox1.Checked() || d.CheckBox2.Checked());
    d.CheckBox1.SetChecked(true);
    d.OKBtn.Click();
  });
  EXPECT_EQ(p.Edit1.Text(), "0xE3,0x81,0x82");
  EXPECT_FALSE(p.SpeedButton9.Enabled());
  EXPECT_TRUE(p.FromUtf8());
  EXPECT_FALSE(p.FromUtf16());
  EXPECT_EQ(p.ConversionSource(), "あ");

  // Start parses the list and names the result after the text converted.
  const search::SearchOptions o = p.ReadSearchOptions();
  EXPECT_TRUE(o.fromUtf8);
  EXPECT_EQ(o.conversionSource, "あ");
  search::SearchQuery query;
  ASSERT_TRUE(search::ParseSearchContent(
      o.content, o, [](const std::string&) {}, query));
  EXPECT_EQ(query.mode, search::SearchMode::Numbers);
  EXPECT_EQ(query.pattern, "\xE3\x81\x82");
  EXPECT_EQ(query.displayText, "あ");
}

TEST(OptionConversion, CancelChangesNothing) {
  PanelHost host;
  shell::OptionPanel& p = host.Panel;
  p.Edit1.SetText("abc");
  ConvertWith(p, [](viewer::TInputStrChgDlg& d) {
    d.CheckBox2.SetChecked(true);
    d.CancelBtn.Click();
  });
  EXPECT_EQ(p.Edit1.Text(), "abc");
  EXPECT_FALSE(p.FromUtf8() || p.FromUtf16());
  EXPECT_EQ(p.ConversionSource(), "");
}

TEST(OptionConversion, ALaterContentOfTheUsersOwnDropsTheFlagsAndTheSource) {
  PanelHost host;
  shell::OptionPanel& p = host.Panel;
  p.Edit1.SetText("AB");
  ConvertWith(p, [](viewer::TInputStrChgDlg& d) {
    d.CheckBox2.SetChecked(true);
    d.CheckBox3.SetChecked(false);
    d.OKBtn.Click();
  });
  EXPECT_EQ(p.Edit1.Text(), "0x00,0x41,0x00,0x42");
  EXPECT_TRUE(p.FromUtf16());
  // A byte list typed by hand is not the converted text: no UTF-16 decoding of
  // its snippets, and the result is named after the list itself.
  p.Edit1.SetText(",0x41,0x42");
  EXPECT_FALSE(p.FromUtf8() || p.FromUtf16());
  EXPECT_EQ(p.ConversionSource(), "");
  const search::SearchOptions o = p.ReadSearchOptions();
  EXPECT_FALSE(o.fromUtf16);
  search::SearchQuery query;
  ASSERT_TRUE(search::ParseSearchContent(
      o.content, o, [](const std::string&) {}, query));
  EXPECT_EQ(query.displayText, ",0x41,0x42");
  // Typing the same list again does not bring the old flags back.
  p.Edit1.SetText("0x00,0x41,0x00,0x42");
  EXPECT_FALSE(p.FromUtf16());
}

TEST(OptionConversion, TheResultWindowClearsTheSourceAfterSaving) {
  PanelHost host;
  shell::OptionPanel& p = host.Panel;
  p.Edit1.SetText("a");
  ConvertWith(p, [](viewer::TInputStrChgDlg& d) {
    d.CheckBox1.SetChecked(true);
    d.OKBtn.Click();
  });
  EXPECT_EQ(p.ConversionSource(), "a");
  p.ClearConversion();
  EXPECT_EQ(p.ConversionSource(), "");
  EXPECT_FALSE(p.FromUtf8());
  EXPECT_EQ(p.Edit1.Text(), "0x61");  // the list itself stays
}

}  // namespace
}  // namespace trovex::app
