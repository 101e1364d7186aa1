#pragma once
// The rows of the history list: one per search history file of the user data
// folder, with the history name and the number of hits read from the file, and
// their order by a column header.
#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fs/dir_listing.h"
#include "results/hit_sort.h"

namespace trovex::results {

struct HistoryListRow {
  std::string caption;       // the file name without ".txd"
  std::string historyName;   // read from the file
  std::string hitCountText;  // its number of hit lines, decimal
  std::string dateText;      // last write, local time, "yyyy/mm/dd hh:nn:ss"
  std::string path;          // the file's full path
};

// The history list's columns, in their order.
enum HistoryListColumn : int {
  kListColFileName,
  kListColHistoryName,
  kListColHitCount,
  kListColDate
};
inline constexpr int kHistoryListColumnCount = 4;

// One flag per column: the next sort on it is ascending. They belong to the
// program: every history list of the run continues with them.
struct HistoryListSortDirections {
  std::array<bool, kHistoryListColumnCount> ascending{true, true, true, true};
};

// The history files the program's bookkeeping names: the result's open file and
// the power action's saved result. The history list follows its renames and
// deletes in them and hands them back; its owner applies them.
struct HistoryFileRefs {
  std::string openHistoryPath;        // empty: the result has no file
  std::string pendingResultsPath;     // empty: no saved result waits
  bool openResultDeleted = false;     // the result's file went: it is a new result again
  bool pendingResultDeleted = false;  // the saved result went: it can no longer be opened
};

// A file renamed from `from` to `to` takes the references to it along (file names
// compare in any letter case).
void FollowRename(HistoryFileRefs& refs, const std::string& from, const std::string& to);
// A deleted file is no longer referred to, and the deletion is noted.
void FollowDelete(HistoryFileRefs& refs, const std::string& path);

// What the user did in one history list.
struct HistoryListOutcome {
  bool opened = false;  // OK loaded a file into the result
  HistoryFileRefs files;
  HistoryListSortDirections sortDirections;
};

// A listing entry that is a history file: a file (no folder), neither hidden nor
// system, with the extension ".txd" in any letter case.
bool IsHistoryFileEntry(const fs::DirEntry& entry);

// The row of the history file at `path` with the listing's last-write time. A
// file that cannot be read still gets its row: no name, count 0.
HistoryListRow MakeHistoryListRow(const std::string& path, double lastWriteTime);

// The rows of the history files in `folder` one at a time, in the order the
// listing returns them, so that a window can read them between its messages.
class HistoryListReader {
 public:
  explicit HistoryListReader(const std::string& folder);
  ~HistoryListReader();
  HistoryListReader(const HistoryListReader&) = delete;
  HistoryListReader& operator=(const HistoryListReader&) = delete;

  // The next history file's row; false when there is none left.
  bool Next(HistoryListRow& row);

 private:
  std::string prefix_;
  std::unique_ptr<fs::DirectoryListing> listing_;
};

// Every row at once.
std::vector<HistoryListRow> ReadHistoryList(const std::string& folder);

// A count text as a number; -1 when it is not one.
long long HitCountValue(std::string_view text);

// The new order of `rows` sorted by `column` in its direction, as indexes into
// `rows`; the column's direction is inverted. Texts compare by `order`, the
// count by its number. Empty, flags unchanged, for a column that does not exist.
std::vector<std::size_t> HistoryListSortOrder(const std::vector<HistoryListRow>& rows, int column,
                                              HistoryListSortDirections& directions,
                                              const TextOrder& order);

}  // namespace trovex::results
