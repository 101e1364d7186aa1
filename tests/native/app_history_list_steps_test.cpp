// The history list's renames and deletes followed in the files the program's
// bookkeeping names, and applied back to the program's state when it closes.
#include <gtest/gtest.h>

#include "app/history_list_steps.h"

namespace trovex::app {
namespace {

using results::FollowDelete;
using results::FollowRename;
using results::HistoryFileRefs;
using results::HistoryListOutcome;
using results::ProgramState;

TEST(HistoryListSteps, RenamesAndDeletesAreFollowedInTheirOrderInAnyLetterCase) {
  HistoryFileRefs refs{"/u/Open.txd", "/u/pending.txd"};
  FollowRename(refs, "/u/other.txd", "/u/x.txd");
  EXPECT_EQ(refs.openHistoryPath, "/u/Open.txd");
  FollowRename(refs, "/u/OPEN.TXD", "/u/renamed.txd");
  FollowRename(refs, "/u/Pending.txd", "/u/later.txd");
  EXPECT_EQ(refs.openHistoryPath, "/u/renamed.txd");
  EXPECT_EQ(refs.pendingResultsPath, "/u/later.txd");
  EXPECT_FALSE(refs.openResultDeleted || refs.pendingResultDeleted);

  // A file renamed into a deleted one's name is not the deleted one.
  FollowDelete(refs, "/u/renamed.txd");
  FollowRename(refs, "/u/w.txd", "/u/renamed.txd");
  EXPECT_EQ(refs.openHistoryPath, "");
  EXPECT_TRUE(refs.openResultDeleted);
  EXPECT_FALSE(refs.pendingResultDeleted);
  FollowDelete(refs, "/u/LATER.txd");
  EXPECT_EQ(refs.pendingResultsPath, "");
  EXPECT_TRUE(refs.pendingResultDeleted);

  // No reference: nothing matches, even an empty path.
  HistoryFileRefs none;
  FollowDelete(none, "");
  FollowRename(none, "", "/u/a.txd");
  EXPECT_EQ(none.openHistoryPath, "");
  EXPECT_FALSE(none.openResultDeleted || none.pendingResultDeleted);
}

// The open result and the saved result of the power action, both with their files.
void WithBothFiles(ProgramState& state) {
  state.OpenHistoryPath = "/u/open.txd";
  state.UnsavedNewResult = false;
  state.Settings.PendingResultsPath = "/u/pending.txd";
  state.Settings.PendingResultsFlag = true;
}

TEST(HistoryListSteps, TheOutcomeUpdatesTheBookkeepingAndAnOpenedFileKeepsTheLoadsPart) {
  ProgramState closed;
  WithBothFiles(closed);
  HistoryListOutcome outcome;
  outcome.files = HistoryFileRefsOf(closed);
  EXPECT_EQ(outcome.files.openHistoryPath, "/u/open.txd");
  EXPECT_EQ(outcome.files.pendingResultsPath, "/u/pending.txd");
  FollowDelete(outcome.files, "/u/open.txd");
  FollowDelete(outcome.files, "/u/pending.txd");
  outcome.sortDirections.ascending[1] = false;

  ApplyHistoryListOutcome(outcome, closed);
  EXPECT_EQ(closed.OpenHistoryPath, "");
  EXPECT_TRUE(closed.UnsavedNewResult);
  EXPECT_EQ(closed.Settings.PendingResultsPath, "");
  EXPECT_FALSE(closed.Settings.PendingResultsFlag);
  EXPECT_FALSE(closed.HistoryListDirections.ascending[1]);

  // OK loaded another file: the load set the open path, the delete does not undo it.
  ProgramState opened;
  WithBothFiles(opened);
  opened.OpenHistoryPath = "/u/chosen.txd";
  outcome.opened = true;
  ApplyHistoryListOutcome(outcome, opened);
  EXPECT_EQ(opened.OpenHistoryPath, "/u/chosen.txd");
  EXPECT_FALSE(opened.UnsavedNewResult);
  EXPECT_FALSE(opened.Settings.PendingResultsFlag);

  // Nothing deleted: the flags stay as they were.
  ProgramState untouched;
  WithBothFiles(untouched);
  ApplyHistoryListOutcome(HistoryListOutcome{false, HistoryFileRefsOf(untouched), {}}, untouched);
  EXPECT_EQ(untouched.OpenHistoryPath, "/u/open.txd");
  EXPECT_FALSE(untouched.UnsavedNewResult);
  EXPECT_TRUE(untouched.Settings.PendingResultsFlag);
}

}  // namespace
}  // namespace trovex::app
