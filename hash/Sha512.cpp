// SHA-512 compression function (FIPS 180), portable code; SHA-384 shares it.
#include "hash/DigestBlocks.h"

namespace ad::digest {

namespace {

inline uint64_t Schedule(uint64_t* w, int i) {
    const uint64_t w15 = w[(i + 1) & 15], w2 = w[(i + 14) & 15];
    const uint64_t s0 = Ror64(w15, 1) ^ Ror64(w15, 8) ^ (w15 >> 7);
    const uint64_t s1 = Ror64(w2, 19) ^ Ror64(w2, 61) ^ (w2 >> 6);
    const uint64_t v = w[i & 15] + s0 + w[(i + 9) & 15] + s1;
    w[i & 15] = v;
    return v;
}

template <bool Extend>
inline void Round(uint64_t a, uint64_t b, uint64_t c, uint64_t& d, uint64_t e, uint64_t f, uint64_t g,
                  uint64_t& h, uint64_t* w, int i, int j) {
    const uint64_t x = Extend ? Schedule(w, j) : w[j];
    const uint64_t t1 = h + (Ror64(e, 14) ^ Ror64(e, 18) ^ Ror64(e, 41)) + (g ^ (e & (f ^ g))) + kSha512Round[i + j] + x;
    const uint64_t t2 = (Ror64(a, 28) ^ Ror64(a, 34) ^ Ror64(a, 39)) + ((a & b) | (c & (a | b)));
    d += t1;
    h = t1 + t2;
}

// Sixteen rounds from round i (a multiple of 16); the roles of the eight words
// rotate by one per round.
template <bool Extend>
inline void Rounds16(uint64_t& a, uint64_t& b, uint64_t& c, uint64_t& d, uint64_t& e, uint64_t& f, uint64_t& g, uint64_t& h,
                     uint64_t* w, int i) {
#pragma GCC unroll 2
    for (int k = 0; k < 16; k += 8) {
        Round<Extend>(a, b, c, d, e, f, g, h, w, i, k);
        Round<Extend>(h, a, b, c, d, e, f, g, w, i, k + 1);
        Round<Extend>(g, h, a, b, c, d, e, f, w, i, k + 2);
        Round<Extend>(f, g, h, a, b, c, d, e, w, i, k + 3);
        Round<Extend>(e, f, g, h, a, b, c, d, w, i, k + 4);
        Round<Extend>(d, e, f, g, h, a, b, c, w, i, k + 5);
        Round<Extend>(c, d, e, f, g, h, a, b, w, i, k + 6);
        Round<Extend>(b, c, d, e, f, g, h, a, w, i, k + 7);
    }
}

}  // namespace

void Sha512Blocks(uint64_t state[8], const uint8_t* data, size_t blocks) {
    for (; blocks != 0; --blocks, data += 128) {
        uint64_t w[16];
        for (int i = 0; i < 16; ++i) w[i] = LoadBe64(data + 8 * i);
        uint64_t a = state[0], b = state[1], c = state[2], d = state[3];
        uint64_t e = state[4], f = state[5], g = state[6], h = state[7];
        // Rounds 0..15 take the message words as they are; the later ones
        // extend the schedule in place. Sixteen rounds per iteration keep
        // every window index a constant.
        Rounds16<false>(a, b, c, d, e, f, g, h, w, 0);
        for (int i = 16; i < 80; i += 16) Rounds16<true>(a, b, c, d, e, f, g, h, w, i);
        state[0] += a;
        state[1] += b;
        state[2] += c;
        state[3] += d;
        state[4] += e;
        state[5] += f;
        state[6] += g;
        state[7] += h;
    }
}

}  // namespace ad::digest
