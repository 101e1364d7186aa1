#include <windows.h>

#include "platform/fs/file_ops.h"
#include "platform/fs/whole_file_write.h"
#include "platform/os/wide_text.h"

namespace trovex::fs {
namespace {

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_;
};

}  // namespace

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
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(os::Narrow(data.cFileName));
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return names;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  Handle file(CreateFileW(os::Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  DWORD written = 0;
  return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

void SuppressCriticalErrorDialogs() { SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS); }

}  // namespace trovex::fs
