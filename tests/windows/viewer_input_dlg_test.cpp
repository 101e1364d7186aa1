// The small input dialog: its controls, the box and the dialog growing with the
// text (and not past the screen), the centred buttons, the caret timer and the
// two combo styles its callers use.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/ui/form.h"
#include "viewer/input_dlg.h"
#include "windows/support/ui_script.h"

namespace trovex::app {
namespace {

TEST(InputDlg, ControlsAndDefaults) {
  ui::Form owner;
  viewer::TInputDlg d("abc", &owner);
  EXPECT_EQ(d.Label2.Caption(), "検索する内容を入力");
  EXPECT_EQ(d.ComboBox1.Text(), "abc");
  EXPECT_EQ(d.OKBtn.Caption(), "OK");
  EXPECT_TRUE(d.OKBtn.Default());
  EXPECT_EQ(d.OKBtn.ModalResult(), ui::mrOk);
  EXPECT_EQ(d.CancelBtn.Caption(), "キャンセル");
  EXPECT_TRUE(d.CancelBtn.Cancel());
  EXPECT_FALSE(d.Label1.Visible());
  EXPECT_TRUE(d.Timer1.Enabled());
  EXPECT_EQ(d.Timer1.Interval(), 1000u);
  EXPECT_TRUE(GetWindowLongW(d.Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  // The buttons sit either side of the middle.
  EXPECT_EQ(d.OKBtn.Left(), d.Width() / 2 - d.OKBtn.Width() - 5);
  EXPECT_EQ(d.CancelBtn.Left(), d.OKBtn.Left() + d.OKBtn.Width() + 8);
}

// A text as wide as half the screen in the dialog's font, whichever font the machine
// gives: the widening cases below must not reach the screen's cap, which a fixed
// count of characters does in a wide fallback font.
std::string HalfTheScreenWide(ui::Form& owner) {
  viewer::TInputDlg probe(std::string(10, 'W'), &owner);
  const int perChar = std::max(1, (probe.Label1.Width() + 9) / 10);
  return std::string(GetSystemMetrics(SM_CXSCREEN) / 2 / perChar, 'W');
}

TEST(InputDlg, ALongInitialTextWidensTheBoxAndTheDialog) {
  ui::Form owner;
  viewer::TInputDlg shortOne("a", &owner);
  const std::string longText = HalfTheScreenWide(owner);
  viewer::TInputDlg longOne(longText, &owner);
  EXPECT_EQ(longOne.ComboBox1.Width(), longOne.Label1.Width() + viewer::TInputDlg::kTextMargin);
  EXPECT_EQ(longOne.Width(), longOne.ComboBox1.Width() + viewer::TInputDlg::kTextMargin);
  EXPECT_GT(longOne.Width(), shortOne.Width());
  EXPECT_EQ(longOne.OKBtn.Left(), longOne.Width() / 2 - longOne.OKBtn.Width() - 5);
}

TEST(InputDlg, TypingGrowsAndShrinksTheDialogButNotBelowItsFirstSize) {
  ui::Form owner;
  viewer::TInputDlg d("", &owner);
  const int firstWidth = d.Width();
  const int firstBox = d.ComboBox1.Width();
  d.ComboBox1.SetText(HalfTheScreenWide(owner));
  d.ComboBox1Change(d.ComboBox1);
  EXPECT_GT(d.Width(), firstWidth);
  EXPECT_EQ(d.ComboBox1.Width(), d.Label1.Width() + viewer::TInputDlg::kTextMargin);
  EXPECT_EQ(d.Width(), d.ComboBox1.Width() + viewer::TInputDlg::kTextMargin);
  d.ComboBox1.SetText("W");
  d.ComboBox1Change(d.ComboBox1);
  EXPECT_EQ(d.Width(), firstWidth);
  EXPECT_EQ(d.ComboBox1.Width(), firstBox);
}

TEST(InputDlg, TheDialogNeverGrowsPastTheScreen) {
  ui::Form owner;
  viewer::TInputDlg d(std::string(2000, 'W'), &owner);
  const int screen = GetSystemMetrics(SM_CXSCREEN);
  EXPECT_EQ(d.Width(), screen);
  EXPECT_LE(d.ComboBox1.Left() + d.ComboBox1.Width(), d.Width());
}

TEST(InputDlg, ASecondAfterOpeningTheCaretGoesToTheEndOfTheText) {
  ui::Form owner;
  auto d = ui::MakeForm<viewer::TInputDlg>("検索語", &owner);
  testing::ModalScript script;
  script.Then([](ui::Form& form) {
    auto& dialog = dynamic_cast<viewer::TInputDlg&>(form);
    dialog.ComboBox1.SetFocus();
    dialog.ComboBox1.SetSelection(0, 6);  // the whole text, as on opening
    EXPECT_TRUE(testing::PumpUntil([&] { return !dialog.Timer1.Enabled(); }, 3000));
    EXPECT_EQ(dialog.ComboBox1.SelStart(), 6);
    EXPECT_EQ(dialog.ComboBox1.SelLength(), 0);
    dialog.ComboBox1.SetText("新しい語");
    dialog.OKBtn.Click();
  });
  EXPECT_EQ(d->ShowModal(), ui::mrOk);
  EXPECT_EQ(d->Value(), "新しい語");
}

TEST(InputDlg, AFixedListShowsTheCurrentNameChosen) {
  ui::Form owner;
  viewer::TInputDlg d("二番", &owner, ui::ComboStyle::DropDownList);
  d.SetList({"一番", "二番", "三番"});
  EXPECT_EQ(d.ComboBox1.ItemCount(), 3);
  EXPECT_EQ(d.ComboBox1.ItemIndex(), 1);
  EXPECT_EQ(d.Value(), "二番");
  // The editable style keeps the text typed and lists the history below it.
  viewer::TInputDlg editable("ほか", &owner);
  editable.SetList({"一番", "二番"});
  EXPECT_EQ(editable.ComboBox1.ItemIndex(), -1);
  EXPECT_EQ(editable.Value(), "ほか");
}

}  // namespace
}  // namespace trovex::app
