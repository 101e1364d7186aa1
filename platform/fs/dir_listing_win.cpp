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

// The folder's identity is its final path, links and junctions resolved, kept as
// two hashes. The volume serial number and file index would do on Windows, but
// under Wine one drive letter covers several host file systems whose indexes
// repeat (Z:\proc and Z:\dev both answer serial 0, index 1).
std::optional<FolderId> HandleIdentity(HANDLE folder) {
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = GetFinalPathNameByHandleW(folder, path.data(), static_cast<DWORD>(path.size()),
                                           FILE_NAME_NORMALIZED);
  if (length >= path.size()) {
    path.resize(length + 1);
    length = GetFinalPathNameByHandleW(folder, path.data(), static_cast<DWORD>(path.size()),
                                       FILE_NAME_NORMALIZED);
  }
  if (length == 0 || length >= path.size()) return std::nullopt;
  // FNV-1a from two different starting points.
  FolderId id{0xcbf29ce484222325ull, 0x84222325cbf29ce4ull};
  for (DWORD i = 0; i < length; ++i) {
    const auto unit = static_cast<std::uint64_t>(path[i]);
    id.volume = (id.volume ^ unit) * 0x100000001b3ull;
    id.file = (id.file ^ (unit + 0x9e37)) * 0x100000001b3ull;
  }
  return id;
}

}  // namespace

struct DirectoryListing::Impl {
  std::string folder;
  HANDLE find = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAW data{};
  bool pending = false;  // `data` holds an entry not yet returned
  ListingDetail detail = ListingDetail::Full;
};

DirectoryListing::DirectoryListing(const std::string& folder, ListingDetail detail)
    : impl_(std::make_unique<Impl>()) {
  impl_->detail = detail;
  impl_->folder = folder;
  const auto pattern = WidePath(folder + "*.*");
  if (!pattern) return;
  impl_->find = FindFirstFileW(pattern->c_str(), &impl_->data);
  impl_->pending = impl_->find != INVALID_HANDLE_VALUE;
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
  entry.isLink = (d.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  // The local-time conversion is the costly part; a walk without a date or size
  // condition does without it.
  const bool full = impl_->detail == ListingDetail::Full;
  entry.size = full ? (static_cast<std::uint64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow : 0;
  entry.lastWriteTime = full ? LocalDateTime(d.ftLastWriteTime) : 0;
  return true;
}

std::intptr_t DirectoryListing::FolderHandle() const { return -1; }

// The listing's search handle cannot be asked: the folder is opened once more,
// links followed, for its volume and file index.
std::optional<FolderId> DirectoryListing::Identity() const {
  if (impl_->find == INVALID_HANDLE_VALUE) return std::nullopt;
  const auto wide = WidePath(impl_->folder);
  if (!wide) return std::nullopt;
  HANDLE folder = CreateFileW(wide->c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folder == INVALID_HANDLE_VALUE) return std::nullopt;
  const std::optional<FolderId> id = HandleIdentity(folder);
  CloseHandle(folder);
  return id;
}

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
