// The date picker: its value keeps the time of day the program gave it, also when
// the user changes the date, and the user's change runs OnChange.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cmath>

#include "platform/fs/date_time.h"
#include "platform/ui/date_time_picker.h"
#include "platform/ui/form.h"
#include "search/search_conditions.h"
#include "windows/support/ui_script.h"

namespace trovex::ui {
namespace {

constexpr double kMillisecond = 1.0 / 86400000.0;

double TimeOfDay(double value) { return value - std::floor(value); }

TEST(UiDateTimePicker, ValueRoundTripsWithItsTimeOfDay) {
  Form form;
  DateTimePicker picker(&form);
  picker.SetValue(search::kDatePickerInitialValue);
  EXPECT_NEAR(picker.Value(), search::kDatePickerInitialValue, kMillisecond / 2);
  SYSTEMTIME shown{};
  SendMessageW(picker.Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown));
  EXPECT_EQ(shown.wYear, 2006);
  EXPECT_EQ(shown.wMonth, 8);
  EXPECT_EQ(shown.wDay, 23);
  EXPECT_EQ(shown.wHour, 9);
  EXPECT_EQ(shown.wMinute, 49);
  EXPECT_EQ(shown.wSecond, 5);

  const double lastMoment = fs::EncodeDateTime(2030, 12, 31, 23, 59, 59, 999);
  picker.SetValue(lastMoment);
  EXPECT_NEAR(picker.Value(), lastMoment, kMillisecond / 2);
  picker.SetValue(fs::EncodeDate(2000, 2, 29));
  EXPECT_EQ(picker.Value(), fs::EncodeDate(2000, 2, 29));
}

TEST(UiDateTimePicker, TheUsersDateChangeRunsOnChangeAndKeepsTheTimeOfDay) {
  Form form;
  DateTimePicker picker(&form);
  int changes = 0;
  picker.OnChange = [&](Component&) { ++changes; };
  picker.SetValue(search::kDatePickerInitialValue);
  EXPECT_EQ(changes, 0);  // the program's setting is not the user's change
  form.Show();
  picker.SetFocus();
  ASSERT_TRUE(testing::PumpUntil([&] { return picker.Focused(); }));
  // The right arrow chooses the first field of the date, the up arrow steps it.
  SendMessageW(picker.Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageW(picker.Handle(), WM_KEYUP, VK_RIGHT, 0);
  const int before = changes;
  SendMessageW(picker.Handle(), WM_KEYDOWN, VK_UP, 0);
  SendMessageW(picker.Handle(), WM_KEYUP, VK_UP, 0);
  EXPECT_EQ(changes, before + 1);
  const double after = picker.Value();
  EXPECT_NE(std::floor(after), std::floor(search::kDatePickerInitialValue));
  EXPECT_NEAR(TimeOfDay(after), TimeOfDay(search::kDatePickerInitialValue), kMillisecond / 2);
  form.Hide();
}

}  // namespace
}  // namespace trovex::ui
