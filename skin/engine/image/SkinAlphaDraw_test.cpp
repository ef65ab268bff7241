// Tests of the alpha image draws: the blend formula, transparency, the alpha
// threshold, tones, the fading reflection, keyed copies and background
// look-ups, and rectangles reaching outside the bitmaps on any side.
#include "skin/engine/image/SkinAlphaDraw.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/Exception.h"
#include "skin/engine/testkit/PngTestWriter.h"

namespace ad::skin {
namespace {

constexpr uint32_t Px(int b, int g, int r, int a) {
    return uint32_t(b) | uint32_t(g) << 8 | uint32_t(r) << 16 | uint32_t(a) << 24;
}
uint8_t Byte(uint32_t v, int i) { return uint8_t(v >> (8 * i)); }

TBitmap32 Filled(int w, int h, uint32_t value) {
    TBitmap32 b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixel32(b.View(), x, y, value);
    return b;
}

// The documented channel blend, as the expectation of every drawn pixel.
uint32_t Blend(uint32_t s, uint32_t t, int w, int alpha) {
    uint32_t r = uint32_t(alpha) << 24;
    for (int i = 0; i < 3; ++i) r |= uint32_t(((Byte(s, i) - Byte(t, i)) * w + Byte(t, i) * 256) >> 8) << (8 * i);
    return r;
}

TSkBgCacheRef Background(TBitmap32& bmp, int x, int y) {
    TSkBgCacheRef bg;
    bg.Bmp = bmp.View();
    bg.X = x;
    bg.Y = y;
    bg.Ready = true;
    return bg;
}

TEST(SkinAlphaDraw, BlendFormulaAndTargetAlpha) {
    const struct {
        uint32_t s, t;
        int transparency;
        bool ready;
    } cases[] = {
        {Px(200, 100, 0, 255), Px(10, 20, 255, 0), 0, false},    // opaque: (255 s + t) >> 8, not s
        {Px(200, 100, 0, 255), Px(10, 20, 255, 0), 0, true},
        {Px(255, 255, 255, 255), Px(0, 0, 0, 40), 0, true},
        {Px(90, 180, 30, 128), Px(250, 5, 60, 200), 0, false},   // target alpha already higher
        {Px(90, 180, 30, 128), Px(250, 5, 60, 10), 40, true},    // weight 60 * 128 / 100
        {Px(1, 2, 3, 17), Px(100, 100, 100, 7), 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.s << " over " << c.t << std::dec << " t%"
                                        << c.transparency << " ready " << c.ready);
        TBitmap32 src = Filled(2, 2, c.s), dst = Filled(2, 2, c.t), bgBmp = Filled(2, 2, Px(9, 9, 9, 9));
        TSkBgCacheRef bg = c.ready ? Background(bgBmp, 0, 0) : skNoBackground;
        BlendImageRect({0, 0, 2, 2}, {0, 0, 2, 2}, dst.View(), false, c.transparency, skNoColor, true, bg,
                       src.View());
        const int w = c.transparency ? (100 - c.transparency) * int(c.s >> 24) / 100 : int(c.s >> 24);
        const int alpha = c.transparency ? int(c.t >> 24) : std::max(int(c.t >> 24), int(c.s >> 24));
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x) EXPECT_EQ(GetPixel32(dst.View(), x, y), Blend(c.s, c.t, w, alpha));
    }
    // The first case by hand: (255 * 200 + 10) >> 8 = 199.
    TBitmap32 src = Filled(1, 1, Px(200, 100, 0, 255)), dst = Filled(1, 1, Px(10, 20, 255, 0));
    BlendImageRect({0, 0, 1, 1}, {0, 0, 1, 1}, dst.View(), false, 0, skNoColor, false, skNoBackground, src.View());
    EXPECT_EQ(GetPixel32(dst.View(), 0, 0), Px(199, 99, 0, 255));
}

TEST(SkinAlphaDraw, TransparencyHundredKeepsTargetButFillsBackground) {
    TBitmap32 src(4, 1), dst = Filled(4, 1, Px(1, 2, 3, 44)), bgBmp = Filled(8, 8, Px(70, 80, 90, 11));
    SetPixel32(src.View(), 0, 0, Px(255, 255, 255, 255));
    SetPixel32(src.View(), 1, 0, Px(200, 0, 0, 100));
    SetPixel32(src.View(), 2, 0, skKeyColor);
    SetPixel32(src.View(), 3, 0, Px(50, 50, 50, 0));
    for (bool ready : {false, true}) {
        dst = Filled(4, 1, Px(1, 2, 3, 44));
        BlendImageRect({0, 0, 4, 1}, {0, 0, 4, 1}, dst.View(), false, 100, skNoColor, true,
                       ready ? Background(bgBmp, 2, 3) : skNoBackground, src.View());
        EXPECT_EQ(GetPixel32(dst.View(), 0, 0), Px(1, 2, 3, 44));
        EXPECT_EQ(GetPixel32(dst.View(), 1, 0), Px(1, 2, 3, 44));
        // Transparent pixels take the background's colour and keep their alpha.
        const uint32_t hole = ready ? Px(70, 80, 90, 44) : Px(1, 2, 3, 44);
        EXPECT_EQ(GetPixel32(dst.View(), 2, 0), hole);
        EXPECT_EQ(GetPixel32(dst.View(), 3, 0), hole);
    }
}

TEST(SkinAlphaDraw, AlphaThresholdDecidesBetweenDrawingAndBackground) {
    TBitmap32 src(3, 1), bgBmp = Filled(3, 1, Px(7, 8, 9, 200));
    SetPixel32(src.View(), 0, 0, Px(250, 250, 250, 16));
    SetPixel32(src.View(), 1, 0, Px(250, 250, 250, 17));
    SetPixel32(src.View(), 2, 0, Px(255, 0, 255, 255));  // fuchsia but opaque: not the key
    const uint32_t t0 = Px(100, 100, 100, 0);
    // Ready background with fill: 16 takes the background, 17 is drawn.
    TBitmap32 dst = Filled(3, 1, t0);
    BlendImageRect({0, 0, 3, 1}, {0, 0, 3, 1}, dst.View(), false, 0, skNoColor, true, Background(bgBmp, 0, 0),
                   src.View());
    EXPECT_EQ(GetPixel32(dst.View(), 0, 0), Px(7, 8, 9, 0));
    EXPECT_EQ(GetPixel32(dst.View(), 1, 0), Blend(Px(250, 250, 250, 17), t0, 17, 17));
    EXPECT_EQ(GetPixel32(dst.View(), 2, 0), Blend(Px(255, 0, 255, 255), t0, 255, 255));
    // Ready without fill: 16 leaves the target.
    dst = Filled(3, 1, t0);
    BlendImageRect({0, 0, 3, 1}, {0, 0, 3, 1}, dst.View(), false, 0, skNoColor, false, Background(bgBmp, 0, 0),
                   src.View());
    EXPECT_EQ(GetPixel32(dst.View(), 0, 0), t0);
    // Not Ready: every pixel is blended, 16 too.
    dst = Filled(3, 1, t0);
    BlendImageRect({0, 0, 3, 1}, {0, 0, 3, 1}, dst.View(), false, 0, skNoColor, true, skNoBackground, src.View());
    EXPECT_EQ(GetPixel32(dst.View(), 0, 0), Blend(Px(250, 250, 250, 16), t0, 16, 16));
}

TEST(SkinAlphaDraw, ToneOnGreyRamp) {
    // Tone red 160, green 64, blue 0 is raised to 255, 159, 95.
    const TColor tone = 0x0040A0;
    TBitmap32 src(5, 1);
    const int ramp[5] = {0, 64, 128, 200, 255};
    for (int x = 0; x < 5; ++x) SetPixel32(src.View(), x, 0, Px(ramp[x], ramp[x], ramp[x], 255));
    TBitmap32 dst = Filled(5, 1, Px(0, 0, 0, 33));
    BlendImageRect({0, 0, 5, 1}, {0, 0, 5, 1}, dst.View(), false, 0, tone, false, skNoBackground, src.View());
    EXPECT_EQ(GetPixel32(dst.View(), 0, 0), Px(0, 0, 0, 33));
    // Grey 128: 128; red (255 * 128) >> 8 = 127, then the blend at 255: 126.
    EXPECT_EQ(GetPixel32(dst.View(), 2, 0), Px(46, 78, 126, 33));
    // Grey 255: 63 + 127 + 63 = 253.
    EXPECT_EQ(GetPixel32(dst.View(), 4, 0), Px(92, 156, 251, 33));
    for (int x = 1; x < 5; ++x) {
        const uint32_t a = GetPixel32(dst.View(), x - 1, 0), b = GetPixel32(dst.View(), x, 0);
        for (int i = 0; i < 3; ++i) EXPECT_LE(Byte(a, i), Byte(b, i)) << x;
        EXPECT_GE(Byte(b, 2), Byte(b, 1));  // the tone's hue: red over green over blue
        EXPECT_GE(Byte(b, 1), Byte(b, 0));
    }
    // A grey tone keeps the greys; the same ramp drawn with half transparency moves half as far.
    TBitmap32 grey = Filled(5, 1, Px(0, 0, 0, 0));
    BlendImageRect({0, 0, 5, 1}, {0, 0, 5, 1}, grey.View(), false, 50, 0x808080, false, skNoBackground, src.View());
    const uint32_t g = GetPixel32(grey.View(), 4, 0);
    EXPECT_EQ(Byte(g, 0), Byte(g, 2));
    EXPECT_EQ(Byte(g, 0), uint8_t(((253 * 255 >> 8) * 127) >> 8));
    EXPECT_EQ(Byte(g, 3), 0);
}

TEST(SkinAlphaDraw, ReflectionRows) {
    // A 4 x 6 image whose rows differ; target 4 x 20 with the image at the top.
    TBitmap32 src(4, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 4; ++x) SetPixel32(src.View(), x, y, Px(40 * y + 20, 200, 100, 255));
    TBitmap32 dst(4, 20);
    BlendImageRect({0, 0, 4, 6}, {0, 0, 4, 6}, dst.View(), true, 0, skNoColor, false, skNoBackground, src.View());
    // N = min(6 / 2, 20 - 6 - 1) = 3; row k goes to 6 + k from source row 6 - k - 1;
    // weight 255 * (3 - k) / 3 * f / 512 with f = 255, 213, 171 (drops by 255 / 6).
    const int weights[4] = {0, 84, 35, 0};
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(GetPixel32(dst.View(), 1, 6 + k), Blend(GetPixel32(src.View(), 1, 6 - k - 1), 0, weights[k], 0))
            << "row " << k;
    EXPECT_EQ(GetPixel32(dst.View(), 2, 6), 0u);
    for (int y = 10; y < 20; ++y) EXPECT_EQ(GetPixel32(dst.View(), 0, y), 0u) << y;

    // With a tone: weight 255 * (3 - k) / 3 / 4, with transparency 50 halved.
    TBitmap32 toned(4, 20);
    BlendImageRect({0, 0, 4, 6}, {0, 0, 4, 6}, toned.View(), true, 50, 0xFFFFFF, false, skNoBackground,
                   src.View());
    const uint32_t s = GetPixel32(src.View(), 0, 4);
    const int grey = Byte(s, 2) / 4 + Byte(s, 1) / 2 + Byte(s, 0) / 4, c = (255 * grey) >> 8;
    EXPECT_EQ(GetPixel32(toned.View(), 0, 7), Blend(Px(c, c, c, 0), 0, 50 * (170 / 4) / 100, 0));

    // No room: the target rectangle ends one row above the bottom, or lower.
    for (int bottom : {19, 20, 25}) {
        TBitmap32 t(4, 20);
        BlendImageRect({0, bottom - 6, 4, bottom}, {0, 0, 4, 6}, t.View(), true, 0, skNoColor, false,
                       skNoBackground, src.View());
        if (bottom - 6 >= 0 && bottom <= 20) {
            EXPECT_NE(GetPixel32(t.View(), 0, bottom - 1), 0u);
        }
        for (int y = 0; y < bottom - 6; ++y) EXPECT_EQ(GetPixel32(t.View(), 0, y), 0u) << bottom;
    }
}

// A bottom-up view over a top-down bitmap's pixels: rows in the other order.
TImageView32 Flipped(TBitmap32& b) {
    TImageView32 v = b.View();
    return {v.Row0 + (v.Height - 1) * v.Distance, -v.Distance, v.Width, v.Height};
}

TEST(SkinAlphaDraw, RectanglesOutsideTheBitmaps) {
    // Target and source rectangles reaching past every side, with a small
    // background bitmap far off the target's origin: the drawn block must be
    // exactly the aligned part inside both rectangles and both bitmaps, key
    // pixels must take the background only where it exists, and nothing may
    // be read or written outside any buffer (the sanitizers watch).
    const struct {
        TRect tr, sr;
        int bgX, bgY;
        bool flipped;
    } cases[] = {
        {{-3, -2, 5, 4}, {0, 0, 8, 6}, 0, 0, false},
        {{2, 1, 9, 9}, {-4, -5, 3, 2}, -2, -3, false},
        {{-5, 3, 2, 12}, {-1, 2, 6, 11}, 3, -6, true},
        {{4, 4, 40, 40}, {1, 1, 50, 50}, -9, 5, false},
        {{-100, -100, 100, 100}, {-100, -100, 100, 100}, 1, 1, true},
        {{6, 6, 10, 10}, {0, 0, 4, 4}, 0, 0, false},   // starts past the target
        {{0, 0, 3, 3}, {7, 0, 9, 3}, 0, 0, false},     // starts past the source
        {{-9, -9, -2, -2}, {0, 0, 5, 5}, 0, 0, false}, // wholly above and left
        {{0, 0, 6, 6}, {-8, -8, -1, -1}, 0, 0, false},
        {{0, 5, 6, 5}, {0, 0, 6, 6}, 0, 0, false},     // empty
    };
    const int TW = 6, TH = 6, SW = 7, SH = 5;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "target " << c.tr.Left << "," << c.tr.Top << "," << c.tr.Right << ","
                                        << c.tr.Bottom << " source " << c.sr.Left << "," << c.sr.Top << ","
                                        << c.sr.Right << "," << c.sr.Bottom);
        TBitmap32 src(SW, SH), dst = Filled(TW, TH, Px(5, 6, 7, 8)), bgBmp(3, 4);
        for (int y = 0; y < SH; ++y)
            for (int x = 0; x < SW; ++x)
                SetPixel32(src.View(), x, y, (x + y) % 3 == 0 ? skKeyColor : Px(10 + x * 30, 10 + y * 40, 99, 255));
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 3; ++x) SetPixel32(bgBmp.View(), x, y, Px(200 + x, 150 + y, 1, 77));
        const TImageView32 sv = c.flipped ? Flipped(src) : src.View(), tv = c.flipped ? Flipped(dst) : dst.View();
        const TSkBgCacheRef bg = Background(bgBmp, c.bgX, c.bgY);
        for (bool reflect : {false, true}) {
            for (int y = 0; y < TH; ++y)
                for (int x = 0; x < TW; ++x) SetPixel32(tv, x, y, Px(5, 6, 7, 8));
            BlendImageRect(c.tr, c.sr, tv, reflect, 0, skNoColor, true, bg, sv);
            for (int y = 0; y < std::min(TH, c.tr.Bottom); ++y)
                for (int x = 0; x < TW; ++x) {
                    const int ox = x - c.tr.Left, oy = y - c.tr.Top, sx = c.sr.Left + ox, sy = c.sr.Top + oy;
                    uint32_t want = Px(5, 6, 7, 8);
                    const bool inside = ox >= 0 && oy >= 0 && ox < c.tr.Right - c.tr.Left &&
                                        oy < c.tr.Bottom - c.tr.Top && ox < c.sr.Right - c.sr.Left &&
                                        oy < c.sr.Bottom - c.sr.Top && sx >= 0 && sy >= 0 && sx < SW && sy < SH;
                    if (inside) {
                        const uint32_t s = GetPixel32(sv, sx, sy);
                        const int bx = x + c.bgX, by = y + c.bgY;
                        if (s != skKeyColor) want = Blend(s, want, 255, 255);
                        else if (bx >= 0 && by >= 0 && bx < 3 && by < 4)
                            want = (GetPixel32(bgBmp.View(), bx, by) & 0xFFFFFF) | (want & 0xFF000000u);
                    }
                    ASSERT_EQ(GetPixel32(tv, x, y), want) << "pixel " << x << "," << y << " reflect " << reflect;
                }
            // The simpler blend clips alike.
            BlendRectOver(c.tr, c.sr, tv, true, bg, sv);
        }
    }
}

