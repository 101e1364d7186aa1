#pragma once
// The search of a document or archive through the text inside it (see
// contained_text.h): each part is matched by itself, with the patterns its own
// type takes, and the offset of a hit counts in all the parts read before it.
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

#include "search/contained_text.h"
#include "search/file_scan.h"

namespace trovex::search {

struct ContainedScan {
  bool searched = false;  // false: not a valid archive, search its bytes instead
  std::optional<std::uint64_t> hit;
};

// A damaged archive, and one whose entries could not all be read and that has
// no hit, are reported through state.fileFailure.
ContainedScan ScanContained(const std::string& path, ContainerKind kind, const SearchQuery& query,
                            const MatchOptions& options, ScanState& state,
                            const std::atomic<bool>& cancel);

// The patterns a part is matched with: those of a file named like the part,
// without the narrowing by a file's first read; document text is UTF-8 text
// of no Word document.
MatchPatterns PatternsForPart(const ContainedPart& part, const SearchQuery& query);

}  // namespace trovex::search
