#include "results/row_removal.h"

#include <algorithm>
#include <unordered_set>

#include "platform/fs/file_name_case.h"

namespace trovex::results {

std::vector<std::size_t> RowsToRemove(const std::vector<HitRecord>& rows,
                                      const std::vector<std::size_t>& selected,
                                      const std::vector<search::Hit>& hits) {
  std::unordered_set<std::string> listed;
  for (const search::Hit& hit : hits) listed.insert(fs::LowerCaseFileName(hit.path));
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
