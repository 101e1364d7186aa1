#include "platform/shell/shell_services.h"

namespace trovex::os_shell {
namespace {

ShellServices& InUse() {
  static ShellServices inUse = RealServices();
  return inUse;
}

template <typename T>
void Take(T*& slot, T* replacement) {
  if (replacement) slot = replacement;
}

}  // namespace

const ShellServices& RealServices() {
  static ShellFileInfo fileInfo;
  static ShellImageLists imageLists;
  static WindowsClipboardFiles clipboard;
  static ShellFileOpener open;
  static ShellPropertiesSheet properties;
  static SystemSound sound;
  static ShellFolders folders;
  static const ShellServices real{&fileInfo,   &imageLists, &clipboard, &open,
                                  &properties, &sound,      &folders};
  return real;
}

const ShellServices& Services() { return InUse(); }

ScopedShellServices::ScopedShellServices(const ShellServices& replacement) : previous_(InUse()) {
  ShellServices& inUse = InUse();
  Take(inUse.fileInfo, replacement.fileInfo);
  Take(inUse.imageLists, replacement.imageLists);
  Take(inUse.clipboard, replacement.clipboard);
  Take(inUse.open, replacement.open);
  Take(inUse.properties, replacement.properties);
  Take(inUse.sound, replacement.sound);
  Take(inUse.folders, replacement.folders);
}

ScopedShellServices::~ScopedShellServices() { InUse() = previous_; }

}  // namespace trovex::os_shell
