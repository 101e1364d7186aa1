// Searches by regular expression: the same patterns give the same character
// positions over Shift-JIS, UTF-8, UTF-16 and EUC-JP copies of a text, matches keep
// to one line whatever the pieces the text arrives in, bad patterns are reported,
// and a pathological pattern ends in bounded time.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/text/cp932.h"
#include "platform/text/euc_jp.h"
#include "platform/text/utf8.h"
#include "search/file_scan.h"
#include "search/parse_search_content.h"
#include "search/regex_file_scan.h"
#include "search/regex_lines.h"
#include "search/regex_pattern.h"
#include "temp_folder_test.h"

using namespace trovex;
using namespace trovex::search;

namespace {

std::string Encode(std::u16string_view text, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::ShiftJis:
      return text::EncodeCp932(text);
    case TextEncoding::Utf8:
      return text::Utf16ToUtf8(text);
    case TextEncoding::EucJp: {
      std::string euc;
      EXPECT_TRUE(text::Cp932ToEucJp(text::EncodeCp932(text), euc));
      return euc;
    }
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be: {
      std::string bytes;
      for (char16_t unit : text) {
        const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
        bytes +=
            encoding == TextEncoding::Utf16Le ? std::string{low, high} : std::string{high, low};
      }
      return bytes;
    }
  }
  return {};
}

// Characters (UTF-16 units) in the first `bytes` bytes of `text` in `encoding`.
std::size_t CharsIn(std::u16string_view text, TextEncoding encoding, std::uint64_t bytes) {
  for (std::size_t n = 0; n <= text.size(); ++n)
    if (Encode(text.substr(0, n), encoding).size() == bytes) return n;
  ADD_FAILURE() << "offset " << bytes << " is inside a character";
  return text.size() + 1;
}

std::shared_ptr<const RegexSet> Compile(const std::string& pattern, EncodingSet encodings,
                                        bool caseSensitive = false, bool fold = false) {
  std::string error;
  auto set = CompileRegexSet(pattern, encodings, caseSensitive, fold, error);
  EXPECT_TRUE(set) << error;
  return set;
}

// The hit of `set` in `bytes` fed in pieces of `piece` bytes.
std::optional<RegexHit> Scan(const RegexSet& set, EncodingSet encodings, std::string_view bytes,
                             std::size_t piece) {
  RegexLineScanner scanner(set, encodings);
  for (std::size_t at = 0; at < bytes.size(); at += piece)
    if (auto hit = scanner.Feed(bytes.substr(at, piece))) return hit;
  return scanner.Finish();
}

struct Case {
  const char* pattern;  // CP932, as typed
  std::u16string text;
  int start;  // in characters; -1: no match
  int length;
  bool caseSensitive = false;
  bool fold = false;
};

TEST(RegexEncodings, SamePatternsGiveSameCharacterPositionsInEveryEncoding) {
  const std::vector<Case> cases = {
      // `.` is one whole character, never half of one.
      {".", u"日本", 0, 1},
      {"本.", u"日本語です", 1, 2},
      {"語$", u"日本語\r\n次", 2, 1},
      // A class of katakana.
      {"[ア-ン]+", u"あいウエオか", 2, 3},
      // \d is an ASCII digit in every encoding: full-width digits are not.
      {"\\d+", u"番号１２３と456", 6, 3},
      {"No\\.\\d+", u"見積書 No.1234 です", 4, 7},
      // Characters whose Shift-JIS trail byte is 0x5C (表, ソ): in the pattern they
      // are characters, and a backslash in the pattern never matches their trail.
      {"表示", u"予定表示", 2, 2},
      {"ソ+", u"ソソフト", 0, 2},
      {"\\\\", u"表ソ\\x", 2, 1},
      {"[表]", u"予定表", 2, 1},
      // Letter case follows the option.
      {"abc", u"xABCx", 1, 3},
      {"abc", u"xABCx", -1, 0, true},
      // A match keeps to one line: the line break is not part of any line.
      {"a.*z", u"a\nz", -1, 0},
      {"a\\sz", u"a\nz", -1, 0},
      {"^b", u"a\nb", 2, 1},
      {"c$", u"abc\r\nx", 2, 1},
      {"x[^y]*", u"abx\r\nq", 2, 1},
      // Width and kana folding widens the literal characters of the pattern only.
      {"ｱｲ", u"あい", 0, 2, false, true},
      {"ｱ{2}", u"アあ", 0, 2, false, true},
      {"[ｱ]", u"ア", -1, 0, false, true},
      {"Ｎｏ\\.\\d", u"見積 no.5", 3, 4, false, true},
      {"ｎｏ", u"見積 NO", -1, 0, true, true},
      {"(?<n>ア)\\k<n>", u"アア", 0, 2, false, true},
  };
  for (const Case& c : cases) {
    for (TextEncoding encoding : kAllTextEncodings) {
      const EncodingSet only = EncodingSet::Only(encoding);
      const auto set = Compile(c.pattern, only, c.caseSensitive, c.fold);
      if (!set) continue;
      const std::string bytes = Encode(c.text, encoding);
      for (std::size_t piece : {std::size_t{1}, std::size_t{3}, bytes.size() + 1}) {
        SCOPED_TRACE(std::string(c.pattern) + " in " + std::string(EncodingName(encoding)) +
                     ", pieces of " + std::to_string(piece));
        const auto hit = Scan(*set, only, bytes, piece);
        if (c.start < 0) {
          EXPECT_FALSE(hit) << "at byte " << hit->offset;
          continue;
        }
        ASSERT_TRUE(hit);
        EXPECT_EQ(CharsIn(c.text, encoding, hit->offset), static_cast<std::size_t>(c.start));
        EXPECT_EQ(CharsIn(c.text, encoding, hit->offset + hit->length),
                  static_cast<std::size_t>(c.start + c.length));
        EXPECT_EQ(hit->encoding, encoding);
      }
    }
  }
}

