#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/fs/long_path_posix.h"
#include "platform/fs/sequential_reader.h"

namespace trovex::fs {

namespace {

int OpenFile(const std::string& path, const ListedFile& listed, int flags) {
  if (listed.folder >= 0 && listed.name)
    return openat(static_cast<int>(listed.folder), listed.name, flags);
  return OpenAnyLength(path, flags);
}

}  // namespace

std::uint64_t BypassCacheFrom() {
  static const std::uint64_t from = [] {
    const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGESIZE);
    return BypassCacheFromMemory(
        pages > 0 && pageSize > 0 ? std::uint64_t(pages) * std::uint64_t(pageSize) : 0);
  }();
  return from;
}

bool SequentialReader::Open(const std::string& path, std::uint32_t sectorSize, CacheUse cacheUse,
                            const ListedFile& listed) {
  const bool unbuffered = cacheUse == CacheUse::Bypass;
  Close();
  error_ = 0;
  sectorSize_ = sectorSize == 0 ? 512 : sectorSize;
  position_ = 0;
  // O_NONBLOCK keeps a FIFO from blocking the open; only regular files are read.
  // A name the listing saw as no link is not followed should a link have been put
  // in its place since (one to /dev/zero would never end).
  int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
  if (listed.notLink) flags |= O_NOFOLLOW;
  int fd = -1;
#ifdef O_DIRECT
  if (unbuffered) fd = OpenFile(path, listed, flags | O_DIRECT);
  unbuffered_ = fd >= 0;
#else
  unbuffered_ = false;
#endif
  if (fd < 0) fd = OpenFile(path, listed, flags);
  if (fd < 0) {
    error_ = errno;
    return false;
  }
  // The kind is asked of what was opened, not of what was listed: the name may
  // lead to something else by now.
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return false;
  }
  size_ = static_cast<std::uint64_t>(info.st_size);
#ifdef O_DIRECT
  // Linux lets an open file start direct reads; a file system that cannot keeps
  // reading through the cache.
  if (cacheUse == CacheUse::BypassLarge &&
      size_ >= (bypassFrom_ ? bypassFrom_ : BypassCacheFrom())) {
    const int open = fcntl(fd, F_GETFL);
    unbuffered_ = open >= 0 && fcntl(fd, F_SETFL, open | O_DIRECT) == 0;
  }
#endif
  handle_ = fd;
  return true;
}

void SequentialReader::Close() {
  if (handle_ >= 0) close(static_cast<int>(handle_));
  handle_ = -1;
  size_ = 0;
  advised_ = false;
}

std::optional<std::size_t> SequentialReader::ReadAt(std::uint64_t offset, char* dest,
                                                    std::size_t length) {
  if (handle_ < 0) return std::nullopt;
  const int fd = static_cast<int>(handle_);
  std::size_t got = 0;
  while (got < length) {
    const std::size_t want = length - got;
    const ssize_t n = pread(fd, dest + got, want, static_cast<off_t>(offset + got));
    if (n == 0) break;
    if (n < 0) {
      const int failure = errno;
      if (failure == EINTR) continue;
#ifdef O_DIRECT
      // The file system opened the file for direct reads but refuses them: read
      // through the cache from here on.
      if (failure == EINVAL && unbuffered_) {
        unbuffered_ = false;
        const int flags = fcntl(fd, F_GETFL);
        if (flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_DIRECT) == 0) continue;
      }
#endif
      error_ = failure;
      return std::nullopt;
    }
    got += static_cast<std::size_t>(n);
    // A regular file reads short only at its end; asking again there would be an
    // unaligned direct read.
    if (static_cast<std::size_t>(n) < want) break;
  }
  // Read-ahead matters only for files that take more than one read: asked for
  // once the first read comes back full.
  if (!unbuffered_ && !advised_ && got == length) {
    posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    advised_ = true;
  }
  return got;
}

}  // namespace trovex::fs
