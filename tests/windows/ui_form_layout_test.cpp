// Layout on resize: anchored controls keep their distance to the anchored edges of
// their parent (stretching when anchored on both sides), also inside a panel and
// across a minimise; and the tool-window borders give a tool window's frame.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/memo.h"
#include "platform/ui/panel.h"

namespace trovex::ui {
namespace {

struct Bounds {
  int left, top, width, height;
  bool operator==(const Bounds&) const = default;
};

Bounds BoundsOf(const Control& control) {
  return {control.Left(), control.Top(), control.Width(), control.Height()};
}

void PrintTo(const Bounds& b, std::ostream* out) {
  *out << "(" << b.left << ", " << b.top << ", " << b.width << " x " << b.height << ")";
}

class LayoutForm : public Form {
 public:
  LayoutForm()
      : Fixed(this, "固定"),
        RightButton(this, "閉じる"),
        WideEdit(this),
        BottomButton(this, "保存"),
        Panel1(this),
        Memo1(&Panel1),
        CornerButton(&Panel1, "全") {
    SetClientSize(400, 300);
    Fixed.SetBounds(10, 10, 80, 24);
    RightButton.SetBounds(310, 10, 80, 24);
    WideEdit.SetBounds(10, 40, 380, 21);
    BottomButton.SetBounds(10, 266, 80, 24);
    Panel1.SetBounds(10, 70, 380, 190);
    Memo1.SetBounds(5, 5, 370, 150);
    CornerButton.SetBounds(295, 160, 80, 24);
    RightButton.SetAnchors(akTop | akRight);
    WideEdit.SetAnchors(akLeft | akTop | akRight);
    BottomButton.SetAnchors(akLeft | akBottom);
    Panel1.SetAnchors(akLeft | akTop | akRight | akBottom);
    Memo1.SetAnchors(akLeft | akTop | akRight | akBottom);
    CornerButton.SetAnchors(akRight | akBottom);
  }
  Button Fixed;
  Button RightButton;
  Edit WideEdit;
  Button BottomButton;
  Panel Panel1;
  Memo Memo1;
  Button CornerButton;
};

TEST(UiAnchors, AnchoredControlsFollowTheEdgesOfTheirParent) {
  LayoutForm form;
  form.SetClientSize(500, 350);  // 100 wider, 50 taller
  EXPECT_EQ(BoundsOf(form.Fixed), (Bounds{10, 10, 80, 24}));
  EXPECT_EQ(BoundsOf(form.RightButton), (Bounds{410, 10, 80, 24}));
  EXPECT_EQ(BoundsOf(form.WideEdit), (Bounds{10, 40, 480, 21}));
  EXPECT_EQ(BoundsOf(form.BottomButton), (Bounds{10, 316, 80, 24}));
  EXPECT_EQ(BoundsOf(form.Panel1), (Bounds{10, 70, 480, 240}));
  // Inside the stretched panel, by as much as the panel grew.
  EXPECT_EQ(BoundsOf(form.Memo1), (Bounds{5, 5, 470, 200}));
  EXPECT_EQ(BoundsOf(form.CornerButton), (Bounds{395, 210, 80, 24}));
  form.SetClientSize(400, 300);
  EXPECT_EQ(BoundsOf(form.RightButton), (Bounds{310, 10, 80, 24}));
  EXPECT_EQ(BoundsOf(form.Memo1), (Bounds{5, 5, 370, 150}));
}

TEST(UiAnchors, ControlsMovedByTheProgramFollowFromWhereTheyAre) {
  LayoutForm form;
  form.RightButton.SetLeft(200);
  form.SetClientSize(450, 300);
  EXPECT_EQ(form.RightButton.Left(), 250);
  form.RightButton.SetAnchors(akLeft | akTop);
  form.SetClientSize(500, 300);
  EXPECT_EQ(form.RightButton.Left(), 250);
}

TEST(UiAnchors, AMinimisedWindowKeepsItsLayoutForTheRestore) {
  LayoutForm form;
  form.Show();
  ShowWindow(form.Handle(), SW_MINIMIZE);
  ShowWindow(form.Handle(), SW_RESTORE);
  EXPECT_EQ(form.ClientWidth(), 400);
  EXPECT_EQ(BoundsOf(form.RightButton), (Bounds{310, 10, 80, 24}));
  EXPECT_EQ(BoundsOf(form.Memo1), (Bounds{5, 5, 370, 150}));
  form.Hide();
}

TEST(UiToolWindow, ToolBordersGiveAToolWindowFrameWithoutMinimiseOrMaximise) {
  Form form;
  form.SetBorder(BorderStyle::SizeToolWin, biSystemMenu | biMinimize | biMaximize);
  LONG style = GetWindowLongW(form.Handle(), GWL_STYLE);
  EXPECT_TRUE(GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(style & WS_THICKFRAME);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  form.SetBorder(BorderStyle::ToolWindow, biSystemMenu | biMinimize);
  style = GetWindowLongW(form.Handle(), GWL_STYLE);
  EXPECT_TRUE(GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX));
  EXPECT_TRUE(style & WS_CAPTION);
  form.SetBorder(BorderStyle::Single, biSystemMenu | biMinimize);
  style = GetWindowLongW(form.Handle(), GWL_STYLE);
  EXPECT_FALSE(GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
}

}  // namespace
}  // namespace trovex::ui
