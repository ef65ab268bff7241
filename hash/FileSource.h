// Reading a file in bounded blocks for the digest routines. Internal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "base/Files.h"

namespace ad::digest {

enum class StreamResult { Done, OpenFailed, ReadFailed };

// Reads the whole file in blocks of blockSize bytes and hands each to
// feed(const uint8_t*, size_t) in order. The only memory held is one block.
template <typename Feed>
StreamResult StreamFile(const std::string& fileName, size_t blockSize, Feed&& feed) {
    std::FILE* f = OpenNamedFile(fileName, "rb");
    if (f == nullptr) return StreamResult::OpenFailed;
    struct Closer {
        std::FILE* f;
        ~Closer() { std::fclose(f); }
    } closer{f};
    std::setvbuf(f, nullptr, _IONBF, 0);  // our blocks are large; no second copy
    std::string buffer(blockSize, '\0');
    auto* p = reinterpret_cast<uint8_t*>(buffer.data());
    for (;;) {
        const size_t n = std::fread(p, 1, blockSize, f);
        if (n != 0) feed(static_cast<const uint8_t*>(p), n);
        if (n < blockSize) return std::ferror(f) ? StreamResult::ReadFailed : StreamResult::Done;
    }
}

// The block size for a requested chunk size: <= 0 gives the default, and the
// result lies between 1 MiB and 64 MiB.
size_t BlockSizeFor(int chunkSize);

}  // namespace ad::digest
