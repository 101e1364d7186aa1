#pragma once
// What a directory search tells about one path: its 64-bit size and its time of
// last change, without opening the file.
#include <cstdint>
#include <optional>
#include <string>

namespace trovex::fs {

struct FileFacts {
  std::uint64_t size = 0;
  // Local time, days since 1899-12-30 (see date_time.h); nullopt when unreadable.
  std::optional<double> lastWriteTime;
};

// nullopt when nothing exists at `path` (or it cannot be looked up).
std::optional<FileFacts> LookUpFile(const std::string& path);

}  // namespace trovex::fs
