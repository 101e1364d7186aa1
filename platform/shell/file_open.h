#pragma once
// Opening a file or folder with the program the shell associates with it, and the
// shell's dialog for choosing a program. Paths are CP932; nothing here throws.
#include <string>

namespace trovex::os_shell {

// How the shell answered an "open".
enum class OpenOutcome {
  Opened,
  NoAssociation,  // no program is associated with the file: offer the choice
  Failed,         // missing file, access denied, ...: nothing more to do
};

// The outcome for what ShellExecuteExW left: its success flag, the SE_ERR_ code
// in hInstApp and GetLastError().
OpenOutcome ClassifyShellOpen(bool succeeded, long long instApp, unsigned long lastError);

class FileOpenService {
 public:
  virtual ~FileOpenService() = default;
  // Opens `path` with the "open" verb in a normal window; when no program is
  // associated with it, shows the dialog for choosing one instead. True when
  // either was started.
  virtual bool Open(void* owner, const std::string& path) = 0;
  // The dialog for choosing a program for `path`, directly. True when it started.
  virtual bool OpenWith(void* owner, const std::string& path) = 0;
  // Opens an address ("file:///C:/.../page.html#part") with the default web
  // browser, its "#part" kept. True when the browser started.
  virtual bool OpenAddress(void* owner, const std::string& address) = 0;
};

// ShellExecuteExW; the choice dialog is rundll32's shell32.dll,OpenAs_RunDLL.
class ShellFileOpener : public FileOpenService {
 public:
  bool Open(void* owner, const std::string& path) override;
  bool OpenWith(void* owner, const std::string& path) override;
  bool OpenAddress(void* owner, const std::string& address) override;
};

// The "open" verb alone, with no dialog of the shell's own on failure.
OpenOutcome ShellOpen(void* owner, const std::string& path);

}  // namespace trovex::os_shell
