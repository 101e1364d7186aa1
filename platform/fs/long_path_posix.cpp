#include "platform/fs/long_path_posix.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace trovex::fs {

int OpenAnyLength(const std::string& path, int flags) {
  if (path.size() < PATH_MAX) return ::open(path.c_str(), flags);
  // Every stretch but the last ends after a separator and opens a folder, from
  // which the next stretch is looked up.
  int folder = AT_FDCWD;
  std::size_t from = 0;
  for (;;) {
    const std::size_t left = path.size() - from;
    if (left < PATH_MAX) {
      const std::string last = left == 0 ? std::string(".") : path.substr(from);
      const int fd = ::openat(folder, last.c_str(), flags);
      const int error = errno;
      if (folder != AT_FDCWD) ::close(folder);
      errno = error;
      return fd;
    }
    const std::size_t cut = path.rfind('/', from + PATH_MAX - 2);
    if (cut == std::string::npos || cut < from) {
      if (folder != AT_FDCWD) ::close(folder);
      errno = ENAMETOOLONG;
      return -1;
    }
    const std::string stretch = path.substr(from, cut + 1 - from);
    const int next = ::openat(folder, stretch.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    const int error = errno;
    if (folder != AT_FDCWD) ::close(folder);
    if (next < 0) {
      errno = error;
      return -1;
    }
    folder = next;
    from = cut + 1;
  }
}

bool StatAnyLength(const std::string& path, struct stat& info) {
  if (path.size() < PATH_MAX) return ::stat(path.c_str(), &info) == 0;
  const int fd = OpenAnyLength(path, O_PATH | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fstat(fd, &info) == 0;
  ::close(fd);
  return ok;
}

}  // namespace trovex::fs
