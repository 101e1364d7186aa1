#include <windows.h>

#include "platform/fs/random_access_file.h"
#include "platform/fs/handle_read_win.h"
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

std::optional<std::size_t> RandomAccessFile::ReadAt(std::uint64_t offset, char* dest,
                                                    std::size_t length) const {
  if (handle_ == -1) return std::nullopt;
  HANDLE file = reinterpret_cast<HANDLE>(handle_);
  std::size_t done = 0;
  while (done < length) {
    const std::uint64_t at = offset + done;
    if (at < offset || at > static_cast<std::uint64_t>(INT64_MAX)) break;
    const std::size_t left = length - done;
    const DWORD ask = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
    const std::optional<DWORD> got = ReadHandleAt(file, filePointer_, at, dest + done, ask);
    if (!got) return std::nullopt;
    if (*got == 0) break;
    done += *got;
  }
  return done;
}

}  // namespace trovex::fs
