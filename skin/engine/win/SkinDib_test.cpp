// Tests of the Windows side of the pixel core: DIB sections as views, system
// colours, and the four-corner gradient through GradientFill.
#include "skin/engine/win/SkinDib.h"

#include <gtest/gtest.h>

#include <utility>

#include "skin/engine/image/SkinGradients.h"
#include "skin/engine/win/SkinEngineLinks.h"

namespace ad::skin {
namespace {

TEST(SkinDib, BottomUpDibMatchesTopDownView) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 3, 2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    OwnedBitmap bottomUp(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(bottomUp);
    TImageView32 v = ViewOfDib(bottomUp.Get());
    ASSERT_EQ(v.Width, 3);
    ASSERT_EQ(v.Height, 2);
    EXPECT_LT(v.Distance, 0);
    FillRect32(v, {0, 0, 3, 1}, 0x0000FF, 255);  // top row red
    // In memory the top row of a bottom-up DIB comes last.
    EXPECT_EQ(static_cast<uint32_t*>(bits)[3], 0xFFFF0000u);
    EXPECT_EQ(static_cast<uint32_t*>(bits)[0], 0u);
    TDibSection32 topDown(4, 2);
    ASSERT_FALSE(topDown.View().Empty());
    EXPECT_EQ(topDown.View().Distance, 16);
    EXPECT_TRUE(TDibSection32(0, 5).View().Empty());
    OwnedBitmap ddb(CreateBitmap(2, 2, 1, 1, nullptr));
    EXPECT_TRUE(ViewOfDib(ddb.Get()).Empty());
}

TEST(SkinDib, FourCornerGradientAndSystemColours) {
    TSkinEngineLinks links;
    links.Pixels = SystemPixelServices();
    InstallSkinEngineLinks(std::move(links));
    EXPECT_EQ(SkinColorToRGB(TColor(0xFF000005)), GetSysColor(COLOR_WINDOW));
    TDibSection32 dib(20, 20);
    TSkinGradArray a = {{0x0000FF, 0, 0, 2}, {0x00FF00, 0, 0, 2}, {0xFF0000, 0, 0, 2}};
    PaintGradient(dib.View(), {0, 0, 20, 20}, a, 0);
    InstallSkinEngineLinks({});
    // Top-left red; the centre near green; bottom-right (repeating the third) blue.
    uint32_t tl = GetPixel32(dib.View(), 0, 0), c = GetPixel32(dib.View(), 10, 10),
             br = GetPixel32(dib.View(), 19, 19);
    EXPECT_GT((tl >> 16) & 0xFF, 200u);
    EXPECT_GT((c >> 8) & 0xFF, 180u);
    EXPECT_GT(br & 0xFF, 200u);
}

}  // namespace
}  // namespace ad::skin
