#include "search/stream_matcher.h"

#include <algorithm>

namespace trovex::search {

std::optional<std::uint64_t> StreamMatcher::Feed(std::string_view piece) {
  text_.append(piece);
  if (Length() - pending_ < kBatchBytes + matcher_->MaxSpan()) return std::nullopt;
  return Search(false);
}

std::optional<std::uint64_t> StreamMatcher::Finish() { return Search(true); }

std::optional<std::uint64_t> StreamMatcher::Search(bool atEnd) {
  const std::size_t maxSpan = matcher_->MaxSpan();
  const std::uint64_t textEnd = Length();
  std::uint64_t decidedEnd = textEnd;
  // A start position is decided once every byte a match there could cover is in.
  if (!atEnd) decidedEnd = textEnd >= maxSpan ? textEnd - maxSpan + 1 : 0;
  if (decidedEnd > pending_) {
    if (auto hit =
            matcher_->FindFirst(text_, static_cast<std::size_t>(pending_ - textStart_),
                                static_cast<std::size_t>(decidedEnd - textStart_), textStart_))
      return textStart_ + hit->offset;
    pending_ = decidedEnd;
  }
  // Keep the undecided positions and the bytes the comparers look back at.
  const std::uint64_t keepFrom = std::max(
      textStart_, pending_ - std::min<std::uint64_t>(pending_, BufferMatcher::kLookBackBytes));
  text_.erase(0, static_cast<std::size_t>(keepFrom - textStart_));
  textStart_ = keepFrom;
  return std::nullopt;
}

}  // namespace trovex::search
