#include "platform/fs/date_time.h"

#include <cmath>

namespace trovex::fs {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
long long DaysFromCivil(long long y, long long m, long long d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CalendarDate CivilFromDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const long long d = doy - (153 * mp + 2) / 5 + 1;
  const long long m = mp + (mp < 10 ? 3 : -9);
  const long long y = yoe + era * 400 + (m <= 2);
  return {static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

const long long kEpochOffset = DaysFromCivil(1899, 12, 30);

}  // namespace

double EncodeDate(int year, int month, int day) {
  return static_cast<double>(DaysFromCivil(year, month, day) - kEpochOffset);
}

double EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                      int millisecond) {
  const double seconds = hour * 3600.0 + minute * 60.0 + second + millisecond / 1000.0;
  return EncodeDate(year, month, day) + seconds / 86400.0;
}

CalendarDate DecodeDate(double dateTime) {
  if (!std::isfinite(dateTime)) return {};
  return CivilFromDays(static_cast<long long>(std::floor(dateTime)) + kEpochOffset);
}

}  // namespace trovex::fs
