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
