#include "platform/os/user_name.h"

#include <windows.h>

#include "platform/os/wide_text.h"

namespace trovex::os {

std::string CurrentUserName() {
  wchar_t buffer[1024];
  DWORD size = sizeof buffer / sizeof buffer[0];
  if (!GetUserNameW(buffer, &size) || size == 0) return {};
  return Narrow(std::wstring_view(buffer, size - 1));  // size counts the terminating zero
}

}  // namespace trovex::os
