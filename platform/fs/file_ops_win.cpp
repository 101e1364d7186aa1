#include <windows.h>

#include "platform/fs/file_ops.h"
#include "platform/fs/whole_file_write.h"
#include "platform/os/wide_text.h"

namespace trovex::fs {

bool ForceDirectories(const std::string& path) { return CreateFolderPath(path); }

bool MoveFileNoReplace(const std::string& from, const std::string& to) {
  return MoveFileW(os::Widen(from).c_str(), os::Widen(to).c_str()) != 0;
}

bool DeleteFileAt(const std::string& path) { return DeleteFileW(os::Widen(path).c_str()) != 0; }

std::vector<std::string> MatchingFileNames(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(os::Widen(pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      names.push_back(os::Narrow(data.cFileName));
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return names;
}

void SuppressCriticalErrorDialogs() { SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS); }

}  // namespace trovex::fs
