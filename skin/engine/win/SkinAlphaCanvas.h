// The GDI side of alpha image drawing: 32-bit bitmaps blended by their alpha
// onto a canvas (stretched when the sizes differ, with an optional fading
// reflection), other bitmaps stretched plainly, and icons made from bitmaps
// by a key colour or by their alpha over a background colour.
#pragma once

#include <windows.h>

#include "framework/Graphics.h"
#include "framework/Handles.h"
#include "skin/engine/image/SkinAlphaDraw.h"

namespace ad::skin {

// Blends a 32-bit bitmap by its alpha over what the canvas holds in rect
// (right and bottom exclusive); reflect adds a fading mirror image below,
// in half the rectangle's height. A bitmap that is not a 32-bit DIB section
// is stretched into rect with the canvas's ordinary stretch draw.
void DrawBitmapAlpha(TCanvas& canvas, HBITMAP bitmap, const TRect& rect, bool reflect);
void DrawBitmapAlpha(TCanvas& canvas, const TImageView32& bitmap, const TRect& rect, bool reflect);

// An icon whose mask is clear where the bitmap's pixel equals its pixel
// (0, 0). Empty when the bitmap has no pixels or the icon cannot be made.
OwnedIcon BitmapToIconKeyed(HBITMAP bitmap);

// An icon of the bitmap blended by its alpha over color, the mask clear where
// the alpha is 0. A bitmap that is not 32-bit counts clFuchsia pixels as
// transparent and all others as opaque.
OwnedIcon BitmapToIcon(HBITMAP bitmap, TColor color);

}  // namespace ad::skin
