#pragma once
// What one timer tick of a result window takes from a running search.
#include <cstddef>
#include <functional>

#include "search/search_progress.h"

namespace trovex::results {

struct RunSnapshot {
  bool workerFinished = false;
  std::size_t hitCount = 0;
};

// Asks whether the worker has finished BEFORE it counts the hit lines: a line the
// worker appends before it ends is then always counted, even when it comes between
// the two looks. (Counting first could miss the last lines for good: the tick that
// sees the worker finished is its last.)
RunSnapshot TakeRunSnapshot(const search::HitList& hits,
                            const std::function<bool()>& workerFinished);

}  // namespace trovex::results
