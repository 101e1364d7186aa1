#pragma once
// Small positioned reads: one open, one seek and one read. Paths are the
// platform's names (Windows: CP932; POSIX: the file system's bytes).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace trovex::fs {

class RandomAccessFile;

// Up to `count` bytes of the file from `offset` on (fewer at the end of the file,
// none past it). nullopt when the file cannot be opened, positioned or read.
std::optional<std::string> ReadAt(const std::string& path, std::uint64_t offset, std::size_t count);
// The same from a file already open, for several reads with one open.
std::optional<std::string> ReadAt(const RandomAccessFile& file, std::uint64_t offset,
                                  std::size_t count);

// The whole file.
// nullopt when it cannot be opened or read, or does not fit in memory.
std::optional<std::string> ReadAllBytes(const std::string& path);

}  // namespace trovex::fs
