#include "results/row_feeder.h"

#include <algorithm>

namespace trovex::results {

RowFeeder::RowFeeder(LineAt lineAt, MakerFactory makeMaker, unsigned threads, std::size_t ahead)
    : lineAt_(std::move(lineAt)),
      makeMaker_(std::move(makeMaker)),
      ahead_(std::max<std::size_t>(ahead, 1)),
      snippet_(std::make_shared<const SnippetInputs>()) {
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

unsigned RowFeeder::DefaultThreads() {
  // Row work is mostly waiting for the file system; more than a few threads only
  // queue up behind it.
  return std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
}

void RowFeeder::Restart(std::size_t first, const SnippetInputs& snippet) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++generation_;
    snippet_ = std::make_shared<const SnippetInputs>(snippet);
    next_ = first;
    claimed_ = first;
    built_.clear();
  }
  work_.notify_all();
}

void RowFeeder::Extend(std::size_t count) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (count == available_) return;
    available_ = count;
  }
  work_.notify_all();
}

bool RowFeeder::Continues(std::size_t next, const SnippetInputs& snippet) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return next_ == next && *snippet_ == snippet;
}

std::size_t RowFeeder::Take(std::vector<HitRecord>& out, std::size_t max,
                            std::chrono::milliseconds wait) {
  std::unique_lock<std::mutex> lock(mutex_);
  const auto firstReady = [this] { return !built_.empty() && built_.front().has_value(); };
  if (!firstReady() && next_ < available_) ready_.wait_for(lock, wait, firstReady);
  std::size_t moved = 0;
  while (moved < max && firstReady()) {
    out.push_back(std::move(*built_.front()));
    built_.pop_front();
    ++next_;
    ++moved;
  }
  lock.unlock();
  if (moved != 0) work_.notify_all();  // room ahead again
  return moved;
}

void RowFeeder::Work() {
  std::unique_ptr<RowMaker> maker = makeMaker_();
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    work_.wait(lock, [this] {
      return stopping_ || (claimed_ < available_ && claimed_ < next_ + ahead_);
    });
    if (stopping_) return;
    const std::size_t index = claimed_++;
    const unsigned long generation = generation_;
    const std::shared_ptr<const SnippetInputs> snippet = snippet_;
    if (built_.size() <= index - next_) built_.resize(index - next_ + 1);
    lock.unlock();

    HitRecord row = maker->Build(lineAt_(index), *snippet);

    lock.lock();
    if (generation != generation_ || index < next_) continue;  // a restart dropped it
    built_[index - next_] = std::move(row);
    if (index == next_) ready_.notify_all();
  }
}

}  // namespace trovex::results
