// One read for many digests: every digest and CRC-32 of files around the block
// size and beyond the ring of blocks, with one thread or several; requests in
// any order with repeats and all Tiger widths; unreadable files; stopping.
#include "hash/FileDigestPass.h"

#include <gtest/gtest.h>

#include <atomic>

#include "base/Exception.h"
#include "hash/CRC32.h"
#include "testsupport/TempFolder.h"

namespace ad::digest {
namespace {

constexpr size_t kBlock = kPassBlockSize;

const std::vector<DigestKind> kAllKinds = {
    DigestKind::MD4,    DigestKind::MD5,    DigestKind::RIPEMD128, DigestKind::RIPEMD160,
    DigestKind::SHA1,   DigestKind::SHA256, DigestKind::SHA384,    DigestKind::SHA512,
    DigestKind::Tiger128, DigestKind::Tiger160, DigestKind::Tiger192,
};

// Bytes that differ from block to block, so a block fed twice or skipped shows.
std::string Pattern(size_t size) {
    std::string s(size, '\0');
    uint32_t x = 2463534242u;
    for (char& c : s) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x);
    }
    return s;
}

void ExpectAllDigests(const std::string& content, unsigned threads) {
    test::TempDir dir;
    const std::string file = dir.Write("f.bin", content);
    FileDigestResult result;
    ASSERT_TRUE(DigestFileOnce(file, {true, kAllKinds}, result, {}, threads));
    EXPECT_EQ(result.Crc32, Crc32Update(0, content.data(), content.size()));
    ASSERT_EQ(result.Texts.size(), kAllKinds.size());
    for (size_t i = 0; i < kAllKinds.size(); ++i)
        EXPECT_EQ(result.Texts[i], Digest::Text(kAllKinds[i], content.data(), content.size()))
            << "kind " << i << ", size " << content.size() << ", threads " << threads;
}

TEST(DigestFileOnce, EveryDigestEqualsItsDigestOfTheWholeContent) {
    const size_t sizes[] = {0, 1, kBlock - 1, kBlock, kBlock + 1, 2 * kBlock + 17};
    for (size_t size : sizes)
        for (unsigned threads : {1u, 3u, 0u}) ExpectAllDigests(Pattern(size), threads);
}

TEST(DigestFileOnce, FilesLongerThanTheRingOfBlocksReuseItsSlotsInOrder) {
    const std::string content = Pattern(5 * kBlock + 5);  // the ring holds four
    for (unsigned threads : {2u, 0u}) ExpectAllDigests(content, threads);
}

TEST(DigestFileOnce, TextsFollowTheRequestOrderWithRepeatsAndTigerWidths) {
    test::TempDir dir;
    const std::string content = Pattern(kBlock + 3);
    const std::string file = dir.Write("f.bin", content);
    const std::vector<DigestKind> kinds = {DigestKind::SHA256, DigestKind::Tiger128, DigestKind::MD5,
                                           DigestKind::Tiger192, DigestKind::Tiger160, DigestKind::SHA256};
    FileDigestResult result;
    ASSERT_TRUE(DigestFileOnce(file, {false, kinds}, result));
    ASSERT_EQ(result.Texts.size(), kinds.size());
    for (size_t i = 0; i < kinds.size(); ++i)
        EXPECT_EQ(result.Texts[i], Digest::Text(kinds[i], content.data(), content.size())) << i;
    EXPECT_EQ(result.Texts[1].size(), 32u);
    EXPECT_EQ(result.Texts[4].size(), 40u);
    EXPECT_EQ(result.Crc32, 0u);  // not asked for

    // Only CRC-32, and nothing at all, are passes too.
    ASSERT_TRUE(DigestFileOnce(file, {true, {}}, result));
    EXPECT_EQ(result.Crc32, Crc32Update(0, content.data(), content.size()));
    EXPECT_TRUE(result.Texts.empty());
    ASSERT_TRUE(DigestFileOnce(file, {}, result));
}

TEST(DigestFileOnce, UnreadableFilesRaiseTheFileErrors) {
    test::TempDir dir;
    FileDigestResult result;
    result.Texts = {"stale"};
    try {
        DigestFileOnce(dir.File("missing.bin"), {true, kAllKinds}, result);
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_NE(std::string(e.what()).find("missing.bin"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(result.Texts.empty());
    // A folder cannot be opened (Windows) or read (POSIX) as a file.
    for (unsigned threads : {1u, 0u})
        EXPECT_THROW(DigestFileOnce(dir.Folder(), {true, kAllKinds}, result, {}, threads), EStreamError);
}

TEST(DigestFileOnce, StopIsAskedEveryBlockAndEndsThePassWithoutResults) {
    test::TempDir dir;
    const std::string file = dir.Write("f.bin", Pattern(4 * kBlock));
    for (unsigned threads : {1u, 0u}) {
        std::atomic<int> asked{0};
        FileDigestResult result;
        ASSERT_TRUE(DigestFileOnce(file, {true, kAllKinds}, result, [&] { return ++asked, false; }, threads));
        EXPECT_GE(asked.load(), 3) << threads;  // between the four blocks

        asked = 0;
        EXPECT_FALSE(DigestFileOnce(file, {true, kAllKinds}, result, [&] { return ++asked == 2; }, threads));
        EXPECT_EQ(asked.load(), 2) << threads;  // not asked again once it answered
        EXPECT_TRUE(result.Texts.empty());
        EXPECT_EQ(result.Crc32, 0u);
    }
}

}  // namespace
}  // namespace ad::digest
