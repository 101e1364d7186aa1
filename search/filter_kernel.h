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

// Vec provides: type V, kWidth, Load(p), Splat(byte), Or, And, Equal, Zero(), Mask(v), and
// kNibbleLookup; where true also Table(16 bytes), Lookup(table, indexes), ShiftRight4.
template <class Vec>
struct PreparedFilter {
  using V = typename Vec::V;
  struct Test {
    V orMask, value;
    bool useOr;
  };
  struct Condition {
    int offset;
    int testCount;
    Test tests[FilterCondition::kMaxTests];
  };
  struct Alternative {
    int conditionCount;
    Condition conditions[FilterAlternative::kMaxConditions];
  };
  int alternativeCount;
  Alternative alternatives[CandidateFilter::kMaxAlternatives];

  explicit PreparedFilter(const CandidateFilter& filter)
      : alternativeCount(filter.alternativeCount) {
    for (int a = 0; a < alternativeCount; ++a) {
      const FilterAlternative& from = filter.alternatives[a];
      Alternative& to = alternatives[a];
      to.conditionCount = from.conditionCount;
      for (int c = 0; c < from.conditionCount; ++c) {
        to.conditions[c].offset = from.conditions[c].offset;
        to.conditions[c].testCount = from.conditions[c].testCount;
        for (int t = 0; t < from.conditions[c].testCount; ++t) {
          const ByteTest& test = from.conditions[c].tests[t];
          to.conditions[c].tests[t] = {Vec::Splat(test.orMask), Vec::Splat(test.value),
                                       test.orMask != 0};
        }
      }
    }
  }
};

