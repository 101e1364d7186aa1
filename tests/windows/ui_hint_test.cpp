// The application hint: long part to the hint handler, short part in the tooltip,
// the nearest hinted parent's hint, menu item hints; the busy cursor.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/button.h"
#include "platform/ui/form.h"
#include "platform/ui/label.h"
#include "platform/ui/menu.h"
#include "platform/ui/panel.h"
#include "platform/ui/wide.h"
#include "windows/support/ui_script.h"

namespace trovex::ui {
namespace {

class HintForm : public Form {
 public:
  HintForm() : Start(this, "開始"), Log(this, "ログ"), Panel1(this), Inner(&Panel1, "内容") {
    Start.SetHint("Start");
    Log.SetHint("Error log|エラーログ");
    Panel1.SetHint("検索ドライブの選択|選択したドライブ又はフォルダを検索");
    Panel1.SetBounds(0, 60, 200, 100);
    MainMenu1.Add(File1);
    File1.Add(Open1);
    Open1.SetHint("検索するフォルダを開く");
    SetMenu(&MainMenu1);
  }
  Button Start;
  Button Log;
  Panel Panel1;
  Label Inner;
  MainMenu MainMenu1;
  MenuItem File1{"ファイル(&F)"};
  MenuItem Open1{"開く(&O)"};
};

std::string TooltipText(HWND tooltip, HWND owner, HWND control) {
  wchar_t buffer[256] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = buffer;
  SendMessageW(tooltip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
  return Narrow(buffer);
}

TEST(UiHint, TheMouseOverAControlGivesItsLongHintToTheHandler) {
  HintForm form;
  std::vector<std::string> seen;
  App().OnHint = [&](const std::string& hint) { seen.push_back(hint); };
  auto moveOver = [](Control& control) {
    PostMessageW(control.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    App().ProcessMessages();
  };
  moveOver(form.Log);
  moveOver(form.Start);
  moveOver(form.Inner);  // no hint of its own: the panel's
  moveOver(form);        // nothing hinted
  moveOver(form);        // no change, no call
  App().OnHint = nullptr;
  const std::vector<std::string> expected{"エラーログ", "Start",
                                          "選択したドライブ又はフォルダを検索", ""};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(App().Hint(), "");
}

TEST(UiHint, TheTooltipShowsTheShortPartAndFollowsHintChanges) {
  HintForm form;
  HWND tooltip = form.TooltipHandle();
  ASSERT_NE(tooltip, nullptr);
  EXPECT_EQ(TooltipText(tooltip, form.Handle(), form.Log.Handle()), "Error log");
  EXPECT_EQ(TooltipText(tooltip, form.Handle(), form.Start.Handle()), "Start");
  const LRESULT tools = SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0);
  form.Start.SetHint("");
  EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), tools - 1);
  form.Log.SetHint("ログ|ログを開く");
  EXPECT_EQ(TooltipText(tooltip, form.Handle(), form.Log.Handle()), "ログ");
}

TEST(UiHint, AMenuItemUnderTheMouseGivesItsHintUntilTheMenuCloses) {
  HintForm form;
  std::string last = "none";
  App().OnHint = [&](const std::string& hint) { last = hint; };
  SendMessageW(form.Handle(), WM_MENUSELECT, MAKEWPARAM(form.Open1.CommandId(), MF_STRING),
               reinterpret_cast<LPARAM>(form.File1.Handle()));
  EXPECT_EQ(last, "検索するフォルダを開く");
  SendMessageW(form.Handle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(last, "");
  App().OnHint = nullptr;
}

TEST(UiHint, AFormsHintHandlerGoesWithItAndLeavesOthersAlone) {
  std::string last;
  {
    HintForm owner;
    HintForm other;
    App().SetHintHandler(&owner, [&](const std::string& hint) { last = hint; });
    { HintForm passing; }
    ASSERT_TRUE(static_cast<bool>(App().OnHint));
    App().SetHint("ログ");
    EXPECT_EQ(last, "ログ");
  }
  EXPECT_FALSE(static_cast<bool>(App().OnHint));
  App().SetHint("");
  EXPECT_EQ(last, "ログ");
}

TEST(UiHint, AGuardPutsBackTheHandlerThatWasThereWithItsForm) {
  std::string below, above;
  HintForm lower;
  App().SetHintHandler(&lower, [&](const std::string& hint) { below = hint; });
  {
    HintForm upper;
    HintHandlerGuard guard;
    guard.Install(&upper, [&](const std::string& hint) { above = hint; });
    EXPECT_EQ(App().HintHandlerOwner(), &upper);
    App().SetHint("上");
    EXPECT_EQ(above, "上");
    EXPECT_EQ(below, "");
    guard.Restore();
    EXPECT_EQ(App().HintHandlerOwner(), &lower);
    App().SetHint("下");
    EXPECT_EQ(below, "下");
    EXPECT_EQ(above, "上");
    guard.Restore();  // once only: the lower form's handler stays
    EXPECT_EQ(App().HintHandlerOwner(), &lower);
  }
  // A guard that ends while its form's handler is in place restores too, and the
  // restored handler still goes with its own form.
  {
    HintForm upper;
    HintHandlerGuard guard;
    guard.Install(&upper, [&](const std::string& hint) { above = hint; });
  }
  EXPECT_EQ(App().HintHandlerOwner(), &lower);
  App().SetHint("戻り");
  EXPECT_EQ(below, "戻り");
  App().DropHintHandlerOf(&lower);
  EXPECT_FALSE(static_cast<bool>(App().OnHint));
  App().SetHint("");
}

TEST(UiHint, AGuardLeavesAHandlerInstalledAfterItsOwnAlone) {
  std::string seen;
  HintForm upper;
  HintForm later;
  {
    HintHandlerGuard guard;
    guard.Install(&upper, [&](const std::string&) { seen = "upper"; });
    App().SetHintHandler(&later, [&](const std::string&) { seen = "later"; });
  }
  EXPECT_EQ(App().HintHandlerOwner(), &later);
  App().SetHint("x");
  EXPECT_EQ(seen, "later");
  App().DropHintHandlerOf(&later);
  App().SetHint("");
}

TEST(UiHint, TheBusyCursorHoldsWhileAnyBusyScopeLives) {
  HintForm form;
  form.Start.SetCursor(Cursor::Hand);
  auto cursorOver = [&](Control& control) {
    SendMessageW(control.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(control.Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  };
  const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
  EXPECT_EQ(cursorOver(form.Start), LoadCursorW(nullptr, IDC_HAND));
  {
    BusyCursor outer;
    {
      BusyCursor inner;
      EXPECT_TRUE(App().Busy());
    }
    EXPECT_TRUE(App().Busy());
    EXPECT_EQ(cursorOver(form.Start), wait);
    EXPECT_EQ(cursorOver(form.Log), wait);
  }
  EXPECT_FALSE(App().Busy());
  EXPECT_EQ(cursorOver(form.Start), LoadCursorW(nullptr, IDC_HAND));
}

}  // namespace
}  // namespace trovex::ui
