#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "search/byte_source.h"
#include "search/contained_text.h"
#include "search/parse_search_content.h"
#include "temp_folder_test.h"
#include "viewer/binary_page.h"
#include "viewer/file_hit_search.h"
#include "viewer/pane_selection.h"
#include "viewer/saved_positions.h"
#include "viewer/viewed_bytes.h"
#include "zip_writer.h"

using namespace trovex;
using namespace trovex::viewer;
namespace stdfs = std::filesystem;

namespace {

class ViewerSearchTest : public trovex::testing::TempFolderTest {
 protected:
  // Opens a new file of `bytes` and returns its path.
  std::string Open(const std::string& name, const std::string& bytes) {
    const std::string path = Write(name, bytes);
    EXPECT_TRUE(file_.Open(path));
    return path;
  }
  static search::SearchQuery Query(const std::string& content) {
    search::SearchOptions options;
    search::SearchQuery query;
    EXPECT_TRUE(search::ParseSearchContent(
        content, options, [](const std::string& m) { ADD_FAILURE() << m; }, query));
    return query;
  }
  FileHitSearch Search(const std::string& path, const std::string& content) {
    return FileHitSearch(file_, path, Query(content), search::MatchOptions{});
  }

  search::FileBytes file_;
};

using Outcome = FileHitSearch::Outcome;

TEST_F(ViewerSearchTest, FindsHitsAcrossPagesAndChunksAndAtTheLastByte) {
  std::string bytes(3 * FileHitSearch::kChunkBytes, 'a');
  bytes.replace(250, 10, "0123456789");                             // runs on into page 1
  bytes.replace(FileHitSearch::kChunkBytes - 4, 10, "0123456789");  // across a chunk end
  bytes.back() = 'Z';
  const std::string path = Open("big.txt", bytes);

  FileHitSearch search = Search(path, "0123456789");
  search.Start(0);
  ASSERT_EQ(search.Run(), Outcome::Found);
  EXPECT_EQ(search.Hit().offset, 250u);
  EXPECT_EQ(search.Hit().length, 10u);
  search.Start(251);  // find-next goes on one byte after the hit's start
  ASSERT_EQ(search.Run(), Outcome::Found);
  EXPECT_EQ(search.Hit().offset, FileHitSearch::kChunkBytes - 4);
  search.Start(FileHitSearch::kChunkBytes - 3);
  EXPECT_EQ(search.Run(), Outcome::NotFound);

  FileHitSearch last = Search(path, "Z");
  last.Start(0);
  ASSERT_EQ(last.Run(), Outcome::Found);
  EXPECT_EQ(last.Hit().offset, bytes.size() - 1);
}

TEST_F(ViewerSearchTest, TheOpeningSearchLooksOnlyAtItsPage) {
  const std::string path = Open("p.txt", std::string(300, 'x') + "needle");
  FileHitSearch search = Search(path, "needle");
  search.Start(0, 256);
  EXPECT_EQ(search.Run(), Outcome::NotFound);
  search.Start(256, 512);
  ASSERT_EQ(search.Run(), Outcome::Found);
  EXPECT_EQ(search.Hit().offset, 300u);
}

// The zeros shown past the end of a file are no bytes of it.
TEST_F(ViewerSearchTest, AByteListNeverMatchesPastTheEndOfTheFile) {
  const std::string path = Open("ab.bin", "xxAB");
  FileHitSearch search = Search(path, ",0x41,0x42,0x00");
  search.Start(0);
  EXPECT_EQ(search.Run(), Outcome::NotFound);
  FileHitSearch zero = Search(path, ",0x00");
  zero.Start(0);
  EXPECT_EQ(zero.Run(), Outcome::NotFound);
}

TEST_F(ViewerSearchTest, FindsTheTextInTheEncodingOfTheFile) {
  const std::u8string utf8 = u8"前置き 検索メモ の本文";
  const std::string path = Open("u8.txt", std::string(utf8.begin(), utf8.end()));
  FileHitSearch search = Search(path, "検索メモ");
  search.Start(0);
  ASSERT_EQ(search.Run(), Outcome::Found);
  EXPECT_EQ(search.Hit().offset, 10u);  // after 前置き (9 bytes) and a blank
  EXPECT_EQ(search.Hit().length, 12u);
}

TEST_F(ViewerSearchTest, StepsEndAtTheRangeAndAnEmptyContentMatchesEverywhere) {
  const std::string path = Open("s.txt", std::string(FileHitSearch::kChunkBytes + 10, 'q'));
  FileHitSearch search = Search(path, "needle");
  search.Start(0);
  EXPECT_EQ(search.Step(), Outcome::Searching);
  EXPECT_EQ(search.Position(), FileHitSearch::kChunkBytes);
  EXPECT_EQ(search.Step(), Outcome::NotFound);

  search::SearchOptions options;
  options.nameFilter = "*.txt";
  search::SearchQuery query;
  ASSERT_TRUE(search::ParseSearchContent("", options, nullptr, query));
  FileHitSearch everywhere(file_, path, query, search::MatchOptions{});
  everywhere.Start(7);
  ASSERT_EQ(everywhere.Run(), Outcome::Found);
  EXPECT_EQ(everywhere.Hit().offset, 7u);
  EXPECT_EQ(everywhere.Hit().length, 0u);
}

TEST(ViewerPaneSelection, HighlightsAndCaretsInBothPanes) {
  // A 10-byte hit at byte 250 crosses one line end.
  const PaneSelection hex = HexSelectionOf(250, 10);
  EXPECT_EQ(hex.start, 765);
  EXPECT_EQ(hex.length, 30);
  const PaneSelection chars = CharSelectionOf(250, 10);
  EXPECT_EQ(chars.start, 280);
  EXPECT_EQ(chars.length, 12);
  EXPECT_EQ(HexSelectionOf(10, 3).start, 30);
  EXPECT_EQ(HexSelectionOf(10, 3).length, 8);
  EXPECT_EQ(HexSelectionOf(0, 0).length, 0);

  EXPECT_EQ(ByteAtHexCaret(49 + 7), 18);  // row 1, within the third byte
  EXPECT_EQ(ByteAtCharCaret(18 * 2 + 5), 37);
}

TEST(ViewerPaneSelection, ASelectionSavesTheBytesItCovers) {
  // Three whole bytes of a row: "XX XX XX" from byte 4.
  SelectedBytes three = BytesOfHexSelection(12, 8);
  EXPECT_EQ(three.index, 4);
  EXPECT_EQ(three.length, 3);
  // Ending on the blank after a byte does not lose that byte.
  EXPECT_EQ(BytesOfHexSelection(12, 9).length, 3);
  // Nothing selected: length 0, the caret's byte.
  SelectedBytes none = BytesOfHexSelection(49 + 3, 0);
  EXPECT_EQ(none.index, 17);
  EXPECT_EQ(none.length, 0);
  // Characters over a line end: bytes 14 to 17.
  SelectedBytes wrapped = BytesOfCharSelection(14, 6);
  EXPECT_EQ(wrapped.index, 14);
  EXPECT_EQ(wrapped.length, 4);
}

TEST(ViewerSavedPositions, TextFormOrderAndReading) {
  const std::string entry = SavedPositionText({12, 0x0A, 3}, "abc");
  EXPECT_EQ(entry, "12/0A%3=abc");
  EXPECT_EQ(SavedPositionCaption(entry), "12 abc");
  const SavedPosition read = ReadSavedPosition(entry);
  EXPECT_EQ(read.page, 12);
  EXPECT_EQ(read.index, 10);
  EXPECT_EQ(read.length, 3);
  // Pages beyond 32 bits read back whole.
  EXPECT_EQ(ReadSavedPosition("20971520/FF%1=x").page, 20971520);
  EXPECT_EQ(ReadSavedPosition(SavedPositionText({5000000000, 0, 1}, "x")).page, 5000000000);
  const SavedPosition bad = ReadSavedPosition("x/zz%q=abc");
  EXPECT_EQ(bad.page, 0);
  EXPECT_EQ(bad.index, 0);
  EXPECT_EQ(bad.length, 0);

  std::vector<std::string> list;
  EXPECT_TRUE(AddSavedPosition(list, "3/00%1=a"));
  EXPECT_TRUE(AddSavedPosition(list, "12/00%1=b"));
  EXPECT_TRUE(AddSavedPosition(list, "7/00%1=c"));
  EXPECT_FALSE(AddSavedPosition(list, "12/00%1=b"));
  EXPECT_EQ(list, (std::vector<std::string>{"3/00%1=a", "7/00%1=c", "12/00%1=b"}));
}

TEST(ViewerTexts, HintsFoundBoxAndHexToDecimal) {
  EXPECT_EQ(HitHintText(std::string("\r\n abc\r\ndef \0xyz", 16)), "abcdef");
  EXPECT_EQ(HexToDecimalText("0x0100"), "0x0100 -> 256");
  EXPECT_EQ(HexToDecimalText("42"), "42 -> 42");
  EXPECT_EQ(HexToDecimalText("zz"), "zz -> 0");
  EXPECT_EQ(FoundBoxText(12, 10), "12／0A");
  EXPECT_EQ(FoundBoxText(3, 0x1FF), "3／1FF");
}

// The text-only display of an archive pages through the text a search looks at, so
// that a row's offset into it opens on the hit, and F3 finds hits at those offsets.
TEST_F(ViewerSearchTest, TheTextInsideAnArchiveIsPagedAndSearchedAtItsOwnOffsets) {
  trovex::testing::ZipWriter zip;
  zip.Add("a.txt", std::string(300, 'x'));
  zip.Add(trovex::testing::ZipItem{"b.txt", "\r\nneedle at 302", true, true});
  const std::string path = Write("notes.ZIP", zip.Build());
  const auto text = search::ContainedTextOf(path);
  ASSERT_TRUE(text);
  ASSERT_EQ(text->find("needle"), 302u);

  ViewedBytes viewed;
  ASSERT_TRUE(viewed.Open(path));
  const std::uint64_t rawSize = viewed.Size();
  ASSERT_TRUE(viewed.ShowContainedText(true));
  EXPECT_EQ(viewed.Size(), text->size());
  PageBuffer page;
  ReadPage(viewed, 1, false, page);
  EXPECT_EQ(page.Text(10), text->substr(256, 10));

  FileHitSearch search(viewed, path, Query("needle"), search::MatchOptions{}, true);
  search.Start(0);
  ASSERT_EQ(search.Run(), Outcome::Found);
  EXPECT_EQ(search.Hit().offset, 302u);

  EXPECT_FALSE(viewed.ShowContainedText(false));
  EXPECT_EQ(viewed.Size(), rawSize);
  ReadPage(viewed, 0, false, page);
  EXPECT_EQ(page.Text(2), "PK");

  // A file that is no archive, or one that cannot be read, shows its own bytes.
  ViewedBytes plain;
  ASSERT_TRUE(plain.Open(Write("plain.txt", "needle")));
  EXPECT_FALSE(plain.ShowContainedText(true));
  EXPECT_EQ(plain.Size(), 6u);
  ViewedBytes damaged;
  ASSERT_TRUE(damaged.Open(Write("cut.zip", zip.Build().substr(0, 40))));
  EXPECT_FALSE(damaged.ShowContainedText(true));
  EXPECT_EQ(damaged.Size(), 40u);
}

}  // namespace

