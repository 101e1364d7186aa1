// trovex-find --within: a saved result searched again within its own files, as
// the result window's 絞込み検索 (refine) and, with --mark, its リストの検索.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/find_options.h"
#include "cli_run.h"
#include "hit_lines.h"
#include "results/history_file.h"
#include "results/list_search.h"
#include "search/hit_line.h"
#include "search/parse_search_content.h"
#include "walk_test_tree.h"

using namespace trovex;
using trovex::testing::Find;
using trovex::testing::FindResult;
using trovex::testing::WalkTestTree;
using Lines = std::vector<std::string>;

namespace {

Lines SplitLines(const std::string& text) {
  Lines lines;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t end = text.find('\n', pos);
    lines.push_back(text.substr(pos, end - pos));
    pos = end == std::string::npos ? text.size() : end + 1;
  }
  return lines;
}

// A saved result "apple" over four files, in an order no walk would give; "gone"
// no longer exists. "pear" is in "b" at 4 and in "d" at 0, "PEAR" in "c" at 1.
class FindWithin : public ::testing::Test {
 protected:
  FindWithin() {
    tree_.File("d.txt", "pear apple");
    tree_.File("b.txt", "apple pear");
    tree_.File("c.txt", "aPEAR apple");
    tree_.File("a.txt", "apple only");
    for (const char* name : {"d.txt", "b.txt", "gone.txt", "c.txt", "a.txt"}) {
      saved_.hits.push_back({tree_.PathOf(name), 0});
    }
    saved_.name = "apple";
    saved_.searchContents = {"apple"};
    history_ = tree_.PathOf("result.txd");
    EXPECT_TRUE(results::WriteHistoryFile(history_, saved_));
  }
  // The line of the hit in `name`; a negative offset: mismatched.
  std::string Line(const char* name, std::int64_t offset) const {
    return search::FormatHitLine(
        {tree_.PathOf(name), offset < 0 ? 0 : static_cast<std::uint64_t>(offset), offset < 0});
  }

  WalkTestTree tree_;
  results::HistoryContent saved_;
  std::string history_;
};

TEST(FindWithinOptions, WithinTakesOneContentAndNoWalk) {
  std::string error;
  const auto within = cli::ParseFindOptions({"--within", "r.txd", "--mark", "abc"}, error);
  ASSERT_TRUE(within);
  EXPECT_EQ(within->within, "r.txd");
  EXPECT_TRUE(within->mark);
  EXPECT_EQ(within->search.content, "abc");
  EXPECT_FALSE(cli::ParseFindOptions({"--mark", "abc", "."}, error));
  EXPECT_EQ(error, "--mark needs --within");
  EXPECT_FALSE(cli::ParseFindOptions({"--within", "r.txd", "abc", "."}, error));
  EXPECT_FALSE(cli::ParseFindOptions({"--within", "r.txd", "--count", "abc"}, error));
  EXPECT_FALSE(cli::ParseFindOptions({"--within", "r.txd", "--bytes-of", "utf8", "abc"}, error));
  EXPECT_FALSE(cli::ParseFindOptions({"--within", "r.txd", "--history-lines", "r.txd"}, error));
  EXPECT_FALSE(cli::ParseFindOptions({"--within", "r.txd"}, error));
  EXPECT_FALSE(cli::ParseFindOptions({"--within="}, error));
}

TEST_F(FindWithin, RefinePrintsTheFilesThatHoldTheContentInTheResultsOrder) {
  const FindResult found = Find({"--within", history_, "pear"});
  EXPECT_EQ(found.status, cli::kFoundHits) << found.err;
  // Letter case is ignored unless --options --case.
  EXPECT_EQ(SplitLines(found.out), (Lines{Line("d.txt", 0), Line("b.txt", 6), Line("c.txt", 1)}));

  const FindResult exact = Find({"--within", history_, "--options", "--case", "pear"});
  EXPECT_EQ(SplitLines(exact.out), (Lines{Line("d.txt", 0), Line("b.txt", 6)}));

  const FindResult none = Find({"--within", history_, "plum"});
  EXPECT_EQ(none.status, cli::kNoHits);
  EXPECT_EQ(none.out, "");
}

