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

// A folder opened for listing (links and junctions followed, as a listing by
// name follows them).
HANDLE OpenFolderHandle(const std::wstring& folder, DWORD access) {
  return CreateFileW(folder.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// Entries come in batches of this many bytes: a folder of some dozens of files
// is read in one call.
constexpr DWORD kBatchBytes = 16 * 1024;

// What a file system that cannot list by handle with file indexes (some network
// and redirected drives) answers.
bool ListingByHandleRefused(DWORD error) {
  return error == ERROR_INVALID_PARAMETER || error == ERROR_INVALID_LEVEL ||
         error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION;
}

bool IsFolderHandle(HANDLE handle) {
  FILE_BASIC_INFO basic{};
  return GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic) &&
         (basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

// The folder is listed through its own handle (FileIdBothDirectoryInfo), which
// also tells each entry's file index: the "." entry gives the folder's quick
// identity without opening it once more. Where the file system refuses that,
// the folder is listed by name (FindFirstFileW), without a quick identity.
struct DirectoryListing::Impl {
  std::string folder;
  HANDLE handle = INVALID_HANDLE_VALUE;
  std::vector<std::uint64_t> batch;    // aligned for the entries' 64-bit fields
  std::size_t next = 0;                // byte offset of the next entry in `batch`
  bool more = false;                   // the batch holds an entry not yet returned
  HANDLE find = INVALID_HANDLE_VALUE;  // the listing by name
  WIN32_FIND_DATAW found{};            // its entry not yet returned, while `more`
  std::optional<FolderId> quick;
  ListingDetail detail = ListingDetail::Full;
  int error = 0;

  // Reads the next batch; false at the end of the listing or on a failure.
  bool ReadBatch() {
    if (!GetFileInformationByHandleEx(handle, FileIdBothDirectoryInfo, batch.data(),
                                      static_cast<DWORD>(batch.size() * sizeof(batch[0]))))
      return false;
    next = 0;
    return true;
  }
  const FILE_ID_BOTH_DIR_INFO& Current() const {
    return *reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(
        reinterpret_cast<const char*>(batch.data()) + next);
  }
  // At the end a listing holds nothing more: a file handed over may keep its
  // listing for a while.
  void Release() {
    std::vector<std::uint64_t>().swap(batch);
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    find = INVALID_HANDLE_VALUE;
  }
  // The end of the listing: the folder is closed too.
  void Finish() {
    Release();
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
  }
  void ListByName() {
    const auto pattern = WidePath(folder + "*.*");
    if (!pattern) {
      error = ERROR_INVALID_NAME;
      return;
    }
    find = FindFirstFileW(pattern->c_str(), &found);
    more = find != INVALID_HANDLE_VALUE;
    // A folder without even "." and ".." (a drive's empty root) is no failure.
    const DWORD failure = more ? ERROR_SUCCESS : GetLastError();
    if (failure != ERROR_FILE_NOT_FOUND) error = static_cast<int>(failure);
  }
};

DirectoryListing::DirectoryListing(const std::string& folder, ListingDetail detail)
    : impl_(std::make_unique<Impl>()) {
  impl_->detail = detail;
  impl_->folder = folder;
  const auto wide = WidePath(folder);
  if (!wide) {
    impl_->error = ERROR_INVALID_NAME;
    return;
  }
  impl_->handle = OpenFolderHandle(*wide, FILE_LIST_DIRECTORY);
  if (impl_->handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    // The folder is the path of the listing, as a listing by name reports it.
    impl_->error = static_cast<int>(error == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : error);
    return;
  }
  impl_->batch.resize(kBatchBytes / sizeof(std::uint64_t));
  impl_->more = impl_->ReadBatch();
  if (!impl_->more) {
    const DWORD error = GetLastError();
    impl_->Release();
    if (ListingByHandleRefused(error)) {
      if (IsFolderHandle(impl_->handle))
        impl_->ListByName();
      else
        impl_->error = ERROR_DIRECTORY;  // a file, not a folder
    } else if (error != ERROR_NO_MORE_FILES && error != ERROR_FILE_NOT_FOUND) {
      // A folder without even "." and ".." (a drive's empty root) is no failure.
      impl_->error = static_cast<int>(error);
    }
    return;
  }
  // "." comes first where there is one (a drive's root has none).
  const FILE_ID_BOTH_DIR_INFO& first = impl_->Current();
  const std::uint64_t index = static_cast<std::uint64_t>(first.FileId.QuadPart);
  if (first.FileNameLength == sizeof(wchar_t) && first.FileName[0] == L'.' && index != 0)
    impl_->quick = FolderId{0, index};
}

DirectoryListing::~DirectoryListing() { impl_->Finish(); }

namespace {

// The entry fields both listings give.
void FillEntry(std::u16string_view name, DWORD attributes, std::uint64_t size,
               const FILETIME& written, ListingDetail detail, DirEntry& entry) {
  // Names CP932 lacks get "?" in those places, as the ANSI listing gives them.
  entry.name = text::EncodeCp932(name, '?');
  entry.isDirectory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  entry.isHidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
  entry.isSystem = (attributes & FILE_ATTRIBUTE_SYSTEM) != 0;
  entry.isRegularFile = (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
  entry.isLink = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  // The local-time conversion is the costly part; a walk without a date or size
  // condition does without it.
  const bool full = detail == ListingDetail::Full;
  entry.size = full ? size : 0;
  entry.lastWriteTime = full ? LocalDateTime(written) : 0;
}

}  // namespace

bool DirectoryListing::Next(DirEntry& entry) {
  Impl& listing = *impl_;
  if (listing.find != INVALID_HANDLE_VALUE) {
    if (!listing.more && !FindNextFileW(listing.find, &listing.found)) {
      listing.Finish();
      return false;
    }
    listing.more = false;
    const WIN32_FIND_DATAW& d = listing.found;
    FillEntry(reinterpret_cast<const char16_t*>(d.cFileName), d.dwFileAttributes,
              (static_cast<std::uint64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow,
              d.ftLastWriteTime, listing.detail, entry);
    return true;
  }
  if (!listing.more) {
    if (listing.batch.empty() || !listing.ReadBatch()) {
      listing.Finish();
      return false;
    }
    listing.more = true;
  }
  const FILE_ID_BOTH_DIR_INFO& d = listing.Current();
  FILETIME written;
  written.dwLowDateTime = d.LastWriteTime.LowPart;
  written.dwHighDateTime = static_cast<DWORD>(d.LastWriteTime.HighPart);
  FillEntry(std::u16string_view(reinterpret_cast<const char16_t*>(d.FileName),
                                d.FileNameLength / sizeof(wchar_t)),
            d.FileAttributes, static_cast<std::uint64_t>(d.EndOfFile.QuadPart), written,
            listing.detail, entry);
  if (d.NextEntryOffset == 0)
    listing.more = false;
  else
    listing.next += d.NextEntryOffset;
  return true;
}

std::intptr_t DirectoryListing::FolderHandle() const { return -1; }

std::optional<FolderId> DirectoryListing::QuickIdentity() const { return impl_->quick; }

std::optional<FolderId> DirectoryListing::Identity() const {
  if (impl_->handle == INVALID_HANDLE_VALUE) return std::nullopt;
  return HandleIdentity(impl_->handle);
}

std::optional<FolderId> FolderIdentity(const std::string& folder) {
  const auto wide = WidePath(folder);
  if (!wide) return std::nullopt;
  HANDLE handle = OpenFolderHandle(*wide, FILE_READ_ATTRIBUTES);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  const std::optional<FolderId> id = HandleIdentity(handle);
  CloseHandle(handle);
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
