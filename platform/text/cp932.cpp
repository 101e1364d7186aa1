#include "platform/text/cp932.h"

#include <algorithm>

#include "platform/text/text_tables.h"

namespace trovex::text {

namespace {

// The character of a lead/trail pair, or kNoChar.
char16_t DecodePair(unsigned char lead, unsigned char trail) {
  if (trail < tables::kTrailFirst || trail >= tables::kTrailFirst + tables::kTrailCount) {
    return tables::kNoChar;
  }
  int leadIndex = lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 31;
  return tables::kDoubleByte[leadIndex][trail - tables::kTrailFirst];
}

}  // namespace

int tables::LookUpCode(const EncodeEntry* table, std::size_t count, char16_t unit, char out[2]) {
  const EncodeEntry* end = table + count;
  const EncodeEntry* it = std::lower_bound(
      table, end, unit, [](const EncodeEntry& e, char16_t u) { return e.unit < u; });
  if (it == end || it->unit != unit) return 0;
  if (it->code < 0x100) {
    out[0] = static_cast<char>(it->code);
    return 1;
  }
  out[0] = static_cast<char>(it->code >> 8);
  out[1] = static_cast<char>(it->code & 0xFF);
  return 2;
}

bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t Cp932CharLength(std::string_view text, std::size_t pos) {
  if (pos + 1 < text.size() && IsCp932LeadByte(static_cast<unsigned char>(text[pos]))) return 2;
  return 1;
}

std::optional<char16_t> DecodeCp932Char(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return std::nullopt;
  auto lead = static_cast<unsigned char>(text[pos]);
  char16_t unit = tables::kNoChar;
  if (!IsCp932LeadByte(lead)) {
    unit = tables::kSingleByte[lead];
  } else if (pos + 1 < text.size()) {
    unit = DecodePair(lead, static_cast<unsigned char>(text[pos + 1]));
  }
  if (unit == tables::kNoChar) return std::nullopt;
  return unit;
}

std::optional<std::u16string> DecodeCp932(std::string_view bytes) {
  std::u16string units;
  units.reserve(bytes.size());
  for (std::size_t pos = 0; pos < bytes.size(); pos += Cp932CharLength(bytes, pos)) {
    std::optional<char16_t> unit = DecodeCp932Char(bytes, pos);
    if (!unit) return std::nullopt;
    units.push_back(*unit);
  }
  return units;
}

std::u16string DecodeCp932Lenient(std::string_view bytes) {
  std::u16string units;
  units.reserve(bytes.size());
  for (std::size_t pos = 0; pos < bytes.size();) {
    if (const std::optional<char16_t> unit = DecodeCp932Char(bytes, pos)) {
      units.push_back(*unit);
      pos += Cp932CharLength(bytes, pos);
    } else {
      units.push_back(u'\xFFFD');
      pos += 1;
    }
  }
  return units;
}

int EncodeCp932Unit(char16_t unit, char out[2]) {
  // ASCII is its own single byte; only the rest needs the table.
  if (unit < 0x80) {
    out[0] = static_cast<char>(unit);
    return 1;
  }
  return tables::LookUpCode(tables::kEncode, tables::kEncodeCount, unit, out);
}

std::string EncodeCp932(std::u16string_view units, char replacement, std::size_t* unmapped) {
  std::string bytes;
  bytes.reserve(units.size() * 2);
  std::size_t missing = 0;
  for (char16_t unit : units) {
    char out[2];
    int n = EncodeCp932Unit(unit, out);
    if (n == 0) {
      bytes.push_back(replacement);
      ++missing;
    } else {
      bytes.append(out, static_cast<std::size_t>(n));
    }
  }
  if (unmapped) *unmapped = missing;
  return bytes;
}

}  // namespace trovex::text
