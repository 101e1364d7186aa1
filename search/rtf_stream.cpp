#include "search/rtf_stream.h"

#include <algorithm>

#include "search/int_syntax.h"
#include "search/rtf_unicode.h"

namespace trovex::search {
namespace {

// A position's decision looks at most this many bytes past it (the escape \'hh,
// a Unicode escape and its delimiter).
constexpr std::size_t kLookahead = kRtfUnicodeSpan;

// The byte of the escape \'hh, read as the integer "0xhh"; a space when hh is
// not a hexadecimal byte.
char EscapedByte(char high, char low) {
  const char digits[4] = {'0', 'x', high, low};
  return static_cast<char>(ParseInt32Or(std::string_view(digits, 4), ' '));
}

}  // namespace

std::size_t RtfStreamReducer::Reduce(std::string_view text, std::size_t i, std::size_t stop,
                                     bool atEnd, std::string& out) {
  const std::size_t n = text.size();
  for (; i < stop && !done_; ++i) {
    const char c = text[i];
    const char next = text[i + 1];
    if (fallback_ > 0) {
      // A fallback character is a byte or a hex escape; markup ends the fallback.
      if (c == '\\' && next == '\'') {
        if (atEnd && i + 3 >= n) {
          done_ = true;
          break;
        }
        i += 3;
        --fallback_;
        continue;
      }
      if (c != '\\' && c != '{' && c != '}') {
        --fallback_;
        continue;
      }
      fallback_ = 0;
    }
    if (skipping_ && c != '\\' && next != '\'') {
      if (c != ' ') continue;
      skipping_ = false;
    }
    if (c != '\\') {
      if (c == '{' || c == '}') {
        skipping_ = true;
      } else if (c == '\0') {
        done_ = true;  // the result ends before its first zero byte
      } else {
        out += c;
      }
    } else if (next == '\'') {
      // Only the end of the text can cut an escape short: a piece keeps its
      // last bytes held until the next one comes.
      if (atEnd && i + 3 >= n) {
        done_ = true;
        break;
      }
      const char byte = EscapedByte(text[i + 2], text[i + 3]);
      if (byte == '\0')
        done_ = true;
      else
        out += byte;
      i += 3;
    } else if (const auto unicode = ParseRtfUnicode(text, i)) {
      std::string character;
      AppendRtfUnit(unicode->unit, character);
      if (character[0] == '\0') {
        done_ = true;
        break;
      }
      out += character;
      i = unicode->next - 1;
      fallback_ = fallbackCount_;
      skipping_ = false;
    } else {
      if (const auto count = ParseRtfFallbackCount(text, i)) fallbackCount_ = *count;
      skipping_ = true;
    }
  }
  return i;
}

void RtfStreamReducer::Feed(std::string_view piece, std::string& out) {
  if (done_ || piece.empty()) return;
  // The held bytes first, with enough of the piece to decide them.
  std::string head = held_;
  head.append(piece.substr(0, std::min(piece.size(), kLookahead)));
  const std::size_t heldCount = held_.size();
  const std::size_t headStop = head.size() > kLookahead ? head.size() - kLookahead : 0;
  std::size_t i = Reduce(head, 0, std::min(heldCount, headStop), false, out);
  if (i < heldCount) {
    // The piece was too short to decide every held byte.
    held_ = head.substr(i);
    return;
  }
  // Then the piece itself, in place; an escape begun in the held bytes may have
  // consumed its first bytes.
  std::size_t j = i - heldCount;
  const std::size_t stop = piece.size() > kLookahead ? piece.size() - kLookahead : 0;
  j = Reduce(piece, j, stop, false, out);
  held_.assign(piece.substr(std::min(j, piece.size())));
}

void RtfStreamReducer::Finish(std::string& out) {
  if (!done_ && !held_.empty()) Reduce(held_, 0, held_.size() - 1, true, out);
  held_.clear();
  done_ = true;
}

void RtfStreamReducer::Reset() {
  held_.clear();
  skipping_ = false;
  done_ = false;
  fallbackCount_ = 1;
  fallback_ = 0;
}

}  // namespace trovex::search
