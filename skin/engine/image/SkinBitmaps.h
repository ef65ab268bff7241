// 32-bit bitmaps of the skin engine and the pixel primitives over them: fills,
// constant-weight blends, colour adjustments, premultiplication for layered
// windows, resampling and the soft shadow. Portable: every routine works on a
// view (first row's address and signed row distance), so top-down buffers and
// bottom-up DIB sections are handled alike. Pixels in memory are blue, green,
// red, alpha.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "base/Bitmap32.h"
#include "skin/engine/image/SkinTypes.h"

namespace ad::skin {

// The same for 8-bit images (alpha channels stretched on their own).
struct TImageView8 {
    uint8_t* Row0 = nullptr;
    ptrdiff_t Distance = 0;
    int Width = 0;
    int Height = 0;

    bool Empty() const { return Row0 == nullptr || Width <= 0 || Height <= 0; }
    uint8_t* Pixel(int x, int y) const { return Row0 + y * Distance + x; }
};

// Creation and copying (the caller owns the result).
std::unique_ptr<TBitmap32> NewBitmap32(int width, int height);
std::unique_ptr<TBitmap32> NewBitmap32OfRect(const TRect& r);
std::unique_ptr<TBitmap32> NewBitmap32OfSize(const TPoint& size);
std::unique_ptr<TBitmap32> NewBitmap32Like(const TImageView32& v);
void CopyBitmapFrom(TBitmap32& target, const TImageView32& source);

// Scan-line access: false for a bitmap without rows; distance 0 for one row.
bool GetBitmapRows(const TImageView32& v, uint8_t*& row0, ptrdiff_t& distance);
// Raw pixel access; callers keep x and y inside the bitmap.
uint32_t GetPixel32(const TImageView32& v, int x, int y);
void SetPixel32(const TImageView32& v, int x, int y, uint32_t value);
void PutPixel32(const TImageView32& v, int x, int y, uint32_t value);
// direction 1: byte `channel` of every pixel into the 8-bit image; 0: back.
void CopyAlphaChannel(const TImageView32& v32, const TImageView8& v8, int channel, int direction);

// Fills (rectangles clipped to the bitmap; right and bottom exclusive).
void FillRect32(const TImageView32& v, const TRect& r, TColor color, uint8_t alpha);
void TintRect32(const TImageView32& v, const TRect& r, TColor color, uint8_t alpha, int percent);
void BlendRectColor(const TImageView32& v, const TRect& r, uint8_t weight, TColor color);  // inclusive
void SetRectAlpha(const TImageView32& v, const TRect& r, uint8_t alpha, uint32_t key = uint32_t(skNoColor));
void ClearWhitePixels(const TImageView32& v);

// Constant-weight blends.
uint32_t BlendTwoColors(uint32_t a, uint32_t b, uint8_t w);
void TintBitmap(const TImageView32& v, uint8_t weight, TColor color);
void BlendBitmapConst(const TImageView32& target, const TImageView32& source, uint8_t weight,
                      TPoint targetPoint, TRect sourceRect);
void BlendRectKeyed(const TImageView32& target, int targetX, int targetY, uint32_t key, uint8_t weight,
                    const TRect& sourceRect, const TImageView32& source);
void MaskMixColor(const TImageView32& target, const TImageView32& mask, TColor color);

// Colour adjustments of one value (pixel order unless said otherwise).
uint32_t AdjustBrightness(uint32_t value, int amount);
uint32_t AdjustSaturation(int amount, uint32_t value);
uint32_t AdjustSaturationOpt(uint32_t value, int amount);
uint32_t ShiftHue(int degrees, uint32_t value);
TColor ShiftColorHue(int degrees, TColor color);
uint32_t ToneColor(uint32_t value, uint32_t tone);
// A control's colour through its skin data's tone (skNoColor: none), hue offset
// in degrees and saturation in percent, in that order; colour order in and out.
TColor AdjustControlColor(TColor color, TColor colorTone, int hueOffset, int saturation);

// Calls procedure(pixel, value) for every pixel, skipping SwapRedBlue(key)
// unless key is skNoColor.
using TPixelProc = void (*)(uint8_t* pixel, int value);
void ForEachPixel(const TImageView32& v, TPixelProc procedure, int value, TColor key = skNoColor);
void BrightnessProc(uint8_t* pixel, int amount);
void SaturationProc(uint8_t* pixel, int amount);
void HueProc(uint8_t* pixel, int degrees);
void ToneProc(uint8_t* pixel, int tone);

void GrayscaleBitmap(const TImageView32& v);
void GrayscaleBitmapKeyed(const TImageView32& v, uint32_t key);

// Layered-window preparation; composition tells whether desktop composition is on.
void PremultiplyRect(const TImageView32& v, const TRect& r, bool composition);
void PremultiplyBitmap(const TImageView32& v, bool composition);

// Resampling filters 0..6: box, triangle, Hermite, bell, B-spline, Lanczos, Mitchell.
void ResampleBitmap(const TImageView32& source, TBitmap32& target, int newWidth, int filter, int newHeight);

void PaintSoftShadow(const TImageView32& v, const TRect& r, int percent, int radius, int depth, TColor color);

}  // namespace ad::skin
