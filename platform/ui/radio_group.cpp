#include "platform/ui/radio_group.h"

#include <algorithm>

namespace trovex::ui {

RadioGroup::RadioGroup(Control* parent, std::string_view caption) : Control(parent) {
  CreateHandle(L"BUTTON", BS_GROUPBOX | WS_VISIBLE | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, true,
               185, 105);
  SetText(caption);
}

LRESULT RadioGroup::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) {
    RECT rect{};
    GetClientRect(hwnd_, &rect);
    FillRect(reinterpret_cast<HDC>(wParam), &rect, BackBrush());
    return 1;
  }
  return Control::WndProc(msg, wParam, lParam);
}

void RadioGroup::SetItems(const std::vector<std::string>& items) {
  buttons_.clear();
  itemIndex_ = -1;
  for (std::size_t i = 0; i < items.size(); ++i) {
    auto button = std::make_unique<RadioButton>(this, items[i]);
    button->OnClick = [this, i](Component&) {
      itemIndex_ = static_cast<int>(i);
      Click();
    };
    buttons_.push_back(std::move(button));
  }
  Arrange();
}

void RadioGroup::SetItemIndex(int index) {
  if (index < 0 || index >= ItemCount()) {
    for (auto& button : buttons_) button->SetChecked(false);  // unchecking runs no OnClick
    itemIndex_ = -1;
    return;
  }
  buttons_[static_cast<std::size_t>(index)]->SetChecked(true);
}

void RadioGroup::SetColumns(int columns) {
  columns_ = std::max(1, columns);
  Arrange();
}

void RadioGroup::SetBounds(int left, int top, int width, int height) {
  Control::SetBounds(left, top, width, height);
  Arrange();
}

void RadioGroup::Arrange() {
  if (buttons_.empty()) return;
  HDC dc = GetDC(hwnd_);
  HGDIOBJ old = SelectObject(dc, FontObject());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);
  const int count = ItemCount();
  const int rows = (count + columns_ - 1) / columns_;
  const int textHeight = Unscale(static_cast<int>(metrics.tmHeight));
  const int top = textHeight + 2;
  const int width = (ClientWidth() - 10) / columns_;
  const int height = std::max(1, (ClientHeight() - top - 4) / std::max(1, rows));
  const int buttonHeight = std::min(height, textHeight + 4);
  for (int i = 0; i < count; ++i) {
    const int column = i / rows;
    const int row = i % rows;
    buttons_[static_cast<std::size_t>(i)]->SetBounds(
        8 + column * width, top + row * height + (height - buttonHeight) / 2, width - 4,
        buttonHeight);
  }
}

}  // namespace trovex::ui
