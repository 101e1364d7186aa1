#include "platform/ui/speed_button.h"

#include <windowsx.h>

#include "platform/ui/image_list.h"

namespace trovex::ui {

SpeedButton::SpeedButton(Control* parent, std::string_view caption) : PaintedControl(parent) {
  CreateHandle(OwnClass(L"TrovexSpeedButton", CS_HREDRAW | CS_VREDRAW), WS_VISIBLE, 0, false, 23,
               22);
  SetText(caption);
}

void SpeedButton::SetGlyph(const ImageList* images, int index) {
  images_ = images;
  glyphIndex_ = index;
  Invalidate();
}

void SpeedButton::SetFlat(bool flat) {
  flat_ = flat;
  Invalidate();
}

void SpeedButton::SetDown(bool down) {
  if (down_ == down) return;
  down_ = down;
  if (down && groupIndex_ != 0 && Parent() != nullptr) {
    for (Control* sibling : Parent()->Children()) {
      auto* other = dynamic_cast<SpeedButton*>(sibling);
      if (other != nullptr && other != this && other->groupIndex_ == groupIndex_)
        other->SetDown(false);
    }
  }
  Invalidate();
}

bool SpeedButton::Inside(LPARAM point) const {
  const POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  RECT rect{};
  GetClientRect(hwnd_, &rect);
  return PtInRect(&rect, at) != FALSE;
}

void SpeedButton::Release() {
  pressing_ = false;
  if (GetCapture() == hwnd_) ReleaseCapture();
  Invalidate();
}

void SpeedButton::Paint(HDC dc, RECT rect) {
  const bool enabled = Enabled();
  const bool sunk = down_ || (pressing_ && hot_);
  if (sunk) {
    DrawEdge(dc, &rect, flat_ ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
  } else if (!flat_ || (hot_ && enabled)) {
    DrawEdge(dc, &rect, flat_ ? BDR_RAISEDINNER : EDGE_RAISED, BF_RECT);
  }
  const std::wstring caption = WideText();
  HGDIOBJ old = SelectObject(dc, FontObject());
  SIZE textSize{0, 0};
  if (!caption.empty()) {
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &textSize);
  }
  const bool glyph = images_ != nullptr && glyphIndex_ >= 0;
  const int glyphWidth = glyph ? images_->Width() : 0;
  const int spacing = glyph && !caption.empty() ? Scale(4) : 0;
  const int shift = sunk ? 1 : 0;
  int x = (rect.right - (glyphWidth + spacing + textSize.cx)) / 2 + shift;
  if (glyph) {
    images_->Draw(dc, glyphIndex_, x, (rect.bottom - images_->Height()) / 2 + shift, enabled);
    x += glyphWidth + spacing;
  }
  if (!caption.empty()) {
    SetBkMode(dc, TRANSPARENT);
    const int y = (rect.bottom - textSize.cy) / 2 + shift;
    if (!enabled) {
      SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
      TextOutW(dc, x + 1, y + 1, caption.c_str(), static_cast<int>(caption.size()));
    }
    SetTextColor(dc, ColorToRgb(enabled ? Font().color : Color(0x80000000u | COLOR_BTNSHADOW)));
    TextOutW(dc, x, y, caption.c_str(), static_cast<int>(caption.size()));
  }
  SelectObject(dc, old);
}

LRESULT SpeedButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ENABLE: {
      const LRESULT result = Control::WndProc(msg, wParam, lParam);
      if (!wParam) Release();
      Invalidate();
      return result;
    }
    case WM_MOUSEMOVE: {
      const bool inside = Inside(lParam);
      if (inside != hot_) {
        hot_ = inside;
        Invalidate();
        if (inside) {
          TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
          TrackMouseEvent(&track);
        }
      }
      break;
    }
    case WM_MOUSELEAVE:
      if (!pressing_) {
        hot_ = false;
        Invalidate();
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (Enabled()) {
        pressing_ = true;
        hot_ = true;
        SetCapture(hwnd_);
        Invalidate();
      }
      break;
    case WM_LBUTTONUP:
      if (pressing_) {
        const bool inside = Inside(lParam);
        Release();
        hot_ = inside;
        if (inside) {
          if (groupIndex_ != 0) SetDown(!(down_ && allowAllUp_));
          Click();
        }
      }
      break;
    case WM_CAPTURECHANGED:
      if (pressing_ && reinterpret_cast<HWND>(lParam) != hwnd_) Release();
      break;
    default:
      break;
  }
  return PaintedControl::WndProc(msg, wParam, lParam);
}

}  // namespace trovex::ui
