#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "platform/fs/long_path_posix.h"
#include "platform/fs/random_access_file.h"

namespace trovex::fs {

bool RandomAccessFile::Open(const std::string& path) {
  Close();
  const int fd = OpenAnyLength(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return false;
  }
  handle_ = fd;
  size_ = static_cast<std::uint64_t>(info.st_size);
  return true;
}

void RandomAccessFile::Close() {
  if (handle_ != -1) ::close(static_cast<int>(handle_));
  handle_ = -1;
  size_ = 0;
}

std::optional<std::size_t> RandomAccessFile::ReadAt(std::uint64_t offset, char* dest,
                                                    std::size_t length) const {
  if (handle_ == -1) return std::nullopt;
  std::size_t done = 0;
  while (done < length) {
    const std::uint64_t at = offset + done;
    if (at < offset || at > static_cast<std::uint64_t>(LLONG_MAX)) break;
    const ssize_t got =
        ::pread(static_cast<int>(handle_), dest + done, length - done, static_cast<off_t>(at));
    if (got < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

}  // namespace trovex::fs
