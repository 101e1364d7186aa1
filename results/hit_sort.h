#pragma once
// Sorting the rows of a result window by a column header. The direction flags
// belong to the program: every result window continues with the directions the
// previous one left.
#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "results/hit_record.h"

namespace trovex::results {

// The columns of a result window, in their order.
enum HitColumn : int { kColFileName, kColContent, kColType, kColSize, kColModified, kColPath };
inline constexpr int kHitColumnCount = 6;

// One flag per sortable column: the next sort on it is ascending. Inverted after
// every sort on its column.
struct SortDirections {
  std::array<bool, 5> ascending{true, true, true, true, true};
};

// The locale's text order: negative, zero or positive like strcmp.
using TextOrder = std::function<int(const std::string& a, const std::string& b)>;

// <0, 0, >0 for the ascending order of `column` (size: by the number a size text
// stands for; the others by `order`; the path: always 0).
int CompareRows(const HitRecord& a, const HitRecord& b, int column, const TextOrder& order);

// The new order of `rows` sorted by `column` in its direction, as indexes into
// `rows`; the direction is inverted. Empty, with the flags unchanged, for a column
// that does not sort (the path).
std::vector<std::size_t> SortOrder(const std::vector<HitRecord>& rows, int column,
                                   SortDirections& directions, const TextOrder& order);

}  // namespace trovex::results
