#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "platform/fs/long_path_posix.h"
#include "platform/fs/read_at.h"

namespace trovex::fs {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(const std::string& path)
      : fd_(OpenAnyLength(path, O_RDONLY | O_CLOEXEC)) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Reads until `size` bytes are in or the end of the file; false on a read error.
bool ReadFully(int fd, char* data, std::size_t size, std::uint64_t offset, std::size_t& done) {
  done = 0;
  while (done < size) {
    const ssize_t got = ::pread(fd, data + done, size - done, static_cast<off_t>(offset + done));
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return true;
}

bool IsRegularFile(int fd, std::uint64_t* size) {
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return false;
  *size = static_cast<std::uint64_t>(info.st_size);
  return true;
}

}  // namespace

std::optional<std::string> ReadAt(const std::string& path, std::uint64_t offset,
                                  std::size_t count) {
  FileDescriptor file(path);
  std::uint64_t size = 0;
  // Devices and pipes could block or never end: only regular files are read.
  if (file.get() < 0 || !IsRegularFile(file.get(), &size)) return std::nullopt;
  if (offset >= size || offset > static_cast<std::uint64_t>(INT64_MAX)) return std::string();
  std::string bytes(count, '\0');
  std::size_t done = 0;
  if (!ReadFully(file.get(), bytes.data(), count, offset, done)) return std::nullopt;
  bytes.resize(done);
  return bytes;
}

std::optional<std::string> ReadAllBytes(const std::string& path) {
  FileDescriptor file(path);
  std::uint64_t size = 0;
  if (file.get() < 0 || !IsRegularFile(file.get(), &size)) return std::nullopt;
  if (size > SIZE_MAX / 2) return std::nullopt;
  try {
    std::string bytes(static_cast<std::size_t>(size), '\0');
    std::size_t done = 0;
    if (!ReadFully(file.get(), bytes.data(), bytes.size(), 0, done)) return std::nullopt;
    bytes.resize(done);
    return bytes;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace trovex::fs
