// SHA-1 and SHA-256 compression with the x86 SHA extensions. Compiled for
// those instructions by function attribute only, so the program still runs on
// processors without them; callers check UseShaExtensions() first.
#include "hash/DigestBlocks.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

#include <utility>

#define AD_SHA_TARGET __attribute__((target("sha,sse4.1,ssse3")))
#define AD_SHA_INLINE __attribute__((target("sha,sse4.1,ssse3"), always_inline)) inline

namespace ad::digest {

namespace {

// Four SHA-1 rounds, group I of 20. m[] holds four 4-word message groups in
// turn; e[] the two alternating E accumulators.
template <int I>
AD_SHA_INLINE void Sha1Group(__m128i& abcd, __m128i* e, __m128i* m) {
    constexpr int cur = I & 1, other = cur ^ 1;
    if constexpr (I == 0) {
        e[cur] = _mm_add_epi32(e[cur], m[0]);
    } else {
        e[cur] = _mm_sha1nexte_epu32(e[cur], m[I & 3]);
    }
    e[other] = abcd;
    if constexpr (I >= 3 && I <= 18) m[(I + 1) & 3] = _mm_sha1msg2_epu32(m[(I + 1) & 3], m[I & 3]);
    abcd = _mm_sha1rnds4_epu32(abcd, e[cur], I / 5);
    if constexpr (I >= 1 && I <= 16) m[(I - 1) & 3] = _mm_sha1msg1_epu32(m[(I - 1) & 3], m[I & 3]);
    if constexpr (I >= 2 && I <= 17) m[(I - 2) & 3] = _mm_xor_si128(m[(I - 2) & 3], m[I & 3]);
}

template <int... I>
AD_SHA_INLINE void Sha1Groups(__m128i& abcd, __m128i* e, __m128i* m, std::integer_sequence<int, I...>) {
    (Sha1Group<I>(abcd, e, m), ...);
}

// Four SHA-256 rounds, group I of 16.
template <int I>
AD_SHA_INLINE void Sha256Group(__m128i& s0, __m128i& s1, __m128i* m) {
    __m128i msg = _mm_add_epi32(m[I & 3], _mm_load_si128(reinterpret_cast<const __m128i*>(kSha256Round + 4 * I)));
    s1 = _mm_sha256rnds2_epu32(s1, s0, msg);
    if constexpr (I >= 3 && I <= 14) {
        const __m128i t = _mm_alignr_epi8(m[I & 3], m[(I - 1) & 3], 4);
        m[(I + 1) & 3] = _mm_sha256msg2_epu32(_mm_add_epi32(m[(I + 1) & 3], t), m[I & 3]);
    }
    msg = _mm_shuffle_epi32(msg, 0x0E);
    s0 = _mm_sha256rnds2_epu32(s0, s1, msg);
    if constexpr (I >= 1 && I <= 12) m[(I - 1) & 3] = _mm_sha256msg1_epu32(m[(I - 1) & 3], m[I & 3]);
}

template <int... I>
AD_SHA_INLINE void Sha256Groups(__m128i& s0, __m128i& s1, __m128i* m, std::integer_sequence<int, I...>) {
    (Sha256Group<I>(s0, s1, m), ...);
}

}  // namespace

AD_SHA_TARGET void Sha1BlocksShaNi(uint32_t state[5], const uint8_t* data, size_t blocks) {
    const __m128i mask = _mm_set_epi64x(0x0001020304050607LL, 0x08090a0b0c0d0e0fLL);
    __m128i abcd = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(state)), 0x1B);
    __m128i e0 = _mm_set_epi32(static_cast<int>(state[4]), 0, 0, 0);
    for (; blocks != 0; --blocks, data += 64) {
        const __m128i abcdSave = abcd, eSave = e0;
        __m128i m[4], e[2] = {e0, _mm_setzero_si128()};
        for (int i = 0; i < 4; ++i)
            m[i] = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 16 * i)), mask);
        Sha1Groups(abcd, e, m, std::make_integer_sequence<int, 20>());
        e0 = _mm_sha1nexte_epu32(e[0], eSave);
        abcd = _mm_add_epi32(abcd, abcdSave);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(state), _mm_shuffle_epi32(abcd, 0x1B));
    state[4] = static_cast<uint32_t>(_mm_extract_epi32(e0, 3));
}

AD_SHA_TARGET void Sha256BlocksShaNi(uint32_t state[8], const uint8_t* data, size_t blocks) {
    const __m128i mask = _mm_set_epi64x(0x0c0d0e0f08090a0bLL, 0x0405060700010203LL);
    __m128i t = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(state)), 0xB1);  // CDAB
    __m128i s1 = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(state + 4)), 0x1B);  // EFGH
    __m128i s0 = _mm_alignr_epi8(t, s1, 8);      // ABEF
    s1 = _mm_blend_epi16(s1, t, 0xF0);           // CDGH
    for (; blocks != 0; --blocks, data += 64) {
        const __m128i s0Save = s0, s1Save = s1;
        __m128i m[4];
        for (int i = 0; i < 4; ++i)
            m[i] = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 16 * i)), mask);
        Sha256Groups(s0, s1, m, std::make_integer_sequence<int, 16>());
        s0 = _mm_add_epi32(s0, s0Save);
        s1 = _mm_add_epi32(s1, s1Save);
    }
    t = _mm_shuffle_epi32(s0, 0x1B);             // FEBA
    s1 = _mm_shuffle_epi32(s1, 0xB1);            // DCHG
    s0 = _mm_blend_epi16(t, s1, 0xF0);           // DCBA
    s1 = _mm_alignr_epi8(s1, t, 8);              // HGFE
    _mm_storeu_si128(reinterpret_cast<__m128i*>(state), s0);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(state + 4), s1);
}

}  // namespace ad::digest

#else

namespace ad::digest {
// Without x86 there are no SHA extensions; UseShaExtensions() is always false.
void Sha1BlocksShaNi(uint32_t state[5], const uint8_t* data, size_t blocks) { Sha1Blocks(state, data, blocks); }
void Sha256BlocksShaNi(uint32_t state[8], const uint8_t* data, size_t blocks) { Sha256Blocks(state, data, blocks); }
}  // namespace ad::digest

#endif
