// Tests of the grid's drawing helpers: colour arithmetic, geometry, schemes,
// and the routines' calls on a recording canvas.
#include "grid/DrawRoutines.h"

#include <gtest/gtest.h>

#include "grid/RecordingCanvas.h"
#include "grid/GridTestSupport.h"

namespace ad::grid {
namespace {

constexpr TColor White = 0xFFFFFF, Black = 0, Red = 0x0000FF, Blue = 0xFF0000;

TEST(DrawRoutinesTest, BlendColorsTable) {
    struct Case {
        TColor c1, c2;
        int alpha;
        TColor expected;
    } cases[] = {
        {White, Black, 255, RGBColor(254, 254, 254)},  // div 256, not 255
        {White, Black, 0, Black},
        {Black, White, 0, RGBColor(254, 254, 254)},
        {RGBColor(200, 100, 50), RGBColor(0, 255, 255), 128, RGBColor(100, 176, 151)},
        {White, White, 255, RGBColor(254, 254, 254)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BlendColors(c.c1, c.c2, c.alpha), c.expected) << std::hex << c.c1 << " " << c.c2 << " " << c.alpha;
    for (int bad : {256, 1000, -1}) EXPECT_THROW(BlendColors(White, Black, bad), EAssertionFailed) << bad;
}

TEST(DrawRoutinesTest, MixColorsRoundsHalfToEvenAndLimits) {
    EXPECT_EQ(MixColors(Red, Blue, 0.5), RGBColor(128, 0, 128));  // 127.5 -> 128
    EXPECT_EQ(MixColors(Black, RGBColor(253, 0, 0), 0.5), RGBColor(126, 0, 0));  // 126.5 -> 126
    EXPECT_EQ(MixColors(Red, Blue, 0.0), Red);
    EXPECT_EQ(MixColors(Red, Blue, 1.0), Blue);
    // Fractions outside 0..1 never spill into a neighbouring channel.
    EXPECT_EQ(MixColors(RGBColor(0, 0, 0), RGBColor(200, 200, 200), 2.0), RGBColor(255, 255, 255));
    EXPECT_EQ(MixColors(RGBColor(0, 0, 0), RGBColor(200, 200, 200), -1.0), RGBColor(0, 0, 0));
    // A system colour is resolved before the arithmetic.
    EXPECT_EQ(MixColors(clBtnFace, clBtnFace, 0.3), ColorToRGBValue(clBtnFace));
}

TEST(DrawRoutinesTest, BlendChannelTable) {
    struct Case {
        int src, dst, alpha, expected;
    } cases[] = {{255, 0, 255, 255}, {255, 0, 0, 0}, {0, 200, 0, 200}, {200, 100, 128, 150}, {255, 255, 128, 255}};
    for (const Case& c : cases) EXPECT_EQ(BlendChannel(c.src, c.dst, c.alpha), c.expected) << c.src << " " << c.dst;
}

TEST(DrawRoutinesTest, Geometry) {
    TPoint p;
    TCalcProvider::PosInRect(10, 4, p, 2, 2, TRect{0, 0, 21, 9}, 3);
    EXPECT_EQ(p, (TPoint{5, 2}));  // 21 div 2 - 5, 9 div 2 - 2
    TCalcProvider::PosInRect(10, 4, p, 1, 1, TRect{5, 5, 50, 30}, 2);
    EXPECT_EQ(p, (TPoint{38, 24}));
    TCalcProvider::PosInRect(10, 4, p, 0, 0, TRect{5, 6, 50, 30}, 2);
    EXPECT_EQ(p, (TPoint{7, 8}));
    TCalcProvider::PosInRect(10, 4, p, 2, 2, TRect{-21, 0, 0, 1}, 0);
    EXPECT_EQ(p.X, -10 - 5);  // centre -10 (toward zero), minus half the width

    struct Case {
        TRect a, b;
        bool expected;
    } cases[] = {
        {{0, 0, 10, 10}, {10, 0, 20, 10}, true},   // shared edge
        {{0, 0, 10, 10}, {0, 10, 10, 20}, true},
        {{0, 0, 10, 10}, {11, 0, 20, 10}, false},  // one pixel apart
        {{0, 0, 10, 10}, {0, 11, 10, 20}, false},
        {{0, 0, 10, 10}, {-20, -20, -1, -1}, false},
        {{0, 0, 10, 10}, {2, 2, 3, 3}, true},      // contained
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TCalcProvider::RectsIntersect(c.a, c.b), c.expected);
        EXPECT_EQ(TCalcProvider::RectsIntersect(c.b, c.a), c.expected);
    }
    EXPECT_EQ(TCalcProvider::ResizeRect(TRect{1, 2, 3, 4}, -1, 1, 2, -2), (TRect{0, 3, 5, 2}));
    EXPECT_FALSE(TCalcProvider::IsOutsideSquare({13, 7}, {10, 10}, 3));
    EXPECT_TRUE(TCalcProvider::IsOutsideSquare({14, 10}, {10, 10}, 3));
    EXPECT_TRUE(TCalcProvider::IsOutsideSquare({10, 6}, {10, 10}, 3));
    EXPECT_TRUE(IsNoPoint({-1, 5}));
    EXPECT_TRUE(IsNoPoint({5, -1}));
    EXPECT_FALSE(IsNoPoint({0, 0}));
}

TEST(DrawRoutinesTest, SchemeColors) {
    EXPECT_EQ(GetSchemeColor(1, 0), RGBColor(102, 146, 206));  // scheme 0 is scheme 2
    EXPECT_EQ(GetSchemeColor(1, 2), RGBColor(102, 146, 206));
    EXPECT_EQ(GetSchemeColor(1, 1), RGBColor(10, 10, 10));
    EXPECT_EQ(GetSchemeColor(23, 6), RGBColor(120, 119, 151));
    EXPECT_EQ(GetSchemeColor(14, 4), RGBColor(167, 205, 240));
    EXPECT_EQ(GetSchemeColor(1 + 128, 1 + 128), RGBColor(10, 10, 10));  // both modulo 128
    EXPECT_EQ(GetSchemeColor(1, 128), RGBColor(102, 146, 206));         // 128 -> 0 -> default
    EXPECT_EQ(GetSchemeColor(5, 1), RGBColor(251, 140, 60));
    for (int scheme = 0; scheme <= 7; ++scheme) {
        for (int item : {0, 15, 16, 17, 24, 127}) EXPECT_EQ(GetSchemeColor(item, scheme), 0) << item << "/" << scheme;
        if (scheme != 1) {
            EXPECT_EQ(GetSchemeColor(5, scheme), 0) << scheme;
        }
    }
    EXPECT_EQ(GetSchemeColor(1, 7), 0);  // schemes past 6 are empty
}

TEST(DrawRoutinesTest, TextAlignedFlagsAndBrush) {
    TRecordingCanvas canvas(10, 10);
    struct Case {
        int alignment;
        bool rtl;
        unsigned expected;
    } cases[] = {{0, false, tfLeft}, {1, false, tfRight}, {2, false, tfCenter}, {7, true, tfRtlReading}};
    const unsigned always = tfSingleLine | tfVCenter | tfNoPrefix | tfNoClip | tfEndEllipsis;
    for (const Case& c : cases) {
        canvas.Calls.clear();
        DrawTextAligned(canvas, TRect{1, 2, 3, 4}, c.rtl, u"abc", c.alignment);
        ASSERT_EQ(canvas.Calls.size(), 1u);
        EXPECT_EQ(canvas.Calls[0].Flags, always | c.expected) << c.alignment;
        EXPECT_EQ(canvas.Calls[0].Brush, bsClear);
        EXPECT_EQ(canvas.Calls[0].Text, u"abc");
        EXPECT_EQ(canvas.Brush, bsSolid);
    }
    EXPECT_EQ(WideTextWidth(canvas, u"abcd"), 28);
    EXPECT_EQ(WideTextHeight(canvas, u"abcd"), 13);
    EXPECT_EQ(WideCalcTextWidth(canvas, u"ab"), 14);
}

TEST(DrawRoutinesTest, VerticalTextMovesRightPerLine) {
    TRecordingCanvas canvas(10, 10);
    DrawVerticalText(canvas, TRect{0, 0, 20, 100}, u"one\r\ntwo\nthree", true);
    auto calls = canvas.CallsOf("DrawTurnedText");
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0]->Text, u"one");
    EXPECT_EQ(calls[1]->Text, u"two");
    EXPECT_EQ(calls[2]->Text, u"three");
    EXPECT_EQ(calls[1]->Rect, (TRect{13, 0, 33, 100}));
    EXPECT_EQ(calls[2]->Rect, (TRect{26, 0, 46, 100}));
    EXPECT_TRUE(calls[0]->Flags & tfBottom);
    canvas.Calls.clear();
    DrawVerticalText(canvas, TRect{0, 0, 20, 100}, u"one\ntwo", false);  // one call, text as given
    ASSERT_EQ(canvas.CallsOf("DrawTurnedText").size(), 1u);
    EXPECT_EQ(canvas.Calls[0].Text, u"one\ntwo");
}

