// A typed text is found in its Shift-JIS, UTF-8, UTF-16LE, UTF-16BE and EUC-JP forms
// in one search, every hit on a character boundary of its encoding, and the row's
// snippet is decoded from the encoding of the hit.
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "platform/text/cp932.h"
#include "platform/text/euc_jp.h"
#include "results/hit_snippet.h"
#include "search/buffer_matcher.h"
#include "search/encoded_forms.h"
#include "search/file_scan.h"
#include "search/parse_search_content.h"
#include "search/run_search.h"
#include "walk_test_tree.h"

using namespace trovex;
using namespace trovex::search;

namespace {

std::string Utf16(std::u16string_view text, bool bigEndian) {
  std::string bytes;
  for (char16_t unit : text) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

std::string Utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

class EveryEncoding : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    tree_.File(name, bytes);
    return tree_.PathOf(name);
  }
  // Parses as the main window does with the option panel as given.
  SearchQuery Parse(const std::string& text, SearchOptions options = {}) {
    SearchQuery query;
    EXPECT_TRUE(ParseSearchContent(text, options, nullptr, query));
    options_ = options;
    return query;
  }
  std::optional<std::uint64_t> Find(const std::string& path, const SearchQuery& query) {
    return SearchFile(path, query, MatchOptionsFor(options_, query.mode), state_, cancel_);
  }
  std::string Snippet(const std::string& path, std::uint64_t offset, const SearchQuery& query) {
    return results::MakeSnippet(
        path, static_cast<std::int64_t>(offset),
        results::SnippetInputsFor(options_, query, trovex::results::BinaryDisplay::Hex));
  }

  // Searches the file, then spoils it: for a hit whose kept bytes give its snippet
  // (in both byte displays), the snippet is the one the file gave before. True when
  // they gave it.
  bool KeptSnippetIsTheFilesOne(const std::string& path, const SearchQuery& query) {
    const auto offset =
        SearchFile(path, query, MatchOptionsFor(options_, query.mode), state_, cancel_);
    EXPECT_TRUE(offset) << path;
    if (!offset) return false;
    const Hit hit{path, *offset, false, state_.found};
    std::vector<results::SnippetInputs> displays;
    std::vector<std::string> fromFile;
    for (const auto display : {results::BinaryDisplay::Hex, results::BinaryDisplay::Chars}) {
      displays.push_back(results::SnippetInputsFor(options_, query, display));
      fromFile.push_back(
          results::MakeSnippet(path, static_cast<std::int64_t>(*offset), displays.back()));
    }
    const auto size = std::filesystem::file_size(path);
    std::ofstream(path, std::ios::binary) << std::string(static_cast<std::size_t>(size), 'Z');
    bool served = true;
    for (std::size_t i = 0; i < displays.size(); ++i) {
      const auto kept = results::FoundSnippet(hit, displays[i]);
      served = served && kept.has_value();
      if (kept) {
        EXPECT_EQ(*kept, fromFile[i]) << path;
      }
    }
    return served;
  }

  trovex::testing::WalkTestTree tree_;
  SearchOptions options_;
  ScanState state_;
  std::atomic<bool> cancel_{false};
};

TEST_F(EveryEncoding, AJapaneseWordIsFoundInEachEncodingAndItsSnippetReadsBack) {
  const SearchQuery query = Parse("設定");
  struct Case {
    const char* name;
    std::string bytes;
    std::uint64_t offset;
  };
  std::string euc;
  ASSERT_TRUE(text::Cp932ToEucJp("環境の設定です", euc));
  const Case cases[] = {
      {"sjis.txt", std::string("環境の設定です"), 6},
      {"utf8.txt", Utf8(u8"環境の設定です"), 9},
      {"le.txt", Utf16(u"\xFEFF環境の設定です", false), 8},
      {"be.txt", Utf16(u"環境の設定です", true), 6},
      {"euc.txt", euc, 6},
  };
  for (const Case& c : cases) {
    const std::string path = Write(c.name, c.bytes);
    EXPECT_EQ(Find(path, query), c.offset) << c.name;
    EXPECT_EQ(Snippet(path, c.offset, query), "設定です") << c.name;
  }
  // Shift-JIS alone with the panel open: only the Shift-JIS file.
  SearchOptions only;
  only.optionsOpen = true;
  only.encodings = EncodingSet::Only(TextEncoding::ShiftJis);
  const SearchQuery sjis = Parse("設定", only);
  EXPECT_TRUE(Find(tree_.PathOf("sjis.txt"), sjis));
  EXPECT_FALSE(Find(tree_.PathOf("utf8.txt"), sjis));
  EXPECT_FALSE(Find(tree_.PathOf("euc.txt"), sjis));
  EXPECT_FALSE(Find(tree_.PathOf("le.txt"), sjis));
}

