#include "platform/net/download_file.h"

#include <windows.h>

#include "platform/os/wide_text.h"

namespace trovex::net {

DownloadFile::~DownloadFile() { Discard(); }

bool DownloadFile::Create(const std::string& folder) {
  Discard();
  folder_ = folder;
  if (!folder_.empty() && folder_.back() != '\\') folder_ += '\\';
  // GetTempFileName creates a file of a name nobody has, in the folder itself, so
  // that the rename at the end stays on one volume.
  wchar_t path[MAX_PATH + 1] = {};
  if (GetTempFileNameW(os::Widen(folder_).c_str(), L"tvx", 0, path) == 0) return false;
  tempPath_ = os::Narrow(path);
  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DeleteFileW(path);
    tempPath_.clear();
    return false;
  }
  handle_ = file;
  return true;
}

bool DownloadFile::Write(const char* data, std::size_t size) {
  if (!handle_) return false;
  DWORD written = 0;
  return WriteFile(handle_, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

bool DownloadFile::Keep(const std::string& name) {
  if (tempPath_.empty()) return false;
  CloseHandle();
  const std::wstring target = os::Widen(folder_ + name);
  if (!MoveFileExW(os::Widen(tempPath_).c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    Discard();
    return false;
  }
  tempPath_.clear();
  return true;
}

void DownloadFile::Discard() {
  CloseHandle();
  if (!tempPath_.empty()) DeleteFileW(os::Widen(tempPath_).c_str());
  tempPath_.clear();
}

void DownloadFile::CloseHandle() {
  if (handle_) ::CloseHandle(handle_);
  handle_ = nullptr;
}

}  // namespace trovex::net
