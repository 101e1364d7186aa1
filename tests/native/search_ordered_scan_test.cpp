// Several scanners must give what one gives: the same hit lines in the same
// order, and a stop keeps a prefix of them.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "hit_lines.h"
#include "search/hit_line.h"
#include "search/ordered_scan.h"
#include "search/run_search.h"
#include "walk_test_tree.h"

using namespace trovex::search;
using trovex::testing::WalkTestTree;

namespace {

SearchQuery QueryFor(const std::string& text) {
  SearchQuery query;
  query.pattern = text;
  query.patternLength = static_cast<int>(text.size());
  return query;
}

struct RunResult {
  std::vector<std::string> lines;
  std::uint64_t examined = 0;
};

RunResult RunWith(unsigned scanners, const SearchLocations& locations,
                  const SearchConditions& conditions, const SearchQuery& query) {
  ScanState state;
  SearchProgress progress;
  RunSearch(locations, conditions, query, MatchOptions{}, state, progress, scanners);
  return {HitLines(progress.hitList), progress.filesExamined.load()};
}

// Folders up to three deep with files of random sizes; about a third hold the
// needle at a random place, some of them across a read boundary.
void MakeRandomTree(const WalkTestTree& tree, std::mt19937& random, const std::string& folder,
                    int depth) {
  const int files = std::uniform_int_distribution<int>(0, 12)(random);
  for (int i = 0; i < files; ++i) {
    const int kind = std::uniform_int_distribution<int>(0, 9)(random);
    std::size_t size = std::uniform_int_distribution<std::size_t>(0, 3000)(random);
    if (kind == 0) size = std::uniform_int_distribution<std::size_t>(500000, 1200000)(random);
    std::string contents(size, 'a');
    if (kind % 3 == 0 && size >= 6) {
      std::size_t at = std::uniform_int_distribution<std::size_t>(0, size - 6)(random);
      if (kind == 0) at = std::min<std::size_t>(size - 6, 512 * 1024 - 3);  // across the first read
      contents.replace(at, 6, "needle");
    }
    tree.File(folder + "f" + std::to_string(i) + (kind == 1 ? ".log" : ".txt"), contents);
  }
  if (depth == 3) return;
  const int subfolders = std::uniform_int_distribution<int>(0, 4)(random);
  for (int i = 0; i < subfolders; ++i) {
    tree.Folder(folder + "d" + std::to_string(i));
    MakeRandomTree(tree, random, folder + "d" + std::to_string(i) + "/", depth + 1);
  }
}

bool IsPrefix(const std::vector<std::string>& part, const std::vector<std::string>& whole) {
  return part.size() <= whole.size() && std::equal(part.begin(), part.end(), whole.begin());
}

}  // namespace

