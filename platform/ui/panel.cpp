#include "platform/ui/panel.h"

namespace trovex::ui {

Panel::Panel(Control* parent) : PaintedControl(parent) {
  CreateHandle(OwnClass(L"TrovexPanel", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW),
               WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, false, 185, 41);
}

void Panel::SetBevelOuter(Bevel bevel) {
  outer_ = bevel;
  Invalidate();
}

void Panel::Paint(HDC dc, RECT rect) {
  if (outer_ != Bevel::None) {
    DrawEdge(dc, &rect, outer_ == Bevel::Raised ? BDR_RAISEDOUTER : BDR_SUNKENOUTER,
             BF_RECT | BF_ADJUST);
  }
  const std::wstring caption = WideText();
  if (caption.empty()) return;
  HGDIOBJ old = SelectObject(dc, FontObject());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRgb(Enabled() ? Font().color : clGrayText));
  DrawTextW(dc, caption.c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old);
}

}  // namespace trovex::ui
