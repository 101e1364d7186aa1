#include "platform/ui/splitter.h"

#include <windowsx.h>

namespace trovex::ui {

Splitter::Splitter(Control* parent) : PaintedControl(parent) {
  CreateHandle(OwnClass(L"TrovexSplitter", CS_HREDRAW | CS_VREDRAW), WS_VISIBLE, 0, false, 4, 100);
  SetCursor(Cursor::SizeWE);
}

LRESULT Splitter::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_LBUTTONDOWN: {
      POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(hwnd_, &point);
      lastX_ = point.x;
      dragging_ = true;
      SetCapture(hwnd_);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (dragging_) {
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hwnd_, &point);
        // In design units; what is left of a unit waits for the next move.
        const int delta = Unscale(point.x - lastX_);
        if (delta != 0 && OnMoved) {
          lastX_ += Scale(delta);
          OnMoved(*this, delta);
        }
      }
      break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (dragging_) {
        dragging_ = false;
        if (msg == WM_LBUTTONUP) ReleaseCapture();
      }
      break;
    default:
      break;
  }
  return PaintedControl::WndProc(msg, wParam, lParam);
}

void Splitter::Paint(HDC dc, RECT client) {
  DrawEdge(dc, &client, BDR_RAISEDINNER, BF_LEFT | BF_RIGHT);
}

}  // namespace trovex::ui
