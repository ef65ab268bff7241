// Reading a file in bounded blocks for the digest routines. Internal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "base/Files.h"

namespace ad::digest {

enum class StreamResult { Done, OpenFailed, ReadFailed };

// A file opened by name for reading whole blocks, without a second buffer.
class BlockFile {
public:
    explicit BlockFile(const std::string& fileName) : f_(OpenNamedFile(fileName, "rb")) {
        if (f_) std::setvbuf(f_, nullptr, _IONBF, 0);  // our blocks are large; no second copy
    }
    ~BlockFile() {
        if (f_) std::fclose(f_);
    }
    BlockFile(const BlockFile&) = delete;
    BlockFile& operator=(const BlockFile&) = delete;

    bool IsOpen() const { return f_ != nullptr; }
    // Fills p with up to n bytes; fewer only at the end of the file or on an error.
    size_t Read(uint8_t* p, size_t n) { return std::fread(p, 1, n, f_); }
    bool Failed() const { return std::ferror(f_) != 0; }

private:
    std::FILE* f_;
};

// Reads the whole file in blocks of blockSize bytes and hands each to
// feed(const uint8_t*, size_t) in order. The only memory held is one block.
template <typename Feed>
StreamResult StreamFile(const std::string& fileName, size_t blockSize, Feed&& feed) {
    BlockFile file(fileName);
    if (!file.IsOpen()) return StreamResult::OpenFailed;
    std::string buffer(blockSize, '\0');
    auto* p = reinterpret_cast<uint8_t*>(buffer.data());
    for (;;) {
        const size_t n = file.Read(p, blockSize);
        if (n != 0) feed(static_cast<const uint8_t*>(p), n);
        if (n < blockSize) return file.Failed() ? StreamResult::ReadFailed : StreamResult::Done;
    }
}

// The block size for a requested chunk size: <= 0 gives the default, and the
// result lies between 1 MiB and 64 MiB.
size_t BlockSizeFor(int chunkSize);

// Raises the error of a failed stream: EFOpenError with the reason the base
// gives for the last failed open, or EReadError with the C library's reason
// readError (an errno value). Call right after the failure.
[[noreturn]] void RaiseStreamError(StreamResult result, const std::string& fileName, int readError);

}  // namespace ad::digest
