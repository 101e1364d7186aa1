#pragma once
// One hit of a result: a file and where in it the content was found. The hit list,
// the rows of a result window and the history files all hold hits as these values;
// hit_line.h turns them into text and back where they leave or enter the program.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "search/text_encoding.h"

namespace trovex::search {

// The bytes a scan read at its hit: the hit's row shows them without opening the
// file again.
struct FoundBytes {
  std::uint64_t offset = 0;                        // of bytes[0]: the hit's offset when found
  std::string bytes;                               // kFoundBytes, fewer at the file's end
  TextEncoding encoding = TextEncoding::ShiftJis;  // of the form that matched there
};
inline constexpr std::size_t kFoundBytes = 64;

struct Hit {
  std::string path;          // the full path
  std::uint64_t offset = 0;  // of the hit's first byte; 64-bit, files pass 4 GiB
  // The file did not hold the content of the last list search (リストの検索): it
  // has no hit, and `offset` means nothing.
  bool mismatched = false;
  // What the scan that found the hit kept of it; none from a history file, a
  // pattern, a document or an archive.
  std::shared_ptr<const FoundBytes> found = nullptr;

  // The same hit, whatever was kept of it.
  friend bool operator==(const Hit& a, const Hit& b) {
    return a.path == b.path && a.offset == b.offset && a.mismatched == b.mismatched;
  }
};

}  // namespace trovex::search
