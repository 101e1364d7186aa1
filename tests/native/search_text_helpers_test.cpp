#include <gtest/gtest.h>

#include "search/text_helpers.h"

using namespace trovex::search;

TEST(ReplaceSeparator, ReplacesSingleByteSeparatorsAndTrims) {
  EXPECT_EQ(ReplaceSeparator(",100,38,", ',', "\r\n"), "100\r\n38");
  EXPECT_EQ(ReplaceSeparator(" \t a/b / ", '/', "\r\n"), "a\r\nb");
  EXPECT_EQ(ReplaceSeparator(",,,", ',', "\r\n"), "");
  EXPECT_EQ(ReplaceSeparator("", ',', "\r\n"), "");
  // "表" is 95 5C and "ソ" is 83 5C: their trail bytes are no separators.
  EXPECT_EQ(ReplaceSeparator("表\\ソ\\x", '\\', "|"), "表|ソ|x");
  // A lead byte at the very end stands alone and is kept.
  EXPECT_EQ(ReplaceSeparator(std::string("a,\x81", 3), ',', "-"), std::string("a-\x81", 3));
}

TEST(ToWide, ConvertsCp932ToUtf16LittleEndian) {
  EXPECT_EQ(ToWide("ab"), std::string("a\0b\0", 4));
  EXPECT_EQ(ToWide("あ"), std::string("\x42\x30", 2));  // U+3042
  EXPECT_EQ(ToWide("ｱ"), std::string("\x71\xFF", 2));   // U+FF71
  EXPECT_EQ(ToWide(""), std::string());
  EXPECT_EQ(ToWide(std::string("a\x81", 2)), std::nullopt);     // lead byte without trail
  EXPECT_EQ(ToWide(std::string("\x81\x20", 2)), std::nullopt);  // invalid trail byte
}

TEST(ToUtf16ByteList, WritesEveryByteAsUpperCaseHex) {
  EXPECT_EQ(ToUtf16ByteList("ab"), ",0x61,0x00,0x62,0x00");
  EXPECT_EQ(ToUtf16ByteList("あ,"), ",0x42,0x30,0x2C,0x00");
  EXPECT_EQ(ToUtf16ByteList(std::string("a\x81", 2)), std::nullopt);
}

TEST(MapWidthKana, FourKindsAndUnmappableText) {
  using trovex::text::WidthKana;
  EXPECT_EQ(MapWidthKana("ｶﾞあA", WidthKana::FullWidthKatakana), "ガアＡ");
  EXPECT_EQ(MapWidthKana("ガあＡ", WidthKana::HalfWidthKatakana), "ｶﾞｱA");
  EXPECT_EQ(MapWidthKana("カきA", WidthKana::Hiragana), "かきA");
  EXPECT_EQ(MapWidthKana("カきA", WidthKana::Katakana), "カキA");
  const std::string invalid("a\x81", 2);
  EXPECT_EQ(MapWidthKana(invalid, WidthKana::FullWidthKatakana), invalid);
}
