#include <gtest/gtest.h>

#include <string>

#include "search/content_matcher.h"

using namespace trovex::search;

namespace {

MatchOptions Text(bool caseSensitive = false, bool skip = false) {
  MatchOptions options;
  options.caseSensitive = caseSensitive;
  options.foldedCaseSensitive = caseSensitive;
  options.skipLineBreaks = skip;
  return options;
}

std::optional<std::size_t> At(std::string_view buffer, std::string_view pattern,
                              const MatchOptions& options, bool wide = false) {
  return MatchAt(buffer, 0, pattern, wide, options);
}

std::optional<std::size_t> Folded(std::string_view buffer, std::string_view form,
                                  const MatchOptions& options) {
  return MatchFoldedAt(buffer, 0, form, false, options);
}

}  // namespace

TEST(MatchAt, EmptyPatternMatchesWithLengthZero) { EXPECT_EQ(At("x", "", Text()), 0u); }

TEST(MatchAt, CaseFoldingFollowsTheOption) {
  for (const char* file : {"ab", "AB", "Ab", "aB"}) EXPECT_EQ(At(file, "ab", Text()), 2u) << file;
  EXPECT_EQ(At("ab", "ab", Text(true)), 2u);
  for (const char* file : {"AB", "Ab", "aB"}) EXPECT_FALSE(At(file, "ab", Text(true))) << file;
  // Folding is byte by byte and touches only A-Z: "@" and "`" stay apart.
  EXPECT_FALSE(At("`", "@", Text()));
  MatchOptions numbers = Text();
  numbers.mode = SearchMode::Numbers;
  EXPECT_FALSE(At("AB", "ab", numbers));
}

TEST(MatchAt, SkipsOneCrLfBeforeEachByteButTheFirst) {
  const MatchOptions skip = Text(false, true);
  EXPECT_EQ(At("a\r\nb", "ab", skip), 4u);
  EXPECT_EQ(At("a\r\nb\r\nc", "abc", skip), 7u);
  EXPECT_FALSE(At("a\nb", "ab", skip));
  EXPECT_FALSE(At("a\rb", "ab", skip));
  EXPECT_FALSE(At("a\r\n\r\nb", "ab", skip));
  EXPECT_FALSE(At("\r\nab", "ab", skip));
  EXPECT_FALSE(At("a\r\nb", "ab", Text()));
  MatchOptions numbers = skip;
  numbers.mode = SearchMode::Numbers;
  EXPECT_FALSE(At("a\r\nb", "ab", numbers));
  // Wide text: a paragraph mark is CR 0.
  const std::string wideFile("a\0\r\0b\0", 6);
  EXPECT_EQ(At(wideFile, std::string("a\0b\0", 4), skip, true), 6u);
  EXPECT_FALSE(At(std::string("a\0\r\nb\0", 6), std::string("a\0b\0", 4), skip, true));
}

TEST(MatchAt, BytesPastTheBufferNeverMatch) {
  EXPECT_FALSE(At("ab", "abc", Text()));
  EXPECT_FALSE(At(std::string("a\0", 2), std::string("a\0\0", 3), Text()));
  EXPECT_FALSE(MatchAt("abc", 3, "c", false, Text()));
  // A CR at the very end is compared as itself, not skipped.
  EXPECT_EQ(At("a\r", "a\r", Text(false, true)), 2u);
}

TEST(MatchFoldedAt, LettersMatchInEveryWidthAndCase) {
  const MatchOptions options = Text();
  const std::string form = "ａｂｃ";
  EXPECT_EQ(Folded("ａｂｃ", form, options), 6u);
  EXPECT_EQ(Folded("ＡＢＣ", form, options), 6u);
  EXPECT_EQ(Folded("ａBｃ", form, options), 5u);
  EXPECT_EQ(Folded("abc", form, options), 3u);
  EXPECT_EQ(Folded("AbC", form, options), 3u);
  EXPECT_EQ(Folded("１２", "１２", options), 4u);
  EXPECT_EQ(Folded("12", "１２", options), 2u);
  EXPECT_FALSE(Folded("abd", form, options));
}

TEST(MatchFoldedAt, CaseSensitiveAcceptsOnlyTheFormItself) {
  const MatchOptions options = Text(true);
  // Typed "ABC": MatchAt handles "ABC", the form "ＡＢＣ" the full-width text.
  EXPECT_EQ(Folded("ＡＢＣ", "ＡＢＣ", options), 6u);
  for (const char* file : {"abc", "ａｂｃ", "ＡBＣ", "ABC"})
    EXPECT_FALSE(Folded(file, "ＡＢＣ", options)) << file;
  EXPECT_FALSE(MatchAt("abc", 0, "ABC", false, options));
}

TEST(MatchFoldedAt, FullWidthSymbolsMatchTheirHalfWidthForms) {
  const MatchOptions options = Text();
  EXPECT_EQ(Folded(" ", "　", options), 1u);
  EXPECT_EQ(Folded(",", "，", options), 1u);
  EXPECT_EQ(Folded("(a)", "（ａ）", options), 3u);
  EXPECT_EQ(Folded("\xA2", "「", options), 1u);
  EXPECT_FALSE(Folded("x", "　", options));
  // A form that ends in the middle of a character never matches one byte.
  EXPECT_FALSE(Folded("a", "\x82", options));
}

TEST(MatchFoldedAt, SkipsLineBreaksAndCountsTheFileBytes) {
  const MatchOptions options = Text(false, true);
  EXPECT_EQ(Folded("a\r\nｂ", "ａｂ", options), 5u);
  EXPECT_FALSE(Folded("\r\nab", "ａｂ", options));
}
