#include "results/hit_sort.h"

#include <algorithm>
#include <numeric>

namespace trovex::results {
namespace {

const std::string& TextOf(const HitRecord& row, int column) {
  switch (column) {
    case kColFileName:
      return row.fileName;
    case kColContent:
      return row.content;
    case kColType:
      return row.typeName;
    default:
      return row.modifiedText;
  }
}

bool Sortable(int column) { return column >= kColFileName && column < kColPath; }

}  // namespace

int CompareRows(const HitRecord& a, const HitRecord& b, int column, const TextOrder& order) {
  if (!Sortable(column)) return 0;
  if (column == kColSize) {
    const double x = SizeTextValue(a.sizeText);
    const double y = SizeTextValue(b.sizeText);
    return x < y ? -1 : (y < x ? 1 : 0);
  }
  return order(TextOf(a, column), TextOf(b, column));
}

std::vector<std::size_t> SortOrder(const std::vector<HitRecord>& rows, int column,
                                   SortDirections& directions, const TextOrder& order) {
  if (!Sortable(column)) return {};
  const bool ascending = directions.ascending[static_cast<std::size_t>(column)];
  std::vector<std::size_t> indexes(rows.size());
  std::iota(indexes.begin(), indexes.end(), std::size_t{0});
  if (column == kColSize) {
    // Read every size once instead of twice per comparison.
    std::vector<double> sizes(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) sizes[i] = SizeTextValue(rows[i].sizeText);
    std::stable_sort(indexes.begin(), indexes.end(), [&](std::size_t a, std::size_t b) {
      return ascending ? sizes[a] < sizes[b] : sizes[b] < sizes[a];
    });
  } else {
    std::stable_sort(indexes.begin(), indexes.end(), [&](std::size_t a, std::size_t b) {
      const int c = CompareRows(rows[a], rows[b], column, order);
      return ascending ? c < 0 : c > 0;
    });
  }
  directions.ascending[static_cast<std::size_t>(column)] = !ascending;
  return indexes;
}

}  // namespace trovex::results
