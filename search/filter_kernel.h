#pragma once
// The block test of a CandidateFilter over vectors of W bytes, written once for
// SSE2 and AVX2 (each includes this header in its own file, compiled for its
// instruction set). Everything here has internal linkage so that code built for
// one instruction set never stands in for the other.
#include <cstddef>
#include <cstdint>

#include "search/candidate_filter.h"

namespace trovex::search {
namespace {

// Vec provides: type V, kWidth, Load(p), Splat(byte), Or, And, Equal, Zero(), Mask(v).
template <class Vec>
struct PreparedFilter {
  using V = typename Vec::V;
  struct Test { V orMask, value; bool useOr; };
  struct Condition { int offset; int testCount; Test tests[FilterCondition::kMaxTests]; };
  struct Alternative { int conditionCount; Condition conditions[FilterAlternative::kMaxConditions]; };
  int alternativeCount;
  Alternative alternatives[CandidateFilter::kMaxAlternatives];

  explicit PreparedFilter(const CandidateFilter& filter) : alternativeCount(filter.alternativeCount) {
    for (int a = 0; a < alternativeCount; ++a) {
      const FilterAlternative& from = filter.alternatives[a];
      Alternative& to = alternatives[a];
      to.conditionCount = from.conditionCount;
      for (int c = 0; c < from.conditionCount; ++c) {
        to.conditions[c].offset = from.conditions[c].offset;
        to.conditions[c].testCount = from.conditions[c].testCount;
        for (int t = 0; t < from.conditions[c].testCount; ++t) {
          const ByteTest& test = from.conditions[c].tests[t];
          to.conditions[c].tests[t] = {Vec::Splat(test.orMask), Vec::Splat(test.value), test.orMask != 0};
        }
      }
    }
  }
};

template <class Vec>
inline typename Vec::V ConditionHolds(const typename PreparedFilter<Vec>::Condition& c,
                                      const unsigned char* p) {
  const auto bytes = Vec::Load(p + c.offset);
  auto holds = Vec::Equal(c.tests[0].useOr ? Vec::Or(bytes, c.tests[0].orMask) : bytes, c.tests[0].value);
  for (int t = 1; t < c.testCount; ++t) {
    const auto& test = c.tests[t];
    holds = Vec::Or(holds, Vec::Equal(test.useOr ? Vec::Or(bytes, test.orMask) : bytes, test.value));
  }
  return holds;
}

template <class Vec>
inline std::uint64_t CandidatesAt(const PreparedFilter<Vec>& f, const unsigned char* p) {
  auto any = Vec::Zero();
  for (int a = 0; a < f.alternativeCount; ++a) {
    const auto& alternative = f.alternatives[a];
    auto all = ConditionHolds<Vec>(alternative.conditions[0], p);
    for (int c = 1; c < alternative.conditionCount; ++c)
      all = Vec::And(all, ConditionHolds<Vec>(alternative.conditions[c], p));
    any = Vec::Or(any, all);
  }
  return Vec::Mask(any);
}

// One alternative of two single-test conditions: exact and case-insensitive text.
template <class Vec>
inline std::uint64_t PairCandidatesAt(const PreparedFilter<Vec>& f, const unsigned char* p) {
  const auto& first = f.alternatives[0].conditions[0];
  const auto& second = f.alternatives[0].conditions[1];
  const auto a = Vec::Equal(Vec::Or(Vec::Load(p + first.offset), first.tests[0].orMask), first.tests[0].value);
  const auto b = Vec::Equal(Vec::Or(Vec::Load(p + second.offset), second.tests[0].orMask), second.tests[0].value);
  return Vec::Mask(Vec::And(a, b));
}

template <class Vec, class BlockTest>
std::size_t ScanBlocks(const PreparedFilter<Vec>& f, const unsigned char* data, std::size_t from,
                       std::size_t to, std::uint64_t& mask, BlockTest test) {
  constexpr int W = Vec::kWidth;
  std::size_t i = from;
  for (; i + 64 <= to; i += 64) {
    std::uint64_t m = 0;
    for (int k = 0; k < 64; k += W) m |= test(f, data + i + k) << k;
    if (m != 0) {
      mask = m;
      return i;
    }
  }
  mask = 0;
  return i;
}

template <class Vec>
std::size_t NextCandidateBlockWith(const CandidateFilter& filter, const unsigned char* data,
                                   std::size_t from, std::size_t to, std::uint64_t& mask) {
  const PreparedFilter<Vec> prepared(filter);
  const bool pair = filter.alternativeCount == 1 && filter.alternatives[0].conditionCount == 2 &&
                    filter.alternatives[0].conditions[0].testCount == 1 &&
                    filter.alternatives[0].conditions[1].testCount == 1;
  if (pair) return ScanBlocks<Vec>(prepared, data, from, to, mask, PairCandidatesAt<Vec>);
  return ScanBlocks<Vec>(prepared, data, from, to, mask, CandidatesAt<Vec>);
}

}  // namespace
}  // namespace trovex::search
