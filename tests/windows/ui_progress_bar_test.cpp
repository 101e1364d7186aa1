// The 64-bit progress bar: the filled width is exact for any maximum and position
// (near 2^64 as well), and the position stays within the range.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <limits>
#include <random>

#include "platform/ui/form.h"
#include "platform/ui/progress_bar64.h"

namespace trovex::ui {
namespace {

constexpr std::uint64_t kTop = std::numeric_limits<std::uint64_t>::max();

// floor(position * width / max) in 128 bits, clamped to the width.
int Reference(std::uint64_t position, std::uint64_t max, int width) {
  if (max == 0 || width <= 0) return 0;
  if (position >= max) return width;
  const unsigned __int128 product =
      static_cast<unsigned __int128>(position) * static_cast<unsigned>(width);
  return static_cast<int>(product / max);
}

TEST(UiProgressBar, FilledWidthIsExactAtTheEndsOfTheRange) {
  EXPECT_EQ(FilledWidth(kTop / 2, kTop, 200), 99);  // just under half of an odd maximum
  EXPECT_EQ(FilledWidth(kTop / 2 + 1, kTop, 200), 100);
  EXPECT_EQ(FilledWidth(kTop - 1, kTop, 1000), 999);
  EXPECT_EQ(FilledWidth(kTop, kTop, 1000), 1000);
  EXPECT_EQ(FilledWidth(1, kTop, 1000), 0);
  EXPECT_EQ(FilledWidth(kTop, kTop - 1, 1000), 1000);  // beyond the maximum: full
  EXPECT_EQ(FilledWidth(5, 0, 100), 0);
  EXPECT_EQ(FilledWidth(5, 10, 0), 0);
  EXPECT_EQ(FilledWidth(kTop - 3, kTop, std::numeric_limits<int>::max()),
            Reference(kTop - 3, kTop, std::numeric_limits<int>::max()));
}

TEST(UiProgressBar, FilledWidthAgreesWithWideArithmeticOnRandomValues) {
  std::mt19937_64 random(20240611);
  for (int i = 0; i < 20000; ++i) {
    // Maxima of every magnitude, from tiny to close to 2^64.
    const int bits = 1 + static_cast<int>(random() % 64);
    const std::uint64_t max = bits == 64 ? random() : random() % (std::uint64_t{1} << bits) + 1;
    const std::uint64_t position = max == 0 ? 0 : random() % max;
    const int width = static_cast<int>(random() % 5000);
    ASSERT_EQ(FilledWidth(position, max, width), Reference(position, max, width))
        << position << " of " << max << " over " << width;
  }
}

TEST(UiProgressBar, PositionStepsByOneAndStaysWithinTheMaximum) {
  Form form;
  ProgressBar64 bar(&form);
  bar.SetBounds(0, 0, 104, 16);  // 100 pixels inside the frame
  bar.SetMax(kTop);
  bar.SetPosition(kTop - 2);
  bar.StepIt();
  EXPECT_EQ(bar.Position(), kTop - 1);
  EXPECT_EQ(bar.FilledPixels(), 99);
  bar.StepIt();
  bar.StepIt();
  EXPECT_EQ(bar.Position(), kTop);
  EXPECT_EQ(bar.FilledPixels(), 100);
  bar.SetMax(15);  // a smaller maximum pulls the position down with it
  EXPECT_EQ(bar.Position(), 15u);
  bar.SetPosition(3);
  EXPECT_EQ(bar.FilledPixels(), 20);
  bar.SetPosition(kTop);
  EXPECT_EQ(bar.Position(), 15u);
}

}  // namespace
}  // namespace trovex::ui
