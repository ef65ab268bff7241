// MD4 compression function (RFC 1320).
#include "hash/DigestBlocks.h"

namespace ad::digest {

#define MD4_F(x, y, z) ((z) ^ ((x) & ((y) ^ (z))))
#define MD4_G(x, y, z) (((x) & (y)) + ((z) & ((x) ^ (y))))  // majority; the terms share no bit
#define MD4_H(x, y, z) ((x) ^ (y) ^ (z))
#define MD4_STEP(f, a, b, c, d, x, s) a = Rol32((a + (x)) + f(b, c, d), s)
#define MD4_STEPK(f, a, b, c, d, x, k, s) a = Rol32((a + (x) + (k)) + f(b, c, d), s)

void Md4Blocks(uint32_t state[4], const uint8_t* data, size_t blocks) {
    uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    for (; blocks != 0; --blocks, data += 64) {
        uint32_t x[16];
        for (int i = 0; i < 16; ++i) x[i] = LoadLe32(data + 4 * i);
        const uint32_t aa = a, bb = b, cc = c, dd = d;

#pragma GCC unroll 4
        for (int i = 0; i < 16; i += 4) {
            MD4_STEP(MD4_F, a, b, c, d, x[i], 3);
            MD4_STEP(MD4_F, d, a, b, c, x[i + 1], 7);
            MD4_STEP(MD4_F, c, d, a, b, x[i + 2], 11);
            MD4_STEP(MD4_F, b, c, d, a, x[i + 3], 19);
        }
#pragma GCC unroll 4
        for (int i = 0; i < 4; ++i) {
            MD4_STEPK(MD4_G, a, b, c, d, x[i], 0x5a827999u, 3);
            MD4_STEPK(MD4_G, d, a, b, c, x[i + 4], 0x5a827999u, 5);
            MD4_STEPK(MD4_G, c, d, a, b, x[i + 8], 0x5a827999u, 9);
            MD4_STEPK(MD4_G, b, c, d, a, x[i + 12], 0x5a827999u, 13);
        }
        static constexpr int order[4] = {0, 2, 1, 3};
#pragma GCC unroll 4
        for (int i : order) {
            MD4_STEPK(MD4_H, a, b, c, d, x[i], 0x6ed9eba1u, 3);
            MD4_STEPK(MD4_H, d, a, b, c, x[i + 8], 0x6ed9eba1u, 9);
            MD4_STEPK(MD4_H, c, d, a, b, x[i + 4], 0x6ed9eba1u, 11);
            MD4_STEPK(MD4_H, b, c, d, a, x[i + 12], 0x6ed9eba1u, 15);
        }

        a += aa;
        b += bb;
        c += cc;
        d += dd;
    }
    state[0] = a;
    state[1] = b;
    state[2] = c;
    state[3] = d;
}

}  // namespace ad::digest
