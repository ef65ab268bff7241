// RIPEMD-128 and RIPEMD-160 compression functions. Both run two parallel lines
// over the same message words; the step tables below are fully unrolled by the
// compiler, so every index and rotation is a constant.
#include "hash/DigestBlocks.h"

namespace ad::digest {

namespace {

constexpr int kLeftWord[80] = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15,
    7, 4, 13, 1, 10, 6, 15, 3, 12, 0, 9, 5, 2, 14, 11, 8,
    3, 10, 14, 4, 9, 15, 8, 1, 2, 7, 0, 6, 13, 11, 5, 12,
    1, 9, 11, 10, 0, 8, 12, 4, 13, 3, 7, 15, 14, 5, 6, 2,
    4, 0, 5, 9, 7, 12, 2, 10, 14, 1, 3, 8, 11, 6, 15, 13};
constexpr int kRightWord[80] = {
    5, 14, 7, 0, 9, 2, 11, 4, 13, 6, 15, 8, 1, 10, 3, 12,
    6, 11, 3, 7, 0, 13, 5, 10, 14, 15, 8, 12, 4, 9, 1, 2,
    15, 5, 1, 3, 7, 14, 6, 9, 11, 8, 12, 2, 10, 0, 4, 13,
    8, 6, 4, 1, 3, 11, 15, 0, 5, 12, 2, 13, 9, 7, 10, 14,
    12, 15, 10, 4, 1, 5, 8, 7, 6, 2, 13, 14, 0, 3, 9, 11};
constexpr int kLeftShift[80] = {
    11, 14, 15, 12, 5, 8, 7, 9, 11, 13, 14, 15, 6, 7, 9, 8,
    7, 6, 8, 13, 11, 9, 7, 15, 7, 12, 15, 9, 11, 7, 13, 12,
    11, 13, 6, 7, 14, 9, 13, 15, 14, 8, 13, 6, 5, 12, 7, 5,
    11, 12, 14, 15, 14, 15, 9, 8, 9, 14, 5, 6, 8, 6, 5, 12,
    9, 15, 5, 11, 6, 8, 13, 12, 5, 12, 13, 14, 11, 8, 5, 6};
constexpr int kRightShift[80] = {
    8, 9, 9, 11, 13, 15, 15, 5, 7, 7, 8, 11, 14, 14, 12, 6,
    9, 13, 15, 7, 12, 8, 9, 11, 7, 7, 12, 7, 6, 15, 13, 11,
    9, 7, 15, 11, 8, 6, 6, 14, 12, 13, 5, 14, 13, 13, 7, 5,
    15, 5, 8, 11, 14, 14, 6, 14, 6, 9, 12, 9, 12, 5, 15, 8,
    8, 5, 12, 9, 12, 5, 14, 6, 8, 13, 6, 5, 15, 13, 11, 11};

// The five Boolean functions, by round number 0..4.
template <int F>
inline uint32_t Fn(uint32_t x, uint32_t y, uint32_t z) {
    if constexpr (F == 0) return x ^ y ^ z;
    if constexpr (F == 1) return z ^ (x & (y ^ z));
    if constexpr (F == 2) return (x | ~y) ^ z;
    if constexpr (F == 3) return y ^ (z & (x ^ y));
    return x ^ (y | ~z);
}

constexpr uint32_t kLeft160[5] = {0, 0x5a827999, 0x6ed9eba1, 0x8f1bbcdc, 0xa953fd4e};
constexpr uint32_t kRight160[5] = {0x50a28be6, 0x5c4dd124, 0x6d703ef3, 0x7a6d76e9, 0};
constexpr uint32_t kLeft128[4] = {0, 0x5a827999, 0x6ed9eba1, 0x8f1bbcdc};
constexpr uint32_t kRight128[4] = {0x50a28be6, 0x5c4dd124, 0x6d703ef3, 0};

// One step of RIPEMD-160 on line (a,b,c,d,e).
template <int F>
inline void Step160(uint32_t& a, uint32_t b, uint32_t& c, uint32_t d, uint32_t e, uint32_t x, uint32_t k, int s) {
    a = Rol32(a + Fn<F>(b, c, d) + x + k, s) + e;
    c = Rol32(c, 10);
}

// Sixteen steps of one round of both lines; the five words rotate their roles
// from step to step, which the unrolled sequence expresses by argument order.
template <int R>
inline void Round160(uint32_t& a, uint32_t& b, uint32_t& c, uint32_t& d, uint32_t& e,
                     uint32_t& ap, uint32_t& bp, uint32_t& cp, uint32_t& dp, uint32_t& ep,
                     const uint32_t* x) {
    constexpr uint32_t k = kLeft160[R], kp = kRight160[R];
    constexpr int o = 16 * R;
#define RMD160_5(j)                                                                                  \
    Step160<R>(a, b, c, d, e, x[kLeftWord[o + j]], k, kLeftShift[o + j]);                           \
    Step160<4 - R>(ap, bp, cp, dp, ep, x[kRightWord[o + j]], kp, kRightShift[o + j]);               \
    Step160<R>(e, a, b, c, d, x[kLeftWord[o + j + 1]], k, kLeftShift[o + j + 1]);                   \
    Step160<4 - R>(ep, ap, bp, cp, dp, x[kRightWord[o + j + 1]], kp, kRightShift[o + j + 1]);       \
    Step160<R>(d, e, a, b, c, x[kLeftWord[o + j + 2]], k, kLeftShift[o + j + 2]);                   \
    Step160<4 - R>(dp, ep, ap, bp, cp, x[kRightWord[o + j + 2]], kp, kRightShift[o + j + 2]);       \
    Step160<R>(c, d, e, a, b, x[kLeftWord[o + j + 3]], k, kLeftShift[o + j + 3]);                   \
    Step160<4 - R>(cp, dp, ep, ap, bp, x[kRightWord[o + j + 3]], kp, kRightShift[o + j + 3]);       \
    Step160<R>(b, c, d, e, a, x[kLeftWord[o + j + 4]], k, kLeftShift[o + j + 4]);                   \
    Step160<4 - R>(bp, cp, dp, ep, ap, x[kRightWord[o + j + 4]], kp, kRightShift[o + j + 4])
    RMD160_5(0);
    RMD160_5(5);
    RMD160_5(10);
    // Step 15 ends the round with the roles shifted by one word.
    Step160<R>(a, b, c, d, e, x[kLeftWord[o + 15]], k, kLeftShift[o + 15]);
    Step160<4 - R>(ap, bp, cp, dp, ep, x[kRightWord[o + 15]], kp, kRightShift[o + 15]);
#undef RMD160_5
}

// One step of RIPEMD-128 on line (a,b,c,d).
template <int F>
inline void Step128(uint32_t& a, uint32_t b, uint32_t c, uint32_t d, uint32_t x, uint32_t k, int s) {
    a = Rol32(a + Fn<F>(b, c, d) + x + k, s);
}

// RIPEMD-128 uses the functions 0..3 on the left line and 3..0 on the right.
template <int R>
inline void Round128(uint32_t& a, uint32_t& b, uint32_t& c, uint32_t& d,
                     uint32_t& ap, uint32_t& bp, uint32_t& cp, uint32_t& dp, const uint32_t* x) {
    constexpr uint32_t k = kLeft128[R], kp = kRight128[R];
    constexpr int o = 16 * R;
    constexpr int fr = 3 - R;  // the right line runs the functions backwards
#define RMD128_4(j)                                                                                  \
    Step128<R>(a, b, c, d, x[kLeftWord[o + j]], k, kLeftShift[o + j]);                              \
    Step128<fr>(ap, bp, cp, dp, x[kRightWord[o + j]], kp, kRightShift[o + j]);                      \
    Step128<R>(d, a, b, c, x[kLeftWord[o + j + 1]], k, kLeftShift[o + j + 1]);                      \
    Step128<fr>(dp, ap, bp, cp, x[kRightWord[o + j + 1]], kp, kRightShift[o + j + 1]);              \
    Step128<R>(c, d, a, b, x[kLeftWord[o + j + 2]], k, kLeftShift[o + j + 2]);                      \
    Step128<fr>(cp, dp, ap, bp, x[kRightWord[o + j + 2]], kp, kRightShift[o + j + 2]);              \
    Step128<R>(b, c, d, a, x[kLeftWord[o + j + 3]], k, kLeftShift[o + j + 3]);                      \
    Step128<fr>(bp, cp, dp, ap, x[kRightWord[o + j + 3]], kp, kRightShift[o + j + 3])
    RMD128_4(0);
    RMD128_4(4);
    RMD128_4(8);
    RMD128_4(12);
#undef RMD128_4
}

}  // namespace

