#pragma once
// The system image lists, which hold the icons that FileInfo::iconIndex points
// at. They belong to the system: nobody destroys them, and a list view that shows
// one must have LVS_SHAREIMAGELISTS.
#include <windows.h>
#include <commctrl.h>

namespace trovex::os_shell {

class SystemImageListService {
 public:
  virtual ~SystemImageListService() = default;
  // Null when the shell gives no list.
  virtual HIMAGELIST Small() = 0;
  virtual HIMAGELIST Large() = 0;
};

// From SHGetFileInfoW with SHGFI_SYSICONINDEX.
class ShellImageLists : public SystemImageListService {
 public:
  HIMAGELIST Small() override;
  HIMAGELIST Large() override;
};

}  // namespace trovex::os_shell
