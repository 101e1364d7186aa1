#include "search/buffer_matcher.h"

#include <algorithm>
#include <utility>

#include "search/content_matcher.h"

namespace trovex::search {

// Placeholder until the vectorised filter: every position is a candidate.
class CandidateFilter {};

namespace {

std::size_t SpanOf(std::size_t length, bool skipLineBreaks) {
  return length + (skipLineBreaks && length > 1 ? 2 * (length - 1) : 0);
}

}  // namespace

BufferMatcher::BufferMatcher(MatchPatterns patterns, const MatchOptions& options)
    : patterns_(std::move(patterns)), options_(options) {
  const bool text = options_.mode == SearchMode::Text;
  tryForms_ = patterns_.folded && options_.foldWidthAndKana && text;
  const bool skip = options_.skipLineBreaks && text;
  maxSpan_ = std::max<std::size_t>(1, SpanOf(patterns_.pattern.size(), skip));
  if (tryForms_) {
    maxSpan_ = std::max(maxSpan_, SpanOf(patterns_.hiraganaForm.size(), skip));
    maxSpan_ = std::max(maxSpan_, SpanOf(patterns_.katakanaForm.size(), skip));
  }
}

BufferMatcher::~BufferMatcher() = default;

std::optional<std::size_t> BufferMatcher::MatchPosition(std::string_view buffer,
                                                        std::size_t start) const {
  if (auto length = MatchAt(buffer, start, patterns_.pattern, patterns_.wideDoc, options_))
    return length;
  if (!tryForms_) return std::nullopt;
  if (auto length = MatchFoldedAt(buffer, start, patterns_.hiraganaForm, patterns_.wideDoc, options_))
    return length;
  return MatchFoldedAt(buffer, start, patterns_.katakanaForm, patterns_.wideDoc, options_);
}

std::optional<BufferHit> BufferMatcher::FindFirst(std::string_view buffer, std::size_t from,
                                                  std::size_t to) const {
  for (std::size_t i = from; i < to; ++i) {
    if (auto length = MatchPosition(buffer, i)) return BufferHit{i, *length};
  }
  return std::nullopt;
}

}  // namespace trovex::search
