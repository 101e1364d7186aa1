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
  std::size_t ReadCount() {
    std::lock_guard<std::mutex> lock(mutex);
    return order.size();
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
  // The window takes the results when told they wait: here in the call itself,
  // which would never return were it made under the filler's lock.
  SnippetFiller* filler = nullptr;
  std::mutex takenMutex;
  std::vector<SnippetFiller::Done> taken;
  int readyCalls = 0;
  SnippetFiller instance(
      reads.read(),
      [&] {
        std::lock_guard<std::mutex> lock(takenMutex);
        ++readyCalls;
        filler->Take(taken);
      },
      1);
  filler = &instance;
  const auto takenCount = [&] {
    std::lock_guard<std::mutex> lock(takenMutex);
    return taken.size();
  };
  const auto waitTaken = [&](std::size_t count) {
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (takenCount() < count && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(1ms);
  };

  instance.Queue(Jobs(0, 5));
  reads.WaitStarted(1);  // q0 is being read; the rest waits behind it
  EXPECT_EQ(instance.Queued(), 4u);
  for (std::size_t row : {500u, 501u, 502u, 501u, 500u, 3u})  // row 3 is queued already
    instance.Want(row, Hit{"w" + std::to_string(row), 0});
  instance.Queue(Jobs(502, 1));  // on screen already
  EXPECT_EQ(instance.Queued(), 4u);
  EXPECT_FALSE(instance.Idle());
  reads.Open();

  waitTaken(8);
  EXPECT_EQ(reads.order,
            (std::vector<std::string>{"q0", "w502", "w501", "w500", "q1", "q2", "q3", "q4"}));
  std::lock_guard<std::mutex> lock(takenMutex);
  ASSERT_EQ(taken.size(), 8u);
  for (const SnippetFiller::Done& d : taken) EXPECT_EQ(d.content, d.hit.path + "/0");
  EXPECT_EQ(taken[1].row, 502u);
  EXPECT_EQ(readyCalls, 8) << "one call for each result, taken at once";
  EXPECT_TRUE(instance.Idle());
}

TEST(SnippetFiller, ARowIsAskedOnceUntilItsResultIsTaken) {
  Reads reads;
  reads.Open();
  SnippetFiller filler(reads.read(), nullptr, 2);
  filler.Want(7, Hit{"w7", 0});
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  while (reads.ReadCount() == 0 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(1ms);
  // Read, not taken: a repaint asking again, or the rows queued behind, read nothing more.
  filler.Want(7, Hit{"w7", 0});
  filler.Queue(Jobs(7, 1));
  std::this_thread::sleep_for(20ms);
  EXPECT_EQ(TakeUntil(filler, 1).size(), 1u);
  EXPECT_EQ(reads.ReadCount(), 1u);
  // Taken: asking again reads it again (the window asks only for rows still due).
  filler.Want(7, Hit{"w7", 0});
  EXPECT_EQ(TakeUntil(filler, 1).size(), 1u);
  EXPECT_EQ(reads.ReadCount(), 2u);
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
