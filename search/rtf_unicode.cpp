#include "search/rtf_unicode.h"

#include "platform/text/cp932.h"

namespace trovex::search {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<RtfUnicodeEscape> ParseRtfUnicode(std::string_view text, std::size_t at) {
  const std::size_t n = text.size();
  if (at + 2 >= n || text[at] != '\\' || text[at + 1] != 'u') return std::nullopt;
  std::size_t j = at + 2;
  const bool negative = text[j] == '-';
  if (negative) ++j;
  long value = 0;
  std::size_t digits = 0;
  while (j < n && IsDigit(text[j]) && digits < 5) {
    value = value * 10 + (text[j] - '0');
    ++j;
    ++digits;
  }
  if (digits == 0 || (j < n && IsDigit(text[j]))) return std::nullopt;
  if (negative) value = -value;
  if (value < -32768 || value > 65535) return std::nullopt;
  if (value < 0) value += 65536;
  if (j < n && text[j] == ' ') ++j;  // the control word's delimiter
  return RtfUnicodeEscape{static_cast<char16_t>(value), j};
}

std::optional<int> ParseRtfFallbackCount(std::string_view text, std::size_t at) {
  const std::size_t n = text.size();
  if (at + 3 >= n || text.substr(at, 3) != "\\uc" || !IsDigit(text[at + 3])) return std::nullopt;
  int count = text[at + 3] - '0';
  if (at + 4 < n && IsDigit(text[at + 4])) count = count * 10 + (text[at + 4] - '0');
  return count;
}

void AppendRtfUnit(char16_t unit, std::string& out) {
  char bytes[2];
  const int length = text::EncodeCp932Unit(unit, bytes);
  if (unit == 0 || length == 0) {
    out += unit == 0 ? '\0' : '?';
    return;
  }
  out.append(bytes, static_cast<std::size_t>(length));
}

}  // namespace trovex::search
