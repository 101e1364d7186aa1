#include <gtest/gtest.h>

#include "platform/text/utf8.h"

using namespace trovex::text;

TEST(Utf8, DecodesEveryLength) {
  EXPECT_EQ(Utf8ToUtf16("a\xC3\xA9\xE8\xA1\xA8"), u"a\u00E9\u8868");
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), u"\U0001F600");
  EXPECT_EQ(Utf8ToUtf16("\xF4\x8F\xBF\xBF"), u"\U0010FFFF");
  EXPECT_EQ(Utf8ToUtf16(std::string("\0", 1)), std::u16string(1, u'\0'));
  EXPECT_EQ(Utf8ToUtf16(""), u"");
}

TEST(Utf8, RejectsMalformedInput) {
  for (const char* bad : {
           "\x80",              // lone continuation byte
           "\xC3",              // truncated
           "\xE8\xA1",          // truncated
           "\xC0\xAF",          // overlong "/"
           "\xE0\x80\xAF",      // overlong
           "\xF0\x80\x80\xAF",  // overlong
           "\xED\xA0\x80",      // surrogate U+D800
           "\xF4\x90\x80\x80",  // above U+10FFFF
           "\xF8\x88\x80\x80\x80",
           "\xC3\x28",  // bad continuation
           "\xFF",
       }) {
    EXPECT_EQ(Utf8ToUtf16(bad), std::nullopt) << bad;
  }
}

TEST(Utf8, EncodesAndRoundTrips) {
  const std::u16string text = u"a\u00E9\u8868\U0001F600\uFFFF";
  const std::string bytes = Utf16ToUtf8(text);
  EXPECT_EQ(bytes, "a\xC3\xA9\xE8\xA1\xA8\xF0\x9F\x98\x80\xEF\xBF\xBF");
  EXPECT_EQ(Utf8ToUtf16(bytes), text);
  // Unpaired surrogates become U+FFFD.
  EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t{0xD800}, u'a', char16_t{0xDC00}}),
            "\xEF\xBF\xBD"
            "a\xEF\xBF\xBD");
}
