#pragma once
// A matcher over a text that arrives a piece at a time (the inflated bytes of an
// archive entry, the text of a document): it keeps only the undecided end of the
// text, so memory stays at about one batch whatever the text's length.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "search/buffer_matcher.h"

namespace trovex::search {

class StreamMatcher {
 public:
  explicit StreamMatcher(const BufferMatcher& matcher) : matcher_(&matcher) {}

  // Adds the next bytes; the offset of a match once one is decided (offsets
  // count from the start of this text).
  std::optional<std::uint64_t> Feed(std::string_view piece);
  // The text has ended: the offset of a match among the positions left.
  std::optional<std::uint64_t> Finish();
  // Bytes fed so far.
  std::uint64_t Length() const { return textStart_ + text_.size(); }

  // Pieces are gathered into batches of about this size before they are searched.
  static constexpr std::size_t kBatchBytes = 256u << 10;

 private:
  std::optional<std::uint64_t> Search(bool atEnd);

  const BufferMatcher* matcher_;
  std::string text_;             // the carried bytes, then the new ones
  std::uint64_t textStart_ = 0;  // offset of text_[0]
  std::uint64_t pending_ = 0;    // first start position not yet decided
};

}  // namespace trovex::search
