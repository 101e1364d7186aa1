#include "results/row_removal.h"

#include <algorithm>
#include <unordered_set>

#include "platform/fs/file_name_case.h"
#include "search/hit_line.h"

namespace trovex::results {

std::vector<std::size_t> RowsToRemove(const std::vector<HitRecord>& rows,
                                      const std::vector<std::size_t>& selected,
                                      const std::vector<std::string>& hitLines) {
  std::unordered_set<std::string> listed;
  for (const std::string& line : hitLines) {
    if (auto parts = search::SplitHitLine(line)) listed.insert(fs::LowerCaseFileName(parts->path));
  }
  std::vector<std::size_t> removed;
  for (std::size_t row : selected) {
    if (row < rows.size() && listed.count(fs::LowerCaseFileName(rows[row].path)))
      removed.push_back(row);
  }
  std::sort(removed.rbegin(), removed.rend());
  removed.erase(std::unique(removed.begin(), removed.end()), removed.end());
  return removed;
}

}  // namespace trovex::results