// A pattern's hit reads back in the encoding its match was found in, a .docx by
// its own bytes (a pattern does not look inside documents).
TEST_F(EveryEncoding, APatternsSnippetReadsBackInTheEncodingOfItsMatch) {
  SearchOptions options;
  options.optionsOpen = true;
  options.regex = true;
  const SearchQuery query = Parse("設定\\S", options);
  std::string euc;
  ASSERT_TRUE(text::Cp932ToEucJp("環境\n設定です", euc));
  const struct {
    const char* name;
    std::string bytes;
    std::uint64_t offset;
  } cases[] = {
      {"utf8.txt", Utf8(u8"環境\n設定です"), 7},
      {"le.txt", Utf16(u"\xFEFF環境\n設定です", false), 8},
      {"euc.txt", euc, 5},
  };
  for (const auto& c : cases) {
    const std::string path = Write(c.name, c.bytes);
    EXPECT_EQ(Find(path, query), c.offset) << c.name;
    EXPECT_EQ(Snippet(path, c.offset, query), "設定です") << c.name;
  }
  EXPECT_FALSE(
      results::SnippetInputsFor(options, query, trovex::results::BinaryDisplay::Hex).lookInside);
}

TEST_F(EveryEncoding, TheFirstHitInAnyFormIsTheFilesHit) {
  // The UTF-8 form comes first in the file, the Shift-JIS one later.
  const SearchQuery query = Parse("設定");
  const std::string path = Write("mixed.txt", "abc" + Utf8(u8"設定") + "xyz" + std::string("設定"));
  EXPECT_EQ(Find(path, query), 3u);
}

TEST_F(EveryEncoding, NoHitStartsInsideACharacter) {
  const SearchQuery query = Parse("エラー");
  // "トラー" is 83 67 83 89 81 5B: folding letter case of the trail byte 0x47 made it "エラー".
  EXPECT_FALSE(Find(Write("tora.txt", "トラー"), query));
  EXPECT_EQ(Find(Write("error.txt", "xエラー"), query), 1u);
  // "ア" is 83 41: "A" and "a" are not found in its second byte.
  EXPECT_FALSE(Find(Write("a.txt", "アアア"), Parse("A")));
  EXPECT_FALSE(Find(Write("a2.txt", "アアア"), Parse("a")));
  EXPECT_EQ(Find(Write("a3.txt", "アAア"), Parse("a")), 2u);
  // "表" is 95 5C: a backslash is not found in it, but beside it.
  EXPECT_FALSE(Find(Write("hyo.txt", "表表"), Parse("\\")));
  EXPECT_EQ(Find(Write("hyo2.txt", "表\\"), Parse("\\")), 2u);
  // A UTF-8 "A" after a whole character is found; after a lone byte it is not.
  EXPECT_EQ(Find(Write("u8.txt", Utf8(u8"設定A")), Parse("A")), 6u);
  // UTF-16: only at even offsets. "ア" in LE is A2 30; A2 30 at an odd offset is not it.
  EXPECT_FALSE(Find(Write("odd.bin", std::string("\x01\xA2\x30\x00", 4)), Parse("ア")));
  EXPECT_EQ(Find(Write("even.bin", std::string("\x01\x00\xA2\x30", 4)), Parse("ア")), 2u);
}

