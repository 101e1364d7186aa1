#include <gtest/gtest.h>

#include "search/rtf_to_text.h"

using trovex::search::RtfToText;

TEST(RtfToText, DropsMarkupUpToTheNextSpace) {
  EXPECT_EQ(RtfToText("{\\rtf1 Hello}"), " Hello");
  EXPECT_EQ(RtfToText("{\\rtf1\\ansi Hello World}x"), " Hello World");
  // A line break does not end skipping; the last character is never looked at.
  EXPECT_EQ(RtfToText("\\par\r\nabc def"), " de");
  EXPECT_EQ(RtfToText("ab"), "a");
  EXPECT_EQ(RtfToText(""), "");
}

TEST(RtfToText, HexEscapesBecomeBytes) {
  EXPECT_EQ(RtfToText("x\\'82\\'a0y."), "x\x82\xA0y");
  // Not hexadecimal: a space.
  EXPECT_EQ(RtfToText("x\\'zz."), "x ");
  EXPECT_EQ(RtfToText("x\\'8 ."), "x ");
  // An escape that runs into the end stops the reduction.
  EXPECT_EQ(RtfToText("ab\\'8"), "ab");
  // A zero byte ends the text.
  EXPECT_EQ(RtfToText("ab\\'00cd."), "ab");
  // Escapes are taken even while skipping.
  EXPECT_EQ(RtfToText("\\f1\\'41 b."), "A b");
}

TEST(RtfToText, UnicodeEscapesBecomeCharactersWithoutTheirFallback) {
  // As an office suite writes Japanese: the code unit, then "?" as \'3f.
  EXPECT_EQ(RtfToText("{\\rtf1 \\u26085\\'3f\\u26412\\'3f\\u-30050\\'3f end}"), " 日本語 end");
  // A plain fallback byte, the delimiting space, and \ucN fallbacks of 0 and 2.
  EXPECT_EQ(RtfToText("x \\u12354?b \\u12354 ?c "), "x あb あc");
  EXPECT_EQ(RtfToText("x \\uc0 \\u12354b\\uc2 \\u12356\\'82\\'a2c "), "x  あb いc");
  // Markup ends a fallback early; a character CP932 lacks becomes "?".
  EXPECT_EQ(RtfToText("a \\u12354{\\b x} \\u9731?z "), "a あ x ?z");
  // Not Unicode escapes: other control words, numbers out of range.
  EXPECT_EQ(RtfToText("a \\ul b \\u70000 c \\u- d "), "a  b  c  d");
  // Files that spell Japanese as hex escapes reduce as before.
  EXPECT_EQ(RtfToText("{\\rtf1 \\'93\\'fa\\'96\\'7b }"), " 日本 ");
}