// A pattern in the viewer finds what the file scan finds: the first match at or
// after the start, its matched length, lines kept whole (^ sees the line's start
// even when the search starts inside it), a page's end, and UTF-16 at even offsets.
TEST_F(ViewerSearchTest, APatternFindsMatchesWithTheirLengthsLineByLine) {
  search::SearchOptions options;
  options.optionsOpen = true;
  options.regex = true;
  const auto report = [](const std::string& m) { ADD_FAILURE() << m; };
  const auto pattern = [&](const std::string& text) {
    search::SearchQuery query;
    EXPECT_TRUE(search::ParseSearchContent(text, options, report, query));
    EXPECT_TRUE(query.regex);
    return query;
  };
  std::string bytes = "no 12\r\nNo.345 and No.6\nx";
  bytes += std::string(FileHitSearch::kChunkBytes, 'y') + "\nNo.78\n";
  const std::string path = Open("r.txt", bytes);
  FileHitSearch numbers(file_, path, pattern("No\\.\\d+"), search::MatchOptions{});
  numbers.Start(0);
  ASSERT_EQ(numbers.Run(), Outcome::Found);
  EXPECT_EQ(numbers.Hit().offset, 7u);
  EXPECT_EQ(numbers.Hit().length, 6u);
  numbers.Start(8);  // F3: one byte on, inside the same line
  ASSERT_EQ(numbers.Run(), Outcome::Found);
  EXPECT_EQ(numbers.Hit().offset, 18u);
  EXPECT_EQ(numbers.Hit().length, 4u);
  numbers.Start(19);  // the next line is a chunk and more away
  ASSERT_EQ(numbers.Run(), Outcome::Found);
  EXPECT_EQ(numbers.Hit().offset, bytes.size() - 6);
  numbers.Start(0, 7);  // a page that ends before the first match
  EXPECT_EQ(numbers.Run(), Outcome::NotFound);

  FileHitSearch lineStart(file_, path, pattern("^No"), search::MatchOptions{});
  lineStart.Start(8);  // "No" at 18 is not at a line's start
  ASSERT_EQ(lineStart.Run(), Outcome::Found);
  EXPECT_EQ(lineStart.Hit().offset, bytes.size() - 6);

  // UTF-16LE with its mark: the pattern is found in that encoding alone.
  const std::string wide(
      "\xFF\xFEX\0N\0o\0.\0"
      "9\0\n\0",
      14);
  const std::string widePath = Open("w.txt", wide);
  FileHitSearch inWide(file_, widePath, pattern("No\\.\\d"), search::MatchOptions{});
  inWide.Start(1);
  ASSERT_EQ(inWide.Run(), Outcome::Found);
  EXPECT_EQ(inWide.Hit().offset, 4u);
  EXPECT_EQ(inWide.Hit().length, 8u);
  EXPECT_EQ(inWide.Hit().encoding, search::TextEncoding::Utf16Le);
}
