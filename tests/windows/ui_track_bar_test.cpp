// The 64-bit slider: positions beyond what the system slider counts stay exact,
// the position is kept within the maximum, and OnChange runs once per change.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "platform/ui/form.h"
#include "platform/ui/track_bar64.h"

namespace trovex::ui {
namespace {

class SliderForm : public Form {
 public:
  SliderForm() : Slider(this) {
    Slider.OnChange = [this](Component&) { ++changes; };
  }
  TrackBar64 Slider;
  int changes = 0;
};

TEST(UiTrackBar, APositionBeyond32BitsStaysExact) {
  SliderForm form;
  const std::uint64_t max = 5'000'000'000'000ull;  // pages of a very large file
  form.Slider.SetMax(max);
  form.Slider.SetPosition(4'000'000'000'001ull);
  EXPECT_EQ(form.Slider.Position(), 4'000'000'000'001ull);
  EXPECT_EQ(form.changes, 1);
  form.Slider.SetPosition(4'000'000'000'001ull);  // no change, no event
  EXPECT_EQ(form.changes, 1);
  form.Slider.SetPosition(max + 7);
  EXPECT_EQ(form.Slider.Position(), max);
  // The system slider's thumb stands at the last of its steps.
  const auto top = SendMessageW(form.Slider.Handle(), TBM_GETRANGEMAX, 0, 0);
  EXPECT_EQ(SendMessageW(form.Slider.Handle(), TBM_GETPOS, 0, 0), top);
  EXPECT_LE(top, 0x7FFFFFFF);

  // A smaller maximum pulls the position in and says so.
  form.Slider.SetMax(10);
  EXPECT_EQ(form.Slider.Position(), 10u);
  EXPECT_EQ(form.changes, 3);
}

TEST(UiTrackBar, AMoveOfTheThumbIsTheNewPosition) {
  SliderForm form;
  form.Slider.SetMax(300);
  SendMessageW(form.Slider.Handle(), TBM_SETPOS, TRUE, 120);
  SendMessageW(form.Handle(), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 120),
               reinterpret_cast<LPARAM>(form.Slider.Handle()));
  EXPECT_EQ(form.Slider.Position(), 120u);
  EXPECT_EQ(form.changes, 1);
  SendMessageW(form.Handle(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
               reinterpret_cast<LPARAM>(form.Slider.Handle()));
  EXPECT_EQ(form.changes, 1);
}

}  // namespace
}  // namespace trovex::ui
