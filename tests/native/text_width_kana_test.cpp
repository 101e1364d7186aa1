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
  // A mark that does not follow a kana it can voice becomes the combining mark,
  // which CP932 cannot hold: in CP932 it keeps its bytes.
  EXPECT_EQ(MapWidthKanaUtf16(u"ｱﾞﾟ", WidthKana::FullWidthKatakana), u"ア\u3099\u309A");
  EXPECT_EQ(Map("ｱﾞﾟ", WidthKana::FullWidthKatakana), "アﾞﾟ");
  EXPECT_EQ(Map("ﾞｶ", WidthKana::FullWidthKatakana), "ﾞカ");
  EXPECT_EQ(MapWidthKanaUtf16(u"ﾊﾟ", WidthKana::FullWidthKatakana), u"パ");
  EXPECT_EQ(MapWidthKanaUtf16(u"ﾊ", WidthKana::FullWidthKatakana),
            u"ハ");  // mark missing at the end
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

TEST(WidthKana, ResultsWithoutExactCp932Form) {
  // ￥ and ￤ become U+00A5 and U+00A6 in half width; CP932 writes them by best fit.
  EXPECT_EQ(MapWidthKanaUtf16(u"￥￤￣", WidthKana::HalfWidthKatakana), u"\u00A5\u00A6\u00AF");
  EXPECT_EQ(Map("￥100￤", WidthKana::HalfWidthKatakana), "\\100|");
  EXPECT_EQ(Map("￣￠", WidthKana::HalfWidthKatakana), "￣￠");
  // ヰﾞ composes to ヸ, which CP932 lacks: each is mapped alone, and the mark,
  // having no CP932 form as a combining mark, keeps its byte.
  EXPECT_EQ(MapWidthKanaUtf16(u"ヰﾞ", WidthKana::FullWidthKatakana), u"\u30F8");
  EXPECT_EQ(Map("ヰﾞ", WidthKana::FullWidthKatakana), "ヰﾞ");
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
  EXPECT_EQ(
      MapWidthKanaUtf16(MapWidthKanaUtf16(katakana, WidthKana::Hiragana), WidthKana::Katakana),
      katakana);
}
