// The window-free rules of skinned text: the passes that draw a caption with
// its one-pixel outlines, the blur and mix of a text glow, ink turned into
// colour and alpha in 32-bit bitmaps, cutting a text with an ellipsis, and
// placing a glyph beside a caption. Portable.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/TextStyle.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/skinfile/SkinRecords.h"

namespace ad::skin {

// The most characters one DrawText call is given.
constexpr int kMaxDrawTextLength = 5460;

// One drawing of a caption: shifted by (DX, DY) in Color.
struct TTextPass {
    int DX = 0, DY = 0;
    TColor Color = 0;
    friend bool operator==(const TTextPass&, const TTextPass&) = default;
};
// The passes of a section's caption: enabled, the state's outlines that are
// not -1 (left, top, right, bottom, each shifted one pixel that way) and then
// the font colour; disabled, once in state 0's font colour blended toward
// its face colour; without a section (state null) disabled text is clGrayText
// and enabled text keeps fallbackColor.
std::vector<TTextPass> SectionTextPasses(const TSkinGenState* state, const TSkinGenState* normalState, bool enabled,
                                         TColor fallbackColor);

// The separable glow blur of an 8-bit mask: a box of the offsets whose
// Gaussian weight at radius is at least one half (at least one tap each
// side), edges repeated.
void BlurMask8(const TImageView8& mask, double radius);
// Mixes the glow colour into target where the mask is below 255; mask pixel
// (x, y) lies over target pixel (x + origin.X, y + origin.Y).
void MixGlowMask(const TImageView32& target, const TImageView8& mask, TPoint origin, TColor color);

// Ink of a black-on-white work image (same size as the text rectangle) written
// into target at origin in color: smooth takes the luminance as coverage and
// raises the alpha; otherwise each channel is its own coverage and alpha
// becomes 255. White work pixels leave the target as it is.
void InkTextIntoBitmap(const TImageView32& target, TPoint origin, const TImageView32& work, TColor color, bool smooth);

// text cut from its end until it fits width with "..." appended; empty for a
// width of 0 or less, or when not even one character fits with the dots.
using TTextMeasure = std::function<int(std::string_view text)>;
std::string EllipsisToWidth(const std::string& text, int width, const TTextMeasure& measure);

// Glyph and caption inside a rectangle.
enum TGlyphLayout : int { glGlyphLeft, glGlyphRight, glGlyphTop, glGlyphBottom };
constexpr int kLayoutRightToLeft = 4;  // flag bit: left and right exchanged
struct TGlyphTextPlacement {
    TPoint Glyph;
    TRect Caption;
};
// margin and spacing -1 are automatic (margin and spacing a third of the free
// space each, or the margin half of it with a given spacing). The block of
// glyph and caption follows the alignments: along the layout's direction only
// with an automatic margin and a given spacing (the block then lies at the
// start, the centre or the end), across it always (each of glyph and caption
// at the start, centred or at the end). Right-to-left exchanges left and right
// of the layout and of the horizontal alignment.
TGlyphTextPlacement CalcGlyphTextLayout(const TRect& client, TSize glyph, TSize caption, int layout, int margin,
                                        int spacing, int flags, TAlignment alignment = taCenter,
                                        TVerticalAlignment verticalAlignment = taVerticalCenter);

}  // namespace ad::skin
