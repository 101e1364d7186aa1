#include "search/file_walk.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "platform/fs/dir_listing.h"
#include "platform/fs/drives.h"
#include "platform/fs/path_separator.h"
#include "platform/fs/system_error.h"
#include "search/file_selection.h"
#include "search/folder_path.h"
#include "search/hit.h"

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

// The real folders a run has listed. A folder reached again, through a link or
// an overlapping location, is left out: a walk always ends, every file is
// examined once, and folders linked to one another cost no more than the folders.
struct FolderIdHash {
  std::size_t operator()(const fs::FolderId& id) const {
    return std::hash<std::uint64_t>{}(id.file ^ (id.volume * 0x9E3779B97F4A7C15ull));
  }
};

// Folders are told apart by their quick identity, which costs nothing more than
// the listing; only folders that share one (folders of different volumes can) are
// asked for their exact identity, which on Windows costs an open and a name. A
// folder's quick identity is the same whichever path reaches it: the listing
// follows links and junctions to the folder itself.
class VisitedFolders {
 public:
  // True the first time a run lists this folder (and where the system cannot tell).
  bool FirstVisit(const std::string& folder, const fs::DirectoryListing& listing) {
    const std::optional<fs::FolderId> quick = listing.QuickIdentity();
    if (!quick) return FirstExactVisit(exactOnly_, listing.Identity());
    const auto [place, first] = byQuick_.try_emplace(*quick);
    Sharing& sharing = place->second;
    if (first) {
      sharing.first = folder;
      return true;
    }
    if (!sharing.exact) {
      sharing.exact = std::make_unique<ExactIds>();
      if (const auto id = fs::FolderIdentity(sharing.first)) sharing.exact->insert(*id);
      sharing.first = std::string();
    }
    return FirstExactVisit(*sharing.exact, listing.Identity());
  }
  // True the first time a run takes this folder from the counting walk's record
  // (a location inside another reaches it by the same path twice).
  bool FirstVisit(const WalkRecord::Folder& recorded) { return taken_.insert(&recorded).second; }

 private:
  using ExactIds = std::unordered_set<fs::FolderId, FolderIdHash>;
  // The folders of one quick identity: the path of the first, until a second comes
  // and both are asked for their exact identities.
  struct Sharing {
    std::string first;
    std::unique_ptr<ExactIds> exact;
  };
  static bool FirstExactVisit(ExactIds& ids, const std::optional<fs::FolderId>& id) {
    return !id || ids.insert(*id).second;
  }

  std::unordered_map<fs::FolderId, Sharing, FolderIdHash> byQuick_;
  ExactIds exactOnly_;  // folders without a quick identity
  std::unordered_set<const WalkRecord::Folder*> taken_;
};

// The subfolders to walk, noted while a folder is listed for its files: one
// listing of each folder serves both passes.
using Subfolders = std::vector<std::string>;

void NoteSubfolder(const SearchConditions& conditions, const fs::DirEntry& entry,
                   Subfolders& subfolders) {
  if (IsSubfolderToWalk(conditions, entry)) subfolders.push_back(entry.name);
}

// The folders pass shared by both walks; `walk` is applied to each subfolder's
// path, which ends with the separator as the listing of a folder wants it.
//
// The walk goes down by recursion, so a tree nested deeper than kMaxFolderDepth
// folders (no real tree is; a crafted one could be, now that paths of any length
// open) is not walked below that depth: its folders count as unreadable there.
constexpr std::size_t kMaxFolderDepth = 1000;

template <typename Walk>
void ForEachSubfolder(const std::string& folder, const Subfolders& subfolders,
                      const SearchProgress& progress, bool reportFailures, Walk walk) {
  const bool tooDeep = !subfolders.empty() &&
                       static_cast<std::size_t>(std::count(folder.begin(), folder.end(),
                                                           fs::kPathSeparator)) >= kMaxFolderDepth;
  for (const std::string& name : subfolders) {
    const std::string subfolder = folder + name + fs::kPathSeparator;
    if (tooDeep) {
      if (reportFailures && progress.folderFailure)
        progress.folderFailure(subfolder, fs::PathTooLongError());
      continue;
    }
    walk(subfolder);
    if (Cancelled(progress)) return;
  }
}

// RunSearch's own hand-over: each file is looked into on the walking thread.
class SearchedHere final : public WalkedFiles {
 public:
  SearchedHere(const FileSearcher& searchFile, SearchProgress& progress)
      : searchFile_(searchFile), progress_(progress) {}
  void LocationBegins(const std::string&) override {}
  void Reached(const std::string& path) override { progress_.SetCurrentFile(path); }
  void ListOnly(const std::string& path) override {
    progress_.hitList.Add(Hit{path, 0});
    progress_.filesExamined.fetch_add(1);
  }
  void Search(const std::string& path, const std::shared_ptr<const fs::DirectoryListing>& folder,
              const fs::DirEntry& entry) override {
    const fs::ListedFile listed{folder ? folder->FolderHandle() : -1, entry.name.c_str(),
                                !entry.isLink};
    if (auto hit = searchFile_(path, listed))
      progress_.hitList.Add(Hit{path, hit->offset, false, std::move(hit->found)});
    progress_.filesExamined.fetch_add(1);
  }
  void Skipped() override { progress_.filesExamined.fetch_add(1); }

 private:
  const FileSearcher& searchFile_;
  SearchProgress& progress_;
};

