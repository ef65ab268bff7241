// CRC-32 of memory (dispatching to carry-less multiply when available) and of
// whole files.
#include "hash/CRC32.h"

#include "hash/CpuFeatures.h"
#include "hash/DigestBlocks.h"
#include "hash/FileSource.h"

namespace ad {

uint32_t Crc32Update(uint32_t crc, const void* data, size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    uint32_t c = ~crc;
    if (size >= 64 && UseCarrylessCrc32()) {
        const size_t folded = size & ~size_t(15);
        c = digest::Crc32Clmul(c, p, folded);
        p += folded;
        size -= folded;
    }
    return ~digest::Crc32Table(c, p, size);
}

uint32_t FileCRC32(const std::string& fileName) {
    uint32_t crc = 0;
    const digest::StreamResult result = digest::StreamFile(
        fileName, digest::BlockSizeFor(0), [&](const uint8_t* p, size_t n) { crc = Crc32Update(crc, p, n); });
    return result == digest::StreamResult::Done ? crc : 0;
}

}  // namespace ad
