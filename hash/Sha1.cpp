// SHA-1 compression function (FIPS 180), portable code.
#include "hash/DigestBlocks.h"

namespace ad::digest {

namespace {

// Message word i (i >= 16) from the 16-word window, computed in place.
inline uint32_t Schedule(uint32_t* w, int i) {
    const uint32_t v = Rol32(w[(i + 13) & 15] ^ w[(i + 8) & 15] ^ w[(i + 2) & 15] ^ w[i & 15], 1);
    w[i & 15] = v;
    return v;
}

// One step; the caller rotates the roles of the five words.
inline void Step(uint32_t a, uint32_t& b, uint32_t c, uint32_t d, uint32_t& e, uint32_t* w, int i) {
    const uint32_t x = i < 16 ? w[i] : Schedule(w, i);
    uint32_t f, k;
    if (i < 20) {
        f = d ^ (b & (c ^ d));
        k = 0x5a827999;
    } else if (i < 40) {
        f = b ^ c ^ d;
        k = 0x6ed9eba1;
    } else if (i < 60) {
        f = (b & c) | (d & (b | c));
        k = 0x8f1bbcdc;
    } else {
        f = b ^ c ^ d;
        k = 0xca62c1d6;
    }
    e += Rol32(a, 5) + f + k + x;
    b = Rol32(b, 30);
}

}  // namespace

void Sha1Blocks(uint32_t state[5], const uint8_t* data, size_t blocks) {
    for (; blocks != 0; --blocks, data += 64) {
        uint32_t w[16];
        for (int i = 0; i < 16; ++i) w[i] = LoadBe32(data + 4 * i);
        uint32_t a = state[0], b = state[1], c = state[2], d = state[3], e = state[4];
#pragma GCC unroll 16
        for (int i = 0; i < 80; i += 5) {
            Step(a, b, c, d, e, w, i);
            Step(e, a, b, c, d, w, i + 1);
            Step(d, e, a, b, c, w, i + 2);
            Step(c, d, e, a, b, w, i + 3);
            Step(b, c, d, e, a, w, i + 4);
        }
        state[0] += a;
        state[1] += b;
        state[2] += c;
        state[3] += d;
        state[4] += e;
    }
}

}  // namespace ad::digest
