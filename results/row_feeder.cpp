#include "results/row_feeder.h"

#include <algorithm>

namespace trovex::results {

RowFeeder::RowFeeder(HitAt hitAt, MakerFactory makeMaker, unsigned threads, std::size_t ahead)
    : hitAt_(std::move(hitAt)),
      makeMaker_(std::move(makeMaker)),
      ahead_(std::max<std::size_t>(ahead, 1)) {
  threads = std::max(threads, 1u);
  threads_.reserve(threads);
  for (unsigned i = 0; i < threads; ++i) threads_.emplace_back([this] { Work(); });
}

RowFeeder::~RowFeeder() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  work_.notify_all();
  for (std::thread& thread : threads_) thread.join();
}

void RowFeeder::Restart(std::size_t first) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++generation_;
    next_ = first;
    claimed_ = first;
    built_.clear();
  }
  work_.notify_all();
}

void RowFeeder::Extend(std::size_t count) {
  bool wake = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (count == available_) return;
    available_ = count;
    wake = idleThreads_ != 0;
  }
  if (wake) work_.notify_all();
}

bool RowFeeder::Continues(std::size_t next) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return next_ == next;
}

std::size_t RowFeeder::Take(std::vector<HitRecord>& out, std::size_t max,
                            std::chrono::milliseconds wait) {
  std::unique_lock<std::mutex> lock(mutex_);
  const auto firstReady = [this] { return !built_.empty() && built_.front().has_value(); };
  if (!firstReady() && next_ < available_ && wait.count() > 0) {
    takerWaiting_ = true;
    ready_.wait_for(lock, wait, firstReady);
    takerWaiting_ = false;
  }
  std::size_t moved = 0;
  while (moved < max && firstReady()) {
    out.push_back(std::move(*built_.front()));
    built_.pop_front();
    ++next_;
    ++moved;
  }
  const bool wake = moved != 0 && idleThreads_ != 0;  // room ahead again
  lock.unlock();
  if (wake) work_.notify_all();
  return moved;
}

void RowFeeder::Work() {
  std::unique_ptr<RowMaker> maker = makeMaker_();
  std::vector<HitRecord> block;
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    const auto canClaim = [this] { return claimed_ < available_ && claimed_ < next_ + ahead_; };
    if (!stopping_ && !canClaim()) {
      ++idleThreads_;
      work_.wait(lock, [&] { return stopping_ || canClaim(); });
      --idleThreads_;
    }
    if (stopping_) return;
    // A few lines at a time: every hand-over between threads costs (much more so
    // under Wine, whose waits go through its server), a row costs little.
    const std::size_t first = claimed_;
    const std::size_t count = std::min({kBlockRows, available_ - first, next_ + ahead_ - first});
    claimed_ += count;
    const unsigned long generation = generation_;
    if (built_.size() < first + count - next_) built_.resize(first + count - next_);
    lock.unlock();

    block.clear();
    for (std::size_t i = 0; i < count; ++i) block.push_back(maker->Build(hitAt_(first + i)));

    lock.lock();
    if (generation != generation_) continue;  // a restart dropped them
    for (std::size_t i = 0; i < count; ++i) built_[first + i - next_] = std::move(block[i]);
    if (first == next_ && takerWaiting_) ready_.notify_all();
  }
}

}  // namespace trovex::results
