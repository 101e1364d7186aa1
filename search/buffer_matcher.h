#pragma once
// Finds the first start position in a range of a buffer where the comparers match:
// MatchAt with the pattern, then (with folding) MatchFoldedAt with the hiragana and
// the katakana form. The result is that of trying every position in order; the
// comparers run only where a vectorised filter finds a byte a match can start with.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "search/match_options.h"

namespace trovex::search {

// What is compared at each position of one file.
struct MatchPatterns {
  std::string pattern;
  bool folded = false;  // try the forms where the pattern fails
  std::string hiraganaForm;
  std::string katakanaForm;
  bool wideDoc = false;  // line breaks are CR 0

  friend bool operator==(const MatchPatterns&, const MatchPatterns&) = default;
};

struct BufferHit {
  std::size_t offset = 0;         // start index in the buffer
  std::size_t matchedLength = 0;  // buffer bytes the match covers
};

class CandidateFilter;

class BufferMatcher {
 public:
  BufferMatcher(MatchPatterns patterns, const MatchOptions& options);
  ~BufferMatcher();
  BufferMatcher(const BufferMatcher&) = delete;
  BufferMatcher& operator=(const BufferMatcher&) = delete;

  const MatchPatterns& Patterns() const { return patterns_; }
  const MatchOptions& Options() const { return options_; }

  // The most buffer bytes a match can cover (at least 1).
  std::size_t MaxSpan() const { return maxSpan_; }

  // The first position in [from, to) where a match starts. The buffer holds the
  // bytes the comparers may look at: the one before `from` and those after `to`.
  std::optional<BufferHit> FindFirst(std::string_view buffer, std::size_t from,
                                     std::size_t to) const;

  // The comparers at one position, in their order.
  std::optional<std::size_t> MatchPosition(std::string_view buffer, std::size_t start) const;

 private:
  MatchPatterns patterns_;
  MatchOptions options_;
  bool tryForms_ = false;  // folding is on and applies to the mode
  std::size_t maxSpan_ = 1;
  std::unique_ptr<CandidateFilter> filter_;
};

}  // namespace trovex::search
