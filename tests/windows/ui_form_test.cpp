// Form placement and frame: centring, client size under a menu bar, minimum size,
// border styles, and the order of the form's events.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ui/form.h"
#include "platform/ui/menu.h"

namespace trovex::ui {
namespace {

class EventForm : public Form {
 public:
  using Form::Form;
  void FormCreate() override { events.push_back("create"); }
  void FormShow() override { events.push_back("show"); }
  void FormResize() override { events.push_back("resize"); }
  void FormDestroy() override { events.push_back("destroy"); }
  std::vector<std::string> events;
};

TEST(UiForm, ScreenCentredOnFirstShowAndOwnerCentredForDialogs) {
  Form main;
  main.SetBounds(10, 20, 400, 300);
  main.SetPosition(FormPosition::ScreenCenter);
  main.Show();
  EXPECT_EQ(main.Left(), (GetSystemMetrics(SM_CXSCREEN) - 400) / 2);
  EXPECT_EQ(main.Top(), (GetSystemMetrics(SM_CYSCREEN) - 300) / 2);
  main.SetBounds(0, 0, 400, 300);  // shown again later: not moved back
  main.Hide();
  main.Show();
  EXPECT_EQ(main.Left(), 0);

  Form dialog(&main);
  dialog.SetBounds(0, 0, 200, 100);
  dialog.SetPosition(FormPosition::OwnerFormCenter);
  dialog.Show();
  EXPECT_EQ(dialog.Left(), 100);
  EXPECT_EQ(dialog.Top(), 100);
  dialog.Hide();
  main.Hide();
}

TEST(UiForm, ClientSizeHoldsUnderAMenuBarAndBorderChanges) {
  Form form;
  MainMenu menu;
  MenuItem file{"ファイル(&F)"};
  menu.Add(file);
  form.SetClientSize(320, 200);
  form.SetMenu(&menu);
  EXPECT_EQ(form.ClientWidth(), 320);
  EXPECT_EQ(form.ClientHeight(), 200);
  form.SetBorderStyle(BorderStyle::ToolWindow);
  EXPECT_TRUE(GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(form.ClientWidth(), 320);
  EXPECT_EQ(form.ClientHeight(), 200);
  form.SetBorderStyle(BorderStyle::Sizeable);
  EXPECT_TRUE(GetWindowLongW(form.Handle(), GWL_STYLE) & WS_THICKFRAME);
  EXPECT_FALSE(GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
}

TEST(UiForm, MinimumSizeLimitsTracking) {
  Form form;
  form.SetMinSize(300, 200);
  MINMAXINFO info{};
  SendMessageW(form.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 300);
  EXPECT_EQ(info.ptMinTrackSize.y, 200);
}

TEST(UiForm, EventsRunInTheirOrderAndCreateAndDestroyRunOnce) {
  std::vector<std::string> events;
  {
    auto form = MakeForm<EventForm>();
    form->SetClientSize(100, 100);
    form->Show();
    form->Hide();
    form->Show();
    form->Hide();
    events = form->events;
    form->Destroy();
    form->Destroy();
    EXPECT_EQ(std::count(form->events.begin(), form->events.end(), "destroy"), 1);
  }
  ASSERT_GE(events.size(), 4u);
  EXPECT_EQ(events[0], "create");
  EXPECT_EQ(events[1], "resize");
  EXPECT_EQ(std::count(events.begin(), events.end(), "show"), 2);
  EXPECT_EQ(std::count(events.begin(), events.end(), "create"), 1);
}

}  // namespace
}  // namespace trovex::ui
