#include "search/folder_path.h"

#include "platform/fs/dir_listing.h"
#include "platform/fs/file_name_case.h"
#include "platform/fs/path_separator.h"

namespace trovex::search {
namespace {

// Where the character after the last separator starts; 0 when there is none.
std::size_t AfterLastSeparator(std::string_view path) {
  std::size_t after = 0;
  for (std::size_t pos = 0; pos < path.size();) {
    const std::size_t length = fs::FileNameCharLength(path, pos);
    if (length == 1 && path[pos] == fs::kPathSeparator) after = pos + 1;
    pos += length;
  }
  return after;
}

bool EndsWithSeparator(const std::string& path) {
  return !path.empty() && AfterLastSeparator(path) == path.size();
}

}  // namespace

std::string NormalizeFolderPath(const std::string& path) {
  if (path.empty() || fs::IsExistingFile(path) || EndsWithSeparator(path)) return path;
  return path + fs::kPathSeparator;
}

std::string_view FolderPart(std::string_view path) {
  return path.substr(0, AfterLastSeparator(path));
}

}  // namespace trovex::search
