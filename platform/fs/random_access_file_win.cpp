#include <windows.h>

#include "platform/fs/random_access_file.h"
#include "platform/fs/wide_path.h"

namespace trovex::fs {

bool RandomAccessFile::Open(const std::string& path) {
  Close();
  const auto wide = WidePath(path);
  if (!wide) return false;
  HANDLE file = CreateFileW(wide->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size;
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size) || size.QuadPart < 0) {
    CloseHandle(file);
    return false;
  }
  handle_ = reinterpret_cast<std::intptr_t>(file);
  size_ = static_cast<std::uint64_t>(size.QuadPart);
  filePointer_ = 0;
  return true;
}

void RandomAccessFile::Close() {
  if (handle_ != -1) CloseHandle(reinterpret_cast<HANDLE>(handle_));
  handle_ = -1;
  size_ = 0;
}

// Reads from the handle's own pointer, moved only when a read starts elsewhere:
// a read given its offset in an OVERLAPPED costs one more call to Wine's server
// (a completion to post) for each read.
std::optional<std::size_t> RandomAccessFile::ReadAt(std::uint64_t offset, char* dest,
                                                    std::size_t length) const {
  if (handle_ == -1) return std::nullopt;
  HANDLE file = reinterpret_cast<HANDLE>(handle_);
  std::size_t done = 0;
  while (done < length) {
    const std::uint64_t at = offset + done;
    if (at < offset || at > static_cast<std::uint64_t>(INT64_MAX)) break;
    if (at != filePointer_) {
      LARGE_INTEGER to{};
      to.QuadPart = static_cast<LONGLONG>(at);
      if (!SetFilePointerEx(file, to, nullptr, FILE_BEGIN)) return std::nullopt;
      filePointer_ = at;
    }
    const std::size_t left = length - done;
    const DWORD ask = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
    DWORD got = 0;
    if (!ReadFile(file, dest + done, ask, &got, nullptr)) {
      if (GetLastError() == ERROR_HANDLE_EOF) break;
      return std::nullopt;
    }
    filePointer_ += got;
    if (got == 0) break;
    done += got;
  }
  return done;
}

}  // namespace trovex::fs
