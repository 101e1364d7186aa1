// Splitting a hint into its tooltip part and its status-line part.
#include <gtest/gtest.h>

#include "platform/ui/hint_text.h"

namespace trovex::ui {
namespace {

TEST(HintText, SplitsAtTheFirstBar) {
  EXPECT_EQ(ShortHint("Error log|エラーログ"), "Error log");
  EXPECT_EQ(LongHint("Error log|エラーログ"), "エラーログ");
  EXPECT_EQ(ShortHint("a|b|c"), "a");
  EXPECT_EQ(LongHint("a|b|c"), "b|c");
  EXPECT_EQ(ShortHint("|long"), "");
  EXPECT_EQ(LongHint("short|"), "");
}

TEST(HintText, WithoutABarBothPartsAreTheWholeHint) {
  EXPECT_EQ(ShortHint("Start"), "Start");
  EXPECT_EQ(LongHint("Start"), "Start");
  EXPECT_EQ(LongHint(""), "");
}

TEST(HintText, ATrailByteThatLooksLikeABarIsNoSeparator) {
  // "ポ" is 0x83 0x7C in CP932: its second byte is the code of "|".
  ASSERT_EQ(std::string("ポ"), "\x83\x7C");
  EXPECT_EQ(LongHint("ポップアップ"), "ポップアップ");
  EXPECT_EQ(ShortHint("ポップ|表示"), "ポップ");
  EXPECT_EQ(LongHint("ポップ|表示"), "表示");
}

}  // namespace
}  // namespace trovex::ui
