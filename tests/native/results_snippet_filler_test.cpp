// The snippet filler reads the rows on screen before the queued ones, the newest
// asked first, each row once while it waits; a restart drops what was asked and
// read before it, and results of an older restart never come out.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "results/snippet_filler.h"

using namespace trovex::results;
using trovex::search::Hit;
using namespace std::chrono_literals;

namespace {

// A read that names its path and the display it was read with, records the order
// of the reads and holds each read until the gate opens.
struct Reads {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<std::string> order;
  bool open = false;
  int started = 0;

  SnippetFiller::Read read() {
    return [this](const Hit& hit, const SnippetInputs& inputs) {
      std::unique_lock<std::mutex> lock(mutex);
      ++started;
      changed.notify_all();
      changed.wait(lock, [this] { return open; });
      order.push_back(hit.path);
      return hit.path + "/" + std::to_string(IndexOf(inputs.binaryDisplay));
    };
  }
  void WaitStarted(int count) {
    std::unique_lock<std::mutex> lock(mutex);
    ASSERT_TRUE(changed.wait_for(lock, 10s, [&] { return started >= count; }));
  }
  void Open() {
    std::lock_guard<std::mutex> lock(mutex);
    open = true;
    changed.notify_all();
  }
};

std::vector<SnippetFiller::Job> Jobs(std::size_t first, std::size_t count) {
  std::vector<SnippetFiller::Job> jobs;
  for (std::size_t row = first; row < first + count; ++row)
    jobs.push_back({row, Hit{"q" + std::to_string(row), row}});
  return jobs;
}

// Takes results until `count` have come or a generous deadline passes.
std::vector<SnippetFiller::Done> TakeUntil(SnippetFiller& filler, std::size_t count) {
  std::vector<SnippetFiller::Done> done;
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  while (done.size() < count && std::chrono::steady_clock::now() < deadline) {
    filler.Take(done);
    std::this_thread::sleep_for(1ms);
  }
  return done;
}

}  // namespace

TEST(SnippetFiller, ReadsRowsOnScreenFirstNewestFirstEachOnce) {
  Reads reads;
  std::atomic<int> readyCalls{0};
  SnippetFiller filler(
      reads.read(), [&] { ++readyCalls; }, 1);
  filler.Queue(Jobs(0, 5));
  reads.WaitStarted(1);  // q0 is being read; the rest waits behind it
  EXPECT_EQ(filler.Queued(), 4u);
  for (std::size_t row : {500u, 501u, 502u, 501u, 500u})
    filler.Want(row, Hit{"w" + std::to_string(row), 0});
  EXPECT_FALSE(filler.Idle());
  reads.Open();

  const std::vector<SnippetFiller::Done> done = TakeUntil(filler, 8);
  ASSERT_EQ(done.size(), 8u);
  EXPECT_EQ(reads.order,
            (std::vector<std::string>{"q0", "w502", "w501", "w500", "q1", "q2", "q3", "q4"}));
  for (const SnippetFiller::Done& d : done) EXPECT_EQ(d.content, d.hit.path + "/0");
  EXPECT_EQ(done[1].row, 502u);
  EXPECT_GE(readyCalls.load(), 1);
  EXPECT_TRUE(filler.Idle());

  // Read and taken: asking again reads it again (the window asks only for rows
  // whose snippet is still due).
  filler.Want(500, Hit{"w500", 0});
  EXPECT_EQ(TakeUntil(filler, 1).size(), 1u);
}

TEST(SnippetFiller, RestartDropsOldJobsAndResultsAndReadsWithTheNewInputs) {
  Reads reads;
  SnippetFiller filler(reads.read(), nullptr, 2);
  filler.Queue(Jobs(0, 50));
  filler.Want(900, Hit{"w900", 0});
  reads.WaitStarted(2);  // two reads of the old fill are under way

  SnippetInputs chars;
  chars.binaryDisplay = BinaryDisplay::Chars;
  filler.Restart(chars);
  EXPECT_EQ(filler.Queued(), 0u);
  filler.Queue(Jobs(100, 3));
  filler.Want(900, Hit{"w900", 0});  // asked again after the restart: read again
  reads.Open();

  const std::vector<SnippetFiller::Done> done = TakeUntil(filler, 4);
  std::this_thread::sleep_for(50ms);  // a stray old result would have come by now
  std::vector<SnippetFiller::Done> more;
  filler.Take(more);
  EXPECT_TRUE(more.empty());
  ASSERT_EQ(done.size(), 4u);
  for (const SnippetFiller::Done& d : done) {
    EXPECT_EQ(d.content, d.hit.path + "/1") << "read with the inputs before the restart";
    EXPECT_TRUE(d.row == 900 || (d.row >= 100 && d.row < 103)) << d.row;
  }
  EXPECT_TRUE(filler.Idle());
}

TEST(SnippetFiller, EndsWhileJobsWait) {
  Reads reads;
  reads.Open();
  {
    SnippetFiller filler(reads.read(), nullptr, 2);
    filler.Queue(Jobs(0, 100000));
  }  // joins its threads without reading the rest
  EXPECT_LT(reads.order.size(), 100000u);
}
