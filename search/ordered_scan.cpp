#include "search/ordered_scan.h"

#include <algorithm>
#include <chrono>

#include "platform/fs/seek_penalty.h"
#include "search/hit.h"

namespace trovex::search {
namespace {

// A stop is a flag the window sets without telling anyone: waits look at it this often.
constexpr auto kStopPoll = std::chrono::milliseconds(10);
// Each wake-up is a system call and, on a busy machine, a switch between threads:
// sleeping scanners are woken once this many files wait, and otherwise look for
// work this often on their own.
constexpr std::size_t kWakeBatch = 16;
constexpr auto kIdleLook = std::chrono::milliseconds(2);

}  // namespace

unsigned DefaultScannerCount() { return std::max(1u, std::thread::hardware_concurrency()); }

// Enough that a large file holding up publication does not idle the other
// scanners on a folder of small ones; few enough that the open folders (each
// file holds its listing) stay far below the process's handle limit.
std::size_t FilesAheadFor(unsigned scanners) {
  return std::clamp<std::size_t>(std::size_t{32} * scanners, 64, 512);
}

OrderedScan::OrderedScan(unsigned scanners, const SearchQuery& query, const MatchOptions& options,
                         ScanState& firstState, SearchProgress& progress,
                         bool oneReaderWhereSeeking)
    : query_(query),
      options_(options),
      progress_(progress),
      ahead_(FilesAheadFor(std::max(scanners, 1u))),
      readThroughCache_(firstState.readThroughCache),
      bypassEveryFile_(firstState.bypassEveryFile),
      fileFailure_(firstState.fileFailure),
      oneReaderWhereSeeking_(oneReaderWhereSeeking) {
  for (unsigned i = 1; i < scanners; ++i) {
    ownStates_.push_back(std::make_unique<ScanState>());
    ownStates_.back()->readThroughCache = readThroughCache_;
    ownStates_.back()->bypassEveryFile = bypassEveryFile_;
    ownStates_.back()->fileFailure = firstState.fileFailure;
  }
  scanners_.reserve(std::max(scanners, 1u));
  scanners_.emplace_back(&OrderedScan::ScannerLoop, this, std::ref(firstState));
  for (auto& state : ownStates_)
    scanners_.emplace_back(&OrderedScan::ScannerLoop, this, std::ref(*state));
}

OrderedScan::~OrderedScan() { Finish(); }

bool OrderedScan::Stopped() const { return progress_.cancelRequested.load(); }

void OrderedScan::Finish() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closing_ = true;
  }
  workReady_.notify_all();
  for (std::thread& scanner : scanners_) {
    if (scanner.joinable()) scanner.join();
  }
  std::lock_guard<std::mutex> lock(mutex_);
  PublishDecided();
}

void OrderedScan::PublishDecided() {
  bool freed = false;
  while (!window_.empty()) {
    Slot& head = window_.front();
    if (head.outcome == Outcome::Hit) {
      progress_.hitList.Add(Hit{std::move(head.path), head.offset, false, std::move(head.found)});
    } else if (head.outcome != Outcome::NoHit) {
      break;  // undecided, or cut by a stop: nothing after it may show
    }
    window_.pop_front();
    ++windowStart_;
    freed = true;
  }
  // A waiting walk goes on once half the window is free, not at every file.
  if (freed && walkWaits_ && window_.size() <= ahead_ / 2) roomReady_.notify_one();
}

bool OrderedScan::WaitForRoom(std::unique_lock<std::mutex>& lock) {
  if (window_.size() >= ahead_) {
    workReady_.notify_all();
    walkWaits_ = true;
    while (window_.size() > ahead_ / 2 && !Stopped()) roomReady_.wait_for(lock, kStopPoll);
    walkWaits_ = false;
  }
  return !Stopped();
}

bool OrderedScan::Drain() {
  std::unique_lock<std::mutex> lock(mutex_);
  workReady_.notify_all();
  while (!window_.empty()) {
    if (Stopped()) return false;
    roomReady_.wait_for(lock, kStopPoll);
  }
  return true;
}

