#include <gtest/gtest.h>

#include <memory>

#include "hit_lines.h"
#include "search/go_thread.h"
#include "search/hit_line.h"
#include "search/parse_search_content.h"
#include "walk_test_tree.h"

using namespace trovex::search;
using trovex::testing::WalkTestTree;

namespace {

struct StartValues {
  SearchLocations locations;
  SearchQuery query;
  MatchOptions options;
  SearchConditions conditions;
};

SearchQuery Parse(const std::string& text) {
  SearchQuery query;
  EXPECT_TRUE(ParseSearchContent(
      text, SearchOptions{}, [](const std::string&) {}, query));
  return query;
}

}  // namespace

TEST(GoThread, SearchesWithItsOwnCopiesOfTheStartValues) {
  WalkTestTree tree;
  tree.File("hit.txt", "..Alpha..");
  tree.File("other.txt", "..beta..");
  tree.File("skip.doc", "alpha");
  auto start = std::make_unique<StartValues>();
  start->locations.paths = {tree.Root()};
  start->query = Parse("alpha");
  start->options.mode = start->query.mode;
  start->conditions.optionsOpen = true;
  start->conditions.searchText = "alpha";
  start->conditions.nameTerms = {"txt"};

  ScanState scanState;
  SearchProgress progress;
  TGoThread worker(start->locations, start->query, start->options, start->conditions, scanState,
                   progress);
  // What the window holds may change or vanish while the worker runs.
  start->query = Parse("beta");
  start->conditions.nameTerms = {"doc"};
  start.reset();

  worker.WaitFor();
  EXPECT_TRUE(worker.Finished());
  EXPECT_EQ(HitLines(progress.hitList),
            std::vector<std::string>{MakeHitLine(tree.PathOf("hit.txt"), 2)});
  EXPECT_EQ(progress.filesExamined.load(), 3u);
}

TEST(GoThread, FinishedIsPolledWithoutBlockingAndAStopEndsTheRun) {
  WalkTestTree tree;
  for (int i = 0; i < 30; ++i) {
    std::string name = "f";  // built in steps: GCC 12 warns falsely on a + chain here
    name += std::to_string(i);
    name += ".txt";
    tree.File(name, "needle");
  }
  SearchLocations locations;
  locations.paths = {tree.Root()};
  ScanState scanState;
  SearchProgress progress;
  progress.cancelRequested = true;  // stopped before it began: nothing is examined
  TGoThread worker(locations, Parse("needle"), MatchOptions{}, SearchConditions{}, scanState,
                   progress);
  while (!worker.Finished()) worker.WaitFor(std::chrono::milliseconds(10));
  EXPECT_EQ(progress.hitList.Count(), 0u);
  EXPECT_EQ(progress.filesExamined.load(), 0u);

  progress.cancelRequested = false;
  TGoThread full(locations, Parse("needle"), MatchOptions{}, SearchConditions{}, scanState,
                 progress);
  EXPECT_TRUE(full.WaitFor(std::chrono::milliseconds(60000)));
  EXPECT_EQ(progress.hitList.Count(), 30u);
}
