// The drawing surface the grid's routines paint on: a canvas interface,
// implemented over a device context on Windows (GdiCanvas.h) and by a
// recording canvas for tests (RecordingCanvas.h).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/Geometry.h"
#include "grid/GridTypes.h"

namespace ad::grid {

// Text layout flags of the canvas's text calls (the system's DT_* choices
// that the grid uses).
enum TTextFlag : unsigned {
    tfLeft = 0,
    tfCenter = 1u << 0,
    tfRight = 1u << 1,
    tfVCenter = 1u << 2,
    tfBottom = 1u << 3,
    tfSingleLine = 1u << 4,
    tfNoPrefix = 1u << 5,
    tfNoClip = 1u << 6,
    tfEndEllipsis = 1u << 7,
    tfRtlReading = 1u << 8,
    tfWordBreak = 1u << 9,
    tfPathEllipsis = 1u << 10,
    tfEditControl = 1u << 11,
    tfCalcRect = 1u << 12,
};

enum TBrushStyle : std::uint8_t { bsSolid, bsClear };


class ICanvas {
public:
    virtual ~ICanvas() = default;

    // Text in the canvas's current font.
    virtual TSize TextExtent(std::u16string_view text) = 0;
    // The rectangle that drawing the text in r with these flags would cover.
    virtual TRect CalcTextRect(std::u16string_view text, const TRect& r, unsigned flags) = 0;
    virtual void DrawText(std::u16string_view text, const TRect& r, unsigned flags) = 0;
    // The text turned by 90 degrees (read bottom to top), in a turned copy of
    // the current font that lives only for this call.
    virtual void DrawTurnedText(std::u16string_view text, const TRect& r, unsigned flags) = 0;

    virtual TBrushStyle BrushStyle() const = 0;
    virtual void SetBrushStyle(TBrushStyle style) = 0;

    virtual void FillRect(const TRect& r, TColor color) = 0;
    // A one-pixel frame just inside r.
    virtual void FrameRect(const TRect& r, TColor color) = 0;
    // The system's dotted focus rectangle, drawn with background black and
    // text colour white; the canvas's colours are the same afterwards.
    virtual void DrawFocusRect(const TRect& r) = 0;
    // Restricts drawing to r; shifted by the window origin when asked.
    virtual void ClipToRect(const TRect& r, bool shiftByOrigin) = 0;

    // The font text is drawn and measured in (name, height in the system's
    // logical units, TFontStyle bits) and the colour of text.
    virtual void SetFont(std::u16string_view name, int height, std::uint8_t style) = 0;
    virtual void SetTextColor(TColor color) = 0;
    virtual TColor TextColor() const = 0;

    // A one-pixel line from (x1, y1) up to, not including, (x2, y2).
    virtual void Line(int x1, int y1, int x2, int y2, TColor color) = 0;
    // A filled polygon; its outline in the outline colour.
    virtual void Polygon(const std::vector<TPoint>& points, TColor fill, TColor outline) = 0;
    // Inverts the colours of r.
    virtual void InvertRect(const TRect& r) = 0;

    // The pixels of r as 0x00RRGGBB, rows top to bottom, and back; used by
    // alpha drawing. Pixels outside the surface read as 0 and are not written.
    virtual std::vector<std::uint32_t> ReadPixels(const TRect& r) = 0;
    virtual void WritePixels(const TRect& r, const std::vector<std::uint32_t>& pixels) = 0;
};

}  // namespace ad::grid
