// Searching a result within itself: which rows a refine keeps, what a list search
// marks, the order the rows are visited in, and a stop at any point.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "results/list_search.h"
#include "search/hit_line.h"
#include "search/parse_search_content.h"
#include "walk_test_tree.h"

using namespace trovex;
using namespace trovex::results;
using trovex::testing::WalkTestTree;

namespace {

// Five rows over files made for them: "a", "c" and "e" hold "needle" at 2, 0 and
// 10; "b" does not; "d" is gone. Every row shows its earlier hit "old".
class ListSearchTest : public ::testing::Test {
 protected:
  ListSearchTest() {
    tree_.File("a.txt", "..needle..");
    tree_.File("b.txt", "no such word");
    tree_.File("c.txt", "needle first");
    tree_.File("e.txt", "0123456789needle");
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}) {
      HitRecord row;
      row.path = tree_.PathOf(name);
      row.offset = 5;
      row.content = "old";
      rows_.push_back(row);
    }
    Parse("needle");
  }

  void Parse(const std::string& content) {
    search::SearchOptions options;
    ASSERT_TRUE(search::ParseSearchContent(content, options, nullptr, query_));
    run_.query = &query_;
    run_.matchOptions = search::MatchOptionsFor(options, query_.mode);
    run_.cancel = &cancel_;
  }

  // The stop is pressed while the messages before the n-th row are processed.
  void StopAtRow(int n) {
    run_.beforeRow = [this, n, calls = 0]() mutable {
      if (++calls == n) cancel_ = true;
    };
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const HitRecord& row : rows_) names.push_back(std::string(FileNamePart(row.path)));
    return names;
  }
  std::vector<std::string> Offsets() const {
    std::vector<std::string> offsets;
    for (const HitRecord& row : rows_) offsets.push_back(search::HitOffsetText(row));
    return offsets;
  }
  std::vector<std::string> Contents() const {
    std::vector<std::string> contents;
    for (const HitRecord& row : rows_) contents.push_back(row.content);
    return contents;
  }

  WalkTestTree tree_;
  std::vector<HitRecord> rows_;
  search::SearchQuery query_;
  std::atomic<bool> cancel_{false};
  ListSearchRun run_;
  search::ScanState scan_;
};

TEST_F(ListSearchTest, RefineKeepsOnlyTheRowsWhoseFileHoldsTheContent) {
  run_.snippet = SnippetInputs{};
  int steps = 0;
  run_.afterRow = [&] { ++steps; };
  const ListSearchOutcome outcome = SearchWithinRows(rows_, ListSearchKind::Refine, run_, scan_);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.txt", "c.txt", "e.txt"}));
  EXPECT_EQ(Offsets(), (std::vector<std::string>{"2", "0", "10"}));
  EXPECT_EQ(Contents(), (std::vector<std::string>{"needle..", "needle first", "needle"}));
  EXPECT_EQ(outcome.visited, 5u);
  EXPECT_EQ(outcome.matched, 3u);
  EXPECT_TRUE(outcome.removedAny);
  EXPECT_FALSE(outcome.stopped);
  EXPECT_FALSE(outcome.topMatch);
  EXPECT_EQ(steps, 5);
}

TEST_F(ListSearchTest, RefineThatMatchesNothingRemovesEveryRow) {
  Parse("absent");
  const ListSearchOutcome outcome = SearchWithinRows(rows_, ListSearchKind::Refine, run_, scan_);
  EXPECT_TRUE(rows_.empty());
  EXPECT_EQ(outcome.matched, 0u);
  EXPECT_TRUE(outcome.removedAny);
}

TEST_F(ListSearchTest, ListSearchKeepsEveryRowAndMarksTheMismatches) {
  run_.snippet = SnippetInputs{};
  const ListSearchOutcome outcome = SearchWithinRows(rows_, ListSearchKind::List, run_, scan_);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}));
  EXPECT_EQ(Offsets(), (std::vector<std::string>{"2", "-1", "0", "-1", "10"}));
  // A row that no longer matches keeps what it showed.
  EXPECT_EQ(Contents(),
            (std::vector<std::string>{"needle..", "old", "needle first", "old", "needle"}));
  EXPECT_EQ(outcome.matched, 3u);
  EXPECT_EQ(outcome.topMatch, 0u);
  EXPECT_FALSE(outcome.removedAny);

  Parse("first");
  const ListSearchOutcome again = SearchWithinRows(rows_, ListSearchKind::List, run_, scan_);
  EXPECT_EQ(Offsets(), (std::vector<std::string>{"-1", "-1", "7", "-1", "-1"}));
  EXPECT_EQ(again.topMatch, 2u);
  EXPECT_EQ(again.matched, 1u);
}

