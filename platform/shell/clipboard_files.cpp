#include "platform/shell/clipboard_files.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "platform/os/wide_text.h"
#include "platform/shell/drop_files.h"

namespace trovex::os_shell {
namespace {

// Another program may hold the clipboard for a moment.
bool OpenClipboardSoon(HWND owner) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(20);
  }
  return false;
}

// Movable, shareable, zeroed global memory holding `bytes`; null when out of memory.
HGLOBAL GlobalCopy(const std::string& bytes) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, bytes.size());
  if (!memory) return nullptr;
  void* target = GlobalLock(memory);
  if (!target) {
    GlobalFree(memory);
    return nullptr;
  }
  std::memcpy(target, bytes.data(), bytes.size());
  GlobalUnlock(memory);
  return memory;
}

}  // namespace

bool WindowsClipboardFiles::PutFiles(void* owner, const std::vector<std::string>& paths) {
  // Without an owner an emptied clipboard refuses new data on Windows: the user's
  // clipboard would be lost for nothing. A list whose paths were all left out
  // (not valid CP932) leaves it alone too.
  if (paths.empty() || owner == nullptr) return false;
  std::size_t skipped = 0;
  const std::string dropFiles = BuildDropFilesFromCp932(paths, &skipped);
  if (skipped == paths.size()) return false;
  HGLOBAL block = GlobalCopy(dropFiles);
  if (!block) return false;
  if (!OpenClipboardSoon(static_cast<HWND>(owner))) {
    GlobalFree(block);
    return false;
  }
  EmptyClipboard();
  // Once the clipboard took the block it owns it; until then it is ours.
  const bool taken = SetClipboardData(CF_HDROP, block) != nullptr;
  CloseClipboard();
  if (!taken) GlobalFree(block);
  return taken;
}

std::vector<std::string> WindowsClipboardFiles::GetFiles() {
  std::vector<std::string> paths;
  if (!IsClipboardFormatAvailable(CF_HDROP) || !OpenClipboardSoon(nullptr)) return paths;
  if (HDROP drop = static_cast<HDROP>(GetClipboardData(CF_HDROP))) {
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      std::wstring path(DragQueryFileW(drop, i, nullptr, 0), L'\0');
      DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
      paths.push_back(os::Narrow(path));
    }
  }
  CloseClipboard();
  return paths;
}

}  // namespace trovex::os_shell