TEST_F(EveryEncoding, MatchingOptionsApplyInEveryEncoding) {
  // Letter case: ASCII folds in UTF-16 as well.
  EXPECT_EQ(Find(Write("case.txt", Utf16(u"xxDATA", false)), Parse("data")), 4u);
  SearchOptions exact;
  exact.optionsOpen = true;
  exact.caseSensitive = true;
  EXPECT_FALSE(Find(Write("case2.txt", Utf16(u"xxDATA", false)), Parse("data", exact)));
  // Skipped line breaks: CR LF in each encoding's own bytes.
  SearchOptions skip;
  skip.skipLineBreaks = true;
  const SearchQuery word = Parse("設定", skip);
  EXPECT_EQ(Find(Write("skip8.txt", Utf8(u8"設\r\n定")), word), 0u);
  EXPECT_EQ(Find(Write("skiple.txt", Utf16(u"設\r\n定", false)), word), 0u);
  EXPECT_EQ(Find(Write("skipbe.txt", Utf16(u"設\r\n定", true)), word), 0u);
  EXPECT_FALSE(Find(Write("noskip.txt", Utf16(u"設\n定", true)), word));
  // Width and kana folding: half-width katakana in UTF-8 (EF BD xx) and EUC-JP (8E xx),
  // hiragana, and full-width letters of either case.
  SearchOptions fold;
  fold.optionsOpen = true;
  fold.distinguishWidthAndKana = false;
  const SearchQuery kana = Parse("カナ", fold);
  EXPECT_EQ(Find(Write("half8.txt", "x" + Utf8(u8"ｶﾅ")), kana), 1u);
  EXPECT_EQ(Find(Write("hira8.txt", Utf8(u8"かな")), kana), 0u);
  EXPECT_EQ(Find(Write("halfeuc.txt", std::string("x\x8E\xB6\x8E\xC5")), kana), 1u);
  EXPECT_EQ(Find(Write("voiced.txt", Utf16(u"ｶﾞｲﾄﾞ", false)), Parse("ガイド", fold)), 0u);
  EXPECT_EQ(Find(Write("wide.txt", Utf8(u8"ＡＢＣ")), Parse("abc", fold)), 0u);
  EXPECT_FALSE(Find(Write("plainkana.txt", Utf8(u8"かな")), Parse("カナ")));
}

TEST_F(EveryEncoding, ACharacterAnEncodingCannotWriteLeavesThatFormOut) {
  // "①" (CP932 87 40, NEC row 13) has no EUC-JP form, but UTF-8 has one.
  const auto forms = BuildEncodedForms("①", EncodingSet::All(), false, false);
  ASSERT_EQ(forms.size(), 3u);
  EXPECT_EQ(forms[0].encoding, TextEncoding::Utf8);
  EXPECT_EQ(forms[1].encoding, TextEncoding::Utf16Le);
  EXPECT_EQ(forms[2].encoding, TextEncoding::Utf16Be);
  EXPECT_EQ(Find(Write("circled.txt", Utf8(u8"x①")), Parse("①")), 1u);
}

TEST_F(EveryEncoding, AFilesStartNarrowsTheEncodingsSearchedInIt) {
  const SearchQuery atai = Parse("値");  // UTF-16LE 24 50 is "$P"; CP932 92 6C
  // Lines of one-byte-based text (line feeds at both parities, no zero byte) are not
  // UTF-16; "$P" lies at an even offset, where a UTF-16 character may start.
  const std::string lines = "ls\ncd\n\necho   $PATH\n";
  EXPECT_FALSE(Find(Write("dollar.txt", lines), atai));
  EXPECT_EQ(Find(Write("dollar.bin", std::string(2, '\0') + lines), atai), 16u);
  EXPECT_EQ(Find(Write("oneline.txt", "echo  $PATH\n"), atai), 6u);  // one line: UTF-16 as well
  // A UTF-16 file's 0x0A bytes (上 is 0A 4E) keep to one parity: still searched in UTF-16.
  EXPECT_EQ(Find(Write("ue.txt", Utf16(u"上の上の値", false)), atai), 8u);
  // A search in UTF-16 alone still looks at the lines.
  SearchOptions utf16Only;
  utf16Only.optionsOpen = true;
  utf16Only.encodings = EncodingSet::Only(TextEncoding::Utf16Le);
  EXPECT_EQ(Find(tree_.PathOf("dollar.txt"), Parse("値", utf16Only)), 14u);
  EXPECT_EQ(Find(Write("sjislines.txt", "x\n\x92\x6C\n"), atai), 2u);
  // A byte order mark declares the encoding: "を水" in UTF-16BE is 30 92 6C 34, whose
  // middle bytes are the CP932 form; with the mark only the UTF-16BE form counts.
  const std::string woMizu = Utf16(u"を水", true);
  EXPECT_EQ(Find(Write("nomark.txt", woMizu), atai), 1u);
  EXPECT_FALSE(Find(Write("marked.txt", "\xFE\xFF" + woMizu), atai));
  const std::string markedBe = Write("markedbe.txt", "\xFE\xFF" + woMizu + Utf16(u"の値", true));
  EXPECT_EQ(Find(markedBe, atai), 8u);
  EXPECT_EQ(Snippet(markedBe, 8, atai), "値");
  EXPECT_FALSE(Find(Write("u8mark.txt", "\xEF\xBB\xBFx$P"), atai));
  EXPECT_EQ(Find(Write("u8nomark.txt", "\xEF\xBB\xBEx$P"), atai), 4u);
  EXPECT_EQ(Find(Write("u8mark2.txt", "\xEF\xBB\xBF" + Utf8(u8"値")), atai), 3u);
  // A marked file whose encoding is not searched is not searched at all.
  SearchOptions noUtf16;
  noUtf16.optionsOpen = true;
  noUtf16.encodings = EncodingSet::Only(TextEncoding::ShiftJis);
  noUtf16.encodings.Add(TextEncoding::Utf8);
  EXPECT_FALSE(Find(Write("lemark.txt", "\xFF\xFE\x92\x6C"), Parse("値", noUtf16)));
  EXPECT_EQ(Find(Write("lenomark.txt", "\x20\x20\x92\x6C"), Parse("値", noUtf16)), 2u);
}

