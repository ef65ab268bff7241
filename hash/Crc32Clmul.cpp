// CRC-32 by folding with carry-less multiplication (PCLMULQDQ): four 128-bit
// lanes fold 64 bytes per step, then fold into one lane and reduce it to 32
// bits by Barrett reduction. The constants are powers of x modulo the CRC
// polynomial, bit-reflected. Compiled for the instructions by function
// attribute; callers check UseCarrylessCrc32() first.
#include "hash/DigestBlocks.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

#define AD_CLMUL_TARGET __attribute__((target("pclmul,sse4.1")))

namespace ad::digest {

namespace {

AD_CLMUL_TARGET inline __m128i Load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

// Folds one 128-bit lane forward by `k` and adds the next block.
AD_CLMUL_TARGET inline __m128i Fold(__m128i acc, __m128i k, __m128i next) {
    const __m128i lo = _mm_clmulepi64_si128(acc, k, 0x00);
    const __m128i hi = _mm_clmulepi64_si128(acc, k, 0x11);
    return _mm_xor_si128(_mm_xor_si128(hi, lo), next);
}

}  // namespace

AD_CLMUL_TARGET uint32_t Crc32Clmul(uint32_t crc, const uint8_t* data, size_t size) {
    const __m128i k1k2 = _mm_set_epi64x(0x01c6e41596LL, 0x0154442bd4LL);  // x^(4*128+32), x^(4*128-32)
    const __m128i k3k4 = _mm_set_epi64x(0x00ccaa009eLL, 0x01751997d0LL);  // x^(128+32), x^(128-32)
    const __m128i k5 = _mm_set_epi64x(0, 0x0163cd6124LL);                  // x^64
    const __m128i poly = _mm_set_epi64x(0x01f7011641LL, 0x01db710641LL);   // mu, P
    const __m128i mask32 = _mm_setr_epi32(~0, 0, ~0, 0);

    __m128i x1 = _mm_xor_si128(Load(data), _mm_cvtsi32_si128(static_cast<int>(crc)));
    __m128i x2 = Load(data + 16), x3 = Load(data + 32), x4 = Load(data + 48);
    data += 64;
    size -= 64;
    while (size >= 64) {
        x1 = Fold(x1, k1k2, Load(data));
        x2 = Fold(x2, k1k2, Load(data + 16));
        x3 = Fold(x3, k1k2, Load(data + 32));
        x4 = Fold(x4, k1k2, Load(data + 48));
        data += 64;
        size -= 64;
    }
    // Fold the four lanes into one, then any remaining 16-byte blocks.
    x1 = Fold(x1, k3k4, x2);
    x1 = Fold(x1, k3k4, x3);
    x1 = Fold(x1, k3k4, x4);
    while (size >= 16) {
        x1 = Fold(x1, k3k4, Load(data));
        data += 16;
        size -= 16;
    }
    // 128 -> 64 bits.
    __m128i x = _mm_clmulepi64_si128(x1, k3k4, 0x10);
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), x);
    x = _mm_srli_si128(x1, 4);
    x1 = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x1, mask32), k5, 0x00), x);
    // Barrett reduction to 32 bits.
    x = _mm_clmulepi64_si128(_mm_and_si128(x1, mask32), poly, 0x10);
    x = _mm_clmulepi64_si128(_mm_and_si128(x, mask32), poly, 0x00);
    x1 = _mm_xor_si128(x1, x);
    return static_cast<uint32_t>(_mm_extract_epi32(x1, 1));
}

}  // namespace ad::digest

#else

namespace ad::digest {
uint32_t Crc32Clmul(uint32_t crc, const uint8_t* data, size_t size) { return Crc32Table(crc, data, size); }
}  // namespace ad::digest

#endif
