#pragma once
// Edit: a one-line text box. OnChange runs on every change of the text, also when
// the program sets it. Selection positions count CP932 bytes.
#include "platform/ui/control.h"

namespace trovex::ui {

class Edit : public Control {
 public:
  explicit Edit(Control* parent);

  void SetReadOnly(bool readOnly);
  // Only digits can be typed.
  void SetNumbersOnly(bool numbersOnly);
  // Keeps the input method closed while the box has the focus.
  void SetImeClosed(bool closed);
  void SelectAll();
  int SelStart() const;
  int SelLength() const;
  void SetSelection(int start, int length);

 protected:
  Edit(Control* parent, DWORD extraStyle);
  void CommandNotify(WORD code) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  bool imeClosed_ = false;
};

}  // namespace trovex::ui