TEST_F(EveryEncoding, AHitAcrossReadsKeepsItsBoundary) {
  // A hit that starts just after the first read, with a run of kanji before it.
  std::string bytes(512 * 1024 - 3, 'x');
  bytes += Utf8(u8"漢字設定");
  const std::string path = Write("big.txt", bytes);
  EXPECT_EQ(Find(path, Parse("設定")), 512u * 1024 - 3 + 6);
}

// A scan keeps the bytes at its hit, so that the hit's row shows its snippet
// without opening the file again: the snippet from those bytes is the snippet the
// file gives, in every encoding and display, and where the kept bytes cannot give
// it (RTF, documents, patterns) none is kept or used.
TEST_F(EveryEncoding, TheKeptBytesGiveTheSnippetTheFileGivesInEveryEncoding) {
  std::string euc;
  ASSERT_TRUE(text::Cp932ToEucJp("環境の設定です", euc));
  const std::string sentence = std::string("環境の設定です") + std::string(100, 'x');
  const std::vector<std::string> files = {
      Write("sjis.txt", sentence),
      Write("utf8.txt", Utf8(u8"環境の設定です")),
      Write("le.txt", Utf16(u"\xFEFF環境の設定です", false)),
      Write("be.txt", Utf16(u"環境の設定です", true)),
      Write("euc.txt", euc),
      Write("zero.txt", std::string("設定\0です", 9)),
      // The hit just after the first read, and one in the last bytes of a file.
      Write("big.txt", std::string(512 * 1024 - 3, 'x') + Utf8(u8"漢字設定") + "tail"),
      Write("last.txt", std::string(300, '.') + "設定"),
  };
  const SearchQuery query = Parse("設定");
  for (const std::string& path : files) EXPECT_TRUE(KeptSnippetIsTheFilesOne(path, query));

  // Shift-JIS alone, a byte list, and a text converted from UTF-8.
  SearchOptions only;
  only.optionsOpen = true;
  only.encodings = EncodingSet::Only(TextEncoding::ShiftJis);
  EXPECT_TRUE(KeptSnippetIsTheFilesOne(Write("sjis.txt", sentence), Parse("設定", only)));
  EXPECT_TRUE(KeptSnippetIsTheFilesOne(Write("bytes.bin", std::string("\x01\x02\xFF\x41xyz", 7)),
                                       Parse(",2,0xFF")));
  SearchOptions converted;
  converted.fromUtf8 = true;
  EXPECT_TRUE(KeptSnippetIsTheFilesOne(Write("utf8.txt", Utf8(u8"環境の設定です")),
                                       Parse("設定", converted)));
}

