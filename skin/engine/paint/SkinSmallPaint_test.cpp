// Tests of the small painting routines: arrow goldens per direction and the
// edge rule, glyph image choice, the glyph strip with a strip of no images,
// reflections too short to fade, cross-fades, smoothing around holes and the
// region runs of a mask's key-coloured corners.
#include "skin/engine/paint/SkinSmallPaint.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ad::skin {
namespace {

constexpr uint32_t kRedPixel = 0xFFFF0000u;  // pixel order, alpha 255

std::vector<std::string> Picture(TBitmap32& bmp) {
    std::vector<std::string> rows;
    for (int y = 0; y < bmp.Height(); ++y) {
        std::string row;
        for (int x = 0; x < bmp.Width(); ++x) row += GetPixel32(bmp.View(), x, y) == kRedPixel ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

TEST(SmallPaint, ArrowsMatchTheirGoldensInEveryDirection) {
    SetArrowWidth(7);
    ASSERT_EQ(ArrowLength(), 4);
    struct Case {
        int Direction;
        std::vector<std::string> Golden;
    } cases[] = {
        {adDown, {"............", "............", "............", "............", "..#######...", "...#####....",
                  "....###.....", ".....#......", "............", "............", "............", "............"}},
        {adUp, {"............", "............", "............", "............", ".....#......", "....###.....",
                "...#####....", "..#######...", "............", "............", "............", "............"}},
        {adLeft, {"............", "............", "............", ".......#....", "......##....", ".....###....",
                  "....####....", ".....###....", "......##....", ".......#....", "............", "............"}},
        {adRight, {"............", "............", "............", "....#.......", "....##......", "....###.....",
                   "....####....", "....###.....", "....##......", "....#.......", "............", "............"}},
    };
    for (const Case& c : cases) {
        TBitmap32 bmp(12, 12);
        DrawArrowTriangle(bmp.View(), clRed, {0, 0, 12, 12}, c.Direction);
        EXPECT_EQ(Picture(bmp), c.Golden) << "direction " << c.Direction;
    }
}

TEST(SmallPaint, AnArrowBoxThatWouldTouchTheEdgeIsNotDrawn) {
    struct Case {
        const char* Name;
        TRect Rect;
        int Direction;
        bool Drawn;
    } cases[] = {
        {"fits", {0, 0, 8, 12}, adDown, true},
        {"right edge", {1, 0, 9, 12}, adDown, false},
        {"left of the bitmap", {-4, 0, 3, 12}, adDown, false},
        {"bottom edge", {0, 5, 8, 13}, adRight, false},
        {"unknown direction", {0, 0, 8, 12}, 4, false},
    };
    for (const Case& c : cases) {
        TBitmap32 bmp(8, 12);
        DrawArrowTriangle(bmp.View(), clRed, c.Rect, c.Direction);
        bool drawn = false;
        for (const std::string& row : Picture(bmp)) drawn |= row.find('#') != std::string::npos;
        EXPECT_EQ(drawn, c.Drawn) << c.Name;
    }
}

TEST(SmallPaint, GlyphImageIndexFollowsKindStateAndOrder) {
    struct Case {
        int Kind;
        bool Enabled;
        int State, Count;
        bool StdOrder, FourBit;
        int Index;
    } cases[] = {
        {0, true, 1, 4, false, false, 0},  {1, false, 0, 4, false, false, 0}, {1, true, 0, 4, false, false, 1},
        {1, true, 0, 4, true, false, 0},   {1, true, 0, 4, false, true, 0},   {2, true, 0, 4, false, false, 2},
        {2, true, 1, 4, false, false, 3},  {2, true, 2, 4, false, false, 1},  {2, true, 2, 4, true, false, 0},
        {3, true, 0, 3, false, false, 2},  {3, true, 0, 2, false, false, 0},  {2, true, 0, 1, false, false, 0},
        {5, true, 0, 4, false, false, -1}, {1, true, 0, 0, false, false, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GlyphImageIndex(c.Kind, c.Enabled, c.State, c.Count, c.StdOrder, c.FourBit), c.Index)
            << "kind " << c.Kind << " state " << c.State << " count " << c.Count;
}

// A strip of count images, image i filled with colour value i + 1 (pixel
// order, opaque) and a key-coloured bottom-left pixel of its own.
TBitmap32 Strip(int count, int w, int h) {
    TBitmap32 strip(w * count, h);
    for (int i = 0; i < count; ++i) {
        FillRect32(strip.View(), {i * w, 0, i * w + w, h}, TColor(0x10 * (i + 1)), 255);
        SetPixel32(strip.View(), i * w, h - 1, 0xFF00FF00u + uint32_t(i));  // each image's own key
    }
    return strip;
}

TEST(SmallPaint, StateGlyphDrawsTheChosenImageKeyedByItsCorner) {
    TBitmap32 strip = Strip(3, 4, 4);
    TBitmap32 target(8, 8);
    FillRect32(target.View(), {0, 0, 8, 8}, clWhite, 255);
    DrawStateGlyph(target.View(), strip.View(), {2, 2, 6, 6}, {.State = 0, .Kind = 2, .ImageCount = 3});
    EXPECT_EQ(GetPixel32(target.View(), 3, 2), GetPixel32(strip.View(), 9, 0));  // image 2
    EXPECT_EQ(GetPixel32(target.View(), 2, 5), 0xFFFFFFFFu);                      // its key pixel left out
    EXPECT_EQ(GetPixel32(target.View(), 1, 1), 0xFFFFFFFFu);
}

TEST(SmallPaint, StateGlyphWithNoImageCountTakesTheWholeStrip) {
    TBitmap32 strip = Strip(1, 4, 4);
    TBitmap32 target(8, 8);
    DrawStateGlyph(target.View(), strip.View(), {0, 0, 4, 4}, {.Kind = 2, .ImageCount = 0});
    EXPECT_EQ(GetPixel32(target.View(), 3, 3), GetPixel32(strip.View(), 3, 3));
}

TEST(SmallPaint, ReflectionTooShortToFadeDrawsNothing) {
    TBitmap32 source(4, 2), target(4, 10);
    FillRect32(source.View(), {0, 0, 4, 2}, clWhite, 255);
    DrawKeyedReflection(target.View(), source.View(), {0, 0, 4, 2}, 0, skKeyColor, {0, 0, 4, 2});  // N = 0
    DrawKeyedReflection(target.View(), source.View(), {0, 0, 4, 9}, 0, skKeyColor, {0, 0, 4, 2});  // no room below
    for (int y = 0; y < 10; ++y) EXPECT_EQ(GetPixel32(target.View(), 0, y), 0u) << y;

    TBitmap32 tall(4, 6);
    FillRect32(tall.View(), {0, 0, 4, 6}, clWhite, 255);
    DrawKeyedReflection(target.View(), tall.View(), {0, 0, 4, 2}, 0, skKeyColor, {0, 0, 4, 6});  // N = 3
    const uint8_t first = target.View().Pixel(0, 2)[0], second = target.View().Pixel(0, 3)[0];
    EXPECT_GT(first, second);  // fades downward
    EXPECT_GT(second, 0);
    EXPECT_EQ(target.View().Pixel(0, 5)[0], 0);  // the last row has weight 0
}

TEST(SmallPaint, CrossFadeLevelsAndMask) {
    TBitmap32 from(2, 1), to(2, 1), result(2, 1), mask(2, 1);
    SetPixel32(from.View(), 0, 0, 0x00000000u);
    SetPixel32(from.View(), 1, 0, 0xC8C8C8C8u);
    SetPixel32(to.View(), 0, 0, 0xC8C8C8C8u);
    SetPixel32(to.View(), 1, 0, 0x00000000u);
    CrossFadeBitmaps(result.View(), from.View(), to.View(), 0);
    EXPECT_EQ(GetPixel32(result.View(), 0, 0), 0xC8C8C8C8u);  // level 0: to
    EXPECT_EQ(GetPixel32(result.View(), 1, 0), 0u);
    CrossFadeBitmaps(result.View(), from.View(), to.View(), 255);
    EXPECT_EQ(GetPixel32(result.View(), 0, 0), 0u);           // almost from
    EXPECT_EQ(GetPixel32(result.View(), 1, 0), 0xC7C7C7C7u);
    SetPixel32(mask.View(), 0, 0, 0x80808080u);
    SetPixel32(mask.View(), 1, 0, 0x00000000u);
    const TImageView32 maskView = mask.View();
    CrossFadeBitmaps(result.View(), from.View(), to.View(), 0, &maskView);
    EXPECT_EQ(GetPixel32(result.View(), 0, 0), 0x64646464u);  // half of each
    EXPECT_EQ(GetPixel32(result.View(), 1, 0), 0u);           // mask 0: to
    TBitmap32 other(3, 1);
    SetPixel32(result.View(), 0, 0, 7);
    CrossFadeBitmaps(result.View(), from.View(), other.View(), 0);  // sizes differ: nothing
    EXPECT_EQ(GetPixel32(result.View(), 0, 0), 7u);
}

TEST(SmallPaint, SmoothingKeepsSolidAreasAndDoesNotSpreadIntoHoles) {
    TBitmap32 bmp(5, 1);
    SetPixel32(bmp.View(), 2, 0, 0xFF5A5A5Au);  // one opaque grey 90 between holes
    SmoothBitmap32(bmp.View());
    const uint8_t* centre = bmp.View().Pixel(2, 0);
    EXPECT_EQ(centre[0], 90);
    EXPECT_EQ(centre[3], 255);
    EXPECT_LT(bmp.View().Pixel(1, 0)[3], 255);  // neighbours take a third, not the whole
    EXPECT_GT(bmp.View().Pixel(1, 0)[3], 0);
    EXPECT_EQ(GetPixel32(bmp.View(), 0, 0), 0u);  // nothing reaches two pixels away

    TBitmap32 solid(4, 4);
    FillRect32(solid.View(), {0, 0, 4, 4}, TColor(0x3C3C3C), 255);
    SmoothBitmap32(solid.View());
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(GetPixel32(solid.View(), x, y), 0xFF3C3C3Cu) << x << "," << y;
}

TEST(SmallPaint, RegionRunsComeFromKeyCornersWithTheRightOnesMirrored) {
    TSkinTables skin;
    TSkinMaskData m;
    m.Bmp = std::make_shared<TBitmap32>(10, 20);
    FillRect32(m.Bmp->View(), {0, 0, 10, 20}, clSilver, 255);
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {8, 0}, {9, 0}, {9, 1}, {0, 9}})
        SetPixel32(m.Bmp->View(), x, y, skKeyColor);
    SetPixel32(m.Bmp->View(), 2, 1, 0xFFFF00FFu);  // fuchsia with alpha is no key
    m.R = {0, 0, 10, 20};
    m.MaskType = 1;  // frame height 10
    m.WL = 3, m.WT = 2, m.WR = 3, m.WB = 2;
    std::vector<TRect> runs;
    CollectMaskRegionRuns(runs, 100, m, false, 0, skin);
    EXPECT_EQ(runs, (std::vector<TRect>{{0, 0, 2, 1}, {98, 0, 100, 1}, {0, 1, 1, 2}, {99, 1, 100, 2}}));
    runs.clear();
    CollectMaskRegionRuns(runs, 100, m, true, 50, skin);
    EXPECT_EQ(runs, (std::vector<TRect>{{0, 51, 1, 52}}));
    runs.clear();
    m.WB = 30;  // more rows than the image has
    CollectMaskRegionRuns(runs, 100, m, true, 0, skin);
    EXPECT_TRUE(runs.empty());
}

TEST(SmallPaint, WordHelpers) {
    EXPECT_EQ(SwapDword(0x11223344u), 0x44332211u);
    uint32_t v[] = {0x01020304u, 0xA0B0C0D0u};
    SwapDwords(v, 2);
    EXPECT_EQ(v[0], 0x04030201u);
    EXPECT_EQ(v[1], 0xD0C0B0A0u);
    int32_t ints[4] = {};
    FillInts(ints, 3, -5);
    EXPECT_EQ(ints[2], -5);
    EXPECT_EQ(ints[3], 0);
}

}  // namespace
}  // namespace ad::skin
