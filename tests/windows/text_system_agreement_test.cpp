// The CP932, width/kana and lower-case tables agree with the system's own code
// page 932, LCMapStringEx / LCMapStringA ("ja-JP") and CharLowerBuffW over every
// CP932 character.
//
// The only differences allowed, each checked to be exactly what it claims:
//  1. The single bytes 0xA0, 0xFD, 0xFE and 0xFF decode to U+F8F0-U+F8F3 as on
//     Windows; Wine's code page 932 rejects them (while encoding U+F8F0-U+F8F3 to
//     them, as Windows does).
//  2. Where LCMapStringA writes the default character "?" for a mapping result that
//     CP932 cannot hold even by best fit (a lone voicing mark in full width becomes
//     the combining U+3099), MapWidthKanaCp932 keeps the character's original bytes
//     rather than lose it.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/text/cp932.h"
#include "platform/text/lower_case.h"
#include "platform/text/width_kana.h"

using namespace trovex::text;

namespace {

struct Deviation {
  unsigned char byte;
  char16_t windowsUnit;
};
constexpr Deviation kSingleByteDeviations[] = {
    {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}};

std::optional<std::u16string> SystemDecode(const std::string& bytes) {
  wchar_t out[8];
  int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(),
                              static_cast<int>(bytes.size()), out, 8);
  if (n <= 0) return std::nullopt;
  return std::u16string(out, out + n);
}

// Every valid CP932 character: its bytes and its unit.
struct Character {
  std::string bytes;
  char16_t unit;
};
const std::vector<Character>& AllCharacters() {
  static const std::vector<Character> all = [] {
    std::vector<Character> list;
    for (int lead = 0; lead < 256; ++lead) {
      bool isLead = IsCp932LeadByte(static_cast<unsigned char>(lead));
      for (int trail = 0; trail < (isLead ? 256 : 1); ++trail) {
        std::string bytes(1, static_cast<char>(lead));
        if (isLead) bytes.push_back(static_cast<char>(trail));
        if (auto units = DecodeCp932(bytes)) list.push_back({bytes, (*units)[0]});
      }
    }
    return list;
  }();
  return all;
}

std::u16string SystemMap(const std::u16string& text, DWORD flags) {
  wchar_t out[16];
  int n = LCMapStringEx(L"ja-JP", flags, reinterpret_cast<const wchar_t*>(text.data()),
                        static_cast<int>(text.size()), out, 16, nullptr, nullptr, 0);
  return n > 0 ? std::u16string(out, out + n) : u"<failed>";
}

std::string SystemMapAnsi(const std::string& text, DWORD flags) {
  char out[32];
  int n = LCMapStringA(MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), SORT_DEFAULT),
                       flags, text.data(), static_cast<int>(text.size()), out, sizeof out);
  return n > 0 ? std::string(out, n) : "<failed>";
}

struct KindFlags {
  WidthKana kind;
  DWORD flags;
};
constexpr KindFlags kKinds[] = {
    {WidthKana::FullWidthKatakana, LCMAP_FULLWIDTH | LCMAP_KATAKANA},
    {WidthKana::HalfWidthKatakana, LCMAP_HALFWIDTH | LCMAP_KATAKANA},
    {WidthKana::Hiragana, LCMAP_HIRAGANA},
    {WidthKana::Katakana, LCMAP_KATAKANA},
};

std::string Hex(const std::string& bytes) {
  std::string s;
  char buf[4];
  for (unsigned char b : bytes) {
    std::snprintf(buf, sizeof buf, "%02X ", b);
    s += buf;
  }
  return s;
}

}  // namespace

TEST(SystemCp932, LeadBytesAgree) {
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(IsCp932LeadByte(static_cast<unsigned char>(b)),
              IsDBCSLeadByteEx(932, static_cast<BYTE>(b)) != 0)
        << "byte " << b;
  }
}

TEST(SystemCp932, DecodingAgreesForEveryByteAndPair) {
  int checked = 0;
  for (int lead = 0; lead < 256; ++lead) {
    bool isLead = IsCp932LeadByte(static_cast<unsigned char>(lead));
    for (int trail = 0; trail < (isLead ? 256 : 1); ++trail) {
      std::string bytes(1, static_cast<char>(lead));
      if (isLead) bytes.push_back(static_cast<char>(trail));
      std::optional<std::u16string> ours = DecodeCp932(bytes);
      std::optional<std::u16string> system = SystemDecode(bytes);
      ++checked;
      const Deviation* deviation = nullptr;
      for (const Deviation& d : kSingleByteDeviations)
        if (!isLead && d.byte == lead) deviation = &d;
      if (deviation) {
        EXPECT_EQ(ours, std::u16string(1, deviation->windowsUnit)) << Hex(bytes);
        EXPECT_TRUE(!system || *system == *ours) << Hex(bytes);  // Wine rejects it; Windows agrees
        continue;
      }
      EXPECT_EQ(ours, system) << Hex(bytes);
    }
  }
  EXPECT_EQ(checked, 196 + 60 * 256);
  // A lone lead byte is invalid for both.
  EXPECT_EQ(DecodeCp932("\x81"), std::nullopt);
  EXPECT_EQ(SystemDecode("\x81"), std::nullopt);
}

