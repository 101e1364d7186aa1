#include "search/byte_source.h"

#include <algorithm>
#include <cstring>

namespace trovex::search {

std::optional<std::size_t> MemoryBytes::ReadAt(std::uint64_t offset, char* dest,
                                               std::size_t length) const {
  if (offset >= bytes_.size()) return 0;
  const std::size_t count =
      std::min<std::size_t>(length, bytes_.size() - static_cast<std::size_t>(offset));
  std::memcpy(dest, bytes_.data() + offset, count);
  return count;
}

bool ReadExactly(const ByteSource& source, std::uint64_t offset, std::size_t length,
                 std::string& out) {
  out.resize(length);
  if (length == 0) return true;
  const auto got = source.ReadAt(offset, out.data(), length);
  return got && *got == length;
}

}  // namespace trovex::search
