#pragma once
// TInputStrChgDlg: the text-to-bytes conversion dialog "バイナリ変換". It shows the
// text of Edit1 as the byte list of its Shift-JIS, UTF-8 or UTF-16 form; on OK the
// main window takes the list, the two encoding flags and the text converted. One
// instance is made at start-up; the main window's button makes its own each time.
#include <string>

#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/label.h"

namespace trovex::viewer {

class TInputStrChgDlg : public ui::Form {
 public:
  explicit TInputStrChgDlg(ui::Form* owner = nullptr);

  // Byte order of the UTF-16 form, from "LittleEndian" at each conversion.
  bool LittleEndian = true;

  ui::Label Label1;
  ui::CheckBox CheckBox1;  // Utf8 (Tag 0)
  ui::CheckBox CheckBox2;  // Utf16 (Tag 1)
  ui::CheckBox CheckBox3;  // LittleEndian (Tag 1)
  ui::Edit Edit1;          // the text to convert
  ui::Edit Edit2;          // its byte list, read-only
  ui::Button OKBtn;
  ui::Button CancelBtn;

  // What the main window takes on OK.
  std::string ByteList() const { return Edit2.Text(); }
  std::string SourceText() const { return Edit1.Text(); }
  bool Utf8Checked() const { return CheckBox1.Checked(); }
  bool Utf16Checked() const { return CheckBox2.Checked(); }

  // The conversion for the box `sender` (one of the three check boxes).
  void CheckBox1Click(ui::Component& sender);
  void Edit1Change(ui::Component& sender);

 protected:
  void FormShow() override;
};

}  // namespace trovex::viewer
