#include <windows.h>

#include <powrprof.h>

#include <string>

#include "platform/power/power_service.h"

namespace trovex::power {
namespace {

class SystemPower : public PowerService {
 public:
  bool LogOff() override { return ExitWindowsEx(EWX_LOGOFF, 0) != 0; }
  bool PowerOff() override {
    return ExitWindowsEx(EWX_POWEROFF, SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_FLAG_PLANNED) != 0;
  }
  bool Suspend(bool hibernate) override {
    return SetSuspendState(hibernate ? TRUE : FALSE, FALSE, FALSE) != FALSE;
  }

  PrivilegeResult SetPrivilege(const std::string& name, bool enable) override {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
      return PrivilegeResult::OpenTokenFailed;
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    const std::wstring wideName(name.begin(), name.end());  // privilege names are ASCII
    if (!LookupPrivilegeValueW(nullptr, wideName.c_str(), &privileges.Privileges[0].Luid)) {
      CloseHandle(token);
      return PrivilegeResult::LookupFailed;
    }
    privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
    SetLastError(ERROR_SUCCESS);
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    // The call's own error, read before anything else can change it: a privilege
    // the account does not hold is ERROR_NOT_ALL_ASSIGNED with the call succeeding.
    const DWORD error = GetLastError();
    CloseHandle(token);
    return error == ERROR_SUCCESS ? PrivilegeResult::Done : PrivilegeResult::AdjustFailed;
  }
};

}  // namespace

PowerService& SystemPowerService() {
  static SystemPower power;
  return power;
}

}  // namespace trovex::power
