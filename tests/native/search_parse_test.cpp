#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/number_entries.h"
#include "search/parse_search_content.h"

using namespace trovex::search;

namespace {

struct Parsed {
  bool ok = false;
  SearchQuery query;
  std::vector<std::string> messages;
};

Parsed Parse(std::string_view text, SearchOptions inputs = {}) {
  Parsed result;
  result.ok = ParseSearchContent(
      text, inputs, [&](const std::string& message) { result.messages.push_back(message); },
      result.query);
  return result;
}

SearchOptions CommaIsContent() {
  SearchOptions inputs;
  inputs.optionsOpen = true;
  inputs.commaIsContent = true;
  return inputs;
}

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

std::string InvalidMessage(const std::string& entry) {
  return "[" + entry + "]\n不正な値が入力されています。";
}

void ExpectNumbers(const Parsed& parsed, const std::string& bytes) {
  EXPECT_TRUE(parsed.ok);
  EXPECT_TRUE(parsed.messages.empty());
  EXPECT_EQ(parsed.query.mode, SearchMode::Numbers);
  EXPECT_EQ(parsed.query.pattern, bytes);
  EXPECT_EQ(parsed.query.patternLength, static_cast<int>(bytes.size()));
  EXPECT_FALSE(parsed.query.widePattern.has_value());
}

void ExpectText(const Parsed& parsed, const std::string& bytes) {
  EXPECT_TRUE(parsed.ok);
  EXPECT_TRUE(parsed.messages.empty());
  EXPECT_EQ(parsed.query.mode, SearchMode::Text);
  EXPECT_EQ(parsed.query.pattern, bytes);
  EXPECT_EQ(parsed.query.patternLength, static_cast<int>(bytes.size()));
}

}  // namespace

TEST(ParseSearchContent, CommaMakesAByteList) {
  ExpectNumbers(Parse(",100,38,0xF5"), Bytes({0x64, 0x26, 0xF5}));
  ExpectNumbers(Parse("100,38"), Bytes({0x64, 0x26}));
  ExpectNumbers(Parse(",100"), Bytes({0x64}));
  ExpectNumbers(Parse(",100,"), Bytes({0x64}));
  ExpectNumbers(Parse("100,"), Bytes({0x64}));
  ExpectNumbers(Parse(", 100"), Bytes({0x64}));
  ExpectNumbers(Parse(",-1"), Bytes({0xFF}));
  ExpectNumbers(Parse(",$FF,xFF,0XFF"), Bytes({0xFF, 0xFF, 0xFF}));
  ExpectNumbers(Parse(",0,0"), Bytes({0x00, 0x00}));  // zero bytes stay in the pattern
  // With the option panel closed the comma rule has no say.
  SearchOptions closedPanel;
  closedPanel.commaIsContent = true;
  ExpectNumbers(Parse(",1", closedPanel), Bytes({0x01}));
}

TEST(ParseSearchContent, ValuesOf256AndMoreGiveTwoBytes) {
  ExpectNumbers(Parse(",0x1234"), Bytes({0x34, 0x12}));
  ExpectNumbers(Parse(",256"), Bytes({0x00, 0x01}));
  ExpectNumbers(Parse(",65536"), Bytes({0x00, 0x01}));
  ExpectNumbers(Parse(",0x123456"), Bytes({0x56, 0x12}));
  ExpectNumbers(Parse(",0x12345678"), Bytes({0x78, 0x12}));
  ExpectNumbers(Parse(",0xFFFFFFFF"), Bytes({0xFF}));
  EXPECT_EQ(ExpandWideValues({"1", "0x1234", "bad"}),
            (std::vector<std::string>{"1", "52", "18", "bad"}));
}

TEST(ParseSearchContent, FirstInvalidEntryIsReported) {
  Parsed empty = Parse(",1,,2");
  EXPECT_FALSE(empty.ok);
  EXPECT_EQ(empty.messages, std::vector<std::string>{InvalidMessage("")});
  EXPECT_FALSE(empty.query.complete);

  Parsed space = Parse(",100 ,2");
  EXPECT_FALSE(space.ok);
  EXPECT_EQ(space.messages, std::vector<std::string>{InvalidMessage("100 ")});

  Parsed several = Parse(",1,zz,-3000000000,7");
  EXPECT_EQ(several.messages, std::vector<std::string>{InvalidMessage("zz")});
  EXPECT_EQ(several.query.pattern, Bytes({0x01}));
  EXPECT_EQ(several.query.patternLength, 1);
  EXPECT_EQ(several.query.displayText, ",1,zz,-3000000000,7");
}

TEST(ParseSearchContent, PlainTextAndCommaAsContent) {
  Parsed hundred = Parse("100");
  ExpectText(hundred, "100");
  EXPECT_EQ(hundred.query.widePattern, std::string("1\0"
                                                   "0\0"
                                                   "0\0",
                                                   6));
  EXPECT_EQ(hundred.query.wideLength, 6);
  EXPECT_TRUE(hundred.query.allAlphanumeric);
  EXPECT_FALSE(hundred.query.folded);
  EXPECT_TRUE(hundred.query.hiraganaForm.empty());

  ExpectText(Parse("a,b", CommaIsContent()), "a,b");
  ExpectText(Parse(",100", CommaIsContent()), ",100");
}

