#include "search/go_thread.h"

namespace trovex::search {

TGoThread::TGoThread(SearchLocations locations, SearchQuery query, MatchOptions options,
                     SearchConditions conditions, ScanState& scanState, SearchProgress& progress,
                     unsigned scanners, std::shared_ptr<const WalkRecord> record)
    : locations_(std::move(locations)),
      query_(std::move(query)),
      options_(options),
      conditions_(std::move(conditions)),
      scanState_(scanState),
      progress_(progress),
      scanners_(scanners),
      record_(std::move(record)),
      thread_(&TGoThread::Run, this) {}

TGoThread::~TGoThread() {
  if (thread_.joinable()) thread_.join();
}

void TGoThread::Execute() {
  if (Terminated()) return;
  RunSearch(locations_, conditions_, query_, options_, scanState_, progress_, scanners_,
            record_.get());
}

void TGoThread::Run() {
  Execute();
  record_.reset();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    finished_ = true;
  }
  finishedSignal_.notify_all();
}

bool TGoThread::WaitFor(std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  return finishedSignal_.wait_for(lock, timeout, [this] { return finished_.load(); });
}

void TGoThread::WaitFor() {
  std::unique_lock<std::mutex> lock(mutex_);
  finishedSignal_.wait(lock, [this] { return finished_.load(); });
}

}  // namespace trovex::search
