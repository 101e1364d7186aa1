#include "platform/shell/properties_sheet.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/shell/com_thread.h"
#include "platform/shell/shell_item.h"

namespace trovex::os_shell {

bool ShellPropertiesSheet::Show(void* owner, const std::string& path) {
  ComScope com;
  ShellItem item(owner, path);
  if (!item.Id()) return false;
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  // The sheet runs on a thread of the shell's; wait until it has started.
  info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  info.hwnd = static_cast<HWND>(owner);
  info.lpVerb = L"properties";
  info.lpIDList = item.Id();
  info.nShow = SW_SHOWNORMAL;
  return ShellExecuteExW(&info) != FALSE;
}

}  // namespace trovex::os_shell
