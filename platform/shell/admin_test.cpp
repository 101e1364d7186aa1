#include "platform/shell/admin_test.h"

#include <windows.h>

namespace trovex::os_shell {

AdminTestResult RunShellAdminTest() {
  HMODULE shell32 = LoadLibraryW(L"SHELL32.dll");
  if (!shell32) return AdminTestResult::ShellUnavailable;
  using IsAdminFn = BOOL(WINAPI*)();
  auto isAdmin = reinterpret_cast<IsAdminFn>(
      reinterpret_cast<void*>(GetProcAddress(shell32, MAKEINTRESOURCEA(680))));
  AdminTestResult result = !isAdmin    ? AdminTestResult::TestMissing
                           : isAdmin() ? AdminTestResult::Administrator
                                       : AdminTestResult::NotAdministrator;
  FreeLibrary(shell32);
  return result;
}

}  // namespace trovex::os_shell
