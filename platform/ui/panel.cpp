#include "platform/ui/panel.h"

#include "platform/ui/wide.h"

namespace trovex::ui {

Panel::Panel(Control* parent) : Control(parent) {
  CreateHandle(OwnClass(L"TrovexPanel", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW),
               WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, false, 185,
               41);
}

void Panel::SetBevelOuter(Bevel bevel) {
  outer_ = bevel;
  Invalidate();
}

void Panel::SetBevelInner(Bevel bevel) {
  inner_ = bevel;
  Invalidate();
}

void Panel::Paint(HDC dc) {
  RECT rect{};
  GetClientRect(hwnd_, &rect);
  FillRect(dc, &rect, BackBrush());
  if (outer_ != Bevel::None) {
    DrawEdge(dc, &rect, outer_ == Bevel::Raised ? BDR_RAISEDOUTER : BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  }
  if (inner_ != Bevel::None) {
    DrawEdge(dc, &rect, inner_ == Bevel::Raised ? BDR_RAISEDINNER : BDR_SUNKENINNER, BF_RECT | BF_ADJUST);
  }
  const std::wstring caption = Widen(Text());
  if (caption.empty()) return;
  HGDIOBJ old = SelectObject(dc, FontHandle(Font()));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRgb(Enabled() ? Font().color : clGrayText));
  DrawTextW(dc, caption.c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old);
}

LRESULT Panel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      Paint(dc);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_SETTEXT: {
      const LRESULT result = Control::WndProc(msg, wParam, lParam);
      Invalidate();
      return result;
    }
    default: return Control::WndProc(msg, wParam, lParam);
  }
}

}  // namespace trovex::ui
