#pragma once
// The comparison rules of MatchAt and MatchFoldedAt, written once over a byte
// source so that the same rules serve the comparers themselves and the candidate
// filter, which runs them over partly unknown bytes to learn which byte values a
// match can start with.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include <vector>

#include "search/match_options.h"
#include "search/search_query.h"

namespace trovex::search::detail {

// What a byte source returns besides 0..255.
constexpr int kNoByte = 256;  // past the data: equals no pattern byte
constexpr int kUnknown = -1;  // not known yet: the outcome cannot be decided

enum class Outcome { NoMatch, Match, Undecided };

inline int FoldAsciiCase(int byte) { return (byte >= 0x41 && byte <= 0x5A) ? byte + 0x20 : byte; }

inline bool IsShiftJisLead(int byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The line break a search that skips line breaks passes over, in each encoding; in a
// Word document the UTF-16LE paragraph mark is CR 0 alone.
inline std::string_view LineBreakOf(TextEncoding encoding, bool inDoc) {
  using namespace std::string_view_literals;
  switch (encoding) {
    case TextEncoding::Utf16Le:
      return inDoc ? "\r\0"sv : "\r\0\n\0"sv;
    case TextEncoding::Utf16Be:
      return "\0\r\0\n"sv;
    default:
      return "\r\n"sv;
  }
}

// Byte i of `bytes` (one character's form in `encoding`) is an ASCII letter's own
// byte, which letter case may change.
inline bool FoldableByte(TextEncoding encoding, std::string_view bytes, std::size_t i) {
  const auto q = static_cast<unsigned char>(bytes[i]);
  switch (encoding) {
    case TextEncoding::Utf16Le:
      return i % 2 == 0 && i + 1 < bytes.size() && bytes[i + 1] == 0;
    case TextEncoding::Utf16Be:
      return i % 2 == 1 && bytes[i - 1] == 0;
    default:
      return q < 0x80;
  }
}

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
  bool trail = false;  // pattern byte i is the second byte of a character
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
    // Letter case folds single-byte characters only, never the second byte of a
    // double-byte one (0x83 0x41 "ア" is not 0x83 0x61 "ヂ"): in a wide pattern the
    // low byte of a unit whose high byte is 0, otherwise a byte not after a lead byte.
    const bool single =
        wideDoc ? (i % 2 == 0 && i + 1 < pattern.size() && pattern[i + 1] == 0) : !trail;
    trail = !wideDoc && !trail && IsShiftJisLead(q);
    if (!exact && single) {
      b = FoldAsciiCase(b);
      q = FoldAsciiCase(q);
    }
    if (b != q) return Outcome::NoMatch;
  }
  matchedLength = pattern.size() + k;
  return Outcome::Match;
}

