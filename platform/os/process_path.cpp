#include "platform/os/process_path.h"

#include <windows.h>

#include <vector>

#include "platform/os/wide_text.h"

namespace trovex::os {

std::string RunningProgramPath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return Narrow(std::wstring_view(buffer.data(), n));
    buffer.resize(buffer.size() * 2);  // a long path was cut: try a larger buffer
  }
}

}  // namespace trovex::os
