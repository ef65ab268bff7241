// Tests of the Windows canvas on a memory DC: end ellipsis inside the
// rectangle, turned text, pixel round trips and alpha images.
#include "grid/GdiCanvas.h"

#include <gtest/gtest.h>

#include "framework/Handles.h"
#include "grid/DrawRoutines.h"
#include "grid/GridTestSupport.h"

namespace ad::grid {
namespace {

// A white 200 x 60 bitmap in a memory DC with the GUI font selected.
class Surface {
public:
    Surface() : dc_(::CreateCompatibleDC(nullptr)), bitmap_(kW, kH) {
        oldBitmap_ = ::SelectObject(dc_.Get(), bitmap_.Get());
        oldFont_ = ::SelectObject(dc_.Get(), ::GetStockObject(DEFAULT_GUI_FONT));
        RECT all{0, 0, kW, kH};
        ::FillRect(dc_.Get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    ~Surface() {
        ::SelectObject(dc_.Get(), oldFont_);
        ::SelectObject(dc_.Get(), oldBitmap_);
    }
    HDC Dc() const { return dc_.Get(); }
    std::uint32_t At(int x, int y) const {
        ::GdiFlush();
        return bitmap_.Row(y)[x] & 0xFFFFFF;
    }
    // Columns [x0, x1) of rows [y0, y1) that are not white.
    int InkIn(int x0, int x1, int y0, int y1) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += At(x, y) != 0xFFFFFF;
        return n;
    }
    static constexpr int kW = 200, kH = 60;

private:
    OwnedMemoryDC dc_;
    DibSection32 bitmap_;
    HGDIOBJ oldBitmap_ = nullptr, oldFont_ = nullptr;
};

TEST(GdiCanvasTest, EllipsisKeepsLongTextInsideTheRectangle) {
    Surface s;
    TGdiCanvas canvas(s.Dc());
    std::u16string text(60, u'W');
    int full = WideTextWidth(canvas, text);
    ASSERT_GT(full, 200);  // unshortened it would run off the bitmap
    for (int align : {0, 1, 2}) {
        Surface t;
        TGdiCanvas c(t.Dc());
        DrawTextAligned(c, TRect{20, 0, 100, 30}, false, text, align);
        EXPECT_GT(t.InkIn(20, 100, 0, 30), 0) << align;
        EXPECT_EQ(t.InkIn(0, 20, 0, Surface::kH), 0) << align;
        // The last dot's ink may reach one pixel past its advance width.
        EXPECT_EQ(t.InkIn(101, Surface::kW, 0, Surface::kH), 0) << align;
        EXPECT_EQ(c.BrushStyle(), bsSolid);
    }
    EXPECT_GE(WideCalcTextWidth(canvas, u"abc"), WideTextWidth(canvas, u"abc"));
    EXPECT_GT(WideTextHeight(canvas, u"abc"), 0);
}

TEST(GdiCanvasTest, TurnedTextLeavesTheOriginalFontSelected) {
    Surface s;
    TGdiCanvas canvas(s.Dc());
    HGDIOBJ before = ::GetCurrentObject(s.Dc(), OBJ_FONT);
    DrawVerticalText(canvas, TRect{10, 0, 40, 58}, u"Turned\nText", true);
    EXPECT_EQ(::GetCurrentObject(s.Dc(), OBJ_FONT), before);
    EXPECT_GT(s.InkIn(0, Surface::kW, 0, Surface::kH), 0);
}

TEST(GdiCanvasTest, PixelsAndAlphaImages) {
    Surface s;
    TGdiCanvas canvas(s.Dc());
    canvas.FillRect(TRect{0, 0, 4, 4}, RGBColor(100, 100, 100));
    std::vector<std::uint32_t> px = canvas.ReadPixels(TRect{2, 2, 6, 3});
    ASSERT_EQ(px.size(), 4u);
    EXPECT_EQ(px[0], 0x646464u);
    EXPECT_EQ(px[3], 0xFFFFFFu);
    TDrawProvider::DrawGraphic(canvas, 1, 1, gridtest::Image32(2, 1, {0xFFFF0000u, 0x800000FFu}));
    EXPECT_EQ(s.At(1, 1), 0xFF0000u);  // opaque red (DIB order 0x00RRGGBB)
    EXPECT_EQ(s.At(2, 1), static_cast<std::uint32_t>((BlendChannel(0, 100, 128) << 16) |
                                                     (BlendChannel(0, 100, 128) << 8) | BlendChannel(255, 100, 128)));
    EXPECT_EQ(s.At(0, 1), 0x646464u);
    // System colours resolve through the system once a canvas exists.
    EXPECT_EQ(ColorToRGBValue(clBtnFace), static_cast<TColor>(::GetSysColor(COLOR_BTNFACE)));
    canvas.FillRect(TRect{10, 10, 12, 12}, clBtnShadow);
    EXPECT_EQ(s.At(10, 10), static_cast<std::uint32_t>(RGBColor(BlueOf(::GetSysColor(COLOR_BTNSHADOW)),
                                                                  GreenOf(::GetSysColor(COLOR_BTNSHADOW)),
                                                                  RedOf(::GetSysColor(COLOR_BTNSHADOW)))));
}

TEST(GdiCanvasTest, ClipToRectLimitsLaterDrawing) {
    Surface s;
    TGdiCanvas canvas(s.Dc());
    canvas.ClipToRect(TRect{5, 5, 10, 10}, true);
    canvas.FillRect(TRect{0, 0, 20, 20}, 0);
    EXPECT_EQ(s.InkIn(0, 20, 0, 20), 25);
    EXPECT_EQ(s.At(5, 5), 0u);
    EXPECT_EQ(s.At(10, 10), 0xFFFFFFu);
    ::SelectClipRgn(s.Dc(), nullptr);
}

}  // namespace
}  // namespace ad::grid
