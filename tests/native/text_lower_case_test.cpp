#include <gtest/gtest.h>

#include "platform/text/lower_case.h"

using namespace trovex::text;

TEST(LowerCase, SingleAndDoubleByteCapitals) {
  EXPECT_EQ(AnsiLowerCase("ABC xyz 123 @[`{"), "abc xyz 123 @[`{");
  EXPECT_EQ(AnsiLowerCase("ＡＢＣ"), "ａｂｃ");
  EXPECT_EQ(AnsiLowerCase("ΑΩ"), "αω");
  EXPECT_EQ(AnsiLowerCase("АЯЁ"), "аяё");
  EXPECT_EQ(AnsiLowerCase("ｱｲｳ漢字かなカナ"), "ｱｲｳ漢字かなカナ");
  EXPECT_EQ(AnsiLowerCase(std::string("A\0B", 3)), std::string("a\0b", 3));
}

TEST(LowerCase, TrailBytesAreNeverTouched) {
  // ア is 83 41 and ソ is 83 5C: the trail byte 0x41 is not an "A".
  EXPECT_EQ(AnsiLowerCase("アA"), "アa");
  EXPECT_EQ(AnsiLowerCase("ソ\\"), "ソ\\");
  EXPECT_EQ(AnsiLowerCase("\x82\x60"), "\x82\x81");  // Ａ lowers to ａ as one character
}

TEST(LowerCase, InvalidBytesStayAsTheyAre) {
  EXPECT_EQ(AnsiLowerCase("A\x85\x41Z"), "a\x85\x41z");  // unassigned pair: untouched, trail too
  EXPECT_EQ(AnsiLowerCase("A\x81"), "a\x81");            // lead byte at the end
}

TEST(LowerCase, Units) {
  EXPECT_EQ(LowerCaseUnit(u'A'), u'a');
  EXPECT_EQ(LowerCaseUnit(u'a'), u'a');
  EXPECT_EQ(LowerCaseUnit(u'Ｚ'), u'ｚ');
  EXPECT_EQ(LowerCaseUnit(u'Σ'), u'σ');
  EXPECT_EQ(LowerCaseUnit(u'Ⅳ'), u'ⅳ');
  EXPECT_EQ(LowerCaseUnit(u'カ'), u'カ');
  EXPECT_EQ(LowerCaseUnit(u'\u00C0'), u'\u00C0');  // outside CP932: left alone
}