TEST(OrderedScan, RandomTreesGiveTheOneThreadResultWithAnyNumberOfScanners) {
  for (const unsigned seed : {11u, 29u, 47u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    WalkTestTree tree;
    std::mt19937 random(seed);
    MakeRandomTree(tree, random, "", 0);
    SearchLocations locations;
    locations.paths = {tree.Root()};

    // Searched files, then list-only ones among skipped ones (the name condition).
    SearchConditions listing;
    listing.optionsOpen = true;
    listing.nameTerms = {"txt"};
    for (const SearchConditions& conditions : {SearchConditions{}, listing}) {
      const RunResult one = RunWith(1, locations, conditions, QueryFor("needle"));
      ASSERT_FALSE(one.lines.empty());
      for (const unsigned scanners : {2u, 4u, 8u}) {
        const RunResult many = RunWith(scanners, locations, conditions, QueryFor("needle"));
        EXPECT_EQ(many.lines, one.lines) << scanners << " scanners";
        EXPECT_EQ(many.examined, one.examined) << scanners << " scanners";
      }
    }
  }
}

TEST(OrderedScan, ListOnlyLinesKeepTheirPlaceAmongSearchedFiles) {
  // "At most 1 B": empty files are listed unread, one-byte files are searched.
  WalkTestTree tree;
  std::mt19937 random(5);
  for (int folder = 0; folder < 6; ++folder) {
    for (int i = 0; i < 40; ++i) {
      const int kind = std::uniform_int_distribution<int>(0, 2)(random);
      tree.File("d" + std::to_string(folder) + "/f" + std::to_string(i), kind == 0   ? ""
                                                                         : kind == 1 ? "x"
                                                                                     : "y");
    }
  }
  SearchConditions conditions;
  conditions.optionsOpen = true;
  conditions.searchText = "x";
  conditions.sizeFilterOn = true;
  conditions.sizeLimit = 1;
  SearchLocations locations;
  locations.paths = {tree.Root()};
  const RunResult one = RunWith(1, locations, conditions, QueryFor("x"));
  bool listed = false, found = false;
  for (const std::string& line : one.lines) {
    listed |= SplitHitLine(line)->offsetText == "0" &&
              std::filesystem::file_size(SplitHitLine(line)->path) == 0;
    found |= std::filesystem::file_size(SplitHitLine(line)->path) == 1;
  }
  ASSERT_TRUE(listed && found);
  for (const unsigned scanners : {2u, 4u, 8u}) {
    EXPECT_EQ(RunWith(scanners, locations, conditions, QueryFor("x")).lines, one.lines)
        << scanners << " scanners";
  }
}

TEST(OrderedScan, AHugeFileFirstHoldsBackTheManySmallOnesAfterIt) {
  WalkTestTree tree;
  // The root's files come before its subfolders: the huge one is decided last
  // while far more small files than may wait are behind it.
  const std::uint64_t huge = 48ull << 20;
  {
    std::ofstream out(tree.PathOf("huge.bin"), std::ios::binary);
    out.seekp(static_cast<std::streamoff>(huge - 6));
    out << "needle";  // the rest is a hole
  }
  for (int folder = 0; folder < 40; ++folder) {
    for (int i = 0; i < 12; ++i) {
      tree.File("d" + std::to_string(folder) + "/s" + std::to_string(i) + ".txt",
                i % 2 ? "..needle" : "nothing");
    }
  }
  SearchLocations locations;
  locations.paths = {tree.Root()};
  const RunResult one = RunWith(1, locations, SearchConditions{}, QueryFor("needle"));
  ASSERT_EQ(one.lines.size(), 1u + 40 * 6);
  EXPECT_EQ(one.lines.front(),
            MakeHitLine(tree.PathOf("huge.bin"), static_cast<std::int64_t>(huge - 6)));
  for (const unsigned scanners : {2u, 4u}) {
    const RunResult many = RunWith(scanners, locations, SearchConditions{}, QueryFor("needle"));
    EXPECT_EQ(many.lines, one.lines) << scanners << " scanners";
    EXPECT_EQ(many.examined, one.examined);
  }
}

TEST(OrderedScan, AStopAtAnyMomentKeepsAPrefixOfTheOneThreadResult) {
  WalkTestTree tree;
  std::mt19937 random(71);
  for (int folder = 0; folder < 20; ++folder) {
    // The first file of each folder is long enough to be cut short by the stop
    // (a hole of many reads, the needle at its end); every other file holds it.
    {
      std::filesystem::create_directories(tree.PathOf("d" + std::to_string(folder)));
      std::ofstream out(tree.PathOf("d" + std::to_string(folder) + "/a"), std::ios::binary);
      out.seekp((16 << 20) - 6);
      out << "needle";
    }
    for (int i = 0; i < 20; ++i) {
      std::string contents(200, 'a');
      if (i % 2 == 0) contents.replace(contents.size() - 6, 6, "needle");
      tree.File("d" + std::to_string(folder) + "/f" + std::to_string(i), contents);
    }
  }
  SearchLocations locations;
  locations.paths = {tree.Root()};
  const SearchQuery query = QueryFor("needle");
  const auto started = std::chrono::steady_clock::now();
  const RunResult full = RunWith(1, locations, SearchConditions{}, query);
  const auto fullRun = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - started);
  ASSERT_EQ(full.lines.size(), 20u + 200u);

  // The stop comes after a number of files (mostly between small ones) or after
  // a time (mostly inside a long file).
  for (int trial = 0; trial < 12; ++trial) {
    const unsigned scanners = 2u << (trial % 3);
    const bool byCount = trial % 4 == 0;
    const std::uint64_t stopAt = std::uniform_int_distribution<std::uint64_t>(0, 420)(random);
    const auto stopAfter = std::chrono::microseconds(
        std::uniform_int_distribution<std::int64_t>(0, fullRun.count())(random));
    SCOPED_TRACE(
        "scanners " + std::to_string(scanners) + ", stop after " +
        (byCount ? std::to_string(stopAt) + " files" : std::to_string(stopAfter.count()) + " us"));
    ScanState state;
    SearchProgress progress;
    std::atomic<bool> done{false};
    std::thread worker([&] {
      RunSearch(locations, SearchConditions{}, query, MatchOptions{}, state, progress, scanners);
      done = true;
    });
    const auto begun = std::chrono::steady_clock::now();
    const auto deadline = begun + (byCount ? std::chrono::seconds(60) : stopAfter);
    while (!done && (!byCount || progress.filesExamined.load() < stopAt) &&
           std::chrono::steady_clock::now() < deadline) {
      std::this_thread::yield();
    }
    progress.cancelRequested = true;
    worker.join();
    const std::vector<std::string> kept = HitLines(progress.hitList);
    EXPECT_TRUE(IsPrefix(kept, full.lines)) << kept.size() << " lines kept";
  }
}
