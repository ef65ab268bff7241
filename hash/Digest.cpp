// Block framing shared by the digests: buffering of partial blocks, padding
// with the length in bits, and the text of the final chaining state.
#include "hash/Digest.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "hash/CpuFeatures.h"
#include "hash/DigestBlocks.h"
#include "hash/Hashes.h"

namespace ad {

class Digest::Engine {
public:
    virtual ~Engine() = default;
    virtual void Update(const uint8_t* data, size_t size) = 0;
    virtual std::string FinalText() = 0;
};

namespace {

using namespace digest;

enum class Order { Little, Big };

// Merkle-Damgard framing: Block-byte blocks, a first padding byte Pad, then
// zeros and the message length in bits in the last LenBytes bytes (byte order
// Len). Word is the type of the chaining words.
template <typename Word, size_t Words, size_t Block, size_t LenBytes, Order Len, uint8_t Pad>
class BlockEngine : public Digest::Engine {
public:
    using Compress = void (*)(Word*, const uint8_t*, size_t);

    BlockEngine(Compress compress, const std::array<Word, Words>& init) : compress_(compress), state_(init) {}

    void Update(const uint8_t* data, size_t size) override {
        total_ += size;
        if (used_ != 0) {
            const size_t take = std::min(size, Block - used_);
            std::memcpy(buffer_ + used_, data, take);
            used_ += take;
            data += take;
            size -= take;
            if (used_ < Block) return;
            compress_(state_.data(), buffer_, 1);
            used_ = 0;
        }
        if (size >= Block) {
            compress_(state_.data(), data, size / Block);
            data += size - size % Block;
            size %= Block;
        }
        if (size != 0) {
            std::memcpy(buffer_, data, size);
            used_ = size;
        }
    }

protected:
    // Pads and processes the last block(s); the chaining words are the result.
    const std::array<Word, Words>& Finish() {
        const uint64_t bits = total_ * 8;
        buffer_[used_++] = Pad;
        if (used_ > Block - LenBytes) {
            std::memset(buffer_ + used_, 0, Block - used_);
            compress_(state_.data(), buffer_, 1);
            used_ = 0;
        }
        std::memset(buffer_ + used_, 0, Block - used_);
        // Lengths beyond 2^64 bits do not occur; the high bytes of a 128-bit
        // length field stay zero apart from the top bits of the byte count.
        uint8_t* len = buffer_ + Block - LenBytes;
        const uint64_t high = total_ >> 61;
        for (size_t i = 0; i < 8; ++i) {
            const uint8_t lowByte = static_cast<uint8_t>(bits >> (8 * i));
            if (Len == Order::Little) {
                len[i] = lowByte;
            } else {
                len[LenBytes - 1 - i] = lowByte;
            }
        }
        if (LenBytes == 16) {
            if (Len == Order::Little) {
                len[8] = static_cast<uint8_t>(high);
            } else {
                len[7] = static_cast<uint8_t>(high);
            }
        }
        compress_(state_.data(), buffer_, 1);
        return state_;
    }

