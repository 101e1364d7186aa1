#pragma once
// A search run's files looked into by several scanning threads while the walk
// lists on one. What the run shows stays as one thread gives it: hit lines are
// published in walk order, each only once every file before it is decided, so a
// stop keeps exactly the hits that precede it.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "search/file_scan.h"
#include "search/file_walk.h"

namespace trovex::search {

// The number of scanners a run uses when not told: the hardware threads.
unsigned DefaultScannerCount();

// How many files may be handed over ahead of the oldest undecided one: what
// bounds the memory, and the folders held open, whatever the tree.
std::size_t FilesAheadFor(unsigned scanners);

// The hand-over of RunWalk to `scanners` threads. `firstState` serves the first
// of them (the others get their own, taking its readThroughCache and bypassEveryFile). With
// `oneReaderWhereSeeking`, locations on a volume with a seek penalty are looked
// into on the walking thread alone. Finish (or the destructor) waits for the scanners.
class OrderedScan final : public WalkedFiles {
 public:
  OrderedScan(unsigned scanners, const SearchQuery& query, const MatchOptions& options,
              ScanState& firstState, SearchProgress& progress, bool oneReaderWhereSeeking);
  ~OrderedScan() override;
  OrderedScan(const OrderedScan&) = delete;
  OrderedScan& operator=(const OrderedScan&) = delete;

  void LocationBegins(const std::string& location) override;
  void Reached(const std::string& path) override;
  void ListOnly(const std::string& path) override;
  void Search(const std::string& path, const std::shared_ptr<const fs::DirectoryListing>& folder,
              const fs::DirEntry& entry) override;
  void Skipped() override;

  // Lets the scanners take what is left, waits for them and publishes what is decided.
  void Finish();

 private:
  enum class Outcome : std::uint8_t { Undecided, Hit, NoHit, Cut };
  // A file handed over in walk order, from its hand-over to its publication.
  struct Slot {
    Outcome outcome = Outcome::Undecided;
    std::uint64_t offset = 0;
    std::string path;  // kept for a hit only
    std::shared_ptr<const FoundBytes> found;
  };
  struct Work {
    std::uint64_t sequence = 0;
    std::string path;
    std::shared_ptr<const fs::DirectoryListing> folder;
    std::string name;
    bool notLink = false;
  };

  void ScannerLoop(ScanState& state);
  // Waits, the lock held, until one more file may be handed over; false on a stop.
  bool WaitForRoom(std::unique_lock<std::mutex>& lock);
  // Waits until every file handed over is published; false on a stop.
  bool Drain();
  // Adds the hit lines of the decided files at the head of the window.
  void PublishDecided();
  bool Stopped() const;
  void SearchHere(const std::string& path, const fs::ListedFile& listed);

  const SearchQuery& query_;
  const MatchOptions& options_;
  SearchProgress& progress_;
  const std::size_t ahead_;
  const bool readThroughCache_;
  const bool bypassEveryFile_;
  const ReadFailureReport fileFailure_;  // the first scanner's, given to every other
  const bool oneReaderWhereSeeking_;

  std::mutex mutex_;
  std::condition_variable workReady_;  // scanners wait for work
  std::condition_variable roomReady_;  // the walk waits for room
  std::deque<Work> queue_;             // handed over, not yet taken
  std::deque<Slot> window_;            // from the oldest unpublished file on
  std::uint64_t windowStart_ = 0;      // sequence of window_.front()
  std::uint64_t nextSequence_ = 0;
  unsigned idleScanners_ = 0;
  bool walkWaits_ = false;  // the walk waits for room
  bool closing_ = false;
  bool walkerScans_ = false;  // this location has a seek penalty
  std::unique_ptr<ScanState> walkerState_;

  std::vector<std::unique_ptr<ScanState>> ownStates_;
  std::vector<std::thread> scanners_;  // last: they start once the rest is in place
};

}  // namespace trovex::search
