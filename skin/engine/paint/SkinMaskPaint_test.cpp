// Tests of mask painting with masks whose nine pieces each have their own
// colour per frame: border cutting, states and flags, tiling with a cut last
// tile, stretching, alpha parts, state frames, keyed corners and the disabled
// look.
#include "skin/engine/paint/SkinMaskPaint.h"

#include <gtest/gtest.h>

#include <set>

namespace ad::skin {
namespace {

// Frames of 10 x 10 with borders of 3: piece (column, row) of frame f has the
// colour 0x00F0RC with F = f, R = row, C = column; the middle part's columns
// and rows also carry their offset in the green byte so tiles can be told apart.
uint32_t PieceColor(int frame, int x, int y) {
    const int col = x < 3 ? 0 : x < 7 ? 1 : 2, row = y < 3 ? 0 : y < 7 ? 1 : 2;
    const int offset = (col == 1 ? x - 3 : 0) + (row == 1 ? (y - 3) * 4 : 0);
    return 0xFF000000u | uint32_t(frame) << 16 | uint32_t(offset) << 8 | uint32_t(row << 4 | col);
}

struct TFixture {
    TSkinTables Skin;
    TSkinMaskData Mask;

    explicit TFixture(int frames = 3, int maskType = 0) {
        const int h = maskType ? 20 : 10;
        auto image = std::make_shared<TBitmap32>(10 * frames, h);
        const TImageView32 v = image->View();
        for (int f = 0; f < frames; ++f)
            for (int y = 0; y < 10; ++y)
                for (int x = 0; x < 10; ++x) {
                    SetPixel32(v, f * 10 + x, y, PieceColor(f, x, y));
                    if (maskType) SetPixel32(v, f * 10 + x, 10 + y, 0xFF000000u);  // black alpha part: opaque
                }
        Mask.Bmp = image;
        Mask.R = {0, 0, 10 * frames, h};
        Mask.ImageCount = int16_t(frames);
        Mask.MaskType = int16_t(maskType);
        Mask.WL = Mask.WT = Mask.WR = Mask.WB = 3;
    }
};

constexpr uint32_t kBlank = 0xFF123456u;

TBitmap32 Target(int w, int h) {
    TBitmap32 b(w, h);
    const TImageView32 v = b.View();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixel32(v, x, y, kBlank);
    return b;
}

uint32_t Px(TBitmap32& b, int x, int y) { return GetPixel32(b.View(), x, y); }

TEST(SkinMaskPaint, CutBorders) {
    struct Case {
        int length, first, second, left, right;
    } cases[] = {
        {10, 6, 7, 5, 5},  // excess 3, half 1, the odd pixel off the second
        {13, 6, 7, 6, 7},  // fits
        {20, 3, 3, 3, 3},
        {2, 3, 3, 1, 1},   // excess 4: each gives up 2
        {3, 3, 3, 2, 1},   // excess 3: the second also gives up the odd pixel
        {4, 0, 10, 0, 4},  // the first cannot give up its half: the second never reaches past the start
        {0, 1, 0, 1, 0},
    };
    for (const Case& c : cases) {
        const auto [l, r] = CutBorders(c.length, c.first, c.second);
        EXPECT_EQ(l, c.left) << c.length << " " << c.first << " " << c.second;
        EXPECT_EQ(r, c.right) << c.length << " " << c.first << " " << c.second;
    }
}

TEST(SkinMaskPaint, NineGridPiecesStatesAndFlags) {
    TFixture f;
    f.Mask.DrawFlags = kMaskPaintCentre;
    TBitmap32 b = Target(20, 16);
    DrawMaskNineGrid(b.View(), {0, 0, 20, 16}, skNoBackground, false, 5, f.Mask, f.Skin);  // state 5 of 3: frame 2
    EXPECT_EQ(Px(b, 0, 0), PieceColor(2, 0, 0));
    EXPECT_EQ(Px(b, 19, 0), PieceColor(2, 9, 0));
    EXPECT_EQ(Px(b, 0, 15), PieceColor(2, 0, 9));
    EXPECT_EQ(Px(b, 19, 15), PieceColor(2, 9, 9));
    // Top edge: tiles of the 4-pixel middle, the last one cut and taken from the middle's start.
    for (int x = 3; x < 17; ++x) EXPECT_EQ(Px(b, x, 0), PieceColor(2, 3 + (x - 3) % 4, 0)) << x;
    // Left edge and centre tile the same way downward.
    for (int y = 3; y < 13; ++y) EXPECT_EQ(Px(b, 1, y), PieceColor(2, 1, 3 + (y - 3) % 4)) << y;
    EXPECT_EQ(Px(b, 12, 9), PieceColor(2, 3 + 9 % 4, 3 + 6 % 4));

    // Without the centre flag the centre keeps what it held.
    f.Mask.DrawFlags = 0;
    b = Target(20, 16);
    DrawMaskNineGrid(b.View(), {0, 0, 20, 16}, skNoBackground, false, 1, f.Mask, f.Skin);
    EXPECT_EQ(Px(b, 10, 8), kBlank);
    EXPECT_EQ(Px(b, 0, 0), PieceColor(1, 0, 0));

    // No normal image: state 0 paints nothing, state 1 paints.
    f.Mask.DrawFlags = kMaskNoNormalImage;
    b = Target(20, 16);
    DrawMaskNineGrid(b.View(), {0, 0, 20, 16}, skNoBackground, false, 0, f.Mask, f.Skin);
    EXPECT_EQ(Px(b, 0, 0), kBlank);
    DrawMaskNineGrid(b.View(), {0, 0, 20, 16}, skNoBackground, false, 1, f.Mask, f.Skin);
    EXPECT_EQ(Px(b, 0, 0), PieceColor(1, 0, 0));

    // Too small: nothing.
    b = Target(20, 16);
    DrawMaskNineGrid(b.View(), {0, 0, 1, 16}, skNoBackground, false, 1, f.Mask, f.Skin);
    EXPECT_EQ(Px(b, 0, 0), kBlank);
}

TEST(SkinMaskPaint, CutBordersInANarrowRectangleAndStretchedEdges) {
    TFixture f;
    f.Mask.WL = 6, f.Mask.WR = 3;  // in 7 pixels: excess 2, left 5, right 2
    TBitmap32 b = Target(7, 10);
    DrawMaskNineGrid(b.View(), {0, 0, 7, 10}, skNoBackground, false, 0, f.Mask, f.Skin);
    EXPECT_EQ(Px(b, 4, 0), PieceColor(0, 4, 0));  // the left corner, 5 wide
    EXPECT_EQ(Px(b, 5, 0), PieceColor(0, 8, 0));  // the right corner's last 2 columns
    EXPECT_EQ(Px(b, 6, 0), PieceColor(0, 9, 0));

    TFixture s;
    s.Mask.DrawFlags = kMaskStretch;
    b = Target(14, 10);  // top middle: 8 pixels from 4
    DrawMaskNineGrid(b.View(), {0, 0, 14, 10}, skNoBackground, false, 0, s.Mask, s.Skin);
    for (int x = 3; x < 11; ++x) EXPECT_EQ(Px(b, x, 0), PieceColor(0, 3 + (x - 3) / 2, 0)) << x;
}

TEST(SkinMaskPaint, EmptyMiddleAndMasksOutsideTheirImage) {
    TFixture f;
    f.Mask.WL = f.Mask.WR = 5;  // no middle columns
    TBitmap32 b = Target(20, 12);
    DrawMaskNineGrid(b.View(), {0, 0, 20, 12}, skNoBackground, false, 0, f.Mask, f.Skin);
    EXPECT_EQ(Px(b, 10, 0), kBlank);  // no top edge tiles
    EXPECT_EQ(Px(b, 0, 0), PieceColor(0, 0, 0));

    // A rectangle reaching past the image, and a target rectangle past the target: clipped.
    f.Mask.R = {25, 5, 55, 40};
    b = Target(8, 8);
    DrawMaskNineGrid(b.View(), {-5, -5, 30, 30}, skNoBackground, false, 2, f.Mask, f.Skin);
    DrawMaskState(b.View(), {-3, 2}, 2, skNoBackground, f.Mask, 1, f.Skin);
}

TEST(SkinMaskPaint, AlphaPartBlendsByItsChannels) {
    TFixture f(1, 1);
    const TImageView32 v = f.Mask.Bmp->View();
    SetPixel32(v, 0, 10, 0xFF808080u);  // half alpha at the top-left corner pixel
    SetPixel32(v, 1, 10, 0xFFFFFFFFu);  // white: the target stays
    TBitmap32 b = Target(10, 10);
    DrawMaskNineGrid(b.View(), {0, 0, 10, 10}, skNoBackground, false, 0, f.Mask, f.Skin);
    const uint32_t s = PieceColor(0, 0, 0), t = kBlank;
    auto channel = [](uint32_t p, int c) { return int(p >> (8 * c)) & 255; };
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(channel(Px(b, 0, 0), c), ((channel(t, c) - channel(s, c)) * 0x80 + channel(s, c) * 256) >> 8) << c;
        EXPECT_EQ(channel(Px(b, 1, 0), c), ((channel(t, c) - channel(PieceColor(0, 1, 0), c)) * 255 +
                                            channel(PieceColor(0, 1, 0), c) * 256) >> 8) << c;
    }
    EXPECT_EQ(Px(b, 2, 0), PieceColor(0, 2, 0));  // black alpha: the source
}

TEST(SkinMaskPaint, NineGridAlphaBuildsTheTargetsAlpha) {
    TFixture f(1, 1);
    const TImageView32 v = f.Mask.Bmp->View();
    for (int y = 10; y < 20; ++y)
        for (int x = 0; x < 10; ++x) SetPixel32(v, x, y, 0xFF400000u);  // red 0x40 in the alpha part: m = 64
    SetPixel32(v, 1, 0, 0xFFFF00FFu);  // a key pixel in the top-left corner
    SetPixel32(v, 4, 0, 0xFFFF00FFu);  // and one in the top edge
    auto channel = [](uint32_t p, int c) { return int(p >> (8 * c)) & 255; };
    // The target's alpha before -> after (m = 64: cover 191).
    const struct {
        uint8_t before, after;
    } alphas[] = {{0, 191}, {16, 191}, {240, 240}, {255, 255}};
    for (const auto& a : alphas) {
        TBitmap32 b(10, 10);
        FillRect32(b.View(), {0, 0, 10, 10}, 0x000000, a.before);
        DrawMaskNineGridAlpha(b.View(), {0, 0, 10, 10}, skNoBackground, 0, f.Mask, f.Skin);
        const uint32_t p = Px(b, 2, 2);
        for (int c = 0; c < 3; ++c) EXPECT_EQ(channel(p, c), (channel(PieceColor(0, 2, 2), c) * (255 - 64)) >> 8) << c;
        EXPECT_EQ(channel(p, 3), a.after) << int(a.before);
        // Key pixels without a Ready background become fully transparent, corner and edge alike.
        EXPECT_EQ(channel(Px(b, 1, 0), 3), 0);
        EXPECT_EQ(channel(Px(b, 4, 0), 3), 0);
    }
    // A Ready background fills the corner's key pixel; the edge's key pixel has none given.
    TBitmap32 parent = Target(12, 12);
    SetPixel32(parent.View(), 3, 2, 0x80ABCDEFu);
    TBitmap32 b(10, 10);
    DrawMaskNineGridAlpha(b.View(), {0, 0, 10, 10}, MakeBgCacheRefFromBitmap(parent.View(), 2, 2), 0, f.Mask, f.Skin);
    EXPECT_EQ(Px(b, 1, 0), 0x80ABCDEFu);
    EXPECT_EQ(channel(Px(b, 4, 0), 3), 0);
}

TEST(SkinMaskPaint, LayeredNineGridWeighsByOpacityAndLimitsTheBorders) {
    TFixture f(1, 1);
    const TImageView32 v = f.Mask.Bmp->View();
    for (int y = 10; y < 20; ++y)
        for (int x = 0; x < 10; ++x) SetPixel32(v, x, y, 0xFF400000u);  // m = 64 everywhere
    auto channel = [](uint32_t p, int c) { return int(p >> (8 * c)) & 255; };
    // The source weighs opacity * (255 - m) >> 8; the alpha grows to 255 - m as in the alpha draw.
    for (const int opacity : {255, 128, 0}) {
        TBitmap32 b(10, 10);
        FillRect32(b.View(), {0, 0, 10, 10}, 0x000000, 0);
        DrawMaskNineGridLayered(b.View(), {0, 0, 10, 10}, skNoBackground, opacity, {3, 3, 3, 3}, 0, f.Mask, f.Skin);
        const int u = (opacity * (255 - 64)) >> 8;
        const uint32_t p = Px(b, 1, 1), s = PieceColor(0, 1, 1);
        for (int c = 0; c < 3; ++c) EXPECT_EQ(channel(p, c), (channel(s, c) * u) >> 8) << opacity << " " << c;
        EXPECT_EQ(channel(p, 3), 191) << opacity;
    }
    // Borders limited to 1 pixel: the outer pixel of each border, the middle part further in.
    TBitmap32 b(10, 10);
    FillRect32(b.View(), {0, 0, 10, 10}, 0x000000, 0);
    DrawMaskNineGridLayered(b.View(), {0, 0, 10, 10}, skNoBackground, 255, {1, 1, 1, 1}, 0, f.Mask, f.Skin);
    const int u = (255 * (255 - 64)) >> 8;
    auto drawn = [&](int sx, int sy) {
        const uint32_t s = PieceColor(0, sx, sy);
        return uint32_t((channel(s, 0) * u) >> 8) | uint32_t((channel(s, 1) * u) >> 8) << 8 |
               uint32_t((channel(s, 2) * u) >> 8) << 16 | 191u << 24;
    };
    EXPECT_EQ(Px(b, 0, 0), drawn(0, 0));  // the corner's outer pixel
    EXPECT_EQ(Px(b, 9, 9), drawn(9, 9));
    EXPECT_EQ(Px(b, 1, 0), drawn(3, 0));  // the top edge starts right after the 1-pixel corner
    EXPECT_EQ(Px(b, 0, 1), drawn(0, 3));
    EXPECT_EQ(Px(b, 9, 5), drawn(9, 3));  // the right edge: its outer column, a second tile from y 5
}

TEST(SkinMaskPaint, StretchedAlphaPiecesAreScaledApart) {
    TFixture f(1, 1);
    f.Mask.DrawFlags = kMaskStretch | kMaskPaintCentre;
    const TImageView32 v = f.Mask.Bmp->View();
    for (int y = 3; y < 7; ++y)
        for (int x = 3; x < 7; ++x) SetPixel32(v, x, y, 0xFF000000u | uint32_t((x - 3 + (y - 3) * 4) * 17) << 8);
    TBitmap32 b = Target(20, 20);
    DrawMaskNineGrid(b.View(), {0, 0, 20, 20}, skNoBackground, false, 0, f.Mask, f.Skin);
    auto green = [&](int x, int y) { return int(Px(b, x, y) >> 8 & 255); };
    // The centre is resampled: values between the source's 16 appear.
    std::set<int> centre, top;
    for (int y = 3; y < 17; ++y)
        for (int x = 3; x < 17; ++x) centre.insert(green(x, y));
    EXPECT_GT(centre.size(), 16u);
    // A top edge that only grows takes the nearest pixel: the source's 4 values only.
    for (int y = 0; y < 3; ++y)
        for (int x = 3; x < 17; ++x) top.insert(green(x, y));
    EXPECT_EQ(top, (std::set<int>{0, 1, 2, 3}));

    // Keeping alpha, a stretched piece blends by min(alpha part, target alpha) and raises the alpha.
    for (int y = 10; y < 20; ++y)
        for (int x = 0; x < 10; ++x) SetPixel32(v, x, y, x == 5 ? 0xFFFFFFFFu : 0xFF400000u);  // m 64; column 5 white
    TBitmap32 a(20, 20);
    FillRect32(a.View(), {0, 0, 20, 20}, 0x000000, 128);
    DrawMaskNineGridAlpha(a.View(), {0, 0, 20, 20}, skNoBackground, 0, f.Mask, f.Skin);
    const uint32_t s = PieceColor(0, 3, 0);
    for (int c = 0; c < 3; ++c) EXPECT_EQ(int(Px(a, 3, 0) >> (8 * c) & 255), (191 * int(s >> (8 * c) & 255)) >> 8) << c;
    EXPECT_EQ(Px(a, 3, 0) >> 24, 191u);
    // White in the alpha part leaves the target (source column 5 lands on columns 10 to 13 here).
    EXPECT_EQ(Px(a, 11, 0), 0x80000000u);
}

TEST(SkinMaskPaint, StateFramesKeyedAndFaded) {
    TFixture f;
    SetPixel32(f.Mask.Bmp->View(), 10, 0, skKeyColor);  // frame 1's top-left pixel is the key
    TBitmap32 b = Target(12, 12);
    DrawMaskState(b.View(), {2, 2}, 1, skNoBackground, f.Mask, 1, f.Skin);
    EXPECT_EQ(Px(b, 2, 2) & 0xFFFFFF, 0xFF00FFu);  // the key shows the background's fill colour
    EXPECT_EQ(Px(b, 3, 2), PieceColor(1, 1, 0) | 0xFF000000u);
    EXPECT_EQ(Px(b, 11, 11), PieceColor(1, 9, 9) | 0xFF000000u);

    b = Target(12, 12);
    DrawMaskState(b.View(), {0, 0}, 0, skNoBackground, f.Mask, 0, f.Skin);  // faded: about half
    const uint32_t s = PieceColor(0, 1, 1);
    EXPECT_EQ(Px(b, 1, 1) & 0xFF, ((255 - 127) * (s & 0xFF) + 127 * 0x56) >> 8);
}

TEST(SkinMaskPaint, KeyedCornersTakeTheBackground) {
    TFixture f;
    SetPixel32(f.Mask.Bmp->View(), 9, 9, skKeyColor);  // bottom-right corner's last pixel
    TBitmap32 bg(4, 4), b = Target(3, 3);
    SetPixel32(bg.View(), 3, 3, 0xFFABCDEFu);
    FillKeyedFromBackground(b.View(), bg.View(), {0, 0, 3, 3}, ckBottomRight, &f.Mask, &f.Skin, {1, 1});
    EXPECT_EQ(Px(b, 2, 2), 0xFFABCDEFu);
    EXPECT_EQ(Px(b, 1, 1), kBlank);

    SetPixel32(b.View(), 0, 0, 0xFFFF00FFu);
    FillKeyedFromBackground(b.View(), bg.View(), {0, 0, 3, 3}, ckTopLeft, nullptr, nullptr, {3, 3});
    EXPECT_EQ(Px(b, 0, 0), 0xFFABCDEFu);
    EXPECT_EQ(Px(b, 1, 1), kBlank & 0xFFFFFF);  // alpha cleared
}

TEST(SkinMaskPaint, OnlyTheChosenCornersArePaintedTheirKeysTakingTheBackground) {
    TFixture f;
    SetPixel32(f.Mask.Bmp->View(), 10 + 0, 0, skKeyColor);  // frame 1's top-left pixel is the key
    TBitmap32 bg(20, 16);
    SetPixel32(bg.View(), 0, 0, 0xFFABCDEFu);
    const TSkBgCacheRef background = MakeBgCacheRefFromBitmap(bg.View(), 0, 0);
    struct Case {
        const char* name;
        int corners;
        bool topLeft, bottomLeft, topRight, bottomRight;
    };
    for (const Case& c : {Case{"top left", cbTopLeft, true, false, false, false},
                          Case{"bottom left", cbBottomLeft, false, true, false, false},
                          Case{"top right", cbTopRight, false, false, true, false},
                          Case{"bottom right", cbBottomRight, false, false, false, true},
                          Case{"all", cbAllCorners, true, true, true, true},
                          Case{"none", 0, false, false, false, false}}) {
        TBitmap32 b = Target(20, 16);
        DrawMaskCorners(b.View(), {0, 0, 20, 16}, background, 1, c.corners, f.Mask, f.Skin);
        auto painted = [&](int x, int y, int mx, int my) { return Px(b, x, y) == (PieceColor(1, mx, my) | 0xFF000000u); };
        EXPECT_EQ(painted(1, 1, 1, 1), c.topLeft) << c.name;
        EXPECT_EQ(painted(1, 14, 1, 8), c.bottomLeft) << c.name;
        EXPECT_EQ(painted(18, 1, 8, 1), c.topRight) << c.name;
        EXPECT_EQ(painted(18, 14, 8, 8), c.bottomRight) << c.name;
        EXPECT_EQ(Px(b, 0, 0), c.topLeft ? 0xFFABCDEFu : kBlank) << c.name;  // the key shows the background
        EXPECT_EQ(Px(b, 10, 8), kBlank) << c.name;                             // edges and centre stay
        EXPECT_EQ(Px(b, 10, 0), kBlank) << c.name;
    }
}

TEST(SkinMaskPaint, DisabledLook) {
    TBitmap32 b(2, 1);
    SetPixel32(b.View(), 0, 0, 0xFF0000C8u);  // blue 200
    SetPixel32(b.View(), 1, 0, skKeyColor);  // key: not greyed
    TSkBgCacheRef bg;
    bg.FillColor = 0xFF00FF;  // unknown: the control's colour stands in
    ApplyDisabledEffects(b.View(), kDisabledFade, {0, 0}, bg, 0x000000);
    EXPECT_EQ(Px(b, 0, 0) & 0xFF, (200u * 100) >> 8);

    SetPixel32(b.View(), 0, 0, 0xFF0000C8u);
    SetPixel32(b.View(), 1, 0, skKeyColor);
    ApplyDisabledEffects(b.View(), kDisabledGrey, {0, 0}, skNoBackground, 0);
    const uint32_t greyed = Px(b, 0, 0);
    EXPECT_NE(greyed, 0xFF0000C8u);
    EXPECT_EQ(Px(b, 1, 0), skKeyColor);
}

}  // namespace
}  // namespace ad::skin
