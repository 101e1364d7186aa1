#pragma once
// The current local date and time as the user's settings write them.
#include <string>

namespace trovex::os {

// The date in the user's short date format and the time in the long time format,
// a blank between them (CP932): "2026/12/07 12:34:56" on a Japanese system.
std::string LocalDateTimeText();

}  // namespace trovex::os