template <class Vec>
inline typename Vec::V ConditionHolds(const typename PreparedFilter<Vec>::Condition& c,
                                      const unsigned char* p) {
  const auto bytes = Vec::Load(p + c.offset);
  auto holds =
      Vec::Equal(c.tests[0].useOr ? Vec::Or(bytes, c.tests[0].orMask) : bytes, c.tests[0].value);
  for (int t = 1; t < c.testCount; ++t) {
    const auto& test = c.tests[t];
    holds =
        Vec::Or(holds, Vec::Equal(test.useOr ? Vec::Or(bytes, test.orMask) : bytes, test.value));
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

// The prefilter's values at one offset, padded to K by repeating the last one.
template <class Vec, int K>
struct ValueSet {
  typename Vec::V values[K];
  int offset;
  ValueSet(const PreFilter& pre, int which) : offset(pre.offsets[which]) {
    int last = pre.counts[which] - 1;
    if (last < 0) last = 0;
    if (last >= PreFilter::kMaxValues) last = PreFilter::kMaxValues - 1;
    for (int k = 0; k < K; ++k) values[k] = Vec::Splat(pre.values[which][k < last ? k : last]);
  }
  typename Vec::V Holds(const unsigned char* p) const {
    const auto bytes = Vec::Load(p + offset);
    auto holds = Vec::Equal(bytes, values[0]);
    for (int k = 1; k < K; ++k) holds = Vec::Or(holds, Vec::Equal(bytes, values[k]));
    return holds;
  }
};

// Blocks of 64 positions: the prefilter first (K1 = 0: none fits), the full test
// where it finds something. Returns the start of the first block holding a
// candidate with `mask` set, or with `mask` 0 the start of the first block not
// tested. A loop without calls, so that the vectors stay in registers.
template <class Vec, int K1, int K2>
std::size_t ScanBlocks(const PreparedFilter<Vec>& f, const PreFilter& pre,
                       const unsigned char* data, std::size_t from, std::size_t to,
                       std::uint64_t& mask) {
  constexpr int W = Vec::kWidth;
  const ValueSet<Vec, K1 == 0 ? 1 : K1> first(pre, 0);
  const ValueSet<Vec, K2 == 0 ? 1 : K2> second(pre, K2 == 0 ? 0 : 1);
  std::size_t i = from;
  for (; i + 64 <= to; i += 64) {
    std::uint64_t m = 0;
    if constexpr (K1 != 0) {
      for (int k = 0; k < 64; k += W) {
        const unsigned char* p = data + i + k;
        auto holds = first.Holds(p);
        if (K2 != 0) holds = Vec::And(holds, second.Holds(p));
        m |= Vec::Mask(holds) << k;
      }
      if (m == 0) continue;
      m = 0;
    }
    for (int k = 0; k < 64; k += W) m |= CandidatesAt<Vec>(f, data + i + k) << k;
    if (m != 0) {
      mask = m;
      return i;
    }
  }
  mask = 0;
  return i;
}

// Membership of a byte in a set of up to eight values by two table lookups, one on
// each half of the byte (each value owns a bit; a byte is in the set when its low
// half's bits and its high half's bits share one): as quick for eight values as for
// one, where comparing with each value costs one test each.
template <class Vec>
struct NibbleSet {
  typename Vec::V low, high, fifteen;
  int offset;
  NibbleSet(const PreFilter& pre, int which) : offset(pre.offsets[which]) {
    std::uint8_t lowTable[16] = {}, highTable[16] = {};
    for (int k = 0; k < pre.counts[which] && k < PreFilter::kMaxValues; ++k) {
      const std::uint8_t v = pre.values[which][k];
      lowTable[v & 15] = static_cast<std::uint8_t>(lowTable[v & 15] | (1u << k));
      highTable[v >> 4] = static_cast<std::uint8_t>(highTable[v >> 4] | (1u << k));
    }
    low = Vec::Table(lowTable);
    high = Vec::Table(highTable);
    fifteen = Vec::Splat(15);
  }
  // All ones where the byte is NOT in the set.
  typename Vec::V Outside(const unsigned char* p) const {
    const auto bytes = Vec::Load(p + offset);
    const auto lows = Vec::Lookup(low, Vec::And(bytes, fifteen));
    const auto highs = Vec::Lookup(high, Vec::And(Vec::ShiftRight4(bytes), fifteen));
    return Vec::Equal(Vec::And(lows, highs), Vec::Zero());
  }
};

// ScanBlocks with the prefilter's sets tested by NibbleSet (many values).
template <class Vec>
std::size_t ScanBlocksByNibbles(const PreparedFilter<Vec>& f, const PreFilter& pre,
                                const unsigned char* data, std::size_t from, std::size_t to,
                                std::uint64_t& mask) {
  constexpr int W = Vec::kWidth;
  const NibbleSet<Vec> first(pre, 0);
  const NibbleSet<Vec> second(pre, pre.counts[1] == 0 ? 0 : 1);
  std::size_t i = from;
  for (; i + 64 <= to; i += 64) {
    std::uint64_t outside = 0;
    for (int k = 0; k < 64; k += W) {
      const unsigned char* p = data + i + k;
      outside |= Vec::Mask(Vec::Or(first.Outside(p), second.Outside(p))) << k;
    }
    if (outside == ~std::uint64_t{0}) continue;
    std::uint64_t m = 0;
    for (int k = 0; k < 64; k += W) m |= CandidatesAt<Vec>(f, data + i + k) << k;
    if (m != 0) {
      mask = m;
      return i;
    }
  }
  mask = 0;
  return i;
}

template <class Vec, int K1>
std::size_t ScanBlocksWith(const PreparedFilter<Vec>& f, const PreFilter& pre,
                           const unsigned char* data, std::size_t from, std::size_t to,
                           std::uint64_t& mask) {
  const int k2 = pre.counts[1];
  if constexpr (K1 == 0) return ScanBlocks<Vec, 0, 0>(f, pre, data, from, to, mask);
  if (k2 == 0) return ScanBlocks<Vec, K1, 0>(f, pre, data, from, to, mask);
  if (k2 == 1) return ScanBlocks<Vec, K1, 1>(f, pre, data, from, to, mask);
  if (k2 == 2) return ScanBlocks<Vec, K1, 2>(f, pre, data, from, to, mask);
  if (k2 <= 4) return ScanBlocks<Vec, K1, 4>(f, pre, data, from, to, mask);
  return ScanBlocks<Vec, K1, 8>(f, pre, data, from, to, mask);
}

template <class Vec>
std::size_t NextBlock(const PreparedFilter<Vec>& f, const PreFilter& pre, const unsigned char* data,
                      std::size_t from, std::size_t to, std::uint64_t& mask) {
  const int k1 = pre.counts[0];
  if constexpr (Vec::kNibbleLookup) {
    if (k1 > 0 && (k1 > 2 || pre.counts[1] > 2))
      return ScanBlocksByNibbles<Vec>(f, pre, data, from, to, mask);
  }
  if (k1 == 0) return ScanBlocksWith<Vec, 0>(f, pre, data, from, to, mask);
  if (k1 == 1) return ScanBlocksWith<Vec, 1>(f, pre, data, from, to, mask);
  if (k1 == 2) return ScanBlocksWith<Vec, 2>(f, pre, data, from, to, mask);
  if (k1 <= 4) return ScanBlocksWith<Vec, 4>(f, pre, data, from, to, mask);
  return ScanBlocksWith<Vec, 8>(f, pre, data, from, to, mask);
}

// The filter is prepared once for the whole scan, not once per block found.
template <class Vec>
std::size_t ScanCandidateBlocksWith(const CandidateFilter& filter, const unsigned char* data,
                                    std::size_t from, std::size_t to, CandidateBlockVisitor visit,
                                    void* context) {
  const PreparedFilter<Vec> prepared(filter);
  std::size_t i = from;
  for (;; i += 64) {
    std::uint64_t mask = 0;
    i = NextBlock<Vec>(prepared, filter.prefilter, data, i, to, mask);
    if (mask == 0 || visit(context, i, mask)) return i;
  }
}

}  // namespace
}  // namespace trovex::search
