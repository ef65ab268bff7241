// Windows tests of a control's look painted from its skin data: the section
// body with and without the control's own colour, the body with corners and
// border for a state, a parent whose background is not ready, and border
// corners repainted into the cache alone.
#include "skin/engine/win/SkinDataPaint.h"

#include <gtest/gtest.h>

#include "skin/engine/testkit/SkinDataTestKit.h"
#include "skin/engine/win/SkinCacheImage.h"
#include "skin/engine/win/SkinDib.h"

namespace ad::skin {
namespace {

using namespace datatest;

uint32_t RGBAt(const TImageView32& v, int x, int y) {
    GdiFlush();
    return GetPixel32(v, x, y) & 0xFFFFFF;
}

// A container whose background is never ready.
class TNotReadyPanel : public TPanel {
public:
    using TPanel::TPanel;
    void WndProc(TMessage& m) override {
        if (m.Msg == SKM_SKINCMD && SkinCommandOf(m.WParam) == SKC_GETPARENTBG) {
            reinterpret_cast<TSkParentBgRequest*>(m.LParam)->Kind = pbNotReady;
            return;
        }
        TPanel::WndProc(m);
    }
};

TEST(SkinDataPaint, TheBodyTakesTheControlsOwnColourOnlyWithCustomColour) {
    TFormFixture f;
    auto* panel = f.Add(&f.Form, 10, 10, 40, 30, "PANEL");
    panel->SetColor(clRed);
    TDibSection32 bitmap(40, 30);
    PaintDataSectionBody(panel->Data, skNoBackground, 0, bitmap.View(), {0, 0}, {0, 0, 40, 30});
    EXPECT_EQ(RGBAt(bitmap.View(), 20, 15), SwapRedBlue(13158600u));
    panel->Data.SetCustomColor(true);
    PaintDataSectionBody(panel->Data, skNoBackground, 0, bitmap.View(), {0, 0}, {0, 0, 40, 30});
    EXPECT_EQ(RGBAt(bitmap.View(), 20, 15), 0xFF0000u);
    PaintDataSectionBody(panel->Data, skNoBackground, 0, bitmap.View(), {0, 0}, {50, 50, 60, 60});  // outside: nothing
}

TEST(SkinDataPaint, StateCornersPaintTheBodyAndTheBorderOfTheState) {
    TFormFixture f;
    auto* panel = f.Add(&f.Form, 10, 10, 40, 30, "FRAMED");
    TDibSection32 bitmap(40, 30);
    const TSkBgCacheRef bg = panel->Data.GetParentBgRef();
    struct Case {
        int state;
        uint32_t border;
    };
    for (const Case& c : {Case{0, 0x2050C0u}, Case{1, 0x20A040u}, Case{2, 0xC03020u}, Case{7, 0xC03020u}}) {
        PaintStateCorners(panel->Data, bg, true, -1, -1, bitmap.View(), {0, 0}, {0, 0, 40, 30}, c.state);
        EXPECT_EQ(RGBAt(bitmap.View(), 1, 1), c.border) << c.state;
        EXPECT_EQ(RGBAt(bitmap.View(), 38, 28), c.border) << c.state;
    }
    PaintStateCorners(panel->Data, bg, true, -1, -1, bitmap.View(), {0, 0}, {0, 0, 40, 30}, 0);
    EXPECT_EQ(RGBAt(bitmap.View(), 20, 15), 0xF0F0F0u);  // the body of the normal state
    // The data's colour tone goes over everything painted.
    panel->Data.ColorTone = 0x0000FF;
    PaintStateCorners(panel->Data, bg, true, -1, -1, bitmap.View(), {0, 0}, {0, 0, 40, 30}, 0);
    EXPECT_NE(RGBAt(bitmap.View(), 20, 15), 0xF0F0F0u);

    // Over a parent that answers for it; not over one whose background is not ready.
    EXPECT_TRUE(PaintStateCornersWnd(panel->Data, panel, -1, -1, true, bitmap.View(), {0, 0}, {0, 0, 40, 30}, 1));
    auto* waiting = f.Add<TNotReadyPanel>(&f.Form, 100, 10, 80, 60);
    auto* inside = f.Add(waiting, 5, 5, 40, 30, "FRAMED");
    FillRect32(bitmap.View(), {0, 0, 40, 30}, 0x404040, 255);
    EXPECT_FALSE(PaintStateCornersWnd(inside->Data, inside, -1, -1, true, bitmap.View(), {0, 0}, {0, 0, 40, 30}, 1));
    EXPECT_EQ(RGBAt(bitmap.View(), 1, 1), 0x404040u);
}

TEST(SkinDataPaint, BorderCornersAreRepaintedIntoTheCacheAlone) {
    TFormFixture f;
    auto* panel = f.Add(&f.Form, 10, 10, 40, 30, "FRAMED");
    const TImageView32 cache = WhiteCache(panel);
    PaintBorderCorners(panel->Data, 2, cbTopLeft | cbBottomRight);
    EXPECT_EQ(RGBAt(cache, 1, 1), 0xC03020u);
    EXPECT_EQ(RGBAt(cache, 38, 28), 0xC03020u);
    EXPECT_EQ(RGBAt(cache, 38, 1), 0xFFFFFFu);  // top right not chosen
    EXPECT_EQ(RGBAt(cache, 1, 28), 0xFFFFFFu);
    EXPECT_EQ(RGBAt(cache, 20, 1), 0xFFFFFFu);  // edges stay

    // The colour adjustment paints the corners of its state again.
    FillRect32(cache, {0, 0, cache.Width, cache.Height}, 0xFFFFFF, 255);
    panel->Data.ApplyColorAdjust(cache, 1);
    EXPECT_EQ(RGBAt(cache, 38, 1), 0x20A040u);
    FillRect32(cache, {0, 0, cache.Width, cache.Height}, 0xFFFFFF, 255);
    panel->Data.ApplyColorAdjust(cache, -1);
    EXPECT_EQ(RGBAt(cache, 38, 1), 0xFFFFFFu);

    // Without a parent nothing is painted.
    TSkinTestPanel loose(nullptr);
    loose.Data.SetSkinSection("FRAMED");
    loose.SetBounds(0, 0, 20, 20);
    loose.Data.PrepareCacheImage();
    if (loose.Data.CacheImage && !loose.Data.CacheImage->Empty()) {
        FillRect32(loose.Data.CacheImage->View(), {0, 0, 20, 20}, 0xFFFFFF, 255);
        PaintBorderCorners(loose.Data, 2, cbAllCorners);
        EXPECT_EQ(RGBAt(loose.Data.CacheImage->View(), 1, 1), 0xFFFFFFu);
    }
}

}  // namespace
}  // namespace ad::skin
