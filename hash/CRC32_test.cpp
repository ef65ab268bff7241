// CRC-32 of memory and of files: the check value, lengths around the folding
// code's block sizes, the table and carry-less paths against each other, and
// unreadable files.
#include "hash/CRC32.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "hash/CpuFeatures.h"
#include "hash/Hashes.h"
#include "testsupport/TempFolder.h"

namespace ad {
namespace {

uint32_t Crc(const std::string& s) { return Crc32Update(0, s.data(), s.size()); }

TEST(Crc32, CheckValueAndLengthsOfA) {
    struct Case {
        size_t length;
        uint32_t expected;
    };
    const Case cases[] = {
        {0, 0x00000000U},  {1, 0xE8B7BE43U},   {55, 0xAADFE34EU},  {56, 0x79790D37U},
        {63, 0x6824C5DEU}, {64, 0x89B46555U},  {111, 0xD7EE9B8CU}, {112, 0x0C6E9FD3U},
        {127, 0xF0BEBE96U}, {128, 0xF12B368CU}, {1025, 0x5A76E0FCU}, {1000000, 0xDC25BFBCU},
    };
    for (bool portable : {false, true}) {
        UsePortableDigestCode(portable);
        EXPECT_EQ(Crc("123456789"), 0xCBF43926U);
        for (const Case& c : cases) EXPECT_EQ(Crc(std::string(c.length, 'a')), c.expected) << c.length;
    }
    UsePortableDigestCode(false);
    EXPECT_EQ(HexDigits(8, Crc("")), "00000000");
}

// Every length up to 300 at every alignment up to 16, and random long buffers,
// in one piece and continued in two pieces: carry-less folding and the tables
// agree.
TEST(Crc32, CarrylessAndTableAgree) {
    std::mt19937 rng(7);
    std::vector<uint8_t> data(70000);
    for (auto& b : data) b = static_cast<uint8_t>(rng());
    auto both = [&](const uint8_t* p, size_t n, size_t split) {
        UsePortableDigestCode(false);
        const uint32_t fast = Crc32Update(Crc32Update(0, p, split), p + split, n - split);
        UsePortableDigestCode(true);
        const uint32_t table = Crc32Update(0, p, n);
        UsePortableDigestCode(false);
        return std::make_pair(fast, table);
    };
    for (size_t offset = 0; offset < 16; ++offset) {
        for (size_t n = 0; n <= 300; ++n) {
            const auto [fast, table] = both(data.data() + offset, n, n / 3);
            ASSERT_EQ(fast, table) << "length " << n << " offset " << offset;
        }
    }
    for (int round = 0; round < 50; ++round) {
        const size_t n = rng() % (data.size() - 16), split = rng() % (n + 1);
        const auto [fast, table] = both(data.data() + rng() % 16, n, split);
        ASSERT_EQ(fast, table) << "length " << n << " split " << split;
    }
}

TEST(FileCRC32, FilesAndUnreadableFiles) {
    test::TempDir dir;
    EXPECT_EQ(FileCRC32(dir.Write("empty.bin", "")), 0U);
    EXPECT_EQ(FileCRC32(dir.Write("check.txt", "123456789")), 0xCBF43926U);
    EXPECT_EQ(FileCRC32(dir.Write("a1025.bin", std::string(1025, 'a'))), 0x5A76E0FCU);
    // Larger than one read block: the blocks are chained in order.
    std::string big(3 * 1024 * 1024 + 5, '\0');
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>((i * 2654435761u) >> 13);
    EXPECT_EQ(FileCRC32(dir.Write("big.bin", big)), Crc(big));
    EXPECT_EQ(FileCRC32(dir.File("missing.bin")), 0U);
    EXPECT_EQ(FileCRC32(""), 0U);
    EXPECT_EQ(FileCRC32(dir.Folder()), 0U);  // a folder cannot be read as a file
}

}  // namespace
}  // namespace ad
