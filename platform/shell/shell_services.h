#pragma once
// The shell services the windows use, in one place so that a window test can put
// fakes in their stead: Services().fileInfo->Query(...), and in a test
//   ShellServices fakes = Services();
//   fakes.open = &myFakeOpener;
//   ScopedShellServices replaced(fakes);
#include "platform/shell/clipboard_files.h"
#include "platform/shell/file_info.h"
#include "platform/shell/file_open.h"
#include "platform/shell/properties_sheet.h"
#include "platform/shell/shell_folders.h"
#include "platform/shell/sound.h"
#include "platform/shell/system_image_lists.h"

namespace trovex::os_shell {

// Pointers to the services in use; never null.
struct ShellServices {
  FileInfoService* fileInfo;
  SystemImageListService* imageLists;
  ClipboardFileService* clipboard;
  FileOpenService* open;
  PropertiesSheetService* properties;
  SoundService* sound;
  FolderService* folders;
};

// The services in use: the real ones unless a ScopedShellServices replaced them.
const ShellServices& Services();

// The real services, for a fake that hands some calls on to them.
const ShellServices& RealServices();

// Puts `replacement` in use for its lifetime (null members keep the service in
// use before) and restores the previous set afterwards. Scopes nest.
class ScopedShellServices {
 public:
  explicit ScopedShellServices(const ShellServices& replacement);
  ~ScopedShellServices();
  ScopedShellServices(const ScopedShellServices&) = delete;
  ScopedShellServices& operator=(const ScopedShellServices&) = delete;

 private:
  ShellServices previous_;
};

}  // namespace trovex::os_shell
