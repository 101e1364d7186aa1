// List boxes: an owner-drawn list has every visible item painted by OnDrawItem at
// its fixed height with its state, and only the user's choice runs the events.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ui/form.h"
#include "platform/ui/list_box.h"

namespace trovex::ui {
namespace {

struct Drawn {
  int index;
  RECT rect;
  OwnerDrawState state;
};

TEST(UiListBox, OwnerDrawnItemsArePaintedByTheHandlerAtTheirHeight) {
  Form form;
  form.SetClientSize(300, 200);
  ListBox ListBox1(&form, ListBoxStyle::OwnerDrawFixed);
  ListBox1.SetBounds(10, 10, 200, 100);
  ListBox1.SetItemHeight(20);
  ListBox1.SetItems({"C:\\", "C:\\検索", "Z:\\表"});
  ListBox1.SetItemIndex(1);
  std::vector<Drawn> drawn;
  std::vector<std::string> texts;
  ListBox1.OnDrawItem = [&](ListBox& box, int index, Canvas& canvas, const RECT& rect,
                            OwnerDrawState state) {
    drawn.push_back({index, rect, state});
    texts.push_back(box.Item(index));
    canvas.FillRect(rect);
  };
  form.Show();
  ListBox1.Repaint();
  ASSERT_GE(drawn.size(), 3u);
  EXPECT_EQ(ListBox1.ItemHeight(), 20);
  for (const Drawn& item : drawn) {
    ASSERT_GE(item.index, 0);
    ASSERT_LT(item.index, 3);
    EXPECT_EQ(item.rect.top, item.index * 20);
    EXPECT_EQ(item.rect.bottom - item.rect.top, 20);
    EXPECT_EQ((item.state & odSelected) != 0, item.index == 1) << item.index;
  }
  EXPECT_NE(std::find(texts.begin(), texts.end(), "C:\\検索"), texts.end());
  form.Hide();
}

TEST(UiListBox, OnlyTheUsersChoiceRunsOnClickAndOnChange) {
  Form form;
  ListBox ListBox1(&form);
  ListBox1.SetItems({"一", "二", "三"});
  int clicks = 0;
  std::vector<int> changes;
  ListBox1.OnClick = [&](Component&) { ++clicks; };
  ListBox1.OnChange = [&](Component&) { changes.push_back(ListBox1.ItemIndex()); };
  ListBox1.SetItemIndex(2);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(ListBox1.ItemIndex(), 2);
  // A click on the first item.
  const int height = ListBox1.ItemHeight();
  SendMessageW(ListBox1.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, height / 2));
  SendMessageW(ListBox1.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, height / 2));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(changes, std::vector<int>{0});
  EXPECT_EQ(ListBox1.Item(ListBox1.ItemIndex()), "一");
  ListBox1.ClearItems();
  EXPECT_EQ(ListBox1.ItemCount(), 0);
  EXPECT_EQ(ListBox1.ItemIndex(), -1);
}

// A borderless list loses its edge: its client area is then the whole window.
TEST(UiListBox, ABorderlessListHasNoEdge) {
  Form form;
  form.SetClientSize(300, 200);
  ListBox ListBox1(&form);
  ListBox1.SetBounds(10, 10, 200, 100);
  ASSERT_NE(GetWindowLongPtrW(ListBox1.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  ListBox1.SetBorderless();
  EXPECT_EQ(GetWindowLongPtrW(ListBox1.Handle(), GWL_EXSTYLE), 0);
  RECT window{}, client{};
  GetWindowRect(ListBox1.Handle(), &window);
  GetClientRect(ListBox1.Handle(), &client);
  EXPECT_EQ(client.right, window.right - window.left);
  EXPECT_EQ(client.bottom, window.bottom - window.top);
}

}  // namespace
}  // namespace trovex::ui