TEST(ParseSearchContent, AllAlphanumericOnlyForAsciiLettersAndDigits) {
  EXPECT_TRUE(Parse("abcXYZ09").query.allAlphanumeric);
  EXPECT_FALSE(Parse("a b").query.allAlphanumeric);
  EXPECT_FALSE(Parse("a_b").query.allAlphanumeric);
  EXPECT_FALSE(Parse("検索").query.allAlphanumeric);
  EXPECT_FALSE(Parse("ａ").query.allAlphanumeric);
}

TEST(ParseSearchContent, Utf16ConvertsTheTextToAByteList) {
  SearchOptions utf16;
  utf16.searchUtf16 = true;
  ExpectNumbers(Parse("ab", utf16), Bytes({0x61, 0x00, 0x62, 0x00}));
  ExpectNumbers(Parse("あ", utf16), Bytes({0x42, 0x30}));
  // A list the user wrote stays a list.
  ExpectNumbers(Parse(",1,2", utf16), Bytes({0x01, 0x02}));

  SearchOptions utf16Comma = CommaIsContent();
  utf16Comma.searchUtf16 = true;
  ExpectNumbers(Parse("a,b", utf16Comma), Bytes({0x61, 0x00, 0x2C, 0x00, 0x62, 0x00}));

  // A text with no UTF-16 form is refused rather than searched as an empty list.
  const std::string invalid("a\x81", 2);
  Parsed refused = Parse(invalid, utf16);
  EXPECT_FALSE(refused.ok);
  EXPECT_EQ(refused.messages, std::vector<std::string>{InvalidMessage(invalid)});
  EXPECT_FALSE(refused.query.complete);
}

TEST(ParseSearchContent, EmptyContentKeepsThePreviousQuery) {
  SearchQuery query;
  std::vector<std::string> messages;
  const auto sink = [&](const std::string& message) { messages.push_back(message); };
  ASSERT_TRUE(ParseSearchContent(",1,2", {}, sink, query));
  EXPECT_FALSE(ParseSearchContent("", {}, sink, query));
  EXPECT_EQ(messages, std::vector<std::string>{"検索する内容が入力されていません。"});
  EXPECT_EQ(query.mode, SearchMode::Numbers);
  EXPECT_EQ(query.pattern, Bytes({0x01, 0x02}));
  EXPECT_EQ(query.displayText, ",1,2");

  // A name filter makes an empty content acceptable: it replaces the query.
  SearchOptions nameOnly;
  nameOnly.nameFilter = ".txt";
  EXPECT_TRUE(ParseSearchContent("", nameOnly, sink, query));
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(query.mode, SearchMode::Text);
  EXPECT_EQ(query.patternLength, 0);
  EXPECT_TRUE(query.allAlphanumeric);
  EXPECT_TRUE(query.complete);
}

TEST(ParseSearchContent, ConversionSourceIsShownInsteadOfTheList) {
  SearchOptions converted;
  converted.conversionSource = "検索";
  Parsed parsed = Parse(",0x8C,0x9F", converted);
  ExpectNumbers(parsed, Bytes({0x8C, 0x9F}));
  EXPECT_EQ(parsed.query.displayText, "検索");
}

TEST(ParseSearchContent, FoldingBuildsHalfAndFullWidthForms) {
  SearchOptions folding;
  folding.optionsOpen = true;
  folding.distinguishWidthAndKana = false;

  Parsed mixed = Parse("ABが", folding);
  ExpectText(mixed, "abｶﾞ");
  EXPECT_TRUE(mixed.query.folded);
  EXPECT_EQ(mixed.query.hiraganaForm, "ａｂが");
  EXPECT_EQ(mixed.query.katakanaForm, "ａｂガ");
  EXPECT_EQ(mixed.query.formLength, 6);
  EXPECT_EQ(mixed.query.widePattern, std::string("a\0b\0\x76\xFF\x9E\xFF", 8));
  EXPECT_EQ(mixed.query.wideLength, 8);
  EXPECT_EQ(mixed.query.wideHiraganaForm, std::string("\x41\xFF\x42\xFF\x4C\x30", 6));
  EXPECT_EQ(mixed.query.wideKatakanaForm, std::string("\x41\xFF\x42\xFF\xAC\x30", 6));
  EXPECT_EQ(mixed.query.wideFormLength, 6);
  EXPECT_FALSE(mixed.query.allAlphanumeric);
  EXPECT_EQ(mixed.query.displayText, "ABが");

  // Full-width capitals: the forms are full-width, the pattern half-width.
  Parsed wide = Parse("ＡＢ", folding);
  ASSERT_TRUE(wide.ok);
  EXPECT_EQ(wide.query.patternLength, 2);
  EXPECT_TRUE(wide.query.pattern == "ab" || wide.query.pattern == "AB") << wide.query.pattern;
  EXPECT_EQ(wide.query.formLength, 4);
  EXPECT_EQ(wide.query.hiraganaForm, wide.query.katakanaForm);

  folding.caseSensitive = true;
  Parsed cased = Parse("Aa", folding);
  ExpectText(cased, "Aa");
  EXPECT_EQ(cased.query.katakanaForm, "Ａａ");
  EXPECT_TRUE(cased.query.allAlphanumeric);

  // Folding needs the option panel open.
  folding.optionsOpen = false;
  ExpectText(Parse("ABか", folding), "ABか");
}