TEST_F(EveryEncoding, NoBytesServeWhereTheSnippetComesFromMoreThanTheFilesBytes) {
  const SearchQuery query = Parse("needle");
  // RTF offsets count in the reduced text: nothing is kept.
  EXPECT_FALSE(KeptSnippetIsTheFilesOne(Write("a.rtf", "{\\rtf1 \\b needle\\b0 here}"), query));
  // A pattern is found by its own scan, after the literal part's: not that hit's bytes.
  SearchOptions pattern;
  pattern.optionsOpen = true;
  pattern.regex = true;
  EXPECT_FALSE(
      KeptSnippetIsTheFilesOne(Write("p.txt", "a needle b needle7"), Parse("needle\\d", pattern)));
  // Bytes kept for another offset (a row searched again), or for a hit found with
  // another content (a rename, a loaded history), are not used.
  const SearchQuery plain = Parse("needle");
  const std::string path = Write("plain.txt", "..needle..needle");
  ASSERT_TRUE(KeptSnippetIsTheFilesOne(path, plain));
  Write("plain.txt", "..needle..needle");
  results::SnippetInputs inputs =
      results::SnippetInputsFor(options_, plain, results::BinaryDisplay::Hex);
  EXPECT_FALSE(results::FoundSnippet(Hit{path, 10, false, state_.found}, inputs));
  EXPECT_EQ(results::HitSnippet(Hit{path, 10, false, state_.found}, inputs), "needle");
  EXPECT_FALSE(results::FoundSnippet(Hit{path, 2, true, state_.found}, inputs));
  EXPECT_TRUE(results::FoundSnippet(Hit{path, 2, false, state_.found}, inputs));
  inputs.keptBytesServe = false;
  EXPECT_FALSE(results::FoundSnippet(Hit{path, 2, false, state_.found}, inputs));
  // A name that the window looks inside by: its snippet is read as the search read
  // it, though the scan, finding no archive, kept the bytes.
  EXPECT_FALSE(KeptSnippetIsTheFilesOne(Write("b.zip", "not a zip: needle"), plain));
  EXPECT_TRUE(state_.found);
}

// The hits a run publishes carry the bytes their scanners kept, in walk order.
TEST_F(EveryEncoding, ARunsHitsCarryTheirBytes) {
  for (int i = 0; i < 40; ++i)
    Write("d" + std::to_string(i % 4) + "/f" + std::to_string(i) + ".txt",
          std::string(static_cast<std::size_t>(i), '.') + "needle" + std::to_string(i));
  SearchLocations locations;
  locations.paths = {tree_.Root()};
  const SearchQuery query = Parse("needle");
  for (unsigned scanners : {1u, 3u}) {
    SearchProgress progress;
    ScanState state;
    RunSearch(locations, SearchConditions{}, query, MatchOptionsFor(options_, query.mode), state,
              progress, scanners);
    const std::vector<Hit> hits = progress.hitList.Hits();
    ASSERT_EQ(hits.size(), 40u);
    std::size_t kept = 0;
    for (const Hit& hit : hits) {
      if (!hit.found) continue;
      ++kept;
      EXPECT_EQ(hit.found->offset, hit.offset);
      const std::string number = hit.path.substr(hit.path.rfind('f') + 1);
      EXPECT_EQ(hit.found->bytes, "needle" + number.substr(0, number.size() - 4)) << hit.path;
    }
    EXPECT_EQ(kept, 40u) << scanners << " scanners";
  }
}

TEST(EucJp, ConvertsJisX0208BothWaysAndRefusesExtensions) {
  std::string euc;
  ASSERT_TRUE(text::Cp932ToEucJp("あア漢字ｱA", euc));
  EXPECT_EQ(euc, std::string("\xA4\xA2\xA5\xA2\xB4\xC1\xBB\xFA\x8E\xB1"
                             "A"));
  EXPECT_EQ(text::EucJpToCp932Lenient(euc), "あア漢字ｱA");
  EXPECT_FALSE(text::Cp932ToEucJp("①", euc));         // NEC row 13
  EXPECT_FALSE(text::Cp932ToEucJp("\xFA\x40", euc));  // IBM extension
  // JIS X 0212 and stray bytes read as one space each; a cut-off character is dropped.
  EXPECT_EQ(text::EucJpToCp932Lenient(std::string("\x8F\xB0\xA1"
                                                  "a\x90"
                                                  "b\xA4",
                                                  7)),
            " a b");
  // Every JIS X 0208 character CP932 holds comes back the same.
  for (int lead = 0x81; lead <= 0xEA; ++lead) {
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F || lead == 0x87 || (lead > 0x9F && lead < 0xE0)) continue;
      const std::string sjis{static_cast<char>(lead), static_cast<char>(trail)};
      if (!text::Cp932ToEucJp(sjis, euc)) continue;
      ASSERT_EQ(euc.size(), 2u);
      ASSERT_EQ(text::EucJpToCp932Lenient(euc), sjis) << std::hex << lead << " " << trail;
    }
  }
}

}  // namespace

