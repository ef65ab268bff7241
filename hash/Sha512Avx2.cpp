// SHA-512 compression with an AVX2 message schedule (two blocks at once) and
// BMI2 rounds; see Sha512Vector.h. Compiled for those instructions by function
// attribute only, so the program still runs on processors without them;
// callers check UseAvx2Bmi2() first.
#include "hash/DigestBlocks.h"

#if defined(__x86_64__)
#define AD_SHA512_TARGET "avx2,bmi,bmi2"
#include "hash/Sha512Vector.h"

namespace ad::digest {

namespace {

// Two consecutive blocks, one per 128-bit lane.
struct Lanes2 {
    using V = __m256i;
    static constexpr int kLanes = 2;
    AD_SHA512_INLINE static V Load(const uint8_t* data, int pair) {
        const __m128i* p = reinterpret_cast<const __m128i*>(data + 16 * pair);
        const V v = _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(p)), _mm_loadu_si128(p + 8), 1);
        return _mm256_shuffle_epi8(v, _mm256_broadcastsi128_si256(SwapMask128()));
    }
    AD_SHA512_INLINE static V Add(V a, V b) { return _mm256_add_epi64(a, b); }
    AD_SHA512_INLINE static V Align(V high, V low) { return _mm256_alignr_epi8(high, low, 8); }
    AD_SHA512_INLINE static V Sigma0(V x) {
        // Rotating each word right by 8 bits is a byte shuffle.
        const V ror8 = _mm256_broadcastsi128_si256(_mm_set_epi64x(0x080f0e0d0c0b0a09LL, 0x0007060504030201LL));
        const V r1 = _mm256_or_si256(_mm256_srli_epi64(x, 1), _mm256_slli_epi64(x, 63));
        return _mm256_xor_si256(_mm256_xor_si256(r1, _mm256_shuffle_epi8(x, ror8)), _mm256_srli_epi64(x, 7));
    }
    AD_SHA512_INLINE static V Sigma1(V x) {
        const V r19 = _mm256_or_si256(_mm256_srli_epi64(x, 19), _mm256_slli_epi64(x, 45));
        const V r61 = _mm256_or_si256(_mm256_srli_epi64(x, 61), _mm256_slli_epi64(x, 3));
        return _mm256_xor_si256(_mm256_xor_si256(r19, r61), _mm256_srli_epi64(x, 6));
    }
    AD_SHA512_INLINE static V Constants(const uint64_t* k) { return _mm256_broadcastsi128_si256(ConstantPair(k)); }
    AD_SHA512_INLINE static void Store(uint64_t* p, V v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
};

}  // namespace

__attribute__((target(AD_SHA512_TARGET))) void Sha512BlocksAvx2(uint64_t state[8], const uint8_t* data,
                                                                size_t blocks) {
    VectorBlocks<Lanes2>(state, data, blocks);
}

}  // namespace ad::digest

#else

namespace ad::digest {
// Without x86-64 there is no vector code; UseAvx2Bmi2() is always false.
void Sha512BlocksAvx2(uint64_t state[8], const uint8_t* data, size_t blocks) { Sha512Blocks(state, data, blocks); }
}  // namespace ad::digest

#endif
