#include <gtest/gtest.h>

#include "hit_lines.h"
#include "results/history_file.h"
#include "search/parse_search_content.h"
#include "walk_test_tree.h"

using namespace trovex;
using namespace trovex::results;
using Lines = std::vector<std::string>;
using trovex::testing::WalkTestTree;

namespace {

constexpr PathStyle kWin = PathStyle::Windows;

HistoryContent Result(std::string name, Lines hits, Lines contents = {}, int bits = 0) {
  return {std::move(name), HitsOfLines(hits), std::move(contents), bits};
}

HistoryContent RoundTrip(const HistoryContent& content, PathStyle style = kWin) {
  return ParseHistoryText(HistoryFileText(content, style), style);
}

}  // namespace

TEST(HistoryFormat, WorkedExampleByteForByteAndBack) {
  const HistoryContent result =
      Result("abc", {"C:\\doc\\a.txt=120", "C:\\x.log=0", "C:\\doc\\b.txt=7"}, {"abc", "def"}, 1);
  const std::string text = HistoryFileText(result, kWin);
  EXPECT_EQ(text,
            "[abc]\r\nVemko=Ver 1.0\r\nlist=abc\\@\\def\\@\\\r\nfrg=1\r\n\r\n"
            "[C:\\doc]\r\na.txt=120\r\nb.txt=7\r\n\r\n[C:\\]\r\nx.log=0\r\n\r\n");
  const HistoryContent back = ParseHistoryText(text, kWin);
  EXPECT_EQ(back.name, "abc");
  // Grouped by folder in the order each folder first occurred.
  EXPECT_EQ(HitLines(back.hits), (Lines{"C:\\doc\\a.txt=120", "C:\\doc\\b.txt=7", "C:\\x.log=0"}));
  EXPECT_EQ(back.searchContents, (Lines{"abc", "def"}));
  EXPECT_EQ(back.optionBits, 1);
}

TEST(HistoryFormat, HeaderOnlyWithoutHitsAndRootsKeptAsRoots) {
  EXPECT_EQ(HistoryFileText(Result("", {}), kWin), "[]\r\nVemko=Ver 1.0\r\nlist=\r\nfrg=0\r\n\r\n");
  const Lines hits = {"C:\\x.log=-1", "\\top.txt=3", "\\\\server\\share\\u.txt=4",
                      "D:\\a\\b\\c.txt=5"};
  const std::string text = HistoryFileText(Result("n", hits), kWin);
  EXPECT_NE(text.find("[C:\\]\r\nx.log=-1\r\n"), std::string::npos);
  EXPECT_NE(text.find("[\\]\r\ntop.txt=3\r\n"), std::string::npos);
  EXPECT_NE(text.find("[\\\\server\\share]\r\nu.txt=4\r\n"), std::string::npos);
  EXPECT_NE(text.find("[D:\\a\\b]\r\nc.txt=5\r\n"), std::string::npos);
  EXPECT_EQ(HitLines(ParseHistoryText(text, kWin).hits), hits);

  const Lines posix = {"/x.log=1", "/home/u/a b.txt=2", "/home/u/c\\d.txt=3"};
  const std::string posixText = HistoryFileText(Result("n", posix), PathStyle::Posix);
  EXPECT_NE(posixText.find("[/]\r\nx.log=1\r\n\r\n[/home/u]\r\na b.txt=2\r\nc\\d.txt=3\r\n"),
            std::string::npos);
  EXPECT_EQ(HitLines(RoundTrip(Result("n", posix), PathStyle::Posix).hits), posix);
}

TEST(HistoryFormat, TrailByte5CIsNoSeparator) {
  // "表" is 95 5C, "ソ" 83 5C: a folder ending in one still needs its "\".
  const Lines hits = {"C:\\\x95\x5C\\a.txt=1", "C:\\x\\\x83\x5C.txt=2"};
  const std::string text = HistoryFileText(Result("n", hits), kWin);
  EXPECT_NE(text.find("[C:\\\x95\x5C]\r\na.txt=1\r\n"), std::string::npos);
  EXPECT_NE(text.find("[C:\\x]\r\n\x83\x5C.txt=2\r\n"), std::string::npos);
  EXPECT_EQ(HitLines(ParseHistoryText(text, kWin).hits), hits);
  // A section written by hand with a real trailing "\" gets none added.
  EXPECT_EQ(HitLines(ParseHistoryText("[n]\r\n[C:\\\x95\x5C\\]\r\nb=1\r\n", kWin).hits),
            Lines{"C:\\\x95\x5C\\b=1"});
}

