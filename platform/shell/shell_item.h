#pragma once
// A path parsed by the desktop folder into a shell item identifier, freed with
// the shell allocator when the object goes. Call with COM initialised.
#include <windows.h>
#include <shlobj.h>

#include <string>

namespace trovex::os_shell {

class ShellItem {
 public:
  // `owner` is the window for any user interface the parser shows.
  ShellItem(void* owner, const std::string& path);
  ~ShellItem();
  ShellItem(const ShellItem&) = delete;
  ShellItem& operator=(const ShellItem&) = delete;

  // Null when the path was empty or could not be parsed.
  PIDLIST_ABSOLUTE Id() const { return id_; }
  // The desktop folder that parsed it; null when there was none.
  IShellFolder* Desktop() const { return desktop_; }

 private:
  IShellFolder* desktop_ = nullptr;
  PIDLIST_ABSOLUTE id_ = nullptr;
};

}  // namespace trovex::os_shell
