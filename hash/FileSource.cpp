// Block size rule and the errors of the file digests.
#include "hash/FileSource.h"

#include <cstring>

#include "base/Exception.h"

namespace ad::digest {

size_t BlockSizeFor(int chunkSize) {
    constexpr size_t kMin = size_t(1) << 20, kMax = size_t(64) << 20;
    if (chunkSize <= 0) return kMin;
    const size_t n = static_cast<size_t>(chunkSize);
    return n < kMin ? kMin : n > kMax ? kMax : n;
}

void RaiseStreamError(StreamResult result, const std::string& fileName, int readError) {
    if (result == StreamResult::OpenFailed) throw EFOpenError(fileName, LastFileErrorText());
    throw EReadError("Cannot read file \"" + fileName + "\". " + std::strerror(readError));
}

}  // namespace ad::digest
