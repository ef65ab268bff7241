// The bitmap button base: where glyph and caption go, and how a glyph strip
// without alpha is keyed.
#include "framework/Buttons.h"

#include <gtest/gtest.h>

#include <cstring>

#include "framework/PrintTestKit.h"

namespace ad {
namespace {

TEST(BitBtnLayout, PlacesGlyphAndCaptionByLayoutMarginAndSpacing) {
    const RECT client{0, 0, 100, 40};
    const SIZE glyph{16, 16}, caption{30, 12};
    struct Case {
        const char* name;
        TButtonLayout layout;
        int margin, spacing;
        POINT glyphAt;
        int captionLeft, captionTop;
    };
    const Case cases[] = {
        // Block 16 + 4 + 30 = 50 wide, centred: starts at 25.
        {"centred, glyph left", TButtonLayout::blGlyphLeft, -1, 4, {25, 12}, 45, 14},
        {"centred, glyph right", TButtonLayout::blGlyphRight, -1, 4, {59, 12}, 25, 14},
        {"margin 5, glyph left", TButtonLayout::blGlyphLeft, 5, 4, {5, 12}, 25, 14},
        // Free space 100 - 46 = 54 spread in thirds: margin 18, spacing 18.
        {"automatic spacing", TButtonLayout::blGlyphLeft, -1, -1, {18, 12}, 52, 14},
        // Vertically: 16 + 4 + 12 = 32 in 40, starts at 4; centred across.
        {"glyph on top", TButtonLayout::blGlyphTop, -1, 4, {42, 4}, 35, 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TBitBtnPlacement p = BitBtnLayout(client, glyph, caption, c.layout, c.margin, c.spacing);
        EXPECT_EQ(p.Glyph.x, c.glyphAt.x);
        EXPECT_EQ(p.Glyph.y, c.glyphAt.y);
        EXPECT_EQ(p.Caption.left, c.captionLeft);
        EXPECT_EQ(p.Caption.top, c.captionTop);
        EXPECT_EQ(p.Caption.right - p.Caption.left, caption.cx);
    }
}

TEST(BitBtnLayout, NoCaptionMeansNoSpacing) {
    const TBitBtnPlacement p = BitBtnLayout({0, 0, 40, 40}, {16, 16}, {0, 0}, TButtonLayout::blGlyphLeft, -1, 4);
    EXPECT_EQ(p.Glyph.x, 12);
}

TEST(BitBtnGlyph, AStripWithoutAlphaIsKeyedByItsBottomLeftPixel) {
    TBitmap32 strip(8, 4);  // two 4 x 4 images: red with a green key, blue
    const TImageView32 v = strip.View();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) {
            const uint32_t px = x < 4 ? 0x00FF0000u : 0x000000FFu;
            std::memcpy(v.Pixel(x, y), &px, 4);
        }
    const uint32_t key = 0x0000FF00u;
    std::memcpy(v.Pixel(0, 3), &key, 4);
    std::memcpy(v.Pixel(3, 0), &key, 4);
    ASSERT_TRUE(GlyphIsKeyed(strip));

    WindowDC screen(nullptr);
    OwnedMemoryDC dc(CreateCompatibleDC(screen.Get()));
    DibSection32 target(4, 4);
    SelectObjectScope select(dc.Get(), target.Get());
    for (size_t i = 0; i < target.PixelCount(); ++i) target.Bits()[i] = 0x00FFFFFFu;
    DrawGlyphImage(dc.Get(), strip, 2, 0, 0, 0);
    GdiFlush();
    EXPECT_EQ(target.Row(1)[1] & 0xFFFFFF, 0xFF0000u);  // the image
    EXPECT_EQ(target.Row(0)[3] & 0xFFFFFF, 0xFFFFFFu);  // a key pixel: left as it was

    const uint32_t opaque = 0x80000000u;  // any alpha: drawn by alpha, no key
    std::memcpy(v.Pixel(5, 0), &opaque, 4);
    EXPECT_FALSE(GlyphIsKeyed(strip));
}

}  // namespace
}  // namespace ad
