// The row feeder builds rows on several threads and must hand them over exactly in
// hit-list order, drop what a restart made stale, and stay within its bound.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "results/row_feeder.h"

using namespace trovex::results;
using namespace std::chrono_literals;

namespace {

// Builds a row naming its line and the fill it was built in (the stamp when it
// began), after a random pause so that the threads finish out of order.
class SlowMaker : public RowMaker {
 public:
  SlowMaker(std::atomic<int>& built, const std::atomic<int>& stamp)
      : built_(built), stamp_(stamp), random_(built.fetch_add(0) + 7) {}
  HitRecord Build(const trovex::search::Hit& hit) override {
    const int stamp = stamp_.load();
    std::this_thread::sleep_for(std::chrono::microseconds(random_() % 300));
    ++built_;
    HitRecord row;
    row.path = hit.path;
    row.content = std::to_string(stamp);
    return row;
  }

 private:
  std::atomic<int>& built_;
  const std::atomic<int>& stamp_;
  std::minstd_rand random_;
};

struct Fixture {
  std::vector<std::string> lines;
  std::atomic<int> built{0};
  std::atomic<int> stamp{0};
  // Each line stands whole as its hit's path.
  RowFeeder::HitAt lineAt() {
    return [this](std::size_t i) {
      return trovex::search::Hit{i < lines.size() ? lines[i] : std::string()};
    };
  }
  RowFeeder::MakerFactory makers() {
    return [this] { return std::make_unique<SlowMaker>(built, stamp); };
  }
};

std::vector<std::string> Lines(const std::string& prefix, int count) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) lines.push_back(prefix + std::to_string(i) + "=0");
  return lines;
}

// Takes rows until `count` are there or a generous deadline passes.
void TakeUntil(RowFeeder& feeder, std::vector<HitRecord>& rows, std::size_t count) {
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  while (rows.size() < count && std::chrono::steady_clock::now() < deadline)
    feeder.Take(rows, count - rows.size(), 5ms);
}

}  // namespace

TEST(RowFeeder, HandsRowsOverInLineOrderWhileLinesArrive) {
  for (unsigned threads : {1u, 2u, 4u}) {
    Fixture f;
    f.lines = Lines("f", 600);
    RowFeeder feeder(f.lineAt(), f.makers(), threads, 64);
    std::vector<HitRecord> rows;
    // The window sees the lines grow in steps and takes what is ready each time.
    for (std::size_t seen = 0; seen < f.lines.size();) {
      seen = std::min(f.lines.size(), seen + 37);
      feeder.Extend(seen);
      feeder.Take(rows, seen - rows.size(), 1ms);
      ASSERT_LE(rows.size(), seen);
    }
    TakeUntil(feeder, rows, f.lines.size());
    ASSERT_EQ(rows.size(), f.lines.size()) << threads << " threads";
    for (std::size_t i = 0; i < rows.size(); ++i) ASSERT_EQ(rows[i].path, f.lines[i]) << threads;
    // Nothing more is due: a take returns at once with nothing.
    EXPECT_EQ(feeder.Take(rows, 10, 0ms), 0u);
    EXPECT_TRUE(feeder.Continues(f.lines.size()));
  }
}

TEST(RowFeeder, RestartDropsRowsOfTheOldFill) {
  Fixture f;
  f.lines = Lines("old", 300);
  RowFeeder feeder(f.lineAt(), f.makers(), 3, 1000);
  feeder.Extend(f.lines.size());
  std::vector<HitRecord> rows;
  TakeUntil(feeder, rows, 20);
  ASSERT_EQ(rows.size(), 20u);

  // A reload from the first row again, while rows of the old fill may still be in
  // the making: rows begun before it carry the old stamp.
  f.built = 0;
  f.stamp = 1;
  feeder.Restart(0);
  EXPECT_TRUE(feeder.Continues(0));
  EXPECT_FALSE(feeder.Continues(1));
  rows.clear();
  TakeUntil(feeder, rows, 300);
  ASSERT_EQ(rows.size(), 300u);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    ASSERT_EQ(rows[i].path, f.lines[i]);
    ASSERT_EQ(rows[i].content, "1") << "row " << i << " was built for the old fill";
  }

  // A restart in the middle continues from there.
  f.stamp = 2;
  feeder.Restart(250);
  rows.clear();
  TakeUntil(feeder, rows, 50);
  ASSERT_EQ(rows.size(), 50u);
  EXPECT_EQ(rows.front().path, f.lines[250]);
  EXPECT_EQ(rows.back().path, f.lines[299]);
  EXPECT_EQ(rows.front().content, "2");
}

TEST(RowFeeder, BuildsNoFurtherAheadThanItsBoundAndEndsWhileBusy) {
  Fixture f;
  f.lines = Lines("g", 5000);
  {
    RowFeeder feeder(f.lineAt(), f.makers(), 4, 16);
    feeder.Extend(f.lines.size());
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (f.built < 16 && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(f.built.load(), 16) << "no taker: exactly the bound is built";

    std::vector<HitRecord> rows;
    TakeUntil(feeder, rows, 10);
    ASSERT_EQ(rows.size(), 10u);
    const auto again = std::chrono::steady_clock::now() + 10s;
    while (f.built < 26 && std::chrono::steady_clock::now() < again)
      std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(f.built.load(), 26);
  }  // destroyed with thousands of lines still due: must end, not hang
  EXPECT_LT(f.built.load(), 40);
}
