// Tests of skinned text through GDI: the DrawText length limit, captions in a
// section's colours (outlines, the disabled blend), the rotated font deleted
// only after it is deselected, ink and glow in 32-bit bitmaps with the glow
// mask kept by size, and a window showing them (saved when screenshots are on).
#include "skin/engine/win/SkinText.h"

#include <gtest/gtest.h>

#include <set>

#include "skin/engine/testkit/PaintWindowTestWriter.h"
#include "skin/engine/win/SkinDib.h"
#include "skin/engine/win/SkinGdiPaint.h"

namespace ad::skin {
namespace {

// A plain font without smoothing, so every text pixel has the ink colour.
OwnedFont CrispFont(int height = -16) {
    return OwnedFont(::CreateFontW(height, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0,
                                   L"Arial"));
}

// A skin with one section "LABEL": black text on white, red left and blue
// bottom outlines in every state.
TSkinTables OutlinedSkin(int& section) {
    TSkinTables skin;
    TSkinGeneralData s;
    s.ClassName = "LABEL";
    for (TSkinGenState& st : s.Props) {
        st.FontColor = 0x000000;
        st.Color = 0xFFFFFF;
        st.OutlineLeft = 0x0000FF;
        st.OutlineBottom = 0xFF0000;
    }
    section = skin.AddSection(s);
    return skin;
}

// The colours of the non-white pixels of a DIB.
std::set<uint32_t> InkColours(const TImageView32& v) {
    ::GdiFlush();
    std::set<uint32_t> colours;
    for (int y = 0; y < v.Height; ++y)
        for (int x = 0; x < v.Width; ++x)
            if ((GetPixel32(v, x, y) & 0xFFFFFF) != 0xFFFFFF) colours.insert(GetPixel32(v, x, y) & 0xFFFFFF);
    return colours;
}

struct MemoryCanvas {
    TDibSection32 Dib;
    OwnedMemoryDC DC{::CreateCompatibleDC(nullptr)};
    HGDIOBJ Old;
    MemoryCanvas(int w, int h) : Dib(w, h), Old(::SelectObject(DC.Get(), Dib.Handle())) {
        FillRect32(Dib.View(), {0, 0, w, h}, clWhite, 255);
    }
    ~MemoryCanvas() { ::SelectObject(DC.Get(), Old); }
};

TEST(SkinText, DrawTextIsGivenAtMost5460Characters) {
    MemoryCanvas c(16, 16);
    OwnedFont tiny = CrispFont(-3);  // keeps 600 lines within the coordinate range
    SelectObjectScope select(c.DC.Get(), tiny.Get());
    std::string text;
    while (text.size() < 6000) text += "abcdefghi\n";  // ten characters a line
    auto height = [&](const char* s, int length) {
        RECT r{0, 0, 100, 0};
        ::DrawTextA(c.DC.Get(), s, length, &r, DT_CALCRECT | DT_NOPREFIX);
        return r.bottom - r.top;
    };
    RECT r{0, 0, 100, 0};
    DrawTextLimited(c.DC.Get(), text, r, DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(r.bottom - r.top, height(text.data(), kMaxDrawTextLength));
    EXPECT_LT(r.bottom - r.top, height(text.data(), int(text.size())));
}

TEST(SkinText, SectionCaptionsDrawOutlinesEnabledAndOnceBlendedWhenDisabled) {
    int section = -1;
    const TSkinTables skin = OutlinedSkin(section);
    OwnedFont font = CrispFont();
    MemoryCanvas enabled(120, 30), disabled(120, 30);
    for (MemoryCanvas* c : {&enabled, &disabled}) ::SelectObject(c->DC.Get(), font.Get());
    DrawSectionText(enabled.DC.Get(), "Skinned", true, &skin, 0, section, DT_SINGLELINE, {4, 4, 116, 26});
    DrawSectionText(disabled.DC.Get(), "Skinned", false, &skin, 0, section, DT_SINGLELINE, {4, 4, 116, 26});
    // Enabled: the font colour and both outline colours show (pixel order).
    EXPECT_EQ(InkColours(enabled.Dib.View()), (std::set<uint32_t>{0x000000, 0xFF0000, 0x0000FF}));
    // Disabled: one pass only, in black blended toward white (100 of 255).
    EXPECT_EQ(InkColours(disabled.Dib.View()), (std::set<uint32_t>{0x9A9A9A}));
    MemoryCanvas none(120, 30);
    ::SelectObject(none.DC.Get(), font.Get());
    DrawSectionText(none.DC.Get(), "Skinned", false, &skin, 0, 99, DT_SINGLELINE, {4, 4, 116, 26});
    EXPECT_EQ(InkColours(none.Dib.View()), (std::set<uint32_t>{SwapRedBlue(::GetSysColor(COLOR_GRAYTEXT)) & 0xFFFFFF}));
    ::SelectObject(none.DC.Get(), ::GetStockObject(SYSTEM_FONT));
    for (MemoryCanvas* c : {&enabled, &disabled}) ::SelectObject(c->DC.Get(), ::GetStockObject(SYSTEM_FONT));
}

TEST(SkinText, TheRotatedFontIsDeletedOnlyAfterItIsDeselected) {
    MemoryCanvas c(16, 16);
    TFont font;
    font.SetName("Arial");
    font.SetColor(0x00FF00);
    const HGDIOBJ before = ::GetCurrentObject(c.DC.Get(), OBJ_FONT);
    HFONT rotated = nullptr;
    {
        TRotatedFontSelection selection(c.DC.Get(), font, 900);
        rotated = selection.Handle();
        ASSERT_NE(rotated, nullptr);
        EXPECT_EQ(::GetCurrentObject(c.DC.Get(), OBJ_FONT), rotated);
        EXPECT_EQ(::GetObjectType(rotated), DWORD(OBJ_FONT));  // alive while selected
        EXPECT_EQ(::GetTextColor(c.DC.Get()), COLORREF(0x00FF00));
        LOGFONTW lf{};
        ::GetObjectW(rotated, sizeof lf, &lf);
        EXPECT_EQ(lf.lfEscapement, 900);
    }
    EXPECT_EQ(::GetCurrentObject(c.DC.Get(), OBJ_FONT), before);
    EXPECT_EQ(::GetObjectType(rotated), 0u);  // deleted, not leaked
}

TEST(SkinText, InkAndOutlinesGoIntoBitmapsWithAlpha) {
    int section = -1;
    const TSkinTables skin = OutlinedSkin(section);
    OwnedFont font = CrispFont();
    TBitmap32 target(120, 30);
    WriteSectionText(target.View(), "Alpha", true, &skin, 0, section, DT_SINGLELINE, {4, 4, 116, 26}, font.Get(), clRed);
    std::set<uint32_t> colours;
    int opaque = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x) {
            const uint32_t p = GetPixel32(target.View(), x, y);
            if (p >> 24) colours.insert(p), ++opaque;
        }
    EXPECT_GT(opaque, 50);
    EXPECT_TRUE(colours.count(0xFF000000u));  // black ink, opaque
    EXPECT_TRUE(colours.count(0xFFFE0000u));  // red outline (premultiplied by 255)
    EXPECT_EQ(GetPixel32(target.View(), 0, 0), 0u);
}

TEST(SkinText, GlowMaskIsReusedWhileItsSizeStays) {
    OwnedFont font = CrispFont();
    TBitmap32 target(100, 40);
    TGlowMask mask;
    PaintTextGlow(target.View(), "Glow", {20, 10, 80, 30}, mask, clYellow, 3, 15, DT_SINGLELINE, font.Get());
    EXPECT_EQ(mask.Builds, 1);
    EXPECT_EQ(mask.Width, 60 + 2 * 7);
    const uint32_t glowed = GetPixel32(target.View(), 30, 20);
    EXPECT_GT(glowed >> 24, 0u);
    PaintTextGlow(target.View(), "Other", {0, 0, 60, 20}, mask, clYellow, 3, 15, DT_SINGLELINE, font.Get());
    EXPECT_EQ(mask.Builds, 1);  // same size: the mask stays
    PaintTextGlow(target.View(), "Glow", {0, 0, 50, 20}, mask, clYellow, 3, 15, DT_SINGLELINE, font.Get());
    EXPECT_EQ(mask.Builds, 2);
    EXPECT_EQ(GetPixel32(target.View(), 99, 39), 0u);  // far from any text
}

TEST(SkinText, AThousandPaintsLeaveNoGdiObjectBehind) {
    int section = -1;
    const TSkinTables skin = OutlinedSkin(section);
    OwnedFont font = CrispFont();
    TFont rotatedFrom;
    MemoryCanvas c(120, 30);
    TBitmap32 target(120, 30);
    rotatedFrom.Handle();  // the font's own handle lives as long as the font
    const long before = LiveGdiObjects();
    for (int i = 0; i < 1000; ++i) {
        SelectObjectScope select(c.DC.Get(), font.Get());
        DrawSectionText(c.DC.Get(), "Cycle", i % 2 == 0, &skin, 0, section, DT_SINGLELINE, {2, 2, 118, 28});
        WriteSectionText(target.View(), "Cycle", true, &skin, 0, section, DT_SINGLELINE, {2, 2, 118, 28}, font.Get(), 0);
        TGlowMask mask;  // a fresh mask: the work image is made every time
        PaintTextGlow(target.View(), "Cycle", {2, 2, 60, 20}, mask, clYellow, 2, 15, DT_SINGLELINE, font.Get());
        TRotatedFontSelection rotated(c.DC.Get(), rotatedFrom, 450);
        PaintSolidRect(c.DC.Get(), {0, 0, 4, 4}, clRed);
        DrawBevelFrame(c.DC.Get(), {0, 0, 20, 20}, clWhite, 2, clBlack);
    }
    EXPECT_EQ(LiveGdiObjects(), before);
}

TEST(SkinText, AWindowShowsOutlinedAndGlowingCaptions) {
    int section = -1;
    const TSkinTables skin = OutlinedSkin(section);
    OwnedFont font = CrispFont(-22);
    TGlowMask mask;
    painttest::PaintWindow window(L"Skinned text", 320, 120, [&](HDC dc, const RECT&) {
        SelectObjectScope select(dc, font.Get());
        DrawSectionText(dc, "Outlined caption", true, &skin, 0, section, DT_SINGLELINE, {12, 8, 310, 40});
        DrawSectionText(dc, "Disabled caption", false, &skin, 0, section, DT_SINGLELINE, {12, 40, 310, 72});
        TDibSection32 glow(300, 40);
        FillRect32(glow.View(), {0, 0, 300, 40}, TColor(0x402010), 255);
        PaintTextGlow(glow.View(), "Glowing caption", {8, 6, 290, 34}, mask, clYellow, 3, 15, DT_SINGLELINE, font.Get());
        WriteTextToBitmap(glow.View(), "Glowing caption", false, false, 0x202020, DT_SINGLELINE, {9, 7, 291, 35}, font.Get());
        OwnedMemoryDC mem(::CreateCompatibleDC(dc));
        SelectObjectScope sel(mem.Get(), glow.Handle());
        ::BitBlt(dc, 10, 76, 300, 40, mem.Get(), 0, 0, SRCCOPY);
    });
    ASSERT_NE(window.Handle(), nullptr);
    painttest::SaveWindowShot(window.Handle(), "SkinText.bmp");
    EXPECT_EQ(mask.Builds, 1);  // repaints keep the glow mask
}

}  // namespace
}  // namespace ad::skin
