#include "platform/shell/shell_folders.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/fs/dir_listing.h"
#include "platform/os/wide_text.h"
#include "platform/shell/com_thread.h"
#include "platform/shell/shell_item.h"
#include "platform/text/cp932.h"

namespace trovex::os_shell {
namespace {

// A "\" that is the trail byte of a double-byte character (表) is no separator.
bool EndsWithBackslash(const std::string& folder) {
  bool ends = false;
  for (std::size_t pos = 0; pos < folder.size();) {
    const std::size_t length = text::Cp932CharLength(folder, pos);
    ends = length == 1 && folder[pos] == '\\';
    pos += length;
  }
  return ends;
}

std::string WithBackslash(const std::string& folder) {
  return folder.empty() || EndsWithBackslash(folder) ? folder : folder + "\\";
}

// Lists the shell folder to its end, reading each entry's parsing name as the
// shell's own browser would; true when the listing could be started.
bool EnumerateShellFolder(HWND owner, const std::string& path) {
  ComScope com;
  ShellItem item(owner, path);
  if (!item.Id()) return false;
  IShellFolder* folder = nullptr;
  if (FAILED(item.Desktop()->BindToObject(item.Id(), nullptr, IID_IShellFolder,
                                          reinterpret_cast<void**>(&folder))))
    return false;
  IEnumIDList* entries = nullptr;
  const HRESULT started = folder->EnumObjects(
      owner, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, &entries);
  const bool reachable = started == S_OK && entries != nullptr;
  if (reachable) {
    PITEMID_CHILD child = nullptr;
    while (entries->Next(1, &child, nullptr) == S_OK) {
      STRRET name{};
      if (SUCCEEDED(folder->GetDisplayNameOf(child, SHGDN_FORPARSING, &name)) &&
          name.uType == STRRET_WSTR)
        CoTaskMemFree(name.pOleStr);
      CoTaskMemFree(child);
      child = nullptr;
    }
  }
  if (entries) entries->Release();
  folder->Release();
  return reachable;
}

}  // namespace

bool ShellFolders::Reachable(void* owner, const std::string& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesW(os::Widen(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  return EnumerateShellFolder(static_cast<HWND>(owner), path);
}

std::vector<SubFolder> ShellFolders::SubFolders(const std::string& folder, bool includeHidden) {
  std::vector<SubFolder> found;
  if (folder.empty()) return found;
  const std::string parent = WithBackslash(folder);
  fs::DirectoryListing listing(parent, fs::ListingDetail::NamesAndKinds);
  fs::DirEntry entry;
  while (listing.Next(entry)) {
    if (!entry.isDirectory || entry.name == "." || entry.name == "..") continue;
    if (entry.isHidden && !includeHidden) continue;
    found.push_back({entry.name, parent + entry.name, entry.isHidden});
  }
  return found;
}

}  // namespace trovex::os_shell