TEST(SystemCp932, EncodingAgreesForEveryUnit) {
  int mapped = 0;
  for (unsigned u = 0; u <= 0xFFFF; ++u) {
    wchar_t w = static_cast<wchar_t>(u);
    char system[4];
    BOOL usedDefault = FALSE;
    int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &w, 1, system, 4, nullptr, &usedDefault);
    if (n <= 0 || usedDefault) n = 0;
    char ours[2];
    int m = EncodeCp932Unit(static_cast<char16_t>(u), ours);
    ASSERT_EQ(m, n) << "U+" << std::hex << u;
    EXPECT_EQ(std::string(ours, m), std::string(system, n)) << "U+" << std::hex << u;
    mapped += m > 0;
  }
  EXPECT_EQ(mapped, 9402);
}

TEST(SystemWidthKana, EveryCharacterAndVoicingPairAgree) {
  const char16_t marks[] = {0xFF9E, 0xFF9F, 0x309B, 0x309C};
  for (const KindFlags& k : kKinds) {
    for (const Character& c : AllCharacters()) {
      std::u16string one(1, c.unit);
      EXPECT_EQ(MapWidthKanaUtf16(one, k.kind), SystemMap(one, k.flags))
          << "kind " << static_cast<int>(k.kind) << " " << Hex(c.bytes);
      for (char16_t mark : marks) {
        std::u16string pair = one + mark;
        EXPECT_EQ(MapWidthKanaUtf16(pair, k.kind), SystemMap(pair, k.flags))
            << "kind " << static_cast<int>(k.kind) << " " << Hex(c.bytes) << "+U+" << std::hex
            << static_cast<unsigned>(mark);
      }
    }
  }
}

// The CP932 form agrees with the system's CP932 mapping (LCMapStringA under the
// Japanese locale, best-fit forms included) except for difference 2.
TEST(SystemWidthKana, Cp932FormAgreesWithAnsiMapping) {
  const std::string marks[] = {"\xDE", "\xDF", "\x81\x4A", "\x81\x4B", ""};
  int keptInsteadOfLost = 0;
  for (const KindFlags& k : kKinds) {
    for (const Character& c : AllCharacters()) {
      for (const std::string& mark : marks) {
        const std::string text = c.bytes + mark;
        std::optional<std::string> ours = MapWidthKanaCp932(text, k.kind);
        ASSERT_TRUE(ours.has_value()) << Hex(text);
        std::string system = SystemMapAnsi(text, k.flags);
        if (*ours == system) continue;
        auto questionMarks = [](const std::string& s) {
          return std::count(s.begin(), s.end(), '?');
        };
        // The system lost a character where we kept its bytes.
        EXPECT_GT(questionMarks(system), questionMarks(*ours))
            << "kind " << static_cast<int>(k.kind) << " " << Hex(text) << "-> ours " << Hex(*ours)
            << "system " << Hex(system);
        EXPECT_GE(ours->size(), system.size()) << Hex(text);
        ++keptInsteadOfLost;
      }
    }
  }
  // Only full width loses characters: the lone marks ﾞﾟ゛゜ and those pairs whose
  // mark does not compose.
  EXPECT_GT(keptInsteadOfLost, 0);
}

TEST(SystemLowerCase, EveryCharacterAgrees) {
  int lowered = 0;
  for (const Character& c : AllCharacters()) {
    wchar_t w = static_cast<wchar_t>(c.unit);
    CharLowerBuffW(&w, 1);
    EXPECT_EQ(LowerCaseUnit(c.unit), static_cast<char16_t>(w)) << Hex(c.bytes);
    std::string ours = AnsiLowerCase(c.bytes);
    ASSERT_EQ(ours.size(), c.bytes.size()) << Hex(c.bytes);
    EXPECT_EQ(DecodeCp932(ours), std::u16string(1, static_cast<char16_t>(w))) << Hex(c.bytes);
    lowered += ours != c.bytes;
  }
  // A-Z, full-width A-Z, Greek, Cyrillic and the Roman numerals (both copies).
  EXPECT_EQ(lowered, 26 + 26 + 24 + 33 + 10 + 10);
}
