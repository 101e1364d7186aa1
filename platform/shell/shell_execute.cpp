#include "platform/shell/shell_execute.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/os/wide_text.h"

namespace trovex::os_shell {

bool ShellExecuteText(void* owner, const std::string& verb, const std::string& file,
                      const std::string& parameters, const std::string& directory,
                      int showCommand) {
  std::wstring wVerb = os::Widen(verb), wFile = os::Widen(file), wParams = os::Widen(parameters),
               wDir = os::Widen(directory);
  HINSTANCE result =
      ShellExecuteW(static_cast<HWND>(owner), wVerb.empty() ? nullptr : wVerb.c_str(),
                    wFile.c_str(), wParams.empty() ? nullptr : wParams.c_str(),
                    wDir.empty() ? nullptr : wDir.c_str(), showCommand);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace trovex::os_shell
