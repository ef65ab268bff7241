// Tests of the 32-bit pixel primitives: exact bytes for each formula, clipping,
// bottom-up views and resampling.
#include "skin/engine/image/SkinBitmaps.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace ad::skin {
namespace {

uint32_t Px(int b, int g, int r, int a) { return uint32_t(b) | uint32_t(g) << 8 | uint32_t(r) << 16 | uint32_t(a) << 24; }

// A bitmap filled with one value.
TBitmap32 Filled(int w, int h, uint32_t value) {
    TBitmap32 bmp(w, h);
    TImageView32 v = bmp.View();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) PutPixel32(v, x, y, value);
    return bmp;
}

// Pixel values of a bitmap where each pixel is made from its coordinates.
TBitmap32 Pattern(int w, int h) {
    TBitmap32 bmp(w, h);
    TImageView32 v = bmp.View();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) PutPixel32(v, x, y, Px(x * 17 % 256, y * 29 % 256, (x + y) * 7 % 256, 200 + x % 50));
    return bmp;
}

// A bottom-up copy of a bitmap's pixels, viewed from its top row.
struct BottomUp {
    std::vector<uint8_t> Buffer;
    TImageView32 View;
    explicit BottomUp(TImageView32 src) : Buffer(size_t(src.Width) * src.Height * 4) {
        for (int y = 0; y < src.Height; ++y)
            std::memcpy(&Buffer[size_t(src.Height - 1 - y) * src.Width * 4], src.Pixel(0, y), size_t(src.Width) * 4);
        View = {&Buffer[size_t(src.Height - 1) * src.Width * 4], -ptrdiff_t(src.Width) * 4, src.Width, src.Height};
    }
};

bool SamePixels(const TImageView32& a, const TImageView32& b) {
    if (a.Width != b.Width || a.Height != b.Height) return false;
    for (int y = 0; y < a.Height; ++y)
        if (std::memcmp(a.Pixel(0, y), b.Pixel(0, y), size_t(a.Width) * 4) != 0) return false;
    return true;
}

TEST(SkinBitmaps, SizesAndRows) {
    TBitmap32 bad(-1, 5);
    EXPECT_EQ(bad.Width(), 0);
    EXPECT_TRUE(bad.View().Empty());
    TBitmap32 huge(TBitmap32::MaxSide, TBitmap32::MaxSide);
    EXPECT_EQ(huge.Width(), 0);
    uint8_t* row0;
    ptrdiff_t distance;
    EXPECT_FALSE(GetBitmapRows(bad.View(), row0, distance));
    TBitmap32 one(5, 1);
    ASSERT_TRUE(GetBitmapRows(one.View(), row0, distance));
    EXPECT_EQ(distance, 0);
    TBitmap32 two(5, 2);
    ASSERT_TRUE(GetBitmapRows(two.View(), row0, distance));
    EXPECT_EQ(distance, 20);
    // A one-row bitmap's fill touches only its row.
    FillRect32(one.View(), {-5, -5, 50, 50}, 0x0000FF, 7);
    EXPECT_EQ(GetPixel32(one.View(), 4, 0), Px(0, 0, 255, 7));
}

TEST(SkinBitmaps, Premultiply) {
    const struct {
        uint32_t in;
        bool composition;
        uint32_t out;
    } cases[] = {
        {Px(250, 250, 250, 255), false, Px(244, 244, 244, 255)},
        {Px(250, 250, 250, 255), true, Px(249, 249, 249, 255)},
        {Px(250, 250, 200, 255), false, Px(249, 249, 199, 255)},
        {0x00FFFFFF, false, 0},
        {0x00FFFFFF, true, 0},
        {0xFFFFFFFF, false, Px(244, 244, 244, 255)},
        {0xFFFFFFFF, true, Px(254, 254, 254, 255)},
        {Px(100, 50, 200, 128), false, Px(50, 25, 100, 128)},
    };
    for (const auto& c : cases) {
        TBitmap32 bmp = Filled(2, 2, c.in);
        PremultiplyBitmap(bmp.View(), c.composition);
        EXPECT_EQ(GetPixel32(bmp.View(), 1, 1), c.out) << std::hex << c.in << " " << c.composition;
    }
    TBitmap32 bmp = Filled(3, 1, 0x00FFFFFF);
    PutPixel32(bmp.View(), 1, 0, 0xFFFFFFFF);
    ClearWhitePixels(bmp.View());
    EXPECT_EQ(GetPixel32(bmp.View(), 0, 0), 0u);
    EXPECT_EQ(GetPixel32(bmp.View(), 1, 0), 0xFFFFFFFFu);
}

