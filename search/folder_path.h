#pragma once
#include <string>

namespace trovex::search {

// A path that is empty or names an existing file is returned unchanged; any other
// path gets a trailing separator if it lacks one ("C:" becomes "C:\").
std::string NormalizeFolderPath(const std::string& path);

}  // namespace trovex::search
