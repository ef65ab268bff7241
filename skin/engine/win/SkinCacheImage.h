// A skinned control's cache image: a 32-bit top-down DIB section that is
// resized in place (0 x 0 holds no bitmap but the image still exists, which
// tells "being rebuilt" from "none"), seen through the portable pixel view,
// and copied to device contexts.
#pragma once

#include <windows.h>

#include <memory>

#include "skin/engine/win/SkinDib.h"

namespace ad::skin {

class TSkinCacheImage {
public:
    TSkinCacheImage() = default;
    TSkinCacheImage(int width, int height) { SetSize(width, height); }

    // Makes a new bitmap when the size differs (contents then 0); negative
    // sizes count as 0. False when the bitmap could not be made (it is then empty).
    bool SetSize(int width, int height);
    void Clear() { SetSize(0, 0); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return View().Empty(); }
    TImageView32 View() const { return dib_ ? dib_->View() : TImageView32{}; }
    HBITMAP Handle() const { return dib_ ? dib_->Handle() : nullptr; }

    // Sized as source and its pixels copied.
    void Assign(const TSkinCacheImage& source);
    // The rectangle of the image copied to the DC at (x, y); clipped to the image.
    void Draw(HDC dc, int x, int y, const TRect& source) const;
    // The rectangle of the DC at (x, y) copied into the image at (0, 0).
    void CopyFromDC(HDC dc, int x, int y);

private:
    std::unique_ptr<TDibSection32> dib_;
    int width_ = 0, height_ = 0;
};

}  // namespace ad::skin
