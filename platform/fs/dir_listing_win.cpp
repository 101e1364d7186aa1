#include <windows.h>
#include <winternl.h>

#include <vector>

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

// The folder's identity is the name the system gives the opened folder, links
// and junctions resolved, kept as two hashes. The volume serial number and file
// index would do on Windows, but under Wine one drive letter covers several host
// file systems whose indexes repeat (Z:\proc and Z:\dev both answer serial 0,
// index 1), and Wine's GetFinalPathNameByHandleW fails past MAX_PATH.
std::optional<FolderId> HandleIdentity(HANDLE folder) {
  using QueryObject = LONG(WINAPI*)(HANDLE, OBJECT_INFORMATION_CLASS, void*, ULONG, ULONG*);
  static const auto query = reinterpret_cast<QueryObject>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryObject")));
  if (!query) return std::nullopt;
  std::vector<std::uint64_t> buffer(128);  // aligned for the UNICODE_STRING at its start
  ULONG needed = 0;
  auto bytes = [&] { return static_cast<ULONG>(buffer.size() * sizeof(std::uint64_t)); };
  LONG status = query(folder, ObjectNameInformation, buffer.data(), bytes(), &needed);
  if (status != 0 && needed > bytes()) {
    buffer.resize(needed / sizeof(std::uint64_t) + 1);
    status = query(folder, ObjectNameInformation, buffer.data(), bytes(), &needed);
  }
  if (status != 0) return std::nullopt;
  const auto* name = reinterpret_cast<const UNICODE_STRING*>(buffer.data());
  if (!name->Buffer || name->Length == 0) return std::nullopt;
  // FNV-1a from two different starting points.
  FolderId id{0xcbf29ce484222325ull, 0x84222325cbf29ce4ull};
  for (USHORT i = 0; i < name->Length / sizeof(wchar_t); ++i) {
    const auto unit = static_cast<std::uint64_t>(name->Buffer[i]);
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
  int error = 0;
};

DirectoryListing::DirectoryListing(const std::string& folder, ListingDetail detail)
    : impl_(std::make_unique<Impl>()) {
  impl_->detail = detail;
  impl_->folder = folder;
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
  entry.name =
      text::EncodeCp932(std::u16string_view(reinterpret_cast<const char16_t*>(d.cFileName)), '?');
  entry.isDirectory = (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  entry.isHidden = (d.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
  entry.isSystem = (d.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
  entry.isRegularFile =
      (d.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
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

int DirectoryListing::Error() const { return impl_->error; }

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
