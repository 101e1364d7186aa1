#include "results/byte_size_text.h"

namespace trovex::results {

std::string FormatByteSize(std::uint64_t bytes) {
  struct Unit {
    std::uint64_t size;
    const char* name;
  };
  static constexpr Unit kUnits[] = {
      {1ull << 40, "TB"}, {1ull << 30, "GB"}, {1ull << 20, "MB"}, {1ull << 10, "KB"}};
  for (const Unit& unit : kUnits) {
    if (bytes < unit.size) continue;
    // Whole units, and one more from half a unit on (no overflow near 2^64).
    const std::uint64_t rounded = bytes / unit.size + (bytes % unit.size >= unit.size / 2 ? 1 : 0);
    return std::to_string(rounded) + unit.name;
  }
  return std::to_string(bytes) + "B";
}

}  // namespace trovex::results
