#include "results/unicode_to_shift_jis.h"

#include "platform/text/cp932.h"

namespace trovex::results {

std::string WideToShiftJis(std::u16string_view units) {
  units = units.substr(0, units.find(u'\0'));
  if (!units.empty() && (units.front() == 0xFEFF || units.front() == 0xFFFE))
    units.remove_prefix(1);
  return text::EncodeCp932(units, ' ');
}

std::string WideBytesToShiftJis(std::string_view bytes) {
  std::u16string units;
  units.reserve((bytes.size() + 1) / 2);
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    const auto low = static_cast<unsigned char>(bytes[i]);
    const auto high = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
    units += static_cast<char16_t>(low | (high << 8));
  }
  return WideToShiftJis(units);
}

std::string Utf8ToShiftJis(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  bytes = bytes.substr(0, bytes.find('\0'));
  std::u16string units;
  units.reserve(bytes.size());
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  for (std::size_t i = 0; i < bytes.size();) {
    const unsigned char lead = at(i);
    if (lead < 0x80) {
      units += static_cast<char16_t>(lead);
      ++i;
      continue;
    }
    const std::size_t length = (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF8) == 0xF0 ? 4 : 3;
    if (i + length > bytes.size()) break;
    if (length == 2)
      units += static_cast<char16_t>(((lead & 0x1F) << 6) | (at(i + 1) & 0x3F));
    else if (length == 3)
      units += static_cast<char16_t>(((lead & 0x0F) << 12) | ((at(i + 1) & 0x3F) << 6) |
                                     (at(i + 2) & 0x3F));
    else
      units += u'\xFFFD';  // beyond the BMP: no CP932 form
    i += length;
  }
  return WideToShiftJis(units);
}

}  // namespace trovex::results
