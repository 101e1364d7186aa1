#include "search/search_conditions.h"

namespace trovex::search {

int SizeNumberFromText(std::string_view text) {
  if (text.empty()) return kSizeNumberMin;
  int number = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return kSizeNumberMin;
    number = number * 10 + (c - '0');
    if (number > kSizeNumberMax) number = kSizeNumberMax + 1;  // no overflow on long texts
  }
  if (number < kSizeNumberMin) return kSizeNumberMin;
  return number > kSizeNumberMax ? kSizeNumberMax : number;
}

std::uint64_t ComputeSizeLimit(int number, SizeUnit unit) {
  std::uint64_t bytes = 1;
  for (int i = 0; i < static_cast<int>(unit); ++i) bytes *= 1024;
  return static_cast<std::uint64_t>(number) * bytes;
}

}  // namespace trovex::search
