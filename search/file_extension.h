#pragma once
// Tells a file's type by its extension, as the search and the snippets do.
#include <algorithm>
#include <string_view>

namespace trovex::search {

// True when the path ends with `extension` (".doc", ".rtf"), ASCII letters in any
// case. The final dot cannot be a trail byte, so a plain byte comparison is exact.
inline bool HasExtension(std::string_view path, std::string_view extension) {
  if (path.size() < extension.size()) return false;
  const std::string_view tail = path.substr(path.size() - extension.size());
  return std::equal(tail.begin(), tail.end(), extension.begin(), [](char a, char b) {
    return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
  });
}

}  // namespace trovex::search
