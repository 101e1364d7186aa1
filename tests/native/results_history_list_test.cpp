// The rows of the history list: which files of the folder count, what each row
// reads from its file, and the order by a column header.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/fs/date_time.h"
#include "hit_lines.h"
#include "results/history_file.h"
#include "results/history_list.h"
#include "results/hit_record.h"
#include "walk_test_tree.h"

using namespace trovex::results;
using trovex::testing::WalkTestTree;
using Lines = std::vector<std::string>;

namespace {

std::string HistoryText(const std::string& name, int hits) {
  HistoryContent content{name, {}, {name}, 0};
  for (int i = 0; i < hits; ++i) {
    content.hits.push_back(HitOfLine("C:\\folder" + std::to_string(i % 3) + "\\f" +
                                     std::to_string(i) + ".txt=" + std::to_string(i)));
  }
  return HistoryFileText(content, PathStyle::Windows);
}

Lines Captions(const std::vector<HistoryListRow>& rows) {
  Lines captions;
  for (const HistoryListRow& row : rows) captions.push_back(row.caption);
  return captions;
}

int ByteOrder(const std::string& a, const std::string& b) { return a.compare(b); }

std::vector<HistoryListRow> RowsWithCounts(const Lines& counts) {
  std::vector<HistoryListRow> rows;
  for (const std::string& count : counts) rows.push_back({"r" + count, "", count, "", ""});
  return rows;
}

Lines CountsIn(const std::vector<HistoryListRow>& rows, const std::vector<std::size_t>& order) {
  Lines counts;
  for (std::size_t i : order) counts.push_back(rows[i].hitCountText);
  return counts;
}

}  // namespace

TEST(HistoryList, OnlyHistoryFilesOfTheFolderBecomeRows) {
  WalkTestTree tree;
  tree.File("20261207 125300.txd", HistoryText("needle", 4));
  tree.File("errlog.txt", "not a history");
  tree.File("UPPER.TXD", HistoryText("大文字", 1));
  tree.File("history.txd.bak", HistoryText("x", 1));
  tree.Folder("sub.txd");
  tree.Folder("sub");
  tree.File("sub/inner.txd", HistoryText("inner", 1));
  Lines captions = Captions(ReadHistoryList(tree.Root()));
  std::sort(captions.begin(), captions.end());
  EXPECT_EQ(captions, (Lines{"20261207 125300", "UPPER"}));
}

TEST(HistoryList, ARowHoldsTheFilesNameItsHitCountAndTheListingsTimeWithSeconds) {
  WalkTestTree tree;
  tree.File("a.b.txd", HistoryText("検索語", 5));
  tree.File("plain.txd", "older form\r\nC:\\a.txt=1\r\nC:\\b.txt=2\r\n");
  tree.File("empty.txd", "");
  std::vector<HistoryListRow> rows = ReadHistoryList(tree.Root());
  std::sort(rows.begin(), rows.end(),
            [](const auto& a, const auto& b) { return a.caption < b.caption; });
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].caption, "a.b");
  EXPECT_EQ(rows[0].historyName, "検索語");
  EXPECT_EQ(rows[0].hitCountText, "5");
  EXPECT_EQ(rows[0].path, tree.PathOf("a.b.txd"));
  EXPECT_EQ(rows[1].caption, "empty");
  EXPECT_EQ(rows[1].historyName, "");
  EXPECT_EQ(rows[1].hitCountText, "0");
  EXPECT_EQ(rows[2].historyName, "older form");
  EXPECT_EQ(rows[2].hitCountText, "2");
  for (const HistoryListRow& row : rows) {
    ASSERT_EQ(row.dateText.size(), 19u) << row.dateText;
    EXPECT_EQ(row.dateText[4], '/');
    EXPECT_EQ(row.dateText[16], ':');
  }

  const HistoryListRow gone = MakeHistoryListRow(tree.PathOf("vanished.txd"), 0);
  EXPECT_EQ(gone.caption, "vanished");
  EXPECT_EQ(gone.historyName, "");
  EXPECT_EQ(gone.hitCountText, "0");
  EXPECT_EQ(gone.dateText, "1899/12/30 00:00:00");
}

// The reader gives the same rows one at a time and keeps ending once done.
TEST(HistoryList, TheReaderGivesTheRowsOneAtATime) {
  WalkTestTree tree;
  for (const char* name : {"a.txd", "b.txd", "c.txd"}) tree.File(name, HistoryText(name, 2));
  tree.File("d.txt", "");
  HistoryListReader reader(tree.Root());
  Lines captions;
  for (HistoryListRow row; reader.Next(row);) captions.push_back(row.caption);
  std::sort(captions.begin(), captions.end());
  EXPECT_EQ(captions, (Lines{"a", "b", "c"}));
  HistoryListRow after;
  EXPECT_FALSE(reader.Next(after));
  HistoryListReader none("");
  EXPECT_FALSE(none.Next(after));
  HistoryListReader missing(tree.PathOf("no such folder"));
  EXPECT_FALSE(missing.Next(after));
}

TEST(HistoryList, DatesShowTheSecondsAndRoundToWholeOnes) {
  using trovex::fs::EncodeDateTime;
  EXPECT_EQ(FormatModifiedTimeWithSeconds(EncodeDateTime(2026, 12, 7, 12, 53, 0)),
            "2026/12/07 12:53:00");
  EXPECT_EQ(FormatModifiedTimeWithSeconds(EncodeDateTime(2006, 8, 23, 9, 49, 5)),
            "2006/08/23 09:49:05");
  EXPECT_EQ(FormatModifiedTimeWithSeconds(EncodeDateTime(2026, 12, 31, 23, 59, 59, 999)),
            "2026/12/31 23:59:59");
  EXPECT_EQ(FormatModifiedTime(EncodeDateTime(2006, 8, 23, 9, 49, 5)), "2006/08/23 09:49");
}

