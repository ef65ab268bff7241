// Tests of gradient text parsing and band painting, plain and textured.
#include "skin/engine/image/SkinGradients.h"

#include <gtest/gtest.h>

#include "base/Exception.h"

namespace ad::skin {
namespace {

uint32_t Px(int b, int g, int r, int a) { return uint32_t(b) | uint32_t(g) << 8 | uint32_t(r) << 16 | uint32_t(a) << 24; }

TEST(SkinGradients, ParseText) {
    const struct {
        const char* text;
        size_t entries;
        int percent0;
    } cases[] = {
        {"255;65280;50;0;0;65280;255;50;0;0", 2, 50},
        {"255;65280;50;0;0;65280;255;50;0", 1, 50},
        {"255;65280;150;0;0", 1, 100},
        {"255;65280;-5;0;0", 1, 0},
        {";;255;;65280;50;;0;0;;", 1, 50},
        {"", 0, 0},
        {"1;2;3;4", 0, 0},
    };
    for (const auto& c : cases) {
        TSkinGradArray a{{1, 2, 3, 4}};
        ParseGradientText(c.text, a);
        ASSERT_EQ(a.size(), c.entries) << c.text;
        if (c.entries) {
            EXPECT_EQ(a[0].Percent, c.percent0) << c.text;
        }
    }
    TSkinGradArray a;
    ParseGradientText("$FF;$00FF00;10;1;x", a);
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(a[0].Color1, 0xFF);
    EXPECT_EQ(a[0].Color2, 0xFF00);
    EXPECT_EQ(a[0].Mode, 1);
    ParseGradientText(nullptr, a);
    EXPECT_TRUE(a.empty());
    a = {{1, 2, 3, 4}};
    EXPECT_THROW(ParseGradientText("255;red;50;0;0", a), EConvertError);
    EXPECT_EQ(a.size(), 1u);  // untouched on error
}

TEST(SkinGradients, VerticalBands) {
    TSkinGradArray a;
    ParseGradientText("255;65280;50;0;0;65280;255;50;0;0", a);
    TBitmap32 bmp(3, 100);
    PaintGradient(bmp.View(), {0, 0, 3, 100}, a, 0);
    const uint32_t red = Px(0, 0, 255, 255);
    EXPECT_EQ(GetPixel32(bmp.View(), 0, 0), red);
    // The first band moves by 255 / 50 per row and reaches green only where the
    // second band starts (no doubled row); the last band ends on its Color2.
    const struct {
        int y, red, green;
    } rows[] = {{24, 255 - 122, 122}, {25, 127, 128}, {49, 5, 250}, {50, 0, 255}, {74, 125, 130}, {99, 255, 0}};
    for (const auto& r : rows) EXPECT_EQ(GetPixel32(bmp.View(), 2, r.y), Px(0, r.green, r.red, 255)) << r.y;
    // Clipped to the bitmap; an empty rectangle or array paints nothing.
    TBitmap32 small(2, 2);
    PaintGradient(small.View(), {-5, -5, 50, 50}, a, 0);
    EXPECT_EQ(GetPixel32(small.View(), 1, 1) >> 24, 255u);
    TBitmap32 untouched(2, 2);
    PaintGradient(untouched.View(), {1, 1, 1, 2}, a, 0);
    PaintGradient(untouched.View(), {0, 0, 2, 2}, {}, 0);
    EXPECT_EQ(GetPixel32(untouched.View(), 1, 1), 0u);
}

TEST(SkinGradients, HorizontalBandsAndOffset) {
    TSkinGradArray a = {{0x0000FF, 0x0000FF, 30, 1}, {0xFF0000, 0xFF0000, 70, 1}};
    TBitmap32 bmp(10, 2);
    PaintGradient(bmp.View(), {0, 0, 10, 2}, a, 0);
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(GetPixel32(bmp.View(), x, 1), x < 3 ? Px(0, 0, 255, 255) : Px(255, 0, 0, 255)) << x;
    // Band widths are rounded halves to even: 50 % of 9 columns is 4.
    TBitmap32 odd(9, 1);
    PaintGradient(odd.View(), {0, 0, 9, 1}, {{0x0000FF, 0x0000FF, 50, 1}, {0xFF0000, 0xFF0000, 50, 1}}, 0);
    EXPECT_EQ(GetPixel32(odd.View(), 3, 0), Px(0, 0, 255, 255));
    EXPECT_EQ(GetPixel32(odd.View(), 4, 0), Px(255, 0, 0, 255));
    // A band cut at the last column ends on its Color2 there.
    TBitmap32 cut(5, 1);
    PaintGradient(cut.View(), {0, 0, 5, 1}, {{0x000000, 0x0000FF, 90, 1}, {0xFF0000, 0xFF0000, 10, 1}}, 0);
    EXPECT_EQ(GetPixel32(cut.View(), 4, 0), Px(0, 0, 255, 255));
    EXPECT_EQ(GetPixel32(cut.View(), 2, 0), Px(0, 0, 128, 255));  // 255 * 2 / 4 = 127.5, half to even
    // A vertical gradient moved up by its offset starts part way along.
    TSkinGradArray v = {{0x000000, 0x0000FF, 100, 0}};
    TBitmap32 whole(1, 10), shifted(1, 10);
    PaintGradient(whole.View(), {0, 0, 1, 10}, v, 0);
    PaintGradient(shifted.View(), {0, 0, 1, 10}, v, 5);
    EXPECT_EQ(GetPixel32(shifted.View(), 0, 4), 0u);  // above the start: unpainted
    EXPECT_EQ(GetPixel32(shifted.View(), 0, 5), Px(0, 0, 0, 255));
    EXPECT_EQ(GetPixel32(shifted.View(), 0, 9), Px(0, 0, 255, 255));
}

TEST(SkinGradients, FourCorners) {
    TSkinGradArray one = {{0x102030, 0, 100, 2}};
    TFourCornerMesh m = FourCornerMesh({0, 0, 10, 20}, one);
    for (const auto& vtx : m.Vertices) {
        EXPECT_EQ(vtx.Red, 0x3000);
        EXPECT_EQ(vtx.Blue, 0x1000);
        EXPECT_EQ(vtx.Alpha, 0xFF00);
    }
    EXPECT_EQ(m.Vertices[1].X, 5);
    EXPECT_EQ(m.Vertices[1].Y, 10);
    // Without a triangle routine mode 2 leaves the bitmap unchanged.
    TBitmap32 bmp(4, 4);
    PaintGradient(bmp.View(), {0, 0, 4, 4}, one, 0);
    EXPECT_EQ(GetPixel32(bmp.View(), 2, 2), 0u);
    static int calls;
    calls = 0;
    SetTriangleGradientFill([](const TImageView32&, const TFourCornerMesh&) { return ++calls > 0; });
    PaintGradient(bmp.View(), {0, 0, 4, 4}, one, 0);
    SetTriangleGradientFill(nullptr);
    EXPECT_EQ(calls, 1);
}

TEST(SkinGradients, Textured) {
    // 2 x 2 texture tiled over 4 x 4; weight 128 mixes half way.
    TBitmap32 tex(2, 2);
    PutPixel32(tex.View(), 0, 0, Px(200, 200, 200, 0));
    PutPixel32(tex.View(), 1, 0, Px(0, 0, 0, 0));
    PutPixel32(tex.View(), 0, 1, Px(100, 100, 100, 0));
    PutPixel32(tex.View(), 1, 1, Px(50, 50, 50, 0));
    TSkinGradArray flat = {{0x000000, 0x000000, 100, 0}};
    TBitmap32 bmp(4, 4);
    PaintGradientTextured(bmp.View(), {0, 0, 4, 4}, flat, 77, 128, {}, tex.View());
    EXPECT_EQ(GetPixel32(bmp.View(), 0, 0), Px(100, 100, 100, 77));
    EXPECT_EQ(GetPixel32(bmp.View(), 2, 2), Px(100, 100, 100, 77));
    EXPECT_EQ(GetPixel32(bmp.View(), 3, 3), Px(25, 25, 25, 77));
    EXPECT_EQ(GetPixel32(bmp.View(), 1, 2), Px(0, 0, 0, 77));
    // Colour above the texture: (g + (t - g) * w / 256) truncated toward zero.
    TSkinGradArray white = {{0xFFFFFF, 0xFFFFFF, 100, 1}};
    PaintGradientTextured(bmp.View(), {0, 0, 4, 4}, white, 255, 100, {1, 1, 2, 2}, tex.View());
    EXPECT_EQ(GetPixel32(bmp.View(), 0, 0), Px(255 - 205 * 100 / 256, 255 - 205 * 100 / 256, 255 - 205 * 100 / 256, 255));
    // Mode 2 paints nothing textured.
    TBitmap32 none(2, 2);
    PaintGradientTextured(none.View(), {0, 0, 2, 2}, {{0xFF, 0xFF, 100, 2}}, 255, 0, {}, tex.View());
    EXPECT_EQ(GetPixel32(none.View(), 0, 0), 0u);
}

}  // namespace
}  // namespace ad::skin
