#include "viewer/input_str_chg_dlg.h"

#include "viewer/byte_list_conversion.h"

namespace trovex::viewer {

TInputStrChgDlg::TInputStrChgDlg(ui::Form* owner)
    : ui::Form(owner),
      Label1(this, "検索する文字列を、16進数のバイナリに変換する"),
      CheckBox1(this, "Utf8"),
      CheckBox2(this, "Utf16"),
      CheckBox3(this, "LittleEndian"),
      Edit1(this),
      Edit2(this),
      OKBtn(this, "OK"),
      CancelBtn(this, "キャンセル") {
  SetCaption("バイナリ変換");
  SetBorder(ui::BorderStyle::Dialog, ui::biSystemMenu);
  SetPosition(ui::FormPosition::ScreenCenter);
  SetClientSize(344, 150);

  Label1.SetBounds(12, 10, 320, 15);
  CheckBox1.SetBounds(12, 34, 60, 17);
  CheckBox2.SetBounds(82, 34, 64, 17);
  CheckBox3.SetBounds(156, 34, 110, 17);
  Edit1.SetBounds(12, 58, 320, 21);
  Edit2.SetBounds(12, 86, 320, 21);
  OKBtn.SetBounds(172, 116, 75, 25);
  CancelBtn.SetBounds(257, 116, 75, 25);

  CheckBox1.Tag = 0;
  CheckBox2.Tag = 1;
  CheckBox3.Tag = 1;
  CheckBox1.SetHint("UTF8の文字コードで変換");
  CheckBox2.SetHint("UTF16の文字コードで変換");
  Edit1.SetHint("変換する文字列を入力");
  Edit2.SetHint("変換した文字列を表示");
  Edit2.SetReadOnly(true);
  OKBtn.SetDefault(true);
  OKBtn.SetModalResult(ui::mrOk);
  CancelBtn.SetCancel(true);
  CancelBtn.SetModalResult(ui::mrCancel);

  CheckBox3.SetChecked(true);  // before the handlers: no conversion yet
  CheckBox3.SetEnabled(false);
  LittleEndian = CheckBox3.Checked();
  CheckBox1.OnClick = ui::Bind(this, &TInputStrChgDlg::CheckBox1Click);
  CheckBox2.OnClick = ui::Bind(this, &TInputStrChgDlg::CheckBox1Click);
  CheckBox3.OnClick = ui::Bind(this, &TInputStrChgDlg::CheckBox1Click);
  Edit1.OnChange = ui::Bind(this, &TInputStrChgDlg::Edit1Change);
}

void TInputStrChgDlg::CheckBox1Click(ui::Component& sender) {
  auto& box = static_cast<ui::CheckBox&>(sender);
  const std::string text = Edit1.Text();
  if (box.Checked() || &box == &CheckBox3) {
    LittleEndian = CheckBox3.Checked();
    std::optional<std::string> list;
    // Unchecking the other box runs this handler for it first (the Shift-JIS
    // list); this box's own result is written after it.
    if (box.Tag == 0) {
      CheckBox2.SetChecked(false);
      list = viewer::ByteListOf(text, viewer::ByteEncoding::Utf8);
    } else {
      CheckBox1.SetChecked(false);
      list = viewer::ByteListOf(text, LittleEndian ? viewer::ByteEncoding::Utf16LittleEndian
                                                   : viewer::ByteEncoding::Utf16BigEndian);
    }
    if (list) Edit2.SetText(*list);  // a text with no such form keeps the list shown
  } else {
    Edit2.SetText(*viewer::ByteListOf(text, viewer::ByteEncoding::ShiftJis));
  }
  CheckBox3.SetEnabled(CheckBox2.Checked());
}

void TInputStrChgDlg::Edit1Change(ui::Component&) {
  CheckBox1Click(CheckBox1.Checked() ? CheckBox1 : CheckBox2);
}

void TInputStrChgDlg::FormShow() { CheckBox1Click(CheckBox1); }

}  // namespace trovex::viewer
