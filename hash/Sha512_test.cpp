// The SHA-512 compression code paths block by block: the AVX2 and the AVX-512
// code (where the processor has them) against the portable code, for every
// block count around their group sizes, at unaligned addresses, from a chained
// state. Each input sits in a buffer of exactly its size, so the sanitizer
// build catches a vector load past the last block.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "hash/CpuFeatures.h"
#include "hash/DigestBlocks.h"

namespace ad {
namespace {

using Compress = void (*)(uint64_t*, const uint8_t*, size_t);

void ExpectSameAsPortable(Compress compress) {
    std::mt19937_64 rng(512);
    for (size_t blocks = 0; blocks <= 13; ++blocks) {
        for (size_t offset : {0, 1, 8, 13}) {
            std::vector<uint8_t> buffer(offset + 128 * blocks);
            for (auto& b : buffer) b = static_cast<uint8_t>(rng());
            uint64_t expected[8], actual[8];
            for (auto& w : expected) w = rng();
            std::memcpy(actual, expected, sizeof expected);
            digest::Sha512Blocks(expected, buffer.data() + offset, blocks);
            compress(actual, buffer.data() + offset, blocks);
            for (int i = 0; i < 8; ++i)
                ASSERT_EQ(actual[i], expected[i]) << "blocks " << blocks << " offset " << offset << " word " << i;
        }
    }
}

TEST(Sha512Blocks, Avx2CodeAgreesWithPortableCode) {
    const CpuFeatures& f = DetectedCpuFeatures();
    if (!f.Avx2 || !f.Bmi2) GTEST_SKIP() << "no AVX2/BMI2 on this processor";
    ExpectSameAsPortable(digest::Sha512BlocksAvx2);
}

TEST(Sha512Blocks, Avx512CodeAgreesWithPortableCode) {
    const CpuFeatures& f = DetectedCpuFeatures();
    if (!f.Avx512 || !f.Bmi2) GTEST_SKIP() << "no AVX-512/BMI2 on this processor";
    ExpectSameAsPortable(digest::Sha512BlocksAvx512);
}

}  // namespace
}  // namespace ad
