#include "platform/shell/system_image_lists.h"

#include <shellapi.h>

namespace trovex::os_shell {
namespace {

// Asking for the icon of any folder returns the whole list it lives in.
HIMAGELIST SystemList(UINT size) {
  SHFILEINFOW info{};
  return reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                     SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | size));
}

}  // namespace

HIMAGELIST ShellImageLists::Small() { return SystemList(SHGFI_SMALLICON); }

HIMAGELIST ShellImageLists::Large() { return SystemList(SHGFI_LARGEICON); }

}  // namespace trovex::os_shell
