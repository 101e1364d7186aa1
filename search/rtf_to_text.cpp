#include "search/rtf_to_text.h"

#include "search/int_syntax.h"
#include "search/rtf_unicode.h"

namespace trovex::search {
namespace {

// The byte of the escape \'hh, read as the integer "0xhh"; a space when hh is
// not a hexadecimal byte.
char EscapedByte(char high, char low) {
  const char digits[4] = {'0', 'x', high, low};
  return static_cast<char>(ParseInt32Or(std::string_view(digits, 4), ' '));
}

}  // namespace

std::string RtfToText(std::string_view rtf) {
  std::string out;
  const std::size_t n = rtf.size();
  bool skipping = false;
  int fallbackCount = 1;  // \ucN
  int fallback = 0;       // fallback characters of a \uN still to drop
  // The last character is never looked at as a character of its own.
  for (std::size_t i = 0; i + 1 < n; ++i) {
    const char c = rtf[i];
    const bool escape = c == '\\' && rtf[i + 1] == '\'';
    if (fallback > 0) {
      // A fallback character is a byte or a hex escape; markup ends the fallback.
      if (escape) {
        if (i + 3 >= n) break;
        i += 3;
        --fallback;
        continue;
      }
      if (c != '\\' && c != '{' && c != '}') {
        --fallback;
        continue;
      }
      fallback = 0;
    }
    if (skipping && c != '\\' && rtf[i + 1] != '\'') {
      if (c != ' ') continue;
      skipping = false;
    }
    if (c != '\\') {
      if (c == '{' || c == '}')
        skipping = true;
      else
        out += c;
    } else if (escape) {
      if (i + 3 >= n) break;
      out += EscapedByte(rtf[i + 2], rtf[i + 3]);
      i += 3;
    } else if (const auto unicode = ParseRtfUnicode(rtf, i)) {
      AppendRtfUnit(unicode->unit, out);
      i = unicode->next - 1;
      fallback = fallbackCount;
      skipping = false;
    } else {
      if (const auto count = ParseRtfFallbackCount(rtf, i)) fallbackCount = *count;
      skipping = true;
    }
  }
  const std::size_t zero = out.find('\0');
  if (zero != std::string::npos) out.resize(zero);
  return out;
}

}  // namespace trovex::search
