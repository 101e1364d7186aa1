#include <windows.h>

#include "platform/fs/drives.h"

namespace trovex::fs {

std::vector<std::string> LogicalDrives() {
  // A run of "X:\" entries, each ending with a zero; at most 26 drives fit easily.
  wchar_t buffer[256] = {};
  const DWORD length = GetLogicalDriveStringsW(255, buffer);
  std::vector<std::string> drives;
  if (length == 0 || length > 255) return drives;
  for (const wchar_t* p = buffer; *p; p += wcslen(p) + 1) {
    if (p[0] < 0x80 && p[1] == L':') drives.push_back({static_cast<char>(p[0]), ':'});
  }
  return drives;
}

}  // namespace trovex::fs
