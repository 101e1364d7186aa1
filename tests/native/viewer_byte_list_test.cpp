// The text-to-bytes conversion: each encoding over every CP932 character, checked
// against the codec, the byte list text and the rule that tells a converted list.
#include <gtest/gtest.h>

#include <string>

#include "platform/text/cp932.h"
#include "platform/text/utf8.h"
#include "search/parse_search_content.h"
#include "search/text_helpers.h"
#include "viewer/byte_list_conversion.h"

namespace trovex::viewer {
namespace {

TEST(ByteList, ExamplesOfEveryEncoding) {
  EXPECT_EQ(ByteListOf("AB", ByteEncoding::ShiftJis), "0x41,0x42");
  EXPECT_EQ(ByteListOf("あ", ByteEncoding::ShiftJis), "0x82,0xA0");
  EXPECT_EQ(ByteListOf("あ", ByteEncoding::Utf8), "0xE3,0x81,0x82");
  EXPECT_EQ(ByteListOf("あ", ByteEncoding::Utf16LittleEndian), "0x42,0x30");
  EXPECT_EQ(ByteListOf("あ", ByteEncoding::Utf16BigEndian), "0x30,0x42");
  EXPECT_EQ(ByteListOf("A", ByteEncoding::Utf8), "0x41");  // one item, no comma
  // A half-width katakana: one byte, three in UTF-8, two in UTF-16.
  EXPECT_EQ(ByteListOf("ｱ", ByteEncoding::ShiftJis), "0xB1");
  EXPECT_EQ(ByteListOf("ｱ", ByteEncoding::Utf8), "0xEF,0xBD,0xB1");
  EXPECT_EQ(ByteListOf("ｱ", ByteEncoding::Utf16LittleEndian), "0x71,0xFF");
  // Two-byte UTF-8 (U+00A7 §) and the zero byte.
  EXPECT_EQ(ByteListOf("§", ByteEncoding::Utf8), "0xC2,0xA7");
  EXPECT_EQ(ByteListOf(std::string("a\0b", 3), ByteEncoding::Utf16BigEndian),
            "0x00,0x61,0x00,0x00,0x00,0x62");
}

TEST(ByteList, EmptyTextGivesAnEmptyListAndInvalidTextNoUnicodeForm) {
  for (ByteEncoding encoding : {ByteEncoding::ShiftJis, ByteEncoding::Utf8,
                                ByteEncoding::Utf16LittleEndian, ByteEncoding::Utf16BigEndian}) {
    EXPECT_EQ(ByteListOf("", encoding), "");
  }
  const std::string lonelyLead("a\x81", 2);
  EXPECT_EQ(ByteListOf(lonelyLead, ByteEncoding::ShiftJis), "0x61,0x81");
  EXPECT_EQ(ByteListOf(lonelyLead, ByteEncoding::Utf8), std::nullopt);
  EXPECT_EQ(ByteListOf(lonelyLead, ByteEncoding::Utf16LittleEndian), std::nullopt);
  EXPECT_EQ(ByteListOf(lonelyLead, ByteEncoding::Utf16BigEndian), std::nullopt);
}

// Every one- and two-byte code of CP932: the Unicode forms agree with the codec's
// decoding and with the independent UTF-8 encoder, and the Shift-JIS list reads
// back as the same bytes through the search content parser.
TEST(ByteList, EveryCp932CharacterAgreesWithTheCodec) {
  int assigned = 0;
  const auto check = [&](const std::string& bytes) {
    const std::optional<char16_t> unit = text::DecodeCp932Char(bytes, 0);
    const auto utf8 = EncodeText(bytes, ByteEncoding::Utf8);
    const auto little = EncodeText(bytes, ByteEncoding::Utf16LittleEndian);
    const auto big = EncodeText(bytes, ByteEncoding::Utf16BigEndian);
    if (!unit || text::Cp932CharLength(bytes, 0) != bytes.size()) {
      EXPECT_FALSE(utf8 || little || big) << search::FormatByteList(bytes);
      return;
    }
    ++assigned;
    const char16_t u = *unit;
    ASSERT_TRUE(utf8 && little && big);
    EXPECT_EQ(*little, std::string({static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)}));
    EXPECT_EQ(*big, std::string({static_cast<char>(u >> 8), static_cast<char>(u & 0xFF)}));
    EXPECT_EQ(*utf8, text::Utf16ToUtf8(std::u16string(1, u))) << search::FormatByteList(bytes);
    EXPECT_EQ(text::Utf8ToUtf16(*utf8), std::u16string(1, u));

    search::SearchQuery query;
    const auto list = ByteListOf(bytes, ByteEncoding::ShiftJis);
    ASSERT_TRUE(search::ParseSearchContent(
        "," + *list, search::SearchOptions{}, [](const std::string&) {}, query));
    EXPECT_EQ(query.mode, search::SearchMode::Numbers);
    EXPECT_EQ(query.pattern, bytes);
  };
  for (int b = 0; b < 0x100; ++b) {
    if (!text::IsCp932LeadByte(static_cast<unsigned char>(b)))
      check(std::string(1, static_cast<char>(b)));
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!text::IsCp932LeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      check(std::string({static_cast<char>(lead), static_cast<char>(trail)}));
    }
  }
  EXPECT_GT(assigned, 7000);  // the JIS X 0208 set with the vendor extensions
}

TEST(ByteList, ListFormatAndEncodingNames) {
  EXPECT_EQ(search::FormatByteList(std::string("\x00\x0A\xFF", 3)), "0x00,0x0A,0xFF");
  EXPECT_EQ(search::FormatByteList(""), "");
  // The UTF-16 search form keeps its leading comma, so one byte stays a number.
  EXPECT_EQ(search::ToUtf16ByteList("a"), ",0x61,0x00");
  EXPECT_EQ(search::ToUtf16ByteList(""), "");
  EXPECT_EQ(ByteEncodingNamed("sjis"), ByteEncoding::ShiftJis);
  EXPECT_EQ(ByteEncodingNamed("utf8"), ByteEncoding::Utf8);
  EXPECT_EQ(ByteEncodingNamed("utf16le"), ByteEncoding::Utf16LittleEndian);
  EXPECT_EQ(ByteEncodingNamed("utf16be"), ByteEncoding::Utf16BigEndian);
  EXPECT_EQ(ByteEncodingNamed("UTF8"), std::nullopt);
  EXPECT_EQ(ByteEncodingNamed("utf16"), std::nullopt);
}

TEST(ByteList, ConvertedListsAreToldFromTypedContent) {
  EXPECT_TRUE(LooksLikeByteList("0xE3,0x81,0x82"));
  EXPECT_TRUE(LooksLikeByteList("0x41"));
  EXPECT_TRUE(LooksLikeByteList("0xzz,"));
  EXPECT_FALSE(LooksLikeByteList(",0x41"));
  EXPECT_FALSE(LooksLikeByteList("0x4142"));
  EXPECT_FALSE(LooksLikeByteList("0x1,0x2"));  // the comma is the fourth byte
  EXPECT_FALSE(LooksLikeByteList("0x"));
  EXPECT_FALSE(LooksLikeByteList(""));
  EXPECT_FALSE(LooksLikeByteList("abcd"));
}

}  // namespace
}  // namespace trovex::viewer