TEST(DrawRoutinesTest, ButtonFaceAndFocusFrames) {
    for (bool down : {false, true}) {
        TRecordingCanvas canvas(6, 5, 0x123456);
        TGraphicsProvider::DrawButtonFace(canvas, TRect{0, 0, 6, 5}, down);
        TColor face = ColorToRGBValue(clBtnFace), light = ColorToRGBValue(clBtnHighlight);
        TColor dark = ColorToRGBValue(down ? clWindowFrame : clBtnShadow);
        EXPECT_EQ(canvas.Pixel(0, 0), light);
        EXPECT_EQ(canvas.Pixel(4, 0), light);
        EXPECT_EQ(canvas.Pixel(0, 3), light);
        EXPECT_EQ(canvas.Pixel(5, 0), dark);  // the top-right corner belongs to the dark side
        EXPECT_EQ(canvas.Pixel(0, 4), dark);
        EXPECT_EQ(canvas.Pixel(5, 4), dark);
        EXPECT_EQ(canvas.Pixel(2, 2), face);
    }
    TRecordingCanvas canvas(10, 10);
    TGraphicsProvider::DrawFocusFrame(canvas, TRect{1, 1, 5, 5}, true);
    EXPECT_EQ(canvas.Pixel(1, 1), ColorToRGBValue(clHighlight));
    EXPECT_EQ(canvas.Pixel(2, 2), 0xFFFFFF);
    TGraphicsProvider::DrawFocusFrame(canvas, TRect{1, 1, 5, 5}, false);
    EXPECT_EQ(canvas.CallsOf("FocusRect").size(), 1u);
}

