#include "platform/os/local_time_text.h"

#include <windows.h>

#include "platform/os/wide_text.h"

namespace trovex::os {

std::string LocalDateTimeText() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  wchar_t date[128] = {};
  wchar_t time[128] = {};
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, 128);
  GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &now, nullptr, time, 128);  // 0: the long time format
  return Narrow(date) + " " + Narrow(time);
}

}  // namespace trovex::os
