// SHA-256 compression function (FIPS 180), portable code.
#include "hash/Sha2Portable.h"

namespace ad::digest {

namespace {

struct Sha256Params {
    using Word = uint32_t;
    static constexpr int kRounds = 64;
    static constexpr const uint32_t* K = kSha256Round;
    static uint32_t Load(const uint8_t* p) { return LoadBe32(p); }
    static constexpr int s0a = 7, s0b = 18, s0c = 3, s1a = 17, s1b = 19, s1c = 10;
    static constexpr int S0a = 2, S0b = 13, S0c = 22, S1a = 6, S1b = 11, S1c = 25;
};

}  // namespace

void Sha256Blocks(uint32_t state[8], const uint8_t* data, size_t blocks) {
    sha2::Compress<Sha256Params>::Blocks(state, data, blocks);
}

}  // namespace ad::digest
