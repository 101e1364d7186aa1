#include "app/history_list_steps.h"

namespace trovex::app {

results::HistoryFileRefs HistoryFileRefsOf(const results::ProgramState& state) {
  results::HistoryFileRefs refs;
  refs.openHistoryPath = state.OpenHistoryPath;
  refs.pendingResultsPath = state.Settings.PendingResultsPath;
  return refs;
}

void ApplyHistoryListOutcome(const results::HistoryListOutcome& outcome,
                             results::ProgramState& state) {
  state.HistoryListDirections = outcome.sortDirections;
  const results::HistoryFileRefs& files = outcome.files;
  if (!outcome.opened) {
    state.OpenHistoryPath = files.openHistoryPath;
    // A closed result without its file is new again: closing offers to save it.
    if (files.openResultDeleted) state.UnsavedNewResult = true;
  }
  state.Settings.PendingResultsPath = files.pendingResultsPath;
  if (files.pendingResultDeleted) state.Settings.PendingResultsFlag = false;
}

}  // namespace trovex::app