void Ripemd160Blocks(uint32_t state[5], const uint8_t* data, size_t blocks) {
    for (; blocks != 0; --blocks, data += 64) {
        uint32_t x[16];
        for (int i = 0; i < 16; ++i) x[i] = LoadLe32(data + 4 * i);
        uint32_t a = state[0], b = state[1], c = state[2], d = state[3], e = state[4];
        uint32_t ap = a, bp = b, cp = c, dp = d, ep = e;
        // After 16 steps the five roles have moved by one word (16 mod 5 = 1).
        Round160<0>(a, b, c, d, e, ap, bp, cp, dp, ep, x);
        Round160<1>(e, a, b, c, d, ep, ap, bp, cp, dp, x);
        Round160<2>(d, e, a, b, c, dp, ep, ap, bp, cp, x);
        Round160<3>(c, d, e, a, b, cp, dp, ep, ap, bp, x);
        Round160<4>(b, c, d, e, a, bp, cp, dp, ep, ap, x);
        const uint32_t t = state[1] + c + dp;
        state[1] = state[2] + d + ep;
        state[2] = state[3] + e + ap;
        state[3] = state[4] + a + bp;
        state[4] = state[0] + b + cp;
        state[0] = t;
    }
}

void Ripemd128Blocks(uint32_t state[4], const uint8_t* data, size_t blocks) {
    for (; blocks != 0; --blocks, data += 64) {
        uint32_t x[16];
        for (int i = 0; i < 16; ++i) x[i] = LoadLe32(data + 4 * i);
        uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
        uint32_t ap = a, bp = b, cp = c, dp = d;
        Round128<0>(a, b, c, d, ap, bp, cp, dp, x);
        Round128<1>(a, b, c, d, ap, bp, cp, dp, x);
        Round128<2>(a, b, c, d, ap, bp, cp, dp, x);
        Round128<3>(a, b, c, d, ap, bp, cp, dp, x);
        const uint32_t t = state[1] + c + dp;
        state[1] = state[2] + d + ap;
        state[2] = state[3] + a + bp;
        state[3] = state[0] + b + cp;
        state[0] = t;
    }
}

}  // namespace ad::digest
