// Tests of the window-free text rules: outline passes, the box blur of the
// glow mask and its mix, ink into 32-bit pixels, ellipsis cutting with a
// fake measurer, and a table of glyph and caption placements.
#include "skin/engine/paint/SkinTextRules.h"

#include <gtest/gtest.h>

namespace ad::skin {
namespace {

TEST(TextRules, OutlinesGoLeftTopRightBottomThenTheFontColour) {
    TSkinGenState s;
    s.OutlineLeft = 0x000001, s.OutlineRight = 0x000003, s.FontColor = 0x112233;
    TSkinGenState normal;
    normal.FontColor = 0x000000, normal.Color = 0xFFFFFF;
    EXPECT_EQ(SectionTextPasses(&s, &normal, true, 0),
              (std::vector<TTextPass>{{-1, 0, 0x000001}, {1, 0, 0x000003}, {0, 0, 0x112233}}));
    s.OutlineTop = 0x000002, s.OutlineBottom = 0x000004;
    EXPECT_EQ(SectionTextPasses(&s, &normal, true, 0).size(), 5u);
    // Disabled: once, state 0's font colour blended 100/255 toward its face colour.
    EXPECT_EQ(SectionTextPasses(&s, &normal, false, 0), (std::vector<TTextPass>{{0, 0, 0x9A9A9A}}));
    EXPECT_EQ(SectionTextPasses(nullptr, nullptr, false, 0x123456), (std::vector<TTextPass>{{0, 0, clGrayText}}));
    EXPECT_EQ(SectionTextPasses(nullptr, nullptr, true, 0x123456), (std::vector<TTextPass>{{0, 0, 0x123456}}));
}

struct Mask8 {
    int W, H;
    std::vector<uint8_t> Px;
    Mask8(int w, int h) : W(w), H(h), Px(size_t(w * h), 255) {}
    TImageView8 View() { return {Px.data(), W, W, H}; }
    uint8_t& At(int x, int y) { return Px[size_t(y * W + x)]; }
};

TEST(TextRules, BlurIsABoxOfTheTapsAtLeastHalfWeight) {
    struct Case {
        double Radius;
        std::vector<uint8_t> Row;
    } cases[] = {
        {1, {255, 255, 170, 170, 170, 255, 255}},  // offsets -1..1
        {2, {255, 204, 204, 204, 204, 204, 255}},  // offsets -2..2
        {0.5, {255, 255, 255, 0, 255, 255, 255}},  // only the centre: unchanged
        {0, {255, 255, 255, 0, 255, 255, 255}},    // no radius: nothing
    };
    for (const Case& c : cases) {
        Mask8 m(7, 1);
        m.At(3, 0) = 0;
        BlurMask8(m.View(), c.Radius);
        EXPECT_EQ(m.Px, c.Row) << "radius " << c.Radius;
    }
    Mask8 square(5, 5);
    square.At(2, 2) = 0;
    BlurMask8(square.View(), 1);
    EXPECT_EQ(square.At(2, 2), 227);  // 255 - 255 / 9, rounded
    EXPECT_EQ(square.At(1, 1), 227);  // the whole 3 x 3 box
    EXPECT_EQ(square.At(0, 0), 255);
}

TEST(TextRules, GlowMixesTheColourWhereTheMaskIsBelowWhite) {
    TBitmap32 target(3, 1);
    Mask8 m(2, 1);
    m.At(0, 0) = 0;    // full glow
    m.At(1, 0) = 255;  // none
    MixGlowMask(target.View(), m.View(), {1, 0}, clRed);
    EXPECT_EQ(GetPixel32(target.View(), 0, 0), 0u);
    EXPECT_EQ(GetPixel32(target.View(), 1, 0), 0xFEFE0000u);
    EXPECT_EQ(GetPixel32(target.View(), 2, 0), 0u);
    MixGlowMask(target.View(), m.View(), {-5, 7}, clRed);  // wholly outside: nothing, no fault
}

TEST(TextRules, InkBecomesColourAndAlpha) {
    TBitmap32 work(3, 1);
    SetPixel32(work.View(), 0, 0, 0xFF000000u);  // full ink
    SetPixel32(work.View(), 1, 0, 0xFFFFFFFFu);  // white: untouched
    SetPixel32(work.View(), 2, 0, 0x00808080u);  // half ink
    TBitmap32 smooth(3, 1), plain(3, 1);
    InkTextIntoBitmap(smooth.View(), {0, 0}, work.View(), clRed, true);
    EXPECT_EQ(GetPixel32(smooth.View(), 0, 0), 0xFFFE0000u);
    EXPECT_EQ(GetPixel32(smooth.View(), 1, 0), 0u);
    EXPECT_EQ(smooth.View().Pixel(2, 0)[3], 127);  // (0 + 255) >> 1 beats 255 - 128
    InkTextIntoBitmap(plain.View(), {0, 0}, work.View(), clRed, false);
    EXPECT_EQ(GetPixel32(plain.View(), 0, 0), 0xFFFF0000u);
    EXPECT_EQ(GetPixel32(plain.View(), 2, 0), 0xFF7F0000u);
}

TEST(TextRules, EllipsisCutsFromTheEnd) {
    const TTextMeasure tenEach = [](std::string_view s) { return int(s.size()) * 10; };
    struct Case {
        int Width;
        const char* Result;
    } cases[] = {{110, "Hello world"}, {100, "Hello w..."}, {45, "H..."}, {35, ""}, {0, ""}, {-3, ""}};
    for (const Case& c : cases) EXPECT_EQ(EllipsisToWidth("Hello world", c.Width, tenEach), c.Result) << c.Width;
    EXPECT_EQ(EllipsisToWidth("", 10, tenEach), "");
}

TEST(TextRules, GlyphAndCaptionPlacement) {
    const TRect client{0, 0, 100, 40};
    struct Case {
        const char* Name;
        TSize Glyph, Caption;
        int Layout, Margin, Spacing, Flags;
        TPoint GlyphAt;
        TRect Caption_;
        TAlignment Align = taCenter;
        TVerticalAlignment VAlign = taVerticalCenter;
    } cases[] = {
        {"left, automatic", {16, 16}, {30, 10}, glGlyphLeft, -1, -1, 0, {18, 12}, {52, 15, 82, 25}},
        {"right, automatic", {16, 16}, {30, 10}, glGlyphRight, -1, -1, 0, {66, 12}, {18, 15, 48, 25}},
        {"left right-to-left is right", {16, 16}, {30, 10}, glGlyphLeft, -1, -1, kLayoutRightToLeft, {66, 12},
         {18, 15, 48, 25}},
        {"top, given margin and spacing", {16, 16}, {30, 10}, glGlyphTop, 4, 2, 0, {42, 4}, {35, 22, 65, 32}},
        {"bottom, automatic", {16, 16}, {30, 10}, glGlyphBottom, -1, -1, 0, {42, 20}, {35, 6, 65, 16}},
        {"no glyph: caption centred", {0, 0}, {30, 10}, glGlyphLeft, -1, -1, 0, {35, 20}, {35, 15, 65, 25}},
        {"given margin, automatic spacing", {16, 16}, {30, 10}, glGlyphLeft, 5, -1, 0, {5, 12}, {45, 15, 75, 25}},
        // The block of 16 + 4 + 30 = 50 pixels by the alignments.
        {"left aligned block", {16, 16}, {30, 10}, glGlyphLeft, -1, 4, 0, {0, 12}, {20, 15, 50, 25}, taLeftJustify},
        {"right aligned block", {16, 16}, {30, 10}, glGlyphLeft, -1, 4, 0, {50, 12}, {70, 15, 100, 25},
         taRightJustify},
        {"glyph right, left aligned", {16, 16}, {30, 10}, glGlyphRight, -1, 4, 0, {34, 12}, {0, 15, 30, 25},
         taLeftJustify},
        {"right-to-left turns a left alignment right", {16, 16}, {30, 10}, glGlyphLeft, -1, 4, kLayoutRightToLeft,
         {84, 12}, {50, 15, 80, 25}, taLeftJustify},
        {"top aligned across", {16, 16}, {30, 10}, glGlyphLeft, -1, 4, 0, {25, 0}, {45, 0, 75, 10}, taCenter,
         taAlignTop},
        {"bottom aligned across", {16, 16}, {30, 10}, glGlyphLeft, -1, 4, 0, {25, 24}, {45, 30, 75, 40}, taCenter,
         taAlignBottom},
        {"glyph on top, block at the bottom", {16, 16}, {30, 10}, glGlyphTop, -1, 2, 0, {42, 12}, {35, 30, 65, 40},
         taCenter, taAlignBottom},
        {"glyph on top, left aligned across", {16, 16}, {30, 10}, glGlyphTop, 4, 2, 0, {0, 4}, {0, 22, 30, 32},
         taLeftJustify},
    };
    for (const Case& c : cases) {
        const TGlyphTextPlacement p = CalcGlyphTextLayout(client, c.Glyph, c.Caption, c.Layout, c.Margin, c.Spacing, c.Flags,
                                                          c.Align, c.VAlign);
        EXPECT_EQ(p.Glyph, c.GlyphAt) << c.Name;
        EXPECT_EQ(p.Caption, c.Caption_) << c.Name;
    }
}

}  // namespace
}  // namespace ad::skin
