#pragma once
// The window library converts its CP932 texts for the wide Win32 calls with the
// platform's one converter.
#include <string>
#include <string_view>

#include "platform/os/wide_text.h"

namespace trovex::ui {

using os::Narrow;
using os::Widen;

// Text positions: the controls count UTF-16 units, the program CP932 bytes.
inline int BytesBefore(std::wstring_view text, int units) {
  return static_cast<int>(Narrow(text.substr(0, static_cast<std::size_t>(units))).size());
}
inline int UnitsBefore(std::string_view text, int bytes) {
  return static_cast<int>(Widen(text.substr(0, static_cast<std::size_t>(bytes))).size());
}

}  // namespace trovex::ui