TEST(HistoryFormat, SectionNamingAnExistingFileGetsNoSeparator) {
  WalkTestTree tree;
  tree.File("archive", "x");
  const std::string file = tree.PathOf("archive");
  const HistoryContent read = ParseHistoryText("[n]\r\n[" + file + "]\r\ninner=4\r\n[" +
                                               tree.Root() + "]\r\narchive=0\r\n");
  EXPECT_EQ(HitLines(read.hits), (Lines{file + "inner=4", file + "=0"}));
}

TEST(HistoryFormat, OptionBitsAndContentListReadLeniently) {
  const auto bitsOf = [](const std::string& frg) {
    return ParseHistoryText("[n]\r\n" + frg + "\r\n").optionBits;
  };
  EXPECT_EQ(bitsOf("frg=15"), 15);
  EXPECT_EQ(bitsOf("FRG=5"), 5);
  EXPECT_EQ(bitsOf("frg="), 0);
  EXPECT_EQ(bitsOf("frg=x"), 0);
  EXPECT_EQ(bitsOf("frg=1x"), 0);
  EXPECT_EQ(bitsOf("list=a"), 0);
  EXPECT_TRUE(ParseHistoryText("[n]\r\nfrg=3\r\n").searchContents.empty());
  EXPECT_EQ(ParseHistoryText("[n]\r\nList= a\\@\\ b \\@\\\r\n").searchContents, (Lines{"a", " b"}));

  search::SearchOptions options;
  options.includeHidden = true;
  ApplyHistoryOptionBits(15, options);
  EXPECT_TRUE(options.caseSensitive && options.distinguishWidthAndKana && options.skipLineBreaks &&
              options.commaIsContent && options.includeHidden);
  EXPECT_EQ(HistoryOptionBits(options), 15);
  ApplyHistoryOptionBits(0, options);
  EXPECT_FALSE(options.caseSensitive || options.distinguishWidthAndKana || options.skipLineBreaks ||
               options.commaIsContent);
  options.caseSensitive = options.skipLineBreaks = true;
  EXPECT_EQ(HistoryOptionBits(options), 5);
}

TEST(HistoryFormat, ContentListSeparatorOnlyOutsideDoubleByteCharacters) {
  // "ソ@\" is 83 5C 40 5C: its trail byte and the two bytes after it look like "\@\".
  const Lines contents = {" first", "\x83\x5C@\\", "tail "};
  const std::string list = EncodeContentList(contents);
  EXPECT_EQ(list, "first\\@\\\x83\x5C@\\\\@\\tail \\@\\");
  // The whole is trimmed, so the last content loses its trailing blank.
  EXPECT_EQ(DecodeContentList(list), (Lines{"first", "\x83\x5C@\\", "tail"}));
  EXPECT_TRUE(DecodeContentList("").empty());
  EXPECT_EQ(EncodeContentList({}), "");
}

TEST(HistoryFormat, PlainOlderFormReadAsNameAndHitLines) {
  const HistoryContent plain = ParseHistoryText("abc\r\nC:\\a.txt=5\r\nC:\\b=c.txt=6", kWin);
  EXPECT_EQ(plain.name, "abc");
  EXPECT_EQ(HitLines(plain.hits), (Lines{"C:\\a.txt=5", "C:\\b=c.txt=6"}));
  EXPECT_TRUE(plain.searchContents.empty());
  EXPECT_EQ(plain.optionBits, 0);
  const HistoryContent empty = ParseHistoryText("", kWin);
  EXPECT_TRUE(empty.name.empty() && empty.hits.empty());
}

TEST(HistoryFormat, FoldersAndFileNamesMergeIgnoringCase) {
  const HistoryContent read = ParseHistoryText(
      "; saved by "
      "hand\r\n[n]\r\n[C:\\Doc]\r\nA.TXT=1\r\n[C:\\x]\r\ny=2\r\n[c:\\DOC]\r\na.txt=3\r\nb=4\r\n",
      kWin);
  EXPECT_EQ(HitLines(read.hits), (Lines{"C:\\Doc\\A.TXT=3", "C:\\Doc\\b=4", "C:\\x\\y=2"}));
  // A repeated hit line replaces the earlier one in place.
  EXPECT_EQ(HitLines(RoundTrip(Result("n", {"C:\\d\\a=1", "C:\\d\\b=2", "C:\\D\\A=3"})).hits),
            (Lines{"C:\\d\\a=3", "C:\\d\\b=2"}));
}

