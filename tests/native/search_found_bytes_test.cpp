// A scan keeps the bytes at its hit, so that the hit's row shows its snippet
// without opening the file again: the snippet from those bytes is the snippet the
// file gives, in every encoding and display, and where the kept bytes cannot give
// it (RTF, documents, patterns) none is kept or used.
#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "platform/text/euc_jp.h"
#include "results/hit_snippet.h"
#include "search/file_scan.h"
#include "search/ordered_scan.h"
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

class FoundBytesTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    tree_.File(name, bytes);
    return tree_.PathOf(name);
  }
  SearchQuery Parse(const std::string& text, SearchOptions options = {}) {
    SearchQuery query;
    EXPECT_TRUE(ParseSearchContent(text, options, nullptr, query));
    options_ = options;
    return query;
  }
  // Searches the file; for a hit, the snippet from the kept bytes must be the one
  // read from the file (in both byte displays). True when bytes were kept.
  bool KeptSnippetIsTheFilesOne(const std::string& path, const SearchQuery& query) {
    const auto offset =
        SearchFile(path, query, MatchOptionsFor(options_, query.mode), state_, cancel_);
    EXPECT_TRUE(offset) << path;
    if (!offset) return false;
    const Hit hit{path, *offset, false, state_.found};
    for (const auto display : {results::BinaryDisplay::Hex, results::BinaryDisplay::Chars}) {
      const results::SnippetInputs inputs = results::SnippetInputsFor(options_, query, display);
      const auto kept = results::FoundSnippet(hit, inputs);
      if (kept) {
        EXPECT_EQ(*kept, results::MakeSnippet(path, static_cast<std::int64_t>(*offset), inputs))
            << path;
      }
      EXPECT_EQ(results::HitSnippet(hit, inputs),
                results::MakeSnippet(path, static_cast<std::int64_t>(*offset), inputs))
          << path;
    }
    return state_.found != nullptr;
  }

  trovex::testing::WalkTestTree tree_;
  SearchOptions options_;
  ScanState state_;
  std::atomic<bool> cancel_{false};
};

TEST_F(FoundBytesTest, TheKeptBytesGiveTheSnippetTheFileGivesInEveryEncoding) {
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
  EXPECT_TRUE(KeptSnippetIsTheFilesOne(files[0], Parse("設定", only)));
  EXPECT_TRUE(KeptSnippetIsTheFilesOne(Write("bytes.bin", std::string("\x01\x02\xFF\x41xyz", 7)),
                                       Parse(",2,0xFF")));
  SearchOptions converted;
  converted.fromUtf8 = true;
  EXPECT_TRUE(KeptSnippetIsTheFilesOne(files[1], Parse("設定", converted)));
}

TEST_F(FoundBytesTest, NoBytesServeWhereTheSnippetComesFromMoreThanTheFilesBytes) {
  const SearchQuery query = Parse("needle");
  // RTF offsets count in the reduced text: nothing is kept.
  EXPECT_FALSE(KeptSnippetIsTheFilesOne(Write("a.rtf", "{\\rtf1 \\b needle\\b0 here}"), query));
  // A pattern is found by its own scan, after the literal part's: not that hit's bytes.
  SearchOptions pattern;
  pattern.optionsOpen = true;
  pattern.regex = true;
  EXPECT_FALSE(
      KeptSnippetIsTheFilesOne(Write("p.txt", "a needle b needle7"), Parse("needle\\d", pattern)));
  // Bytes kept for another offset (a row searched again) are not used.
  const std::string path = Write("plain.txt", "..needle..needle");
  ASSERT_TRUE(KeptSnippetIsTheFilesOne(path, query));
  const results::SnippetInputs inputs =
      results::SnippetInputsFor(options_, query, results::BinaryDisplay::Hex);
  EXPECT_FALSE(results::FoundSnippet(Hit{path, 10, false, state_.found}, inputs));
  EXPECT_EQ(results::HitSnippet(Hit{path, 10, false, state_.found}, inputs), "needle");
  EXPECT_FALSE(results::FoundSnippet(Hit{path, 2, true, state_.found}, inputs));
  // A name that the window looks inside by: its snippet is read as the search read it.
  const std::string zipLike = Write("b.zip", "not a zip: needle");
  EXPECT_TRUE(KeptSnippetIsTheFilesOne(zipLike, query));
  EXPECT_FALSE(results::FoundSnippet(Hit{zipLike, 11, false, state_.found}, inputs));
}

// The hits a run publishes carry the bytes their scanners kept, in walk order.
TEST_F(FoundBytesTest, ARunsHitsCarryTheirBytes) {
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

}  // namespace
