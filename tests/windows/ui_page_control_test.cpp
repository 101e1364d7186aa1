// The page control: tabs over pages, the chosen tab's page shown alone, OnChange
// on every choice, pages filling the area under the tabs.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "platform/ui/button.h"
#include "platform/ui/form.h"
#include "platform/ui/page_control.h"
#include "platform/ui/wide.h"

namespace trovex::ui {
namespace {

class PagesForm : public Form {
 public:
  PagesForm()
      : PageControl1(this),
        TabSheet1(PageControl1, "検索ファイルビュー"),
        TabSheet2(PageControl1, "バイナリビュー"),
        Box(&TabSheet2, "行を余分に表示する") {
    SetClientSize(300, 200);
    PageControl1.SetBounds(10, 10, 280, 150);
    PageControl1.OnChange = [this](Component&) {
      changes.push_back(PageControl1.ActivePageIndex());
    };
  }
  PageControl PageControl1;
  TabSheet TabSheet1;
  TabSheet TabSheet2;
  CheckBox Box;
  std::vector<int> changes;
};

std::string TabText(PageControl& pages, int index) {
  wchar_t text[64] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 64;
  SendMessageW(pages.Handle(), TCM_GETITEMW, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&item));
  return Narrow(text);
}

TEST(UiPageControl, TabsCarryThePageCaptionsAndTheFirstPageShows) {
  PagesForm form;
  ASSERT_EQ(form.PageControl1.PageCount(), 2);
  EXPECT_EQ(TabText(form.PageControl1, 0), "検索ファイルビュー");
  EXPECT_EQ(TabText(form.PageControl1, 1), "バイナリビュー");
  EXPECT_EQ(&form.PageControl1.Page(1), &form.TabSheet2);
  EXPECT_EQ(form.PageControl1.ActivePageIndex(), 0);
  EXPECT_TRUE(form.TabSheet1.Visible());
  EXPECT_FALSE(form.TabSheet2.Visible());
  // The page fills the area under the tabs.
  RECT display{};
  GetClientRect(form.PageControl1.Handle(), &display);
  SendMessageW(form.PageControl1.Handle(), TCM_ADJUSTRECT, FALSE,
               reinterpret_cast<LPARAM>(&display));
  EXPECT_EQ(form.TabSheet1.Top(), display.top);
  EXPECT_EQ(form.TabSheet1.Width(), display.right - display.left);
  EXPECT_GT(display.top, 0);
}

TEST(UiPageControl, ChoosingATabShowsItsPageAndRunsOnChange) {
  PagesForm form;
  form.PageControl1.SetActivePageIndex(1);
  EXPECT_TRUE(form.TabSheet2.Visible());
  EXPECT_FALSE(form.TabSheet1.Visible());
  // The user's choice arrives as TCN_SELCHANGE.
  SendMessageW(form.PageControl1.Handle(), TCM_SETCURSEL, 0, 0);
  NMHDR header{form.PageControl1.Handle(), 0, static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(form.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
  EXPECT_TRUE(form.TabSheet1.Visible());
  EXPECT_FALSE(form.TabSheet2.Visible());
  EXPECT_EQ(form.changes, (std::vector<int>{1, 0}));
  form.PageControl1.SetActivePageIndex(5);  // no such page: nothing happens
  EXPECT_EQ(form.PageControl1.ActivePageIndex(), 0);
  EXPECT_EQ(form.changes.size(), 2u);
}

TEST(UiPageControl, ControlsOnAPageWorkAsAnywhere) {
  PagesForm form;
  form.PageControl1.SetActivePageIndex(1);
  int clicks = 0;
  form.Box.OnClick = [&](Component&) { ++clicks; };
  SendMessageW(form.Box.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(form.Box.Checked());
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace trovex::ui
