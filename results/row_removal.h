#pragma once
// 削除 of a result window and of the history list: which selected rows go, and
// taking them out of the rows.
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "results/hit_record.h"

namespace trovex::results {

// The selected rows whose path is in the hit list (file names compared without
// letter case), last row first.
std::vector<std::size_t> RowsToRemove(const std::vector<HitRecord>& rows,
                                      const std::vector<std::size_t>& selected,
                                      const std::vector<search::Hit>& hits);

// Takes the rows at `indices` out of `rows` (any order; repeats and indices past
// the end are ignored), the others keeping their order. Returns the index each
// kept row had before.
template <typename Row>
std::vector<std::size_t> RemoveRowsAt(std::vector<Row>& rows,
                                      const std::vector<std::size_t>& indices) {
  std::vector<bool> gone(rows.size(), false);
  for (std::size_t index : indices) {
    if (index < rows.size()) gone[index] = true;
  }
  std::vector<std::size_t> keptFrom;
  std::size_t kept = 0;
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (gone[row]) continue;
    if (kept != row) rows[kept] = std::move(rows[row]);
    keptFrom.push_back(row);
    ++kept;
  }
  rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(kept), rows.end());
  return keptFrom;
}

}  // namespace trovex::results
