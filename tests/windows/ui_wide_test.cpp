// Window texts pass through CP932 <-> UTF-16 without losing what CP932 can hold.
#include <gtest/gtest.h>

#include "platform/ui/wide.h"

namespace trovex::ui {
namespace {

TEST(UiWide, JapaneseTextSurvivesTheRoundTrip) {
  const std::string text = "表ソ能ｶﾞ①～β";  // trail bytes 0x5C, half-width kana, NEC and Greek
  EXPECT_EQ(Widen(text), L"表ソ能ｶﾞ①～β");
  EXPECT_EQ(Narrow(Widen(text)), text);
}

TEST(UiWide, InvalidBytesShowAsReplacementAndUnmappableCharactersAsQuestionMarks) {
  // A lead byte without a valid trail byte, in the middle and at the end.
  EXPECT_EQ(Widen("A\x81 B"), L"A\xFFFD B");
  EXPECT_EQ(Widen("表\x88"), L"表\xFFFD");
  EXPECT_EQ(Narrow(L"a\u00E9b\u4E02"), "a?b?");  // é and a CJK ideograph outside CP932
}

}  // namespace
}  // namespace trovex::ui
