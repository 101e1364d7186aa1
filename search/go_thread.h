#pragma once
// TGoThread: the worker of a search run. It is created running and walks the
// locations once with its own copies of the query, the matching options and the
// conditions, so that a re-parse or an option change during the run cannot touch
// them. It talks to the result window only through SearchProgress.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "search/run_search.h"

namespace trovex::search {

class TGoThread {
 public:
  // `scanState` and `progress` must outlive the thread. `scanners`: the threads
  // that look into the files (see RunSearch; 0: chosen by the hardware and the volume).
  // `record`: the folders the counting walk listed, taken instead of listing them.
  TGoThread(SearchLocations locations, SearchQuery query, MatchOptions options,
            SearchConditions conditions, ScanState& scanState, SearchProgress& progress,
            unsigned scanners = 0, std::shared_ptr<const WalkRecord> record = nullptr);
  // Waits for the walk to end (set cancelRequested first to make that quick).
  ~TGoThread();
  TGoThread(const TGoThread&) = delete;
  TGoThread& operator=(const TGoThread&) = delete;

  // Whether Execute has returned; never blocks (a zero-time wait).
  bool Finished() const { return finished_.load(); }
  // Waits up to `timeout`; true once finished.
  bool WaitFor(std::chrono::milliseconds timeout);
  // Waits until finished.
  void WaitFor();

  // Asks a thread that has not begun its walk yet to skip it.
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_.load(); }

 private:
  void Execute();
  void Run();

  const SearchLocations locations_;
  const SearchQuery query_;
  const MatchOptions options_;
  const SearchConditions conditions_;
  ScanState& scanState_;
  SearchProgress& progress_;
  const unsigned scanners_;
  std::shared_ptr<const WalkRecord> record_;  // let go once the walk has ended

  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
  std::mutex mutex_;
  std::condition_variable finishedSignal_;
  std::thread thread_;  // last: starts once everything above is in place
};

// What the worker is, for code that reads better by it than by its designed name.
using SearchWorker = TGoThread;

}  // namespace trovex::search
