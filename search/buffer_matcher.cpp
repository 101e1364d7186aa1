#include "search/buffer_matcher.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "search/candidate_filter.h"
#include "search/compare_core.h"

namespace trovex::search {

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
  filter_ = std::make_unique<CandidateFilter>(CandidateFilter::For(patterns_, options_, tryForms_));
}

BufferMatcher::~BufferMatcher() = default;

std::optional<std::size_t> BufferMatcher::MatchPosition(std::string_view buffer,
                                                        std::size_t start) const {
  // The comparers' own rules, inlined here (MatchAt, then MatchFoldedAt twice).
  const detail::BufferBytes bytes{reinterpret_cast<const unsigned char*>(buffer.data()), buffer.size()};
  std::size_t length = 0;
  if (detail::CompareAt(bytes, start, patterns_.pattern, patterns_.wideDoc, options_, length) ==
      detail::Outcome::Match)
    return length;
  if (!tryForms_) return std::nullopt;
  for (const std::string* form : {&patterns_.hiraganaForm, &patterns_.katakanaForm}) {
    if (detail::CompareFoldedAt(bytes, start, *form, patterns_.wideDoc, options_, length) ==
        detail::Outcome::Match)
      return length;
  }
  return std::nullopt;
}

std::optional<BufferHit> BufferMatcher::FindFirst(std::string_view buffer, std::size_t from,
                                                  std::size_t to) const {
  to = std::min(to, buffer.size());
  std::size_t i = from;
  if (!filter_->Everywhere()) {
    const auto* data = reinterpret_cast<const unsigned char*>(buffer.data());
    // Positions whose filter bytes lie outside the buffer are tried one by one.
    const std::size_t head = std::min(to, std::max(from, static_cast<std::size_t>(-filter_->MinOffset())));
    for (; i < head; ++i)
      if (auto length = MatchPosition(buffer, i)) return BufferHit{i, *length};
    const std::size_t reach = static_cast<std::size_t>(filter_->MaxOffset());
    const std::size_t blocksTo = std::max(i, std::min(to, buffer.size() > reach ? buffer.size() - reach : 0));
    if (filter_->alternativeCount == 0) {
      i += (blocksTo - i) / 64 * 64;  // the filter rules out every position
    } else {
      // The comparers run at each candidate of a block until one matches.
      struct Visit {
        const BufferMatcher* matcher;
        std::string_view buffer;
        std::optional<BufferHit> hit;
      } visit{this, buffer, std::nullopt};
      const CandidateBlockVisitor tryCandidates = [](void* context, std::size_t start,
                                                     std::uint64_t mask) {
        auto& v = *static_cast<Visit*>(context);
        for (; mask != 0; mask &= mask - 1) {
          const std::size_t position = start + static_cast<std::size_t>(std::countr_zero(mask));
          if (auto length = v.matcher->MatchPosition(v.buffer, position)) {
            v.hit = BufferHit{position, *length};
            return true;
          }
        }
        return false;
      };
      i = ScanCandidateBlocks(*filter_, data, i, blocksTo, tryCandidates, &visit);
      if (visit.hit) return visit.hit;
    }
  }
  for (; i < to; ++i)
    if (auto length = MatchPosition(buffer, i)) return BufferHit{i, *length};
  return std::nullopt;
}

}  // namespace trovex::search
