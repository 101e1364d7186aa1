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
#include <vector>

#include "search/compare_core.h"
#include "search/match_options.h"
#include "search/search_query.h"
#include "search/text_encoding.h"

namespace trovex::search {

// What is compared at each position of one file.
struct MatchPatterns {
  // The Shift-JIS form: the pattern and, with folding, its full-width forms. In a
  // search by numbers the pattern is the bytes as typed.
  bool shiftJis = true;  // searched at all
  std::string pattern;
  bool folded = false;  // try the forms where the pattern fails
  std::string hiraganaForm;
  std::string katakanaForm;
  bool wideDoc = false;  // the pattern is UTF-16LE for a Word document: line breaks are CR 0
  // A text's Shift-JIS hits start on a character boundary (not after a lone lead byte).
  bool onBoundary = false;
  // Encodings whose form is the Shift-JIS pattern's own bytes (ASCII text is the same
  // in UTF-8 and EUC-JP): searched once, a hit on a boundary of any of them counts.
  EncodingSet sameBytes = EncodingSet::None();
  // The text in the other encodings, after the Shift-JIS form in the order they are tried
  // (shared with the query: see SearchQuery::encodedForms).
  std::shared_ptr<const std::vector<EncodedForm>> others;
  const std::vector<EncodedForm>& Others() const {
    static const std::vector<EncodedForm> none;
    return others ? *others : none;
  }
  // The file is a Word document: its UTF-16LE text is found at any offset, with CR 0
  // paragraph marks.
  bool inDoc = false;
  // Text in every encoding, not a Word document: the forms a file's first read narrows
  // the search to (see file_start.h). Shared with the query.
  std::shared_ptr<const FileStartForms> fileStart;

  friend bool operator==(const MatchPatterns&, const MatchPatterns&) = default;
};

struct BufferHit {
  std::size_t offset = 0;                          // start index in the buffer
  std::size_t matchedLength = 0;                   // buffer bytes the match covers
  TextEncoding encoding = TextEncoding::ShiftJis;  // of the form that matched
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
  // bytes the comparers may look at: those before `from` (up to kLookBackBytes, for
  // the character boundaries) and those after `to`. `bufferOffset`: the file offset
  // of buffer[0], whose parity decides the UTF-16 boundaries.
  std::optional<BufferHit> FindFirst(std::string_view buffer, std::size_t from, std::size_t to,
                                     std::uint64_t bufferOffset = 0) const;

  // The comparers at one position, in their order.
  std::optional<BufferHit> MatchPosition(std::string_view buffer, std::size_t start,
                                         std::uint64_t bufferOffset = 0) const;

  // MatchPosition without a prepared filter, for a single position (a row's snippet
  // finding the encoding of its hit).
  static std::optional<BufferHit> MatchOnce(const MatchPatterns& patterns,
                                            const MatchOptions& options, std::string_view buffer,
                                            std::size_t start, std::uint64_t bufferOffset = 0);

  // Bytes before a position that the boundary tests look at.
  static constexpr std::size_t kLookBackBytes = detail::kLookBack;

 private:
  MatchPatterns patterns_;
  MatchOptions options_;
  bool tryForms_ = false;  // folding is on and applies to the mode
  std::size_t maxSpan_ = 1;
  std::unique_ptr<CandidateFilter> filter_;
};

}  // namespace trovex::search