    // The first `bytes` bytes of the state, each word stored in `order`.
    std::string WordBytesText(Order order, size_t bytes) {
        const auto& s = Finish();
        std::string text;
        text.reserve(bytes * 2);
        static const char kHex[] = "0123456789ABCDEF";
        for (size_t i = 0; i < bytes; ++i) {
            const Word w = s[i / sizeof(Word)];
            const size_t k = i % sizeof(Word);
            const size_t shift = 8 * (order == Order::Little ? k : sizeof(Word) - 1 - k);
            const uint8_t b = static_cast<uint8_t>(w >> shift);
            text += kHex[b >> 4];
            text += kHex[b & 15];
        }
        return text;
    }

private:
    Compress compress_;
    std::array<Word, Words> state_;
    uint8_t buffer_[Block];
    size_t used_ = 0;
    uint64_t total_ = 0;
};

// MD4, MD5, RIPEMD: little-endian words and length.
template <size_t Words>
class LittleEndianEngine : public BlockEngine<uint32_t, Words, 64, 8, Order::Little, 0x80> {
public:
    using Base = BlockEngine<uint32_t, Words, 64, 8, Order::Little, 0x80>;
    using Base::Base;
    std::string FinalText() override { return this->WordBytesText(Order::Little, Words * 4); }
};

// SHA-1, SHA-256: big-endian words and length.
template <size_t Words>
class Sha32Engine : public BlockEngine<uint32_t, Words, 64, 8, Order::Big, 0x80> {
public:
    using Base = BlockEngine<uint32_t, Words, 64, 8, Order::Big, 0x80>;
    using Base::Base;
    std::string FinalText() override { return this->WordBytesText(Order::Big, Words * 4); }
};

// SHA-384, SHA-512: 128-byte blocks, 128-bit length, output cut to `bytes`.
class Sha64Engine : public BlockEngine<uint64_t, 8, 128, 16, Order::Big, 0x80> {
public:
    Sha64Engine(const std::array<uint64_t, 8>& init, size_t bytes)
        : BlockEngine(UseAvx512Sha512() ? Sha512BlocksAvx512 : UseAvx2Sha512() ? Sha512BlocksAvx2 : Sha512Blocks, init),
          bytes_(bytes) {}
    std::string FinalText() override { return WordBytesText(Order::Big, bytes_); }

private:
    size_t bytes_;
};

// Tiger: first padding byte 0x01, little-endian length; the text is the
// chaining words, each most significant digit first.
class TigerEngine : public BlockEngine<uint64_t, 3, 64, 8, Order::Little, 0x01> {
public:
    explicit TigerEngine(int bits)
        : BlockEngine(TigerBlocks, {0x0123456789ABCDEFull, 0xFEDCBA9876543210ull, 0xF096A5B4C3B2E187ull}),
          bits_(bits) {}
    std::string FinalText() override {
        const auto& s = Finish();
        const std::string text = HexDigits(16, s[0]) + HexDigits(16, s[1]) + HexDigits(16, s[2]);
        return text.substr(0, static_cast<size_t>(bits_ / 4));
    }

private:
    int bits_;
};

constexpr std::array<uint32_t, 4> kMdInit = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
constexpr std::array<uint32_t, 5> kSha1Init = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476, 0xc3d2e1f0};
constexpr std::array<uint32_t, 8> kSha256Init = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                                 0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
constexpr std::array<uint64_t, 8> kSha384Init = {0xcbbb9d5dc1059ed8, 0x629a292a367cd507, 0x9159015a3070dd17,
                                                 0x152fecd8f70e5939, 0x67332667ffc00b31, 0x8eb44a8768581511,
                                                 0xdb0c2e0d64f98fa7, 0x47b5481dbefa4fa4};
constexpr std::array<uint64_t, 8> kSha512Init = {0x6a09e667f3bcc908, 0xbb67ae8584caa73b, 0x3c6ef372fe94f82b,
                                                 0xa54ff53a5f1d36f1, 0x510e527fade682d1, 0x9b05688c2b3e6c1f,
                                                 0x1f83d9abfb41bd6b, 0x5be0cd19137e2179};

std::unique_ptr<Digest::Engine> MakeEngine(DigestKind kind) {
    const bool sha = UseShaExtensions();
    switch (kind) {
    case DigestKind::MD4: return std::make_unique<LittleEndianEngine<4>>(Md4Blocks, kMdInit);
    case DigestKind::MD5: return std::make_unique<LittleEndianEngine<4>>(Md5Blocks, kMdInit);
    case DigestKind::RIPEMD128: return std::make_unique<LittleEndianEngine<4>>(Ripemd128Blocks, kMdInit);
    case DigestKind::RIPEMD160: return std::make_unique<LittleEndianEngine<5>>(Ripemd160Blocks, kSha1Init);
    case DigestKind::SHA1: return std::make_unique<Sha32Engine<5>>(sha ? Sha1BlocksShaNi : Sha1Blocks, kSha1Init);
    case DigestKind::SHA256:
        return std::make_unique<Sha32Engine<8>>(sha ? Sha256BlocksShaNi : Sha256Blocks, kSha256Init);
    case DigestKind::SHA384: return std::make_unique<Sha64Engine>(kSha384Init, 48);
    case DigestKind::SHA512: return std::make_unique<Sha64Engine>(kSha512Init, 64);
    case DigestKind::Tiger128: return std::make_unique<TigerEngine>(128);
    case DigestKind::Tiger160: return std::make_unique<TigerEngine>(160);
    case DigestKind::Tiger192: break;
    }
    return std::make_unique<TigerEngine>(192);
}

}  // namespace

Digest::Digest(DigestKind kind) : engine_(MakeEngine(kind)) {}
Digest::~Digest() = default;

void Digest::Update(const void* data, size_t size) {
    if (size != 0) engine_->Update(static_cast<const uint8_t*>(data), size);
}

std::string Digest::FinalText() { return engine_->FinalText(); }

std::string Digest::Text(DigestKind kind, const void* data, size_t size) {
    Digest d(kind);
    d.Update(data, size);
    return d.FinalText();
}

}  // namespace ad
