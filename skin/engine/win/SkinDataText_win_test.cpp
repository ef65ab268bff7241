// Windows tests of captions drawn through the skin data: the state's font
// colour, outlines when disabled, the control's own colour with a custom
// font, the engraved look unskinned, and no font left behind by underlining.
#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "skin/engine/testkit/SkinDataTestKit.h"
#include "skin/engine/win/SkinDataText.h"
#include "skin/engine/win/SkinDib.h"

namespace ad::skin {
namespace {

using namespace datatest;

constexpr uint32_t kGround = 0x336699;

// The ink colours (pixel order, no alpha) of text drawn on a plain ground.
class TTextTarget {
public:
    TTextTarget() : dib_(120, 40), dc_(CreateCompatibleDC(nullptr)), select_(dc_.Get(), dib_.Handle()) {
        FillRect32(dib_.View(), {0, 0, 120, 40}, TColor(SwapRedBlue(kGround)), 255);
        LOGFONTA lf{};
        lf.lfHeight = -24;
        lf.lfWeight = FW_BOLD;
        lf.lfQuality = NONANTIALIASED_QUALITY;  // exact ink colours
        lstrcpyA(lf.lfFaceName, "Arial");
        font_ = OwnedFont(CreateFontIndirectA(&lf));
        fontSelect_.emplace(dc_.Get(), font_.Get());
    }
    HDC DC() const { return dc_.Get(); }
    std::set<uint32_t> Inks() {
        std::set<uint32_t> inks;
        ForEachInk([&](uint32_t p) { inks.insert(p); });
        return inks;
    }
    int InkCount() {
        int n = 0;
        ForEachInk([&](uint32_t) { ++n; });
        return n;
    }

private:
    template <class F>
    void ForEachInk(F f) {
        GdiFlush();
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 120; ++x)
                if (const uint32_t p = GetPixel32(dib_.View(), x, y) & 0xFFFFFF; p != kGround) f(p);
    }

    TDibSection32 dib_;
    OwnedMemoryDC dc_;
    SelectObjectScope select_;
    OwnedFont font_;
    std::optional<SelectObjectScope> fontSelect_;
};

// A colour in pixel order.
uint32_t Pixel(TColor c) { return SwapRedBlue(uint32_t(ColorToRGB(c))); }

TEST(SkinDataText, TheStatesFontColourAndTheOutlinesWhenDisabled) {
    TFormFixture f;
    auto* panel = f.Add(&f.Form, 10, 10, 60, 40, "TEXT");
    {
        TTextTarget t;
        DrawDataText(t.DC(), "HH", true, false, panel->Data, DT_LEFT | DT_TOP, {4, 4, 120, 40});
        const std::set<uint32_t> inks = t.Inks();
        EXPECT_TRUE(inks.count(Pixel(0x0000FF)));
        EXPECT_FALSE(inks.count(Pixel(0x00FF00)));
    }
    {
        TTextTarget t;
        DrawDataText(t.DC(), "HH", false, false, panel->Data, DT_LEFT | DT_TOP, {4, 4, 120, 40});
        const std::set<uint32_t> inks = t.Inks();
        EXPECT_TRUE(inks.count(Pixel(0x0000FF)));
        EXPECT_TRUE(inks.count(Pixel(0x00FF00)));  // the left outline
    }
    {
        // The control's tone goes into the colour.
        panel->Data.SetHUEOffset(120);
        TTextTarget t;
        DrawDataText(t.DC(), "HH", true, false, panel->Data, DT_LEFT | DT_TOP, {4, 4, 120, 40});
        EXPECT_FALSE(t.Inks().count(Pixel(0x0000FF)));
        panel->Data.SetHUEOffset(0);
    }
    {
        panel->Data.SetCustomFont(true);
        panel->Font().SetColor(0x00AA00);
        TTextTarget t;
        DrawDataText(t.DC(), "HH", false, false, panel->Data, DT_LEFT | DT_TOP, {4, 4, 120, 40});
        const std::set<uint32_t> inks = t.Inks();
        EXPECT_TRUE(inks.count(Pixel(0x00AA00)));
        EXPECT_FALSE(inks.count(Pixel(0x0000FF)));
    }
}

TEST(SkinDataText, AGlowingSectionPutsItsGlowBehindTheTextIntoTheCacheOnly) {
    TFormFixture f;
    auto* panel = f.Add(&f.Form, 10, 10, 120, 40, "GLOWTEXT");
    const TImageView32 cache = WhiteCache(panel);
    TTextTarget t;
    DrawDataText(t.DC(), "HH", true, false, panel->Data, DT_LEFT | DT_TOP, {4, 4, 60, 36});
    GdiFlush();
    int glowing = 0, outside = 0;
    for (int y = 0; y < cache.Height; ++y)
        for (int x = 0; x < cache.Width; ++x) {
            const uint32_t p = GetPixel32(cache, x, y) & 0xFFFFFF;
            if (p == 0xFFFFFF) continue;
            EXPECT_GT((p >> 0) & 0xFF, (p >> 16) & 0xFF) << x << "," << y;  // toward blue (GCOL), not red
            ++glowing;
            if (x < 4 || x >= 60 || y < 4 || y >= 36) ++outside;
        }
    EXPECT_GT(glowing, 0);
    EXPECT_EQ(outside, 0);  // clipped to the rectangle
    EXPECT_TRUE(t.Inks().count(Pixel(0x000000)));  // the text itself goes to the DC

    // A section without glow leaves the cache alone.
    auto* plain = f.Add(&f.Form, 10, 60, 120, 40, "TEXT");
    const TImageView32 plainCache = WhiteCache(plain);
    DrawDataText(t.DC(), "HH", true, false, plain->Data, DT_LEFT | DT_TOP, {4, 4, 60, 36});
    GdiFlush();
    EXPECT_EQ(GetPixel32(plainCache, 10, 15) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(SkinDataText, UnskinnedDisabledTextIsEngraved) {
    TFormFixture f;
    auto* panel = f.Add(&f.Form, 10, 10, 60, 40, "NOSUCH");
    TTextTarget t;
    DrawDataText(t.DC(), "HH", false, false, panel->Data, DT_LEFT | DT_TOP, {4, 4, 120, 40});
    const std::set<uint32_t> inks = t.Inks();
    EXPECT_TRUE(inks.count(Pixel(clBtnHighlight)));
    EXPECT_TRUE(inks.count(Pixel(clBtnShadow)));
}

TEST(SkinDataText, UnderlinedWebButtonsLeaveNoFontBehind) {
    TFormFixture f;
    auto* web = f.Add(&f.Form, 10, 10, 60, 40, "WEBBUTTON");
    ASSERT_EQ(f.Manager.Skin()->CommonIndexes[csWebButton], web->Data.SkinIndex);
    TTextTarget plain, underlined;
    DrawDataText(plain.DC(), "HH", true, false, web->Data, DT_LEFT | DT_TOP, {4, 4, 120, 40});
    const long start = LiveGdiObjects();
    for (int i = 0; i < 1000; ++i)
        DrawDataText(underlined.DC(), "HH", true, true, web->Data, DT_LEFT | DT_TOP, {4, 4, 120, 40});
    EXPECT_EQ(LiveGdiObjects(), start);
    EXPECT_GT(underlined.InkCount(), plain.InkCount());  // the underline adds ink
    EXPECT_TRUE(underlined.Inks().count(Pixel(0xFF0000)));
}

}  // namespace
}  // namespace ad::skin
