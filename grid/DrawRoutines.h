// Stateless drawing helpers shared by the grid's controls, displays and
// editors: geometry, colour arithmetic, the header styles' colour schemes,
// wide text measuring and drawing, frames and gradients, and 32-bit images
// with per-pixel alpha. Everything paints through ICanvas.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Bitmap32.h"
#include "base/Color.h"
#include "base/Exception.h"
#include "grid/GridCanvas.h"

namespace ad::grid {

AD_DECLARE_EXCEPTION(EAssertionFailed, Exception);

// base's ColorToRGB in the grid's colour type.
inline TColor ColorToRGBValue(TColor color) { return static_cast<TColor>(ColorToRGB(color)); }

inline int RedOf(TColor c) { return c & 0xFF; }
inline int GreenOf(TColor c) { return (c >> 8) & 0xFF; }
inline int BlueOf(TColor c) { return (c >> 16) & 0xFF; }
inline TColor RGBColor(int r, int g, int b) { return r | (g << 8) | (b << 16); }

class TCalcProvider {
public:
    // Touching edges count as intersecting.
    static bool RectsIntersect(const TRect& R1, const TRect& R2);
    // Alignment 0 near (left/top), 1 far (right/bottom), 2 centred.
    static void PosInRect(int Width, int Height, TPoint& Pos, int VertAlign, int HorzAlign, const TRect& Rect,
                          int Margin);
    static TRect ResizeRect(const TRect& Rect, int DLeft, int DTop, int DRight, int DBottom);
    // More than Distance away from Centre along X or along Y.
    static bool IsOutsideSquare(const TPoint& P, const TPoint& Centre, int Distance);
};

// Alpha 0..255, per channel (Color1*Alpha + Color2*(255-Alpha)) div 256;
// any other alpha raises EAssertionFailed.
TColor BlendColors(TColor Color1, TColor Color2, int Alpha);
// Per channel Color2*Fraction + Color1*(1-Fraction), rounded half to even and
// limited to 0..255.
TColor MixColors(TColor Color1, TColor Color2, double Fraction);
// round(Alpha*Src/255) + round((1-Alpha/255)*Dst), limited to 0..255.
int BlendChannel(int Src, int Dst, int Alpha);

// Colour schemes of the header styles: 24 items for each scheme; scheme 0 is
// the default scheme; both indexes are taken modulo 128.
constexpr int DefaultColorScheme = 2;
TColor GetSchemeColor(int Item, int Scheme);

// Text in the canvas's current font.
TSize GetTextExtentW(ICanvas& Canvas, std::u16string_view Text);
int WideTextHeight(ICanvas& Canvas, std::u16string_view Text);
int WideTextWidth(ICanvas& Canvas, std::u16string_view Text);
int WideCalcTextWidth(ICanvas& Canvas, std::u16string_view Text);
// One line, clear brush, vertically centred, no prefix, no clipping, an end
// ellipsis when it does not fit; Alignment 1 right, 2 centre, else left. The
// brush is solid afterwards.
void DrawTextAligned(ICanvas& Canvas, const TRect& Rect, bool RightToLeft, std::u16string_view Text,
                     int Alignment);
// Turned by 90 degrees at the bottom of Rect; with MultiLine each line of the
// text is drawn on its own, the rectangle moving right by the text height.
void DrawVerticalText(ICanvas& Canvas, const TRect& Rect, std::u16string_view Text, bool MultiLine);

bool IsNoPoint(const TPoint& P);
void SwapIntegers(int& A, int& B);

// The per-pixel loops of the two alpha drawings, over equal-sized buffers:
// Dst (0x00RRGGBB) becomes the blend of Src over it.
void BlendPixelsByChannel(const std::vector<std::uint32_t>& Src, std::vector<std::uint32_t>& Dst);
void BlendPixelsByColor(const std::vector<std::uint32_t>& Src, std::vector<std::uint32_t>& Dst);

class TGraphicsProvider {
public:
    static TColor BlendColors(TColor Color1, TColor Color2, int Alpha) { return grid::BlendColors(Color1, Color2, Alpha); }
    static TColor MixColors(TColor Color1, TColor Color2, double Fraction) { return grid::MixColors(Color1, Color2, Fraction); }
    static int BlendChannel(int Src, int Dst, int Alpha) { return grid::BlendChannel(Src, Dst, Alpha); }
    static void DrawTextAligned(ICanvas& Canvas, const TRect& Rect, bool RightToLeft, std::u16string_view Text,
                                int Alignment) {
        grid::DrawTextAligned(Canvas, Rect, RightToLeft, Text, Alignment);
    }
    static void DrawButtonFace(ICanvas& Canvas, const TRect& Rect, bool Down);
    static void DrawFocusFrame(ICanvas& Canvas, const TRect& Rect, bool Solid);
    static void DrawVertGradient(ICanvas& Canvas, const TRect& Rect, TColor FromColor, TColor ToColor);
    static void ClipToRect(ICanvas& Canvas, const TRect& Rect, bool ShiftByOrigin = true) {
        Canvas.ClipToRect(Rect, ShiftByOrigin);
    }
};

class TMaskProvider {
public:
    static TColor BlendColors(TColor Color1, TColor Color2, int Alpha) { return grid::BlendColors(Color1, Color2, Alpha); }
    // Each pixel becomes BlendColors(source, destination, source alpha).
    static void DrawAlphaGraphic(ICanvas& Canvas, int X, int Y, const TBitmap32& Graphic);
};

class TDrawProvider {
public:
    // Each channel becomes BlendChannel(source, destination, source alpha).
    static void DrawGraphic(ICanvas& Canvas, int X, int Y, const TBitmap32& Graphic);
};

// The locale's decimal separator, for the number editors.
class TLocalSettings {
public:
    char16_t DecimalSeparator() const;
};
TLocalSettings& LocalSettings();

}  // namespace ad::grid
