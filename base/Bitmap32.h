// The system's 32-bit bitmap: an owned, top-down image whose pixels lie in
// memory as blue, green, red, alpha (0xAARRGGBB read as a little-endian
// word), and a view onto such pixels that also covers bottom-up buffers.
// Portable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ad {

// A window onto 32-bit pixels; pixel (x, y) is at Row0 + y * Distance + 4 * x.
struct TImageView32 {
    uint8_t* Row0 = nullptr;
    ptrdiff_t Distance = 0;
    int Width = 0;
    int Height = 0;

    bool Empty() const { return Row0 == nullptr || Width <= 0 || Height <= 0; }
    uint8_t* Pixel(int x, int y) const { return Row0 + y * Distance + 4 * ptrdiff_t(x); }
};

// An owned, top-down 32-bit bitmap.
class TBitmap32 {
public:
    // Largest side and pixel count a bitmap may have.
    static constexpr int MaxSide = 32768;
    static constexpr int64_t MaxPixels = int64_t(1) << 28;

    TBitmap32() = default;
    TBitmap32(int width, int height) { SetSize(width, height); }

    // Sizes the bitmap, pixels 0; an impossible size (negative, too large,
    // out of memory) gives an empty 0 x 0 bitmap and false.
    bool SetSize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    TImageView32 View();
    const uint8_t* Data() const { return pixels_.data(); }

private:
    int width_ = 0, height_ = 0;
    std::vector<uint8_t> pixels_;
};

}  // namespace ad
