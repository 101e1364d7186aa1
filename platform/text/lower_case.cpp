#include "platform/text/lower_case.h"

#include <algorithm>

#include "platform/text/cp932.h"
#include "platform/text/text_tables.h"

namespace trovex::text {

char16_t LowerCaseUnit(char16_t unit) {
  const tables::LowerCaseEntry* end = tables::kLowerCase + tables::kLowerCaseCount;
  const tables::LowerCaseEntry* it =
      std::lower_bound(tables::kLowerCase, end, unit,
                       [](const tables::LowerCaseEntry& e, char16_t u) { return e.upper < u; });
  return it != end && it->upper == unit ? it->lower : unit;
}

std::string AnsiLowerCase(std::string_view text) {
  std::string lowered(text);
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t length = Cp932CharLength(text, pos);
    auto byte = static_cast<unsigned char>(text[pos]);
    if (length == 1) {
      if (byte >= 'A' && byte <= 'Z') lowered[pos] = static_cast<char>(byte - 'A' + 'a');
    } else if (std::optional<char16_t> unit = DecodeCp932Char(text, pos)) {
      // A double-byte capital is replaced only by a lower case of the same length,
      // so that offsets into the text keep their meaning.
      char16_t lower = LowerCaseUnit(*unit);
      char out[2];
      if (lower != *unit && EncodeCp932Unit(lower, out) == 2) {
        lowered[pos] = out[0];
        lowered[pos + 1] = out[1];
      }
    }
    pos += length;
  }
  return lowered;
}

}  // namespace trovex::text
