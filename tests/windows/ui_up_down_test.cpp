// The up-down arrows beside a number box: clicks move the position and the box's
// number, run OnClick and OnChange, and wrap around at the ends when asked to.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/up_down.h"

namespace trovex::ui {
namespace {

class SizeForm : public Form {
 public:
  SizeForm() : NumberEdit2(this), UpDown1(this) {
    NumberEdit2.SetBounds(10, 10, 60, 21);
    NumberEdit2.SetNumbersOnly(true);
    UpDown1.SetRange(1, 1024);
    UpDown1.SetAssociate(&NumberEdit2);
    UpDown1.SetPosition(10);
    UpDown1.OnChange = [this](Component&) { changes.push_back(UpDown1.Position()); };
    UpDown1.OnClick = [this](Component&) { ++clicks; };
  }
  Edit NumberEdit2;
  UpDown UpDown1;
  std::vector<int> changes;
  int clicks = 0;
};

// A click on the upper (up) or lower (down) arrow.
void ClickArrow(UpDown& arrows, bool up) {
  RECT rect{};
  GetClientRect(arrows.Handle(), &rect);
  const LPARAM at = MAKELPARAM(rect.right / 2, up ? 2 : rect.bottom - 3);
  SendMessageW(arrows.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(arrows.Handle(), WM_LBUTTONUP, 0, at);
}

TEST(UiUpDown, ClicksMoveThePositionAndTheBoxsNumber) {
  SizeForm form;
  EXPECT_EQ(form.NumberEdit2.Text(), "10");
  ClickArrow(form.UpDown1, true);
  ClickArrow(form.UpDown1, true);
  ClickArrow(form.UpDown1, false);
  EXPECT_EQ(form.UpDown1.Position(), 11);
  EXPECT_EQ(form.NumberEdit2.Text(), "11");
  EXPECT_EQ(form.changes, (std::vector<int>{11, 12, 11}));
  EXPECT_EQ(form.clicks, 3);
  // The program's own setting runs no event.
  form.UpDown1.SetPosition(500);
  EXPECT_EQ(form.changes.size(), 3u);
  EXPECT_EQ(form.NumberEdit2.Text(), "500");
}

TEST(UiUpDown, NumbersHaveNoThousandsSeparatorAndTypedNumbersAreRead) {
  SizeForm form;
  form.UpDown1.SetPosition(1023);
  ClickArrow(form.UpDown1, true);
  EXPECT_EQ(form.NumberEdit2.Text(), "1024");
  form.NumberEdit2.SetText("300");
  EXPECT_EQ(form.UpDown1.Position(), 300);
  ClickArrow(form.UpDown1, true);
  EXPECT_EQ(form.NumberEdit2.Text(), "301");
}

TEST(UiUpDown, StepsBeyondAnEndWrapOnlyWhenWrapIsOn) {
  SizeForm form;
  form.UpDown1.SetPosition(1024);
  ClickArrow(form.UpDown1, true);
  EXPECT_EQ(form.UpDown1.Position(), 1024);
  form.UpDown1.SetWrap(true);
  EXPECT_TRUE(form.UpDown1.Wrap());
  ClickArrow(form.UpDown1, true);
  EXPECT_EQ(form.UpDown1.Position(), 1);
  EXPECT_EQ(form.NumberEdit2.Text(), "1");
  ClickArrow(form.UpDown1, false);
  EXPECT_EQ(form.UpDown1.Position(), 1024);
  EXPECT_EQ(form.changes, (std::vector<int>{1, 1024}));
}

}  // namespace
}  // namespace trovex::ui
