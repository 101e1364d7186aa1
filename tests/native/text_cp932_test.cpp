#include <gtest/gtest.h>

#include <random>

#include "platform/text/cp932.h"
#include "platform/text/width_kana.h"

using namespace trovex::text;

TEST(Cp932, LeadBytesAndCharacterWalk) {
  EXPECT_TRUE(IsCp932LeadByte(0x81));
  EXPECT_TRUE(IsCp932LeadByte(0x9F));
  EXPECT_TRUE(IsCp932LeadByte(0xE0));
  EXPECT_TRUE(IsCp932LeadByte(0xFC));
  EXPECT_FALSE(IsCp932LeadByte(0x80));
  EXPECT_FALSE(IsCp932LeadByte(0xA0));
  EXPECT_FALSE(IsCp932LeadByte(0xDF));
  EXPECT_FALSE(IsCp932LeadByte(0xFD));
  // "表" is 95 5C: its trail byte is a backslash and must not start a character.
  const std::string text = "表\\";
  ASSERT_EQ(text.size(), 3u);
  EXPECT_EQ(Cp932CharLength(text, 0), 2u);
  EXPECT_EQ(Cp932CharLength(text, 2), 1u);
  // A lead byte at the very end stands alone.
  EXPECT_EQ(Cp932CharLength(std::string("a\x81", 2), 1), 1u);
}

