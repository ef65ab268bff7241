// The cache image of a skinned control.
#include "skin/engine/SkinCacheImage.h"

#include <algorithm>
#include <cstring>

namespace ad::skin {

bool TSkinCacheImage::SetSize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == view_.Width && height == view_.Height && (bitmap_ || width == 0 || height == 0)) return true;
    bitmap_.Reset();
    view_ = {};
    if (width == 0 || height == 0) return true;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = OwnedBitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_ || !bits) {
        bitmap_.Reset();
        return false;
    }
    view_ = {static_cast<uint8_t*>(bits), ptrdiff_t(width) * 4, width, height};
    return true;
}

void TSkinCacheImage::Assign(const TSkinCacheImage& source) {
    if (&source == this) return;
    if (!SetSize(source.Width(), source.Height()) || Empty()) return;
    GdiFlush();
    for (int y = 0; y < Height(); ++y) std::memcpy(view_.Pixel(0, y), source.view_.Pixel(0, y), size_t(Width()) * 4);
}

void TSkinCacheImage::Draw(HDC dc, int x, int y, const TRect& source) const {
    if (Empty() || !dc) return;
    const int left = std::max(0, source.Left), top = std::max(0, source.Top);
    const int right = std::min(Width(), source.Right), bottom = std::min(Height(), source.Bottom);
    if (right <= left || bottom <= top) return;
    OwnedMemoryDC mem(CreateCompatibleDC(dc));
    if (!mem) return;
    SelectObjectScope select(mem.Get(), bitmap_.Get());
    BitBlt(dc, x + left - source.Left, y + top - source.Top, right - left, bottom - top, mem.Get(), left, top,
           SRCCOPY);
}

void TSkinCacheImage::CopyFromDC(HDC dc, int x, int y) {
    if (Empty() || !dc) return;
    OwnedMemoryDC mem(CreateCompatibleDC(dc));
    if (!mem) return;
    SelectObjectScope select(mem.Get(), bitmap_.Get());
    BitBlt(mem.Get(), 0, 0, Width(), Height(), dc, x, y, SRCCOPY);
}

}  // namespace ad::skin
