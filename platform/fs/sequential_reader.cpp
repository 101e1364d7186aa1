#include "platform/fs/sequential_reader.h"

#include <algorithm>

namespace trovex::fs {

std::uint64_t BypassCacheFromMemory(std::uint64_t physicalMemory) {
  return std::max(std::uint64_t{64} << 20, physicalMemory / 16);
}

std::optional<std::size_t> SequentialReader::ReadNext(char* dest) {
  // Nothing past the size at opening: whatever the file has grown to since, or
  // what a pseudo file of size 0 would go on giving, is not read.
  if (position_ >= size_) return 0;
  const std::uint64_t left = size_ - position_;
  std::size_t length = ReadSize();
  // Direct reads take whole sectors; the bytes past the old size are dropped.
  if (left < length)
    length = static_cast<std::size_t>((left + sectorSize_ - 1) / sectorSize_ * sectorSize_);
  auto got = ReadAt(position_, dest, length);
  if (got && *got > left) got = static_cast<std::size_t>(left);
  if (got && *got > 0) position_ += ChunkSize();
  return got;
}

}  // namespace trovex::fs
