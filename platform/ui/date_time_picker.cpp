#include "platform/ui/date_time_picker.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "platform/fs/date_time.h"

namespace trovex::ui {

DateTimePicker::DateTimePicker(Control* parent) : Control(parent) {
  CreateHandle(DATETIMEPICK_CLASSW, WS_VISIBLE | WS_TABSTOP | DTS_UPDOWN | DTS_SHORTDATEFORMAT, 0,
               true, 186, 21);
  SetColor(clWindow);
}

double DateTimePicker::Value() const {
  SYSTEMTIME time{};
  SendMessageW(hwnd_, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
  return fs::EncodeDateTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute,
                            time.wSecond, time.wMilliseconds);
}

void DateTimePicker::SetValue(double dateTime) {
  const fs::CalendarDate date = fs::DecodeDate(dateTime);
  const double fraction = dateTime - std::floor(dateTime);
  const long long milliseconds =
      std::clamp(std::llround(fraction * 86400000.0), 0LL, 86400000LL - 1);
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(date.year);
  time.wMonth = static_cast<WORD>(date.month);
  time.wDay = static_cast<WORD>(date.day);
  time.wHour = static_cast<WORD>(milliseconds / 3600000);
  time.wMinute = static_cast<WORD>(milliseconds / 60000 % 60);
  time.wSecond = static_cast<WORD>(milliseconds / 1000 % 60);
  time.wMilliseconds = static_cast<WORD>(milliseconds % 1000);
  // The control wants the day of the week to agree with the date.
  FILETIME file{};
  SystemTimeToFileTime(&time, &file);
  FileTimeToSystemTime(&file, &time);
  SendMessageW(hwnd_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

bool DateTimePicker::Notify(NMHDR& header, LRESULT& result) {
  if (header.code != DTN_DATETIMECHANGE) return false;
  Fire(OnChange);
  result = 0;
  return true;
}

}  // namespace trovex::ui
