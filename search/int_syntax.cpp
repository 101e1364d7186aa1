#include "search/int_syntax.h"

#include <cstddef>
#include <limits>
#include <type_traits>

namespace trovex::search {
namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

template <typename Int>
std::optional<Int> ParseHex(std::string_view digits) {
  using Bits = std::make_unsigned_t<Int>;
  constexpr Bits kTopNibbleFree = std::numeric_limits<Bits>::max() >> 4;
  if (digits.empty()) return std::nullopt;
  Bits value = 0;
  for (char c : digits) {
    const int digit = HexDigitValue(c);
    if (digit < 0 || value > kTopNibbleFree) return std::nullopt;
    value = static_cast<Bits>((value << 4) | static_cast<Bits>(digit));
  }
  // The bits are taken as they stand: 0xFFFFFFFF is -1 in 32 bits.
  return static_cast<Int>(value);
}

template <typename Int>
std::optional<Int> ParseDecimal(std::string_view text) {
  using Bits = std::make_unsigned_t<Int>;
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  // The magnitude of the lowest value is one more than the highest.
  const Bits limit = static_cast<Bits>(std::numeric_limits<Int>::max()) + (negative ? 1u : 0u);
  Bits value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    const auto digit = static_cast<Bits>(c - '0');
    if (value > (limit - digit) / 10) return std::nullopt;
    value = static_cast<Bits>(value * 10 + digit);
  }
  // Two's complement negation in the unsigned type, then the bits as they stand.
  return static_cast<Int>(negative ? static_cast<Bits>(0u - value) : value);
}

template <typename Int>
std::optional<Int> ParseInteger(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && text[start] == ' ') ++start;
  text.remove_prefix(start);
  if (text.empty()) return std::nullopt;
  if (text[0] == '$' || text[0] == 'x' || text[0] == 'X') return ParseHex<Int>(text.substr(1));
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    return ParseHex<Int>(text.substr(2));
  return ParseDecimal<Int>(text);
}

}  // namespace

std::optional<std::int32_t> ParseInt32(std::string_view text) {
  return ParseInteger<std::int32_t>(text);
}

std::int32_t ParseInt32Or(std::string_view text, std::int32_t fallback) {
  return ParseInt32(text).value_or(fallback);
}

std::optional<std::int64_t> ParseInt64(std::string_view text) {
  return ParseInteger<std::int64_t>(text);
}

std::int64_t ParseInt64Or(std::string_view text, std::int64_t fallback) {
  return ParseInt64(text).value_or(fallback);
}

}  // namespace trovex::search
