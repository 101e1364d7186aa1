// The conversion dialog: the byte list of each encoding, the exclusive encoding
// boxes, the byte-order box, what OK hands back, and what each opening starts with.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/ui/form.h"
#include "viewer/input_str_chg_dlg.h"
#include "windows/support/ui_script.h"

namespace trovex::app {
namespace {

// A dialog as the main window makes it, with `text` put into its source box.
ui::FormPtr<viewer::TInputStrChgDlg> DialogFor(const std::string& text) {
  auto dialog = ui::MakeForm<viewer::TInputStrChgDlg>();
  dialog->Edit1.SetText(text);
  return dialog;
}

TEST(InputStrChgDlg, ControlsCaptionsAndHints) {
  auto d = DialogFor("");
  EXPECT_EQ(d->Caption(), "バイナリ変換");
  EXPECT_EQ(d->Label1.Caption(), "検索する文字列を、16進数のバイナリに変換する");
  EXPECT_EQ(d->CheckBox1.Caption(), "Utf8");
  EXPECT_EQ(d->CheckBox1.Hint(), "UTF8の文字コードで変換");
  EXPECT_EQ(d->CheckBox2.Caption(), "Utf16");
  EXPECT_EQ(d->CheckBox2.Hint(), "UTF16の文字コードで変換");
  EXPECT_EQ(d->CheckBox3.Caption(), "LittleEndian");
  EXPECT_EQ(d->Edit1.Hint(), "変換する文字列を入力");
  EXPECT_EQ(d->Edit2.Hint(), "変換した文字列を表示");
  EXPECT_TRUE(GetWindowLongW(d->Edit2.Handle(), GWL_STYLE) & ES_READONLY);
  EXPECT_EQ(d->OKBtn.Caption(), "OK");
  EXPECT_TRUE(d->OKBtn.Default());
  EXPECT_EQ(d->OKBtn.ModalResult(), ui::mrOk);
  EXPECT_EQ(d->CancelBtn.Caption(), "キャンセル");
  EXPECT_TRUE(d->CancelBtn.Cancel());
  EXPECT_EQ(d->CancelBtn.ModalResult(), ui::mrCancel);
}

TEST(InputStrChgDlg, TheHiraganaAInAllFourForms) {
  auto d = DialogFor("あ");
  EXPECT_EQ(d->Edit2.Text(), "0x82,0xA0");  // typing converts to Shift-JIS at once
  d->CheckBox1.SetChecked(true);
  EXPECT_EQ(d->Edit2.Text(), "0xE3,0x81,0x82");
  d->CheckBox2.SetChecked(true);
  EXPECT_EQ(d->Edit2.Text(), "0x42,0x30");
  EXPECT_FALSE(d->CheckBox1.Checked());  // the encodings exclude each other
  EXPECT_TRUE(d->CheckBox3.Enabled());
  d->CheckBox3.SetChecked(false);
  EXPECT_EQ(d->Edit2.Text(), "0x30,0x42");
  EXPECT_FALSE(d->LittleEndian);
  // The byte order has no effect on UTF-8; choosing UTF-8 disables it.
  d->CheckBox1.SetChecked(true);
  EXPECT_EQ(d->Edit2.Text(), "0xE3,0x81,0x82");
  EXPECT_FALSE(d->CheckBox2.Checked());
  EXPECT_FALSE(d->CheckBox3.Enabled());
}

TEST(InputStrChgDlg, TypingConvertsInTheCheckedEncoding) {
  auto d = DialogFor("");
  d->CheckBox2.SetChecked(true);
  d->Edit1.SetText("AB");
  EXPECT_EQ(d->Edit2.Text(), "0x41,0x00,0x42,0x00");
  d->CheckBox1.SetChecked(true);
  d->Edit1.SetText("ｱ");  // a half-width katakana: three bytes in UTF-8
  EXPECT_EQ(d->Edit2.Text(), "0xEF,0xBD,0xB1");
  d->CheckBox1.SetChecked(false);  // unchecking returns to the Shift-JIS list
  EXPECT_EQ(d->Edit2.Text(), "0xB1");
  d->CheckBox2.SetChecked(true);
  EXPECT_EQ(d->Edit2.Text(), "0x71,0xFF");
  d->CheckBox2.SetChecked(false);
  EXPECT_EQ(d->Edit2.Text(), "0xB1");
  EXPECT_FALSE(d->CheckBox3.Enabled());
}

TEST(InputStrChgDlg, EmptyTextGivesAnEmptyListInEveryEncoding) {
  auto d = DialogFor("x");
  d->Edit1.SetText("");
  EXPECT_EQ(d->Edit2.Text(), "");
  d->CheckBox1.SetChecked(true);
  EXPECT_EQ(d->Edit2.Text(), "");
  d->CheckBox2.SetChecked(true);
  EXPECT_EQ(d->Edit2.Text(), "");
  d->CheckBox3.SetChecked(false);
  EXPECT_EQ(d->Edit2.Text(), "");
}

TEST(InputStrChgDlg, OkHandsBackTheListTheFlagsAndTheSource) {
  testing::ModalScript script;
  script.Then([](ui::Form& form) {
    auto& d = dynamic_cast<viewer::TInputStrChgDlg&>(form);
    EXPECT_EQ(d.Edit2.Text(), "0x82,0xA0");  // showing converts to Shift-JIS
    d.CheckBox1.SetChecked(true);
    d.OKBtn.Click();
  });
  auto d = DialogFor("あ");
  EXPECT_EQ(d->ShowModal(), ui::mrOk);
  EXPECT_EQ(d->ByteList(), "0xE3,0x81,0x82");
  EXPECT_TRUE(d->Utf8Checked());
  EXPECT_FALSE(d->Utf16Checked());
  EXPECT_EQ(d->SourceText(), "あ");
}

TEST(InputStrChgDlg, EveryNewDialogStartsUncheckedAndLittleEndian) {
  {
    auto first = DialogFor("a");
    first->CheckBox2.SetChecked(true);
    first->CheckBox3.SetChecked(false);
  }
  auto d = DialogFor("a");
  EXPECT_FALSE(d->CheckBox1.Checked());
  EXPECT_FALSE(d->CheckBox2.Checked());
  EXPECT_TRUE(d->CheckBox3.Checked());
  EXPECT_FALSE(d->CheckBox3.Enabled());
  EXPECT_TRUE(d->LittleEndian);
  EXPECT_EQ(d->Edit2.Text(), "0x61");
}

}  // namespace
}  // namespace trovex::app
