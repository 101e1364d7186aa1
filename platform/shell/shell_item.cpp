#include "platform/shell/shell_item.h"

#include "platform/os/wide_text.h"

namespace trovex::os_shell {

ShellItem::ShellItem(void* owner, const std::string& path) {
  if (path.empty() || FAILED(SHGetDesktopFolder(&desktop_))) return;
  std::wstring wide = os::Widen(path);
  PIDLIST_RELATIVE parsed = nullptr;
  if (SUCCEEDED(desktop_->ParseDisplayName(static_cast<HWND>(owner), nullptr, wide.data(), nullptr,
                                           &parsed, nullptr)))
    id_ = reinterpret_cast<PIDLIST_ABSOLUTE>(parsed);
}

ShellItem::~ShellItem() {
  CoTaskMemFree(id_);
  if (desktop_) desktop_->Release();
}

}  // namespace trovex::os_shell
