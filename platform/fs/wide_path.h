#pragma once
// CP932 paths for the wide Windows file calls (Windows build only).
#include <optional>
#include <string>
#include <string_view>

namespace trovex::fs {

// The path as UTF-16; nothing when it is not valid CP932, so that a bad path is
// refused rather than turned into the name of some other file. A path too long
// for the ordinary form is given in the long form "\\?\C:\..." or
// "\\?\UNC\server\share\...", made absolute first; the program's own texts keep
// the short form, only the calls see the long one.
std::optional<std::wstring> WidePath(std::string_view cp932);

// The long form of a wide path when it needs one (see WidePath); other paths
// come back unchanged.
std::wstring LongPathForm(std::wstring path);

}  // namespace trovex::fs
