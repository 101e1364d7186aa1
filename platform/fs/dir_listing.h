#pragma once
// Directory listing with the attributes, size and time the walk needs.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace trovex::fs {

struct DirEntry {
  // Windows: CP932. POSIX: the file system's bytes (UTF-8 by convention).
  std::string name;
  bool isDirectory = false;    // links to folders count as folders
  bool isHidden = false;       // POSIX: the name starts with "."
  bool isSystem = false;       // POSIX: never
  bool isRegularFile = false;  // the listing saw a plain file (false where it cannot tell)
  // The entry itself is a link (POSIX) or a reparse point (Windows), or the
  // listing could not tell; the other fields describe what it leads to.
  bool isLink = false;
  std::uint64_t size = 0;
  double lastWriteTime = 0;  // local time, days since 1899-12-30 (see date_time.h)
};

// What a listing must fill in. Windows lists everything at no extra cost; POSIX
// needs a stat per entry for sizes and times, which a walk without size or date
// condition can spare.
enum class ListingDetail {
  Full,          // every field
  NamesAndKinds  // name, isDirectory, isHidden, isSystem, isLink; size and time may stay 0
};

// Which real folder a path leads to, links followed: equal for every path of one
// folder. POSIX: device and inode; Windows: volume serial number and file index.
struct FolderId {
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  friend bool operator==(const FolderId&, const FolderId&) = default;
};

// The entries of one folder in the order the platform returns them, "." and ".."
// included. The folder path ends with the path separator and may be of any
// length. A folder that cannot be listed yields no entries. The listing stays
// open until the object is destroyed.
class DirectoryListing {
 public:
  explicit DirectoryListing(const std::string& folder, ListingDetail detail = ListingDetail::Full);
  ~DirectoryListing();
  DirectoryListing(const DirectoryListing&) = delete;
  DirectoryListing& operator=(const DirectoryListing&) = delete;

  // Fills `entry` with the next entry; false at the end.
  bool Next(DirEntry& entry);

  // POSIX: the open folder's descriptor, to open entries by name relative to it
  // (no path lookup per file). -1 on Windows or when the folder could not be listed.
  std::intptr_t FolderHandle() const;

  // The folder being listed; nothing when it could not be listed or the system
  // does not tell. Windows: asks the system for the folder's name, a costly call,
  // and tells nothing once every entry has been read (the folder is closed then).
  std::optional<FolderId> Identity() const;
  // The same as Identity, from what the listing told anyway (POSIX: Identity),
  // except that on Windows folders of different volumes may share it (under
  // Wine one drive holds several host file systems): equal quick identities
  // need Identity to tell whether the folder is the same.
  std::optional<FolderId> QuickIdentity() const;
  // The system's error code (errno; Windows: GetLastError) when the folder could
  // not be listed, 0 when it could.
  int Error() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// DirectoryListing::Identity of the folder at `folder`, without listing it.
std::optional<FolderId> FolderIdentity(const std::string& folder);

// True when `path` names an existing file (not a folder).
bool IsExistingFile(const std::string& path);

// True when `path` names an existing folder.
bool IsExistingFolder(const std::string& path);

}  // namespace trovex::fs
