// Incremental message digests over memory: MD4, MD5, RIPEMD-128/160, SHA-1,
// SHA-256/384/512 and Tiger (128/160/192 bits), with their text in upper-case
// hexadecimal. The file routines in Hashes.h feed files through these.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace ad {

enum class DigestKind { MD4, MD5, RIPEMD128, RIPEMD160, SHA1, SHA256, SHA384, SHA512, Tiger128, Tiger160, Tiger192 };

// Feed the message in pieces of any size with Update, then take FinalText once.
// The code path (portable or accelerated) is chosen when the object is made.
class Digest {
public:
    explicit Digest(DigestKind kind);
    ~Digest();
    Digest(const Digest&) = delete;
    Digest& operator=(const Digest&) = delete;

    void Update(const void* data, size_t size);
    // The digest's bytes in the order the standard defines, two upper-case hex
    // digits each; for Tiger the three 64-bit chaining words, each written most
    // significant digit first, cut to the variant's width.
    std::string FinalText();

    // The digest text of one buffer.
    static std::string Text(DigestKind kind, const void* data, size_t size);

    class Engine;

private:
    std::unique_ptr<Engine> engine_;
};

}  // namespace ad
