// A canvas for tests: keeps a pixel surface (fills, frames and written pixels
// land on it) and a log of every call, and measures text with a fixed cell of
// CharWidth x CharHeight per character.
#pragma once

#include <string>
#include <vector>

#include "grid/GridCanvas.h"

namespace ad::grid {

struct TCanvasCall {
    std::string Kind;  // "FillRect", "FrameRect", "DrawText", "DrawTurnedText", "FocusRect", "Clip", ...
    TRect Rect;
    TColor Color = 0;  // resolved 0x00BBGGRR (text calls: the text colour)
    std::uint8_t FontStyle = 0;  // text calls: the font's style
    std::u16string Text;
    unsigned Flags = 0;
    TBrushStyle Brush = bsSolid;  // brush style at the time of the call
};

class TRecordingCanvas : public ICanvas {
public:
    TRecordingCanvas(int width, int height, TColor background = 0xFFFFFF);

    TSize TextExtent(std::u16string_view text) override;
    TRect CalcTextRect(std::u16string_view text, const TRect& r, unsigned flags) override;
    void DrawText(std::u16string_view text, const TRect& r, unsigned flags) override;
    void DrawTurnedText(std::u16string_view text, const TRect& r, unsigned flags) override;
    TBrushStyle BrushStyle() const override { return Brush; }
    void SetBrushStyle(TBrushStyle style) override { Brush = style; }
    void FillRect(const TRect& r, TColor color) override;
    void FrameRect(const TRect& r, TColor color) override;
    void DrawFocusRect(const TRect& r) override;
    void ClipToRect(const TRect& r, bool shiftByOrigin) override;
    void SetFont(std::u16string_view name, int height, std::uint8_t style) override;
    void SetTextColor(TColor color) override { TextColorValue = color; }
    TColor TextColor() const override { return TextColorValue; }
    void Line(int x1, int y1, int x2, int y2, TColor color) override;
    void Polygon(const std::vector<TPoint>& points, TColor fill, TColor outline) override;
    void InvertRect(const TRect& r) override;
    std::vector<std::uint32_t> ReadPixels(const TRect& r) override;
    void WritePixels(const TRect& r, const std::vector<std::uint32_t>& pixels) override;

    // 0x00BBGGRR at (x, y); 0 outside the surface.
    TColor Pixel(int x, int y) const;
    std::vector<const TCanvasCall*> CallsOf(const std::string& kind) const;

    int Width, Height;
    int CharWidth = 7, CharHeight = 13;
    TBrushStyle Brush = bsSolid;
    TColor TextColorValue = 0;
    std::u16string FontName;
    int FontHeight = 0;
    std::uint8_t FontStyle = 0;
    std::vector<TColor> Surface;
    std::vector<TCanvasCall> Calls;

private:
    void Record(const char* kind, const TRect& r, TColor color = 0, std::u16string_view text = {}, unsigned flags = 0);
    void Fill(const TRect& r, TColor color);
    void Plot(int x, int y, TColor color);
};

}  // namespace ad::grid
