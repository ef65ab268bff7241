// Alpha drawing onto canvases through DIB sections, and icons from bitmaps.
#include "skin/engine/win/SkinAlphaCanvas.h"

#include <cstring>
#include <vector>

#include "skin/engine/win/SkinDib.h"

namespace ad::skin {

namespace {

// An owned bottom-up 8-bit DIB section with a grey palette, as a view.
class TDibSection8 {
public:
    TDibSection8(int width, int height) {
        if (width <= 0 || height <= 0) return;
        struct {
            BITMAPINFOHEADER Header;
            RGBQUAD Colors[256];
        } bi{};
        bi.Header = {sizeof(BITMAPINFOHEADER), width, height, 1, 8, BI_RGB, 0, 0, 0, 256, 0};
        for (int i = 0; i < 256; ++i) bi.Colors[i] = {BYTE(i), BYTE(i), BYTE(i), 0};
        void* bits = nullptr;
        bitmap_.Reset(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &bits,
                                       nullptr, 0));
        if (!bitmap_ || !bits) return;
        const ptrdiff_t stride = (ptrdiff_t(width) + 3) & ~ptrdiff_t(3);
        view_ = {static_cast<uint8_t*>(bits) + (height - 1) * stride, -stride, width, height};
    }
    TImageView8 View() const { return view_; }
    HBITMAP Handle() const { return bitmap_.Get(); }

private:
    OwnedBitmap bitmap_;
    TImageView8 view_;
};

void CopyPixels(const TImageView32& to, const TImageView32& from) {
    for (int y = 0; y < from.Height; ++y) std::memcpy(to.Pixel(0, y), from.Pixel(0, y), size_t(from.Width) * 4);
}

// StretchBlt of one DIB section onto another, pixel for pixel (no averaging).
bool Stretch(HBITMAP to, int toWidth, int toHeight, HBITMAP from, int fromWidth, int fromHeight) {
    OwnedMemoryDC toDC(CreateCompatibleDC(nullptr)), fromDC(CreateCompatibleDC(nullptr));
    if (!toDC || !fromDC) return false;
    SelectObjectScope selectTo(toDC.Get(), to), selectFrom(fromDC.Get(), from);
    SetStretchBltMode(toDC.Get(), COLORONCOLOR);
    const bool ok = StretchBlt(toDC.Get(), 0, 0, toWidth, toHeight, fromDC.Get(), 0, 0, fromWidth, fromHeight,
                               SRCCOPY) != FALSE;
    GdiFlush();
    return ok;
}

// A copy of the bitmap at width x height: the colour stretched as it is, the
// alpha bytes stretched on their own through an 8-bit image and put back.
bool StretchedCopy(const TImageView32& bitmap, const TDibSection32& copy, int width, int height) {
    TDibSection32 source(bitmap.Width, bitmap.Height);
    TDibSection8 alpha(bitmap.Width, bitmap.Height), stretchedAlpha(width, height);
    if (source.View().Empty() || alpha.View().Empty() || stretchedAlpha.View().Empty()) return false;
    CopyPixels(source.View(), bitmap);
    CopyAlphaChannel(source.View(), alpha.View(), 3, 1);
    if (!Stretch(copy.Handle(), width, height, source.Handle(), bitmap.Width, bitmap.Height) ||
        !Stretch(stretchedAlpha.Handle(), width, height, alpha.Handle(), bitmap.Width, bitmap.Height))
        return false;
    CopyAlphaChannel(copy.View(), stretchedAlpha.View(), 3, 0);
    return true;
}

// The bitmap's pixels as 32 bits, top-down (alpha 0 for bitmaps without one).
bool Read32(HBITMAP bitmap, TBitmap32& out) {
    BITMAP bm{};
    if (!bitmap || GetObjectW(bitmap, sizeof bm, &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;
    if (!out.SetSize(bm.bmWidth, bm.bmHeight)) return false;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    WindowDC screen(nullptr);
    return GetDIBits(screen.Get(), bitmap, 0, UINT(bm.bmHeight), out.View().Row0, &bi, DIB_RGB_COLORS) ==
           bm.bmHeight;
}

// An icon of the colour pixels and a mask clear where transparent(x, y);
// transparent pixels are black in the colour part, so the mask shows them
// clear where the icon is drawn through its mask.
template <class F>
OwnedIcon MakeIcon(const TImageView32& colour, F transparent) {
    const int w = colour.Width, h = colour.Height;
    const size_t maskStride = ((size_t(w) + 15) / 16) * 2;  // monochrome rows are word-aligned
    std::vector<uint8_t> maskBits(maskStride * size_t(h), 0);
    TDibSection32 colourDib(w, h);
    if (colourDib.View().Empty()) return {};
    CopyPixels(colourDib.View(), colour);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (transparent(x, y)) {
                maskBits[size_t(y) * maskStride + size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
                SetPixel32(colourDib.View(), x, y, 0);
            }
    OwnedBitmap mask(CreateBitmap(w, h, 1, 1, maskBits.data()));
    if (!mask) return {};
    GdiFlush();
    ICONINFO ii{TRUE, 0, 0, mask.Get(), colourDib.Handle()};
    return OwnedIcon(CreateIconIndirect(&ii));
}

}  // namespace

void DrawBitmapAlpha(TCanvas& canvas, const TImageView32& bitmap, const TRect& rect, bool reflect) {
    const int w = rect.Right - rect.Left, h = rect.Bottom - rect.Top;
    if (bitmap.Empty() || w <= 0 || h <= 0 || !canvas.Handle()) return;
    const int workHeight = h + (reflect ? h / 2 : 0);
    TDibSection32 work(w, workHeight);
    OwnedMemoryDC dc(CreateCompatibleDC(canvas.Handle()));
    if (work.View().Empty() || !dc) return;
    SelectObjectScope select(dc.Get(), work.Handle());
    BitBlt(dc.Get(), 0, 0, w, workHeight, canvas.Handle(), rect.Left, rect.Top, SRCCOPY);
    GdiFlush();
    if (bitmap.Width == w && bitmap.Height == h) {
        BlendImageRect({0, 0, w, h}, {0, 0, w, h}, work.View(), reflect, 0, skNoColor, false, skNoBackground,
                       bitmap);
    } else {
        TDibSection32 copy(w, h);
        if (copy.View().Empty() || !StretchedCopy(bitmap, copy, w, h)) return;
        BlendImageRect({0, 0, w, h}, {0, 0, w, h}, work.View(), false, 0, skNoColor, false, skNoBackground,
                       copy.View());
    }
    BitBlt(canvas.Handle(), rect.Left, rect.Top, w, workHeight, dc.Get(), 0, 0, SRCCOPY);
}

void DrawBitmapAlpha(TCanvas& canvas, HBITMAP bitmap, const TRect& rect, bool reflect) {
    const TImageView32 view = ViewOfDib(bitmap);
    if (!view.Empty()) {
        DrawBitmapAlpha(canvas, view, rect, reflect);
        return;
    }
    BITMAP bm{};
    if (!bitmap || !canvas.Handle() || GetObjectW(bitmap, sizeof bm, &bm) == 0) return;
    OwnedMemoryDC dc(CreateCompatibleDC(canvas.Handle()));
    if (!dc) return;
    SelectObjectScope select(dc.Get(), bitmap);
    StretchBlt(canvas.Handle(), rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top, dc.Get(), 0,
               0, bm.bmWidth, bm.bmHeight, SRCCOPY);
}

OwnedIcon BitmapToIconKeyed(HBITMAP bitmap) {
    TBitmap32 pixels;
    if (!Read32(bitmap, pixels)) return {};
    const TImageView32 v = pixels.View();
    const uint32_t key = GetPixel32(v, 0, 0) & 0x00FFFFFFu;
    return MakeIcon(v, [&](int x, int y) { return (GetPixel32(v, x, y) & 0x00FFFFFFu) == key; });
}

OwnedIcon BitmapToIcon(HBITMAP bitmap, TColor color) {
    TBitmap32 source;
    if (!Read32(bitmap, source)) return {};
    const TImageView32 s = source.View();
    BITMAP bm{};
    GetObjectW(bitmap, sizeof bm, &bm);
    if (bm.bmBitsPixel != 32) {
        // Without an alpha channel: clFuchsia is transparent, the rest opaque.
        for (int y = 0; y < s.Height; ++y)
            for (int x = 0; x < s.Width; ++x) {
                const uint32_t c = GetPixel32(s, x, y) & 0x00FFFFFFu;
                SetPixel32(s, x, y, c == skKeyColor ? c : c | 0xFF000000u);
            }
    }
    TBitmap32 work(s.Width, s.Height);
    const TImageView32 wv = work.View();
    if (wv.Empty()) return {};
    // The colour underneath, then the bitmap over it as DrawBitmapAlpha draws one of equal size.
    FillRect32(wv, {0, 0, s.Width, s.Height}, color, 0);
    BlendImageRect({0, 0, s.Width, s.Height}, {0, 0, s.Width, s.Height}, wv, false, 0, skNoColor, false,
                   skNoBackground, s);
    return MakeIcon(wv, [&](int x, int y) { return (GetPixel32(s, x, y) >> 24) == 0; });
}

}  // namespace ad::skin
