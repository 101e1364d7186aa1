// The result window's rules that need no window: sorting with the program's
// direction flags, the counter and save texts, which commands a busy window
// offers, which rows 削除 removes, and what a timer tick takes from a run.
#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <string>
#include <thread>
#include <vector>

#include "hit_lines.h"
#include "platform/fs/path_separator.h"
#include "results/hit_sort.h"
#include "results/result_commands.h"
#include "results/result_texts.h"
#include "results/row_removal.h"
#include "results/run_snapshot.h"
#include "search/hit_line.h"

using namespace trovex;
using namespace trovex::results;

namespace {

int ByteOrder(const std::string& a, const std::string& b) { return a.compare(b); }

HitRecord Row(std::string name, std::string size, std::string modified = "") {
  HitRecord row;
  row.fileName = name;
  row.path = "p" + name;
  row.sizeText = std::move(size);
  row.modifiedText = std::move(modified);
  return row;
}

std::vector<std::string> Names(const std::vector<HitRecord>& rows,
                               const std::vector<std::size_t>& order) {
  std::vector<std::string> names;
  for (std::size_t i : order) names.push_back(rows[i].fileName);
  return names;
}

TEST(ResultsSort, SizeSortsByNumberAscendingThenDescending) {
  const std::vector<HitRecord> rows = {Row("a", "2KB"), Row("b", "999B"), Row("c", ""),
                                       Row("d", "1MB")};
  SortDirections directions;
  EXPECT_EQ(Names(rows, SortOrder(rows, kColSize, directions, ByteOrder)),
            (std::vector<std::string>{"c", "b", "a", "d"}));
  EXPECT_FALSE(directions.ascending[kColSize]);
  EXPECT_EQ(Names(rows, SortOrder(rows, kColSize, directions, ByteOrder)),
            (std::vector<std::string>{"d", "a", "b", "c"}));
  EXPECT_TRUE(directions.ascending[kColSize]);
}

TEST(ResultsSort, EachColumnKeepsItsOwnFlagAndThePathDoesNotSort) {
  const std::vector<HitRecord> rows = {Row("b", "1B", "2020/01/02 00:00"),
                                       Row("a", "2B", "2021/01/01 00:00")};
  SortDirections directions;
  EXPECT_EQ(Names(rows, SortOrder(rows, kColFileName, directions, ByteOrder)),
            (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(Names(rows, SortOrder(rows, kColModified, directions, ByteOrder)),
            (std::vector<std::string>{"b", "a"}));
  EXPECT_FALSE(directions.ascending[kColFileName]);
  EXPECT_FALSE(directions.ascending[kColModified]);
  EXPECT_TRUE(directions.ascending[kColSize]);
  EXPECT_TRUE(SortOrder(rows, kColPath, directions, ByteOrder).empty());
  EXPECT_EQ(CompareRows(rows[0], rows[1], kColPath, ByteOrder), 0);
}

TEST(ResultsSort, TextColumnsUseTheGivenOrder) {
  const std::vector<HitRecord> rows = {Row("B", ""), Row("a", "")};
  SortDirections directions;
  const TextOrder caseless = [](std::string a, std::string b) {
    for (std::string* text : {&a, &b}) {
      for (char& c : *text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return a.compare(b);
  };
  EXPECT_EQ(Names(rows, SortOrder(rows, kColFileName, directions, caseless)),
            (std::vector<std::string>{"a", "B"}));
  EXPECT_EQ(Names(rows, SortOrder(rows, kColFileName, directions, caseless)),
            (std::vector<std::string>{"B", "a"}));
}

TEST(ResultsTexts, CounterShowsFilesOverHitsLiveAndLinesOverRowsAfterwards) {
  EXPECT_EQ(CounterText(12, 3), "12/3件");
  EXPECT_EQ(UpdateCounterText(true, 120, 7, 5), "120/7件");
  EXPECT_EQ(UpdateCounterText(false, 120, 7, 5), "7/5件");
  EXPECT_EQ(UpdateCounterText(true, 10000000000ull, 0, 0), "10000000000/0件");
}

TEST(ResultsTexts, SavePromptNamesTheResultAndSaysWhetherItChanged) {
  EXPECT_EQ(SavePromptText("abc", "abc", true), "履歴名 [ abc ]\n変更した検索内容を保存しますか？");
  EXPECT_EQ(SavePromptText("abc", "abc", false), "履歴名 [ abc ]\n検索内容を保存しますか？");
  EXPECT_EQ(SavePromptText("", "", true), "検索内容を保存しますか？");
  EXPECT_EQ(HistoryName("テキスト", ",0x83,0x65"), "テキスト");
  EXPECT_EQ(HistoryName("", "abc"), "abc");
}

TEST(ResultsTexts, SavePromptAsksForNewResultsWithRowsAndForChangedOnes) {
  EXPECT_TRUE(SavePromptAsks(3, true, false));
  EXPECT_FALSE(SavePromptAsks(0, true, false));   // a new result without hits
  EXPECT_FALSE(SavePromptAsks(3, false, false));  // an opened history, unchanged
  EXPECT_TRUE(SavePromptAsks(0, false, true));
}

TEST(ResultsCommands, OneBusyStateDisablesEveryCommandThatChangesTheRows) {
  ResultWindowStatus status;
  status.rowCount = 4;
  status.selectedCount = 1;
  status.modified = true;
  const CommandStates idle = CommandStatesFor(status);
  EXPECT_TRUE(idle.openHistory && idle.undo && idle.renameHistory && idle.refine &&
              idle.listSearch && idle.deleteRows && idle.snippetOptions && idle.menusEnabled);

  status.producingRows = true;
  const CommandStates busy = CommandStatesFor(status);
  EXPECT_FALSE(busy.openHistory);
  EXPECT_FALSE(busy.undo);
  EXPECT_FALSE(busy.renameHistory);
  EXPECT_FALSE(busy.refine);
  EXPECT_FALSE(busy.listSearch);
  EXPECT_FALSE(busy.deleteRows);
  EXPECT_FALSE(busy.snippetOptions);
  EXPECT_FALSE(busy.menusEnabled);
  // Selecting changes no row, and the context menu still shows its items.
  EXPECT_TRUE(busy.selectAll && busy.invertSelection && busy.selectMismatches);
  EXPECT_TRUE(busy.contextItemsVisible);
}

TEST(ResultsCommands, RowsSelectionAndChangesGateTheirCommands) {
  ResultWindowStatus status;
  const CommandStates empty = CommandStatesFor(status);
  EXPECT_FALSE(empty.undo || empty.selectAll || empty.invertSelection || empty.selectMismatches ||
               empty.renameHistory || empty.refine || empty.listSearch);
  EXPECT_FALSE(empty.contextItemsVisible || empty.deleteRows);
  EXPECT_TRUE(empty.openHistory && empty.snippetOptions);
  status.rowCount = 2;
  const CommandStates rows = CommandStatesFor(status);
  EXPECT_TRUE(rows.selectAll && rows.refine);
  EXPECT_FALSE(rows.undo);
  EXPECT_FALSE(rows.contextItemsVisible);
}

TEST(ResultsRemoval, RemovesSelectedRowsListedInTheHitListLastFirst) {
  std::vector<HitRecord> rows = {Row("a", ""), Row("b", ""), Row("c", ""), Row("d", "")};
  rows[0].path = "X" + std::string(1, fs::kPathSeparator) + "A=B.TXT";
  const std::vector<search::Hit> lines =
      HitsOfLines({search::MakeHitLine("x" + std::string(1, fs::kPathSeparator) + "a=b.txt", 3),
                   search::MakeHitLine("pb", 0), search::MakeHitLine("pd", 9)});
  // "pc" has no line: it stays. The path with "=" is found by the last-"=" split.
  EXPECT_EQ(RowsToRemove(rows, {0, 1, 2, 3}, lines), (std::vector<std::size_t>{3, 1, 0}));
  EXPECT_EQ(RowsToRemove(rows, {}, lines), (std::vector<std::size_t>{}));
  EXPECT_EQ(RowsToRemove(rows, {1, 9}, lines), (std::vector<std::size_t>{1}));
}

TEST(ResultsRemoval, RemoveRowsAtKeepsTheOthersInOrderAndSaysWhereEachCameFrom) {
  std::vector<std::string> rows = {"a", "b", "c", "d", "e"};
  // Any order, a repeat and an index past the end.
  EXPECT_EQ(RemoveRowsAt(rows, {3, 0, 3, 7}), (std::vector<std::size_t>{1, 2, 4}));
  EXPECT_EQ(rows, (std::vector<std::string>{"b", "c", "e"}));
  EXPECT_EQ(RemoveRowsAt(rows, {}), (std::vector<std::size_t>{0, 1, 2}));
  EXPECT_EQ(rows, (std::vector<std::string>{"b", "c", "e"}));
  EXPECT_EQ(RemoveRowsAt(rows, {2, 1, 0}), (std::vector<std::size_t>{}));
  EXPECT_TRUE(rows.empty());
}

TEST(ResultsRunSnapshot, ALineAppendedJustBeforeTheWorkerEndsIsCounted) {
  search::HitList hits;
  hits.Add(HitOfLine("a=0"));
  // The worker appends its last hit between the window's two looks and ends.
  const RunSnapshot snapshot = TakeRunSnapshot(hits, [&] {
    hits.Add(HitOfLine("b=0"));
    return true;
  });
  EXPECT_TRUE(snapshot.workerFinished);
  EXPECT_EQ(snapshot.hitCount, 2u);

  const RunSnapshot none = TakeRunSnapshot(hits, {});
  EXPECT_FALSE(none.workerFinished);
  EXPECT_EQ(none.hitCount, 2u);
}

TEST(ResultsRunSnapshot, AFinishedWorkersLinesAreAllCountedUnderARealThread) {
  for (int round = 0; round < 50; ++round) {
    search::HitList hits;
    std::atomic<bool> finished{false};
    std::thread worker([&] {
      for (int i = 0; i < 200; ++i) hits.Add({"f", static_cast<std::uint64_t>(i)});
      finished = true;
    });
    RunSnapshot snapshot;
    do {
      snapshot = TakeRunSnapshot(hits, [&] { return finished.load(); });
    } while (!snapshot.workerFinished);
    worker.join();
    ASSERT_EQ(snapshot.hitCount, 200u) << round;
  }
}

}  // namespace
