#pragma once
// ProgressBar64: a horizontal bar with a 64-bit maximum and position, drawn by us.
// The filled part is in the bar colour, or runs from the bar colour to a second
// colour when one is set.
#include <cstdint>

#include "platform/ui/painted_control.h"

namespace trovex::ui {

// The width of the part of `width` pixels that `position` of `max` fills: rounded
// down, the whole width at or beyond max, nothing for max 0. Exact for any values.
int FilledWidth(std::uint64_t position, std::uint64_t max, int width);

class ProgressBar64 : public PaintedControl {
 public:
  explicit ProgressBar64(Control* parent);

  std::uint64_t Max() const { return max_; }
  void SetMax(std::uint64_t max);
  std::uint64_t Position() const { return position_; }
  // Kept within 0..Max.
  void SetPosition(std::uint64_t position);
  // Advances the position by one (not beyond Max).
  void StepIt();
  void SetBarColor(Color color);
  // The colour the bar reaches at its right end (clNone: one colour).
  void SetGradientEndColor(Color color);
  // The pixels filled now, of the bar's inner width.
  int FilledPixels() const;

 protected:
  void Paint(HDC dc, RECT client) override;

 private:
  RECT Inner() const;

  std::uint64_t max_ = 100;
  std::uint64_t position_ = 0;
  Color barColor_ = clHighlight;
  Color endColor_ = clNone;
};

}  // namespace trovex::ui
