#pragma once
// Which start positions can hold a match, told by a few bytes around them, so that
// the comparers run only there. A position is a candidate when one alternative
// holds; an alternative holds when each of its conditions does; a condition holds
// when the byte at its offset from the position passes one of its tests
// ((byte | orMask) == value). The filter may pass positions that do not match,
// never the reverse.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "search/buffer_matcher.h"

namespace trovex::search {

struct ByteTest {
  std::uint8_t orMask = 0;
  std::uint8_t value = 0;
};

struct FilterCondition {
  static constexpr int kMaxTests = 6;
  int offset = 0;
  int testCount = 0;
  ByteTest tests[kMaxTests];
};

struct FilterAlternative {
  static constexpr int kMaxConditions = 4;
  int conditionCount = 0;
  FilterCondition conditions[kMaxConditions];
};

// A quick first test over two offsets that every candidate passes: the union, over
// the alternatives, of their bytes at each offset. Blocks where it finds nothing
// are skipped without the full test.
struct PreFilter {
  static constexpr int kMaxValues = 8;
  int offsets[2] = {0, 0};
  int counts[2] = {0, 0};  // 0: no test at that offset (no prefilter when both are 0)
  std::uint8_t values[2][kMaxValues] = {};
};

class CandidateFilter {
 public:
  static constexpr int kMaxAlternatives = 8;

  // The filter for the comparers `matcher` runs at each position.
  static CandidateFilter For(const MatchPatterns& patterns, const MatchOptions& options,
                             bool tryForms);

  // Every position is a candidate: no filter helps. (No alternative and not
  // everywhere: no position can match.)
  bool Everywhere() const { return everywhere; }
  int MinOffset() const { return minOffset; }
  int MaxOffset() const { return maxOffset; }

  // Scalar form of the test, for positions near the ends of a buffer and for tests.
  bool Passes(const unsigned char* data, std::size_t size, std::size_t position) const;

  bool everywhere = false;
  int alternativeCount = 0;
  FilterAlternative alternatives[kMaxAlternatives];
  int minOffset = 0;
  int maxOffset = 0;
  PreFilter prefilter;
};

// Receives a block of 64 positions holding candidates: its start, and `mask` with
// bit k set for each candidate start + k. True ends the scan there.
using CandidateBlockVisitor = bool (*)(void* context, std::size_t start, std::uint64_t mask);

// Tests whole blocks of 64 positions from `from` on while a block ends at or before
// `to`, and hands each block holding a candidate to `visit`. Returns the start of
// the block `visit` ended the scan at, or else of the first block not tested.
// Reads the bytes from from + MinOffset() to to + MaxOffset() - 1.
std::size_t ScanCandidateBlocks(const CandidateFilter& filter, const unsigned char* data,
                                std::size_t from, std::size_t to, CandidateBlockVisitor visit,
                                void* context);

// The same on the instruction set every processor of the platform has (SSE2 on
// x86-64), whatever this one has: lets tests cover both.
std::size_t ScanCandidateBlocksBaseline(const CandidateFilter& filter, const unsigned char* data,
                                        std::size_t from, std::size_t to,
                                        CandidateBlockVisitor visit, void* context);

}  // namespace trovex::search