TEST(RegexEncodings, TheEarliestMatchInAnyEncodingIsTheHit) {
  const auto set = Compile("[ア-ン]", EncodingSet::All());
  // An EUC-JP katakana after an ASCII line, then a Shift-JIS one.
  const std::string bytes =
      "abc\n" + Encode(u"xウ\n", TextEncoding::EucJp) + Encode(u"ア\n", TextEncoding::ShiftJis);
  const auto hit = Scan(*set, EncodingSet::All(), bytes, 2);
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->offset, 5u);
  EXPECT_EQ(hit->encoding, TextEncoding::EucJp);
  // Another encoding's characters are not read as halves of this one's: 日 in UTF-8
  // ends with the byte of an EUC-JP katakana row.
  EXPECT_FALSE(
      Scan(*set, EncodingSet::Only(TextEncoding::EucJp), Encode(u"日付", TextEncoding::Utf8), 4));
}

TEST(RegexLines, ALineLongerThanTheBoundIsCutThere) {
  const auto set = Compile("ab", EncodingSet::Only(TextEncoding::ShiftJis));
  const std::size_t bound = RegexLineScanner::kLineBound;
  std::string bytes(bound * 2 + 100, 'x');
  bytes.replace(bound + 50, 2, "ab");
  const auto hit = Scan(*set, EncodingSet::Only(TextEncoding::ShiftJis), bytes, 64 << 10);
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->offset, bound + 50);
  // A match across the cut is in no line.
  bytes.assign(bound + 100, 'x');
  bytes.replace(bound - 1, 2, "ab");
  EXPECT_FALSE(Scan(*set, EncodingSet::Only(TextEncoding::ShiftJis), bytes, 64 << 10));
}

// A pattern that backtracks a little in each of many short lines: the limits hold
// for each line, so the block they arrive in is searched line by line and the match
// in the last line is found.
TEST(RegexLines, ManyLinesOfSmallBacktrackingDoNotExhaustTheLimits) {
  std::string bytes;
  for (int i = 0; i < 2000; ++i) bytes += std::string(50, 'a') + "," + std::string(49, 'b') + "\n";
  bytes += "zz, foo\n";
  const std::pair<const char*, std::size_t> cases[] = {{"(a|b)*,.*foo", bytes.size() - 6},
                                                       {"(.*?,){1}\\s*foo", bytes.size() - 8}};
  for (const auto& [pattern, offset] : cases) {
    const auto set = Compile(pattern, EncodingSet::Only(TextEncoding::ShiftJis));
    for (std::size_t piece : {std::size_t{64} << 10, bytes.size()}) {
      const auto hit = Scan(*set, EncodingSet::Only(TextEncoding::ShiftJis), bytes, piece);
      ASSERT_TRUE(hit) << pattern;
      EXPECT_EQ(hit->offset, offset) << pattern;
    }
  }
}

TEST(RegexLines, APathologicalPatternEndsInBoundedTimeWithNoHit) {
  const auto set = Compile("(.*?,){13}z", EncodingSet::All());
  std::string line;
  while (line.size() < (1u << 20)) line += "abcdefgh,";
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += line + "\n";
  const auto started = std::chrono::steady_clock::now();
  RegexLineScanner scanner(*set, EncodingSet::All());
  std::optional<RegexHit> hit;
  for (std::size_t at = 0; at < bytes.size() && !hit && !scanner.Done(); at += 512 << 10)
    hit = scanner.Feed(std::string_view(bytes).substr(at, 512 << 10));
  if (!hit && !scanner.Done()) hit = scanner.Finish();
  const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started);
  EXPECT_FALSE(hit);
  EXPECT_TRUE(scanner.Refused());
  EXPECT_LT(seconds.count(), 20.0);  // sanitized build; the release build takes well under 1 s
}

