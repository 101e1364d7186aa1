#pragma once
// Builds the rows of a result ahead of the window on a few threads. A row costs file
// work (its size and time, the shell's names) that the window thread should not
// wait for; the feeder builds rows for the hits the window has seen and hands them
// over strictly in hit-list order, so the window only appends. Rows built for an
// older fill (a reload) are dropped, never handed over.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "results/hit_record.h"

namespace trovex::results {

// Turns one hit into its row; one maker per feeder thread, made and used on it.
class RowMaker {
 public:
  virtual ~RowMaker() = default;
  virtual HitRecord Build(const search::Hit& hit) = 0;
};

class RowFeeder {
 public:
  // `hitAt` is called on the feeder's threads (the hit list guards itself).
  using HitAt = std::function<search::Hit(std::size_t index)>;
  using MakerFactory = std::function<std::unique_ptr<RowMaker>()>;

  // `ahead` bounds the rows built but not taken yet.
  RowFeeder(HitAt hitAt, MakerFactory makeMaker, unsigned threads, std::size_t ahead = 2048);
  ~RowFeeder();
  RowFeeder(const RowFeeder&) = delete;
  RowFeeder& operator=(const RowFeeder&) = delete;

  // A new fill from line `first` on; no row built before is handed over.
  void Restart(std::size_t first);
  // Lines [0, count) exist and may be built.
  void Extend(std::size_t count);
  // Whether the fill hands over row `next` next.
  bool Continues(std::size_t next) const;
  // Moves the rows that are ready, in order, to the end of `out` (at most `max`);
  // when none is ready yet but one is due, waits up to `wait` for it. Returns the
  // number moved.
  std::size_t Take(std::vector<HitRecord>& out, std::size_t max, std::chrono::milliseconds wait);

 private:
  void Work();

  static constexpr std::size_t kBlockRows = 16;

  const HitAt hitAt_;
  const MakerFactory makeMaker_;
  const std::size_t ahead_;

  mutable std::mutex mutex_;
  std::condition_variable work_;   // a line became buildable, or the feeder ends
  std::condition_variable ready_;  // a row was built
  bool stopping_ = false;
  bool takerWaiting_ = false;  // Take waits for the next row
  unsigned idleThreads_ = 0;   // threads waiting for lines
  unsigned long generation_ = 0;
  std::size_t next_ = 0;                        // first row not handed over
  std::size_t claimed_ = 0;                     // first line no thread has taken on
  std::size_t available_ = 0;                   // lines that exist
  std::deque<std::optional<HitRecord>> built_;  // rows next_, next_ + 1, ...
  std::vector<std::thread> threads_;            // last: start once the rest is in place
};

}  // namespace trovex::results
