// Sizing the 32-bit bitmap and viewing its pixels.
#include "base/Bitmap32.h"

#include <new>

namespace ad {

bool TBitmap32::SetSize(int width, int height) {
    width_ = height_ = 0;
    pixels_.clear();
    if (width < 0 || height < 0 || width > MaxSide || height > MaxSide ||
        int64_t(width) * height > MaxPixels)
        return false;
    try {
        pixels_.assign(size_t(width) * size_t(height) * 4, 0);
    } catch (const std::bad_alloc&) {
        pixels_ = {};
        return false;
    }
    width_ = width;
    height_ = height;
    return true;
}

TImageView32 TBitmap32::View() {
    if (width_ == 0 || height_ == 0) return {};
    return {pixels_.data(), ptrdiff_t(width_) * 4, width_, height_};
}

}  // namespace ad