TEST_F(FindWithin, MarkPrintsEveryFileWithMinusOneForThoseWithoutIt) {
  const FindResult marked = Find({"--within", history_, "--mark", "pear"});
  EXPECT_EQ(marked.status, cli::kFoundHits);
  EXPECT_EQ(SplitLines(marked.out), (Lines{Line("d.txt", 0), Line("b.txt", 6), Line("gone.txt", -1),
                                           Line("c.txt", 1), Line("a.txt", -1)}));
  const FindResult none = Find({"--within", history_, "--mark", "plum"});
  EXPECT_EQ(none.status, cli::kNoHits);
  EXPECT_EQ(SplitLines(none.out).size(), 5u);
  const FindResult snippets = Find({"--within", history_, "--mark", "--snippet", "only"});
  EXPECT_EQ(SplitLines(snippets.out).back(), Line("a.txt", 6) + "\tonly");
}

// The console and the window share one search within the rows: the console's
// lines are the rows the window's function leaves.
TEST_F(FindWithin, TheLinesAreTheRowsTheWindowsSearchLeaves) {
  for (const auto kind : {results::ListSearchKind::Refine, results::ListSearchKind::List}) {
    std::vector<results::HitRecord> rows;
    for (const search::Hit& hit : saved_.hits) {
      results::HitRecord row;
      static_cast<search::Hit&>(row) = hit;
      rows.push_back(row);
    }
    search::SearchOptions options;
    search::SearchQuery query;
    ASSERT_TRUE(search::ParseSearchContent("apple", options, nullptr, query));
    results::ListSearchRun run;
    run.query = &query;
    run.matchOptions = search::MatchOptionsFor(options, query.mode);
    search::ScanState scan;
    results::SearchWithinRows(rows, kind, run, scan);
    Lines expected;
    for (const results::HitRecord& row : rows) expected.push_back(search::FormatHitLine(row));

    std::vector<std::string> args = {"--within", history_};
    if (kind == results::ListSearchKind::List) args.push_back("--mark");
    args.push_back("apple");
    EXPECT_EQ(SplitLines(Find(args).out), expected);
  }
}

TEST_F(FindWithin, SaveHistoryKeepsTheNameAndAddsTheContent) {
  const std::string out = tree_.PathOf("refined.txd");
  const FindResult found = Find({"--within", history_, "--save-history", out, "PEAR"});
  EXPECT_EQ(found.status, cli::kFoundHits);
  EXPECT_NE(found.err.find("saved"), std::string::npos);
  const std::optional<results::HistoryContent> refined = results::LoadHistoryFile(out);
  ASSERT_TRUE(refined);
  EXPECT_EQ(refined->name, "apple");
  EXPECT_EQ(refined->searchContents, (Lines{"apple", "PEAR"}));
  EXPECT_EQ(HitLines(refined->hits), SplitLines(found.out));
  // A content already there (letter case ignored) is not listed twice.
  ASSERT_EQ(Find({"--within", out, "--save-history", out, "--mark", "Apple"}).status,
            cli::kFoundHits);
  EXPECT_EQ(results::LoadHistoryFile(out)->searchContents, (Lines{"apple", "PEAR"}));
}

TEST_F(FindWithin, AnUnreadableHistoryOrABadContentExitsWithTwo) {
  const FindResult missing = Find({"--within", tree_.PathOf("none.txd"), "pear"});
  EXPECT_EQ(missing.status, cli::kBadInput);
  EXPECT_NE(missing.err.find("cannot read the history file"), std::string::npos);
  const FindResult bad = Find({"--within", history_, ",300x"});
  EXPECT_EQ(bad.status, cli::kBadInput);
  EXPECT_EQ(bad.out, "");
}

}  // namespace
