// Button glyph painting: the image of a button's glyph strip chosen by its
// state, grayed, blended or colour-toned as the button asks, drawn into the
// button's 32-bit cache or onto a device context. Every caller describes the
// glyph in one TSkGlyphDrawParams and calls DrawImageListGlyph.
#pragma once

#include <windows.h>

#include "base/Bitmap32.h"
#include "framework/ListView.h"
#include "skin/engine/win/SkinCommonData.h"

namespace ad::skin::controls {

class TSkinBitBtn;
class TSkinAlphaImageList;

struct TSkGlyphDrawParams {
    int Blend = 0;        // percent 0..100
    int SkinIndex = -1;   // the section under the glyph; -1: no skin (draw on Canvas)
    int NumGlyphs = 1;    // images side by side in the strip
    int ImageIndex = -1;  // image of an image list
    int State = 0;        // 0 normal, 1 hot, 2 pressed, 3 default
    bool Down = false;
    bool Grayed = false;
    bool Enabled = true;
    bool Reflected = false;
    const TBitmap32* Glyph = nullptr;
    TImageView32 DstBmp{};  // the cache; empty: draw on Canvas
    TRect ImgRect{};
    HDC Canvas = nullptr;
    TColor ToneColor = 0x1FFFFFFF;  // the background under the glyph, or the glyph's tone
    TImageList* Images = nullptr;  // an alpha image list or a plain one
    TSkinManager* SkinManager = nullptr;
    uint8_t DisabledGlyphKind = 0;
};

// The number of images of a list (0 for none), and its image size: an alpha
// image list answers with its scaled size.
int ImageCountOf(const TImageList* list);
int ListImageWidth(const TImageList* list);
int ListImageHeight(const TImageList* list);

// The strip image a state shows: with the standard order (up, disabled,
// pressed) hot shows the up image, any other state the up image on a strip of
// fewer than three, and a disabled up glyph its second image; then the state's
// image, at most the last one.
int GlyphCellIndex(int state, int numGlyphs, bool enabled, bool stdOrder);

// The manager, target bitmap, section and background colour from a control's skin data.
void FillGlyphBackground(TSkinCommonData& data, TSkGlyphDrawParams& params);

void DrawImageListGlyph(TSkGlyphDrawParams params);

// The glyph of the button into its cache (canvas null) or onto canvas.
void DrawBtnGlyph(TSkinBitBtn& button, HDC canvas);

}  // namespace ad::skin::controls
