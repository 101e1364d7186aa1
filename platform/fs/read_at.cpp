#include "platform/fs/read_at.h"

#include <cstdint>
#include <new>

#include "platform/fs/random_access_file.h"

namespace trovex::fs {

std::optional<std::string> ReadAt(const std::string& path, std::uint64_t offset,
                                  std::size_t count) {
  RandomAccessFile file;
  if (!file.Open(path)) return std::nullopt;
  return ReadAt(file, offset, count);
}

std::optional<std::string> ReadAt(const RandomAccessFile& file, std::uint64_t offset,
                                  std::size_t count) {
  std::string bytes(count, '\0');
  const std::optional<std::size_t> done = file.ReadAt(offset, bytes.data(), count);
  if (!done) return std::nullopt;
  bytes.resize(*done);
  return bytes;
}

std::optional<std::string> ReadAllBytes(const std::string& path) {
  RandomAccessFile file;
  if (!file.Open(path) || file.Size() > SIZE_MAX / 2) return std::nullopt;
  try {
    std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
    const std::optional<std::size_t> done = file.ReadAt(0, bytes.data(), bytes.size());
    if (!done) return std::nullopt;
    bytes.resize(*done);
    return bytes;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace trovex::fs
