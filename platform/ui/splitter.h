#pragma once
// Splitter: a thin vertical bar between two panes that the user drags sideways.
// It moves nothing itself: OnMoved tells the window by how many pixels the bar was
// dragged, and the window lays its panes out again (and keeps their minimum sizes).
#include <functional>

#include "platform/ui/painted_control.h"

namespace trovex::ui {

class Splitter : public PaintedControl {
 public:
  explicit Splitter(Control* parent);

  std::function<void(Splitter& sender, int delta)> OnMoved;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc, RECT client) override;

 private:
  bool dragging_ = false;
  int lastX_ = 0;  // screen x of the last move handed on
};

}  // namespace trovex::ui
