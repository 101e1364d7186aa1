#pragma once
// What the shell tells about a path: its display name, its type name and its icon
// in the system image lists (see system_image_lists.h). Texts are CP932.
#include <string>

namespace trovex::os_shell {

struct FileInfo {
  std::string displayName;
  std::string typeName;
  // Index of the icon in the system image lists; the small and the large list keep
  // their icons at the same indexes. -1 when the shell gave none.
  int iconIndex = -1;

  // The shell answered with a display name or a type name.
  bool Known() const { return !displayName.empty() || !typeName.empty(); }
};

// What to ask for when the shell does not know a path (it does not exist, or the
// shell cannot read it): nothing, or the information of any file with the path's
// name (type and icon from its extension), or that of a plain folder.
enum class UnknownPathAs { Nothing, File, Folder };

class FileInfoService {
 public:
  virtual ~FileInfoService() = default;
  // The shell's answer for `path`; when it knows nothing and `fallback` is not
  // Nothing, its answer for a file or folder of that name. All fields empty (icon
  // -1) when neither query gave anything.
  virtual FileInfo Query(const std::string& path, UnknownPathAs fallback) = 0;
};

// SHGetFileInfoW.
class ShellFileInfo : public FileInfoService {
 public:
  FileInfo Query(const std::string& path, UnknownPathAs fallback) override;
};

}  // namespace trovex::os_shell
