// The cache image of a skinned control.
#include "skin/engine/win/SkinCacheImage.h"

#include <algorithm>
#include <cstring>

namespace ad::skin {

bool TSkinCacheImage::SetSize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == width_ && height == height_ && (dib_ || width == 0 || height == 0)) return true;
    dib_.reset();
    width_ = height_ = 0;
    if (width == 0 || height == 0) return true;
    auto dib = std::make_unique<TDibSection32>(width, height);
    if (dib->View().Empty()) return false;
    dib_ = std::move(dib);
    width_ = width;
    height_ = height;
    return true;
}

void TSkinCacheImage::Assign(const TSkinCacheImage& source) {
    if (&source == this) return;
    if (!SetSize(source.Width(), source.Height()) || Empty()) return;
    GdiFlush();
    const TImageView32 to = View(), from = source.View();
    for (int y = 0; y < Height(); ++y) std::memcpy(to.Pixel(0, y), from.Pixel(0, y), size_t(Width()) * 4);
}

void TSkinCacheImage::Draw(HDC dc, int x, int y, const TRect& source) const {
    if (Empty() || !dc) return;
    const int left = std::max(0, source.Left), top = std::max(0, source.Top);
    const int right = std::min(Width(), source.Right), bottom = std::min(Height(), source.Bottom);
    if (right <= left || bottom <= top) return;
    OwnedMemoryDC mem(CreateCompatibleDC(dc));
    if (!mem) return;
    SelectObjectScope select(mem.Get(), Handle());
    BitBlt(dc, x + left - source.Left, y + top - source.Top, right - left, bottom - top, mem.Get(), left, top,
           SRCCOPY);
}

void TSkinCacheImage::CopyFromDC(HDC dc, int x, int y) {
    if (Empty() || !dc) return;
    OwnedMemoryDC mem(CreateCompatibleDC(dc));
    if (!mem) return;
    SelectObjectScope select(mem.Get(), Handle());
    BitBlt(mem.Get(), 0, 0, Width(), Height(), dc, x, y, SRCCOPY);
}

}  // namespace ad::skin