template <class Bytes>
Outcome CompareFoldedAt(const Bytes& bytes, std::size_t start, std::string_view form, bool wideDoc,
                        const MatchOptions& options, std::size_t& matchedLength) {
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
          same = b == HalfWidthSymbolLead(r);  // full-width space or symbol
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

// The characters of a form: the text as typed (one byte string each) or, folded,
// each with every byte string that counts as it.
struct FormSlots {
  const EncodedForm* form;
  bool folded;

  std::size_t Count() const { return folded ? form->foldedSlots.size() : form->ends.size(); }
  std::size_t AlternativeCount(std::size_t s) const {
    return folded ? form->foldedSlots[s].alternatives.size() : 1;
  }
  std::string_view Alternative(std::size_t s, std::size_t k) const {
    if (folded) return form->foldedSlots[s].alternatives[k];
    const std::size_t begin = s == 0 ? 0 : form->ends[s - 1];
    return std::string_view(form->bytes).substr(begin, form->ends[s] - begin);
  }
};

inline FormSlots SlotsOf(const EncodedForm& form, bool tryForms) {
  return {&form, tryForms && !form.foldedSlots.empty()};
}

// A form of slots: at most one line break is skipped before each slot but the first;
// each slot matches by the first of its alternatives that does.
template <class Bytes>
Outcome CompareSlotsAt(const Bytes& bytes, std::size_t start, const FormSlots& slots,
                       TextEncoding encoding, bool inDoc, const MatchOptions& options,
                       std::size_t& matchedLength) {
  const bool exact = options.caseSensitive;
  const std::string_view lineBreak = LineBreakOf(encoding, inDoc);
  std::size_t p = start;
  for (std::size_t s = 0; s < slots.Count(); ++s) {
    if (options.skipLineBreaks && s > 0) {
      std::size_t i = 0;
      for (; i < lineBreak.size(); ++i) {
        const int b = bytes.At(p + i);
        if (b == kUnknown) return Outcome::Undecided;
        if (b != static_cast<unsigned char>(lineBreak[i])) break;
      }
      if (i == lineBreak.size()) p += i;
    }
    bool undecided = false;
    std::size_t took = 0;
    for (std::size_t a = 0; a < slots.AlternativeCount(s); ++a) {
      const std::string_view alternative = slots.Alternative(s, a);
      Outcome outcome = Outcome::Match;
      for (std::size_t i = 0; i < alternative.size(); ++i) {
        int b = bytes.At(p + i);
        if (b == kUnknown) {
          outcome = Outcome::Undecided;
          break;
        }
        int q = static_cast<unsigned char>(alternative[i]);
        if (!exact && FoldableByte(encoding, alternative, i)) {
          b = FoldAsciiCase(b);
          q = FoldAsciiCase(q);
        }
        if (b != q) {
          outcome = Outcome::NoMatch;
          break;
        }
      }
      if (outcome == Outcome::Undecided) undecided = true;
      if (outcome == Outcome::Match) {
        took = alternative.size();
        break;
      }
    }
    // An earlier alternative that cannot be decided may be the one that matches.
    if (undecided) return Outcome::Undecided;
    if (took == 0) return Outcome::NoMatch;
    p += took;
  }
  matchedLength = p - start;
  return Outcome::Match;
}

// Whether a hit may start at `p` of `data` (bytes before it as far as known): a
// character boundary of the encoding. Shift-JIS and EUC-JP tell a second byte by
// the parity of the run of possible first bytes before it; the run is followed back
// at most kLookBack bytes. UTF-8 asks for a whole character before `p`.
inline constexpr std::size_t kLookBack = 64;

inline bool ShiftJisBoundary(const unsigned char* data, std::size_t p) {
  std::size_t n = 0;
  while (n < p && n < kLookBack && IsShiftJisLead(data[p - 1 - n])) ++n;
  return n % 2 == 0;
}

// `startsFile`: data[0] is the first byte of the file, not of a window into it.
inline bool Utf8Boundary(const unsigned char* data, std::size_t p, bool startsFile) {
  if (p == 0 || data[p - 1] < 0x80) return true;
  std::size_t continuation = 0;
  while (continuation < 3 && continuation < p && (data[p - 1 - continuation] & 0xC0) == 0x80)
    ++continuation;
  if (continuation == 0) return false;        // a first byte whose character is cut off
  if (continuation == p) return !startsFile;  // the character began before the known bytes
  const unsigned char lead = data[p - 1 - continuation];
  const std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xC2 && lead <= 0xDF ? 2
                                                            : 0;
  return length == continuation + 1;
}

inline bool EucJpBoundary(const unsigned char* data, std::size_t p) {
  if (p == 0 || data[p - 1] < 0x80) return true;
  const auto isEuc = [](unsigned char b) { return b >= 0xA1 && b <= 0xFE; };
  std::size_t n = 0;
  while (n < p && n < kLookBack && isEuc(data[p - 1 - n])) ++n;
  if (n == 0) return false;  // 0x80-0xA0 and 0xFF start no character that ends here
  if (n < p && data[p - 1 - n] == 0x8E) return (n - 1) % 2 == 0;  // a half-width kana first
  return n % 2 == 0;
}

// A buffer as a byte source: bytes past its end are kNoByte.
struct BufferBytes {
  const unsigned char* data;
  std::size_t size;
  int At(std::size_t index) const { return index < size ? data[index] : kNoByte; }
};

}  // namespace trovex::search::detail
