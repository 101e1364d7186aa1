#include "platform/fs/handle_read_win.h"

namespace trovex::fs {

std::optional<DWORD> ReadHandleAt(HANDLE file, std::uint64_t& filePointer, std::uint64_t offset,
                                  char* dest, DWORD length) {
  if (offset != filePointer) {
    LARGE_INTEGER to{};
    to.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file, to, nullptr, FILE_BEGIN)) return std::nullopt;
    filePointer = offset;
  }
  DWORD got = 0;
  if (!ReadFile(file, dest, length, &got, nullptr)) {
    if (GetLastError() == ERROR_HANDLE_EOF) return 0;
    return std::nullopt;
  }
  filePointer += got;
  return got;
}

}  // namespace trovex::fs
