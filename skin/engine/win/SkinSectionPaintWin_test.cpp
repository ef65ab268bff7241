// Tests of section backgrounds on device contexts: the copy into the DC's
// rectangle only, the DC left as it was, and painting over the DC's content
// with the fallback section.
#include "skin/engine/win/SkinSectionPaintWin.h"

#include <gtest/gtest.h>

#include <utility>

namespace ad::skin {
namespace {

constexpr uint32_t kBluePixel = 0xFF0000FFu;

struct TDcFixture {
    TDibSection32 Dib{6, 4};
    OwnedMemoryDC Dc{CreateCompatibleDC(nullptr)};
    HGDIOBJ Old = nullptr;
    TSkinTables Skin;
    int Red = -1, Green = -1;

    TDcFixture() {
        Old = SelectObject(Dc.Get(), Dib.Handle());
        FillRect32(Dib.View(), {0, 0, 6, 4}, 0xFF0000, 255);  // blue
        TSkinGeneralData s;
        s.States = 1;
        for (TSkinGenState& st : s.Props) st.Color = 0x0000FF;
        Red = Skin.AddSection(s);
        for (TSkinGenState& st : s.Props) st.Color = 0x00FF00;
        Green = Skin.AddSection(s);
    }
    ~TDcFixture() { SelectObject(Dc.Get(), Old); }
    uint32_t At(int x, int y) { return GetPixel32(Dib.View(), x, y); }
};

TEST(SkinSectionPaintWin, ToDCPaintsTheRectangleOnlyAndRestoresTheDC) {
    TDcFixture f;
    SetTextColor(f.Dc.Get(), RGB(1, 2, 3));
    SetViewportOrgEx(f.Dc.Get(), 0, 0, nullptr);
    PaintSectionToDC(f.Dc.Get(), {1, 1, 4, 3}, {0, 0}, skNoBackground, f.Red, 0, f.Skin);
    GdiFlush();
    EXPECT_EQ(f.At(1, 1) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(f.At(3, 2) & 0xFFFFFF, 0xFF0000u);
    for (auto [x, y] : {std::pair{0, 0}, {4, 1}, {1, 3}, {5, 3}}) EXPECT_EQ(f.At(x, y), kBluePixel) << x << "," << y;
    EXPECT_EQ(GetCurrentObject(f.Dc.Get(), OBJ_BITMAP), f.Dib.Handle());
    EXPECT_EQ(GetTextColor(f.Dc.Get()), RGB(1, 2, 3));
    // An invalid section leaves the DC alone.
    PaintSectionToDC(f.Dc.Get(), {0, 0, 6, 4}, {0, 0}, skNoBackground, 7, 0, f.Skin);
    GdiFlush();
    EXPECT_EQ(f.At(0, 0), kBluePixel);
}

TEST(SkinSectionPaintWin, OverDCBlendsOverTheCopyAndFallsBack) {
    TDcFixture f;
    f.Skin.Section(f.Red).Props[0].Transparency = 40;
    TDibSection32 bitmap(1, 1);
    EXPECT_EQ(PaintSectionOverDC(bitmap, f.Red, f.Green, f.Dc.Get(), 0xFF0000, {2, 1, 5, 3}, 0, f.Skin), f.Red);
    ASSERT_EQ(bitmap.View().Width, 3);
    ASSERT_EQ(bitmap.View().Height, 2);
    // The same as painting the section over a bitmap holding the DC's blue.
    TBitmap32 expected(3, 2);
    FillRect32(expected.View(), {0, 0, 3, 2}, 0xFF0000, 255);
    PaintSectionBackground(expected.View(), {0, 0, 3, 2}, {0, 0}, MakeBgCacheRefFromBitmap(expected.View(), 0, 0),
                           f.Red, 0, kNoCustomColor, -1, -1, f.Skin);
    EXPECT_EQ(GetPixel32(bitmap.View(), 1, 1), GetPixel32(expected.View(), 1, 1));
    EXPECT_NE(GetPixel32(bitmap.View(), 1, 1), kBluePixel);
    EXPECT_EQ(f.At(2, 1), kBluePixel);  // the DC itself is not painted

    EXPECT_EQ(PaintSectionOverDC(bitmap, -1, f.Green, f.Dc.Get(), 0xFF0000, {0, 0, 3, 2}, 0, f.Skin), f.Green);
    EXPECT_EQ(GetPixel32(bitmap.View(), 0, 0), 0xFF00FF00u);
    EXPECT_EQ(PaintSectionOverDC(bitmap, -1, -1, f.Dc.Get(), 0xFF0000, {0, 0, 3, 2}, 0, f.Skin), -1);
    EXPECT_EQ(GetPixel32(bitmap.View(), 0, 0), 0xFF00FF00u);
}

}  // namespace
}  // namespace ad::skin
