// Throughput of the matcher over one 256 MiB buffer without a match, next to one
// pass of the C library's memchr and memmem over the same memory.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "text_corpus.h"
#include "search/buffer_matcher.h"
#include "search/file_scan.h"
#include "search/parse_search_content.h"

using namespace trovex::search;

namespace {

constexpr std::size_t kSize = std::size_t{256} << 20;

const std::string& English() {
  static const std::string text = trovex::bench::EnglishText(kSize, 1);
  return text;
}
const std::string& Japanese() {
  static const std::string text = trovex::bench::JapaneseText(kSize, 2);
  return text;
}
const std::string& Random() {
  static const std::string bytes = trovex::bench::RandomBytes(kSize, 3);
  return bytes;
}

const char kWord[] = "patterns";

MatchPatterns Exact(const std::string& pattern) {
  MatchPatterns patterns;
  patterns.pattern = pattern;
  return patterns;
}

MatchOptions Options(bool caseSensitive, bool skipLineBreaks, bool fold, SearchMode mode) {
  MatchOptions options;
  options.caseSensitive = caseSensitive;
  options.foldedCaseSensitive = caseSensitive;
  options.skipLineBreaks = skipLineBreaks;
  options.foldWidthAndKana = fold;
  options.mode = mode;
  return options;
}

// "データ" typed with width and kana folding: the half-width pattern and the
// full-width hiragana and katakana forms.
MatchPatterns Folded() {
  MatchPatterns patterns;
  patterns.pattern = "ﾃﾞｰﾀ";
  patterns.folded = true;
  patterns.hiraganaForm = "でーた";
  patterns.katakanaForm = "データ";
  return patterns;
}

// A typed word as a user searches it by default (option panel closed): in every
// encoding, or with the panel open in Shift-JIS alone.
MatchPatterns Typed(const std::string& word, bool everyEncoding) {
  SearchOptions options;
  options.optionsOpen = !everyEncoding;
  options.encodings =
      everyEncoding ? EncodingSet::All() : EncodingSet::Only(TextEncoding::ShiftJis);
  SearchQuery query;
  if (!ParseSearchContent(word, options, nullptr, query)) std::abort();
  return PatternsForFile("f.txt", query);
}

void BM_Scan(benchmark::State& state, const std::string& (*buffer)(), MatchPatterns patterns,
             MatchOptions options) {
  const std::string& data = buffer();
  const BufferMatcher matcher(std::move(patterns), options);
  for (auto _ : state) {
    const auto hit = matcher.FindFirst(data, 0, data.size());
    if (hit) {
      state.SkipWithError("the buffer holds a match");
      break;
    }
    benchmark::DoNotOptimize(hit);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
}

BENCHMARK_CAPTURE(BM_Scan, exact_ascii, English, Exact(kWord),
                  Options(true, false, false, SearchMode::Text))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Scan, exact_sjis, Japanese, Exact("検索"),
                  Options(true, false, false, SearchMode::Text))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Scan, typed_sjis_only, Japanese, Typed("検索", false),
                  Options(false, false, false, SearchMode::Text))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Scan, typed_every_encoding, Japanese, Typed("検索", true),
                  Options(false, false, false, SearchMode::Text))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Scan, typed_every_encoding_english, English, Typed(kWord, true),
                  Options(false, false, false, SearchMode::Text))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Scan, nocase, English, Exact(kWord),
                  Options(false, false, false, SearchMode::Text))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Scan, skip_breaks, English, Exact(kWord),
                  Options(true, true, false, SearchMode::Text))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Scan, fold, Japanese, Folded(), Options(false, false, true, SearchMode::Text))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Scan, numbers, Random, Exact("\x12\x34\x56\x78"),
                  Options(true, false, false, SearchMode::Numbers))
    ->Unit(benchmark::kMillisecond);

void BM_Memchr(benchmark::State& state) {
  const std::string& data = English();
  for (auto _ : state) {
    const void* found = std::memchr(data.data(), 0x01, data.size());
    if (found) {
      state.SkipWithError("the buffer holds the byte");
      break;
    }
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
}
BENCHMARK(BM_Memchr)->Unit(benchmark::kMillisecond);

void BM_Memmem(benchmark::State& state) {
  const std::string& data = English();
  for (auto _ : state) {
    const void* found = memmem(data.data(), data.size(), kWord, std::strlen(kWord));
    if (found) {
      state.SkipWithError("the buffer holds the word");
      break;
    }
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
}
BENCHMARK(BM_Memmem)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
