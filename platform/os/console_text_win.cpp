#include <windows.h>
#include <shellapi.h>

#include "platform/os/console_text.h"
#include "platform/text/cp932.h"

namespace trovex::os {

std::optional<std::vector<std::string>> ProgramArguments(int, char**) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return std::nullopt;
  std::vector<std::string> arguments;
  bool ok = true;
  for (int i = 1; i < count && ok; ++i) {
    std::size_t unmapped = 0;
    arguments.push_back(
        text::EncodeCp932(reinterpret_cast<const char16_t*>(wide[i]), '?', &unmapped));
    ok = unmapped == 0;
  }
  LocalFree(wide);
  if (!ok) return std::nullopt;
  return arguments;
}

std::optional<std::string> TypedTextToCp932(std::string_view text) { return std::string(text); }

std::string Cp932ForConsole(std::string_view message) { return std::string(message); }

}  // namespace trovex::os
