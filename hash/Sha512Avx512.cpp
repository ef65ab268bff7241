// SHA-512 compression with an AVX-512 message schedule (four blocks at once,
// native 64-bit rotates) and BMI2 rounds; see Sha512Vector.h. Compiled for
// those instructions by function attribute only, so the program still runs on
// processors without them; callers check UseAvx512() first.
#include "hash/DigestBlocks.h"

#if defined(__x86_64__)
// GCC 12 reports its own AVX-512 intrinsics (their "undefined" pass-through
// operand) as maybe-uninitialized once inlined (clang has no such warning).
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#define AD_SHA512_TARGET "avx512f,avx512bw,avx512vl,avx2,bmi,bmi2"
#include "hash/Sha512Vector.h"

namespace ad::digest {

namespace {

// Four consecutive blocks, one per 128-bit lane.
struct Lanes4 {
    using V = __m512i;
    static constexpr int kLanes = 4;
    AD_SHA512_INLINE static V Load(const uint8_t* data, int pair) {
        const __m128i* p = reinterpret_cast<const __m128i*>(data + 16 * pair);
        V v = _mm512_castsi128_si512(_mm_loadu_si128(p));
        v = _mm512_inserti32x4(v, _mm_loadu_si128(p + 8), 1);
        v = _mm512_inserti32x4(v, _mm_loadu_si128(p + 16), 2);
        v = _mm512_inserti32x4(v, _mm_loadu_si128(p + 24), 3);
        return _mm512_shuffle_epi8(v, _mm512_broadcast_i32x4(SwapMask128()));
    }
    AD_SHA512_INLINE static V Add(V a, V b) { return _mm512_add_epi64(a, b); }
    AD_SHA512_INLINE static V Align(V high, V low) { return _mm512_alignr_epi8(high, low, 8); }
    AD_SHA512_INLINE static V Sigma0(V x) {
        return _mm512_ternarylogic_epi64(_mm512_ror_epi64(x, 1), _mm512_ror_epi64(x, 8), _mm512_srli_epi64(x, 7), 0x96);
    }
    AD_SHA512_INLINE static V Sigma1(V x) {
        return _mm512_ternarylogic_epi64(_mm512_ror_epi64(x, 19), _mm512_ror_epi64(x, 61), _mm512_srli_epi64(x, 6),
                                         0x96);
    }
    AD_SHA512_INLINE static V Constants(const uint64_t* k) { return _mm512_broadcast_i32x4(ConstantPair(k)); }
    AD_SHA512_INLINE static void Store(uint64_t* p, V v) { _mm512_storeu_si512(p, v); }
};

}  // namespace

__attribute__((target(AD_SHA512_TARGET))) void Sha512BlocksAvx512(uint64_t state[8], const uint8_t* data,
                                                                  size_t blocks) {
    VectorBlocks<Lanes4>(state, data, blocks);
}

}  // namespace ad::digest

#else

namespace ad::digest {
// Without x86-64 there is no vector code; UseAvx512() is always false.
void Sha512BlocksAvx512(uint64_t state[8], const uint8_t* data, size_t blocks) { Sha512Blocks(state, data, blocks); }
}  // namespace ad::digest

#endif
