#pragma once
// The matcher's definition, which the fast matcher is held to by the differential
// test and the content fuzz target: every start position of the range in order, the
// first where the comparers match wins; no candidate filter.
#include <cstddef>
#include <optional>
#include <string_view>

#include "search/buffer_matcher.h"
#include "search/content_matcher.h"

namespace trovex::search {

// The first position in [from, to) where `matchAt(position)` gives a hit.
template <typename MatchAtPosition>
std::optional<BufferHit> NaiveFirstWhere(std::size_t from, std::size_t to,
                                         MatchAtPosition&& matchAt) {
  for (std::size_t i = from; i < to; ++i)
    if (std::optional<BufferHit> hit = matchAt(i)) return hit;
  return std::nullopt;
}

// The Shift-JIS form through the comparers themselves: MatchAt with the pattern,
// then (with folding) MatchFoldedAt with the hiragana and the katakana form.
inline std::optional<BufferHit> NaiveFirst(std::string_view data, std::size_t from, std::size_t to,
                                           const MatchPatterns& p, const MatchOptions& o) {
  const bool forms = p.folded && o.foldWidthAndKana && o.mode == SearchMode::Text;
  return NaiveFirstWhere(from, to, [&](std::size_t i) -> std::optional<BufferHit> {
    auto length = MatchAt(data, i, p.pattern, p.wideDoc, o);
    if (!length && forms) length = MatchFoldedAt(data, i, p.hiraganaForm, p.wideDoc, o);
    if (!length && forms) length = MatchFoldedAt(data, i, p.katakanaForm, p.wideDoc, o);
    if (length) return BufferHit{i, *length};
    return std::nullopt;
  });
}

// Every encoding's form with its character-boundary rules, one position at a time
// (BufferMatcher::MatchOnce).
inline std::optional<BufferHit> NaiveFirstInEveryEncoding(std::string_view data, std::size_t from,
                                                          std::size_t to, const MatchPatterns& p,
                                                          const MatchOptions& o) {
  return NaiveFirstWhere(from, to,
                         [&](std::size_t i) { return BufferMatcher::MatchOnce(p, o, data, i); });
}

}  // namespace trovex::search
