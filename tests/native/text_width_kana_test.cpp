#include <gtest/gtest.h>

#include "platform/text/width_kana.h"

using namespace trovex::text;

namespace {

std::string Map(std::string_view text, WidthKana kind) {
  std::optional<std::string> mapped = MapWidthKanaCp932(text, kind);
  return mapped ? *mapped : "<invalid>";
}

}  // namespace

TEST(WidthKana, WorkedExamples) {
  EXPECT_EQ(Map("がａカabc", WidthKana::HalfWidthKatakana), "ｶﾞaｶabc");
  EXPECT_EQ(Map("がａカabc", WidthKana::FullWidthKatakana), "ガａカａｂｃ");
  EXPECT_EQ(Map("カタカナ", WidthKana::Hiragana), "かたかな");
  EXPECT_EQ(Map("ひらがな", WidthKana::Katakana), "ヒラガナ");
  EXPECT_EQ(MapWidthKanaUtf16(u"がａカabc", WidthKana::HalfWidthKatakana), u"ｶﾞaｶabc");
  EXPECT_EQ(MapWidthKanaUtf16(u"ｶﾞaｶabc", WidthKana::FullWidthKatakana), u"ガａカａｂｃ");
}

TEST(WidthKana, VoicedKanaSplitAndCompose) {
  EXPECT_EQ(Map("ガパヴぶぷ", WidthKana::HalfWidthKatakana), "ｶﾞﾊﾟｳﾞﾌﾞﾌﾟ");
  EXPECT_EQ(Map("ｶﾞﾊﾟｳﾞﾌﾞﾌﾟ", WidthKana::FullWidthKatakana), "ガパヴブプ");
  // A mark that does not follow a kana it can voice stays a separate full-width mark.
  EXPECT_EQ(Map("ｱﾞﾟ", WidthKana::FullWidthKatakana), "ア゛゜");
  EXPECT_EQ(Map("ﾞｶ", WidthKana::FullWidthKatakana), "゛カ");
  EXPECT_EQ(MapWidthKanaUtf16(u"ﾊﾟ", WidthKana::FullWidthKatakana), u"パ");
  EXPECT_EQ(MapWidthKanaUtf16(u"ﾊ", WidthKana::FullWidthKatakana), u"ハ");  // mark missing at the end
}

TEST(WidthKana, SymbolsAndCornerBrackets) {
  EXPECT_EQ(Map("　，（）「」。、・ー", WidthKana::HalfWidthKatakana), " ,()｢｣｡､･ｰ");
  EXPECT_EQ(Map(" ,()｢｣｡､･ｰ", WidthKana::FullWidthKatakana), "　，（）「」。、・ー");
  EXPECT_EQ(Map("ＡＺａｚ０９！？", WidthKana::HalfWidthKatakana), "AZaz09!?");
}

TEST(WidthKana, TrailBytesAreNeverMappedAlone) {
  // ソ is 83 5C and ア is 83 41: their trail bytes look like "\" and "A".
  EXPECT_EQ(Map("ソア", WidthKana::FullWidthKatakana), "ソア");
  EXPECT_EQ(Map("ソア", WidthKana::HalfWidthKatakana), "ｿｱ");
  EXPECT_EQ(Map("表", WidthKana::HalfWidthKatakana), "表");
}

TEST(WidthKana, UnencodableResultsKeepTheirBytes) {
  // ￥ becomes U+00A5 in half width, which CP932 does not have.
  EXPECT_EQ(Map("￥", WidthKana::HalfWidthKatakana), "￥");
  EXPECT_EQ(MapWidthKanaUtf16(u"￥", WidthKana::HalfWidthKatakana), u"\u00A5");
  // ヰﾞ composes to ヸ, which CP932 does not have: both characters stay.
  EXPECT_EQ(Map("ヰﾞ", WidthKana::FullWidthKatakana), "ヰ゛");
}

TEST(WidthKana, InvalidTextIsRefused) {
  for (WidthKana kind : {WidthKana::FullWidthKatakana, WidthKana::HalfWidthKatakana,
                         WidthKana::Hiragana, WidthKana::Katakana}) {
    EXPECT_EQ(MapWidthKanaCp932("abc\x81", kind), std::nullopt);
    EXPECT_EQ(MapWidthKanaCp932("\x85\x40", kind), std::nullopt);
    EXPECT_EQ(MapWidthKanaCp932("", kind), "");
  }
}

// Half width followed by full width gives back the full-width katakana of every
// kana, voiced or not.
TEST(WidthKana, HalfAndFullWidthRoundTripKatakana) {
  std::u16string katakana;
  for (char16_t u = u'ァ'; u <= u'ヶ'; ++u) katakana.push_back(u);
  std::u16string half = MapWidthKanaUtf16(katakana, WidthKana::HalfWidthKatakana);
  std::u16string back = MapWidthKanaUtf16(half, WidthKana::FullWidthKatakana);
  // ヮヰヱヵヶ have no half-width form; ヸ-like compositions do not arise.
  EXPECT_EQ(back, katakana);
  EXPECT_EQ(MapWidthKanaUtf16(MapWidthKanaUtf16(katakana, WidthKana::Hiragana), WidthKana::Katakana),
            katakana);
}
