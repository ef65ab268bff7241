// Tests of the bitmap-file decoder: depths, row order, palettes, bit fields and
// refused or damaged files.
#include "skin/engine/image/SkinBmp.h"

#include <gtest/gtest.h>

#include "skin/engine/testkit/BmpTestWriter.h"
#include "skin/engine/image/SkinBitmaps.h"

namespace ad::skin {
namespace {

uint32_t Px(TBitmap32& b, int x, int y) { return GetPixel32(b.View(), x, y); }

TEST(SkinBmp, TwentyFourAndThirtyTwoBitsBottomUp) {
    const std::vector<uint32_t> px = {0x112233, 0x445566, 0x778899, 0xFF00FF, 0xABCDEF, 0x010203};
    for (int bits : {24, 32}) {
        TBitmap32 b;
        int count = 0;
        const auto file = bmptest::Bmp(3, 2, px, bits);
        ASSERT_TRUE(DecodeBmpToBitmap(b, file.data(), file.size(), &count)) << bits;
        EXPECT_EQ(count, bits);
        ASSERT_EQ(b.Width(), 3);
        ASSERT_EQ(b.Height(), 2);
        EXPECT_EQ(Px(b, 0, 0), 0x112233u);  // the top row stays on top
        EXPECT_EQ(Px(b, 0, 1), 0xFF00FFu);
        EXPECT_EQ(Px(b, 2, 1), 0x010203u);
    }
}

TEST(SkinBmp, PaletteTopDownAndBitFields) {
    // 8-bit, 2 x 2, top-down (negative height), palette of two colours.
    std::vector<uint8_t> f = {'B', 'M'};
    auto put = [&](uint32_t v, int n) { bmptest::Put(f, v, n); };
    put(0, 4), put(0, 4), put(62, 4);
    put(40, 4), put(2, 4), put(uint32_t(-2), 4), put(1, 2), put(8, 2), put(0, 4), put(0, 4), put(0, 4), put(0, 4);
    put(2, 4), put(0, 4);
    put(0x0000FF, 4), put(0x00FF00, 4);  // palette
    f.insert(f.end(), {1, 0, 0, 0, 0, 1, 0, 0});
    TBitmap32 b;
    ASSERT_TRUE(DecodeBmpToBitmap(b, f.data(), f.size()));
    EXPECT_EQ(Px(b, 0, 0), 0x00FF00u);
    EXPECT_EQ(Px(b, 1, 0), 0x0000FFu);
    EXPECT_EQ(Px(b, 1, 1), 0x00FF00u);

    // 16-bit 5-6-5 through bit fields: pure red and pure green.
    std::vector<uint8_t> g = {'B', 'M'};
    auto put2 = [&](uint32_t v, int n) { bmptest::Put(g, v, n); };
    put2(0, 4), put2(0, 4), put2(54 + 12, 4);
    put2(40, 4), put2(2, 4), put2(1, 4), put2(1, 2), put2(16, 2), put2(3, 4);
    for (int i = 0; i < 5; ++i) put2(0, 4);
    put2(0xF800, 4), put2(0x07E0, 4), put2(0x001F, 4);
    put2(0xF800, 2), put2(0x07E0, 2);
    ASSERT_TRUE(DecodeBmpToBitmap(b, g.data(), g.size()));
    EXPECT_EQ(Px(b, 0, 0), 0xFF0000u);
    EXPECT_EQ(Px(b, 1, 0), 0x00FF00u);
}

TEST(SkinBmp, RefusesWhatItCannotRead) {
    const auto good = bmptest::SolidBmp(4, 4, 0x123456);
    struct Case {
        const char* name;
        std::vector<uint8_t> data;
    };
    auto with = [&](size_t at, uint32_t v, int n) {
        auto d = good;
        for (int i = 0; i < n; ++i) d[at + size_t(i)] = uint8_t(v >> (8 * i));
        return d;
    };
    const std::vector<Case> cases = {
        {"empty", {}},
        {"not BM", with(0, 'X', 1)},
        {"cut short", std::vector<uint8_t>(good.begin(), good.end() - 1)},
        {"RLE", with(30, 1, 4)},
        {"zero width", with(18, 0, 4)},
        {"huge height", with(22, 0x7FFFFFFF, 4)},
        {"odd depth", with(28, 7, 2)},
        {"pixels beyond the end", with(10, 0xFFFFFFF0u, 4)},
        {"header beyond the end", with(14, 0x7FFFFFFF, 4)},
    };
    for (const Case& c : cases) {
        TBitmap32 b(3, 3);
        EXPECT_FALSE(DecodeBmpToBitmap(b, c.data.data(), c.data.size())) << c.name;
        EXPECT_EQ(b.Width(), 0) << c.name;
    }
}

}  // namespace
}  // namespace ad::skin
