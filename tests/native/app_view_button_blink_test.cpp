// The blink of the view button over successive 500 ms ticks.
#include <gtest/gtest.h>

#include <vector>

#include "app/view_button_blink.h"

namespace trovex::app {
namespace {

std::vector<int> Ticks(ViewButtonBlink& blink, bool pending, int count) {
  std::vector<int> images;
  for (int i = 0; i < count; ++i) images.push_back(AdvanceViewButtonBlink(blink, pending));
  return images;
}

TEST(ViewButtonBlink, PendingResultsShowImageOneForOneTickAndImageZeroForFour) {
  ViewButtonBlink blink;
  EXPECT_EQ(Ticks(blink, true, 14),
            (std::vector<int>{-1, -1, -1, 1, 0, -1, -1, -1, 1, 0, -1, -1, -1, 1}));
}

TEST(ViewButtonBlink, WithoutPendingResultsTheButtonSettlesOnImageZero) {
  ViewButtonBlink fresh;
  EXPECT_EQ(Ticks(fresh, false, 6), (std::vector<int>(6, -1)));

  // Stopped right after image 1 was shown: image 0 comes back at the next tick, then nothing.
  ViewButtonBlink blinking;
  Ticks(blinking, true, 4);
  EXPECT_EQ(Ticks(blinking, false, 5), (std::vector<int>{0, -1, -1, -1, -1}));
}

}  // namespace
}  // namespace trovex::app
