#include <gtest/gtest.h>

#include "search/int_syntax.h"

using trovex::search::ParseInt32;
using trovex::search::ParseInt32Or;

TEST(IntSyntax, DecimalWithSignAndLeadingSpaces) {
  EXPECT_EQ(ParseInt32("100"), 100);
  EXPECT_EQ(ParseInt32("  100"), 100);
  EXPECT_EQ(ParseInt32("-1"), -1);
  EXPECT_EQ(ParseInt32("+7"), 7);
  EXPECT_EQ(ParseInt32("0"), 0);
  EXPECT_EQ(ParseInt32("007"), 7);
  EXPECT_EQ(ParseInt32("2147483647"), 2147483647);
  EXPECT_EQ(ParseInt32("-2147483648"), INT32_MIN);
}

TEST(IntSyntax, HexadecimalPrefixesAndThirtyTwoBits) {
  EXPECT_EQ(ParseInt32("0xF5"), 0xF5);
  EXPECT_EQ(ParseInt32("0XF5"), 0xF5);
  EXPECT_EQ(ParseInt32("$ff"), 0xFF);
  EXPECT_EQ(ParseInt32("xFF"), 0xFF);
  EXPECT_EQ(ParseInt32("XaB"), 0xAB);
  EXPECT_EQ(ParseInt32(" 0x10"), 16);
  EXPECT_EQ(ParseInt32("0xFFFFFFFF"), -1);
  EXPECT_EQ(ParseInt32("0x80000000"), INT32_MIN);
  EXPECT_EQ(ParseInt32("0x0000000012"), 0x12);  // leading zeros do not count as bits
  EXPECT_EQ(ParseInt32("0x100000000"), std::nullopt);
}

TEST(IntSyntax, RejectsEverythingElse) {
  for (const char* text :
       {"", " ", "100 ", "1 0", "-", "+", "0x", "$", "x", "0xG1", "-0x10", "+$10", "2147483648",
        "-2147483649", "99999999999999999999", "1e3", "\t5", "１"}) {
    EXPECT_EQ(ParseInt32(text), std::nullopt) << '"' << text << '"';
  }
  EXPECT_EQ(ParseInt32Or("100 ", 256), 256);
  EXPECT_EQ(ParseInt32Or("0x20", 256), 32);
}

TEST(IntSyntax, SixtyFourBitsForFileOffsets) {
  using trovex::search::ParseInt64;
  EXPECT_EQ(ParseInt64("123456789012"), 123456789012LL);
  EXPECT_EQ(ParseInt64("-1"), -1);
  EXPECT_EQ(ParseInt64("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(ParseInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(ParseInt64("9223372036854775808"), std::nullopt);
  EXPECT_EQ(ParseInt64("0xFFFFFFFFFFFFFFFF"), -1);
  EXPECT_EQ(ParseInt64("0xFFFFFFFF"), 0xFFFFFFFFLL);
  EXPECT_EQ(ParseInt64("0x10000000000000000"), std::nullopt);
  EXPECT_EQ(ParseInt64("12 "), std::nullopt);
}
