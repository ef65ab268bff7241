// Colour lookups, dither kernels and engines, and reducing bitmaps.
#include "gif/GIFColorReduction.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

namespace ad::gif {
namespace {

TGIFDib Uniform(int w, int h, TGIFColor c) {
    TGIFDib d(w, h, pf24bit);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            d.Row(y)[x * 3] = c.Blue;
            d.Row(y)[x * 3 + 1] = c.Green;
            d.Row(y)[x * 3 + 2] = c.Red;
        }
    return d;
}

TGIFDib Noise(int w, int h, unsigned seed) {
    TGIFDib d(w, h, pf24bit);
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w * 3; ++x) d.Row(y)[x] = uint8_t(rng());
    return d;
}

TEST(GIFColorLookups, Rules) {
    uint8_t r, g, b;
    TNetscapeColorLookup cube;
    EXPECT_EQ(cube.Lookup(255, 0, 0, r, g, b), 180);
    EXPECT_EQ((std::array{r, g, b}), (std::array<uint8_t, 3>{255, 0, 0}));
    EXPECT_EQ(cube.Lookup(0, 0, 47, r, g, b), 0);
    EXPECT_EQ(cube.Lookup(0, 0, 48, r, g, b), 1);
    EXPECT_EQ(b, 51);

    TGrayScaleLookup gray;
    EXPECT_EQ(gray.Lookup(255, 255, 255, r, g, b), 255);
    EXPECT_EQ(gray.Lookup(0, 0, 255, r, g, b), 28);

    // 77 r + 150 g + 29 b: 32512 is black, 32513 white.
    TMonochromeLookup mono;
    int below = -1, at = -1;
    for (int red = 0; red < 256 && (below < 0 || at < 0); ++red)
        for (int green = 0; green < 256; ++green)
            for (int blue = 0; blue < 256; ++blue) {
                int s = 77 * red + 150 * green + 29 * blue;
                if (s == 32512 && below < 0) below = mono.Lookup(uint8_t(red), uint8_t(green), uint8_t(blue), r, g, b);
                if (s == 32513 && at < 0) at = mono.Lookup(uint8_t(red), uint8_t(green), uint8_t(blue), r, g, b);
            }
    EXPECT_EQ(below, 0);
    EXPECT_EQ(at, 1);
}

TEST(GIFColorLookups, FastLookupFindsTheNearestAndCachesByCell) {
    TGIFPalette pal = {{0, 0, 0}, {250, 0, 0}, {0, 0, 250}, {250, 0, 0}};
    TFastColorLookup fast(pal);
    uint8_t r, g, b;
    EXPECT_EQ(fast.Colors(), 4);
    EXPECT_EQ(fast.Lookup(250, 0, 0, r, g, b), 1);  // the lowest entry claims its cell
    EXPECT_EQ(fast.Lookup(10, 10, 200, r, g, b), 2);
    EXPECT_EQ(b, 250);
    // (12, 12, 204) shares the cell of (10, 10, 200): the cached answer is reused.
    EXPECT_EQ(fast.Lookup(12, 12, 204, r, g, b), 2);
    TFastColorLookup none(TGIFPalette{});
    EXPECT_EQ(none.Colors(), 0);
}

TEST(GIFDitherKernels, WeightsSumToTheDivisorAndStayInsideTheMargin) {
    for (const TDitherKernel* k : {&FloydSteinbergKernel(), &StuckiKernel(), &SierraKernel(), &JaJuNiKernel(),
                                   &SteveArcheKernel(), &BurkesKernel()}) {
        int sum = 0;
        for (const TDitherWeight& w : k->Weights) {
            sum += w.Weight;
            EXPECT_LE(std::abs(w.Offset), 3);
            if (w.Row == 0) {
                EXPECT_GT(w.Offset, 0);  // nothing flows back along the row
            }
        }
        EXPECT_EQ(sum, k->Divisor);
    }
}

