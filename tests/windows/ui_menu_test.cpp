// Menu items: commands reach the item's handler, check marks and radio groups are
// what the menu shows, disabled items do nothing, popup menus route the same way.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "platform/ui/form.h"
#include "platform/ui/menu.h"

namespace trovex::ui {
namespace {

class MenuForm : public Form {
 public:
  MenuForm() {
    MainMenu1.Add(View1);
    View1.Add(LargeIcon1);
    View1.Add(N2);
    View1.Add(N3);
    View1.Add(HidenMenu);
    LargeIcon1.SetRadioItem(true);
    N2.SetRadioItem(true);
    N2.SetChecked(true);
    Popup1.Add(PopupItem);
    SetMenu(&MainMenu1);
    for (MenuItem* item : {&LargeIcon1, &N2, &HidenMenu, &PopupItem}) {
      item->OnClick = [this](Component& sender) { clicks.push_back(&sender); };
    }
  }
  void Choose(MenuItem& item) {
    SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(item.CommandId(), 0), 0);
  }

  MainMenu MainMenu1;
  MenuItem View1{"表示(&V)"};
  MenuItem LargeIcon1{"大きいアイコン"};
  MenuItem N2{"一覧"};
  MenuItem N3{"-"};
  MenuItem HidenMenu{"隠し属性を表示"};
  PopupMenu Popup1;
  MenuItem PopupItem{"開く(&O)"};
  std::vector<Component*> clicks;
};

bool Shown(const MenuItem& item, UINT flag) {
  const UINT state = GetMenuState(item.Parent()->Handle(), item.CommandId(), MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & flag) != 0;
}

bool IsRadio(const MenuItem& item) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  GetMenuItemInfoW(item.Parent()->Handle(), item.CommandId(), FALSE, &info);
  return (info.fType & MFT_RADIOCHECK) != 0;
}

TEST(UiMenu, CommandsReachTheChosenItemsHandler) {
  MenuForm form;
  form.Choose(form.HidenMenu);
  form.Choose(form.LargeIcon1);
  form.Choose(form.PopupItem);  // a popup menu's command arrives at its owner the same way
  const std::vector<Component*> expected{&form.HidenMenu, &form.LargeIcon1, &form.PopupItem};
  EXPECT_EQ(form.clicks, expected);
  EXPECT_FALSE(form.HidenMenu.Checked());  // no automatic check mark by default
  form.HidenMenu.SetEnabled(false);
  form.Choose(form.HidenMenu);
  EXPECT_EQ(form.clicks.size(), 3u);
  EXPECT_TRUE(Shown(form.HidenMenu, MF_GRAYED));
}

TEST(UiMenu, CheckingARadioItemUnchecksTheOthersOfItsGroup) {
  MenuForm form;
  EXPECT_TRUE(IsRadio(form.N2));
  EXPECT_TRUE(Shown(form.N2, MF_CHECKED));
  EXPECT_FALSE(Shown(form.LargeIcon1, MF_CHECKED));
  form.LargeIcon1.SetChecked(true);
  EXPECT_TRUE(Shown(form.LargeIcon1, MF_CHECKED));
  EXPECT_FALSE(Shown(form.N2, MF_CHECKED));
  EXPECT_FALSE(form.N2.Checked());
  // A plain item beside them keeps its own state.
  form.HidenMenu.SetChecked(true);
  form.N2.SetChecked(true);
  EXPECT_TRUE(form.HidenMenu.Checked());
  EXPECT_TRUE(Shown(form.HidenMenu, MF_CHECKED));
  EXPECT_FALSE(Shown(form.LargeIcon1, MF_CHECKED));
}

TEST(UiMenu, AutoCheckTogglesBeforeTheHandlerRuns) {
  MenuForm form;
  form.HidenMenu.SetAutoCheck(true);
  bool checkedInHandler = false;
  form.HidenMenu.OnClick = [&](Component&) { checkedInHandler = form.HidenMenu.Checked(); };
  form.Choose(form.HidenMenu);
  EXPECT_TRUE(checkedInHandler);
  form.Choose(form.HidenMenu);
  EXPECT_FALSE(form.HidenMenu.Checked());
  EXPECT_FALSE(Shown(form.HidenMenu, MF_CHECKED));
}

TEST(UiMenu, CaptionsAndSeparatorsAreWhatTheMenuShows) {
  MenuForm form;
  wchar_t text[64] = {};
  GetMenuStringW(form.View1.Handle(), 1, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"一覧");
  EXPECT_TRUE(GetMenuState(form.View1.Handle(), 2, MF_BYPOSITION) & MF_SEPARATOR);
  form.N2.SetCaption("詳細");
  GetMenuStringW(form.View1.Handle(), 1, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"詳細");
  EXPECT_EQ(GetMenuItemCount(form.View1.Handle()), 4);
}

// A hidden item leaves the menu; shown again it returns to its place, and the
// items after it keep answering their own commands.
TEST(UiMenu, HiddenItemsLeaveTheMenuAndComeBackInPlace) {
  MenuForm form;
  form.N2.SetVisible(false);
  form.N3.SetVisible(false);
  ASSERT_EQ(GetMenuItemCount(form.View1.Handle()), 2);
  EXPECT_EQ(GetMenuItemID(form.View1.Handle(), 1), form.HidenMenu.CommandId());
  form.N2.SetCaption("一覧表示");  // a hidden item's change waits for its return
  form.N2.SetVisible(true);
  ASSERT_EQ(GetMenuItemCount(form.View1.Handle()), 3);
  EXPECT_EQ(GetMenuItemID(form.View1.Handle(), 1), form.N2.CommandId());
  wchar_t caption[32] = {};
  GetMenuStringW(form.View1.Handle(), 1, caption, 32, MF_BYPOSITION);
  EXPECT_EQ(std::wstring(caption), L"\u4e00\u89a7\u8868\u793a");
  form.Choose(form.HidenMenu);
  ASSERT_EQ(form.clicks.size(), 1u);
  EXPECT_EQ(form.clicks[0], &form.HidenMenu);
}

}  // namespace
}  // namespace trovex::ui
