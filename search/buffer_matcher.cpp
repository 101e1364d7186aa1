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

std::size_t SpanOf(const detail::FormSlots& slots, std::size_t lineBreak, bool skipLineBreaks) {
  std::size_t span = slots.folded ? 0 : slots.form->bytes.size();
  if (slots.folded) {
    for (const CharSlot& slot : slots.form->foldedSlots) {
      std::size_t longest = 0;
      for (const std::string& alternative : slot.alternatives)
        longest = std::max(longest, alternative.size());
      span += longest;
    }
  }
  if (skipLineBreaks && slots.Count() > 1) span += lineBreak * (slots.Count() - 1);
  return span;
}

bool UsesForms(const MatchPatterns& patterns, const MatchOptions& options) {
  return patterns.folded && options.foldWidthAndKana && options.mode == SearchMode::Text;
}

// The encoding a Shift-JIS pattern hit at `p` is read in, if `p` is a boundary of one.
std::optional<TextEncoding> ShiftJisHitEncoding(const MatchPatterns& patterns,
                                                const unsigned char* data, std::size_t p,
                                                bool startsFile) {
  if (!patterns.onBoundary || detail::ShiftJisBoundary(data, p)) return TextEncoding::ShiftJis;
  if (patterns.sameBytes.Has(TextEncoding::Utf8) && detail::Utf8Boundary(data, p, startsFile))
    return TextEncoding::Utf8;
  if (patterns.sameBytes.Has(TextEncoding::EucJp) && detail::EucJpBoundary(data, p))
    return TextEncoding::EucJp;
  return std::nullopt;
}

bool OnBoundary(TextEncoding encoding, bool inDoc, const unsigned char* data, std::size_t p,
                std::uint64_t bufferOffset) {
  switch (encoding) {
    case TextEncoding::Utf8:
      return detail::Utf8Boundary(data, p, bufferOffset == 0);
    case TextEncoding::EucJp:
      return detail::EucJpBoundary(data, p);
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
      return (encoding == TextEncoding::Utf16Le && inDoc) || (bufferOffset + p) % 2 == 0;
    case TextEncoding::ShiftJis:
      return detail::ShiftJisBoundary(data, p);
  }
  return true;
}

std::optional<BufferHit> MatchAtPosition(const MatchPatterns& patterns, const MatchOptions& options,
                                         bool tryForms, std::string_view buffer, std::size_t start,
                                         std::uint64_t bufferOffset) {
  const auto* data = reinterpret_cast<const unsigned char*>(buffer.data());
  const detail::BufferBytes bytes{data, buffer.size()};
  std::size_t length = 0;
  if (patterns.shiftJis) {
    // The comparers' own rules, inlined here (MatchAt, then MatchFoldedAt twice).
    bool matched = detail::CompareAt(bytes, start, patterns.pattern, patterns.wideDoc, options,
                                     length) == detail::Outcome::Match;
    if (!matched && tryForms) {
      for (const std::string* form : {&patterns.hiraganaForm, &patterns.katakanaForm}) {
        if (detail::CompareFoldedAt(bytes, start, *form, patterns.wideDoc, options, length) ==
            detail::Outcome::Match) {
          matched = true;
          break;
        }
      }
    }
    if (matched) {
      if (auto encoding = ShiftJisHitEncoding(patterns, data, start, bufferOffset == 0))
        return BufferHit{start, length, *encoding};
    }
  }
  for (const EncodedForm& form : patterns.Others()) {
    if (!OnBoundary(form.encoding, patterns.inDoc, data, start, bufferOffset)) continue;
    if (detail::CompareSlotsAt(bytes, start, detail::SlotsOf(form, tryForms), form.encoding,
                               patterns.inDoc, options, length) == detail::Outcome::Match)
      return BufferHit{start, length, form.encoding};
  }
  return std::nullopt;
}

}  // namespace

BufferMatcher::BufferMatcher(MatchPatterns patterns, const MatchOptions& options)
    : patterns_(std::move(patterns)), options_(options) {
  const bool text = options_.mode == SearchMode::Text;
  tryForms_ = UsesForms(patterns_, options_);
  const bool skip = options_.skipLineBreaks && text;
  if (patterns_.shiftJis) {
    maxSpan_ = std::max<std::size_t>(1, SpanOf(patterns_.pattern.size(), skip));
    if (tryForms_) {
      maxSpan_ = std::max(maxSpan_, SpanOf(patterns_.hiraganaForm.size(), skip));
      maxSpan_ = std::max(maxSpan_, SpanOf(patterns_.katakanaForm.size(), skip));
    }
  }
  for (const EncodedForm& form : patterns_.Others())
    maxSpan_ = std::max(maxSpan_,
                        SpanOf(detail::SlotsOf(form, tryForms_),
                               detail::LineBreakOf(form.encoding, patterns_.inDoc).size(), skip));
  filter_ = std::make_unique<CandidateFilter>(CandidateFilter::For(patterns_, options_, tryForms_));
}

BufferMatcher::~BufferMatcher() = default;

std::optional<BufferHit> BufferMatcher::MatchPosition(std::string_view buffer, std::size_t start,
                                                      std::uint64_t bufferOffset) const {
  return MatchAtPosition(patterns_, options_, tryForms_, buffer, start, bufferOffset);
}

std::optional<BufferHit> BufferMatcher::MatchOnce(const MatchPatterns& patterns,
                                                  const MatchOptions& options,
                                                  std::string_view buffer, std::size_t start,
                                                  std::uint64_t bufferOffset) {
  return MatchAtPosition(patterns, options, UsesForms(patterns, options), buffer, start,
                         bufferOffset);
}

std::optional<BufferHit> BufferMatcher::FindFirst(std::string_view buffer, std::size_t from,
                                                  std::size_t to,
                                                  std::uint64_t bufferOffset) const {
  to = std::min(to, buffer.size());
  std::size_t i = from;
  if (!filter_->Everywhere()) {
    const auto* data = reinterpret_cast<const unsigned char*>(buffer.data());
    // Positions whose filter bytes lie outside the buffer are tried one by one.
    const std::size_t head =
        std::min(to, std::max(from, static_cast<std::size_t>(-filter_->MinOffset())));
    for (; i < head; ++i)
      if (auto hit = MatchPosition(buffer, i, bufferOffset)) return hit;
    const std::size_t reach = static_cast<std::size_t>(filter_->MaxOffset());
    const std::size_t blocksTo =
        std::max(i, std::min(to, buffer.size() > reach ? buffer.size() - reach : 0));
    if (filter_->alternativeCount == 0) {
      i += (blocksTo - i) / 64 * 64;  // the filter rules out every position
    } else {
      // The comparers run at each candidate of a block until one matches.
      struct Visit {
        const BufferMatcher* matcher;
        std::string_view buffer;
        std::uint64_t bufferOffset;
        std::optional<BufferHit> hit;
      } visit{this, buffer, bufferOffset, std::nullopt};
      const CandidateBlockVisitor tryCandidates = [](void* context, std::size_t start,
                                                     std::uint64_t mask) {
        auto& v = *static_cast<Visit*>(context);
        for (; mask != 0; mask &= mask - 1) {
          const std::size_t position = start + static_cast<std::size_t>(std::countr_zero(mask));
          if (auto hit = v.matcher->MatchPosition(v.buffer, position, v.bufferOffset)) {
            v.hit = hit;
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
    if (auto hit = MatchPosition(buffer, i, bufferOffset)) return hit;
  return std::nullopt;
}

}  // namespace trovex::search