TEST(SkinAlphaDraw, BackgroundPixelIsCheckedOnEverySide) {
    TBitmap32 bmp(3, 2);
    SetPixel32(bmp.View(), 2, 1, 0x12345678);
    TSkBgCacheRef bg = Background(bmp, -1, 1);
    uint32_t v = 7;
    EXPECT_TRUE(BackgroundPixel(bg, 3, 0, v));
    EXPECT_EQ(v, 0x12345678u);
    const TPoint outside[] = {{0, 0}, {1, -2}, {4, 0}, {3, 1}, {-5, 0}, {1 << 30, 0}, {0, -(1 << 30)}};
    for (TPoint p : outside) {
        v = 7;
        EXPECT_FALSE(BackgroundPixel(bg, p.X, p.Y, v)) << p.X << "," << p.Y;
        EXPECT_EQ(v, 7u);
    }
    EXPECT_FALSE(BackgroundPixel(skNoBackground, 0, 0, v));
    TSkBgCacheRef far = Background(bmp, 2147483000, 2147483000);
    EXPECT_FALSE(BackgroundPixel(far, 1000, 1000, v));  // no overflow into range
}

TEST(SkinAlphaDraw, BackgroundReferenceOfABitmap) {
    TBitmap32 bmp = Filled(4, 3, Px(1, 2, 3, 4));
    SetPixel32(bmp.View(), 3, 2, Px(9, 8, 7, 6));
    const TSkBgCacheRef bg = MakeBgCacheRefFromBitmap(bmp.View(), 2, 1);
    EXPECT_TRUE(bg.Ready);
    EXPECT_EQ(bg.Bmp.Row0, bmp.View().Row0);
    EXPECT_EQ(bg.X, 2);
    EXPECT_EQ(bg.Y, 1);
    EXPECT_EQ(bg.FillColor, 0xFF00FF);
    EXPECT_EQ(bg.Borders, TRect{});
    // Transparent source pixels take the bitmap's pixel at the offset.
    TBitmap32 target = Filled(2, 2, Px(50, 50, 50, 255)), src(2, 2);
    BlendImageRect({0, 0, 2, 2}, {0, 0, 2, 2}, target.View(), false, 0, skNoColor, true, bg, src.View());
    EXPECT_EQ(GetPixel32(target.View(), 1, 1), Px(9, 8, 7, 255));
    EXPECT_EQ(GetPixel32(target.View(), 0, 0), Px(1, 2, 3, 255));
}