TEST(Cp932, DecodesSingleAndDoubleBytes) {
  EXPECT_EQ(DecodeCp932("abc"), u"abc");
  EXPECT_EQ(DecodeCp932(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
  EXPECT_EQ(DecodeCp932("表ソ\\"), u"表ソ\\");  // trail bytes 0x5C stay inside their characters
  EXPECT_EQ(DecodeCp932("ｱｲｳ｡"), u"ｱｲｳ｡");
  EXPECT_EQ(DecodeCp932("①Ⅰ髙"), u"①Ⅰ髙");  // NEC special and IBM extension rows
  EXPECT_EQ(DecodeCp932(""), u"");
  // The single bytes Windows assigns outside JIS X 0201.
  EXPECT_EQ(DecodeCp932("\x80\xA0\xFD\xFE\xFF"), u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3");
  // The user-defined area maps onto the private use area.
  EXPECT_EQ(DecodeCp932("\xF0\x40\xF0\x7E\xF0\x80\xF9\xFC"), u"\uE000\uE03E\uE03F\uE757");
}

TEST(Cp932, InvalidSequencesDecodeToNothing) {
  EXPECT_EQ(DecodeCp932("a\x81"), std::nullopt);                     // lead byte at the end
  EXPECT_EQ(DecodeCp932(std::string("\x81\x00", 2)), std::nullopt);  // trail below 0x40
  EXPECT_EQ(DecodeCp932("\x81\x7F"), std::nullopt);                  // 0x7F is no trail byte
  EXPECT_EQ(DecodeCp932("\x81\xFD"), std::nullopt);                  // nor is 0xFD
  EXPECT_EQ(DecodeCp932("\x85\x40"), std::nullopt);                  // unassigned row
  EXPECT_EQ(DecodeCp932("\x81\xAD"), std::nullopt);                  // unassigned cell in row 0x81
  EXPECT_EQ(DecodeCp932Char("\x82\xA0", 0), u'あ');
  EXPECT_EQ(DecodeCp932Char("\x82", 0), std::nullopt);
  EXPECT_EQ(DecodeCp932Char("a", 1), std::nullopt);
}

TEST(Cp932, LenientDecodeReplacesOnlyTheBytesThatStartNoCharacter) {
  // A double-byte character cut off at the end of the text.
  EXPECT_EQ(DecodeCp932Lenient("内容\x8C"), u"内容\uFFFD");
  // A lead byte before a byte that cannot trail it: the next byte is its own character.
  EXPECT_EQ(DecodeCp932Lenient("a\x81 b"), u"a\uFFFD b");
  EXPECT_EQ(DecodeCp932Lenient("\x81\x7F表"), u"\uFFFD\x7F表");
  // Two lead bytes in a row make a pair; an unassigned pair is one lead byte replaced
  // and its second byte read again, here as the start of a valid character.
  EXPECT_EQ(DecodeCp932Lenient("\x85\x82\xA0"), u"\uFFFDあ");
  EXPECT_EQ(DecodeCp932Lenient(std::string("\x81\x00x", 3)), std::u16string(u"\uFFFD\0x", 3));
  EXPECT_EQ(DecodeCp932Lenient(""), u"");
}

// Wherever the strict decode succeeds, the lenient one gives the same units; where it
// fails, the lenient one still yields one unit per character and at least one U+FFFD.
TEST(Cp932, LenientDecodeAgreesWithTheStrictOne) {
  std::mt19937 random(1932);
  std::uniform_int_distribution<int> byte(0, 255), length(0, 12);
  int invalid = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string bytes;
    for (int n = length(random); n > 0; --n)
      bytes.push_back(static_cast<char>(byte(random) | 0x80));
    const std::u16string lenient = DecodeCp932Lenient(bytes);
    if (const std::optional<std::u16string> strict = DecodeCp932(bytes)) {
      EXPECT_EQ(lenient, *strict);
      continue;
    }
    ++invalid;
    EXPECT_NE(lenient.find(u'\uFFFD'), std::u16string::npos);
    EXPECT_LE(lenient.size(), bytes.size());
  }
  EXPECT_GT(invalid, 1000);
}

TEST(Cp932, EncodesExactMappingsOnly) {
  char out[2];
  ASSERT_EQ(EncodeCp932Unit(u'A', out), 1);
  EXPECT_EQ(out[0], 'A');
  ASSERT_EQ(EncodeCp932Unit(u'表', out), 2);
  EXPECT_EQ(std::string(out, 2), "\x95\x5C");
  ASSERT_EQ(EncodeCp932Unit(u'ｶ', out), 1);
  EXPECT_EQ(static_cast<unsigned char>(out[0]), 0xB6);
  // No best fit: ¥ and the combining voicing mark have no CP932 form.
  EXPECT_EQ(EncodeCp932Unit(u'\u00A5', out), 0);
  EXPECT_EQ(EncodeCp932Unit(u'\u3099', out), 0);
  EXPECT_EQ(EncodeCp932Unit(char16_t{0xD800}, out), 0);
  // Characters held twice (NEC row 13 and the IBM rows) encode to one fixed form.
  ASSERT_EQ(EncodeCp932Unit(u'≒', out), 2);
  EXPECT_EQ(std::string(out, 2), "\x81\xE0");
  ASSERT_EQ(EncodeCp932Unit(u'ⅰ', out), 2);
  EXPECT_EQ(std::string(out, 2), "\xFA\x40");
  ASSERT_EQ(EncodeCp932Unit(u'\uF8F0', out), 1);
  EXPECT_EQ(static_cast<unsigned char>(out[0]), 0xA0);
}

TEST(Cp932, EncodeReplacesAndCountsUnmappedUnits) {
  std::size_t unmapped = 99;
  EXPECT_EQ(EncodeCp932(u"a\u00A5表\U0001F600", ' ', &unmapped), "a 表  ");
  EXPECT_EQ(unmapped, 4u - 1u);  // ¥ and both surrogate halves
  EXPECT_EQ(EncodeCp932(u"ok", '?', &unmapped), "ok");
  EXPECT_EQ(unmapped, 0u);
  EXPECT_EQ(EncodeCp932(u"\u00A5", '?'), "?");
}

// Every assigned byte sequence decodes and encodes back to itself, except the
// second copies of characters held twice, which encode to their first copy.
TEST(Cp932, EveryCharacterRoundTrips) {
  int characters = 0, duplicates = 0;
  for (int lead = 0; lead < 256; ++lead) {
    for (int trail = 0; trail < (IsCp932LeadByte(static_cast<unsigned char>(lead)) ? 256 : 1);
         ++trail) {
      std::string bytes(1, static_cast<char>(lead));
      if (IsCp932LeadByte(static_cast<unsigned char>(lead)))
        bytes.push_back(static_cast<char>(trail));
      std::optional<std::u16string> units = DecodeCp932(bytes);
      if (!units) continue;
      ASSERT_EQ(units->size(), 1u) << std::hex << lead << ' ' << trail;
      ++characters;
      std::string back = EncodeCp932(*units, '?');
      if (back != bytes) {
        ++duplicates;
        EXPECT_EQ(DecodeCp932(back), units) << std::hex << lead << ' ' << trail;
      }
    }
  }
  // ASCII, half-width kana, 0x80/0xA0/0xFD-0xFF; JIS X 0208 with the NEC and IBM
  // extensions; the user-defined area.
  EXPECT_EQ(characters, 128 + 63 + 5 + 7724 + 1880);
  // NEC-selected IBM extensions (374) and the NEC row 13 / JIS row 2 / IBM overlaps.
  EXPECT_EQ(duplicates, 398);
}

// Random byte strings: decoding never reads past the text, and whatever decodes
// encodes back to text that decodes to the same units; the mapping of valid text
// is valid text again.
TEST(Cp932, RandomBytesDecodeConsistently) {
  std::mt19937 random(932);
  std::uniform_int_distribution<int> byte(0, 255), length(0, 12);
  int valid = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string bytes;
    for (int n = length(random); n > 0; --n) {
      // Favour lead bytes so that pairs and cut-off pairs are common.
      int b = byte(random);
      bytes.push_back(static_cast<char>(round % 2 ? (b | 0x80) : b));
    }
    std::optional<std::u16string> units = DecodeCp932(bytes);
    if (!units) continue;
    ++valid;
    std::size_t unmapped = 0;
    EXPECT_EQ(DecodeCp932(EncodeCp932(*units, '?', &unmapped)), units);
    EXPECT_EQ(unmapped, 0u);
    for (WidthKana kind : {WidthKana::FullWidthKatakana, WidthKana::HalfWidthKatakana,
                           WidthKana::Hiragana, WidthKana::Katakana}) {
      std::optional<std::string> mapped = MapWidthKanaCp932(bytes, kind);
      ASSERT_TRUE(mapped.has_value());
      EXPECT_TRUE(DecodeCp932(*mapped).has_value());
    }
  }
  EXPECT_GT(valid, 1000);
}
