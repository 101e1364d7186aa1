#include "platform/shell/file_open.h"

#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include "platform/os/wide_text.h"
#include "platform/shell/shell_execute.h"

namespace trovex::os_shell {

OpenOutcome ClassifyShellOpen(bool succeeded, long long instApp, unsigned long lastError) {
  if (succeeded) return OpenOutcome::Opened;
  if (instApp == SE_ERR_NOASSOC || lastError == ERROR_NO_ASSOCIATION)
    return OpenOutcome::NoAssociation;
  return OpenOutcome::Failed;
}

OpenOutcome ShellOpen(void* owner, const std::string& path) {
  if (path.empty()) return OpenOutcome::Failed;
  const std::wstring file = os::Widen(path);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  // Errors come back to us instead of the shell's message boxes.
  info.fMask = SEE_MASK_FLAG_NO_UI;
  info.hwnd = static_cast<HWND>(owner);
  info.lpVerb = L"open";
  info.lpFile = file.c_str();
  info.nShow = SW_SHOWNORMAL;
  SetLastError(ERROR_SUCCESS);
  const bool succeeded = ShellExecuteExW(&info) != FALSE;
  const unsigned long lastError = GetLastError();
  return ClassifyShellOpen(succeeded, reinterpret_cast<INT_PTR>(info.hInstApp), lastError);
}

bool ShellFileOpener::Open(void* owner, const std::string& path) {
  switch (ShellOpen(owner, path)) {
    case OpenOutcome::Opened:
      return true;
    case OpenOutcome::NoAssociation:
      return OpenWith(owner, path);
    case OpenOutcome::Failed:
      break;
  }
  return false;
}

bool ShellFileOpener::OpenWith(void* owner, const std::string& path) {
  if (path.empty()) return false;
  // The dialog takes the rest of its command line as the path, unquoted.
  return ShellExecuteText(owner, "open", "rundll32.exe", "shell32.dll,OpenAs_RunDLL " + path, "",
                          SW_SHOWNORMAL);
}

// The browser that opens http addresses is given the address itself: opening a
// file address through the shell would lose its "#part".
bool ShellFileOpener::OpenAddress(void* owner, const std::string& address) {
  wchar_t browser[MAX_PATH] = {};
  DWORD length = MAX_PATH;
  if (SUCCEEDED(AssocQueryStringW(ASSOCF_NONE, ASSOCSTR_EXECUTABLE, L"http", L"open", browser,
                                  &length)) &&
      browser[0] != L'\0') {
    return ShellExecuteText(owner, "open", os::Narrow(browser), "\"" + address + "\"", "",
                            kShowWindow);
  }
  return ShellOpen(owner, address) == OpenOutcome::Opened;
}

}  // namespace trovex::os_shell
