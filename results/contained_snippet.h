#pragma once
// The snippet of a hit inside a document or archive: taken from the text the
// search read (a document's text, a zip entry's bytes, a .gz's bytes), with the
// entry's name before it for a .zip: "[資料/議事録.txt] 検索結果が…".
#include <cstdint>
#include <optional>
#include <string>

#include "search/buffer_matcher.h"
#include "search/contained_text.h"
#include "search/search_query.h"

namespace trovex::results {

// The part that holds a hit and the bytes of the hit.
struct ContainedHit {
  search::ContainedPart part;
  std::string before;  // up to kLookBackBytes bytes of the part before the hit
  std::string bytes;   // up to `count` bytes from the hit on
};

// The part at `offset` of what ReadContainedText hands over for `path`; nullopt
// when the file is no readable container or the offset lies beyond its text.
std::optional<ContainedHit> FindContainedHit(const std::string& path, std::uint64_t offset,
                                             std::size_t count);

// "[name] " for a zip entry, nothing for a document or .gz.
std::string ContainedPrefix(const search::ContainedPart& part);

}  // namespace trovex::results
