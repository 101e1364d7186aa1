#include "results/history_list.h"

#include <algorithm>
#include <charconv>
#include <numeric>
#include <optional>

#include "platform/fs/dir_listing.h"
#include "platform/fs/file_name_case.h"
#include "platform/fs/path_separator.h"
#include "platform/text/lower_case.h"
#include "results/hit_record.h"
#include "results/history_file.h"
#include "search/folder_path.h"

namespace trovex::results {
namespace {

constexpr std::string_view kHistoryExtension = ".txd";

const std::string& TextOf(const HistoryListRow& row, int column) {
  switch (column) {
    case kListColFileName:
      return row.caption;
    case kListColHistoryName:
      return row.historyName;
    case kListColHitCount:
      return row.hitCountText;
    default:
      return row.dateText;
  }
}

}  // namespace

bool IsHistoryFileEntry(const fs::DirEntry& entry) {
  if (entry.isDirectory || entry.isHidden || entry.isSystem) return false;
  if (entry.name.size() < kHistoryExtension.size()) return false;
  const std::string_view tail =
      std::string_view(entry.name).substr(entry.name.size() - kHistoryExtension.size());
  // '.', 't', 'x' and 'd' are no lead bytes, so four bytes spelling ".txd" at the
  // end are four characters of their own.
  return text::AnsiLowerCase(tail) == kHistoryExtension;
}

HistoryListRow MakeHistoryListRow(const std::string& path, double lastWriteTime) {
  HistoryListRow row;
  const std::string_view name = FileNamePart(path);
  row.caption = std::string(name.substr(0, name.size() >= kHistoryExtension.size()
                                               ? name.size() - kHistoryExtension.size()
                                               : name.size()));
  const std::optional<HistorySummary> summary = ReadHistorySummary(path);
  if (summary) row.historyName = summary->name;
  row.hitCountText = std::to_string(summary ? summary->hitCount : 0);
  row.dateText = FormatModifiedTimeWithSeconds(lastWriteTime);
  row.path = path;
  return row;
}

HistoryListReader::HistoryListReader(const std::string& folder) {
  if (folder.empty()) return;
  prefix_ = search::NormalizeFolderPath(folder);
  listing_ = std::make_unique<fs::DirectoryListing>(prefix_);
}

HistoryListReader::~HistoryListReader() = default;

bool HistoryListReader::Next(HistoryListRow& row) {
  if (!listing_) return false;
  fs::DirEntry entry;
  while (listing_->Next(entry)) {
    if (!IsHistoryFileEntry(entry)) continue;
    row = MakeHistoryListRow(prefix_ + entry.name, entry.lastWriteTime);
    return true;
  }
  listing_.reset();  // the folder is not held open any longer than needed
  return false;
}

std::vector<HistoryListRow> ReadHistoryList(const std::string& folder) {
  std::vector<HistoryListRow> rows;
  HistoryListReader reader(folder);
  for (HistoryListRow row; reader.Next(row);) rows.push_back(std::move(row));
  return rows;
}

long long HitCountValue(std::string_view text) {
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return -1;
  return value;
}

std::vector<std::size_t> HistoryListSortOrder(const std::vector<HistoryListRow>& rows, int column,
                                              HistoryListSortDirections& directions,
                                              const TextOrder& order) {
  if (column < 0 || column >= kHistoryListColumnCount) return {};
  const bool ascending = directions.ascending[static_cast<std::size_t>(column)];
  std::vector<std::size_t> indexes(rows.size());
  std::iota(indexes.begin(), indexes.end(), std::size_t{0});
  if (column == kListColHitCount) {
    std::vector<long long> counts(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) counts[i] = HitCountValue(rows[i].hitCountText);
    std::stable_sort(indexes.begin(), indexes.end(), [&](std::size_t a, std::size_t b) {
      return ascending ? counts[a] < counts[b] : counts[b] < counts[a];
    });
  } else {
    std::stable_sort(indexes.begin(), indexes.end(), [&](std::size_t a, std::size_t b) {
      const int c = order(TextOf(rows[a], column), TextOf(rows[b], column));
      return ascending ? c < 0 : c > 0;
    });
  }
  directions.ascending[static_cast<std::size_t>(column)] = !ascending;
  return indexes;
}

namespace {

bool SameHistoryFile(const std::string& a, const std::string& b) {
  return !a.empty() && fs::LowerCaseFileName(a) == fs::LowerCaseFileName(b);
}

}  // namespace

void FollowRename(HistoryFileRefs& refs, const std::string& from, const std::string& to) {
  if (SameHistoryFile(refs.openHistoryPath, from)) refs.openHistoryPath = to;
  if (SameHistoryFile(refs.pendingResultsPath, from)) refs.pendingResultsPath = to;
}

void FollowDelete(HistoryFileRefs& refs, const std::string& path) {
  if (SameHistoryFile(refs.openHistoryPath, path)) {
    refs.openHistoryPath.clear();
    refs.openResultDeleted = true;
  }
  if (SameHistoryFile(refs.pendingResultsPath, path)) {
    refs.pendingResultsPath.clear();
    refs.pendingResultDeleted = true;
  }
}

}  // namespace trovex::results