TEST(SkinBitmaps, ValueAdjustments) {
    const uint32_t c = Px(40, 120, 200, 99);
    // Brightness.
    EXPECT_EQ(AdjustBrightness(c, 0), c);
    EXPECT_EQ(AdjustBrightness(c, 128), Px(60, 180, 255, 99));
    EXPECT_EQ(AdjustBrightness(c, -128), Px(20, 60, 100, 99));
    EXPECT_EQ(AdjustBrightness(c, -256), Px(0, 0, 0, 99));
    EXPECT_EQ(AdjustBrightness(c, INT_MAX), Px(255, 255, 255, 99));
    EXPECT_EQ(AdjustBrightness(c, INT_MIN), Px(0, 0, 0, 99));
    EXPECT_EQ(AdjustBrightness(Px(0, 1, 2, 3), INT_MAX), Px(0, 255, 255, 3));  // a zero channel stays 0
    // Saturation: grey = round(0.299*200 + 0.587*120 + 0.114*40) = 135.
    EXPECT_EQ(AdjustSaturation(0, c), c);
    EXPECT_EQ(AdjustSaturationOpt(c, 0), c);
    EXPECT_EQ(AdjustSaturation(-255, c), Px(134, 134, 134, 99));
    EXPECT_EQ(AdjustSaturation(100, c), Px(700 >> 8, 29100 >> 8, 57500 >> 8, 99));
    EXPECT_EQ(AdjustSaturation(255, Px(10, 0, 250, 0)), Px(0, 0, 255, 0));  // clamped
    // Tone: V = 200, tone in the other byte order.
    EXPECT_EQ(ToneColor(c, 0x00FF8000), Px(199, 100, 0, 99));
    // Hue: grey and black never change; 0 and 360 keep the colour up to truncation.
    for (uint32_t v : {Px(90, 90, 90, 1), Px(0, 0, 0, 5), Px(255, 255, 255, 0)})
        for (int d : {0, 90, -90, 720}) EXPECT_EQ(ShiftHue(d, v), v);
    for (uint32_t v : {Px(0, 0, 255, 9), Px(0, 255, 0, 9), Px(255, 0, 0, 9), Px(40, 120, 200, 9)}) {
        for (int d : {0, 360, -360}) {
            uint32_t r = ShiftHue(d, v);
            for (int s = 0; s < 32; s += 8) EXPECT_NEAR(int((r >> s) & 0xFF), int((v >> s) & 0xFF), 3) << d;
        }
    }
    // Pure red turned by 120 is green, by -120 (a negative offset) blue.
    EXPECT_EQ(ShiftHue(120, Px(0, 0, 255, 9)), Px(0, 255, 0, 9));
    EXPECT_EQ(ShiftHue(-120, Px(0, 0, 255, 9)), Px(255, 0, 0, 9));
    EXPECT_EQ(ShiftHue(-480, Px(0, 0, 255, 9)), Px(255, 0, 0, 9));
    EXPECT_EQ(ShiftColorHue(120, 0x0000FF), 0x00FF00);
    EXPECT_EQ(ShiftColorHue(0, 0x123456), 0x123456);
    EXPECT_EQ(BlendTwoColors(0xAA0000FF, 0x00FF0000, 128), 0xAA7E007Fu);
}

TEST(SkinBitmaps, AdjustControlColor) {
    // Colour order in and out: tone (scaled by the largest channel), then hue, then saturation.
    const struct {
        TColor color, tone;
        int hue, saturation;
        TColor expected;
    } cases[] = {
        {0x123456, skNoColor, 0, 0, 0x123456},   // nothing to do
        {0x404040, 0x0000FF, 0, 0, 0x00003F},    // red tone: 64 * 255 >> 8 in red
        {0x102080, 0x00FF00, 0, 0, 0x007F00},    // green tone over a value whose largest channel is 128
        {0x0000FF, skNoColor, 120, 0, 0x00FF00}, // red turned to green
        {0x404040, 0x0000FF, 120, 0, 0x003F00},  // toned first, then turned
        {0x00FF00, skNoColor, 0, -100, 0x969596},// -100 % is -256: grey 150, less 1/256 of the channel
        {0x00FF00, skNoColor, 0, INT_MAX, 0x00FF00},  // out-of-range amounts saturate the channels
        {0x00FF00, skNoColor, 0, INT_MIN, 0xFF00FF},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AdjustControlColor(c.color, c.tone, c.hue, c.saturation), c.expected)
            << std::hex << c.color << " " << c.tone << std::dec << " " << c.hue << " " << c.saturation;
    // The result goes through the system-colour resolution.
    EXPECT_EQ(AdjustControlColor(skBtnFaceColor, skNoColor, 0, 0), TColor(SkinColorToRGB(skBtnFaceColor)));
}