TEST(SkinAlphaDraw, BlendRectOverRaisesAlphaAndFillsKeys) {
    TBitmap32 src(4, 1), bgBmp = Filled(4, 1, Px(60, 70, 80, 5));
    SetPixel32(src.View(), 0, 0, Px(200, 100, 50, 128));
    SetPixel32(src.View(), 1, 0, Px(200, 100, 50, 0));
    SetPixel32(src.View(), 2, 0, skKeyColor);
    SetPixel32(src.View(), 3, 0, skKeyColor);
    const uint32_t t0 = Px(10, 20, 30, 100);
    TBitmap32 dst = Filled(4, 1, t0);
    // The background covers only target columns 0..2 (X = 1).
    BlendRectOver({0, 0, 4, 1}, {0, 0, 4, 1}, dst.View(), true, Background(bgBmp, 1, 0), src.View());
    EXPECT_EQ(GetPixel32(dst.View(), 0, 0), Blend(Px(200, 100, 50, 0), t0, 128, 100 + (155 * 128 >> 8)));
    EXPECT_EQ(GetPixel32(dst.View(), 1, 0), t0);
    EXPECT_EQ(GetPixel32(dst.View(), 2, 0), Px(60, 70, 80, 255));
    EXPECT_EQ(GetPixel32(dst.View(), 3, 0), t0);
    // Without fill the key pixels stay; not Ready blends them by their alpha 0.
    for (bool ready : {true, false}) {
        dst = Filled(4, 1, t0);
        BlendRectOver({0, 0, 4, 1}, {0, 0, 4, 1}, dst.View(), !ready,
                      ready ? Background(bgBmp, 0, 0) : skNoBackground, src.View());
        EXPECT_EQ(GetPixel32(dst.View(), 2, 0), t0);
    }
}

