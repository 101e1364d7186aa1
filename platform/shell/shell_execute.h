#pragma once
#include <string>

namespace trovex::os_shell {

inline constexpr int kShowWindow = 5;  // SW_SHOW

// ShellExecute with CP932 texts; an empty `directory` means none. `showCommand`
// is an SW_ value. True when the shell reports success.
bool ShellExecuteText(void* owner, const std::string& verb, const std::string& file,
                      const std::string& parameters, const std::string& directory, int showCommand);

}  // namespace trovex::os_shell
