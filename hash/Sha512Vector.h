// SHA-512 compression with a vector message schedule (SHA-384 shares it),
// compiled once per instruction set: Sha512Avx2.cpp and Sha512Avx512.cpp
// define AD_SHA512_TARGET (the target attribute's string) before including
// this file. Internal to the digest code.
//
// The vector code extends the message words of T::kLanes consecutive blocks
// at once, one block per 128-bit lane and two words per step, and stores W+K
// (round constant already added). The eighty rounds of each block then run on
// general registers with the BMI2 rotate; the schedule of the next group of
// blocks is computed in between, so the vector and the scalar units work at
// the same time.
#pragma once

#include <immintrin.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "hash/DigestBlocks.h"

#define AD_SHA512_INLINE __attribute__((target(AD_SHA512_TARGET), always_inline)) inline

namespace ad::digest {

namespace {

// Byte order of the message words within each 128-bit lane.
AD_SHA512_INLINE __m128i SwapMask128() { return _mm_set_epi64x(0x08090a0b0c0d0e0fLL, 0x0001020304050607LL); }

// The round constants of words 2 * pair and 2 * pair + 1.
AD_SHA512_INLINE __m128i ConstantPair(const uint64_t* k) { return _mm_load_si128(reinterpret_cast<const __m128i*>(k)); }

// W+K of T::kLanes consecutive blocks: word t of block b is at
// wk[(t / 2) * 2 * kLanes + 2 * b + t % 2]. x[] holds the last sixteen message
// words of every block, oldest pair first.
template <class T>
AD_SHA512_INLINE void ScheduleStart(typename T::V x[8], const uint8_t* data, uint64_t* wk) {
#pragma GCC unroll 8
    for (int j = 0; j < 8; ++j) {
        x[j] = T::Load(data, j);
        T::Store(wk + 2 * T::kLanes * j, T::Add(x[j], T::Constants(kSha512Round + 2 * j)));
    }
}

// One step of the schedule: x[J] (words t-16, t-15 of every block) becomes
// words t, t+1; W+K goes to `out`, the constants come from `k`. x[] is a ring,
// so J runs through 0..7 and no register moves.
template <class T, int J>
AD_SHA512_INLINE void ScheduleStep(typename T::V x[8], uint64_t* out, const uint64_t* k) {
    const typename T::V w15 = T::Align(x[(J + 1) & 7], x[J]);
    const typename T::V w7 = T::Align(x[(J + 5) & 7], x[(J + 4) & 7]);
    x[J] = T::Add(T::Add(x[J], T::Sigma0(w15)), T::Add(w7, T::Sigma1(x[(J + 7) & 7])));
    T::Store(out, T::Add(x[J], T::Constants(k)));
}

// Pairs 8..39 of a whole group, at once.
template <class T, int... J>
AD_SHA512_INLINE void ScheduleRest(typename T::V x[8], uint64_t* wk, std::integer_sequence<int, J...>) {
    constexpr int stride = 2 * T::kLanes;
    (ScheduleStep<T, J & 7>(x, wk + stride * (8 + J), kSha512Round + 2 * (8 + J)), ...);
}

// One round; the roles of the eight words rotate by one per round. sa
// carries Sigma0 of the previous round's a, which completes this round's a
// (so the sum is not on the way from e to d); bc carries b ^ c, which is the
// next round's a ^ b, so Maj costs three operations (c itself is not needed).
// Written as one block so that the instruction order stays as chosen: what
// does not depend on e first, then Ch(e, f, g), Sigma1(e), d and Maj.
AD_SHA512_INLINE void Round(uint64_t& a, uint64_t b, uint64_t& d, uint64_t e, uint64_t f, uint64_t g, uint64_t& h,
                            uint64_t& sa, uint64_t& bc, const uint64_t& wk) {
    uint64_t t0, t2, t4;
    asm("add   %[wk], %[h]\n\t"  // h += W+K
        "mov   %[f], %[t4]\n\t"
        "rorx  $41, %[e], %[t0]\n\t"
        "rorx  $18, %[e], %[t2]\n\t"
        "and   %[e], %[t4]\n\t"
        "lea   (%[a],%[sa]), %[a]\n\t"
        "lea   (%[h],%[t4]), %[h]\n\t"
        "andn  %[g], %[e], %[t4]\n\t"
        "xor   %[t2], %[t0]\n\t"
        "rorx  $14, %[e], %[sa]\n\t"
        "lea   (%[h],%[t4]), %[h]\n\t"
        "xor   %[sa], %[t0]\n\t"
        "mov   %[a], %[t2]\n\t"
        "rorx  $39, %[a], %[t4]\n\t"
        "lea   (%[h],%[t0]), %[h]\n\t"
        "xor   %[b], %[t2]\n\t"
        "rorx  $34, %[a], %[sa]\n\t"
        "rorx  $28, %[a], %[t0]\n\t"
        "lea   (%[d],%[h]), %[d]\n\t"  // d += T1
        "and   %[t2], %[bc]\n\t"
        "xor   %[t4], %[sa]\n\t"
        "xor   %[b], %[bc]\n\t"
        "xor   %[t0], %[sa]\n\t"  // Sigma0(a), added next round
        "lea   (%[h],%[bc]), %[h]\n\t"
        : [a] "+r"(a), [d] "+r"(d), [h] "+r"(h), [sa] "+r"(sa), [bc] "+r"(bc), [t0] "=&r"(t0), [t2] "=&r"(t2),
          [t4] "=&r"(t4)
        : [b] "r"(b), [e] "r"(e), [f] "r"(f), [g] "r"(g), [wk] "m"(wk)
        : "cc");
    bc = t2;
}

// Eight rounds from W+K at wk[0], wk[1], wk[stride], ... wk[3 * stride + 1].
template <int stride>
AD_SHA512_INLINE void EightRounds(uint64_t& a, uint64_t& b, uint64_t& c, uint64_t& d, uint64_t& e, uint64_t& f,
                                  uint64_t& g, uint64_t& h, uint64_t& bc, const uint64_t* wk, uint64_t& sa) {
    Round(a, b, d, e, f, g, h, sa, bc, wk[0]);
    Round(h, a, c, d, e, f, g, sa, bc, wk[1]);
    Round(g, h, b, c, d, e, f, sa, bc, wk[stride]);
    Round(f, g, a, b, c, d, e, sa, bc, wk[stride + 1]);
    Round(e, f, h, a, b, c, d, sa, bc, wk[2 * stride]);
    Round(d, e, g, h, a, b, c, sa, bc, wk[2 * stride + 1]);
    Round(c, d, f, g, h, a, b, sa, bc, wk[3 * stride]);
    Round(b, c, e, f, g, h, a, sa, bc, wk[3 * stride + 1]);
}

// Steps I * kSteps .. I * kSteps + kSteps - 1 of a block's share.
template <class T, int kSteps, int I>
AD_SHA512_INLINE void Steps(typename T::V x[8], uint64_t* out, const uint64_t* k) {
    constexpr int stride = 2 * T::kLanes, first = I * kSteps;
    ScheduleStep<T, first & 7>(x, out + stride * first, k + 2 * first);
    if constexpr (kSteps == 2) ScheduleStep<T, (first + 1) & 7>(x, out + stride * (first + 1), k + 2 * (first + 1));
    static_assert(kSteps == 1 || kSteps == 2);
}

// Rounds 0..63 of a block, each eight followed by kSteps steps of the next
// group's schedule (8 * kSteps pairs per block, written from `out` on with
// the constants from `k` on).
template <class T, int kSteps, int... I>
AD_SHA512_INLINE void RoundsWithSchedule(uint64_t& a, uint64_t& b, uint64_t& c, uint64_t& d, uint64_t& e, uint64_t& f,
                                         uint64_t& g, uint64_t& h, uint64_t& bc, const uint64_t* wk, uint64_t& sa,
                                         typename T::V x[8], uint64_t* out, const uint64_t* k,
                                         std::integer_sequence<int, I...>) {
    constexpr int stride = 2 * T::kLanes;
    ((EightRounds<stride>(a, b, c, d, e, f, g, h, bc, wk + 4 * stride * I, sa), Steps<T, kSteps, I>(x, out, k)), ...);
}

// The eighty rounds of block `block` of the group whose W+K is at `wk`. With
// a next group (next != nullptr) its schedule is extended in between: the
// group's 32 steps are spread evenly over its blocks.
template <class T>
AD_SHA512_INLINE void BlockRounds(uint64_t state[8], const uint64_t* wk, int block, typename T::V x[8],
                                  uint64_t* next) {
    constexpr int stride = 2 * T::kLanes;
    constexpr int steps = 32 / (8 * T::kLanes);  // per eight rounds, in rounds 0..63
    static_assert(steps * 8 * T::kLanes == 32, "the steps must fill rounds 0..63 of every block");
    uint64_t a = state[0], b = state[1], c = state[2], d = state[3];
    uint64_t e = state[4], f = state[5], g = state[6], h = state[7];
    uint64_t bc = b ^ c;
    uint64_t sa = 0;
    wk += 2 * block;
    if (next != nullptr) {
        const int first = 8 + 8 * steps * block;
        RoundsWithSchedule<T, steps>(a, b, c, d, e, f, g, h, bc, wk, sa, x, next + stride * first,
                                     kSha512Round + 2 * first, std::make_integer_sequence<int, 8>());
    } else {
        for (int i = 0; i < 8; ++i) EightRounds<stride>(a, b, c, d, e, f, g, h, bc, wk + 4 * stride * i, sa);
    }
    EightRounds<stride>(a, b, c, d, e, f, g, h, bc, wk + 4 * stride * 8, sa);
    EightRounds<stride>(a, b, c, d, e, f, g, h, bc, wk + 4 * stride * 9, sa);
    a += sa;
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    state[4] += e;
    state[5] += f;
    state[6] += g;
    state[7] += h;
}

// The group of up to kLanes blocks at `data` (`blocks` of them), as the vector
// loads read it: a short last group is copied into `pad`, zero-filled.
template <class T>
AD_SHA512_INLINE const uint8_t* GroupData(const uint8_t* data, size_t blocks, uint8_t* pad) {
    if (blocks >= static_cast<size_t>(T::kLanes)) return data;
    std::memset(pad, 0, 128 * T::kLanes);
    std::memcpy(pad, data, 128 * blocks);
    return pad;
}

// `blocks` whole blocks at `data` into `state`, kLanes blocks per group.
template <class T>
AD_SHA512_INLINE void VectorBlocks(uint64_t state[8], const uint8_t* data, size_t blocks) {
    constexpr size_t lanes = T::kLanes;
    if (blocks == 0) return;
    uint64_t wk[2][80 * lanes];
    uint8_t pad[128 * lanes];
    typename T::V x[8];
    int cur = 0;
    ScheduleStart<T>(x, GroupData<T>(data, blocks, pad), wk[cur]);
    ScheduleRest<T>(x, wk[cur], std::make_integer_sequence<int, 32>());
    while (blocks != 0) {
        // Only the last group can be short, so a group followed by another is whole.
        const size_t n = std::min(blocks, lanes);
        uint64_t* next = nullptr;
        if (blocks > n) {
            next = wk[cur ^ 1];
            ScheduleStart<T>(x, GroupData<T>(data + 128 * n, blocks - n, pad), next);
        }
        for (size_t b = 0; b < n; ++b) BlockRounds<T>(state, wk[cur], static_cast<int>(b), x, next);
        cur ^= 1;
        blocks -= n;
        data += 128 * n;
    }
}

}  // namespace

}  // namespace ad::digest