// The summary counts what the whole load would give, without making the lines:
// keys repeated in other letter case, a folder written twice, the older form.
TEST(HistoryList, TheSummaryCountsTheLinesTheLoadGives) {
  const std::vector<std::string> texts = {
      HistoryText("abc", 0),
      HistoryText("abc", 7),
      "[n]\r\nlist=n\\@\\\r\n\r\n[C:\\d]\r\na.txt=1\r\nA.TXT=2\r\nb.txt=3\r\n\r\n[c:\\D]\r\nc.txt="
      "4\r\n[C:\\e]\r\n",
      "[n]\r\n[N]\r\nx=1\r\n;comment=2\r\nnoequals\r\n",
      "plain\r\nC:\\a.txt=1\r\n\r\nC:\\b.txt=2",
      "",
      "just a name",
      "[]\r\nfrg=1\r\n[C:\\d]\r\nk=1\r\n[]\r\nk=2\r\nK=3\r\n",
      "[h]\nx=1\n[h]\nf=1\n[H]\nF=2\ng=3\r[a]b\n[\n]\nlate=1\n",
      "lines before\r\n[h]\r\n[C:\\d]\r\nname=with=equals=5\r\nname=with=equals=6\r\nname=7\r\n",
      "[h]\r\n[C:\\ソ]\r\nア=1\r\nヂ=2\r\nＡ=3\r\nａ=4\r\n",
      "[h]\n[/doc]\nA.txt=1\na.txt=2\n[/Doc]\na.txt=3\n",
  };
  // Windows names ignore letter case; POSIX ones keep it, in the load as in the summary.
  for (const PathStyle style : {PathStyle::Windows, PathStyle::Posix}) {
    for (const std::string& text : texts) {
      const HistoryContent full = ParseHistoryText(text, style);
      const HistorySummary summary = SummarizeHistoryText(text, style);
      EXPECT_EQ(summary.name, full.name) << text;
      EXPECT_EQ(summary.hitCount, full.hits.size()) << text;
    }
  }
  EXPECT_EQ(SummarizeHistoryText(texts[2], PathStyle::Windows).hitCount, 3u);
  EXPECT_EQ(SummarizeHistoryText(texts[2], PathStyle::Posix).hitCount, 4u);
  EXPECT_EQ(
      SummarizeHistoryText("[h]\n[/doc]\nA.txt=1\na.txt=2\n[/Doc]\na.txt=3\n", PathStyle::Posix)
          .hitCount,
      3u);
}

TEST(HistoryList, TheCountSortsByNumberWithNonNumbersFirstAndEachSortTurnsItsDirection) {
  const std::vector<HistoryListRow> rows = RowsWithCounts({"10", "9", "x", "100", ""});
  HistoryListSortDirections directions;
  EXPECT_EQ(CountsIn(rows, HistoryListSortOrder(rows, kListColHitCount, directions, ByteOrder)),
            (Lines{"x", "", "9", "10", "100"}));
  EXPECT_FALSE(directions.ascending[kListColHitCount]);
  EXPECT_TRUE(directions.ascending[kListColFileName]);
  EXPECT_EQ(CountsIn(rows, HistoryListSortOrder(rows, kListColHitCount, directions, ByteOrder)),
            (Lines{"100", "10", "9", "x", ""}));
  EXPECT_TRUE(directions.ascending[kListColHitCount]);
  EXPECT_EQ(HitCountValue("12"), 12);
  EXPECT_EQ(HitCountValue("-"), -1);
  EXPECT_EQ(HitCountValue("3a"), -1);
}

TEST(HistoryList, TextColumnsSortByTheGivenOrderAndAColumnThatIsNoneSortsNothing) {
  std::vector<HistoryListRow> rows = {{"b", "2", "0", "2026/01/02 00:00:00", ""},
                                      {"c", "1", "0", "2025/12/31 23:59:59", ""},
                                      {"a", "3", "0", "2026/01/01 00:00:00", ""}};
  HistoryListSortDirections directions;
  auto order = HistoryListSortOrder(rows, kListColFileName, directions, ByteOrder);
  EXPECT_EQ(order, (std::vector<std::size_t>{2, 0, 1}));
  order = HistoryListSortOrder(rows, kListColHistoryName, directions, ByteOrder);
  EXPECT_EQ(order, (std::vector<std::size_t>{1, 0, 2}));
  order = HistoryListSortOrder(rows, kListColDate, directions, ByteOrder);
  EXPECT_EQ(order, (std::vector<std::size_t>{1, 2, 0}));
  // The next sort on a column goes the other way.
  order = HistoryListSortOrder(rows, kListColFileName, directions, ByteOrder);
  EXPECT_EQ(order, (std::vector<std::size_t>{1, 0, 2}));
  HistoryListSortDirections fresh;
  EXPECT_TRUE(HistoryListSortOrder(rows, 4, fresh, ByteOrder).empty());
  EXPECT_TRUE(HistoryListSortOrder(rows, -1, fresh, ByteOrder).empty());
  EXPECT_EQ(fresh.ascending, HistoryListSortDirections{}.ascending);
}
