#include "platform/ui/painted_control.h"

namespace trovex::ui {

LRESULT PaintedControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // Paint fills the background itself, without flicker
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      RECT client{};
      GetClientRect(hwnd_, &client);
      FillRect(dc, &client, BackBrush());
      Paint(dc, client);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_SETTEXT: {
      const LRESULT result = Control::WndProc(msg, wParam, lParam);
      Invalidate();
      return result;
    }
    default:
      return Control::WndProc(msg, wParam, lParam);
  }
}

}  // namespace trovex::ui
