// The block test on SSE2 (every x86-64 processor), AVX2 chosen at run time where
// the processor has it; plain C++ elsewhere.
#include "search/candidate_filter.h"

#if defined(__SSE2__) || defined(_M_X64) || defined(_M_AMD64)
#define TROVEX_SSE2 1
#include <emmintrin.h>
#ifdef _MSC_VER
#include <immintrin.h>
#include <intrin.h>
#endif

#include "search/filter_kernel.h"
#endif

namespace trovex::search {

#ifdef TROVEX_SSE2
namespace {

struct Sse2 {
  using V = __m128i;
  static constexpr int kWidth = 16;
  static V Load(const unsigned char* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  }
  static V Splat(std::uint8_t b) { return _mm_set1_epi8(static_cast<char>(b)); }
  static V Or(V a, V b) { return _mm_or_si128(a, b); }
  static V And(V a, V b) { return _mm_and_si128(a, b); }
  static V Equal(V a, V b) { return _mm_cmpeq_epi8(a, b); }
  static V Zero() { return _mm_setzero_si128(); }
  static std::uint64_t Mask(V v) { return static_cast<std::uint32_t>(_mm_movemask_epi8(v)); }
  static bool None(V v) { return _mm_movemask_epi8(v) == 0; }
  static constexpr bool kNibbleLookup = false;  // a byte shuffle is not in SSE2
};

bool HasAvx2() {
#ifdef _MSC_VER
  int regs[4];
  __cpuid(regs, 0);
  if (regs[0] < 7) return false;
  __cpuid(regs, 1);
  const bool osSavesAvx = (regs[2] & (1 << 27)) && (regs[2] & (1 << 28));
  if (!osSavesAvx || (_xgetbv(0) & 6) != 6) return false;
  __cpuidex(regs, 7, 0);
  return (regs[1] & (1 << 5)) != 0;
#else
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
#endif
}

}  // namespace

// filter_kernel_avx2.cpp, built for AVX2.
std::size_t ScanCandidateBlocksAvx2(const CandidateFilter& filter, const unsigned char* data,
                                    std::size_t from, std::size_t to, CandidateBlockVisitor visit,
                                    void* context);

std::size_t ScanCandidateBlocksBaseline(const CandidateFilter& filter, const unsigned char* data,
                                        std::size_t from, std::size_t to,
                                        CandidateBlockVisitor visit, void* context) {
  return ScanCandidateBlocksWith<Sse2>(filter, data, from, to, visit, context);
}

std::size_t ScanCandidateBlocks(const CandidateFilter& filter, const unsigned char* data,
                                std::size_t from, std::size_t to, CandidateBlockVisitor visit,
                                void* context) {
  static const bool avx2 = HasAvx2();
  if (avx2) return ScanCandidateBlocksAvx2(filter, data, from, to, visit, context);
  return ScanCandidateBlocksWith<Sse2>(filter, data, from, to, visit, context);
}

#else

std::size_t ScanCandidateBlocks(const CandidateFilter& filter, const unsigned char* data,
                                std::size_t from, std::size_t to, CandidateBlockVisitor visit,
                                void* context) {
  std::size_t i = from;
  for (; i + 64 <= to; i += 64) {
    std::uint64_t m = 0;
    for (int k = 0; k < 64; ++k)
      if (filter.Passes(data, i + k + filter.MaxOffset() + 1, i + k)) m |= std::uint64_t{1} << k;
    if (m != 0 && visit(context, i, m)) return i;
  }
  return i;
}

std::size_t ScanCandidateBlocksBaseline(const CandidateFilter& filter, const unsigned char* data,
                                        std::size_t from, std::size_t to,
                                        CandidateBlockVisitor visit, void* context) {
  return ScanCandidateBlocks(filter, data, from, to, visit, context);
}

#endif

}  // namespace trovex::search
