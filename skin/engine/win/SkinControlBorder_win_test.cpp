// Windows tests of control borders painted through the skin data: the border
// mask in the cache image with the rectangle inside it, the extra frame, the
// frame without a border mask, the last state, regions from key-colour runs
// and re-making a window on a flag change.
#include <gtest/gtest.h>

#include "skin/engine/testkit/SkinDataTestKit.h"
#include "skin/engine/win/SkinDib.h"

namespace ad::skin {
namespace {

using namespace datatest;

uint32_t CachePixel(TSkinTestPanel* p, int x, int y) {
    GdiFlush();
    return GetPixel32(p->Data.CacheImage->View(), x, y) & 0xFFFFFF;
}

TEST(SkinControlBorder, TheBorderMaskGoesIntoTheCacheImageAndGivesTheInnerRectangle) {
    TFormFixture f;
    auto* panel = f.Add(&f.Form, 10, 10, 80, 50, "FRAMED");
    TRect inner;
    PaintControlBorder(nullptr, {0, 0, 80, 50}, 0, inner, 0, panel->Data);
    EXPECT_EQ(inner, (TRect{3, 3, 77, 47}));
    EXPECT_EQ(CachePixel(panel, 1, 1), 0x2050C0u);
    EXPECT_EQ(CachePixel(panel, 78, 48), 0x2050C0u);

    PaintControlBorder(nullptr, {0, 0, 80, 50}, 0, inner, 9, panel->Data);  // beyond the states: the last
    EXPECT_EQ(CachePixel(panel, 1, 1), 0xC03020u);

    // An extra frame of 5 inside: 2 pixels of the section's colour after the 3 of the border.
    PaintControlBorder(nullptr, {0, 0, 80, 50}, 5, inner, 0, panel->Data);
    EXPECT_EQ(inner, (TRect{5, 5, 75, 45}));
    EXPECT_EQ(CachePixel(panel, 3, 20), 0xF0F0F0u);
    EXPECT_EQ(CachePixel(panel, 4, 20), 0xF0F0F0u);
    EXPECT_EQ(CachePixel(panel, 2, 20), 0x2050C0u);

    // The same frame is copied to a DC given.
    TDibSection32 screen(80, 50);
    OwnedMemoryDC dc(CreateCompatibleDC(nullptr));
    SelectObjectScope select(dc.Get(), screen.Handle());
    PaintControlBorder(dc.Get(), {0, 0, 80, 50}, 5, inner, 0, panel->Data);
    GdiFlush();
    EXPECT_EQ(GetPixel32(screen.View(), 1, 1) & 0xFFFFFF, 0x2050C0u);
    EXPECT_EQ(GetPixel32(screen.View(), 4, 20) & 0xFFFFFF, 0xF0F0F0u);
    EXPECT_EQ(GetPixel32(screen.View(), 40, 25) & 0xFFFFFF, 0u);  // the inside is left to the control
}

TEST(SkinControlBorder, WithoutBorderMaskTheExtraFrameGoesIntoTheDCAndTheInsideShrinks) {
    TFormFixture f;
    auto* panel = f.Add(&f.Form, 10, 10, 40, 30, "PANEL");
    TDibSection32 screen(40, 30);
    OwnedMemoryDC dc(CreateCompatibleDC(nullptr));
    SelectObjectScope select(dc.Get(), screen.Handle());
    TRect inner;
    PaintControlBorder(dc.Get(), {0, 0, 40, 30}, 4, inner, 0, panel->Data);
    EXPECT_EQ(inner, (TRect{4, 4, 36, 26}));
    GdiFlush();
    EXPECT_EQ(GetPixel32(screen.View(), 0, 0) & 0xFFFFFF, SwapRedBlue(13158600u));  // the section's colour
    EXPECT_EQ(GetPixel32(screen.View(), 20, 15) & 0xFFFFFF, 0u);
    PaintControlBorder(dc.Get(), {0, 0, 40, 30}, 0, inner, 0, panel->Data);
    EXPECT_EQ(inner, (TRect{0, 0, 40, 30}));
}

TEST(SkinControlBorder, RegionsFromRuns) {
    const std::vector<TRect> runs = {{0, 0, 3, 1}, {5, 0, 6, 1}, {1, 1, 4, 2}};
    OwnedRegion region = RegionFromRuns(runs);
    ASSERT_TRUE(region);
    for (auto [x, y, in] : {std::tuple{0, 0, true}, {2, 0, true}, {3, 0, false}, {5, 0, true}, {0, 1, false},
                            {3, 1, true}, {4, 1, false}, {0, 2, false}})
        EXPECT_EQ(PtInRegion(region.Get(), x, y) != FALSE, in) << x << "," << y;
    RECT box{};
    EXPECT_EQ(GetRgnBox(RegionFromRuns({}).Get(), &box), NULLREGION);
}

TEST(SkinControlBorder, AChangedFlagMakesTheWindowAgain) {
    TFormFixture f;
    auto* panel = f.Add(&f.Form, 10, 10, 40, 30, "PANEL");
    uint8_t flag = 1;
    HWND first = panel->Handle();
    SetFlagAndRecreate(panel, flag, 1);
    EXPECT_EQ(panel->Handle(), first);
    SetFlagAndRecreate(panel, flag, 0);
    EXPECT_EQ(flag, 0);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(SkinDataOfWindow(panel->Handle()), &panel->Data);
}

}  // namespace
}  // namespace ad::skin
