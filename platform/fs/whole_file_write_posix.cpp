#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/fs/whole_file_write.h"

namespace trovex::fs {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(put);
  }
  return true;
}

// Writes the bytes to a fresh file named after `path` in the same folder (so that
// a rename cannot cross file systems) and returns its name; empty on failure, when
// nothing stays behind.
std::string WriteBeside(const std::string& path, std::string_view bytes) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string temporary =
        path + ".new" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return {};
    }
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written) {
      ::unlink(temporary.c_str());
      return {};
    }
    return temporary;
  }
  return {};
}

}  // namespace

bool ReplaceWholeFile(const std::string& path, std::string_view bytes) {
  const std::string temporary = WriteBeside(path, bytes);
  if (temporary.empty()) return false;
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

NewFileOutcome WriteNewWholeFile(const std::string& path, std::string_view bytes) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0) return NewFileOutcome::AlreadyExists;
  const std::string temporary = WriteBeside(path, bytes);
  if (temporary.empty()) return NewFileOutcome::Failed;
  // A hard link fails when the name is taken, so a file made meanwhile survives.
  const int linked = ::link(temporary.c_str(), path.c_str());
  const int error = errno;
  ::unlink(temporary.c_str());
  if (linked == 0) return NewFileOutcome::Written;
  return error == EEXIST ? NewFileOutcome::AlreadyExists : NewFileOutcome::Failed;
}

bool CreateFolderPath(const std::string& path) {
  std::string folder = path;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (folder.empty()) return false;
  struct stat info {};
  if (::stat(folder.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  const std::size_t cut = folder.rfind('/');
  if (cut != std::string::npos && cut > 0 && !CreateFolderPath(folder.substr(0, cut))) return false;
  return ::mkdir(folder.c_str(), 0777) == 0 || errno == EEXIST;
}

}  // namespace trovex::fs
