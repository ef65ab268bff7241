// CRC-32 (ISO 3309 / ITU-T V.42, reflected polynomial 0xEDB88320) by tables,
// eight bytes per step ("slicing by 8"); the first table is the classic
// byte-at-a-time table.
#include "hash/DigestBlocks.h"

#include <array>

namespace ad::digest {

namespace {

using Tables = std::array<std::array<uint32_t, 256>, 8>;

constexpr Tables MakeTables() {
    Tables t{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        t[0][i] = c;
    }
    for (uint32_t i = 0; i < 256; ++i)
        for (int s = 1; s < 8; ++s) t[s][i] = (t[s - 1][i] >> 8) ^ t[0][t[s - 1][i] & 0xFF];
    return t;
}

constexpr Tables kTables = MakeTables();

}  // namespace

uint32_t Crc32Table(uint32_t crc, const uint8_t* data, size_t size) {
    const auto& t = kTables;
    while (size >= 8) {
        const uint32_t lo = LoadLe32(data) ^ crc, hi = LoadLe32(data + 4);
        crc = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
              t[3][hi & 0xFF] ^ t[2][(hi >> 8) & 0xFF] ^ t[1][(hi >> 16) & 0xFF] ^ t[0][hi >> 24];
        data += 8;
        size -= 8;
    }
    while (size-- != 0) crc = t[0][(crc ^ *data++) & 0xFF] ^ (crc >> 8);
    return crc;
}

}  // namespace ad::digest
