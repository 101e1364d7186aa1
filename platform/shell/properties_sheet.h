#pragma once
// The shell's properties sheet of a file or folder. Paths are CP932.
#include <string>

namespace trovex::os_shell {

class PropertiesSheetService {
 public:
  virtual ~PropertiesSheetService() = default;
  // Shows the sheet with `owner` as its owner window. False when the path is
  // empty, cannot be parsed by the shell or the shell refused the verb.
  virtual bool Show(void* owner, const std::string& path) = 0;
};

// The desktop folder parses the path; ShellExecuteExW runs "properties" on the
// item identifier.
class ShellPropertiesSheet : public PropertiesSheetService {
 public:
  bool Show(void* owner, const std::string& path) override;
};

}  // namespace trovex::os_shell
