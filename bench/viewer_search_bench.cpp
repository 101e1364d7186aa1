// F3 in the binary view through a 1 GiB file that holds no hit: FileHitSearch from
// the first byte to "not found", read through the system cache as the viewer
// reads it (warm), with the query as the main window parses it by default (every
// encoding). Compare with trovex-find on the same file (bench/viewer-search.sh).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "search/byte_source.h"
#include "search/parse_search_content.h"
#include "text_corpus.h"
#include "viewer/file_hit_search.h"

namespace {

constexpr std::size_t kFileBytes = std::size_t{1} << 30;

// A 1 GiB Shift-JIS text file, made once and kept in the temporary folder.
std::string BigTextFile() {
  const std::string path =
      (std::filesystem::temp_directory_path() / "trovex-viewer-search-1g.txt").string();
  std::error_code error;
  if (std::filesystem::file_size(path, error) == kFileBytes) return path;
  const std::string block = trovex::bench::JapaneseText(std::size_t{16} << 20, 7);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (std::size_t written = 0; written < kFileBytes; written += block.size())
    out.write(block.data(), static_cast<std::streamsize>(block.size()));
  return path;
}

void BM_FindNextThroughOneGibibyte(benchmark::State& state, const char* content) {
  const std::string path = BigTextFile();
  trovex::search::SearchOptions options;
  trovex::search::SearchQuery query;
  if (!trovex::search::ParseSearchContent(content, options, nullptr, query)) std::abort();
  trovex::search::FileBytes file;
  if (!file.Open(path)) std::abort();
  for (auto _ : state) {
    trovex::viewer::FileHitSearch search(file, path, query,
                                         trovex::search::MatchOptionsFor(options, query.mode));
    search.Start(0);
    if (search.Run() != trovex::viewer::FileHitSearch::Outcome::NotFound) std::abort();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.Size()));
}

BENCHMARK_CAPTURE(BM_FindNextThroughOneGibibyte, japanese, "議事録の保管場所")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_FindNextThroughOneGibibyte, ascii, "Rossum")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
