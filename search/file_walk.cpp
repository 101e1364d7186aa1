#include "search/file_walk.h"

#include "platform/fs/dir_listing.h"
#include "platform/fs/drives.h"
#include "search/file_selection.h"
#include "search/folder_path.h"
#include "search/hit_line.h"

namespace trovex::search {
namespace {

bool IsSubfolderToWalk(const SearchConditions& conditions, const fs::DirEntry& entry) {
  return entry.isDirectory && entry.name != "." && entry.name != ".." &&
         PassesAttributeTests(conditions, entry);
}

// Sizes and times are needed only by the size and date conditions.
fs::ListingDetail FilesPassDetail(const SearchConditions& c) {
  return c.optionsOpen && (c.sizeFilterOn || c.dateFilterOn) ? fs::ListingDetail::Full
                                                               : fs::ListingDetail::NamesAndKinds;
}

bool Cancelled(const SearchProgress& progress) { return progress.cancelRequested.load(); }

// The folders pass shared by both walks; `walk` is applied to each subfolder.
template <typename Walk>
void ForEachSubfolder(const std::string& folder, const SearchConditions& conditions,
                      const SearchProgress& progress, Walk walk) {
  fs::DirectoryListing listing(folder, fs::ListingDetail::NamesAndKinds);
  fs::DirEntry entry;
  while (listing.Next(entry)) {
    if (!IsSubfolderToWalk(conditions, entry)) continue;
    walk(folder + entry.name);
    if (Cancelled(progress)) return;
  }
}

}  // namespace

std::vector<std::string> ListDrives() { return fs::LogicalDrives(); }

std::uint32_t ForEachDrive(SearchProgress& progress,
                           const std::function<std::uint32_t(const std::string& drive)>& walk) {
  std::uint32_t count = 0;
  for (const std::string& drive : ListDrives()) {
    count += walk(drive);
    if (Cancelled(progress)) break;
  }
  return count;
}

void WalkFolder(const std::string& path, const SearchConditions& conditions,
                const FileSearcher& searchFile, SearchProgress& progress) {
  const std::string folder = NormalizeFolderPath(path);
  {
    fs::DirectoryListing listing(folder, FilesPassDetail(conditions));
    fs::DirEntry entry;
    while (listing.Next(entry)) {
      if (Cancelled(progress)) return;
      if (entry.isDirectory || !PassesAttributeTests(conditions, entry)) continue;
      std::string filePath = folder + entry.name;
      progress.SetCurrentFile(filePath);
      if (IsShortcutName(entry.name)) continue;
      const FileAction action = SelectFile(conditions, entry);
      if (action == FileAction::ListOnly) {
        progress.hitList.Add(MakeHitLine(filePath, 0));
      } else if (action == FileAction::Search) {
        if (const auto offset = searchFile(filePath)) {
          progress.hitList.Add(MakeHitLine(filePath, static_cast<std::int64_t>(*offset)));
        }
      }
      progress.filesExamined.fetch_add(1);
    }
  }
  ForEachSubfolder(folder, conditions, progress, [&](const std::string& subfolder) {
    WalkFolder(subfolder, conditions, searchFile, progress);
  });
}

std::uint32_t CountFolder(const std::string& path, const SearchConditions& conditions,
                          SearchProgress& progress, const MessagePump& pump) {
  const std::string folder = NormalizeFolderPath(path);
  std::uint32_t count = 0;
  {
    fs::DirectoryListing listing(folder, fs::ListingDetail::NamesAndKinds);
    fs::DirEntry entry;
    while (listing.Next(entry)) {
      if (pump) pump();
      if (Cancelled(progress)) return count;
      if (!entry.isDirectory && PassesAttributeTests(conditions, entry)) ++count;
    }
  }
  ForEachSubfolder(folder, conditions, progress, [&](const std::string& subfolder) {
    count += CountFolder(subfolder, conditions, progress, pump);
  });
  return count;
}

void RunSearch(const SearchLocations& locations, const SearchConditions& conditions,
               const FileSearcher& searchFile, SearchProgress& progress) {
  const auto walk = [&](const std::string& location) -> std::uint32_t {
    WalkFolder(location, conditions, searchFile, progress);
    return 0;
  };
  if (locations.everyDrive) {
    ForEachDrive(progress, walk);
  } else {
    for (const std::string& location : locations.paths) walk(location);
  }
}

std::uint32_t CountFiles(const SearchLocations& locations, const SearchConditions& conditions,
                         SearchProgress& progress, const MessagePump& pump) {
  const auto count = [&](const std::string& location) -> std::uint32_t {
    progress.countingRoot = location;
    return CountFolder(location, conditions, progress, pump);
  };
  if (locations.everyDrive) return ForEachDrive(progress, count);
  std::uint32_t total = 0;
  for (const std::string& location : locations.paths) total += count(location);
  return total;
}

}  // namespace trovex::search
