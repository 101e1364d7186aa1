#include "viewer/byte_list_conversion.h"

#include "platform/text/cp932.h"
#include "search/text_helpers.h"

namespace trovex::viewer {
namespace {

std::string Utf16Bytes(std::u16string_view units, bool littleEndian) {
  std::string bytes;
  bytes.reserve(units.size() * 2);
  for (const char16_t unit : units) {
    const char low = static_cast<char>(unit & 0xFF);
    const char high = static_cast<char>(unit >> 8);
    bytes += littleEndian ? low : high;
    bytes += littleEndian ? high : low;
  }
  return bytes;
}

std::string Utf8Bytes(std::u16string_view units) {
  std::string bytes;
  bytes.reserve(units.size() * 3);
  for (const char16_t unit : units) {
    if (unit < 0x80) {
      bytes += static_cast<char>(unit);
    } else if (unit < 0x800) {
      bytes += static_cast<char>(0xC0 | (unit >> 6));
      bytes += static_cast<char>(0x80 | (unit & 0x3F));
    } else {
      bytes += static_cast<char>(0xE0 | (unit >> 12));
      bytes += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (unit & 0x3F));
    }
  }
  return bytes;
}

}  // namespace

std::optional<std::string> EncodeText(std::string_view text, ByteEncoding encoding) {
  if (encoding == ByteEncoding::ShiftJis) return std::string(text);
  const std::optional<std::u16string> units = text::DecodeCp932(text);
  if (!units) return std::nullopt;
  switch (encoding) {
    case ByteEncoding::Utf8:
      return Utf8Bytes(*units);
    case ByteEncoding::Utf16LittleEndian:
      return Utf16Bytes(*units, true);
    default:
      return Utf16Bytes(*units, false);
  }
}

std::optional<std::string> ByteListOf(std::string_view text, ByteEncoding encoding) {
  const std::optional<std::string> bytes = EncodeText(text, encoding);
  if (!bytes) return std::nullopt;
  return search::FormatByteList(*bytes);
}

std::optional<ByteEncoding> ByteEncodingNamed(std::string_view name) {
  if (name == "sjis") return ByteEncoding::ShiftJis;
  if (name == "utf8") return ByteEncoding::Utf8;
  if (name == "utf16le") return ByteEncoding::Utf16LittleEndian;
  if (name == "utf16be") return ByteEncoding::Utf16BigEndian;
  return std::nullopt;
}

bool LooksLikeByteList(std::string_view text) {
  if (text.substr(0, 2) != "0x") return false;
  return text.find(',') == 4 || text.size() == 4;
}

}  // namespace trovex::viewer