TEST(SkinBitmaps, FillsAndKeys) {
    TBitmap32 bmp = Filled(4, 3, Px(100, 100, 100, 255));
    PutPixel32(bmp.View(), 0, 0, skKeyColor);
    SetRectAlpha(bmp.View(), {0, 0, 4, 3}, 9, skKeyColor);
    EXPECT_EQ(GetPixel32(bmp.View(), 0, 0), skKeyColor);
    EXPECT_EQ(GetPixel32(bmp.View(), 3, 2), Px(100, 100, 100, 9));
    TintRect32(bmp.View(), {1, 1, 9, 9}, 0x0000C8 /* red 200 */, 77, 50);
    EXPECT_EQ(GetPixel32(bmp.View(), 1, 1), Px(50, 50, 150, 77));
    EXPECT_EQ(GetPixel32(bmp.View(), 1, 0), Px(100, 100, 100, 9));
    // Inclusive rectangle, right and bottom clipped.
    TBitmap32 b2 = Filled(3, 3, Px(200, 200, 200, 1));
    BlendRectColor(b2.View(), {1, 1, 5, 5}, 128, 0x000000);
    EXPECT_EQ(GetPixel32(b2.View(), 2, 2), Px(100, 100, 100, 1));
    EXPECT_EQ(GetPixel32(b2.View(), 0, 2), Px(200, 200, 200, 1));
    // Brightness over every pixel except the key, given in colour order.
    TBitmap32 b3 = Filled(2, 1, Px(10, 20, 30, 0));
    PutPixel32(b3.View(), 1, 0, Px(0xCC, 0xBB, 0xAA, 0));
    ForEachPixel(b3.View(), BrightnessProc, 256, TColor(0xCCBBAA) /* colour order of 0xAABBCC */);
    EXPECT_EQ(GetPixel32(b3.View(), 0, 0), Px(20, 40, 60, 0));
    EXPECT_EQ(GetPixel32(b3.View(), 1, 0), Px(0xCC, 0xBB, 0xAA, 0));
    GrayscaleBitmap(b3.View());
    EXPECT_EQ(GetPixel32(b3.View(), 0, 0), Px(44, 44, 44, 0));  // round(17.94 + 23.48 + 2.28)
}

TEST(SkinBitmaps, BlendBitmapConstClipping) {
    // Weight 0: the target becomes the source where the block lands.
    const struct {
        TPoint at;
        TRect src;
        int changed;      // pixels that become the source's value
        TPoint first;     // first target pixel written
        uint32_t value;   // its new value
    } cases[] = {
        {{0, 0}, {0, 0, 9, 9}, 16, {0, 0}, Px(0, 0, 0, 200)},
        {{-1, -2}, {0, 0, 3, 3}, 6, {0, 0}, Px(17, 58, 21, 201)},   // source (1, 2)
        {{1, 1}, {-1, 0, 1, 1}, 4, {2, 1}, Px(0, 0, 0, 200)},       // target moves right
        {{2, 2}, {0, 0, 3, 3}, 4, {2, 2}, Px(0, 0, 0, 200)},        // ends inside the target
        {{4, 0}, {0, 0, 3, 3}, 0, {0, 0}, 0},                       // target point outside
        {{0, 0}, {5, 0, 6, 3}, 0, {0, 0}, 0},                       // starts outside the source
        {{0, 0}, {2, 2, 1, 1}, 0, {0, 0}, 0},                       // empty
    };
    TBitmap32 src = Pattern(5, 5);
    for (const auto& c : cases) {
        TBitmap32 dst = Filled(4, 4, 0x11111111);
        BlendBitmapConst(dst.View(), src.View(), 0, c.at, c.src);
        int changed = 0;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) changed += GetPixel32(dst.View(), x, y) != 0x11111111u;
        EXPECT_EQ(changed, c.changed) << c.at.X << "," << c.at.Y;
        if (c.changed) {
            EXPECT_EQ(GetPixel32(dst.View(), c.first.X, c.first.Y), c.value) << c.at.X;
        }
    }
    // The blend formula on all four bytes: target keeps weight/256.
    TBitmap32 s = Filled(1, 1, Px(0, 100, 200, 255)), t = Filled(1, 1, Px(200, 100, 0, 0));
    BlendBitmapConst(t.View(), s.View(), 64, {0, 0}, {0, 0, 0, 0});
    EXPECT_EQ(GetPixel32(t.View(), 0, 0), Px(50, 100, 150, 191));
}

