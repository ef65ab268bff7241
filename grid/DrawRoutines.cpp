// Geometry, colour arithmetic, colour schemes, text and frame drawing over
// ICanvas, and the alpha image loops.
#include "grid/DrawRoutines.h"

#include <cstring>

#include <algorithm>
#include <array>
#include <cmath>

namespace ad::grid {

namespace {

int RoundChannel(double v) {
    if (!(v >= 0)) return 0;  // also NaN
    if (v > 255) return 255;
    return static_cast<int>(std::lrint(v));
}

constexpr int kSchemes = 128, kItems = 24;
using TSchemeTable = std::array<std::array<TColor, kItems>, kSchemes>;

TSchemeTable MakeSchemeTable() {
    // Items 1..23 of schemes 1..6 as red, green, blue.
    static const std::uint8_t rgb[23][6][3] = {
        {{10, 10, 10}, {102, 146, 206}, {155, 159, 166}, {102, 146, 206}, {155, 159, 166}, {155, 159, 166}},
        {{76, 83, 92}, {101, 147, 207}, {111, 112, 116}, {132, 157, 189}, {165, 172, 181}, {59, 59, 59}},
        {{240, 241, 242}, {227, 239, 255}, {240, 241, 242}, {191, 208, 229}, {214, 219, 224}, {133, 133, 133}},
        {{210, 214, 225}, {194, 217, 240}, {210, 214, 225}, {194, 217, 240}, {210, 214, 225}, {210, 214, 225}},
        {{251, 140, 60}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
        {{255, 255, 255}, {255, 255, 255}, {255, 255, 255}, {239, 245, 251}, {245, 247, 249}, {245, 247, 249}},
        {{189, 194, 201}, {175, 210, 255}, {218, 223, 231}, {225, 236, 250}, {239, 242, 246}, {239, 242, 246}},
        {{235, 235, 235}, {221, 231, 238}, {235, 235, 235}, {240, 242, 245}, {235, 235, 235}, {240, 242, 245}},
        {{111, 112, 116}, {21, 66, 139}, {21, 66, 139}, {21, 66, 139}, {21, 66, 139}, {21, 66, 139}},
        {{145, 153, 164}, {154, 198, 255}, {110, 109, 143}, {132, 157, 189}, {165, 172, 181}, {165, 172, 181}},
        {{189, 194, 201}, {175, 210, 255}, {218, 223, 231}, {218, 223, 231}, {218, 223, 231}, {218, 223, 231}},
        {{240, 241, 242}, {227, 239, 255}, {246, 247, 248}, {246, 247, 248}, {246, 247, 248}, {246, 247, 248}},
        {{167, 173, 182}, {101, 147, 207}, {111, 112, 116}, {132, 157, 189}, {165, 172, 181}, {59, 59, 59}},
        {{167, 176, 201}, {167, 176, 201}, {167, 176, 201}, {167, 205, 240}, {167, 205, 240}, {167, 205, 240}},
        {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},  // 15
        {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},  // 16
        {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},  // 17
        {{158, 160, 160}, {184, 207, 233}, {178, 183, 194}, {178, 183, 194}, {178, 183, 194}, {178, 183, 194}},
        {{255, 231, 162}, {255, 231, 162}, {255, 238, 194}, {255, 238, 194}, {255, 238, 194}, {255, 238, 194}},
        {{255, 189, 105}, {255, 189, 105}, {255, 192, 111}, {255, 192, 111}, {255, 192, 111}, {255, 192, 111}},
        {{251, 140, 60}, {251, 140, 60}, {254, 128, 62}, {254, 128, 62}, {254, 128, 62}, {254, 128, 62}},
        {{240, 241, 242}, {227, 239, 255}, {168, 167, 191}, {168, 167, 191}, {168, 167, 191}, {168, 167, 191}},
        {{196, 200, 206}, {182, 214, 255}, {120, 119, 151}, {120, 119, 151}, {120, 119, 151}, {120, 119, 151}},
    };
    TSchemeTable t{};
    for (int item = 1; item < kItems; ++item)
        for (int scheme = 1; scheme <= 6; ++scheme) {
            const std::uint8_t* c = rgb[item - 1][scheme - 1];
            t[static_cast<size_t>(scheme)][static_cast<size_t>(item)] = RGBColor(c[0], c[1], c[2]);
        }
    return t;
}

}  // namespace

bool TCalcProvider::RectsIntersect(const TRect& R1, const TRect& R2) {
    return !(R1.Right < R2.Left || R1.Left > R2.Right || R1.Bottom < R2.Top || R1.Top > R2.Bottom);
}

void TCalcProvider::PosInRect(int Width, int Height, TPoint& Pos, int VertAlign, int HorzAlign, const TRect& Rect,
                              int Margin) {
    switch (HorzAlign) {
        case 1: Pos.X = Rect.Right - Width - Margin; break;
        case 2: Pos.X = (Rect.Left + Rect.Right) / 2 - Width / 2; break;
        default: Pos.X = Rect.Left + Margin;
    }
    switch (VertAlign) {
        case 1: Pos.Y = Rect.Bottom - Height - Margin; break;
        case 2: Pos.Y = (Rect.Top + Rect.Bottom) / 2 - Height / 2; break;
        default: Pos.Y = Rect.Top + Margin;
    }
}

TRect TCalcProvider::ResizeRect(const TRect& Rect, int DLeft, int DTop, int DRight, int DBottom) {
    return TRect{Rect.Left + DLeft, Rect.Top + DTop, Rect.Right + DRight, Rect.Bottom + DBottom};
}

bool TCalcProvider::IsOutsideSquare(const TPoint& P, const TPoint& Centre, int Distance) {
    return std::abs(P.X - Centre.X) > Distance || std::abs(P.Y - Centre.Y) > Distance;
}

TColor BlendColors(TColor Color1, TColor Color2, int Alpha) {
    if (Alpha < 0 || Alpha > 255) throw EAssertionFailed(Format("Blend alpha %d is outside 0..255", Alpha));
    std::uint32_t c1 = static_cast<std::uint32_t>(ColorToRGBValue(Color1));
    std::uint32_t c2 = static_cast<std::uint32_t>(ColorToRGBValue(Color2));
    std::uint32_t a = static_cast<std::uint32_t>(Alpha), b = 255 - a;
    // Red and blue in one product, green in another; no channel carries into the next.
    std::uint32_t rb = (((c1 & 0xFF00FF) * a + (c2 & 0xFF00FF) * b) >> 8) & 0xFF00FF;
    std::uint32_t g = (((c1 & 0x00FF00) * a + (c2 & 0x00FF00) * b) >> 8) & 0x00FF00;
    return static_cast<TColor>(rb | g);
}

TColor MixColors(TColor Color1, TColor Color2, double Fraction) {
    TColor c1 = ColorToRGBValue(Color1), c2 = ColorToRGBValue(Color2);
    auto mix = [Fraction](int a, int b) { return RoundChannel(b * Fraction + a * (1 - Fraction)); };
    return RGBColor(mix(RedOf(c1), RedOf(c2)), mix(GreenOf(c1), GreenOf(c2)),
                    mix(BlueOf(c1), BlueOf(c2)));
}

int BlendChannel(int Src, int Dst, int Alpha) {
    long v = std::lrint(Alpha * Src / 255.0) + std::lrint((1 - Alpha / 255.0) * Dst);
    return static_cast<int>(std::clamp(v, 0L, 255L));
}

TColor GetSchemeColor(int Item, int Scheme) {
    static const TSchemeTable table = MakeSchemeTable();
    int scheme = Scheme & 0x7F, item = Item & 0x7F;
    if (scheme == 0) scheme = DefaultColorScheme;
    if (item >= kItems) return 0;
    return table[static_cast<size_t>(scheme)][static_cast<size_t>(item)];
}

TSize GetTextExtentW(ICanvas& Canvas, std::u16string_view Text) { return Canvas.TextExtent(Text); }
int WideTextHeight(ICanvas& Canvas, std::u16string_view Text) { return Canvas.TextExtent(Text).cy; }
int WideTextWidth(ICanvas& Canvas, std::u16string_view Text) { return Canvas.TextExtent(Text).cx; }

int WideCalcTextWidth(ICanvas& Canvas, std::u16string_view Text) {
    return Canvas.CalcTextRect(Text, TRect{0, 0, 0, 0}, tfLeft).Width();
}

void DrawTextAligned(ICanvas& Canvas, const TRect& Rect, bool RightToLeft, std::u16string_view Text,
                     int Alignment) {
    unsigned flags = tfSingleLine | tfVCenter | tfNoPrefix | tfNoClip | tfEndEllipsis;
    if (Alignment == 1)
        flags |= tfRight;
    else if (Alignment == 2)
        flags |= tfCenter;
    if (RightToLeft) flags |= tfRtlReading;
    Canvas.SetBrushStyle(bsClear);
    Canvas.DrawText(Text, Rect, flags);
    Canvas.SetBrushStyle(bsSolid);
}

void DrawVerticalText(ICanvas& Canvas, const TRect& Rect, std::u16string_view Text, bool MultiLine) {
    const unsigned flags = tfBottom | tfSingleLine | tfNoPrefix | tfNoClip;
    if (!MultiLine || Text.find_first_of(u"\r\n") == std::u16string_view::npos) {
        Canvas.DrawTurnedText(Text, Rect, flags);
        return;
    }
    TRect r = Rect;
    size_t start = 0;
    while (start <= Text.size()) {
        size_t end = Text.find_first_of(u"\r\n", start);
        std::u16string_view line = Text.substr(start, end == std::u16string_view::npos ? end : end - start);
        Canvas.DrawTurnedText(line, r, flags);
        int step = Canvas.TextExtent(line.empty() ? std::u16string_view(u" ") : line).cy;
        r.Left += step;
        r.Right += step;
        if (end == std::u16string_view::npos) break;
        start = end + (Text[end] == u'\r' && end + 1 < Text.size() && Text[end + 1] == u'\n' ? 2 : 1);
    }
}

bool IsNoPoint(const TPoint& P) { return P.X == -1 || P.Y == -1; }

void SwapIntegers(int& A, int& B) { std::swap(A, B); }

void BlendPixelsByChannel(const std::vector<std::uint32_t>& Src, std::vector<std::uint32_t>& Dst) {
    size_t n = std::min(Src.size(), Dst.size());
    for (size_t i = 0; i < n; ++i) {
        std::uint32_t s = Src[i], d = Dst[i];
        int a = static_cast<int>(s >> 24);
        std::uint32_t out = 0;
        for (int shift = 0; shift <= 16; shift += 8)
            out |= static_cast<std::uint32_t>(
                       BlendChannel(static_cast<int>((s >> shift) & 0xFF), static_cast<int>((d >> shift) & 0xFF), a))
                   << shift;
        Dst[i] = out;
    }
}

void BlendPixelsByColor(const std::vector<std::uint32_t>& Src, std::vector<std::uint32_t>& Dst) {
    size_t n = std::min(Src.size(), Dst.size());
    for (size_t i = 0; i < n; ++i) {
        // Channel order does not matter to the blend: both pixels share it.
        int a = static_cast<int>(Src[i] >> 24);
        Dst[i] = static_cast<std::uint32_t>(
            BlendColors(static_cast<TColor>(Src[i] & 0xFFFFFF), static_cast<TColor>(Dst[i] & 0xFFFFFF), a));
    }
}

namespace {

template <typename Blend>
void DrawBlended(ICanvas& canvas, int x, int y, const TBitmap32& g, Blend blend) {
    if (g.Width() <= 0 || g.Height() <= 0) return;  // nothing to paint from an empty image
    const size_t count = static_cast<size_t>(g.Width()) * static_cast<size_t>(g.Height());
    std::vector<std::uint32_t> pixels(count);
    std::memcpy(pixels.data(), g.Data(), count * 4);  // 0xAARRGGBB words
    TRect r{x, y, x + g.Width(), y + g.Height()};
    std::vector<std::uint32_t> work = canvas.ReadPixels(r);
    if (work.size() != count) return;
    blend(pixels, work);
    canvas.WritePixels(r, work);
}

}  // namespace

void TGraphicsProvider::DrawButtonFace(ICanvas& Canvas, const TRect& Rect, bool Down) {
    Canvas.FillRect(Rect, clBtnFace);
    if (Rect.Width() <= 0 || Rect.Height() <= 0) return;
    TColor light = clBtnHighlight, dark = Down ? clWindowFrame : clBtnShadow;
    Canvas.FillRect(TRect{Rect.Left, Rect.Top, Rect.Right - 1, Rect.Top + 1}, light);
    Canvas.FillRect(TRect{Rect.Left, Rect.Top, Rect.Left + 1, Rect.Bottom - 1}, light);
    Canvas.FillRect(TRect{Rect.Left, Rect.Bottom - 1, Rect.Right, Rect.Bottom}, dark);
    Canvas.FillRect(TRect{Rect.Right - 1, Rect.Top, Rect.Right, Rect.Bottom}, dark);
}

void TGraphicsProvider::DrawFocusFrame(ICanvas& Canvas, const TRect& Rect, bool Solid) {
    if (Solid) {
        Canvas.SetBrushStyle(bsSolid);
        Canvas.FrameRect(Rect, clHighlight);
    } else {
        Canvas.DrawFocusRect(Rect);
    }
}

void TGraphicsProvider::DrawVertGradient(ICanvas& Canvas, const TRect& Rect, TColor FromColor, TColor ToColor) {
    int h = Rect.Bottom - Rect.Top;
    if (h <= 0) return;
    for (int row = Rect.Top; row < Rect.Bottom; ++row)
        Canvas.FillRect(TRect{Rect.Left, row, Rect.Right, row + 1},
                        MixColors(FromColor, ToColor, static_cast<double>(row - Rect.Top) / h));
}

void TMaskProvider::DrawAlphaGraphic(ICanvas& Canvas, int X, int Y, const TBitmap32& Graphic) {
    DrawBlended(Canvas, X, Y, Graphic, BlendPixelsByColor);
}

void TDrawProvider::DrawGraphic(ICanvas& Canvas, int X, int Y, const TBitmap32& Graphic) {
    DrawBlended(Canvas, X, Y, Graphic, BlendPixelsByChannel);
}

char16_t TLocalSettings::DecimalSeparator() const { return DefaultTextServices().Settings().DecimalSeparator; }

TLocalSettings& LocalSettings() {
    static TLocalSettings settings;
    return settings;
}

}  // namespace ad::grid
