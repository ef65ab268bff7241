// What the grid's in-place edit decides without a window: its inner margins
// with the info box (glyph and colour preview), the info box's and the
// preview's places, and its text read as the typed values the grid stores.
// The text stays UTF-16 throughout; no 8-bit copy is ever made.
#pragma once

#include <cstdint>
#include <string>

#include "base/Geometry.h"
#include "grid/CellConvert.h"
#include "grid/GridTypes.h"

namespace ad::grid {

// Width of the colour preview square.
constexpr int EditPreviewWidth = 20;

// The inner margins with the info box: with a preview the left margin becomes
// 2 x Left + 25; with a glyph it grows by the glyph's width + 4.
void AdjustEditMargins(int& Left, int& Right, bool ShowPreview, int GlyphWidth);

// The info box at the edit's left edge: glyph width + 4 (0 without a glyph),
// plus the preview's width with ShowPreview; shown only with one of them.
int InfoBoxWidth(bool ShowPreview, int GlyphWidth);
bool InfoBoxShown(bool ShowPreview, int GlyphWidth);

// The preview square in the edit's client rectangle: right of the glyph and
// its gap, 20 pixels wide.
TRect EditPreviewRect(const TRect& Client, int GlyphWidth);

// Inside the info box: the glyph's top (vertically centred, halves to even), and the preview
// square over the box height from x = glyph width + 2 (0 without a glyph).
int InfoGlyphTop(int BoxHeight, int GlyphHeight);
TRect InfoPreviewRect(int BoxHeight, int GlyphWidth);

// The edit's text read as a value. Empty text reads 0 for numbers and
// date-times; a text that is no such value raises EConvertError.
bool EditTextAsBoolean(std::u16string_view Text, const TFormatSettings& fs);
TDateTime EditTextAsDateTime(std::u16string_view Text, const TFormatSettings& fs);
double EditTextAsFloat(std::u16string_view Text, const TFormatSettings& fs);
std::int32_t EditTextAsInteger(std::u16string_view Text);

}  // namespace ad::grid
