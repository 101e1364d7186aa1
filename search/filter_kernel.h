#pragma once
// The block test of a CandidateFilter over vectors of W bytes, written once for
// SSE2 and AVX2 (each includes this header in its own file, compiled for its
// instruction set). Everything here has internal linkage so that code built for
// one instruction set never stands in for the other.
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "search/candidate_filter.h"

namespace trovex::search {
namespace {

// Vec provides: type V, kWidth, Load(p), Splat(byte), Or, And, Equal, Zero(), Mask(v), None(v), and
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

// The prefilter's values at one offset, padded to K by repeating the last one,
// compared one by one.
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

// Values whose low halves all differ, told by one table lookup whatever their
// number: the table holds each value at its low half's place, and a byte is in the
// set when the entry at its own low half is the byte itself. kAscii: every value is
// below 0x80, and the lookup itself gives 0 for the bytes from 0x80 on, so the byte
// needs no masking.
template <class Vec, bool kAscii>
struct LookupSet {
  typename Vec::V table, fifteen;
  int offset;
  LookupSet(const PreFilter& pre, int which) : offset(pre.offsets[which]) {
    std::uint8_t entries[16];
    for (int n = 0; n < 16; ++n) entries[n] = static_cast<std::uint8_t>(n ^ 1);  // equals no byte
    for (int k = 0; k < pre.counts[which] && k < PreFilter::kMaxValues; ++k)
      entries[pre.values[which][k] & 15] = pre.values[which][k];
    table = Vec::Table(entries);
    fifteen = Vec::Splat(15);
  }
  typename Vec::V Holds(const unsigned char* p) const {
    const auto bytes = Vec::Load(p + offset);
    return Vec::Equal(Vec::Lookup(table, kAscii ? bytes : Vec::And(bytes, fifteen)), bytes);
  }
};

// No prefilter test at that offset.
struct NoSet {
  NoSet(const PreFilter&, int) {}
};

#if defined(__GNUC__)
#define TROVEX_UNROLL _Pragma("GCC unroll 4")
#else
#define TROVEX_UNROLL
#endif

// Blocks of 64 positions: the prefilter first (First is NoSet: none fits), the full
// test where it finds something. Returns the start of the first block holding a
// candidate with `mask` set, or with `mask` 0 the start of the first block not
// tested. A loop without calls, so that the vectors stay in registers.
template <class Vec, class First, class Second>
std::size_t ScanBlocks(const PreparedFilter<Vec>& f, const PreFilter& pre,
                       const unsigned char* data, std::size_t from, std::size_t to,
                       std::uint64_t& mask) {
  constexpr int W = Vec::kWidth;
  const First first(pre, 0);
  const Second second(pre, 1);
  // The prefilter over the 64 positions from `at`, joined as vectors: a byte is
  // nonzero where a position passes. One test per block, no mask per vector.
  const auto passes = [&](std::size_t at) {
    auto any = Vec::Zero();
    if constexpr (!std::is_same_v<First, NoSet>) {
      TROVEX_UNROLL
      for (int k = 0; k < 64; k += W) {
        const unsigned char* p = data + at + k;
        auto holds = first.Holds(p);
        if constexpr (!std::is_same_v<Second, NoSet>) holds = Vec::And(holds, second.Holds(p));
        any = Vec::Or(any, holds);
      }
    }
    return any;
  };
  std::size_t i = from;
  for (; i + 64 <= to; i += 64) {
    if constexpr (!std::is_same_v<First, NoSet>) {
      // Two blocks at a time while they fit: where the prefilter passes little,
      // the loop's own cost counts.
      if (i + 128 <= to) {
        const auto low = passes(i), high = passes(i + 64);
        if (Vec::None(Vec::Or(low, high))) {
          i += 64;
          continue;
        }
        if (Vec::None(low)) continue;
      } else if (Vec::None(passes(i))) {
        continue;
      }
    }
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

// How a prefilter set is tested: by comparing each value (padded to 1, 2, 3, 4 or
// 8 values) or by one lookup. Many (more than four values no lookup tells) sends
// the scan to NibbleSet where the vectors have lookups.
enum class SetKind { None, One, Two, Three, Four, Many, Lookup, AsciiLookup };

// The cheapest test of the set: compares cost one instruction per value and one
// to join each further value; a lookup two (values below 0x80) or three.
inline SetKind KindOf(const PreFilter& pre, int which, bool canLookUp) {
  const int count = pre.counts[which];
  if (count == 0) return SetKind::None;
  if (canLookUp && count >= 2) {
    bool distinct = true, ascii = true;
    unsigned lowHalves = 0;
    for (int k = 0; k < count && k < PreFilter::kMaxValues; ++k) {
      const unsigned v = pre.values[which][k];
      distinct = distinct && !(lowHalves >> (v & 15) & 1);
      lowHalves |= 1u << (v & 15);
      ascii = ascii && v < 0x80;
    }
    if (distinct && ascii) return SetKind::AsciiLookup;
    if (distinct && count >= 3) return SetKind::Lookup;
  }
  if (count == 1) return SetKind::One;
  if (count == 2) return SetKind::Two;
  if (count == 3) return SetKind::Three;
  if (count == 4) return SetKind::Four;
  return SetKind::Many;
}

template <class Vec, class First>
std::size_t ScanBlocksThen(SetKind second, const PreparedFilter<Vec>& f, const PreFilter& pre,
                           const unsigned char* data, std::size_t from, std::size_t to,
                           std::uint64_t& mask) {
  switch (second) {
    case SetKind::None:
      return ScanBlocks<Vec, First, NoSet>(f, pre, data, from, to, mask);
    case SetKind::One:
      return ScanBlocks<Vec, First, ValueSet<Vec, 1>>(f, pre, data, from, to, mask);
    case SetKind::Two:
      return ScanBlocks<Vec, First, ValueSet<Vec, 2>>(f, pre, data, from, to, mask);
    case SetKind::Three:
      return ScanBlocks<Vec, First, ValueSet<Vec, 3>>(f, pre, data, from, to, mask);
    case SetKind::Four:
      return ScanBlocks<Vec, First, ValueSet<Vec, 4>>(f, pre, data, from, to, mask);
    case SetKind::Many:
      return ScanBlocks<Vec, First, ValueSet<Vec, 8>>(f, pre, data, from, to, mask);
    case SetKind::Lookup:
    case SetKind::AsciiLookup:
      if constexpr (Vec::kNibbleLookup) {
        if (second == SetKind::Lookup)
          return ScanBlocks<Vec, First, LookupSet<Vec, false>>(f, pre, data, from, to, mask);
        return ScanBlocks<Vec, First, LookupSet<Vec, true>>(f, pre, data, from, to, mask);
      }
      break;
  }
  return ScanBlocks<Vec, First, ValueSet<Vec, 8>>(f, pre, data, from, to, mask);
}

template <class Vec>
std::size_t NextBlock(const PreparedFilter<Vec>& f, const PreFilter& pre, const unsigned char* data,
                      std::size_t from, std::size_t to, std::uint64_t& mask) {
  const SetKind first = KindOf(pre, 0, Vec::kNibbleLookup);
  const SetKind second =
      first == SetKind::None ? SetKind::None : KindOf(pre, 1, Vec::kNibbleLookup);
  if constexpr (Vec::kNibbleLookup) {
    if (first == SetKind::Many || second == SetKind::Many)
      return ScanBlocksByNibbles<Vec>(f, pre, data, from, to, mask);
  }
  const auto then = [&](auto set) {
    using First = decltype(set);
    return ScanBlocksThen<Vec, First>(second, f, pre, data, from, to, mask);
  };
  switch (first) {
    case SetKind::None:
      return ScanBlocks<Vec, NoSet, NoSet>(f, pre, data, from, to, mask);
    case SetKind::One:
      return then(ValueSet<Vec, 1>(pre, 0));
    case SetKind::Two:
      return then(ValueSet<Vec, 2>(pre, 0));
    case SetKind::Three:
      return then(ValueSet<Vec, 3>(pre, 0));
    case SetKind::Four:
      return then(ValueSet<Vec, 4>(pre, 0));
    case SetKind::Many:
      return then(ValueSet<Vec, 8>(pre, 0));
    case SetKind::Lookup:
    case SetKind::AsciiLookup:
      if constexpr (Vec::kNibbleLookup) {
        if (first == SetKind::Lookup) return then(LookupSet<Vec, false>(pre, 0));
        return then(LookupSet<Vec, true>(pre, 0));
      }
      break;
  }
  return then(ValueSet<Vec, 8>(pre, 0));
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
