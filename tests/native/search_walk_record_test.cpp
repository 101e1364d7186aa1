// The counting walk keeps what it listed for the run that follows: the run finds
// what a run that lists for itself finds, without listing the folders again.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "hit_lines.h"
#include "platform/fs/path_separator.h"
#include "search/file_walk.h"
#include "search/parse_search_content.h"
#include "search/run_search.h"
#include "search/walk_record.h"
#include "walk_test_tree.h"

using namespace trovex::search;
using trovex::testing::WalkTestTree;

namespace {

struct RunResult {
  std::vector<std::string> hits;
  std::uint64_t examined = 0;
  std::vector<std::string> failures;
};

RunResult SearchRun(const SearchLocations& locations, const SearchConditions& conditions,
                    const WalkRecord* record, unsigned scanners) {
  SearchQuery query;
  EXPECT_TRUE(ParseSearchContent("needle", SearchOptions{}, nullptr, query));
  SearchProgress progress;
  RunResult result;
  progress.folderFailure = [&](const std::string& path, int) { result.failures.push_back(path); };
  ScanState state;
  RunSearch(locations, conditions, query, MatchOptions{}, state, progress, scanners, record);
  result.hits = HitLines(progress.hitList);
  result.examined = progress.filesExamined.load();
  return result;
}

void ExpectSameRun(const RunResult& a, const RunResult& b) {
  EXPECT_EQ(a.hits, b.hits);
  EXPECT_EQ(a.examined, b.examined);
  EXPECT_EQ(a.failures, b.failures);
}

}  // namespace

TEST(WalkRecord, ARunTakesTheCountsFoldersAndFindsWhatAListingRunFinds) {
  WalkTestTree tree;
  for (int i = 0; i < 30; ++i)
    tree.File("d" + std::to_string(i % 3) + "/e" + std::to_string(i % 2) + "/f" +
                  std::to_string(i) + ".txt",
              std::string(static_cast<std::size_t>(i), '.') + (i % 4 ? "needle" : "none"));
  tree.File(".hidden/f.txt", "needle");
  tree.File("d0/.h.txt", "needle");
  tree.File("d1/short.lnk", "needle");
#ifndef _WIN32
  // Loops and a folder reached twice are walked once, as in a listing run.
  std::filesystem::create_directory_symlink("..", tree.PathOf("d0/up"));
  std::filesystem::create_directory_symlink(tree.PathOf("d2"), tree.PathOf("d1/two"));
#endif
  SearchLocations locations;
  locations.paths = {tree.Root(), tree.PathOf("d2")};  // overlapping

  for (const bool hidden : {false, true}) {
    SearchConditions conditions;
    conditions.includeHidden = hidden;
    SearchProgress counting;
    WalkRecord record;
    const std::uint32_t counted = CountFiles(locations, conditions, counting, {}, &record);
    EXPECT_EQ(counted, CountFiles(locations, conditions, counting));
    ASSERT_TRUE(record.Whole());
    for (unsigned scanners : {1u, 2u}) {
      const RunResult listing = SearchRun(locations, conditions, nullptr, scanners);
      // 22 files hold the needle, two more in hidden places (POSIX: by their names).
      EXPECT_GE(listing.hits.size(), 22u);
#ifndef _WIN32
      EXPECT_EQ(listing.hits.size(), hidden ? 24u : 22u);
#endif
      ExpectSameRun(SearchRun(locations, conditions, &record, scanners), listing);
    }
  }
}

TEST(WalkRecord, TheRunListsNothingTheRecordHoldsAndAGivenUpRecordServesNothing) {
  WalkTestTree tree;
  tree.File("a/f.txt", "needle");
  SearchLocations locations;
  locations.paths = {tree.Root()};
  SearchProgress counting;
  WalkRecord record;
  WalkRecord small(100);  // bytes
  CountFiles(locations, SearchConditions{}, counting, {}, &record);
  CountFiles(locations, SearchConditions{}, counting, {}, &small);
  EXPECT_TRUE(record.Whole());
  EXPECT_FALSE(small.Whole());
  EXPECT_NE(record.Find(tree.PathOf("a") + trovex::fs::kPathSeparator), nullptr);
  EXPECT_EQ(small.Find(tree.PathOf("a") + trovex::fs::kPathSeparator), nullptr);
  // A file made after the count: only a run that lists sees it.
  tree.File("a/g.txt", "needle");
  EXPECT_EQ(SearchRun(locations, SearchConditions{}, &record, 2).hits.size(), 1u);
  EXPECT_EQ(SearchRun(locations, SearchConditions{}, &small, 2).hits.size(), 2u);
  EXPECT_EQ(SearchRun(locations, SearchConditions{}, nullptr, 2).hits.size(), 2u);
}

TEST(WalkRecord, AnUnreadableFolderIsReportedByTheRunAsAListingRunReportsIt) {
  WalkTestTree tree;
  tree.File("open/f.txt", "needle");
  SearchLocations locations;
  locations.paths = {tree.Root(), tree.PathOf("missing"), tree.PathOf("missing")};
  SearchProgress counting;
  WalkRecord record;
  CountFiles(locations, SearchConditions{}, counting, {}, &record);
  const RunResult listing = SearchRun(locations, SearchConditions{}, nullptr, 2);
  ASSERT_EQ(listing.failures.size(), 2u);  // at each location that names it
  ExpectSameRun(SearchRun(locations, SearchConditions{}, &record, 2), listing);
}
