#pragma once
// Synthetic corpora for the benchmarks: English-like prose, Shift-JIS Japanese
// prose with realistic kana/kanji frequencies (both with CR LF line ends), and
// random bytes. Deterministic for a given seed.
#include <cstddef>
#include <cstdint>
#include <string>

namespace trovex::bench {

std::string EnglishText(std::size_t size, std::uint64_t seed);
std::string JapaneseText(std::size_t size, std::uint64_t seed);
std::string RandomBytes(std::size_t size, std::uint64_t seed);

}  // namespace trovex::bench
