// Skinned text on device contexts and in 32-bit bitmaps: limited DrawText,
// measuring, cutting with an ellipsis, a rotated font, captions in a skin
// section's colours with their one-pixel outlines, ink written into bitmaps
// with alpha, and the blurred glow behind a text. Text is 8-bit (ANSI).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "framework/Graphics.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/skinfile/SkinTables.h"
#include "skin/engine/paint/SkinTextRules.h"

namespace ad::skin {

// DrawTextA with at most kMaxDrawTextLength characters of text.
int DrawTextLimited(HDC dc, std::string_view text, RECT& rect, UINT format);
// The size of text in font: with wrap, laid out in width (DT_CALCRECT); else
// its extent on one line ((0, 0) when the system does not answer).
TSize MeasureFontText(HFONT font, const std::string& text, UINT format, int width, bool wrap);
// text cut to width with "..." in the DC's current font.
std::string EllipsisToWidth(HDC dc, const std::string& text, int width);
bool FontsEqual(TFont& a, TFont& b);

// A rotated copy of a font selected into a DC with the font's colour as text
// colour; on destruction the previous font is selected back and the copy is
// deleted (a font is never deleted while selected).
class TRotatedFontSelection {
public:
    // escapement in tenths of a degree; the bitmap dialog font becomes "Arial".
    TRotatedFontSelection(HDC dc, TFont& font, int escapement);
    ~TRotatedFontSelection();
    TRotatedFontSelection(const TRotatedFontSelection&) = delete;
    TRotatedFontSelection& operator=(const TRotatedFontSelection&) = delete;
    HFONT Handle() const { return font_.Get(); }

private:
    HDC dc_;
    OwnedFont font_;
    HGDIOBJ previous_ = nullptr;
};

// The skin whose colours a caption takes: the given one, else the default manager's.
const TSkinTables* TextSkin(const TSkinTables* skin);

// text in the colours of a section's state (limited to the section's states):
// its outlines, then the font colour; disabled text once in the blended colour;
// without a valid section clGrayText when disabled, the DC's colour otherwise.
void DrawSectionText(HDC dc, const std::string& text, bool enabled, const TSkinTables* skin, int state, int section,
                     UINT format, RECT rect);

// Text drawn black on white in font, then written into target over rect in
// color (InkTextIntoBitmap); wholeText skips the length limit.
void WriteTextToBitmap(const TImageView32& target, const std::string& text, bool smooth, bool wholeText, TColor color,
                       UINT format, const TRect& rect, HFONT font);
// The same in a section's colours: smooth outlines first, then the font
// colour; without a valid section in fallbackColor.
void WriteSectionText(const TImageView32& target, const std::string& text, bool smooth, const TSkinTables* skin,
                      int state, int section, UINT format, const TRect& rect, HFONT font, TColor fallbackColor);

// The 8-bit glow mask a caller keeps between calls; rebuilt only when its size changes.
struct TGlowMask {
    std::vector<uint8_t> Pixels;
    int Width = 0, Height = 0;
    int Builds = 0;  // how often the text was drawn into it
    TImageView8 View() { return {Pixels.data(), Width, Width, Height}; }
};
// Side bits of the glow: the text is also drawn one pixel left, up, right, down.
constexpr int kGlowLeft = 1, kGlowUp = 2, kGlowRight = 4, kGlowDown = 8;
// The glow of text behind rect: the mask (text moved by one pixel, grown by
// size + 4, blurred by size) mixed in color into target.
void PaintTextGlow(const TImageView32& target, const std::string& text, TRect rect, TGlowMask& mask, TColor color,
                   int size, int sides, UINT format, HFONT font);

}  // namespace ad::skin
