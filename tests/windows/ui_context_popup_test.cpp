// Mouse and context-menu events reach standard and own controls: mouse-down with
// its client position, OnContextPopup with client coordinates (the corner from the
// keyboard), the popup menu when the handler leaves it, and the parent otherwise.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "platform/ui/button.h"
#include "platform/ui/form.h"
#include "platform/ui/list_box.h"
#include "platform/ui/menu.h"
#include "platform/ui/panel.h"
#include "windows/support/ui_script.h"

namespace trovex::ui {
namespace {

struct Request {
  Component* sender;
  int x;
  int y;
};

class PopupForm : public Form {
 public:
  PopupForm() : Panel1(this), ListBox1(&Panel1), Button1(&Panel1, "開く") {
    SetBounds(100, 100, 400, 300);
    Panel1.SetBounds(20, 30, 300, 200);
    ListBox1.SetBounds(10, 10, 150, 100);
    Button1.SetBounds(170, 10, 80, 24);
    PopupMenu1.Add(Open1);
    PopupMenu1.Add(Copy1);
    Open1.OnClick = [this](Component& sender) { chosen.push_back(&sender); };
    Copy1.OnClick = [this](Component& sender) { chosen.push_back(&sender); };
    auto record = [this](Component& sender, int x, int y, bool& handled) {
      requests.push_back({&sender, x, y});
      handled = handleRequests;
    };
    Panel1.OnContextPopup = record;
    ListBox1.OnContextPopup = record;
  }
  Panel Panel1;
  ListBox ListBox1;
  Button Button1;
  PopupMenu PopupMenu1;
  MenuItem Open1{"開く(&O)"};
  MenuItem Copy1{"コピー(&C)"};
  std::vector<Request> requests;
  std::vector<Component*> chosen;
  bool handleRequests = true;
};

LPARAM ScreenPoint(Control& control, int x, int y) {
  POINT at{x, y};
  ClientToScreen(control.Handle(), &at);
  return MAKELPARAM(at.x, at.y);
}

TEST(UiContextPopup, TheHandlerReceivesClientCoordinatesAndTheCornerFromTheKeyboard) {
  PopupForm form;
  SendMessageW(form.ListBox1.Handle(), WM_CONTEXTMENU,
               reinterpret_cast<WPARAM>(form.ListBox1.Handle()),
               ScreenPoint(form.ListBox1, 12, 34));
  SendMessageW(form.Panel1.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form.Panel1.Handle()),
               ScreenPoint(form.Panel1, 250, 150));
  SendMessageW(form.ListBox1.Handle(), WM_CONTEXTMENU,
               reinterpret_cast<WPARAM>(form.ListBox1.Handle()), MAKELPARAM(-1, -1));
  ASSERT_EQ(form.requests.size(), 3u);
  EXPECT_EQ(form.requests[0].sender, &form.ListBox1);
  EXPECT_EQ(form.requests[0].x, 12);
  EXPECT_EQ(form.requests[0].y, 34);
  EXPECT_EQ(form.requests[1].sender, &form.Panel1);
  EXPECT_EQ(form.requests[1].x, 250);
  EXPECT_EQ(form.requests[1].y, 150);
  EXPECT_EQ(form.requests[2].x, 0);
  EXPECT_EQ(form.requests[2].y, 0);
}

TEST(UiContextPopup, AControlWithoutAHandlerOrMenuPassesTheRequestToItsParent) {
  PopupForm form;
  // A right click on the button arrives at the button first.
  SendMessageW(form.Button1.Handle(), WM_CONTEXTMENU,
               reinterpret_cast<WPARAM>(form.Button1.Handle()), ScreenPoint(form.Button1, 5, 6));
  ASSERT_EQ(form.requests.size(), 1u);
  EXPECT_EQ(form.requests[0].sender, &form.Panel1);
  EXPECT_EQ(form.requests[0].x, 170 + 5);
  EXPECT_EQ(form.requests[0].y, 10 + 6);
}

TEST(UiContextPopup, TheMenuShowsWhenTheHandlerLeavesItAndItsChoiceRuns) {
  PopupForm form;
  form.handleRequests = false;
  form.ListBox1.SetPopupMenu(&form.PopupMenu1);
  EXPECT_EQ(form.ListBox1.ContextMenu(), &form.PopupMenu1);
  form.Show();
  int shown = 0;
  // Once the menu is up, the user moves to the second item and chooses it.
  form.PopupMenu1.OnPopup = [&](Component&) {
    ++shown;
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
      PostMessageW(form.ListBox1.Handle(), WM_KEYDOWN, key, 0);
      PostMessageW(form.ListBox1.Handle(), WM_KEYUP, key, 0xC0000000);
    }
  };
  SendMessageW(form.ListBox1.Handle(), WM_CONTEXTMENU,
               reinterpret_cast<WPARAM>(form.ListBox1.Handle()), ScreenPoint(form.ListBox1, 3, 4));
  EXPECT_EQ(shown, 1);
  ASSERT_EQ(form.requests.size(), 1u);
  // The chosen command is posted to the list box.
  EXPECT_TRUE(testing::PumpUntil([&] { return !form.chosen.empty(); }));
  ASSERT_EQ(form.chosen.size(), 1u);
  EXPECT_EQ(form.chosen[0], &form.Copy1);
  form.Hide();
}

TEST(UiMouseEvents, MouseDownCarriesTheClientPositionOnStandardAndOwnControls) {
  PopupForm form;
  struct Down {
    Component* sender;
    MouseButton button;
    int x;
    int y;
  };
  std::vector<Down> downs;
  auto record = [&](Component& sender, MouseButton button, ShiftState, int x, int y) {
    downs.push_back({&sender, button, x, y});
  };
  form.Button1.OnMouseDown = record;
  form.Panel1.OnMouseDown = record;
  form.ListBox1.OnMouseDown = record;
  SendMessageW(form.Button1.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 8));
  SendMessageW(form.Button1.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(7, 8));
  SendMessageW(form.Panel1.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(280, 190));
  SendMessageW(form.ListBox1.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 2));
  SendMessageW(form.ListBox1.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 2));
  ASSERT_EQ(downs.size(), 3u);
  EXPECT_EQ(downs[0].sender, &form.Button1);
  EXPECT_EQ(downs[0].button, MouseButton::Left);
  EXPECT_EQ(downs[0].x, 7);
  EXPECT_EQ(downs[0].y, 8);
  EXPECT_EQ(downs[1].sender, &form.Panel1);
  EXPECT_EQ(downs[1].button, MouseButton::Right);
  EXPECT_EQ(downs[1].x, 280);
  EXPECT_EQ(downs[2].sender, &form.ListBox1);
  EXPECT_EQ(downs[2].y, 2);
}

}  // namespace
}  // namespace trovex::ui
