// Small painting routines of skinned forms and controls over 32-bit pixel
// views: arrows, border strips, glyph strips with state choice and a fading
// reflection, cross-fades and smoothing for animations, window-region runs
// from the key-coloured corners of a border mask, and word helpers of the
// PNG and gradient code. Portable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/engine/image/SkinAlphaDraw.h"
#include "skin/engine/skinfile/SkinRecords.h"
#include "skin/engine/skinfile/SkinTables.h"

namespace ad::skin {

// The arrow width W (7 at start, rescaled with the skin's scale level) and
// its length L = W div 2 + W mod 2.
int ArrowWidth();
int ArrowLength();
void SetArrowWidth(int width);

enum TArrowDirection : int { adLeft = 0, adUp = 1, adRight = 2, adDown = 3 };
// A filled triangle centred in rect; nothing when its box would leave the
// bitmap or reach its right or bottom edge.
void DrawArrowTriangle(const TImageView32& bitmap, TColor color, const TRect& rect, int direction);

// The four border strips of rect at alpha 255: the top strip over the whole
// width, then left, bottom and right between it and the bottom strip.
void PaintBorderStrips32(const TImageView32& bitmap, const TRect& rect, int left, TColor color, int bottom, int right,
                         int top);

// Copies the inclusive sourceRect to (x, y) leaving out pixels of the key
// colour (filled from a Ready background instead).
void CopyKeyedRect(const TImageView32& target, const TImageView32& source, int x, const TSkBgCacheRef& background,
                   TColor key, const TRect& sourceRect, int y);

// Which image of a glyph strip a state shows: kind 0 plain, 1 the second
// image, 2 per state, 3 the third; -1 for kinds that draw nothing.
// stdOrder is the manager's StdGlyphsOrder option; fourBit tells a strip that
// came as a 16-colour bitmap.
int GlyphImageIndex(int kind, bool enabled, int state, int imageCount, bool stdOrder, bool fourBit);

// One image of a horizontal strip at rect's top-left: keyed by the chosen
// image's bottom-left pixel, or, disabled with a blend weight, image 0
// blended; reflect lifts the image by an eighth of rect's height and puts a
// fading mirror image below it.
struct TGlyphDraw {
    bool Reflect = false;
    int State = 0;
    int Blend = 0;
    int Kind = 0;
    bool Enabled = true;
    int ImageCount = 1;
    bool StdOrder = false;
    bool FourBit = false;
};
void DrawStateGlyph(const TImageView32& target, const TImageView32& strip, TRect rect, const TGlyphDraw& glyph);

// A faded mirror of sourceRect's rows directly below rect; key pixels are
// skipped. Nothing when fewer than two rows would show.
void DrawKeyedReflection(const TImageView32& target, const TImageView32& source, const TRect& rect, int transparency,
                         uint32_t key, const TRect& sourceRect);

// Mixes from and to into result (all the same size, else nothing): without a
// mask level 0 gives to and 255 almost from; with one, each channel of the
// mask weighs from against to.
void CrossFadeBitmaps(const TImageView32& result, const TImageView32& from, const TImageView32& to, int level,
                      const TImageView32* mask = nullptr);

// Three-tap smoothing over rows, then columns; pixels of alpha 16 or less are
// holes that do not spread colour into opaque pixels.
void SmoothBitmap32(const TImageView32& bitmap);

// Window-region runs of the key-coloured pixels (value 0x00FF00FF) in the
// corners of a border mask: its top border rows, or with bottom its bottom
// border rows, each run one row high at rowOffset + row, right-corner runs
// moved to the window's right edge.
void CollectMaskRegionRuns(std::vector<TRect>& runs, int windowWidth, const TSkinMaskData& mask, bool bottom,
                           int rowOffset, const TSkinTables& skin);

uint32_t SwapDword(uint32_t value);
void SwapDwords(uint32_t* values, size_t count);
void FillInts(int32_t* values, size_t count, int32_t value);

}  // namespace ad::skin
