#pragma once
// The recursive walk over the chosen locations, and the counting walk before a run.
//
// Within a folder all its files are examined before any subfolder; subfolders are
// walked depth-first in the platform's listing order. cancelRequested is polled
// before every entry of the files pass and after every subfolder. A walk, and a
// run over several locations, lists each real folder once: a folder reached again
// through a link (or another location) is passed by, so that loops end, folders
// linked to one another cost no more than the folders, and no file is examined twice.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/fs/dir_listing.h"
#include "platform/fs/sequential_reader.h"
#include "search/search_conditions.h"
#include "search/search_locations.h"
#include "search/search_progress.h"
#include "search/walk_record.h"

namespace trovex::search {

// What looking into a file found: its first hit's offset, and the bytes there
// when the scan kept them.
struct FileHit {
  FileHit(std::uint64_t at, std::shared_ptr<const FoundBytes> bytes = nullptr)
      : offset(at), found(std::move(bytes)) {}
  std::uint64_t offset;
  std::shared_ptr<const FoundBytes> found;
};

// Looks into one file: its first hit, or nullopt. `listed` tells where the walk
// found it, so that it can be opened without a path lookup.
using FileSearcher =
    std::function<std::optional<FileHit>(const std::string& path, const fs::ListedFile& listed)>;

// Lets the user interface handle its pending messages once (the counting walk
// calls it once per entry so that a Cancel button works); may be empty.
using MessagePump = std::function<void()>;

// The drive texts: "C:", "D:", ... on Windows; "/" on POSIX.
std::vector<std::string> ListDrives();

// Calls `walk` for each drive in order and sums what it returns; stops after a
// drive when cancelRequested is set.
std::uint32_t ForEachDrive(SearchProgress& progress,
                           const std::function<std::uint32_t(const std::string& drive)>& walk);

// Examines the files of `folder` and its subfolders: adds a hit line per hit and
// advances filesExamined per examined file.
void WalkFolder(const std::string& folder, const SearchConditions& conditions,
                const FileSearcher& searchFile, SearchProgress& progress);

// Counts the files (shortcuts included) that pass the hidden and system tests.
std::uint32_t CountFolder(const std::string& folder, const SearchConditions& conditions,
                          SearchProgress& progress, const MessagePump& pump);

// WalkFolder over every location in order; with a whole `record` of the counting
// walk over the same locations, the folders are taken from it, not listed again.
void RunSearch(const SearchLocations& locations, const SearchConditions& conditions,
               const FileSearcher& searchFile, SearchProgress& progress,
               const WalkRecord* record = nullptr);

// Takes a run's files in walk order where they are examined elsewhere (see
// ordered_scan.h). Every file that passes the attribute tests comes to Reached
// and then, unless it is a shortcut, to exactly one of the other three.
class WalkedFiles {
 public:
  virtual ~WalkedFiles() = default;
  // Before each location of the run (a drive when every drive is searched).
  virtual void LocationBegins(const std::string& location) = 0;
  virtual void Reached(const std::string& path) = 0;
  // A hit without looking inside (the name conditions say so).
  virtual void ListOnly(const std::string& path) = 0;
  // To look into. `folder` is the listing the file was found in, kept open for
  // as long as someone holds it so that the file can be opened relative to it.
  virtual void Search(const std::string& path,
                      const std::shared_ptr<const fs::DirectoryListing>& folder,
                      const fs::DirEntry& entry) = 0;
  // Passed by: examined, no hit.
  virtual void Skipped() = 0;
};

// The walk of RunSearch, handing each file over instead of looking into it.
void RunWalk(const SearchLocations& locations, const SearchConditions& conditions,
             WalkedFiles& files, SearchProgress& progress, const WalkRecord* record = nullptr);

// CountFolder over every location in order, naming each in countingRoot first.
// With `record`, keeps the folders it lists there for the run that follows.
std::uint32_t CountFiles(const SearchLocations& locations, const SearchConditions& conditions,
                         SearchProgress& progress, const MessagePump& pump = {},
                         WalkRecord* record = nullptr);

}  // namespace trovex::search