namespace {

// The reference for the forms other than Shift-JIS: the text is a sequence of
// tokens (characters, a voiced half-width kana, a line break); a word matches at a
// token when its tokens are equal under the options, one line break skipped
// before each but the first. Random texts and words in each encoding, under every
// option, must give the matcher's first offset and matched length.
struct Token {
  std::u16string text;
  const char* key;  // what it equals under width and kana folding
};
const Token kTokens[] = {
    {u"あ", "a-kana"}, {u"ア", "a-kana"}, {u"ｱ", "a-kana"}, {u"ガ", "ga"}, {u"が", "ga"},
    {u"ｶﾞ", "ga"},     {u"ー", "bar"},    {u"ｰ", "bar"},    {u"1", "1"},   {u"１", "1"},
    {u"a", "a"},       {u"ａ", "a"},      {u"A", "A"},      {u"Ａ", "A"},  {u"設", "set"},
    {u"x", "x"},       {u"\r\n", "crlf"},
};
constexpr int kTokenCount = sizeof(kTokens) / sizeof(kTokens[0]);
constexpr int kLineBreak = kTokenCount - 1;

std::string Key(int token, bool fold, bool caseSensitive) {
  std::string key =
      fold ? kTokens[token].key : EncodeChar(kTokens[token].text, TextEncoding::Utf8).value();
  // Letter case: ASCII letters always; full-width ones only where folding made them ASCII.
  if (!caseSensitive && key == "A") key = "a";
  return key;
}

std::optional<std::pair<std::size_t, std::size_t>> ReferenceFirst(
    const std::vector<int>& text, const std::vector<std::size_t>& offsets,
    const std::vector<int>& word, bool fold, bool caseSensitive, bool skip) {
  for (std::size_t start = 0; start < text.size(); ++start) {
    std::size_t i = start;
    bool matched = true;
    for (std::size_t k = 0; k < word.size() && matched; ++k) {
      if (skip && k > 0 && i < text.size() && text[i] == kLineBreak) ++i;
      matched =
          i < text.size() && Key(text[i], fold, caseSensitive) == Key(word[k], fold, caseSensitive);
      ++i;
    }
    if (matched) return std::make_pair(offsets[start], offsets[i] - offsets[start]);
  }
  return std::nullopt;
}

TEST(EveryEncodingReference, RandomTextsAgreeWithTheMatcherInEachEncodingUnderEveryOption) {
  std::mt19937 random(20261209);
  const TextEncoding encodings[] = {TextEncoding::Utf8, TextEncoding::Utf16Le,
                                    TextEncoding::Utf16Be, TextEncoding::EucJp};
  int hits = 0;
  for (int round = 0; round < 4000; ++round) {
    const TextEncoding encoding = encodings[round % 4];
    SearchOptions options;
    options.optionsOpen = true;
    options.caseSensitive = random() % 2;
    options.distinguishWidthAndKana = random() % 2;
    options.skipLineBreaks = random() % 2;
    options.encodings = EncodingSet::Only(encoding);
    const bool fold = !options.distinguishWidthAndKana;

    std::vector<int> text(random() % 30);
    std::string bytes;
    std::vector<std::size_t> offsets{0};
    for (int& t : text) {
      t = static_cast<int>(random() % kTokenCount);
      for (char16_t c : kTokens[t].text)
        bytes += EncodeChar(std::u16string(1, c), encoding).value();
      offsets.push_back(bytes.size());
    }
    std::vector<int> word(1 + random() % 3);
    std::u16string typed;
    for (int& t : word) {
      t = static_cast<int>(random() % (kTokenCount - 1));
      typed += kTokens[t].text;
    }
    SearchQuery query;
    ASSERT_TRUE(ParseSearchContent(text::EncodeCp932(typed), options, nullptr, query));
    const MatchOptions match = MatchOptionsFor(options, query.mode);
    const BufferMatcher matcher(PatternsForFile("f.txt", query), match);
    const auto actual = matcher.FindFirst(bytes, 0, bytes.size());
    const auto expected =
        ReferenceFirst(text, offsets, word, fold, options.caseSensitive, options.skipLineBreaks);
    ASSERT_EQ(actual.has_value(), expected.has_value()) << "round " << round;
    if (!actual) continue;
    ++hits;
    ASSERT_EQ(actual->offset, expected->first) << "round " << round;
    ASSERT_EQ(actual->matchedLength, expected->second) << "round " << round;
    ASSERT_EQ(actual->encoding, encoding) << "round " << round;
  }
  EXPECT_GT(hits, 400);  // the rounds do find words, not only their absence
}

}  // namespace
