#include "platform/fs/sequential_reader.h"

namespace trovex::fs {

std::optional<std::size_t> SequentialReader::ReadNext(char* dest) {
  const auto got = ReadAt(position_, dest, ReadSize());
  if (got && *got > 0) position_ += ChunkSize();
  return got;
}

}  // namespace trovex::fs
