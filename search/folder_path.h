#pragma once
#include <string>
#include <string_view>

namespace trovex::search {

// A path that is empty or names an existing file is returned unchanged; any other
// path gets a trailing separator if it lacks one ("C:" becomes "C:\").
std::string NormalizeFolderPath(const std::string& path);

// The path up to and including its last separator (not a trail byte of a
// double-byte character); empty when it has none.
std::string_view FolderPart(std::string_view path);

}  // namespace trovex::search
