#pragma once
// Shell links (.lnk) and the shell's special folders, through IShellLinkW.
// Paths are CP932.
#include <optional>
#include <string>

namespace trovex::os_shell {

// The file-system path of a special folder (CSIDL value, 0 = the desktop);
// empty when it has none.
std::string SpecialFolderPath(int csidl);

// The target path stored in a shortcut file; nullopt when it cannot be read.
std::optional<std::string> ReadShortcutTarget(const std::string& linkPath);

// True when the shortcut file can be read and the file or folder it points at
// exists.
bool ShortcutTargetExists(const std::string& linkPath);

// Writes a shortcut file pointing at `target` (replacing one that exists).
bool CreateShortcut(const std::string& linkPath, const std::string& target);

}  // namespace trovex::os_shell
