// SHA-512 compression function (FIPS 180), portable code; SHA-384 shares it.
#include "hash/DigestBlocks.h"

namespace ad::digest {

namespace {

constexpr uint64_t kRound[80] = {
    0x428a2f98d728ae22, 0x7137449123ef65cd, 0xb5c0fbcfec4d3b2f, 0xe9b5dba58189dbbc, 0x3956c25bf348b538,
    0x59f111f1b605d019, 0x923f82a4af194f9b, 0xab1c5ed5da6d8118, 0xd807aa98a3030242, 0x12835b0145706fbe,
    0x243185be4ee4b28c, 0x550c7dc3d5ffb4e2, 0x72be5d74f27b896f, 0x80deb1fe3b1696b1, 0x9bdc06a725c71235,
    0xc19bf174cf692694, 0xe49b69c19ef14ad2, 0xefbe4786384f25e3, 0x0fc19dc68b8cd5b5, 0x240ca1cc77ac9c65,
    0x2de92c6f592b0275, 0x4a7484aa6ea6e483, 0x5cb0a9dcbd41fbd4, 0x76f988da831153b5, 0x983e5152ee66dfab,
    0xa831c66d2db43210, 0xb00327c898fb213f, 0xbf597fc7beef0ee4, 0xc6e00bf33da88fc2, 0xd5a79147930aa725,
    0x06ca6351e003826f, 0x142929670a0e6e70, 0x27b70a8546d22ffc, 0x2e1b21385c26c926, 0x4d2c6dfc5ac42aed,
    0x53380d139d95b3df, 0x650a73548baf63de, 0x766a0abb3c77b2a8, 0x81c2c92e47edaee6, 0x92722c851482353b,
    0xa2bfe8a14cf10364, 0xa81a664bbc423001, 0xc24b8b70d0f89791, 0xc76c51a30654be30, 0xd192e819d6ef5218,
    0xd69906245565a910, 0xf40e35855771202a, 0x106aa07032bbd1b8, 0x19a4c116b8d2d0c8, 0x1e376c085141ab53,
    0x2748774cdf8eeb99, 0x34b0bcb5e19b48a8, 0x391c0cb3c5c95a63, 0x4ed8aa4ae3418acb, 0x5b9cca4f7763e373,
    0x682e6ff3d6b2b8a3, 0x748f82ee5defb2fc, 0x78a5636f43172f60, 0x84c87814a1f0ab72, 0x8cc702081a6439ec,
    0x90befffa23631e28, 0xa4506cebde82bde9, 0xbef9a3f7b2c67915, 0xc67178f2e372532b, 0xca273eceea26619c,
    0xd186b8c721c0c207, 0xeada7dd6cde0eb1e, 0xf57d4f7fee6ed178, 0x06f067aa72176fba, 0x0a637dc5a2c898a6,
    0x113f9804bef90dae, 0x1b710b35131c471b, 0x28db77f523047d84, 0x32caab7b40c72493, 0x3c9ebe0a15c9bebc,
    0x431d67c49c100d4c, 0x4cc5d4becb3e42b6, 0x597f299cfc657e2a, 0x5fcb6fab3ad6faec, 0x6c44198c4a475817};

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
    const uint64_t t1 = h + (Ror64(e, 14) ^ Ror64(e, 18) ^ Ror64(e, 41)) + (g ^ (e & (f ^ g))) + kRound[i + j] + x;
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
