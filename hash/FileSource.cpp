// Block size rule of the file digests.
#include "hash/FileSource.h"

namespace ad::digest {

size_t BlockSizeFor(int chunkSize) {
    constexpr size_t kMin = size_t(1) << 20, kMax = size_t(64) << 20;
    if (chunkSize <= 0) return kMin;
    const size_t n = static_cast<size_t>(chunkSize);
    return n < kMin ? kMin : n > kMax ? kMax : n;
}

}  // namespace ad::digest
