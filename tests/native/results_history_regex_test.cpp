// A result found by a pattern is saved with the header key "regex=1" beside the
// designed four bits, and reopens as a pattern even with the option panel closed.
#include <gtest/gtest.h>

#include "hit_lines.h"
#include "results/history_file.h"

using namespace trovex;
using namespace trovex::results;

TEST(HistoryRegex, ThePatternModeIsItsOwnHeaderKeyAndComesBack) {
  search::SearchOptions options;
  options.distinguishWidthAndKana = false;
  options.regex = true;
  EXPECT_EQ(HistoryOptionBits(options), 0);  // the panel is closed: no pattern
  options.optionsOpen = true;
  options.caseSensitive = true;
  const int bits = HistoryOptionBits(options);
  EXPECT_EQ(bits, kHistoryCaseSensitive | kHistoryRegex);

  HistoryContent content{"No\\.\\d+", {HitOfLine("/a/b.txt=3")}, {"No\\.\\d+"}, bits};
  const std::string text = HistoryFileText(content, PathStyle::Posix);
  EXPECT_NE(text.find("frg=1\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("regex=1\r\n"), std::string::npos) << text;
  const HistoryContent back = ParseHistoryText(text, PathStyle::Posix);
  EXPECT_EQ(back.optionBits, bits);
  EXPECT_EQ(HitLines(back.hits), HitLines(content.hits));

  // Reopened with the panel closed, the name is parsed as a pattern.
  const search::SearchOptions loaded = OptionsForLoadedHistory(search::SearchOptions{}, bits);
  EXPECT_TRUE(search::SearchesByRegex(loaded));
  EXPECT_TRUE(loaded.caseSensitive);

  // A file without the key, or with another value, holds texts.
  content.optionBits = kHistoryCaseSensitive;
  EXPECT_EQ(HistoryFileText(content, PathStyle::Posix).find("regex="), std::string::npos);
  std::string other = text;
  other.replace(other.find("regex=1"), 7, "regex=0");
  EXPECT_EQ(ParseHistoryText(other, PathStyle::Posix).optionBits, kHistoryCaseSensitive);
  EXPECT_FALSE(search::SearchesByRegex(OptionsForLoadedHistory({}, kHistoryCaseSensitive)));
}
