#pragma once
// Lists of files on the clipboard (CF_HDROP), as Explorer copies and pastes them.
// Paths are CP932.
#include <string>
#include <vector>

namespace trovex::os_shell {

class ClipboardFileService {
 public:
  virtual ~ClipboardFileService() = default;
  // Empties the clipboard and puts these paths on it, in order, with `owner` (a
  // window, required) as the clipboard's owner. False, with the clipboard untouched,
  // for an empty list, a list of only unusable paths, or no owner; false when the
  // clipboard could not be opened or took nothing.
  virtual bool PutFiles(void* owner, const std::vector<std::string>& paths) = 0;
  // The file list on the clipboard; empty when there is none.
  virtual std::vector<std::string> GetFiles() = 0;
};

// The real clipboard, with the block of drop_files.h.
class WindowsClipboardFiles : public ClipboardFileService {
 public:
  bool PutFiles(void* owner, const std::vector<std::string>& paths) override;
  std::vector<std::string> GetFiles() override;
};

}  // namespace trovex::os_shell
