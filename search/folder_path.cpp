#include "search/folder_path.h"

#include "platform/fs/dir_listing.h"
#include "platform/fs/file_name_case.h"
#include "platform/fs/path_separator.h"

namespace trovex::search {
namespace {

// Whether the last character (not a trail byte of a double-byte one) is the separator.
bool EndsWithSeparator(const std::string& path) {
  bool last = false;
  for (std::size_t pos = 0; pos < path.size();) {
    const std::size_t length = fs::FileNameCharLength(path, pos);
    last = length == 1 && path[pos] == fs::kPathSeparator;
    pos += length;
  }
  return last;
}

}  // namespace

std::string NormalizeFolderPath(const std::string& path) {
  if (path.empty() || fs::IsExistingFile(path) || EndsWithSeparator(path)) return path;
  return path + fs::kPathSeparator;
}

}  // namespace trovex::search