// `folder` ends with the separator (see NormalizeFolderPath). With a whole
// `record`, the folder's entries are the counting walk's, and a folder it did not
// list (one it reached again) is not walked.
void WalkIn(const std::string& folder, const SearchConditions& conditions, WalkedFiles& files,
            SearchProgress& progress, VisitedFolders& visited, const WalkRecord* record) {
  Subfolders subfolders;
  std::string filePath;  // one buffer for the folder's files
  // Shared: files handed over may be opened relative to it after the walk has moved on.
  std::shared_ptr<const fs::DirectoryListing> openFolder;
  const auto take = [&](const fs::DirEntry& entry) {
    if (entry.isDirectory) {
      NoteSubfolder(conditions, entry, subfolders);
      return;
    }
    if (!PassesAttributeTests(conditions, entry)) return;
    filePath.assign(folder).append(entry.name);
    files.Reached(filePath);
    if (IsShortcutName(entry.name)) return;
    const FileAction action = SelectFile(conditions, entry);
    if (action == FileAction::ListOnly) {
      files.ListOnly(filePath);
    } else if (action == FileAction::Search) {
      files.Search(filePath, openFolder, entry);
    } else {
      files.Skipped();
    }
  };
  if (record) {
    const WalkRecord::Folder* listed = record->Find(folder);
    if (!listed) return;
    // Reported at each path that reaches it, as a listing would report it.
    if (listed->error != 0 && progress.folderFailure) progress.folderFailure(folder, listed->error);
    if (!visited.FirstVisit(*listed)) return;
    for (const fs::DirEntry& entry : listed->entries) {
      if (Cancelled(progress)) return;
      take(entry);
    }
  } else {
    const auto listing =
        std::make_shared<fs::DirectoryListing>(folder, FilesPassDetail(conditions));
    if (listing->Error() != 0 && progress.folderFailure)
      progress.folderFailure(folder, listing->Error());
    if (!visited.FirstVisit(folder, *listing)) return;
    openFolder = listing;
    fs::DirEntry entry;
    while (listing->Next(entry)) {
      if (Cancelled(progress)) return;
      take(entry);
    }
  }
  openFolder.reset();  // no folder stays open while its subfolders are walked
  ForEachSubfolder(folder, subfolders, progress, true, [&](const std::string& subfolder) {
    WalkIn(subfolder, conditions, files, progress, visited, record);
  });
}

std::uint32_t CountIn(const std::string& folder, const SearchConditions& conditions,
                      SearchProgress& progress, const MessagePump& pump, VisitedFolders& visited,
                      WalkRecord* record) {
  std::uint32_t count = 0;
  Subfolders subfolders;
  {
    const bool keeping = record && record->Whole();
    // What the run will need of the entries it takes from the record.
    fs::DirectoryListing listing(
        folder, keeping ? FilesPassDetail(conditions) : fs::ListingDetail::NamesAndKinds);
    if (!visited.FirstVisit(folder, listing)) return 0;
    WalkRecord::Folder listed;
    listed.error = listing.Error();
    fs::DirEntry entry;
    while (listing.Next(entry)) {
      if (pump) pump();
      if (Cancelled(progress)) return count;
      if (entry.isDirectory)
        NoteSubfolder(conditions, entry, subfolders);
      else if (PassesAttributeTests(conditions, entry))
        ++count;
      if (keeping && entry.name != "." && entry.name != "..") listed.entries.push_back(entry);
    }
    if (keeping) record->Keep(folder, std::move(listed));
  }
  ForEachSubfolder(folder, subfolders, progress, false, [&](const std::string& subfolder) {
    count += CountIn(subfolder, conditions, progress, pump, visited, record);
  });
  return count;
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
  VisitedFolders visited;
  SearchedHere files(searchFile, progress);
  WalkIn(NormalizeFolderPath(path), conditions, files, progress, visited, nullptr);
}

std::uint32_t CountFolder(const std::string& path, const SearchConditions& conditions,
                          SearchProgress& progress, const MessagePump& pump) {
  VisitedFolders visited;
  return CountIn(NormalizeFolderPath(path), conditions, progress, pump, visited, nullptr);
}

// One run lists each real folder once, over all its locations.
void RunWalk(const SearchLocations& locations, const SearchConditions& conditions,
             WalkedFiles& files, SearchProgress& progress, const WalkRecord* record) {
  if (record && !record->Whole()) record = nullptr;
  VisitedFolders visited;
  const auto walk = [&](const std::string& location) -> std::uint32_t {
    files.LocationBegins(location);
    WalkIn(NormalizeFolderPath(location), conditions, files, progress, visited, record);
    return 0;
  };
  if (locations.everyDrive) {
    ForEachDrive(progress, walk);
  } else {
    for (const std::string& location : locations.paths) walk(location);
  }
}

void RunSearch(const SearchLocations& locations, const SearchConditions& conditions,
               const FileSearcher& searchFile, SearchProgress& progress, const WalkRecord* record) {
  SearchedHere files(searchFile, progress);
  RunWalk(locations, conditions, files, progress, record);
}

std::uint32_t CountFiles(const SearchLocations& locations, const SearchConditions& conditions,
                         SearchProgress& progress, const MessagePump& pump, WalkRecord* record) {
  VisitedFolders visited;
  const auto count = [&](const std::string& location) -> std::uint32_t {
    progress.countingRoot = location;
    return CountIn(NormalizeFolderPath(location), conditions, progress, pump, visited, record);
  };
  if (locations.everyDrive) return ForEachDrive(progress, count);
  std::uint32_t total = 0;
  for (const std::string& location : locations.paths) total += count(location);
  return total;
}

}  // namespace trovex::search
