#pragma once
// PaintedControl: a control of our own class that draws all of itself on WM_PAINT
// over its background colour, and draws again when its text changes.
#include "platform/ui/control.h"

namespace trovex::ui {

class PaintedControl : public Control {
 protected:
  using Control::Control;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // Draws the control over its client area `client`, already filled with BackBrush.
  virtual void Paint(HDC dc, RECT client) = 0;
};

}  // namespace trovex::ui