TEST(HistoryFormat, PosixFoldersAndFileNamesKeepTheirLetterCase) {
  // There "A.txt" and "a.txt" are two files, "/Doc" and "/doc" two folders.
  const Lines hits = {"/doc/A.txt=1", "/doc/a.txt=2", "/Doc/a.txt=3", "/doc/b=4"};
  const HistoryContent back = RoundTrip(Result("n", hits), PathStyle::Posix);
  EXPECT_EQ(HitLines(back.hits),
            (Lines{"/doc/A.txt=1", "/doc/a.txt=2", "/doc/b=4", "/Doc/a.txt=3"}));
  // The same name given twice still keeps its later offset.
  EXPECT_EQ(HitLines(RoundTrip(Result("n", {"/d/a=1", "/d/a=5"}), PathStyle::Posix).hits),
            (Lines{"/d/a=5"}));
  // The header's keys are the program's own: found as written.
  EXPECT_EQ(RoundTrip(Result("N", {}, {"x"}, 3), PathStyle::Posix).optionBits, 3);
}

TEST(HistoryFormat, FileNamesWithEqualsOrLeadingSemicolonSurvive) {
  const Lines hits = {"C:\\d\\a=b.txt=5", "C:\\d\\;notes.txt=6", "C:\\d\\==7", "C:\\;d\\x=8"};
  EXPECT_EQ(HitLines(RoundTrip(Result("n", hits)).hits), hits);
  // A header comment is still a comment.
  EXPECT_EQ(ParseHistoryText("[n]\r\n;frg=3\r\nfrg=1\r\n").optionBits, 1);
}

TEST(HistoryFormat, FolderSpelledLikeTheHistoryNameKeepsItsHits) {
  const HistoryContent result =
      Result("c:\\DOC", {"C:\\doc\\list=1", "C:\\doc\\frg=2", "C:\\e\\f=3"}, {"c:\\DOC"}, 4);
  const std::string text = HistoryFileText(result, kWin);
  EXPECT_EQ(text,
            "[c:\\DOC]\r\nVemko=Ver 1.0\r\nlist=c:\\DOC\\@\\\r\nfrg=4\r\n\r\n"
            "[C:\\doc]\r\nlist=1\r\nfrg=2\r\n\r\n[C:\\e]\r\nf=3\r\n\r\n");
  const HistoryContent back = ParseHistoryText(text, kWin);
  EXPECT_EQ(back.name, "c:\\DOC");
  EXPECT_EQ(HitLines(back.hits), HitLines(result.hits));
  EXPECT_EQ(back.optionBits, 4);
  EXPECT_EQ(back.searchContents, result.searchContents);
}

TEST(HistoryFormat, LoadedNameKeptOverAConversionSource) {
  search::SearchOptions window;
  window.conversionSource = "\x82\xA0";  // "あ", left from the conversion dialog
  window.fromUtf8 = true;
  window.includeHidden = true;
  const search::SearchOptions options = OptionsForLoadedHistory(window, 1);
  EXPECT_TRUE(options.caseSensitive && options.includeHidden);
  EXPECT_FALSE(options.distinguishWidthAndKana || options.fromUtf8 || options.fromUtf16);
  search::SearchQuery query;
  ASSERT_TRUE(search::ParseSearchContent("abc", options, nullptr, query));
  EXPECT_EQ(query.displayText, "abc");
}

// Files on disk may hold offsets no program of ours wrote: every hit still loads,
// read as the rows always read them, and the summary counts the same hits.
TEST(HistoryFormat, DamagedOffsetsStillLoadEveryHit) {
  const std::string text =
      "[n]\r\nVemko=Ver 1.0\r\n\r\n[C:\\d]\r\na.txt=abc\r\nb.txt=\r\nc.txt=-1\r\n"
      "d.txt=6442450944\r\ne.txt=-3\r\n";
  const HistoryContent read = ParseHistoryText(text, kWin);
  EXPECT_EQ(HitLines(read.hits), (Lines{"C:\\d\\a.txt=0", "C:\\d\\b.txt=0", "C:\\d\\c.txt=-1",
                                        "C:\\d\\d.txt=6442450944", "C:\\d\\e.txt=-1"}));
  EXPECT_TRUE(read.hits[2].mismatched);
  EXPECT_EQ(read.hits[3].offset, UINT64_C(6442450944));
  EXPECT_EQ(SummarizeHistoryText(text, kWin).hitCount, read.hits.size());
  // What the program writes of them reads back as the same hits.
  EXPECT_EQ(RoundTrip(read).hits, read.hits);

  // The plain form: a line without "=" is a hit on the whole line.
  const std::string plainText = "old\r\nC:\\a.txt=x\r\nC:\\no separator";
  const HistoryContent plain = ParseHistoryText(plainText, kWin);
  EXPECT_EQ(HitLines(plain.hits), (Lines{"C:\\a.txt=0", "C:\\no separator=0"}));
  EXPECT_EQ(SummarizeHistoryText(plainText, kWin).hitCount, plain.hits.size());
}
