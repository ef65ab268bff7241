// DIB sections as image views, and the Windows services of the pixel core.
#include "skin/engine/win/SkinDib.h"

#include <cstring>

#include "skin/engine/image/SkinGradients.h"

namespace ad::skin {

namespace {

// Whether the first row in memory is the top row: the header's sign is not
// reported alike by every system, so GDI is asked where a marked pixel shows.
bool FirstRowIsTop(HBITMAP bitmap, uint8_t* bits, int height) {
    if (height <= 1) return true;
    OwnedMemoryDC dc(CreateCompatibleDC(nullptr));
    if (!dc) return false;
    SelectObjectScope select(dc.Get(), bitmap);
    GdiFlush();
    uint32_t saved;
    std::memcpy(&saved, bits, 4);
    const uint32_t probes[2] = {0x00123456, 0x00654321};
    bool top = true;
    for (uint32_t probe : probes) {
        std::memcpy(bits, &probe, 4);
        // GetPixel answers in colour order.
        if (GetPixel(dc.Get(), 0, 0) != COLORREF(SwapRedBlue(probe))) top = false;
    }
    std::memcpy(bits, &saved, 4);
    return top;
}

}  // namespace

TImageView32 ViewOfDib(HBITMAP bitmap) {
    DIBSECTION ds{};
    if (!bitmap || GetObjectW(bitmap, sizeof ds, &ds) != int(sizeof ds)) return {};
    if (ds.dsBm.bmBitsPixel != 32 || !ds.dsBm.bmBits) return {};
    const int w = ds.dsBm.bmWidth, h = ds.dsBm.bmHeight;
    const ptrdiff_t stride = ds.dsBm.bmWidthBytes;
    auto* bits = static_cast<uint8_t*>(ds.dsBm.bmBits);
    if (!FirstRowIsTop(bitmap, bits, h)) return {bits + (h - 1) * stride, -stride, w, h};  // bottom-up
    return {bits, stride, w, h};
}

TDibSection32::TDibSection32(int width, int height) {
    if (width > TBitmap32::MaxSide || height > TBitmap32::MaxSide) return;
    dib_ = DibSection32(width, height);
    if (dib_) view_ = ViewOfDib(dib_.Get());
}

// Fills the mesh on a DIB section holding a copy of the view, then copies back.
bool GdiTriangleGradientFill(const TImageView32& v, const TFourCornerMesh& mesh) {
    if (v.Empty()) return false;
    TDibSection32 dib(v.Width, v.Height);
    if (dib.View().Empty()) return false;
    TImageView32 d = dib.View();
    for (int y = 0; y < v.Height; ++y) std::memcpy(d.Pixel(0, y), v.Pixel(0, y), size_t(v.Width) * 4);
    OwnedMemoryDC dc(CreateCompatibleDC(nullptr));
    if (!dc) return false;
    TRIVERTEX vx[5];
    for (int i = 0; i < 5; ++i) {
        const TGradientVertex& s = mesh.Vertices[size_t(i)];
        vx[i] = {s.X, s.Y, COLOR16(s.Red), COLOR16(s.Green), COLOR16(s.Blue), COLOR16(s.Alpha)};
    }
    GRADIENT_TRIANGLE tri[4];
    for (int i = 0; i < 4; ++i)
        tri[i] = {mesh.Triangles[size_t(i)][0], mesh.Triangles[size_t(i)][1], mesh.Triangles[size_t(i)][2]};
    bool ok;
    {
        SelectObjectScope select(dc.Get(), dib.Handle());
        ok = GradientFill(dc.Get(), vx, 5, tri, 4, GRADIENT_FILL_TRIANGLE) != FALSE;
        GdiFlush();
    }
    if (ok)
        for (int y = 0; y < v.Height; ++y) std::memcpy(v.Pixel(0, y), d.Pixel(0, y), size_t(v.Width) * 4);
    return ok;
}

}  // namespace ad::skin
