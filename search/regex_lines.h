#pragma once
// Runs a compiled pattern set over a text that arrives a piece at a time (a file's
// reads), line by line: a match lies within one line (a line feed, or CR LF, ends
// it; a line longer than kLineBound bytes is cut there). Each encoding walks its
// own lines (a UTF-16 line feed is two bytes) over the one copy of the text; the
// earliest match in any encoding is the hit.
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/regex_engine.h"
#include "search/regex_pattern.h"

namespace trovex::search {

struct RegexHit {
  std::uint64_t offset = 0;  // from the start of the text
  std::size_t length = 0;    // bytes the match covers
  TextEncoding encoding = TextEncoding::ShiftJis;
};

class RegexLineScanner {
 public:
  static constexpr std::size_t kLineBound = 1u << 20;

  // Searches the encodings of `set` that are also in `encodings`. The text starts at
  // `textOffset` of its file (hits count from the file's start, and UTF-16 code
  // units sit at even file offsets); a match starting before `earliestHit` does not
  // count (the viewer's next hit after the current one, on the same line).
  RegexLineScanner(const RegexSet& set, EncodingSet encodings, std::uint64_t textOffset = 0,
                   std::uint64_t earliestHit = 0);

  // Adds the next bytes; the hit once it is decided.
  std::optional<RegexHit> Feed(std::string_view piece);
  // The text has ended: the hit among the lines left.
  std::optional<RegexHit> Finish();
  // The library gave up (its limits): the text counts as no hit, and the scanner
  // finds nothing more.
  bool Refused() const { return refused_; }
  // Nothing more can be found (a hit was decided, or refused, or no encoding left).
  bool Done() const;

 private:
  struct Lane {
    const CompiledRegex* regex;
    std::size_t unit;          // bytes of a code unit: 2 in UTF-16
    bool bigEndian = false;    // UTF-16BE
    std::uint64_t cursor = 0;  // start of the first line not yet searched
    bool finished = false;     // found its first match, or passed the best one
  };
  std::optional<RegexHit> Search(bool atEnd);
  void SearchLane(Lane& lane, bool atEnd);
  std::optional<RegexHit> SearchLines(const Lane& lane, std::uint64_t from, std::uint64_t to);
  std::optional<RegexHit> SearchEachLine(const Lane& lane, std::size_t from, std::size_t to);
  std::optional<RegexHit> SearchLine(const Lane& lane, std::size_t lineStart, std::size_t feed);
  // The offset of the first line feed of `lane` in [from, to) of the text, or npos.
  std::size_t FindLineFeed(const Lane& lane, std::size_t from, std::size_t to) const;
  std::size_t FindLastLineFeed(const Lane& lane, std::size_t from, std::size_t to) const;

  std::vector<Lane> lanes_;
  RegexWork work_;
  std::string text_;             // the undecided bytes
  std::uint64_t textStart_ = 0;  // offset of text_[0]
  std::uint64_t earliestHit_ = 0;
  std::optional<RegexHit> best_;
  bool refused_ = false;
  bool decided_ = false;
};

}  // namespace trovex::search
