#include "platform/os/version_probe.h"

#include <windows.h>

namespace trovex::os {

SystemVersion QuerySystemVersion() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  SystemVersion version;
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
  if (!GetVersionExW(&info)) return version;
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
  version.nt = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
  version.major = info.dwMajorVersion;
  version.minor = info.dwMinorVersion;
  return version;
}

bool HasQueryFullProcessImageName() {
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  return kernel && GetProcAddress(kernel, "QueryFullProcessImageNameW") != nullptr;
}

}  // namespace trovex::os
