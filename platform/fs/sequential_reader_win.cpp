#include <windows.h>

#include "platform/fs/sequential_reader.h"

#include "platform/fs/handle_read_win.h"
#include "platform/fs/wide_path.h"

namespace trovex::fs {
namespace {

HANDLE OpenForReading(const wchar_t* path, bool unbuffered, bool notLink) {
  DWORD flags = FILE_FLAG_SEQUENTIAL_SCAN;
  if (unbuffered) flags |= FILE_FLAG_NO_BUFFERING;
  // A name listed without a reparse point is opened as itself: should a link have
  // been put in its place since, the link is opened, not what it leads to.
  if (notLink) flags |= FILE_FLAG_OPEN_REPARSE_POINT;
  return CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                     flags, nullptr);
}

}  // namespace

std::uint64_t BypassCacheFrom() {
  static const std::uint64_t from = [] {
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    return BypassCacheFromMemory(GlobalMemoryStatusEx(&memory) ? memory.ullTotalPhys : 0);
  }();
  return from;
}

// Windows opens by path: FindFirstFileW leaves no folder handle to open from.
bool SequentialReader::Open(const std::string& path, std::uint32_t sectorSize, CacheUse cacheUse,
                            const ListedFile& listed) {
  const bool unbuffered = cacheUse == CacheUse::Bypass;
  Close();
  error_ = 0;
  sectorSize_ = sectorSize == 0 ? 512 : sectorSize;
  position_ = 0;
  filePointer_ = 0;
  const auto wide = WidePath(path);
  if (!wide) {
    error_ = ERROR_INVALID_NAME;
    return false;
  }
  const wchar_t* name = wide->c_str();
  HANDLE file = INVALID_HANDLE_VALUE;
  if (unbuffered) file = OpenForReading(name, true, listed.notLink);
  unbuffered_ = file != INVALID_HANDLE_VALUE;
  if (file == INVALID_HANDLE_VALUE) file = OpenForReading(name, false, listed.notLink);
  if (file == INVALID_HANDLE_VALUE) {
    error_ = static_cast<int>(GetLastError());
    return false;
  }
  // Only disk files are read: a pipe or a device could block or never end. The
  // listing's attributes cannot tell: under Wine a FIFO or /dev/zero seen through
  // Z: lists as a plain file, and the name may lead elsewhere by now. So the kind
  // and the size are asked of what was opened.
  // GetFileInformationByHandle also asks for the volume's serial number, which costs
  // Wine a round trip to its device server per file: the two classes asked here
  // hold all that is needed.
  FILE_BASIC_INFO basic{};
  FILE_STANDARD_INFO standard{};
  DWORD refused = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE;
  if (listed.notLink) refused |= FILE_ATTRIBUTE_REPARSE_POINT;
  if (GetFileType(file) != FILE_TYPE_DISK ||
      !GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic) ||
      !GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard) ||
      (basic.FileAttributes & refused) != 0 || standard.Directory) {
    CloseHandle(file);
    return false;
  }
  size_ = static_cast<std::uint64_t>(standard.EndOfFile.QuadPart);
  if (cacheUse == CacheUse::BypassLarge &&
      size_ >= (bypassFrom_ ? bypassFrom_ : BypassCacheFrom())) {
    // A second handle of the same file that bypasses the cache; where the volume
    // refuses, the first one reads through it.
    DWORD flags = FILE_FLAG_SEQUENTIAL_SCAN | FILE_FLAG_NO_BUFFERING;
    if (listed.notLink) flags |= FILE_FLAG_OPEN_REPARSE_POINT;
    HANDLE direct = ReOpenFile(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, flags);
    if (direct != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      file = direct;
      unbuffered_ = true;
    }
  }
  handle_ = reinterpret_cast<std::intptr_t>(file);
  return true;
}

void SequentialReader::Close() {
  if (handle_ != -1) CloseHandle(reinterpret_cast<HANDLE>(handle_));
  handle_ = -1;
  size_ = 0;
}

std::optional<std::size_t> SequentialReader::ReadAt(std::uint64_t offset, char* dest,
                                                    std::size_t length) {
  if (handle_ == -1) return std::nullopt;
  HANDLE file = reinterpret_cast<HANDLE>(handle_);
  std::size_t got = 0;
  while (got < length) {
    const DWORD want = static_cast<DWORD>(length - got);
    const std::optional<DWORD> n = ReadHandleAt(file, filePointer_, offset + got, dest + got, want);
    if (!n) {
      error_ = static_cast<int>(GetLastError());
      return std::nullopt;
    }
    got += *n;
    // A disk file reads short only at its end.
    if (*n < want) break;
  }
  return got;
}

}  // namespace trovex::fs
