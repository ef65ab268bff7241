// Compression functions of the block digests: each processes `blocks` whole
// blocks at `data` into its chaining state. Internal to the digest code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace ad::digest {

void Md4Blocks(uint32_t state[4], const uint8_t* data, size_t blocks);
void Md5Blocks(uint32_t state[4], const uint8_t* data, size_t blocks);
void Ripemd128Blocks(uint32_t state[4], const uint8_t* data, size_t blocks);
void Ripemd160Blocks(uint32_t state[5], const uint8_t* data, size_t blocks);
void Sha1Blocks(uint32_t state[5], const uint8_t* data, size_t blocks);
void Sha1BlocksShaNi(uint32_t state[5], const uint8_t* data, size_t blocks);
void Sha256Blocks(uint32_t state[8], const uint8_t* data, size_t blocks);
void Sha256BlocksShaNi(uint32_t state[8], const uint8_t* data, size_t blocks);
void Sha512Blocks(uint64_t state[8], const uint8_t* data, size_t blocks);
void TigerBlocks(uint64_t state[3], const uint8_t* data, size_t blocks);

// CRC-32 (reflected 0xEDB88320) over the pre-conditioned register `crc`
// (not complemented here): table code, and carry-less multiply folding that
// takes a length of at least 64 and a multiple of 16.
uint32_t Crc32Table(uint32_t crc, const uint8_t* data, size_t size);
uint32_t Crc32Clmul(uint32_t crc, const uint8_t* data, size_t size);

inline uint32_t Rol32(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }
inline uint32_t Ror32(uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }
inline uint64_t Ror64(uint64_t x, int n) { return (x >> n) | (x << (64 - n)); }

inline uint32_t LoadLe32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;  // x86 and every target we build for are little-endian
}
inline uint64_t LoadLe64(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}
inline uint32_t LoadBe32(const uint8_t* p) { return __builtin_bswap32(LoadLe32(p)); }
inline uint64_t LoadBe64(const uint8_t* p) { return __builtin_bswap64(LoadLe64(p)); }

}  // namespace ad::digest