TEST(RegexParse, APatternIsCompiledOnlyWithThePanelOptionAndBadOnesAreReported) {
  SearchOptions options;
  options.regex = true;
  SearchQuery query;
  // With the panel closed the option does not count: the comma makes a byte list.
  ASSERT_TRUE(ParseSearchContent(",65,66", options, nullptr, query));
  EXPECT_FALSE(query.regex);
  EXPECT_EQ(query.mode, SearchMode::Numbers);

  options.optionsOpen = true;
  ASSERT_TRUE(ParseSearchContent("a,\\d", options, nullptr, query));
  ASSERT_TRUE(query.regex);
  EXPECT_EQ(query.mode, SearchMode::Text);
  EXPECT_EQ(query.displayText, "a,\\d");

  std::string message;
  EXPECT_FALSE(ParseSearchContent(
      "a(b", options, [&](const std::string& m) { message = m; }, query));
  EXPECT_EQ(message, RegexErrorMessage("a(b", "end pattern with unmatched parenthesis"));
  EXPECT_EQ(query.displayText, "a,\\d");  // the previous query stays in force
}

TEST(RegexLiteral, TheRequiredRunIsOnlyTextEveryMatchHolds) {
  const std::vector<std::pair<std::u16string, std::u16string>> cases = {
      {u"見積書 No\\.\\d+", u"見積書 No."},
      {u"abcd?ef", u"abc"},         // d is optional
      {u"ab+cd", u"ab"},            // b at least once; the run after it starts again
      {u"x(abcdef)?yz", u"yz"},     // nothing inside a group
      {u"abc|defgh", u""},          // alternatives
      {u"(foo|bar)bazz", u"bazz"},  // alternatives within a group leave the rest required
      {u"(?:a|b(c|d))xy|z", u""},
      {u"(?i)abc", u""},  // inline options
      {u"[abc]de\\wfg{0,2}", u"de"},
      {u"a\\\\b\\(c", u"a\\b(c"},  // escaped characters are literal
  };
  for (const auto& [pattern, run] : cases) EXPECT_EQ(RequiredLiteral(pattern), run);
}

class RegexFileTest : public trovex::testing::TempFolderTest {
 protected:
  std::optional<std::uint64_t> Find(const std::string& path, const std::string& pattern) {
    SearchOptions options;
    options.optionsOpen = true;
    options.regex = true;
    SearchQuery query;
    EXPECT_TRUE(ParseSearchContent(pattern, options, nullptr, query));
    return SearchFile(path, query, MatchOptionsFor(options, query.mode), state_, cancel_);
  }
  ScanState state_;
  std::atomic<bool> cancel_{false};
};

TEST_F(RegexFileTest, FilesAreSearchedInTheEncodingsTheirStartAllows) {
  // A byte order mark: that encoding alone.
  const std::string marked =
      Write("marked.txt", "\xFF\xFE" + Encode(u"番号 No.42\r\n", TextEncoding::Utf16Le));
  EXPECT_EQ(Find(marked, "No\\.\\d+"), 2u + 3 * 2);
  // Text without zero bytes is not searched as UTF-16, where "B0" would be あ; text
  // with them is.
  const std::string ascii = Write("ascii.txt", "14\nB0\n");
  EXPECT_FALSE(Find(ascii, "あ"));
  EXPECT_EQ(Find(ascii, "B\\d"), 3u);
  EXPECT_EQ(Find(Write("zero.bin", std::string("1\nB0\0\0", 6)), "あ"), 2u);
  // A search refused by the limits, or cancelled, is no hit.
  std::string commas;
  while (commas.size() < (1u << 20)) commas += "abcdefgh,";
  const std::string slow = Write("slow.csv", commas + "\nz\n");
  EXPECT_FALSE(Find(slow, "(.*?,){13}z"));
  cancel_ = true;
  EXPECT_FALSE(Find(ascii, "B\\d"));
}

// A row's snippet is decoded in the encoding the match was found in: told again
// from the bytes around the hit, the line's start before the window's too.
TEST(RegexEncodingAt, TellsTheEncodingOfTheMatchAtAPosition) {
  const auto set = Compile("検索\\S+", EncodingSet::All());
  ASSERT_TRUE(set);
  for (TextEncoding e : kAllTextEncodings) {
    const std::string prefix = Encode(u"メモ 1\n前の行 ", e);
    const std::string bytes = prefix + Encode(u"検索の記録\n", e);
    const std::string start = e == TextEncoding::Utf16Le   ? "\xFF\xFE" + bytes
                              : e == TextEncoding::Utf16Be ? "\xFE\xFF" + bytes
                                                           : bytes;
    const std::uint64_t at = start.size() - bytes.size() + prefix.size();
    EXPECT_EQ(RegexEncodingAt(*set, start, start, 0, at), e) << static_cast<int>(e);
    // A window that starts inside the line.
    EXPECT_EQ(RegexEncodingAt(*set, start, std::string_view(start).substr(at - 2), at - 2, at), e);
    EXPECT_FALSE(
        RegexEncodingAt(*set, start, start, 0,
                        at + (e == TextEncoding::Utf16Le || e == TextEncoding::Utf16Be ? 2 : 1)));
  }
  EXPECT_FALSE(RegexEncodingAt(*set, "", "abc", 10, 5));  // before the window
}

}  // namespace
