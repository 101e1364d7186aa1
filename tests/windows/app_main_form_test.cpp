// The main window's frame: its border, menus, hints in the status line, the shadowed
// status text, the timer's button states and the exit item.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/main_form.h"
#include "platform/ui/wide.h"
#include "startup_test_support.h"
#include "windows/support/ui_script.h"

namespace trovex::app {
namespace {

std::string MenuText(HMENU menu, int position) {
  wchar_t text[64] = {};
  GetMenuStringW(menu, static_cast<UINT>(position), text, 64, MF_BYPOSITION);
  return ui::Narrow(text);
}

// The window starts with its folders in a temporary folder and an empty settings
// key that is put back as it was afterwards.
class MainFormFrame : public ::testing::Test {
 protected:
  MainFormFrame() { startup_test::SettingsKeyGuard::CreateEmptyKey(); }
  StartupEnvironment Environment() const { return {dir_.path() + "Trovex.exe", "someone"}; }

 private:
  startup_test::SettingsKeyGuard guard_;
  startup_test::TempDir dir_;
};

TEST_F(MainFormFrame, FixedSingleBorderWithSystemMenuAndMinimiseBoxOnly) {
  TForm1 form(Environment());
  EXPECT_EQ(form.Caption(), "Trovex β");
  const LONG style = GetWindowLongW(form.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_EQ(form.ClientWidth(), TForm1::kClientWidth);
}

TEST_F(MainFormFrame, MenusHoldTheDesignedItems) {
  TForm1 form(Environment());
  HMENU bar = GetMenu(form.Handle());
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(MenuText(bar, 0), "ファイル(&F)");
  EXPECT_EQ(MenuText(bar, 1), "編集(&E)");
  EXPECT_EQ(MenuText(bar, 2), "表示(&V)");
  EXPECT_EQ(MenuText(form.FileMenu.Handle(), 0), "開く(&O)");
  EXPECT_EQ(MenuText(form.FileMenu.Handle(), 2), "終了(&X)");
  EXPECT_EQ(MenuText(form.EditMenu.Handle(), 1), "選択の切り替え(&I)");
  EXPECT_TRUE(form.N2.Checked());
  EXPECT_TRUE(form.N2.RadioItem() && form.LargeIcon1.RadioItem());
  EXPECT_FALSE(form.HidenMenu.Checked());
  EXPECT_EQ(form.HidenMenu.ImageIndex(), 2);
  EXPECT_EQ(form.Open1.Hint(), "検索するフォルダを開く");
  EXPECT_EQ(form.ImageList1.Count(), 12);
}

TEST_F(MainFormFrame, TheStatusLineShowsTheLongHintOfTheControlUnderTheMouse) {
  TForm1 form(Environment());
  auto moveOver = [](ui::Control& control) {
    PostMessageW(control.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    ui::App().ProcessMessages();
  };
  moveOver(form.SpeedButton7);
  EXPECT_EQ(form.StatusBar1.PanelText(0), "検索したファイルを一覧表示する");
  moveOver(form.SpeedButton3);
  EXPECT_EQ(form.StatusBar1.PanelText(0), "Start");
  moveOver(form);
  EXPECT_EQ(form.StatusBar1.PanelText(0), "");
}

TEST_F(MainFormFrame, StatusTextIsDrawnDarkOverALightShadowOnTheBarColour) {
  TForm1 form(Environment());
  form.StatusBarColor = 0xC3C3C3;
  form.StatusBar1.SetPanelText(0, "HHHH");
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 120, 20);
  ReleaseDC(nullptr, screen);
  SelectObject(dc, bitmap);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_STATIC;
  item.hwndItem = form.StatusBar1.Handle();
  item.itemID = 0;
  item.hDC = dc;
  item.rcItem = RECT{0, 0, 120, 20};
  // The bar's owner draws it: the message goes through the form's routing.
  SendMessageW(form.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
  int dark = 0, light = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 120; ++x) {
      const COLORREF pixel = GetPixel(dc, x, y);
      dark += pixel == 0x404040;
      light += pixel == 0xD0D0D0;
    }
  }
  EXPECT_EQ(GetPixel(dc, 119, 0), static_cast<COLORREF>(0xC3C3C3));
  EXPECT_GT(dark, 10);
  EXPECT_GT(light, 0);  // the shadow shows one pixel right and two below
  DeleteDC(dc);
  DeleteObject(bitmap);
}

TEST_F(MainFormFrame, TheTimerEnablesTheLogButtonAndBlinksTheViewButton) {
  TForm1 form(Environment());
  EXPECT_FALSE(form.LogSpBtn.Enabled());
  EXPECT_FALSE(form.Timer1.Enabled());
  EXPECT_EQ(form.Timer1.Interval(), 500u);
  form.State.ErrorLogList.push_back("2026/12/08 ログオフに失敗しました");
  form.Timer1Timer(form.Timer1);
  EXPECT_TRUE(form.LogSpBtn.Enabled());

  form.State.Settings.PendingResultsFlag = true;
  std::vector<int> glyphs;
  for (int tick = 0; tick < 5; ++tick) {
    form.Timer1Timer(form.Timer1);
    glyphs.push_back(form.SpeedButton7.GlyphIndex());
  }
  // One tick has passed already: image 1 comes at the third tick from here.
  EXPECT_EQ(glyphs, (std::vector<int>{0, 0, 1, 0, 0}));
}

TEST_F(MainFormFrame, ExitClosesTheMainWindowAndEndsTheProgram) {
  TForm1 form(Environment());
  ui::App().SetMainForm(&form);
  form.Show();
  SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(form.Exit1.CommandId(), 0), 0);
  ui::App().ProcessMessages();
  EXPECT_TRUE(ui::App().Terminated());
  EXPECT_FALSE(form.Visible());
  ui::App().ResetTerminated();
  ui::App().SetMainForm(nullptr);
}

}  // namespace
}  // namespace trovex::app