TEST(SkinAlphaDraw, CopyBitmapKeyedClipsAndSetsAlpha) {
    TBitmap32 src(3, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) SetPixel32(src.View(), x, y, Px(x, y, 9, 0));
    SetPixel32(src.View(), 1, 1, Px(0x00, 0x80, 0xFF, 77));  // red 255, green 128: the key, whatever its alpha
    const TPoint origins[] = {{0, 0}, {-2, -1}, {3, 2}, {4, 4}, {-3, 0}, {5, 5}, {-1 << 30, 0}, {1 << 30, 1 << 30}};
    for (TPoint o : origins) {
        TBitmap32 dst = Filled(5, 4, 0x11111111);
        CopyBitmapKeyed(dst.View(), src.View(), o.X, 0x0080FF, o.Y);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x) {
                const int64_t sx = int64_t(x) - o.X, sy = int64_t(y) - o.Y;
                uint32_t want = 0x11111111;
                if (sx >= 0 && sy >= 0 && sx < 3 && sy < 3 && !(sx == 1 && sy == 1))
                    want = Px(int(sx), int(sy), 9, 255);
                ASSERT_EQ(GetPixel32(dst.View(), x, y), want) << o.X << "," << o.Y << " at " << x << "," << y;
            }
    }
}

TEST(SkinAlphaDraw, DrawKeyedPartModes) {
    // Source 4 x 3 with a key column at x 1; part (1, 0)-(3, 2) inclusive.
    TBitmap32 src(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) SetPixel32(src.View(), x, y, x == 1 ? Px(255, 0, 255, 255) : Px(x, y, 50, 60));
    const uint32_t t0 = Px(1, 1, 1, 33);
    TBitmap32 bgBmp(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) SetPixel32(bgBmp.View(), x, y, Px(100 + x, 100 + y, 7, 8));

    // From the background (offset -1, 0): key pixels take it where it exists.
    TBitmap32 dst = Filled(5, 5, t0);
    DrawKeyedPart(dst.View(), src.View(), 0, true, Background(bgBmp, -1, 0), 0xFF00FF, {1, 0, 3, 2}, 1);
    for (int y = 1; y <= 3; ++y) {
        EXPECT_EQ(GetPixel32(dst.View(), 0, y), t0);  // background column -1: none
        EXPECT_EQ(GetPixel32(dst.View(), 1, y), Px(2, y - 1, 50, 60));
        EXPECT_EQ(GetPixel32(dst.View(), 2, y), Px(3, y - 1, 50, 60));
    }
    EXPECT_EQ(GetPixel32(dst.View(), 3, 1), t0);
    // Drawn into the background bitmap itself: non-key pixels opaque, key left.
    TBitmap32 self = bgBmp;
    TSkBgCacheRef selfBg = Background(self, 0, 0);
    DrawKeyedPart(self.View(), src.View(), 0, true, selfBg, 0xFF00FF, {1, 0, 3, 2}, 0);
    EXPECT_EQ(GetPixel32(self.View(), 0, 0), Px(100, 100, 7, 8));
    EXPECT_EQ(GetPixel32(self.View(), 1, 2), Px(2, 2, 50, 255));
    // Ready without fill: key left.
    dst = Filled(5, 5, t0);
    DrawKeyedPart(dst.View(), src.View(), 0, false, Background(bgBmp, 0, 0), 0xFF00FF, {1, 0, 3, 2}, 0);
    EXPECT_EQ(GetPixel32(dst.View(), 0, 0), t0);
    EXPECT_EQ(GetPixel32(dst.View(), 2, 0), Px(3, 0, 50, 60));
    // Not Ready: key pixels become FillColor (pixel order) with the alpha of target pixel (0, 0).
    dst = Filled(5, 5, t0);
    SetPixel32(dst.View(), 0, 0, Px(1, 1, 1, 99));
    TSkBgCacheRef none;
    none.FillColor = 0x102030;
    DrawKeyedPart(dst.View(), src.View(), 2, true, none, 0xFF00FF, {1, 0, 3, 2}, 2);
    EXPECT_EQ(GetPixel32(dst.View(), 2, 2), Px(0x10, 0x20, 0x30, 99));
    EXPECT_EQ(GetPixel32(dst.View(), 4, 4), Px(3, 2, 50, 60));

    // Origins and parts outside: only what lands inside the target is touched.
    const struct {
        int x, y;
        TRect part;
    } cases[] = {{-2, -1, {0, 0, 3, 2}}, {3, 4, {0, 0, 3, 2}}, {-1, 0, {-5, -5, 10, 10}},
                 {6, 0, {0, 0, 3, 2}},   {0, -9, {0, 0, 3, 2}}, {0, 0, {3, 2, 1, 1}},
                 {-1 << 30, 0, {0, 0, 3, 2}}, {1, 1, {4, 0, 9, 2}}};
    for (const auto& c : cases) {
        for (int mode = 0; mode < 3; ++mode) {
            TBitmap32 t = Filled(5, 5, t0);
            TSkBgCacheRef bg = mode == 2 ? none : Background(bgBmp, -3, 2);
            DrawKeyedPart(t.View(), src.View(), c.x, mode != 1, bg, 0xFF00FF, c.part, c.y);
            const int l = std::max(c.part.Left, 0), tp = std::max(c.part.Top, 0);
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 5; ++x) {
                    const int64_t sx = l + int64_t(x) - c.x, sy = tp + int64_t(y) - c.y;
                    const bool in = sx >= l && sy >= tp && sx <= std::min(c.part.Right, 3) &&
                                    sy <= std::min(c.part.Bottom, 2);
                    if (!in) {
                        ASSERT_EQ(GetPixel32(t.View(), x, y), t0) << c.x << "," << c.y << " " << x << "," << y;
                    } else if (sx != 1) {
                        ASSERT_EQ(GetPixel32(t.View(), x, y), GetPixel32(src.View(), int(sx), int(sy)));
                    }
                }
        }
    }
}

