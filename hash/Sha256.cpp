// SHA-256 compression function (FIPS 180), portable code.
#include "hash/DigestBlocks.h"

namespace ad::digest {

namespace {

constexpr uint32_t kRound[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

inline uint32_t Schedule(uint32_t* w, int i) {
    const uint32_t w15 = w[(i + 1) & 15], w2 = w[(i + 14) & 15];
    const uint32_t s0 = Ror32(w15, 7) ^ Ror32(w15, 18) ^ (w15 >> 3);
    const uint32_t s1 = Ror32(w2, 17) ^ Ror32(w2, 19) ^ (w2 >> 10);
    const uint32_t v = w[i & 15] + s0 + w[(i + 9) & 15] + s1;
    w[i & 15] = v;
    return v;
}

// One round; the caller rotates the roles of the eight words.
template <bool Extend>
inline void Round(uint32_t a, uint32_t b, uint32_t c, uint32_t& d, uint32_t e, uint32_t f, uint32_t g,
                  uint32_t& h, uint32_t* w, int i, int j) {
    const uint32_t x = Extend ? Schedule(w, j) : w[j];
    const uint32_t t1 = h + (Ror32(e, 6) ^ Ror32(e, 11) ^ Ror32(e, 25)) + (g ^ (e & (f ^ g))) + kRound[i + j] + x;
    const uint32_t t2 = (Ror32(a, 2) ^ Ror32(a, 13) ^ Ror32(a, 22)) + ((a & b) | (c & (a | b)));
    d += t1;
    h = t1 + t2;
}

// Sixteen rounds from round i (a multiple of 16); the roles of the eight words
// rotate by one per round.
template <bool Extend>
inline void Rounds16(uint32_t& a, uint32_t& b, uint32_t& c, uint32_t& d, uint32_t& e, uint32_t& f, uint32_t& g, uint32_t& h,
                     uint32_t* w, int i) {
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

void Sha256Blocks(uint32_t state[8], const uint8_t* data, size_t blocks) {
    for (; blocks != 0; --blocks, data += 64) {
        uint32_t w[16];
        for (int i = 0; i < 16; ++i) w[i] = LoadBe32(data + 4 * i);
        uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
        uint32_t e = state[4], f = state[5], g = state[6], h = state[7];
        // Rounds 0..15 take the message words as they are; the later ones
        // extend the schedule in place. Sixteen rounds per iteration keep
        // every window index a constant.
        Rounds16<false>(a, b, c, d, e, f, g, h, w, 0);
        for (int i = 16; i < 64; i += 16) Rounds16<true>(a, b, c, d, e, f, g, h, w, i);
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