// A stop pressed while the messages before a row are processed is obeyed before
// that row is touched: no row is dropped or marked without its file being searched.
TEST_F(ListSearchTest, AStopLeavesTheRowAtHandAndEveryRowAboveAsTheyWere) {
  StopAtRow(3);  // rows e and d are done, the stop comes before row c
  const ListSearchOutcome list = SearchWithinRows(rows_, ListSearchKind::List, run_, scan_);
  EXPECT_TRUE(list.stopped);
  EXPECT_EQ(list.visited, 2u);
  EXPECT_EQ(Offsets(), (std::vector<std::string>{"5", "5", "5", "-1", "10"}));
  EXPECT_EQ(list.matched, 1u);
  EXPECT_EQ(list.topMatch, 4u);

  cancel_ = false;
  StopAtRow(4);  // e, d and c are done; b (which lacks the content) is not touched
  const ListSearchOutcome refine = SearchWithinRows(rows_, ListSearchKind::Refine, run_, scan_);
  EXPECT_TRUE(refine.stopped);
  EXPECT_EQ(refine.visited, 3u);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.txt", "b.txt", "c.txt", "e.txt"}));
  EXPECT_EQ(Offsets(), (std::vector<std::string>{"5", "5", "0", "10"}));
}

TEST_F(ListSearchTest, AStopBeforeTheFirstRowChangesNothing) {
  cancel_ = true;
  const ListSearchOutcome outcome = SearchWithinRows(rows_, ListSearchKind::Refine, run_, scan_);
  EXPECT_TRUE(outcome.stopped);
  EXPECT_EQ(outcome.visited, 0u);
  EXPECT_EQ(rows_.size(), 5u);
  EXPECT_EQ(Offsets(), (std::vector<std::string>(5, "5")));
}

TEST_F(ListSearchTest, SearchingAgainGoesTopDownAndBlanksTheRowsWithoutAMatch) {
  run_.snippet = SnippetInputs{};
  const ListSearchOutcome outcome = SearchRowsAgain(rows_, run_, scan_);
  EXPECT_EQ(Offsets(), (std::vector<std::string>{"2", "-1", "0", "-1", "10"}));
  EXPECT_EQ(Contents(), (std::vector<std::string>{"needle..", "", "needle first", "", "needle"}));
  EXPECT_EQ(outcome.matched, 3u);

  Parse("first");
  StopAtRow(3);  // a and b are done
  const ListSearchOutcome stopped = SearchRowsAgain(rows_, run_, scan_);
  EXPECT_TRUE(stopped.stopped);
  EXPECT_EQ(Offsets(), (std::vector<std::string>{"-1", "-1", "0", "-1", "10"}));
}

// The snippet's form follows the content the window shows, not the new content: a
// byte-list refine of a text result shows its snippets as text.
TEST_F(ListSearchTest, ANumbersRefineOfATextResultShowsTextSnippets) {
  search::SearchOptions options;
  ASSERT_TRUE(search::ParseSearchContent(",0x6E,0x65", options, nullptr, query_));
  run_.matchOptions = search::MatchOptionsFor(options, query_.mode);
  run_.snippet = ListSearchSnippetInputs(options, query_, "needle", BinaryDisplay::Hex);
  SearchWithinRows(rows_, ListSearchKind::Refine, run_, scan_);
  EXPECT_EQ(Contents(), (std::vector<std::string>{"needle..", "needle first", "needle"}));
  run_.snippet = ListSearchSnippetInputs(options, query_, ",0x6E,0x65", BinaryDisplay::Hex);
  SearchWithinRows(rows_, ListSearchKind::Refine, run_, scan_);
  EXPECT_EQ(rows_.front().content, "6E,65,65,64,6C,65,2E,2E");
}

TEST(ListSearchRules, AContentIsAddedOnceWhateverItsLetterCase) {
  std::vector<std::string> contents = {"Abc"};
  EXPECT_FALSE(AddSearchContent(contents, "aBC"));
  EXPECT_TRUE(AddSearchContent(contents, "def"));
  EXPECT_TRUE(AddSearchContent(contents, "ＡＢＣ"));   // full-width letters are other letters
  EXPECT_FALSE(AddSearchContent(contents, "ａｂｃ"));  // ... that lower like the locale's
  EXPECT_EQ(contents, (std::vector<std::string>{"Abc", "def", "ＡＢＣ"}));
}

TEST(ListSearchRules, TheTypedContentIsParsedWithoutTheWalksNameFragmentsOrAConversion) {
  search::SearchOptions panel;
  panel.nameFilter = "txt";
  panel.conversionSource = "あ";
  panel.fromUtf8 = true;
  const search::SearchOptions options = OptionsForListSearch(panel);
  search::SearchQuery query;
  std::vector<std::string> messages;
  EXPECT_FALSE(search::ParseSearchContent(
      "", options, [&](const std::string& m) { messages.push_back(m); }, query));
  EXPECT_EQ(messages, (std::vector<std::string>{"検索する内容が入力されていません。"}));
  ASSERT_TRUE(search::ParseSearchContent("abc", options, nullptr, query));
  EXPECT_EQ(query.displayText, "abc");
  EXPECT_FALSE(ListSearchSnippetInputs(options, query, "abc", BinaryDisplay::Hex).fromUtf8);
}

}  // namespace
