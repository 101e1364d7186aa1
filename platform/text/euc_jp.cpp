#include "platform/text/euc_jp.h"

#include "platform/text/cp932.h"

namespace trovex::text {
namespace {

bool IsHalfWidthKatakana(unsigned char b) { return b >= 0xA1 && b <= 0xDF; }
bool IsEucByte(unsigned char b) { return b >= 0xA1 && b <= 0xFE; }

}  // namespace

int Cp932CharToEucJp(std::string_view cp932, std::size_t pos, char out[2]) {
  if (pos >= cp932.size()) return 0;
  const auto s1 = static_cast<unsigned char>(cp932[pos]);
  if (s1 < 0x80) {
    out[0] = static_cast<char>(s1);
    return 1;
  }
  if (IsHalfWidthKatakana(s1)) {
    out[0] = static_cast<char>(0x8E);
    out[1] = static_cast<char>(s1);
    return 2;
  }
  if (!IsCp932LeadByte(s1) || pos + 1 >= cp932.size()) return 0;
  // JIS X 0208 proper: leads 0x81-0x9F and 0xE0-0xEA, less NEC's row 13 (0x87).
  if (s1 == 0x87 || s1 > 0xEA) return 0;
  unsigned s2 = static_cast<unsigned char>(cp932[pos + 1]);
  if (s2 < 0x40 || s2 == 0x7F || s2 > 0xFC) return 0;
  unsigned j1 = (s1 <= 0x9F ? s1 - 0x71u : s1 - 0xB1u) * 2 + 1;
  if (s2 > 0x7F) --s2;
  unsigned j2;
  if (s2 >= 0x9E) {
    ++j1;
    j2 = s2 - 0x7D;
  } else {
    j2 = s2 - 0x1F;
  }
  out[0] = static_cast<char>(j1 | 0x80);
  out[1] = static_cast<char>(j2 | 0x80);
  return 2;
}

bool Cp932ToEucJp(std::string_view cp932, std::string& out) {
  out.clear();
  for (std::size_t pos = 0; pos < cp932.size();) {
    char bytes[2];
    const int n = Cp932CharToEucJp(cp932, pos, bytes);
    if (n == 0) return false;
    out.append(bytes, static_cast<std::size_t>(n));
    pos += Cp932CharLength(cp932, pos);
  }
  return true;
}

std::string EucJpToCp932Lenient(std::string_view eucJp) {
  eucJp = eucJp.substr(0, eucJp.find('\0'));
  std::string out;
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(eucJp[i]); };
  for (std::size_t i = 0; i < eucJp.size();) {
    const unsigned char b = at(i);
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++i;
    } else if (b == 0x8E) {
      if (i + 1 >= eucJp.size()) break;
      out += IsHalfWidthKatakana(at(i + 1)) ? static_cast<char>(at(i + 1)) : ' ';
      i += IsHalfWidthKatakana(at(i + 1)) ? 2 : 1;
    } else if (b == 0x8F) {
      if (i + 2 >= eucJp.size()) break;
      out += ' ';  // JIS X 0212: no CP932 form
      i += 3;
    } else if (IsEucByte(b)) {
      if (i + 1 >= eucJp.size()) break;
      if (!IsEucByte(at(i + 1))) {
        out += ' ';
        ++i;
        continue;
      }
      const unsigned j1 = b & 0x7F, j2 = at(i + 1) & 0x7F;
      const unsigned s1 = ((j1 + 1) >> 1) + (j1 <= 0x5E ? 0x70 : 0xB0);
      const unsigned s2 = j2 + ((j1 & 1) ? (j2 >= 0x60 ? 0x20 : 0x1F) : 0x7E);
      out += static_cast<char>(s1);
      out += static_cast<char>(s2);
      i += 2;
    } else {
      out += ' ';
      ++i;
    }
  }
  return out;
}

}  // namespace trovex::text
