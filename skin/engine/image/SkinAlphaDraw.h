// Alpha image drawing over 32-bit pixel views: the central image draw with
// per-pixel alpha, constant transparency, colour tone and fading reflection
// (BlendImageRect), the plain alpha blend that builds the target's alpha
// (BlendRectOver), keyed copies, the parent-background reference that fills
// transparent pixels, and PNG files loaded into 32-bit bitmaps. Portable.
#pragma once

#include <cstdint>
#include <string>

#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/image/SkinTypes.h"

namespace ad::skin {

// The parent's background handed to painting routines.
struct TSkBgCacheRef {
    TImageView32 Bmp;              // empty when there is no background bitmap
    int X = 0, Y = 0;              // where the painted control's origin lies in Bmp
    TColor FillColor = 0xFF00FF;   // colour order; clFuchsia when unknown
    TRect Borders;                 // widths of Bmp's left/top/right/bottom strips holding valid background
    bool Ready = false;            // Bmp holds valid background pixels
};

// Stands for "no background": never Ready.
inline const TSkBgCacheRef skNoBackground{};

// A Ready background of a whole bitmap whose pixel (x, y) lies under the
// painted control's origin: fill colour clFuchsia, no border strips.
TSkBgCacheRef MakeBgCacheRefFromBitmap(const TImageView32& bmp, int x, int y);

// The background pixel under target pixel (x, y): false (and out untouched)
// when there is no bitmap or the point lies outside it on any side.
bool BackgroundPixel(const TSkBgCacheRef& background, int x, int y, uint32_t& out);

// A pixel is drawn when it is not the key value and its alpha is above this.
constexpr int skAlphaThreshold = 16;

// Draws sourceRect of source onto targetRect of target (right and bottom
// exclusive). transparency is 0..100 (0 opaque); tone a colour or skNoColor;
// fillFromBackground lets transparent pixels take the background's colour when
// the background is Ready; reflect adds a fading mirror image under targetRect.
void BlendImageRect(TRect targetRect, TRect sourceRect, const TImageView32& target, bool reflect,
                    int transparency, TColor tone, bool fillFromBackground, const TSkBgCacheRef& background,
                    const TImageView32& source);

// Alpha blend by the source's own alpha that raises the target's alpha; key
// pixels take the background (alpha 255) when asked and the background is Ready.
void BlendRectOver(TRect targetRect, TRect sourceRect, const TImageView32& target, bool fillFromBackground,
                   const TSkBgCacheRef& background, const TImageView32& source);

// Copies every source pixel whose colour differs from key (colour order; the
// alpha byte is not compared) to target (x, y) with alpha 255. Parts falling
// outside the target are left out, on any side.
void CopyBitmapKeyed(const TImageView32& target, const TImageView32& source, int x, TColor key, int y);

// Copies the inclusive sourceRect to target (x, y); pixels of the key colour
// (colour order, alpha not compared) are left, filled from the background or
// painted with its FillColor as the background allows.
void DrawKeyedPart(const TImageView32& target, const TImageView32& source, int x, bool fillFromBackground,
                   const TSkBgCacheRef& background, TColor key, TRect sourceRect, int y);

// Decodes a PNG file into a 32-bit bitmap with its alpha. Unreadable files
// raise EFOpenError, damaged images the PNG reader's exceptions.
void LoadPngFileToBitmap(TBitmap32& bitmap, const std::string& fileName);

}  // namespace ad::skin
