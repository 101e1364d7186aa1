#pragma once
// TrackBar64: a horizontal slider with a 64-bit maximum and position. The system
// slider counts in 32 bits; beyond that each of its steps stands for several
// positions, while Position() stays exact. OnChange runs whenever the position
// changes, by the user or by SetPosition; OnMouseUp and OnKeyUp as for any control.
#include <cstdint>

#include "platform/ui/control.h"

namespace trovex::ui {

class TrackBar64 : public Control {
 public:
  explicit TrackBar64(Control* parent);

  std::uint64_t Max() const { return max_; }
  // Sets the maximum (the minimum is 0); the position is kept within it.
  void SetMax(std::uint64_t max);
  std::uint64_t Position() const { return position_; }
  void SetPosition(std::uint64_t position);
  // Positions one click beside the thumb moves (PageUp/PageDown).
  void SetPageSize(std::uint32_t pageSize);

 protected:
  void ScrollNotify(WORD code) override;

 private:
  std::uint64_t PositionOfControl() const;
  void ShowPosition();

  std::uint64_t max_ = 100;
  std::uint64_t position_ = 0;
  std::uint64_t scale_ = 1;  // positions per step of the system slider
};

}  // namespace trovex::ui
