#include "platform/ui/label.h"

namespace trovex::ui {

Label::Label(Control* parent, std::string_view caption) : Control(parent) {
  CreateHandle(L"STATIC", SS_LEFT | SS_NOTIFY | WS_VISIBLE, 0, true, 0, 0);
  SetText(caption);
}

void Label::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  FontChanged();
}

void Label::SetAlignment(TextAlign align) {
  LONG style = GetWindowLongW(hwnd_, GWL_STYLE) & ~(SS_LEFT | SS_CENTER | SS_RIGHT);
  style |= align == TextAlign::Center ? SS_CENTER : align == TextAlign::Right ? SS_RIGHT : SS_LEFT;
  SetWindowLongW(hwnd_, GWL_STYLE, style);
  Invalidate();
}

void Label::SetTypedLine() {
  const LONG style = GetWindowLongW(hwnd_, GWL_STYLE) & ~SS_TYPEMASK;
  SetWindowLongW(hwnd_, GWL_STYLE, style | SS_LEFTNOWORDWRAP | SS_NOPREFIX);
  Invalidate();
}

void Label::CommandNotify(WORD code) {
  if (code == STN_CLICKED) Click();
}

void Label::FontChanged() {
  if (!autoSize_ || hwnd_ == nullptr) return;
  const std::wstring text = WideText();
  HDC dc = GetDC(hwnd_);
  HGDIOBJ old = SelectObject(dc, FontObject());
  RECT rect{0, 0, 0, 0};
  DrawTextW(dc, text.empty() ? L" " : text.c_str(), -1, &rect, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE)));
  const int width = (text.empty() ? 0 : rect.right) + frame.right - frame.left;
  SetWindowPos(hwnd_, nullptr, 0, 0, width, rect.bottom + frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

StaticText::StaticText(Control* parent, std::string_view caption) : Label(parent, caption) {}

void StaticText::SetBorderStyle(StaticBorder border) {
  LONG style = GetWindowLongW(hwnd_, GWL_STYLE) & ~(WS_BORDER | SS_SUNKEN);
  if (border == StaticBorder::Single) style |= WS_BORDER;
  if (border == StaticBorder::Sunken) style |= SS_SUNKEN;
  SetWindowLongW(hwnd_, GWL_STYLE, style);
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  FontChanged();
}

}  // namespace trovex::ui
