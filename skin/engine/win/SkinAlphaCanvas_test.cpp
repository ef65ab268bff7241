// Tests of alpha drawing onto canvases (equal size, stretched, reflected,
// plain bitmaps) and of icons made from bitmaps, read back through GDI.
#include "skin/engine/win/SkinAlphaCanvas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "skin/engine/win/SkinDib.h"

namespace ad::skin {
namespace {

constexpr uint32_t Px(int b, int g, int r, int a) {
    return uint32_t(b) | uint32_t(g) << 8 | uint32_t(r) << 16 | uint32_t(a) << 24;
}
uint8_t Byte(uint32_t v, int i) { return uint8_t(v >> (8 * i)); }
uint32_t Rgb(uint32_t v) { return v & 0xFFFFFF; }

uint32_t Blend(uint32_t s, uint32_t t, int w) {
    uint32_t r = 0;
    for (int i = 0; i < 3; ++i) r |= uint32_t(((Byte(s, i) - Byte(t, i)) * w + Byte(t, i) * 256) >> 8) << (8 * i);
    return r;
}

void Fill(const TImageView32& v, uint32_t value) {
    for (int y = 0; y < v.Height; ++y)
        for (int x = 0; x < v.Width; ++x) SetPixel32(v, x, y, value);
}

// A canvas over a DIB section of the given size.
struct TestCanvas {
    TestCanvas(int w, int h) : Dib(w, h), Dc(CreateCompatibleDC(nullptr)), Select(Dc.Get(), Dib.Handle()) {
        Canvas.SetHandle(Dc.Get());
    }
    TImageView32 View() {
        GdiFlush();
        return Dib.View();
    }
    TDibSection32 Dib;
    OwnedMemoryDC Dc;
    SelectObjectScope Select;
    TCanvas Canvas;
};

TEST(SkinAlphaCanvas, EqualSizeBlendsByAlpha) {
    TestCanvas c(6, 6);
    const uint32_t back = Px(10, 20, 30, 255);
    Fill(c.View(), back);
    TDibSection32 bmp(2, 2);
    SetPixel32(bmp.View(), 0, 0, Px(200, 100, 50, 255));
    SetPixel32(bmp.View(), 1, 0, Px(200, 100, 50, 128));
    SetPixel32(bmp.View(), 0, 1, skKeyColor);
    SetPixel32(bmp.View(), 1, 1, Px(0, 0, 0, 0));
    DrawBitmapAlpha(c.Canvas, bmp.Handle(), {3, 2, 5, 4}, false);
    const TImageView32 v = c.View();
    EXPECT_EQ(Rgb(GetPixel32(v, 3, 2)), Blend(Px(200, 100, 50, 0), back, 255));
    EXPECT_EQ(Rgb(GetPixel32(v, 4, 2)), Blend(Px(200, 100, 50, 0), back, 128));
    EXPECT_EQ(Rgb(GetPixel32(v, 3, 3)), Rgb(back));
    EXPECT_EQ(Rgb(GetPixel32(v, 4, 3)), Rgb(back));
    EXPECT_EQ(Rgb(GetPixel32(v, 2, 2)), Rgb(back));  // outside the rectangle
    EXPECT_EQ(Rgb(GetPixel32(v, 5, 4)), Rgb(back));
}

TEST(SkinAlphaCanvas, StretchedBitmapKeepsItsAlpha) {
    TestCanvas c(8, 8);
    const uint32_t back = Px(0, 0, 0, 255);
    Fill(c.View(), back);
    TBitmap32 bmp(2, 2);
    SetPixel32(bmp.View(), 0, 0, Px(255, 0, 0, 255));
    SetPixel32(bmp.View(), 1, 0, Px(0, 255, 0, 64));
    SetPixel32(bmp.View(), 0, 1, Px(0, 0, 255, 0));
    SetPixel32(bmp.View(), 1, 1, Px(90, 90, 90, 200));
    DrawBitmapAlpha(c.Canvas, bmp.View(), {2, 2, 6, 6}, false);
    const TImageView32 v = c.View();
    // Each source pixel covers a 2 x 2 block, blended by its own alpha.
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const uint32_t s = GetPixel32(bmp.View(), x / 2, y / 2);
            EXPECT_EQ(Rgb(GetPixel32(v, 2 + x, 2 + y)), Blend(s, back, int(s >> 24))) << x << "," << y;
        }
    EXPECT_EQ(Rgb(GetPixel32(v, 1, 1)), 0u);
    EXPECT_EQ(Rgb(GetPixel32(v, 6, 6)), 0u);
}

TEST(SkinAlphaCanvas, ReflectionBelowTheRectangle) {
    TestCanvas c(4, 20);
    Fill(c.View(), Px(0, 0, 0, 255));
    TBitmap32 bmp(4, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 4; ++x) SetPixel32(bmp.View(), x, y, Px(40 * y + 20, 200, 100, 255));
    DrawBitmapAlpha(c.Canvas, bmp.View(), {0, 2, 4, 8}, true);
    const TImageView32 v = c.View();
    // The work image is 6 + 3 rows: N = min(3, 9 - 6 - 1) = 2; row 1 lands
    // 7 rows under the rectangle's top from source row 4, weight
    // 255 * 1 / 2 * 255 / 512 = 63; row 2 has weight 0.
    EXPECT_EQ(Rgb(GetPixel32(v, 1, 9)), Blend(GetPixel32(bmp.View(), 1, 4), 0, 63));
    EXPECT_EQ(Rgb(GetPixel32(v, 1, 8)), 0u);
    EXPECT_EQ(Rgb(GetPixel32(v, 1, 10)), 0u);
    EXPECT_EQ(Rgb(GetPixel32(v, 1, 7)), Blend(GetPixel32(bmp.View(), 1, 5), 0, 255));
}

TEST(SkinAlphaCanvas, PlainBitmapIsStretchedWithoutAlpha) {
    TestCanvas c(6, 6);
    Fill(c.View(), Px(1, 2, 3, 255));
    // A 24-bit DIB section of one colour (no alpha to honour).
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    OwnedBitmap bmp(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(bmp);
    auto* p = static_cast<uint8_t*>(bits);
    for (int row = 0; row < 2; ++row)
        for (int x = 0; x < 2; ++x) {
            p[row * 8 + x * 3 + 0] = 0x30;  // blue
            p[row * 8 + x * 3 + 1] = 0x60;
            p[row * 8 + x * 3 + 2] = 0x90;
        }
    DrawBitmapAlpha(c.Canvas, bmp.Get(), {1, 1, 5, 5}, false);
    const TImageView32 v = c.View();
    for (int y = 1; y < 5; ++y)
        for (int x = 1; x < 5; ++x) EXPECT_EQ(Rgb(GetPixel32(v, x, y)), Rgb(Px(0x30, 0x60, 0x90, 0))) << x << y;
    EXPECT_EQ(Rgb(GetPixel32(v, 0, 0)), Rgb(Px(1, 2, 3, 0)));
}

// The icon's colour and mask bitmaps as 32-bit pixels (mask: white is clear).
struct IconBits {
    TBitmap32 Color, Mask;
    bool IsIcon = false;
};
IconBits ReadIcon(HICON icon) {
    IconBits r;
    ICONINFO ii{};
    if (!GetIconInfo(icon, &ii)) return r;
    OwnedBitmap color(ii.hbmColor), mask(ii.hbmMask);
    r.IsIcon = ii.fIcon != FALSE;
    WindowDC screen(nullptr);
    for (auto [h, out] : {std::pair{color.Get(), &r.Color}, std::pair{mask.Get(), &r.Mask}}) {
        BITMAP bm{};
        GetObjectW(h, sizeof bm, &bm);
        out->SetSize(bm.bmWidth, bm.bmHeight);
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        GetDIBits(screen.Get(), h, 0, UINT(bm.bmHeight), out->View().Row0, &bi, DIB_RGB_COLORS);
    }
    return r;
}

TEST(SkinAlphaCanvas, BitmapToIconKeyedClearsTheCornerColour) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 3, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    OwnedBitmap bmp(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(bmp);
    // Bottom-up rows of 12 bytes: the top row (second in memory) starts with the key 0x112233.
    auto* p = static_cast<uint8_t*>(bits);
    const uint8_t top[9] = {0x33, 0x22, 0x11, 0x00, 0x00, 0xFF, 0x33, 0x22, 0x11};
    const uint8_t bottom[9] = {0x33, 0x22, 0x10, 0x33, 0x22, 0x11, 0xFF, 0xFF, 0xFF};
    std::memcpy(p + 12, top, 9);
    std::memcpy(p, bottom, 9);
    OwnedIcon icon = BitmapToIconKeyed(bmp.Get());
    ASSERT_TRUE(icon);
    IconBits ib = ReadIcon(icon.Get());
    EXPECT_TRUE(ib.IsIcon);
    ASSERT_EQ(ib.Mask.Width(), 3);
    ASSERT_EQ(ib.Color.Height(), 2);
    const bool clear[2][3] = {{true, false, true}, {false, true, false}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(Rgb(GetPixel32(ib.Mask.View(), x, y)), clear[y][x] ? 0xFFFFFFu : 0u) << x << "," << y;
            if (clear[y][x]) {
                EXPECT_EQ(Rgb(GetPixel32(ib.Color.View(), x, y)), 0u);
            }
        }
    EXPECT_EQ(Rgb(GetPixel32(ib.Color.View(), 1, 0)), 0xFF0000u);
    EXPECT_EQ(Rgb(GetPixel32(ib.Color.View(), 0, 1)), 0x102233u);

    // Drawn on white: clear pixels stay white.
    TestCanvas c(3, 2);
    Fill(c.View(), 0xFFFFFFFF);
    DrawIconEx(c.Dc.Get(), 0, 0, icon.Get(), 3, 2, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(Rgb(GetPixel32(c.View(), 0, 0)), 0xFFFFFFu);
    EXPECT_EQ(Rgb(GetPixel32(c.View(), 1, 1)), 0xFFFFFFu);
    EXPECT_EQ(Rgb(GetPixel32(c.View(), 1, 0)), 0xFF0000u);

    EXPECT_FALSE(BitmapToIconKeyed(nullptr));
}

TEST(SkinAlphaCanvas, BitmapToIconBlendsOverTheColour) {
    TDibSection32 bmp(3, 1);
    SetPixel32(bmp.View(), 0, 0, Px(200, 100, 50, 255));
    SetPixel32(bmp.View(), 1, 0, Px(200, 100, 50, 128));
    SetPixel32(bmp.View(), 2, 0, Px(200, 100, 50, 0));
    const TColor red = 0x0000FF;
    OwnedIcon icon = BitmapToIcon(bmp.Handle(), red);
    ASSERT_TRUE(icon);
    IconBits ib = ReadIcon(icon.Get());
    ASSERT_EQ(ib.Color.Width(), 3);
    const uint32_t redPx = Px(0, 0, 255, 0);
    EXPECT_EQ(Rgb(GetPixel32(ib.Color.View(), 0, 0)), Blend(Px(200, 100, 50, 0), redPx, 255));
    EXPECT_EQ(Rgb(GetPixel32(ib.Color.View(), 1, 0)), Blend(Px(200, 100, 50, 0), redPx, 128));
    EXPECT_EQ(Rgb(GetPixel32(ib.Color.View(), 2, 0)), 0u);
    EXPECT_EQ(Rgb(GetPixel32(ib.Mask.View(), 0, 0)), 0u);
    EXPECT_EQ(Rgb(GetPixel32(ib.Mask.View(), 1, 0)), 0u);
    EXPECT_EQ(Rgb(GetPixel32(ib.Mask.View(), 2, 0)), 0xFFFFFFu);

    // Without alpha: clFuchsia is the clear colour.
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, 1, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    OwnedBitmap plain(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(plain);
    const uint8_t row[6] = {0xFF, 0x00, 0xFF, 0x10, 0x20, 0x30};
    std::memcpy(bits, row, 6);
    OwnedIcon icon2 = BitmapToIcon(plain.Get(), red);
    ASSERT_TRUE(icon2);
    IconBits ib2 = ReadIcon(icon2.Get());
    EXPECT_EQ(Rgb(GetPixel32(ib2.Mask.View(), 0, 0)), 0xFFFFFFu);
    EXPECT_EQ(Rgb(GetPixel32(ib2.Mask.View(), 1, 0)), 0u);
    EXPECT_EQ(Rgb(GetPixel32(ib2.Color.View(), 1, 0)), Blend(Px(0x10, 0x20, 0x30, 0), redPx, 255));
}

}  // namespace
}  // namespace ad::skin
