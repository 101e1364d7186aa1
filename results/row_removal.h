#pragma once
// 削除 of a result window: which selected rows go.
#include <cstddef>
#include <string>
#include <vector>

#include "results/hit_record.h"

namespace trovex::results {

// The selected rows whose path has a line in the hit list (file names compared
// without letter case, lines split as every reader splits them), last row first.
std::vector<std::size_t> RowsToRemove(const std::vector<HitRecord>& rows,
                                      const std::vector<std::size_t>& selected,
                                      const std::vector<std::string>& hitLines);

}  // namespace trovex::results
