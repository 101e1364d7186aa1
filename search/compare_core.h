#pragma once
// The comparison rules of MatchAt and MatchFoldedAt, written once over a byte
// source so that the same rules serve the comparers themselves and the candidate
// filter, which runs them over partly unknown bytes to learn which byte values a
// match can start with.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "search/match_options.h"

namespace trovex::search::detail {

// What a byte source returns besides 0..255.
constexpr int kNoByte = 256;    // past the data: equals no pattern byte
constexpr int kUnknown = -1;    // not known yet: the outcome cannot be decided

enum class Outcome { NoMatch, Match, Undecided };

inline int FoldAsciiCase(int byte) { return (byte >= 0x41 && byte <= 0x5A) ? byte + 0x20 : byte; }

// The first byte of the half-width form of the full-width symbol 0x81 `trail`
// (0x81 itself when it has none).
int HalfWidthSymbolLead(int trail);

// Tests for a line break to skip at `p`. Returns kUnknown when undecidable,
// otherwise the number of bytes to skip (0 or 2).
template <class Bytes>
int LineBreakAt(const Bytes& bytes, std::size_t p, bool wideDoc) {
  const int first = bytes.At(p);
  if (first == kUnknown) return kUnknown;
  if (first != 0x0D) return 0;
  const int second = bytes.At(p + 1);
  if (second == kUnknown) return kUnknown;
  return second == (wideDoc ? 0x00 : 0x0A) ? 2 : 0;
}

template <class Bytes>
Outcome CompareAt(const Bytes& bytes, std::size_t start, std::string_view pattern, bool wideDoc,
                  const MatchOptions& options, std::size_t& matchedLength) {
  const bool numbers = options.mode == SearchMode::Numbers;
  const bool exact = options.caseSensitive || numbers;
  const bool skip = options.skipLineBreaks && !numbers;
  std::size_t k = 0;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    std::size_t p = start + i + k;
    if (skip && i > 0) {
      const int skipped = LineBreakAt(bytes, p, wideDoc);
      if (skipped == kUnknown) return Outcome::Undecided;
      k += skipped;
      p += skipped;
    }
    int b = bytes.At(p);
    if (b == kUnknown) return Outcome::Undecided;
    int q = static_cast<unsigned char>(pattern[i]);
    if (!exact) {
      b = FoldAsciiCase(b);
      q = FoldAsciiCase(q);
    }
    if (b != q) return Outcome::NoMatch;
  }
  matchedLength = pattern.size() + k;
  return Outcome::Match;
}

template <class Bytes>
Outcome CompareFoldedAt(const Bytes& bytes, std::size_t start, std::string_view form,
                        bool wideDoc, const MatchOptions& options, std::size_t& matchedLength) {
  const std::size_t n = form.size();
  std::size_t k = 0, c = 0, e = 0, j = 0;
  while (j < n) {
    std::size_t p = start + c + k;
    if (options.skipLineBreaks && j > 0) {
      const int skipped = LineBreakAt(bytes, p, wideDoc);
      if (skipped == kUnknown) return Outcome::Undecided;
      k += skipped;
      p += skipped;
    }
    const int b = bytes.At(p);
    if (b == kUnknown) return Outcome::Undecided;
    const int q = static_cast<unsigned char>(form[j]);
    if (b != q) {
      if (options.foldedCaseSensitive) return Outcome::NoMatch;
      const int before = p > 0 ? bytes.At(p - 1) : kNoByte;
      if (before == kUnknown) return Outcome::Undecided;
      if (before == 0x82 && b >= 0x60 && b <= 0x79) {
        // The trail byte of a full-width capital: equals the same small letter.
        if (b + 0x21 != q) return Outcome::NoMatch;
      } else {
        // One file byte against the pattern's two-byte character q r.
        if (j + 1 >= n) return Outcome::NoMatch;
        const int r = static_cast<unsigned char>(form[j + 1]);
        bool same;
        if (q == 0x82 && r >= 0x81 && r <= 0x9A) {
          same = FoldAsciiCase(b) == r - 0x20;  // full-width small letter
        } else if (q == 0x82 && r >= 0x4F && r <= 0x58) {
          same = FoldAsciiCase(b) == r - 0x1F;  // full-width digit
        } else if (q == 0x81 && r >= 0x40 && r <= 0x97) {
          same = b == HalfWidthSymbolLead(r);   // full-width space or symbol
        } else {
          same = false;
        }
        if (!same) return Outcome::NoMatch;
        ++j;
        ++e;
      }
    }
    ++c;
    ++j;
  }
  matchedLength = n + k - e;
  return Outcome::Match;
}

// A buffer as a byte source: bytes past its end are kNoByte.
struct BufferBytes {
  const unsigned char* data;
  std::size_t size;
  int At(std::size_t index) const { return index < size ? data[index] : kNoByte; }
};

}  // namespace trovex::search::detail
