#include <windows.h>

#include "platform/fs/date_time.h"
#include "platform/fs/dir_listing.h"
#include "platform/fs/wide_path.h"
#include "platform/text/cp932.h"

namespace trovex::fs {
namespace {

double LocalDateTime(const FILETIME& utc) {
  FILETIME local;
  SYSTEMTIME st;
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st)) return 0;
  return EncodeDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond,
                        st.wMilliseconds);
}

}  // namespace

struct DirectoryListing::Impl {
  HANDLE find = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAW data{};
  bool pending = false;  // `data` holds an entry not yet returned
  ListingDetail detail = ListingDetail::Full;
  int error = 0;
};

DirectoryListing::DirectoryListing(const std::string& folder, ListingDetail detail)
    : impl_(std::make_unique<Impl>()) {
  impl_->detail = detail;
  const auto pattern = WidePath(folder + "*.*");
  if (!pattern) {
    impl_->error = ERROR_INVALID_NAME;
    return;
  }
  impl_->find = FindFirstFileW(pattern->c_str(), &impl_->data);
  impl_->pending = impl_->find != INVALID_HANDLE_VALUE;
  // A folder without even "." and ".." (a drive's empty root) is no failure.
  const DWORD error = impl_->pending ? ERROR_SUCCESS : GetLastError();
  if (error != ERROR_FILE_NOT_FOUND) impl_->error = static_cast<int>(error);
}

DirectoryListing::~DirectoryListing() {
  if (impl_->find != INVALID_HANDLE_VALUE) FindClose(impl_->find);
}

bool DirectoryListing::Next(DirEntry& entry) {
  if (!impl_->pending) {
    if (impl_->find == INVALID_HANDLE_VALUE || !FindNextFileW(impl_->find, &impl_->data))
      return false;
  }
  impl_->pending = false;
  const WIN32_FIND_DATAW& d = impl_->data;
  // Names CP932 lacks get "?" in those places, as the ANSI listing gives them.
  entry.name = text::EncodeCp932(std::u16string_view(reinterpret_cast<const char16_t*>(d.cFileName)), '?');
  entry.isDirectory = (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  entry.isHidden = (d.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
  entry.isSystem = (d.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
  entry.isRegularFile = (d.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
  // The local-time conversion is the costly part; a walk without a date or size
  // condition does without it.
  const bool full = impl_->detail == ListingDetail::Full;
  entry.size = full ? (static_cast<std::uint64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow : 0;
  entry.lastWriteTime = full ? LocalDateTime(d.ftLastWriteTime) : 0;
  return true;
}

std::intptr_t DirectoryListing::FolderHandle() const { return -1; }

int DirectoryListing::Error() const { return impl_->error; }

std::string FolderIdentity(const std::string&) { return {}; }

bool IsExistingFile(const std::string& path) {
  const auto wide = WidePath(path);
  if (!wide) return false;
  const DWORD attributes = GetFileAttributesW(wide->c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsExistingFolder(const std::string& path) {
  if (path.empty()) return false;
  const auto wide = WidePath(path);
  if (!wide) return false;
  const DWORD attributes = GetFileAttributesW(wide->c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace trovex::fs
