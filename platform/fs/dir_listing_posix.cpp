#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "platform/fs/date_time.h"
#include "platform/fs/dir_listing.h"
#include "platform/fs/long_path_posix.h"

namespace trovex::fs {
namespace {

double LocalDateTime(const struct timespec& t) {
  struct tm local {};
  if (!localtime_r(&t.tv_sec, &local)) return 0;
  return EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                        local.tm_min, local.tm_sec, static_cast<int>(t.tv_nsec / 1000000));
}

// opendir for a folder path of any length.
DIR* OpenFolder(const std::string& folder) {
  const int fd = OpenAnyLength(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  DIR* dir = fdopendir(fd);
  if (!dir) close(fd);
  return dir;
}

}  // namespace

struct DirectoryListing::Impl {
  DIR* dir = nullptr;
  ListingDetail detail = ListingDetail::Full;
  int error = 0;
};

DirectoryListing::DirectoryListing(const std::string& folder, ListingDetail detail)
    : impl_(std::make_unique<Impl>()) {
  impl_->dir = OpenFolder(folder);
  if (!impl_->dir) impl_->error = errno;
  impl_->detail = detail;
}

DirectoryListing::~DirectoryListing() {
  if (impl_->dir) closedir(impl_->dir);
}

bool DirectoryListing::Next(DirEntry& entry) {
  if (!impl_->dir) return false;
  const struct dirent* d = readdir(impl_->dir);
  if (!d) return false;
  entry = DirEntry{};
  entry.name = d->d_name;
  entry.isHidden = entry.name[0] == '.';
  // Without sizes and times the entry type from the listing is enough, except for
  // links and file systems that do not report it.
  if (impl_->detail == ListingDetail::NamesAndKinds &&
      (d->d_type == DT_REG || d->d_type == DT_DIR)) {
    entry.isDirectory = d->d_type == DT_DIR;
    entry.isRegularFile = d->d_type == DT_REG;
    return true;
  }
  // Links are followed, as the Windows listing reports a linked folder as a folder;
  // a dangling link is reported as the link itself.
  struct stat st {};
  const int fd = dirfd(impl_->dir);
  bool known = fstatat(fd, d->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0;
  entry.isLink = !known || S_ISLNK(st.st_mode);
  if (known && S_ISLNK(st.st_mode)) {
    struct stat target {};
    if (fstatat(fd, d->d_name, &target, 0) == 0) st = target;
  }
  if (known) {
    entry.isDirectory = S_ISDIR(st.st_mode);
    entry.isRegularFile = S_ISREG(st.st_mode);
    entry.size = entry.isDirectory ? 0 : static_cast<std::uint64_t>(st.st_size);
    entry.lastWriteTime = LocalDateTime(st.st_mtim);
  }
  return true;
}

std::intptr_t DirectoryListing::FolderHandle() const { return impl_->dir ? dirfd(impl_->dir) : -1; }

int DirectoryListing::Error() const { return impl_->error; }

std::optional<FolderId> DirectoryListing::Identity() const {
  struct stat st {};
  if (!impl_->dir || fstat(dirfd(impl_->dir), &st) != 0) return std::nullopt;
  return FolderId{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

std::optional<FolderId> DirectoryListing::QuickIdentity() const { return Identity(); }

std::optional<FolderId> FolderIdentity(const std::string& folder) {
  struct stat st {};
  if (!StatAnyLength(folder, st)) return std::nullopt;
  return FolderId{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

bool IsExistingFile(const std::string& path) {
  struct stat st {};
  return StatAnyLength(path, st) && !S_ISDIR(st.st_mode);
}

bool IsExistingFolder(const std::string& path) {
  struct stat st {};
  return !path.empty() && StatAnyLength(path, st) && S_ISDIR(st.st_mode);
}

}  // namespace trovex::fs
