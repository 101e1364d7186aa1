#include "results/run_snapshot.h"

namespace trovex::results {

RunSnapshot TakeRunSnapshot(const search::HitList& hits,
                            const std::function<bool()>& workerFinished) {
  RunSnapshot snapshot;
  snapshot.workerFinished = workerFinished && workerFinished();
  snapshot.hitCount = hits.Count();
  return snapshot;
}

}  // namespace trovex::results
