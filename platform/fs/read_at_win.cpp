#include <windows.h>

#include <new>

#include "platform/fs/read_at.h"
#include "platform/fs/wide_path.h"

namespace trovex::fs {
namespace {

class FileHandle {
 public:
  explicit FileHandle(const std::string& path) {
    const auto wide = WidePath(path);
    if (!wide) return;
    handle_ = CreateFileW(wide->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ != INVALID_HANDLE_VALUE && GetFileType(handle_) != FILE_TYPE_DISK) {
      // Devices and pipes could block or never end: only disk files are read.
      CloseHandle(handle_);
      handle_ = INVALID_HANDLE_VALUE;
    }
  }
  ~FileHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// Reads until `size` bytes are in or the end of the file; false on a read error.
bool ReadFully(HANDLE file, char* data, std::size_t size, std::size_t& done) {
  done = 0;
  while (done < size) {
    const std::size_t left = size - done;
    const DWORD ask = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
    DWORD got = 0;
    if (!ReadFile(file, data + done, ask, &got, nullptr)) return false;
    if (got == 0) break;
    done += got;
  }
  return true;
}

}  // namespace

std::optional<std::string> ReadAt(const std::string& path, std::uint64_t offset,
                                  std::size_t count) {
  FileHandle file(path);
  if (!file.ok()) return std::nullopt;
  if (offset > static_cast<std::uint64_t>(INT64_MAX)) return std::string();
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(offset);
  if (!SetFilePointerEx(file.get(), position, nullptr, FILE_BEGIN)) return std::nullopt;
  std::string bytes(count, '\0');
  std::size_t done = 0;
  if (!ReadFully(file.get(), bytes.data(), count, done)) return std::nullopt;
  bytes.resize(done);
  return bytes;
}

std::optional<std::string> ReadAllBytes(const std::string& path) {
  FileHandle file(path);
  LARGE_INTEGER size;
  if (!file.ok() || !GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return std::nullopt;
  if (static_cast<unsigned long long>(size.QuadPart) > SIZE_MAX / 2) return std::nullopt;
  try {
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    if (!ReadFully(file.get(), bytes.data(), bytes.size(), done)) return std::nullopt;
    bytes.resize(done);
    return bytes;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace trovex::fs
