#include "platform/shell/window_handover.h"

#include <windows.h>

#include "platform/os/wide_text.h"

namespace trovex::os_shell {

void* FindTopLevelWindow(const std::string& className) {
  std::wstring wide = os::Widen(className);
  return FindWindowW(wide.c_str(), nullptr);
}

long long SendCopyData(void* target, void* sender, const std::string& bytes) {
  COPYDATASTRUCT data{};
  data.dwData = 0;
  data.cbData = static_cast<DWORD>(bytes.size());
  data.lpData = const_cast<char*>(bytes.data());
  return SendMessageW(static_cast<HWND>(target), WM_COPYDATA, reinterpret_cast<WPARAM>(sender),
                      reinterpret_cast<LPARAM>(&data));
}

void BringOwnerForward(void* window) {
  HWND owner = GetWindow(static_cast<HWND>(window), GW_OWNER);
  if (!owner) return;
  if (IsIconic(owner)) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(owner, &placement) && (placement.flags & WPF_RESTORETOMAXIMIZED))
      ShowWindow(owner, SW_SHOWMAXIMIZED);
    else
      OpenIcon(owner);
  }
  SetForegroundWindow(owner);
}

}  // namespace trovex::os_shell
