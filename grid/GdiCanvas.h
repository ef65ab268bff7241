// The grid's canvas over a Windows device context (borrowed, not owned), with
// the wide text calls (the geometry's conversions to the system's types come
// from framework/WinGeometry.h).
#pragma once

#include <windows.h>

#include "framework/Handles.h"
#include "framework/WinGeometry.h"
#include "grid/GridCanvas.h"

namespace ad::grid {

// The system's DT_* flags for a set of TTextFlag bits.
UINT TextFlagsToDT(unsigned flags);

class TGdiCanvas : public ICanvas {
public:
    // Text is drawn in the DC's selected font and text colour until SetFont
    // and SetTextColor choose others; the DC gets its font back when the
    // canvas goes.
    explicit TGdiCanvas(HDC dc);
    ~TGdiCanvas() override;
    TGdiCanvas(const TGdiCanvas&) = delete;
    TGdiCanvas& operator=(const TGdiCanvas&) = delete;
    HDC Handle() const { return dc_; }

    TSize TextExtent(std::u16string_view text) override;
    TRect CalcTextRect(std::u16string_view text, const TRect& r, unsigned flags) override;
    void DrawText(std::u16string_view text, const TRect& r, unsigned flags) override;
    void DrawTurnedText(std::u16string_view text, const TRect& r, unsigned flags) override;
    TBrushStyle BrushStyle() const override { return brush_; }
    void SetBrushStyle(TBrushStyle style) override;
    void FillRect(const TRect& r, TColor color) override;
    void FrameRect(const TRect& r, TColor color) override;
    void DrawFocusRect(const TRect& r) override;
    void ClipToRect(const TRect& r, bool shiftByOrigin) override;
    void SetFont(std::u16string_view name, int height, std::uint8_t style) override;
    void SetTextColor(TColor color) override;
    TColor TextColor() const override { return textColor_; }
    void Line(int x1, int y1, int x2, int y2, TColor color) override;
    void Polygon(const std::vector<TPoint>& points, TColor fill, TColor outline) override;
    void InvertRect(const TRect& r) override;
    std::vector<std::uint32_t> ReadPixels(const TRect& r) override;
    void WritePixels(const TRect& r, const std::vector<std::uint32_t>& pixels) override;

private:
    HDC dc_;
    TBrushStyle brush_ = bsSolid;
    TColor textColor_ = 0;
    OwnedFont font_;
    HGDIOBJ oldFont_ = nullptr;
    // The last brush and pen made, kept for the next call of the same colour.
    HBRUSH BrushOf(TColor color);
    OwnedBrush brushCache_;
    TColor brushColor_ = 0;
    OwnedPen penCache_;
    TColor penColor_ = 0;
    std::u16string fontName_;
    int fontHeight_ = 0;
    std::uint8_t fontStyle_ = 0xFF;
};

}  // namespace ad::grid
