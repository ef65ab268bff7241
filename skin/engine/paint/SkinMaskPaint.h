// Painting skin masks: the nine-part draw that lays a border mask over any
// rectangle (corners kept, edges and centre tiled or stretched, borders cut
// when the rectangle is too small), one state frame at a point, key-coloured
// corners filled from the background, and the disabled look. Masks of key
// colour (MaskType 0) and masks with an alpha part below their colour part are
// both handled. Every piece is clipped to the target and to the mask's image.
// Portable.
#pragma once

#include <utility>

#include "skin/engine/image/SkinAlphaDraw.h"
#include "skin/engine/skinfile/SkinRecords.h"
#include "skin/engine/skinfile/SkinTables.h"

namespace ad::skin {

// Draw flags of the nine-part draw (beside kMaskStretch and kMaskNoNormalImage).
constexpr uint16_t kMaskPaintCentre = 4;

// The drawn widths of two opposite borders in a length: when they do not fit,
// each gives up half the excess, the second one the odd pixel too.
std::pair<int, int> CutBorders(int length, int first, int second);

// The mask's frame for the state over rect. fillFromBackground lets key pixels
// of the corners take the background.
void DrawMaskNineGrid(const TImageView32& target, const TRect& rect, const TSkBgCacheRef& background,
                      bool fillFromBackground, int state, const TSkinMaskData& mask, const TSkinTables& skin);

// The same for bitmaps whose alpha is meaningful (cache bitmaps of translucent
// sections): corners always take the background; alpha pieces blend by the
// alpha part's red m and raise the target's alpha to at least 255 - m (an
// alpha of 0 becomes exactly that); key pixels take a Ready background, else
// become fully transparent.
void DrawMaskNineGridAlpha(const TImageView32& target, const TRect& rect, const TSkBgCacheRef& background, int state,
                           const TSkinMaskData& mask, const TSkinTables& skin);

// The same for layered-window images: every alpha piece weighs opacity
// (0..255) as well, and each border strip is drawn at most as thick as
// borderLimits gives for its side (left, top, right, bottom), its outer part.
void DrawMaskNineGridLayered(const TImageView32& target, const TRect& rect, const TSkBgCacheRef& background,
                             int opacity, const TRect& borderLimits, int state, const TSkinMaskData& mask,
                             const TSkinTables& skin);

// Corner bits of DrawMaskCorners.
enum TSkinCornerBit : int { cbTopLeft = 1, cbBottomLeft = 2, cbTopRight = 4, cbBottomRight = 8, cbAllCorners = 15 };
// Only the chosen corners of the mask's frame for the state, at rect's
// corners; their key pixels take the background.
void DrawMaskCorners(const TImageView32& target, const TRect& rect, const TSkBgCacheRef& background, int state,
                     int corners, const TSkinMaskData& mask, const TSkinTables& skin);

// One state frame with its top-left at point; mode 1 draws it fully, other
// modes faded (key masks half blended, alpha masks lighter).
void DrawMaskState(const TImageView32& target, TPoint point, int state, const TSkBgCacheRef& background,
                   const TSkinMaskData& mask, int mode, const TSkinTables& skin);

// Corner kinds of FillKeyedFromBackground.
enum TSkinCornerKind : int { ckTopLeft = 0, ckTopRight = 14, ckBottomLeft = 16, ckBottomRight = 17 };
// With a mask: every target pixel of rect whose pixel in the mask's corner
// image is clFuchsia takes the background pixel at the same offset from point.
// Without (null): the rect's alpha becomes 0 first, then its clFuchsia pixels
// take the background.
void FillKeyedFromBackground(const TImageView32& target, const TImageView32& background, const TRect& rect,
                             int cornerKind, const TSkinMaskData* mask, const TSkinTables* skin, TPoint point);

// Effect bits of ApplyDisabledEffects.
constexpr int kDisabledFade = 1;  // fade into the background
constexpr int kDisabledGrey = 2;  // lose colour
constexpr int kDisabledSaturation = -90;
constexpr int kDisabledBlend = 100;  // the bitmap keeps 100/256
// The disabled look of a control's bitmap at point in its parent's background;
// controlColor stands in when the background's FillColor is clFuchsia.
void ApplyDisabledEffects(const TImageView32& bitmap, int effects, TPoint point, const TSkBgCacheRef& background,
                          TColor controlColor);

}  // namespace ad::skin
