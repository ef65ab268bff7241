// Tests of the packed skin reader and its decompression stream over packed
// skins made by the test writer.
#include "skin/engine/skinfile/skPackedSkin.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "skin/engine/testkit/AszTestWriter.h"

namespace ad::skin {
namespace {

using asztest::Bytes;

// Poorly compressible bytes, so that the compressed entry outgrows the 64 KiB input buffer.
Bytes Noise(size_t n, uint32_t seed) {
    Bytes b(n);
    for (auto& v : b) {
        seed = seed * 1664525u + 1013904223u;
        v = uint8_t(seed >> 24);
    }
    return b;
}

TEST(skPackedSkin, RoundTripAcrossBufferSizes) {
    const Bytes ini = asztest::Text("[GLOBALINFO]\r\nVERSION=11.0\r\n");
    const Bytes big = Noise(200000, 7), master = Noise(100, 9), png = asztest::Text("png bytes");
    Bytes packed = asztest::Pack({{"options.DAT", ini}, {"BIG.BMP", big}, {"MASTER.BMP", master},
                                  {"Close.png", png}, {"EMPTY.JPG", {}}},
                                 "ASzf", asztest::Text("preview"));
    TSkSkinConvertor c;
    ASSERT_TRUE(ReadPackedSkinEntries(c, packed.data(), packed.size()));
    EXPECT_EQ(c.LastError, "");
    ASSERT_TRUE(c.IniStream);
    EXPECT_EQ(*c.IniStream, ini);
    EXPECT_EQ(c.ImageCount, 4);
    ASSERT_EQ(c.Entries.size(), 4u);
    const struct {
        const char* name;
        const Bytes* data;
        bool notBmp;
    } expected[] = {{"BIG.BMP", &big, false}, {"MASTER.BMP", &master, false}, {"Close.png", &png, true}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(c.Entries[i].Name, expected[i].name);
        EXPECT_EQ(c.Entries[i].Data, *expected[i].data) << expected[i].name;
        EXPECT_EQ(c.Entries[i].NotBMP, expected[i].notBmp);
    }
    EXPECT_TRUE(c.Entries[3].Data.empty());
}

TEST(skPackedSkin, NotAPackedSkin) {
    Bytes packed = asztest::Pack({{"OPTIONS.DAT", asztest::Text("[A]")}}, "ASzg");
    TSkSkinConvertor c;
    c.IniStream = std::make_unique<Bytes>();
    EXPECT_FALSE(ReadPackedSkinEntries(c, packed.data(), packed.size()));
    EXPECT_EQ(c.LastError, "Loaded data is not a packed skin file");
    EXPECT_FALSE(c.IniStream);
    Bytes tiny = {'A', 'S', 'z', 'f', 0, 0, 0, 0};
    EXPECT_FALSE(ReadPackedSkinEntries(c, tiny.data(), tiny.size()));
}

TEST(skPackedSkin, DamagedEntriesStopTheReading) {
    const Bytes a = asztest::Text("first entry data"), b = asztest::Text("second");
    // Little-endian 32-bit value written over four bytes of a copy.
    auto patchI32 = [](Bytes p, size_t at, int32_t v) {
        const uint8_t le[4] = {uint8_t(uint32_t(v)), uint8_t(uint32_t(v) >> 8), uint8_t(uint32_t(v) >> 16),
                               uint8_t(uint32_t(v) >> 24)};
        if (at + 4 <= p.size()) std::copy(le, le + 4, p.begin() + static_cast<std::ptrdiff_t>(at));
        return p;
    };
    auto withCount = [&](Bytes p, int32_t n) { return patchI32(std::move(p), 4, n); };
    Bytes good = asztest::Pack({{"A.BMP", a}, {"B.BMP", b}});
    const size_t firstSize = 8 + 4 + 5;  // offset of the first entry's data size
    const struct {
        Bytes packed;
        size_t entries;  // entries read before stopping
        bool error;
    } cases[] = {
        {good, 2, false},
        {withCount(good, 1000000000), 2, true},              // count beyond the data
        {patchI32(good, 8, -5), 0, true},                     // negative name length
        {patchI32(good, 8, 0x7FFFFFF0), 0, true},             // name past the end
        {patchI32(good, firstSize, -1), 0, true},             // negative size
        {patchI32(good, firstSize, 0x7FFFFFFF), 0, true},     // size over the limit
        {Bytes(good.begin(), good.end() - 6), 2, true},       // second stream cut short
        {asztest::Pack({{"A.BMP", a, 4}, {"B.BMP", b}}), 2, false},  // stream longer than stated
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        TSkSkinConvertor c;
        EXPECT_TRUE(ReadPackedSkinEntries(c, cases[i].packed.data(), cases[i].packed.size())) << i;
        EXPECT_EQ(c.Entries.size(), cases[i].entries) << i;
        EXPECT_EQ(!c.LastError.empty(), cases[i].error) << i << " " << c.LastError;
    }
    // The stated size is what is kept; the next entry still starts right.
    TSkSkinConvertor c;
    Bytes longer = asztest::Pack({{"A.BMP", a, 4}, {"B.BMP", b}});
    ReadPackedSkinEntries(c, longer.data(), longer.size());
    ASSERT_EQ(c.Entries.size(), 2u);
    EXPECT_EQ(c.Entries[0].Data, asztest::Text("firs"));
    EXPECT_EQ(c.Entries[1].Data, b);
}

TEST(skPackedSkin, CorruptStreamRaisesWithZlibText) {
    Bytes packed = asztest::Pack({{"A.BMP", asztest::Text("data")}});
    packed[8 + 4 + 5 + 4] ^= 0xFF;  // the zlib header
    TSkSkinConvertor c;
    try {
        ReadPackedSkinEntries(c, packed.data(), packed.size());
        FAIL() << "no error";
    } catch (const EZDecompressionError& e) {
        EXPECT_EQ(e.Message, "incorrect header check");
        EXPECT_EQ(e.ErrorCode, -3);
    }
}

TEST(skPackedSkin, DecompressionStreamSeek) {
    const Bytes raw = Noise(30000, 3);
    Bytes z = asztest::Zlib(raw);
    z.push_back(0xAB);  // the byte after the stream
    TReadOnlyMemoryStream src(z.data(), z.size());
    TZDecompressionStream s(src);
    uint8_t buf[16];
    EXPECT_EQ(s.Seek(100, soCurrent), 100);
    ASSERT_EQ(s.Read(buf, 4), 4u);
    EXPECT_EQ(buf[0], raw[100]);
    EXPECT_EQ(s.Seek(20000, soBeginning), 20000);
    EXPECT_THROW(s.Seek(10, soBeginning), EZDecompressionError);
    EXPECT_THROW(s.Seek(-1, soCurrent), EZDecompressionError);
    EXPECT_THROW(s.Write(buf, 1), EZDecompressionError);
    EXPECT_EQ(s.Seek(0, soEnd), 30000);
    EXPECT_EQ(src.Position(), int64_t(z.size()) - 1);  // right after the stream
    EXPECT_EQ(s.Seek(0, soBeginning), 0);
    ASSERT_EQ(s.Read(buf, 2), 2u);
    EXPECT_EQ(buf[1], raw[1]);
}

}  // namespace
}  // namespace ad::skin