void OrderedScan::LocationBegins(const std::string& location) {
  // One reader on a volume that seeks: the files handed over so far are done
  // first, then this location is looked into on the walking thread.
  const bool seeks = oneReaderWhereSeeking_ && scanners_.size() > 1 &&
                     fs::HasSeekPenalty(location).value_or(false);
  if (seeks == walkerScans_) return;
  Drain();
  walkerScans_ = seeks;
  if (walkerScans_ && !walkerState_) {
    walkerState_ = std::make_unique<ScanState>();
    walkerState_->readThroughCache = readThroughCache_;
    walkerState_->bypassEveryFile = bypassEveryFile_;
    walkerState_->fileFailure = fileFailure_;
  }
}

void OrderedScan::Reached(const std::string& path) {
  if (walkerScans_) progress_.SetCurrentFile(path);
}

void OrderedScan::ListOnly(const std::string& path) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (!WaitForRoom(lock)) return;
  Slot& slot = window_.emplace_back();
  slot.outcome = Outcome::Hit;
  slot.path = path;
  ++nextSequence_;
  progress_.filesExamined.fetch_add(1);
  PublishDecided();
}

void OrderedScan::Skipped() { progress_.filesExamined.fetch_add(1); }

void OrderedScan::SearchHere(const std::string& path, const fs::ListedFile& listed) {
  const auto offset =
      SearchFile(path, query_, options_, *walkerState_, progress_.cancelRequested, listed);
  progress_.filesExamined.fetch_add(1);
  if (!offset) return;
  std::lock_guard<std::mutex> lock(mutex_);
  // After a stop that cut a scanner's file short, a later hit would leave a gap.
  if (window_.empty())
    progress_.hitList.Add(Hit{path, *offset, false, std::move(walkerState_->found)});
}

void OrderedScan::Search(const std::string& path,
                         const std::shared_ptr<const fs::DirectoryListing>& folder,
                         const fs::DirEntry& entry) {
  if (walkerScans_) {
    SearchHere(path, fs::ListedFile{folder ? folder->FolderHandle() : -1, entry.name.c_str(),
                                    !entry.isLink});
    return;
  }
  bool wake = false;
  {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!WaitForRoom(lock)) return;
    window_.emplace_back();
    queue_.push_back(Work{nextSequence_++, path, folder, entry.name, !entry.isLink});
    wake = idleScanners_ > 0 && queue_.size() % kWakeBatch == 0;
  }
  if (wake) workReady_.notify_all();
}

void OrderedScan::ScannerLoop(ScanState& state) {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    while (queue_.empty() && !closing_) {
      ++idleScanners_;
      workReady_.wait_for(lock, kIdleLook);
      --idleScanners_;
    }
    if (queue_.empty()) return;
    Work work = std::move(queue_.front());
    queue_.pop_front();
    lock.unlock();

    Outcome outcome = Outcome::Cut;
    std::uint64_t offset = 0;
    std::shared_ptr<const FoundBytes> foundBytes;
    if (!Stopped()) {
      progress_.SetCurrentFile(work.path);
      const fs::ListedFile listed{work.folder ? work.folder->FolderHandle() : -1, work.name.c_str(),
                                  work.notLink};
      const auto found =
          SearchFile(work.path, query_, options_, state, progress_.cancelRequested, listed);
      // No hit after a stop may be a scan cut short: undecided for good, and not
      // counted as examined (several scanners may be cut at once).
      if (found) {
        outcome = Outcome::Hit;
        offset = *found;
        foundBytes = std::move(state.found);
      } else if (!Stopped()) {
        outcome = Outcome::NoHit;
      }
      if (outcome != Outcome::Cut) progress_.filesExamined.fetch_add(1);
    }
    work.folder.reset();  // the last file of a folder closes its listing, outside the lock

    lock.lock();
    Slot& slot = window_[static_cast<std::size_t>(work.sequence - windowStart_)];
    slot.outcome = outcome;
    slot.offset = offset;
    if (outcome == Outcome::Hit) {
      slot.path = std::move(work.path);
      slot.found = std::move(foundBytes);
    }
    if (work.sequence == windowStart_) PublishDecided();
  }
}

}  // namespace trovex::search
