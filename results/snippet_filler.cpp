#include "results/snippet_filler.h"

#include <algorithm>

namespace trovex::results {

SnippetFiller::SnippetFiller(Read read, Ready ready, unsigned threads)
    : read_(std::move(read)), ready_(std::move(ready)) {
  threads = std::max(threads, 1u);
  threads_.reserve(threads);
  for (unsigned i = 0; i < threads; ++i) threads_.emplace_back([this] { Work(); });
}

SnippetFiller::~SnippetFiller() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  work_.notify_all();
  for (std::thread& thread : threads_) thread.join();
}

void SnippetFiller::Restart(const SnippetInputs& inputs) {
  std::lock_guard<std::mutex> lock(mutex_);
  ++generation_;
  inputs_ = inputs;
  wanted_.clear();
  asked_.clear();
  queued_.clear();
  done_.clear();
}

void SnippetFiller::Want(std::size_t row, const search::Hit& hit) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!asked_.insert(row).second) return;
    wanted_.push_back({row, hit});
    if (wanted_.size() > kMaxWanted) {
      asked_.erase(wanted_.front().row);
      wanted_.pop_front();
    }
  }
  work_.notify_one();
}

void SnippetFiller::Queue(std::vector<Job> jobs) {
  if (jobs.empty()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    for (Job& job : jobs) {
      if (asked_.insert(job.row).second) queued_.push_back(std::move(job));
    }
  }
  work_.notify_all();
}

std::size_t SnippetFiller::Queued() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return queued_.size();
}

bool SnippetFiller::Idle() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return wanted_.empty() && queued_.empty() && running_ == 0 && done_.empty();
}

void SnippetFiller::Take(std::vector<Done>& out) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (Done& done : done_) {
    asked_.erase(done.row);
    out.push_back(std::move(done));
  }
  done_.clear();
}

void SnippetFiller::Work() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    work_.wait(lock, [this] { return stopping_ || !wanted_.empty() || !queued_.empty(); });
    if (stopping_) return;
    const bool onScreen = !wanted_.empty();
    std::deque<Job>& from = onScreen ? wanted_ : queued_;
    Job job = onScreen ? std::move(from.back()) : std::move(from.front());
    if (onScreen)
      from.pop_back();
    else
      from.pop_front();
    const unsigned long generation = generation_;
    const SnippetInputs inputs = inputs_;
    ++running_;
    lock.unlock();

    std::string content = read_(job.hit, inputs);

    lock.lock();
    --running_;
    if (generation != generation_) continue;  // a restart dropped it
    const bool first = done_.empty();
    done_.push_back({job.row, std::move(job.hit), std::move(content)});
    if (first && ready_) {
      lock.unlock();
      ready_();
      lock.lock();
    }
  }
}

}  // namespace trovex::results
