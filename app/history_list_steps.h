#pragma once
// The history list's part in the program's bookkeeping: the files it is given to
// follow, and what it did applied back when it closes.
#include "results/history_list.h"
#include "results/program_state.h"

namespace trovex::app {

// The open result's file and the power action's saved result, as the list follows them.
results::HistoryFileRefs HistoryFileRefsOf(const results::ProgramState& state);

// The list's renames and deletes, and its sort directions, applied to `state`. A
// file the list opened replaced the result and its bookkeeping: the open file's
// part is left to the load then.
void ApplyHistoryListOutcome(const results::HistoryListOutcome& outcome,
                             results::ProgramState& state);

}  // namespace trovex::app
