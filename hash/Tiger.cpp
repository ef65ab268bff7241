// Tiger compression function (three passes). Its four S-boxes are not typed in:
// they are generated once, the way Tiger's authors defined them, by running the
// compression function itself over their 64-byte key phrase while the boxes are
// being shuffled. The published test vectors check the result.
#include "hash/DigestBlocks.h"

namespace ad::digest {

namespace {

struct TigerBoxes {
    uint64_t t[4][256];
};

#define TIGER_ROUND(a, b, c, x, mul)                                                        \
    c ^= (x);                                                                               \
    a -= t[0][c & 0xFF] ^ t[1][(c >> 16) & 0xFF] ^ t[2][(c >> 32) & 0xFF] ^ t[3][(c >> 48) & 0xFF]; \
    b += t[3][(c >> 8) & 0xFF] ^ t[2][(c >> 24) & 0xFF] ^ t[1][(c >> 40) & 0xFF] ^ t[0][c >> 56]; \
    b *= (mul)

#define TIGER_PASS(a, b, c, mul)          \
    TIGER_ROUND(a, b, c, x0, mul);        \
    TIGER_ROUND(b, c, a, x1, mul);        \
    TIGER_ROUND(c, a, b, x2, mul);        \
    TIGER_ROUND(a, b, c, x3, mul);        \
    TIGER_ROUND(b, c, a, x4, mul);        \
    TIGER_ROUND(c, a, b, x5, mul);        \
    TIGER_ROUND(a, b, c, x6, mul);        \
    TIGER_ROUND(b, c, a, x7, mul)

#define TIGER_KEY_SCHEDULE()                          \
    x0 -= x7 ^ 0xA5A5A5A5A5A5A5A5ull;                 \
    x1 ^= x0;                                         \
    x2 += x1;                                         \
    x3 -= x2 ^ ((~x1) << 19);                         \
    x4 ^= x3;                                         \
    x5 += x4;                                         \
    x6 -= x5 ^ ((~x4) >> 23);                         \
    x7 ^= x6;                                         \
    x0 += x7;                                         \
    x1 -= x0 ^ ((~x7) << 19);                         \
    x2 ^= x1;                                         \
    x3 += x2;                                         \
    x4 -= x3 ^ ((~x2) >> 23);                         \
    x5 ^= x4;                                         \
    x6 += x5;                                         \
    x7 -= x6 ^ 0x0123456789ABCDEFull

inline void Compress(const uint64_t (*t)[256], uint64_t state[3], const uint8_t* data) {
    uint64_t x0 = LoadLe64(data), x1 = LoadLe64(data + 8), x2 = LoadLe64(data + 16), x3 = LoadLe64(data + 24);
    uint64_t x4 = LoadLe64(data + 32), x5 = LoadLe64(data + 40), x6 = LoadLe64(data + 48), x7 = LoadLe64(data + 56);
    uint64_t a = state[0], b = state[1], c = state[2];
    TIGER_PASS(a, b, c, 5);
    TIGER_KEY_SCHEDULE();
    TIGER_PASS(c, a, b, 7);
    TIGER_KEY_SCHEDULE();
    TIGER_PASS(b, c, a, 9);
    state[0] = a ^ state[0];
    state[1] = b - state[1];
    state[2] = c + state[2];
}

uint8_t GetByte(uint64_t v, int i) { return static_cast<uint8_t>(v >> (8 * i)); }
void SetByte(uint64_t& v, int i, uint8_t b) {
    v = (v & ~(0xFFull << (8 * i))) | (static_cast<uint64_t>(b) << (8 * i));
}

TigerBoxes Generate() {
    static const char kPhrase[] = "Tiger - A Fast New Hash Function, by Ross Anderson and Eli Biham";
    static_assert(sizeof kPhrase == 65);
    TigerBoxes boxes;
    uint64_t* table = &boxes.t[0][0];
    for (int i = 0; i < 1024; ++i) table[i] = 0x0101010101010101ull * static_cast<uint64_t>(i & 255);
    uint64_t state[3] = {0x0123456789ABCDEFull, 0xFEDCBA9876543210ull, 0xF096A5B4C3B2E187ull};
    int abc = 2;
    for (int pass = 0; pass < 5; ++pass) {
        for (int i = 0; i < 256; ++i) {
            for (int sb = 0; sb < 1024; sb += 256) {
                if (++abc == 3) {
                    abc = 0;
                    Compress(boxes.t, state, reinterpret_cast<const uint8_t*>(kPhrase));
                }
                for (int col = 0; col < 8; ++col) {
                    const int other = sb + GetByte(state[abc], col);
                    const uint8_t tmp = GetByte(table[sb + i], col);
                    SetByte(table[sb + i], col, GetByte(table[other], col));
                    SetByte(table[other], col, tmp);
                }
            }
        }
    }
    return boxes;
}

}  // namespace

void TigerBlocks(uint64_t state[3], const uint8_t* data, size_t blocks) {
    static const TigerBoxes boxes = Generate();
    for (; blocks != 0; --blocks, data += 64) Compress(boxes.t, state, data);
}

}  // namespace ad::digest
