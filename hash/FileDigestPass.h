// Several digests of one file from a single read: every block read is fed to
// each requested digest (and to CRC-32), the digests spread over the
// processors, so that many digests cost little more than the slowest one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "hash/Digest.h"

namespace ad::digest {

// The pass reads the file in blocks of this size and asks stop() between them.
constexpr size_t kPassBlockSize = size_t(4) << 20;

struct FileDigestRequest {
    bool Crc32 = false;
    std::vector<DigestKind> Kinds;  // any order; a kind may repeat
};

struct FileDigestResult {
    uint32_t Crc32 = 0;
    std::vector<std::string> Texts;  // upper-case digest text, one per requested kind, in request order
};

// Reads the file once and computes what the request names. The digests run on
// up to `threads` threads (0: one per processor; 1: all in the caller's
// thread); the three Tiger widths share one Tiger computation.
// stop() is asked between blocks; once it answers true the pass
// ends without results and returns false. A file that cannot be opened or
// read raises EFOpenError or EReadError, as the single-file routines do.
bool DigestFileOnce(const std::string& fileName, const FileDigestRequest& request, FileDigestResult& result,
                    const std::function<bool()>& stop = {}, unsigned threads = 0);

}  // namespace ad::digest
