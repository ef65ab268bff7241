// The octree quantizer: exact palettes for few colours, bounded leaves, sums
// that do not overflow, and the system colours kept at both ends.
#include "gif/GIFQuantizer.h"

#include <gtest/gtest.h>

#include <random>

#include "gif/GIFColorReduction.h"

namespace ad::gif {
namespace {

TGIFDib FromColors(const std::vector<TGIFColor>& colors, int width) {
    int height = int((colors.size() + size_t(width) - 1) / size_t(width));
    TGIFDib d(width, height, pf24bit);
    for (size_t i = 0; i < colors.size(); ++i) {
        uint8_t* p = d.Row(int(i / size_t(width))) + (i % size_t(width)) * 3;
        p[0] = colors[i].Blue;
        p[1] = colors[i].Green;
        p[2] = colors[i].Red;
    }
    return d;
}

TEST(GIFQuantizer, FewColoursComeBackExactlyThenBlack) {
    TGIFDib d = FromColors({{200, 10, 10}, {10, 200, 10}, {10, 10, 200}, {200, 10, 10}}, 2);
    TDIBReader r(d, pf24bit);
    TGIFPalette p = CreateOptimizedPaletteFromSingleBitmap(r, 256, 8, false);
    ASSERT_EQ(p.size(), 256u);
    std::vector<TGIFColor> first(p.begin(), p.begin() + 3);
    // Depth-first order: blue's branch (index 1) before green's (2) before red's (4).
    EXPECT_EQ(first, (std::vector<TGIFColor>{{10, 10, 200}, {10, 200, 10}, {200, 10, 10}}));
    for (size_t i = 3; i < 256; ++i) ASSERT_EQ(p[i], TGIFColor{}) << i;

    TGIFDib one = FromColors({{12, 34, 56}}, 1);
    TDIBReader r1(one, pf24bit);
    EXPECT_EQ(CreateOptimizedPaletteFromSingleBitmap(r1, 256, 8, false)[0], (TGIFColor{12, 34, 56}));
}

TEST(GIFQuantizer, ManyColoursGiveAtMostTheTarget) {
    std::mt19937 rng(5);
    for (int target : {1, 2, 16, 256}) {
        TColorQuantizer q(target);
        for (int i = 0; i < 100000; ++i) q.AddColor(uint8_t(rng()), uint8_t(rng()), uint8_t(rng()));
        EXPECT_LE(q.Leaves(), target);
        EXPECT_EQ(q.ColorTable().size(), size_t(q.Leaves()));
    }
}

TEST(GIFQuantizer, SumsOfManyBrightPixelsDoNotOverflow) {
    // 10 M pixels of 255 sum to 2.55e9 per channel: past 32 bits' signed range
    // (at about 8.4 M pixels) the average would come out wrong.
    TColorQuantizer q(4);
    for (int i = 0; i < 10'000'000; ++i) q.AddColor(255, 254, 253);
    q.AddColor(0, 0, 0);
    TGIFPalette p = q.ColorTable();
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[1], (TGIFColor{255, 254, 253}));
}

TEST(GIFQuantizer, KeepsTheSystemColoursAtBothEnds) {
    std::mt19937 rng(6);
    TGIFDib d(64, 64, pf24bit);
    for (auto& b : d.Bits) b = uint8_t(rng());
    TDIBReader r(d, pf24bit);
    TGIFPalette p = CreateOptimizedPaletteFromSingleBitmap(r, 256, 8, true);
    const TGIFPalette& sys = GIFSystemPalettes().Default20;
    ASSERT_EQ(p.size(), 256u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(p[size_t(i)], sys[size_t(i)]);
        EXPECT_EQ(p[size_t(246 + i)], sys[size_t(10 + i)]);
    }
}

TEST(GIFQuantizer, ColourCountIsClampedToThePalette) {
    TGIFDib d = FromColors({{1, 2, 3}}, 1);
    TDIBReader r(d, pf24bit);
    EXPECT_EQ(CreateOptimizedPaletteFromSingleBitmap(r, 1000, 8, false).size(), 256u);
    EXPECT_EQ(CreateOptimizedPaletteFromSingleBitmap(r, 0, 8, false).size(), 1u);
}

}  // namespace
}  // namespace ad::gif
