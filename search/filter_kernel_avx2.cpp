// The block test on AVX2. This file alone is built for AVX2; it runs only where
// the processor has it (see filter_kernel.cpp).
#include "search/candidate_filter.h"

#if defined(__AVX2__) || (defined(_MSC_VER) && (defined(_M_X64) || defined(_M_AMD64)))
#include <immintrin.h>

#include "search/filter_kernel.h"

namespace trovex::search {
namespace {

struct Avx2 {
  using V = __m256i;
  static constexpr int kWidth = 32;
  static V Load(const unsigned char* p) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
  }
  static V Splat(std::uint8_t b) { return _mm256_set1_epi8(static_cast<char>(b)); }
  static V Or(V a, V b) { return _mm256_or_si256(a, b); }
  static V And(V a, V b) { return _mm256_and_si256(a, b); }
  static V Equal(V a, V b) { return _mm256_cmpeq_epi8(a, b); }
  static V Zero() { return _mm256_setzero_si256(); }
  static std::uint64_t Mask(V v) { return static_cast<std::uint32_t>(_mm256_movemask_epi8(v)); }
  static bool None(V v) { return _mm256_movemask_epi8(v) == 0; }
  static constexpr bool kNibbleLookup = true;
  // The same 16-byte table in both halves: the lookup works within each half.
  static V Table(const std::uint8_t (&t)[16]) {
    return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(t)));
  }
  static V Lookup(V table, V indexes) { return _mm256_shuffle_epi8(table, indexes); }
  static V ShiftRight4(V v) { return _mm256_srli_epi16(v, 4); }
};

}  // namespace

std::size_t ScanCandidateBlocksAvx2(const CandidateFilter& filter, const unsigned char* data,
                                    std::size_t from, std::size_t to, CandidateBlockVisitor visit,
                                    void* context) {
  return ScanCandidateBlocksWith<Avx2>(filter, data, from, to, visit, context);
}

}  // namespace trovex::search
#endif
