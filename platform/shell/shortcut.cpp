#include "platform/shell/shortcut.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/os/wide_text.h"
#include "platform/shell/com_thread.h"

namespace trovex::os_shell {
namespace {

template <typename T>
void Release(T*& p) {
  if (p) p->Release();
  p = nullptr;
}

}  // namespace

std::string SpecialFolderPath(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return os::Narrow(path);
}

std::optional<std::string> ReadShortcutTarget(const std::string& linkPath) {
  ComScope com;
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  std::optional<std::string> target;
  std::wstring wide = os::Widen(linkPath);
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(wide.c_str(), STGM_READ))) {
    // The item identifier keeps the target's names in UTF-16; the stored path
    // text may be in the ANSI code page only (so under Wine).
    wchar_t path[MAX_PATH] = {};
    PIDLIST_ABSOLUTE item = nullptr;
    if (SUCCEEDED(link->GetIDList(&item)) && item && SHGetPathFromIDListW(item, path))
      target = os::Narrow(path);
    else if (SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0)))
      target = os::Narrow(path);
    CoTaskMemFree(item);
  }
  Release(file);
  Release(link);
  return target;
}

bool ShortcutTargetExists(const std::string& linkPath) {
  const std::optional<std::string> target = ReadShortcutTarget(linkPath);
  return target && !target->empty() &&
         GetFileAttributesW(os::Widen(*target).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CreateShortcut(const std::string& linkPath, const std::string& target) {
  ComScope com;
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  bool ok = false;
  std::wstring wideLink = os::Widen(linkPath);
  std::wstring wideTarget = os::Widen(target);
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->SetPath(wideTarget.c_str()))) {
    // The program starts in its own folder, as an installer's shortcut would.
    std::wstring folder = wideTarget.substr(0, wideTarget.find_last_of(L'\\') + 1);
    link->SetWorkingDirectory(folder.c_str());
    ok = SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
         SUCCEEDED(file->Save(wideLink.c_str(), TRUE));
  }
  Release(file);
  Release(link);
  return ok;
}

}  // namespace trovex::os_shell
