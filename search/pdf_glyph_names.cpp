#include "search/pdf_glyph_names.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <unordered_map>
#include <utility>

namespace trovex::search::pdf {
namespace {

// Glyph names of the printable ASCII characters from 0x20, and of Latin-1 from 0xA1.
constexpr std::string_view kAsciiNames[] = {"space",       "exclam",
                                            "quotedbl",    "numbersign",
                                            "dollar",      "percent",
                                            "ampersand",   "quotesingle",
                                            "parenleft",   "parenright",
                                            "asterisk",    "plus",
                                            "comma",       "hyphen",
                                            "period",      "slash",
                                            "zero",        "one",
                                            "two",         "three",
                                            "four",        "five",
                                            "six",         "seven",
                                            "eight",       "nine",
                                            "colon",       "semicolon",
                                            "less",        "equal",
                                            "greater",     "question",
                                            "at",          "A",
                                            "B",           "C",
                                            "D",           "E",
                                            "F",           "G",
                                            "H",           "I",
                                            "J",           "K",
                                            "L",           "M",
                                            "N",           "O",
                                            "P",           "Q",
                                            "R",           "S",
                                            "T",           "U",
                                            "V",           "W",
                                            "X",           "Y",
                                            "Z",           "bracketleft",
                                            "backslash",   "bracketright",
                                            "asciicircum", "underscore",
                                            "grave",       "a",
                                            "b",           "c",
                                            "d",           "e",
                                            "f",           "g",
                                            "h",           "i",
                                            "j",           "k",
                                            "l",           "m",
                                            "n",           "o",
                                            "p",           "q",
                                            "r",           "s",
                                            "t",           "u",
                                            "v",           "w",
                                            "x",           "y",
                                            "z",           "braceleft",
                                            "bar",         "braceright",
                                            "asciitilde"};
constexpr std::string_view kLatin1Names[] = {"exclamdown",
                                             "cent",
                                             "sterling",
                                             "currency",
                                             "yen",
                                             "brokenbar",
                                             "section",
                                             "dieresis",
                                             "copyright",
                                             "ordfeminine",
                                             "guillemotleft",
                                             "logicalnot",
                                             "sfthyphen",
                                             "registered",
                                             "macron",
                                             "degree",
                                             "plusminus",
                                             "twosuperior",
                                             "threesuperior",
                                             "acute",
                                             "mu",
                                             "paragraph",
                                             "periodcentered",
                                             "cedilla",
                                             "onesuperior",
                                             "ordmasculine",
                                             "guillemotright",
                                             "onequarter",
                                             "onehalf",
                                             "threequarters",
                                             "questiondown",
                                             "Agrave",
                                             "Aacute",
                                             "Acircumflex",
                                             "Atilde",
                                             "Adieresis",
                                             "Aring",
                                             "AE",
                                             "Ccedilla",
                                             "Egrave",
                                             "Eacute",
                                             "Ecircumflex",
                                             "Edieresis",
                                             "Igrave",
                                             "Iacute",
                                             "Icircumflex",
                                             "Idieresis",
                                             "Eth",
                                             "Ntilde",
                                             "Ograve",
                                             "Oacute",
                                             "Ocircumflex",
                                             "Otilde",
                                             "Odieresis",
                                             "multiply",
                                             "Oslash",
                                             "Ugrave",
                                             "Uacute",
                                             "Ucircumflex",
                                             "Udieresis",
                                             "Yacute",
                                             "Thorn",
                                             "germandbls",
                                             "agrave",
                                             "aacute",
                                             "acircumflex",
                                             "atilde",
                                             "adieresis",
                                             "aring",
                                             "ae",
                                             "ccedilla",
                                             "egrave",
                                             "eacute",
                                             "ecircumflex",
                                             "edieresis",
                                             "igrave",
                                             "iacute",
                                             "icircumflex",
                                             "idieresis",
                                             "eth",
                                             "ntilde",
                                             "ograve",
                                             "oacute",
                                             "ocircumflex",
                                             "otilde",
                                             "odieresis",
                                             "divide",
                                             "oslash",
                                             "ugrave",
                                             "uacute",
                                             "ucircumflex",
                                             "udieresis",
                                             "yacute",
                                             "thorn",
                                             "ydieresis"};

struct NamedChar {
  std::string_view name;
  char16_t ch;
};
constexpr NamedChar kOtherNames[] = {{"quoteleft", 0x2018},
                                     {"quoteright", 0x2019},
                                     {"quotedblleft", 0x201C},
                                     {"quotedblright", 0x201D},
                                     {"quotesinglbase", 0x201A},
                                     {"quotedblbase", 0x201E},
                                     {"endash", 0x2013},
                                     {"emdash", 0x2014},
                                     {"bullet", 0x2022},
                                     {"ellipsis", 0x2026},
                                     {"dagger", 0x2020},
                                     {"daggerdbl", 0x2021},
                                     {"perthousand", 0x2030},
                                     {"guilsinglleft", 0x2039},
                                     {"guilsinglright", 0x203A},
                                     {"fi", 0xFB01},
                                     {"fl", 0xFB02},
                                     {"ff", 0xFB00},
                                     {"ffi", 0xFB03},
                                     {"ffl", 0xFB04},
                                     {"fraction", 0x2044},
                                     {"florin", 0x0192},
                                     {"circumflex", 0x02C6},
                                     {"tilde", 0x02DC},
                                     {"breve", 0x02D8},
                                     {"dotaccent", 0x02D9},
                                     {"ring", 0x02DA},
                                     {"hungarumlaut", 0x02DD},
                                     {"ogonek", 0x02DB},
                                     {"caron", 0x02C7},
                                     {"dotlessi", 0x0131},
                                     {"Lslash", 0x0141},
                                     {"lslash", 0x0142},
                                     {"OE", 0x0152},
                                     {"oe", 0x0153},
                                     {"Scaron", 0x0160},
                                     {"scaron", 0x0161},
                                     {"Zcaron", 0x017D},
                                     {"zcaron", 0x017E},
                                     {"Ydieresis", 0x0178},
                                     {"trademark", 0x2122},
                                     {"Euro", 0x20AC},
                                     {"minus", 0x2212},
                                     {"nbspace", 0x00A0},
                                     {"periodcentered", 0x00B7},
                                     {"notequal", 0x2260},
                                     {"infinity", 0x221E},
                                     {"lessequal", 0x2264},
                                     {"greaterequal", 0x2265},
                                     {"partialdiff", 0x2202},
                                     {"summation", 0x2211},
                                     {"product", 0x220F},
                                     {"pi", 0x03C0},
                                     {"integral", 0x222B},
                                     {"Omega", 0x03A9},
                                     {"radical", 0x221A},
                                     {"approxequal", 0x2248},
                                     {"Delta", 0x2206},
                                     {"lozenge", 0x25CA},
                                     {"apple", 0xF8FF},
                                     {"mu1", 0x00B5},
                                     {"Ohm", 0x2126},
                                     {"arrowright", 0x2192},
                                     {"arrowleft", 0x2190},
                                     {"arrowup", 0x2191},
                                     {"arrowdown", 0x2193}};

// The upper halves of the built-in encodings, as code and character.
constexpr std::pair<unsigned char, char16_t> kStandardHigh[] = {
    {0xA1, 0x00A1}, {0xA2, 0x00A2}, {0xA3, 0x00A3}, {0xA4, 0x2044}, {0xA5, 0x00A5}, {0xA6, 0x0192},
    {0xA7, 0x00A7}, {0xA8, 0x00A4}, {0xA9, 0x0027}, {0xAA, 0x201C}, {0xAB, 0x00AB}, {0xAC, 0x2039},
    {0xAD, 0x203A}, {0xAE, 0xFB01}, {0xAF, 0xFB02}, {0xB1, 0x2013}, {0xB2, 0x2020}, {0xB3, 0x2021},
    {0xB4, 0x00B7}, {0xB6, 0x00B6}, {0xB7, 0x2022}, {0xB8, 0x201A}, {0xB9, 0x201E}, {0xBA, 0x201D},
    {0xBB, 0x00BB}, {0xBC, 0x2026}, {0xBD, 0x2030}, {0xBF, 0x00BF}, {0xC1, 0x0060}, {0xC2, 0x00B4},
    {0xC3, 0x02C6}, {0xC4, 0x02DC}, {0xC5, 0x00AF}, {0xC6, 0x02D8}, {0xC7, 0x02D9}, {0xC8, 0x00A8},
    {0xCA, 0x02DA}, {0xCB, 0x00B8}, {0xCD, 0x02DD}, {0xCE, 0x02DB}, {0xCF, 0x02C7}, {0xD0, 0x2014},
    {0xE1, 0x00C6}, {0xE3, 0x00AA}, {0xE8, 0x0141}, {0xE9, 0x00D8}, {0xEA, 0x0152}, {0xEB, 0x00BA},
    {0xF1, 0x00E6}, {0xF5, 0x0131}, {0xF8, 0x0142}, {0xF9, 0x00F8}, {0xFA, 0x0153}, {0xFB, 0x00DF}};
constexpr char16_t kWinAnsi80[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
constexpr char16_t kMacRoman80[128] = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, 0x00E0, 0x00E2, 0x00E4, 0x00E3,
    0x00E5, 0x00E7, 0x00E9, 0x00E8, 0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3,
    0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, 0x2020, 0x00B0, 0x00A2, 0x00A3,
    0x00A7, 0x2022, 0x00B6, 0x00DF, 0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8,
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211, 0x220F, 0x03C0, 0x222B, 0x00AA,
    0x00BA, 0x03A9, 0x00E6, 0x00F8, 0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB,
    0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153, 0x2013, 0x2014, 0x201C, 0x201D,
    0x2018, 0x2019, 0x00F7, 0x25CA, 0x00FF, 0x0178, 0x2044, 0x00A4, 0x2039, 0x203A, 0xFB01, 0xFB02,
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1, 0x00CB, 0x00C8, 0x00CD, 0x00CE,
    0x00CF, 0x00CC, 0x00D3, 0x00D4, 0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC,
    0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7};

const std::unordered_map<std::string_view, char16_t>& NameTable() {
  static const auto* table = [] {
    auto* map = new std::unordered_map<std::string_view, char16_t>;
    for (std::size_t i = 0; i < std::size(kAsciiNames); ++i)
      map->emplace(kAsciiNames[i], static_cast<char16_t>(0x20 + i));
    for (std::size_t i = 0; i < std::size(kLatin1Names); ++i)
      map->emplace(kLatin1Names[i], static_cast<char16_t>(0xA1 + i));
    for (const auto& named : kOtherNames) map->emplace(named.name, named.ch);
    return map;
  }();
  return *table;
}

char32_t HexName(std::string_view digits) {
  if (digits.size() < 4 || digits.size() > 6) return 0;
  char32_t value = 0;
  for (const char c : digits) {
    int v;
    if (c >= '0' && c <= '9')
      v = c - '0';
    else if (c >= 'A' && c <= 'F')
      v = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f')
      v = c - 'a' + 10;
    else
      return 0;
    value = value * 16 + static_cast<char32_t>(v);
  }
  return value <= 0x10FFFF ? value : 0;
}

}  // namespace

char16_t EncodedChar(BaseEncoding encoding, unsigned char code) {
  if (code >= 0x20 && code < 0x7F) {
    if (encoding == BaseEncoding::Standard && code == 0x27) return 0x2019;
    if (encoding == BaseEncoding::Standard && code == 0x60) return 0x2018;
    return code;
  }
  if (code < 0x80) return 0;
  switch (encoding) {
    case BaseEncoding::WinAnsi:
      return code < 0xA0 ? kWinAnsi80[code - 0x80] : code;
    case BaseEncoding::MacRoman:
      return kMacRoman80[code - 0x80];
    case BaseEncoding::Standard:
      for (const auto& [byte, ch] : kStandardHigh)
        if (byte == code) return ch;
      return 0;
  }
  return 0;
}

char32_t GlyphNameChar(std::string_view name) {
  // "a.sc", "T_h": the part before a suffix, the first of a ligature's parts.
  if (const std::size_t dot = name.find('.'); dot != std::string_view::npos && dot > 0)
    name = name.substr(0, dot);
  const auto& table = NameTable();
  if (const auto found = table.find(name); found != table.end()) return found->second;
  if (name.size() == 7 && name.substr(0, 3) == "uni") return HexName(name.substr(3));
  if (name.size() >= 5 && name.size() <= 7 && name[0] == 'u') return HexName(name.substr(1));
  return 0;
}

}  // namespace trovex::search::pdf
