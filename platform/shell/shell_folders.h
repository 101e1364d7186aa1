#pragma once
// Folders as the location browser sees them: whether one can be reached at all
// and which subfolders it has. Paths are CP932.
#include <string>
#include <vector>

namespace trovex::os_shell {

struct SubFolder {
  std::string name;      // as the file system lists it
  std::string fullPath;  // the folder's path, "\" and the name
  bool hidden = false;
};

class FolderService {
 public:
  virtual ~FolderService() = default;
  // True for an existing folder, false for an existing file. Otherwise (network
  // locations, drives without media) the shell parses the path and lists the
  // folder once, which lets it connect and ask for credentials with `owner` as
  // the owner window; true when that listing could be started.
  virtual bool Reachable(void* owner, const std::string& path) = 0;
  // The subfolders of `folder` (with or without a trailing "\") in the order the
  // file system lists them, "." and ".." left out, hidden ones only when asked
  // for. Empty when the folder cannot be listed.
  virtual std::vector<SubFolder> SubFolders(const std::string& folder, bool includeHidden) = 0;
};

// The file system first, then the desktop folder's parser and EnumObjects.
class ShellFolders : public FolderService {
 public:
  bool Reachable(void* owner, const std::string& path) override;
  std::vector<SubFolder> SubFolders(const std::string& folder, bool includeHidden) override;
};

}  // namespace trovex::os_shell
