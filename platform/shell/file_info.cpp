#include "platform/shell/file_info.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/os/wide_text.h"

namespace trovex::os_shell {
namespace {

constexpr UINT kWhat = SHGFI_DISPLAYNAME | SHGFI_TYPENAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON;

FileInfo Ask(const std::wstring& path, DWORD attributes, UINT flags) {
  SHFILEINFOW answer{};
  answer.iIcon = -1;
  FileInfo info;
  if (SHGetFileInfoW(path.c_str(), attributes, &answer, sizeof answer, flags) == 0) return info;
  info.displayName = os::Narrow(answer.szDisplayName);
  info.typeName = os::Narrow(answer.szTypeName);
  info.iconIndex = answer.iIcon;
  return info;
}

}  // namespace

FileInfo ShellFileInfo::Query(const std::string& path, UnknownPathAs fallback) {
  if (path.empty()) return {};
  const std::wstring wide = os::Widen(path);
  FileInfo info = Ask(wide, 0, kWhat);
  if (info.Known() || fallback == UnknownPathAs::Nothing) return info;
  // The shell takes the type and icon from the name and these attributes alone.
  const DWORD attributes =
      fallback == UnknownPathAs::Folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
  return Ask(wide, attributes, kWhat | SHGFI_USEFILEATTRIBUTES);
}

}  // namespace trovex::os_shell
