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
    TColor Color = 0;  // resolved 0x00BBGGRR
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
    std::vector<std::uint32_t> ReadPixels(const TRect& r) override;
    void WritePixels(const TRect& r, const std::vector<std::uint32_t>& pixels) override;

    // 0x00BBGGRR at (x, y); 0 outside the surface.
    TColor Pixel(int x, int y) const;
    std::vector<const TCanvasCall*> CallsOf(const std::string& kind) const;

    int Width, Height;
    int CharWidth = 7, CharHeight = 13;
    TBrushStyle Brush = bsSolid;
    std::vector<TColor> Surface;
    std::vector<TCanvasCall> Calls;

private:
    void Record(const char* kind, const TRect& r, TColor color = 0, std::u16string_view text = {}, unsigned flags = 0);
    void Fill(const TRect& r, TColor color);
};

}  // namespace ad::grid