TEST(GIFDitherEngines, SerpentineRowsAndUniformColours) {
    TNetscapeColorLookup cube;
    TGIFDib inPalette = Uniform(7, 5, {51, 102, 153});  // a cube colour: no error at all
    for (int kind = dtNearest; kind <= dtBurkes; ++kind) {
        TGIFDib out = ReduceColors(inPalette, crNetscape, kind, nullptr, 8);
        ASSERT_FALSE(out.Empty()) << kind;
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x) ASSERT_EQ(out.Row(y)[x], 36 * 1 + 6 * 2 + 3) << kind;
    }
    // Away from the palette only the nearest lookup keeps a uniform colour uniform.
    TGIFDib off = Uniform(9, 4, {100, 100, 100});
    TGIFDib nearest = ReduceColors(off, crNetscape, dtNearest, nullptr, 8);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 9; ++x) ASSERT_EQ(nearest.Row(y)[x], nearest.Row(0)[0]);

    // The second row runs right to left: the first index it makes is the last column's.
    std::unique_ptr<TDitherEngine> e = GIFMakeDitherer(dtFloydSteinberg, 4, cube);
    uint8_t r, g, b;
    for (int x = 0; x < 4; ++x) e->Dither(0, 0, 0, r, g, b);
    EXPECT_EQ(e->Column, 4);
    e->NextLine();
    EXPECT_EQ(e->Direction, -1);
    EXPECT_EQ(e->Column, 3);
    e->Dither(0, 0, 0, r, g, b);
    EXPECT_EQ(e->Column, 2);
    EXPECT_EQ(GIFMakeDitherer(7, 4, cube), nullptr);
}

TEST(GIFDitherEngines, ErrorSpreadsAndAveragesOut) {
    // A mid grey between two cube levels dithers to a mix whose mean is close.
    TGIFDib grey = Uniform(64, 64, {128, 128, 128});
    for (int kind = dtFloydSteinberg; kind <= dtBurkes; ++kind) {
        TGIFDib out = ReduceColors(grey, crNetscape, kind, nullptr, 8);
        double sum = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) sum += out.Palette[out.Row(y)[x]].Red;
        EXPECT_NEAR(sum / (64 * 64), 128, 2.0) << kind;
    }
}

TEST(GIFReduceColors, NarrowPicturesStayInsideTheErrorRows) {
    // 1-3 pixels wide: the widest kernel reaches three cells to each side.
    for (int w = 1; w <= 3; ++w)
        for (int kind = dtNearest; kind <= dtBurkes; ++kind) {
            TGIFDib out = ReduceColors(Noise(w, 9, unsigned(w)), crGrayScale, kind, nullptr, 8);
            EXPECT_EQ(out.Width, w);
        }
}

TEST(GIFReduceColors, Methods) {
    TGIFDib src = Noise(20, 10, 3);
    struct Case {
        int Method;
        size_t PaletteSize;
    };
    for (Case c : {Case{crWindows20, 20}, Case{crWindowsGray, 4}, Case{crMonochrome, 2}, Case{crGrayScale, 256},
                   Case{crNetscape, 216}, Case{crQuantizeWindows, 256}}) {
        TGIFDib out = ReduceColors(src, c.Method, dtFloydSteinberg, nullptr, 8);
        EXPECT_EQ(out.PixelFormat, pf8bit) << c.Method;
        EXPECT_EQ(out.Palette.size(), c.PaletteSize) << c.Method;
        for (int y = 0; y < out.Height; ++y)
            for (int x = 0; x < out.Width; ++x) ASSERT_LT(out.Row(y)[x], c.PaletteSize) << c.Method;
    }
    TGIFDib none = ReduceColors(src, crNone, dtNearest, nullptr, 8);
    EXPECT_EQ(none.PixelFormat, pf24bit);
    EXPECT_EQ(none.Bits, src.Bits);
    EXPECT_TRUE(ReduceColors(src, 10, dtNearest, nullptr, 8).Empty());
    EXPECT_TRUE(ReduceColors(src, crNetscape, 9, nullptr, 8).Empty());
    EXPECT_TRUE(ReduceColors(src, crCustom, dtNearest, nullptr, 8).Empty());  // a lookup without colours
    TGIFPalette custom = {{0, 0, 0}, {255, 255, 255}};
    EXPECT_EQ(ReduceColors(src, crCustom, dtNearest, &custom, 8).Palette, custom);
}

TEST(GIFReduceColors, QuantizeClampsItsBits) {
    TGIFDib src = Noise(32, 32, 4);
    EXPECT_EQ(ReduceColors(src, crQuantize, dtNearest, nullptr, 4).Palette.size(), 16u);
    // Beyond 8 bits the palette still has 256 entries; below 1 it has 2.
    EXPECT_EQ(ReduceColors(src, crQuantize, dtNearest, nullptr, 12).Palette.size(), 256u);
    EXPECT_EQ(ReduceColors(src, crQuantize, dtNearest, nullptr, 0).Palette.size(), 2u);
}

}  // namespace
}  // namespace ad::gif
