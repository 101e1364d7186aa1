#include "platform/ui/progress_bar64.h"

#include <algorithm>

#include "platform/ui/canvas.h"

namespace trovex::ui {
namespace {

// r + a modulo m for r, a < m, counting the wrap in `quotient`; never overflows.
void AddModulo(std::uint64_t& r, std::uint64_t a, std::uint64_t m, int& quotient) {
  if (r >= m - a) {
    r -= m - a;
    ++quotient;
  } else {
    r += a;
  }
}

Color Blend(Color from, Color to, int step, int steps) {
  const std::uint32_t a = ColorToRgb(from);
  const std::uint32_t b = ColorToRgb(to);
  Color mixed = 0;
  for (int shift : {0, 8, 16}) {
    const int x = static_cast<int>((a >> shift) & 0xFF);
    const int y = static_cast<int>((b >> shift) & 0xFF);
    mixed |= static_cast<Color>(x + (y - x) * step / std::max(steps, 1)) << shift;
  }
  return mixed;
}

}  // namespace

int FilledWidth(std::uint64_t position, std::uint64_t max, int width) {
  if (max == 0 || width <= 0) return 0;
  if (position >= max) return width;
  // floor(position * width / max) by binary long multiplication over the bits of
  // width, keeping quotient and remainder, so that no product exceeds 64 bits.
  int quotient = 0;
  std::uint64_t remainder = 0;
  for (int bit = 30; bit >= 0; --bit) {
    quotient *= 2;
    AddModulo(remainder, remainder, max, quotient);
    if ((width >> bit) & 1) AddModulo(remainder, position, max, quotient);
  }
  return quotient;
}

ProgressBar64::ProgressBar64(Control* parent) : PaintedControl(parent) {
  CreateHandle(OwnClass(L"TrovexProgressBar64", CS_HREDRAW | CS_VREDRAW), WS_VISIBLE, 0, false, 150,
               16);
}

void ProgressBar64::SetMax(std::uint64_t max) {
  max_ = max;
  position_ = std::min(position_, max_);
  Invalidate();
}

void ProgressBar64::SetPosition(std::uint64_t position) {
  position = std::min(position, max_);
  if (position == position_) return;
  position_ = position;
  Invalidate();
}

void ProgressBar64::StepIt() {
  if (position_ < max_) SetPosition(position_ + 1);
}

void ProgressBar64::SetBarColor(Color color) {
  barColor_ = color;
  Invalidate();
}

void ProgressBar64::SetGradientEndColor(Color color) {
  endColor_ = color;
  Invalidate();
}

RECT ProgressBar64::Inner() const {
  RECT rect{};
  GetClientRect(hwnd_, &rect);
  InflateRect(&rect, -2, -2);
  return rect;
}

int ProgressBar64::FilledPixels() const {
  const RECT inner = Inner();
  return FilledWidth(position_, max_, std::max(0, static_cast<int>(inner.right - inner.left)));
}

void ProgressBar64::Paint(HDC dc, RECT client) {
  DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT);
  const RECT inner = Inner();
  const int filled = FilledPixels();
  if (filled <= 0) return;
  Canvas canvas(dc);
  if (endColor_ == clNone) {
    canvas.SetBrushColor(barColor_);
    canvas.FillRect(RECT{inner.left, inner.top, inner.left + filled, inner.bottom});
    return;
  }
  // The gradient spans the whole bar; the filled part shows its left side.
  const int width = inner.right - inner.left;
  for (int x = 0; x < filled; ++x) {
    canvas.SetBrushColor(Blend(barColor_, endColor_, x, width - 1));
    canvas.FillRect(RECT{inner.left + x, inner.top, inner.left + x + 1, inner.bottom});
  }
}

}  // namespace trovex::ui
