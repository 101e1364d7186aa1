#pragma once
// RadioGroup: a framed group of radio buttons in columns. Choosing an item, by the
// user or by setting ItemIndex, runs OnClick.
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/button.h"
#include "platform/ui/control.h"

namespace trovex::ui {

class RadioGroup : public Control {
 public:
  explicit RadioGroup(Control* parent, std::string_view caption = "");

  void SetItems(const std::vector<std::string>& items);
  int ItemCount() const { return static_cast<int>(buttons_.size()); }
  RadioButton& Button(int index) { return *buttons_[static_cast<std::size_t>(index)]; }
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  void SetColumns(int columns);
  void SetBounds(int left, int top, int width, int height) override;

 protected:
  // A group box does not paint its inside: the group fills it with its colour.
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Arrange();
  std::vector<std::unique_ptr<RadioButton>> buttons_;
  int itemIndex_ = -1;
  int columns_ = 1;
};

}  // namespace trovex::ui
