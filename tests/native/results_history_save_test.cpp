#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>

#include "platform/fs/read_at.h"
#include "hit_lines.h"
#include "results/history_file.h"
#include "walk_test_tree.h"

using namespace trovex;
using namespace trovex::results;
using Lines = std::vector<std::string>;
using trovex::testing::WalkTestTree;

namespace {

std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  return std::mktime(&local);
}

Lines FilesIn(const std::string& folder) {
  Lines names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

const HistoryContent kFirst{"abc", {HitOfLine("C:\\a.txt=1")}, {"abc"}, 0};
const HistoryContent kSecond{"def", {HitOfLine("C:\\b.txt=2")}, {"def"}, 1};

}  // namespace

TEST(HistorySave, NewFileNamesAreTheLocalTimeOfSaving) {
  EXPECT_EQ(NewHistoryFileName(LocalTime(2026, 12, 7, 12, 53, 0)), "20261207 125300.txd");
  EXPECT_EQ(NewHistoryFileName(LocalTime(2024, 1, 2, 3, 4, 5)), "20240102 030405.txd");
  EXPECT_EQ(NewHistoryFileName(LocalTime(1999, 12, 31, 23, 59, 59) + 1), "20000101 000000.txd");
}

TEST(HistorySave, TwoResultsInOneSecondGetTwoFiles) {
  WalkTestTree tree;
  const std::time_t when = LocalTime(2026, 12, 7, 12, 53, 59);
  const auto first = SaveNewHistory(tree.PathOf("data"), kFirst, when);
  const auto second = SaveNewHistory(tree.PathOf("data"), kSecond, when);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(*first, tree.PathOf("data/20261207 125359.txd"));
  EXPECT_EQ(*second, tree.PathOf("data/20261207 125400.txd"));
  EXPECT_EQ(FilesIn(tree.PathOf("data")), (Lines{"20261207 125359.txd", "20261207 125400.txd"}));
  EXPECT_EQ(fs::ReadAllBytes(*first), HistoryFileText(kFirst));
  EXPECT_EQ(fs::ReadAllBytes(*second), HistoryFileText(kSecond));
}

TEST(HistorySave, NewResultNeedsAFolderItCanMake) {
  WalkTestTree tree;
  tree.File("blocker", "x");
  EXPECT_FALSE(SaveNewHistory(tree.PathOf("blocker/data"), kFirst, LocalTime(2026, 1, 1, 0, 0, 0)));
  const HistorySave save = SaveHistory("", tree.PathOf("blocker"), kFirst.hits, "abc", {"abc"}, 0);
  EXPECT_FALSE(save.saved);
  EXPECT_EQ(FilesIn(tree.Root()), Lines{"blocker"});
}

TEST(HistorySave, OpenedResultIsWrittenBackIntoItsFile) {
  WalkTestTree tree;
  const std::string path = tree.PathOf("20260101 000000.txd");
  ASSERT_TRUE(WriteHistoryFile(path, kFirst));
  const HistorySave save =
      SaveHistory(path, tree.Root(), {HitOfLine("C:\\c.txt=3")}, "xyz", {"abc", "xyz"}, 8);
  EXPECT_TRUE(save.saved);
  EXPECT_EQ(save.path, path);
  EXPECT_EQ(FilesIn(tree.Root()), Lines{"20260101 000000.txd"});
  const auto loaded = LoadHistoryFile(path);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->name, "xyz");
  EXPECT_EQ(HitLines(loaded->hits), Lines{"C:\\c.txt=3"});
  EXPECT_EQ(loaded->searchContents, (Lines{"abc", "xyz"}));
  EXPECT_EQ(loaded->optionBits, 8);

  // The folder the file came from was removed meanwhile: it is made again.
  const std::string gone = tree.PathOf("gone/sub/20260101 000001.txd");
  EXPECT_TRUE(SaveHistory(gone, tree.Root(), {}, "xyz", {"xyz"}, 0).saved);
  EXPECT_EQ(fs::ReadAllBytes(gone), HistoryFileText(HistoryContent{"xyz", {}, {"xyz"}, 0}));
}

TEST(HistorySave, NewResultGoesIntoTheDataFolderUnderTodaysName) {
  WalkTestTree tree;
  const std::time_t before = std::time(nullptr);
  const HistorySave save =
      SaveHistory("", tree.PathOf("user/data"), {HitOfLine("/x=1")}, "n", {"n"}, 2);
  const std::time_t after = std::time(nullptr);
  ASSERT_TRUE(save.saved);
  const std::string name = std::filesystem::path(save.path).filename().string();
  EXPECT_GE(name, NewHistoryFileName(before));
  EXPECT_LE(name, NewHistoryFileName(after));
  EXPECT_EQ(FilesIn(tree.PathOf("user/data")), Lines{name});
}

TEST(HistorySave, LoadAndSummaryOfMissingAndPlainFiles) {
  WalkTestTree tree;
  EXPECT_FALSE(LoadHistoryFile(tree.PathOf("none.txd")));
  EXPECT_FALSE(ReadHistorySummary(tree.PathOf("none.txd")));
  tree.Folder("folder.txd");
  EXPECT_FALSE(LoadHistoryFile(tree.PathOf("folder.txd")));

  tree.File("plain.txd", "abc\r\nC:\\a.txt=5\r\nC:\\b.txt=6\r\n");
  const auto summary = ReadHistorySummary(tree.PathOf("plain.txd"));
  ASSERT_TRUE(summary);
  EXPECT_EQ(summary->name, "abc");
  EXPECT_EQ(summary->hitCount, 2u);

  ASSERT_TRUE(WriteHistoryFile(tree.PathOf("saved.txd"), kSecond));
  const auto saved = ReadHistorySummary(tree.PathOf("saved.txd"));
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->name, "def");
  EXPECT_EQ(saved->hitCount, 1u);
}