TEST(SkinAlphaDraw, LoadPngFileToBitmap) {
    const auto path = std::filesystem::temp_directory_path() / "SkinAlphaDraw_test.png";
    pngtest::Image img;
    img.Width = 3;
    img.Height = 2;
    img.ColorType = 6;
    img.Sample = [](int x, int y, int c) { return uint32_t(c == 3 ? 40 * x + y : 10 * c + x + 5 * y); };
    const pngtest::Bytes png = pngtest::Write(img);
    {
        std::ofstream f(path, std::ios::binary);
        f.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    }
    TBitmap32 bmp;
    LoadPngFileToBitmap(bmp, path.string());
    ASSERT_EQ(bmp.Width(), 3);
    ASSERT_EQ(bmp.Height(), 2);
    // Red 0 + x + 5y, green 10 + .., blue 20 + .., alpha 40x + y.
    EXPECT_EQ(GetPixel32(bmp.View(), 2, 1), Px(27, 17, 7, 81));
    {
        std::ofstream f(path, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size() / 2));
    }
    EXPECT_THROW(LoadPngFileToBitmap(bmp, path.string()), Exception);
    std::filesystem::remove(path);
    EXPECT_THROW(LoadPngFileToBitmap(bmp, path.string()), EFOpenError);
}

}  // namespace
}  // namespace ad::skin