TEST(SkinBitmaps, BottomUpMatchesTopDown) {
    TBitmap32 a = Pattern(7, 5);
    BottomUp b(a.View());
    ASSERT_TRUE(SamePixels(a.View(), b.View));
    auto both = [&](auto op) {
        op(a.View());
        op(b.View);
        EXPECT_TRUE(SamePixels(a.View(), b.View));
    };
    both([](TImageView32 v) { FillRect32(v, {1, 1, 3, 4}, 0x123456, 9); });
    both([](TImageView32 v) { TintBitmap(v, 100, 0x00FF00); });
    both([](TImageView32 v) { ForEachPixel(v, HueProc, 77); });
    both([](TImageView32 v) { ForEachPixel(v, SaturationProc, -100); });
    both([](TImageView32 v) { PremultiplyRect(v, {0, 2, 7, 5}, false); });
    both([](TImageView32 v) { PaintSoftShadow(v, {0, 0, 7, 5}, 30, 2, 2, 0x000000); });
    TBitmap32 src = Pattern(3, 3);
    both([&](TImageView32 v) { BlendBitmapConst(v, src.View(), 100, {-1, 2}, {0, 0, 2, 2}); });
    TBitmap32 ra, rb;
    ResampleBitmap(a.View(), ra, 11, 6, 3);
    ResampleBitmap(b.View, rb, 11, 6, 3);
    EXPECT_TRUE(SamePixels(ra.View(), rb.View()));
}

TEST(SkinBitmaps, Resample) {
    TBitmap32 src = Pattern(6, 4);
    TBitmap32 same;
    ResampleBitmap(src.View(), same, 6, 3, 4);
    EXPECT_TRUE(SamePixels(src.View(), same.View()));
    TBitmap32 untouched(2, 2);
    TBitmap32 thin = Pattern(1, 8);
    ResampleBitmap(thin.View(), untouched, 4, 3, 4);
    EXPECT_EQ(untouched.Width(), 2);
    ResampleBitmap(src.View(), untouched, 4, 3, 0);
    EXPECT_EQ(untouched.Width(), 2);
    // A flat image stays flat for every filter, up and down.
    TBitmap32 flat = Filled(9, 7, Px(10, 128, 250, 255));
    for (int filter = 0; filter <= 6; ++filter) {
        for (auto [w, h] : {std::pair{20, 3}, std::pair{4, 15}, std::pair{2, 2}}) {
            TBitmap32 out;
            ResampleBitmap(flat.View(), out, w, filter, h);
            ASSERT_EQ(out.Width(), w);
            ASSERT_EQ(out.Height(), h);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    uint32_t p = GetPixel32(out.View(), x, y);
                    for (int s = 0; s < 32; s += 8)
                        ASSERT_NEAR(int((p >> s) & 0xFF), int((Px(10, 128, 250, 255) >> s) & 0xFF), 1)
                            << "filter " << filter << " " << w << "x" << h;
                }
        }
    }
    // Box filter doubling repeats each pixel.
    TBitmap32 two = Pattern(2, 2), big;
    ResampleBitmap(two.View(), big, 4, 0, 4);
    EXPECT_EQ(GetPixel32(big.View(), 0, 0), GetPixel32(two.View(), 0, 0));
    EXPECT_EQ(GetPixel32(big.View(), 2, 2), GetPixel32(two.View(), 1, 1));
}

TEST(SkinBitmaps, SoftShadow) {
    TBitmap32 bmp = Filled(20, 20, Px(200, 200, 200, 255));
    PaintSoftShadow(bmp.View(), {0, 0, 20, 20}, 0, 4, 3, 0x000000);
    // Full colour in the middle, the outer ring kept (less 1/256), levels rising outwards.
    EXPECT_EQ(GetPixel32(bmp.View(), 10, 10), Px(0, 0, 0, 255));
    EXPECT_EQ(GetPixel32(bmp.View(), 0, 10), Px(199, 199, 199, 255));
    int prev = 0;
    for (int x = 3; x >= 0; --x) {
        int b = int(GetPixel32(bmp.View(), x, 10) & 0xFF);
        EXPECT_GE(b, prev);
        prev = b;
    }
    TBitmap32 light = Filled(20, 20, Px(200, 200, 200, 255));
    PaintSoftShadow(light.View(), {0, 0, 20, 20}, 100, 4, 3, 0x000000);
    EXPECT_EQ(GetPixel32(light.View(), 10, 10), Px(199, 199, 199, 255));
    // Masks that do not match do nothing.
    TBitmap32 m(3, 3);
    MaskMixColor(bmp.View(), m.View(), 0);
    EXPECT_EQ(GetPixel32(bmp.View(), 0, 10), Px(199, 199, 199, 255));
}

}  // namespace
}  // namespace ad::skin
