// SHA-512 compression function (FIPS 180), portable code; SHA-384 shares it.
#include "hash/Sha2Portable.h"

namespace ad::digest {

namespace {

struct Sha512Params {
    using Word = uint64_t;
    static constexpr int kRounds = 80;
    static constexpr const uint64_t* K = kSha512Round;
    static uint64_t Load(const uint8_t* p) { return LoadBe64(p); }
    static constexpr int s0a = 1, s0b = 8, s0c = 7, s1a = 19, s1b = 61, s1c = 6;
    static constexpr int S0a = 28, S0b = 34, S0c = 39, S1a = 14, S1b = 18, S1c = 41;
};

}  // namespace

void Sha512Blocks(uint64_t state[8], const uint8_t* data, size_t blocks) {
    sha2::Compress<Sha512Params>::Blocks(state, data, blocks);
}

}  // namespace ad::digest
