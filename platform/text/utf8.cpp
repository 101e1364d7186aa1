#include "platform/text/utf8.h"

namespace trovex::text {

std::optional<std::u16string> Utf8ToUtf16(std::string_view bytes) {
  std::u16string units;
  units.reserve(bytes.size());
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    auto lead = static_cast<unsigned char>(bytes[pos]);
    if (lead < 0x80) {
      units.push_back(lead);
      ++pos;
      continue;
    }
    std::size_t length;
    char32_t value;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
      return std::nullopt;  // a continuation byte, an overlong 0xC0/0xC1 lead, or 0xF5-0xFF
    }
    if (bytes.size() - pos < length) return std::nullopt;
    for (std::size_t k = 1; k < length; ++k) {
      auto next = static_cast<unsigned char>(bytes[pos + k]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      value = value << 6 | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
      return std::nullopt;
    }
    if (value >= 0x10000) {
      value -= 0x10000;
      units.push_back(static_cast<char16_t>(0xD800 + (value >> 10)));
      units.push_back(static_cast<char16_t>(0xDC00 + (value & 0x3FF)));
    } else {
      units.push_back(static_cast<char16_t>(value));
    }
    pos += length;
  }
  return units;
}

std::string Utf16ToUtf8(std::u16string_view units) {
  std::string bytes;
  bytes.reserve(units.size() * 3);
  for (std::size_t i = 0; i < units.size(); ++i) {
    char32_t value = units[i];
    if (value >= 0xD800 && value <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] <= 0xDFFF) {
      value = 0x10000 + ((value - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      ++i;
    } else if (value >= 0xD800 && value <= 0xDFFF) {
      value = 0xFFFD;  // an unpaired surrogate
    }
    if (value < 0x80) {
      bytes.push_back(static_cast<char>(value));
    } else if (value < 0x800) {
      bytes.push_back(static_cast<char>(0xC0 | value >> 6));
      bytes.push_back(static_cast<char>(0x80 | (value & 0x3F)));
    } else if (value < 0x10000) {
      bytes.push_back(static_cast<char>(0xE0 | value >> 12));
      bytes.push_back(static_cast<char>(0x80 | (value >> 6 & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | (value & 0x3F)));
    } else {
      bytes.push_back(static_cast<char>(0xF0 | value >> 18));
      bytes.push_back(static_cast<char>(0x80 | (value >> 12 & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | (value >> 6 & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | (value & 0x3F)));
    }
  }
  return bytes;
}

}  // namespace trovex::text
