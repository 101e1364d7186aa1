#pragma once
// CP932 paths for the wide Windows file calls (Windows build only).
#include <optional>
#include <string>
#include <string_view>

namespace trovex::fs {

// The path as UTF-16; nothing when it is not valid CP932, so that a bad path is
// refused rather than turned into the name of some other file.
std::optional<std::wstring> WidePath(std::string_view cp932);

}  // namespace trovex::fs
