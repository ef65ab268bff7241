// The recording canvas of the grid's drawing tests.
#include "grid/RecordingCanvas.h"

#include <algorithm>
#include <cstdlib>

#include "grid/DrawRoutines.h"

namespace ad::grid {

namespace {
// Pixels travel as 0x00RRGGBB; the surface keeps colours as 0x00BBGGRR.
std::uint32_t SwapRB(std::uint32_t c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
}  // namespace

TRecordingCanvas::TRecordingCanvas(int width, int height, TColor background)
    : Width(std::max(width, 0)), Height(std::max(height, 0)),
      Surface(static_cast<size_t>(Width) * static_cast<size_t>(Height), ColorToRGBValue(background)) {}

void TRecordingCanvas::Record(const char* kind, const TRect& r, TColor color, std::u16string_view text,
                              unsigned flags) {
    Calls.push_back(TCanvasCall{kind, r, color, FontStyle, std::u16string(text), flags, Brush});
}

void TRecordingCanvas::Fill(const TRect& r, TColor color) {
    for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, Height); ++y)
        for (int x = std::max(r.Left, 0); x < std::min(r.Right, Width); ++x)
            Surface[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)] = color;
}

TSize TRecordingCanvas::TextExtent(std::u16string_view text) {
    return TSize{CharWidth * static_cast<int>(text.size()), CharHeight};
}

TRect TRecordingCanvas::CalcTextRect(std::u16string_view text, const TRect& r, unsigned flags) {
    Record("CalcTextRect", r, 0, text, flags);
    TSize s = TextExtent(text);
    return TRect{r.Left, r.Top, r.Left + s.cx, r.Top + s.cy};
}

void TRecordingCanvas::DrawText(std::u16string_view text, const TRect& r, unsigned flags) {
    Record("DrawText", r, ColorToRGBValue(TextColorValue), text, flags);
}

void TRecordingCanvas::DrawTurnedText(std::u16string_view text, const TRect& r, unsigned flags) {
    Record("DrawTurnedText", r, ColorToRGBValue(TextColorValue), text, flags);
}

void TRecordingCanvas::SetFont(std::u16string_view name, int height, std::uint8_t style) {
    FontName = name;
    FontHeight = height;
    FontStyle = style;
}

void TRecordingCanvas::Plot(int x, int y, TColor color) {
    if (x >= 0 && x < Width && y >= 0 && y < Height)
        Surface[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)] = color;
}

void TRecordingCanvas::Line(int x1, int y1, int x2, int y2, TColor color) {
    TColor c = ColorToRGBValue(color);
    Record("Line", TRect{x1, y1, x2, y2}, c);
    int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1, err = dx + dy;
    int x = x1, y = y1;
    while (!(x == x2 && y == y2)) {
        Plot(x, y, c);
        int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x += sx; }
        if (e2 <= dx) { err += dx; y += sy; }
    }
}

void TRecordingCanvas::Polygon(const std::vector<TPoint>& points, TColor fill, TColor outline) {
    if (points.empty()) return;
    TRect box{points[0].X, points[0].Y, points[0].X, points[0].Y};
    for (const TPoint& p : points) {
        box.Left = std::min(box.Left, p.X);
        box.Top = std::min(box.Top, p.Y);
        box.Right = std::max(box.Right, p.X);
        box.Bottom = std::max(box.Bottom, p.Y);
    }
    Record("Polygon", box, ColorToRGBValue(fill));
    // Even-odd fill at pixel centres, then the outline.
    TColor f = ColorToRGBValue(fill);
    for (int y = box.Top; y <= box.Bottom; ++y)
        for (int x = box.Left; x <= box.Right; ++x) {
            bool inside = false;
            double px = x + 0.5, py = y + 0.5;
            for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
                const TPoint& a = points[i];
                const TPoint& b = points[j];
                if ((a.Y > py) != (b.Y > py) && px < (b.X - a.X) * (py - a.Y) / double(b.Y - a.Y) + a.X) inside = !inside;
            }
            if (inside) Plot(x, y, f);
        }
    TColor o = ColorToRGBValue(outline);
    size_t calls = Calls.size();
    for (size_t i = 0; i < points.size(); ++i) {
        const TPoint& a = points[i];
        const TPoint& b = points[(i + 1) % points.size()];
        Line(a.X, a.Y, b.X, b.Y, o);
        Plot(b.X, b.Y, o);
    }
    Calls.resize(calls);
}

void TRecordingCanvas::InvertRect(const TRect& r) {
    Record("InvertRect", r);
    for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, Height); ++y)
        for (int x = std::max(r.Left, 0); x < std::min(r.Right, Width); ++x) {
            TColor& px = Surface[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)];
            px = ~px & 0xFFFFFF;
        }
}

void TRecordingCanvas::FillRect(const TRect& r, TColor color) {
    TColor c = ColorToRGBValue(color);
    Record("FillRect", r, c);
    Fill(r, c);
}

void TRecordingCanvas::FrameRect(const TRect& r, TColor color) {
    TColor c = ColorToRGBValue(color);
    Record("FrameRect", r, c);
    if (r.Width() <= 0 || r.Height() <= 0) return;
    Fill(TRect{r.Left, r.Top, r.Right, r.Top + 1}, c);
    Fill(TRect{r.Left, r.Bottom - 1, r.Right, r.Bottom}, c);
    Fill(TRect{r.Left, r.Top, r.Left + 1, r.Bottom}, c);
    Fill(TRect{r.Right - 1, r.Top, r.Right, r.Bottom}, c);
}

void TRecordingCanvas::DrawFocusRect(const TRect& r) { Record("FocusRect", r); }

void TRecordingCanvas::ClipToRect(const TRect& r, bool shiftByOrigin) {
    Record("Clip", r, 0, {}, shiftByOrigin ? 1u : 0u);
}

std::vector<std::uint32_t> TRecordingCanvas::ReadPixels(const TRect& r) {
    std::vector<std::uint32_t> out;
    if (r.Width() <= 0 || r.Height() <= 0) return out;
    out.reserve(static_cast<size_t>(r.Width()) * static_cast<size_t>(r.Height()));
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) out.push_back(SwapRB(static_cast<std::uint32_t>(Pixel(x, y))));
    return out;
}

void TRecordingCanvas::WritePixels(const TRect& r, const std::vector<std::uint32_t>& pixels) {
    Record("WritePixels", r);
    if (r.Width() <= 0 || r.Height() <= 0 ||
        pixels.size() != static_cast<size_t>(r.Width()) * static_cast<size_t>(r.Height()))
        return;
    size_t k = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x, ++k)
            if (x >= 0 && x < Width && y >= 0 && y < Height)
                Surface[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)] =
                    static_cast<TColor>(SwapRB(pixels[k] & 0xFFFFFF));
}

TColor TRecordingCanvas::Pixel(int x, int y) const {
    if (x < 0 || x >= Width || y < 0 || y >= Height) return 0;
    return Surface[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)];
}

std::vector<const TCanvasCall*> TRecordingCanvas::CallsOf(const std::string& kind) const {
    std::vector<const TCanvasCall*> out;
    for (const TCanvasCall& c : Calls)
        if (c.Kind == kind) out.push_back(&c);
    return out;
}

}  // namespace ad::grid