TEST(DrawRoutinesTest, VerticalGradientOneLinePerRow) {
    TRecordingCanvas canvas(3, 6);
    TGraphicsProvider::DrawVertGradient(canvas, TRect{0, 1, 3, 5}, Black, RGBColor(200, 100, 0));
    auto fills = canvas.CallsOf("FillRect");
    ASSERT_EQ(fills.size(), 4u);
    EXPECT_EQ(fills[0]->Color, Black);
    EXPECT_EQ(fills[2]->Color, RGBColor(100, 50, 0));  // row 2 of 4: fraction 0.5
    EXPECT_EQ(fills[3]->Rect, (TRect{0, 4, 3, 5}));
    EXPECT_EQ(canvas.Pixel(1, 0), 0xFFFFFF);  // rows outside untouched
    EXPECT_EQ(canvas.Pixel(1, 5), 0xFFFFFF);
    canvas.Calls.clear();
    TGraphicsProvider::DrawVertGradient(canvas, TRect{0, 3, 3, 3}, Black, White);
    TGraphicsProvider::DrawVertGradient(canvas, TRect{0, 3, 3, 1}, Black, White);
    EXPECT_TRUE(canvas.Calls.empty());
}

TEST(DrawRoutinesTest, AlphaImagesBlendOverTheDestination) {
    // 2x1 image: opaque red, half-transparent blue; drawn at (1, 1) over grey.
    TBitmap32 image = gridtest::Image32(2, 1, {0xFFFF0000u, 0x800000FFu});
    const TColor grey = RGBColor(100, 100, 100);
    {
        TRecordingCanvas canvas(4, 3, grey);
        TDrawProvider::DrawGraphic(canvas, 1, 1, image);
        EXPECT_EQ(canvas.Pixel(1, 1), RGBColor(255, 0, 0));
        EXPECT_EQ(canvas.Pixel(2, 1), RGBColor(BlendChannel(0, 100, 128), BlendChannel(0, 100, 128),
                                               BlendChannel(255, 100, 128)));
        EXPECT_EQ(canvas.Pixel(0, 1), grey);
        EXPECT_EQ(canvas.Pixel(3, 1), grey);
    }
    {
        TRecordingCanvas canvas(4, 3, grey);
        TMaskProvider::DrawAlphaGraphic(canvas, 1, 1, image);
        EXPECT_EQ(canvas.Pixel(1, 1), RGBColor(254, 0, 0));  // BlendColors' div 256
        EXPECT_EQ(canvas.Pixel(2, 1), BlendColors(Blue, grey, 128));
    }
    {
        TRecordingCanvas canvas(4, 3, grey);  // partly off the surface: only what is on it changes
        TDrawProvider::DrawGraphic(canvas, 3, 2, gridtest::Image32(2, 2, std::vector<std::uint32_t>(4, 0xFF000000u)));
        EXPECT_EQ(canvas.Pixel(3, 2), Black);
        EXPECT_EQ(canvas.Pixel(2, 2), grey);
    }
    TRecordingCanvas canvas(4, 3, grey);  // empty images (an impossible size gives one) paint nothing
    TDrawProvider::DrawGraphic(canvas, 0, 0, TBitmap32());
    TMaskProvider::DrawAlphaGraphic(canvas, 0, 0, TBitmap32(-1, 2));
    EXPECT_TRUE(canvas.CallsOf("WritePixels").empty());
}

}  // namespace
}  // namespace ad::grid
