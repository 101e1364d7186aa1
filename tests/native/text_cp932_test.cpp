#include <gtest/gtest.h>

#include "platform/text/cp932.h"

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
