// Loading and writing search history files of many hits. Both must be linear in
// the number of hit lines (no look-up of a key by walking a section).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/fs/whole_file_write.h"
#include "results/history_file.h"
#include "results/history_list.h"

namespace {

using trovex::results::HistoryContent;

// `count` hits spread over folders of 100 files each, with names as a real tree
// has them (a common prefix, varying case-sensitive parts).
HistoryContent ManyHits(int count) {
  HistoryContent content{"needle", {}, {"needle"}, 3};
  content.hits.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    content.hits.push_back({"/bench/projects/Folder" + std::to_string(i / 100) + "/Source File " +
                                std::to_string(i) + ".txt",
                            static_cast<std::uint64_t>(i) * 37});
  }
  return content;
}

std::string BenchFile(int count) {
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("trovex-history-bench-" + std::to_string(count) + ".txd"))
                               .string();
  if (!trovex::fs::ReplaceWholeFile(path, trovex::results::HistoryFileText(ManyHits(count))))
    std::abort();
  return path;
}

void BM_LoadHistoryFile(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const std::string path = BenchFile(count);
  for (auto _ : state) {
    const auto loaded = trovex::results::LoadHistoryFile(path);
    if (!loaded || loaded->hits.size() != static_cast<std::size_t>(count)) std::abort();
    benchmark::DoNotOptimize(loaded->hits.data());
  }
  std::remove(path.c_str());
  state.SetComplexityN(count);
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_LoadHistoryFile)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

void BM_HistoryFileText(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const HistoryContent content = ManyHits(count);
  for (auto _ : state) benchmark::DoNotOptimize(trovex::results::HistoryFileText(content).size());
  state.SetComplexityN(count);
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_HistoryFileText)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// The history list's rows: a folder of `files` history files of 1,000 hits each,
// every one read for its name and hit count, as the dialog does when it opens.
std::string BenchFolder(int files) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("trovex-history-list-bench-" + std::to_string(files));
  std::filesystem::create_directories(folder);
  const std::string text = trovex::results::HistoryFileText(ManyHits(1000));
  for (int i = 0; i < files; ++i) {
    const std::string path =
        (folder / ("2026120" + std::to_string(i % 10) + " " + std::to_string(100000 + i) + ".txd"))
            .string();
    if (!trovex::fs::ReplaceWholeFile(path, text)) std::abort();
  }
  return folder.string();
}

void BM_ReadHistoryList(benchmark::State& state) {
  const int files = static_cast<int>(state.range(0));
  const std::string folder = BenchFolder(files);
  for (auto _ : state) {
    const auto rows = trovex::results::ReadHistoryList(folder);
    if (rows.size() != static_cast<std::size_t>(files) || rows.front().hitCountText != "1000")
      std::abort();
    benchmark::DoNotOptimize(rows.data());
  }
  std::filesystem::remove_all(folder);
  state.SetItemsProcessed(state.iterations() * files);
}
BENCHMARK(BM_ReadHistoryList)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(3);

// One file's summary against its whole load (what the list read before).
void BM_ReadHistorySummary(benchmark::State& state) {
  const std::string path = BenchFile(1000);
  for (auto _ : state) {
    const auto summary = trovex::results::ReadHistorySummary(path);
    if (!summary || summary->hitCount != 1000) std::abort();
    benchmark::DoNotOptimize(summary->name.data());
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_ReadHistorySummary)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
