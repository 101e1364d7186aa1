#pragma once
// One hit of a result: a file and where in it the content was found. The hit list,
// the rows of a result window and the history files all hold hits as these values;
// hit_line.h turns them into text and back where they leave or enter the program.
#include <cstdint>
#include <string>

namespace trovex::search {

struct Hit {
  std::string path;          // the full path
  std::uint64_t offset = 0;  // of the hit's first byte; 64-bit, files pass 4 GiB
  // The file did not hold the content of the last list search (リストの検索): it
  // has no hit, and `offset` means nothing.
  bool mismatched = false;

  friend bool operator==(const Hit&, const Hit&) = default;
};

}  // namespace trovex::search
