#include "search/search_conditions.h"

namespace trovex::search {

std::uint64_t ComputeSizeLimit(int number, int unitIndex) {
  std::uint64_t unit = 1;
  for (int i = 0; i < unitIndex; ++i) unit *= 1024;
  return static_cast<std::uint64_t>(number) * unit;
}

}  // namespace trovex::search
