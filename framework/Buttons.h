// The bitmap button: a push button with a glyph strip beside its caption,
// placed by Layout, Margin and Spacing, drawn by the control itself (owner
// draw) in the classic look. Descendants that paint otherwise replace DrawItem.
#pragma once

#include <windows.h>

#include "base/Bitmap32.h"
#include "framework/StdCtrls.h"

namespace ad {

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Where the glyph (its top-left corner) and the caption go inside client. A
// margin of -1 centres the glyph-and-caption block; otherwise the glyph lies
// margin pixels from the edge its layout names. Spacing -1 spreads the free
// space evenly. The other direction is centred.
struct TBitBtnPlacement {
    POINT Glyph{};
    RECT Caption{};
};
TBitBtnPlacement BitBtnLayout(const RECT& client, SIZE glyph, SIZE caption, TButtonLayout layout, int margin,
                              int spacing);

// True when every alpha byte of the bitmap is 0: its pixels are opaque, keyed
// by the bottom-left pixel of each image (a 24-bit glyph).
bool GlyphIsKeyed(const TBitmap32& strip);
// A button's caption in r with the flags: in color, or, disabled, embossed
// (a highlight copy one pixel down and right under a shadow-coloured one).
void DrawButtonCaption(HDC dc, const std::wstring& text, RECT r, UINT flags, bool disabled, COLORREF color);
// Image index (0 based) of a strip of numGlyphs images drawn at (x, y) on dc:
// by its alpha, or keyed when the strip has no alpha. Nothing for an image
// index outside the strip.
void DrawGlyphImage(HDC dc, const TBitmap32& strip, int numGlyphs, int index, int x, int y);

class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* AOwner);

    // The strip: NumGlyphs images side by side (up, disabled, pressed, down).
    const TBitmap32& Glyph() const { return glyph_; }
    void SetGlyph(const TBitmap32& glyph);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);  // 1..4; other values are clamped
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return margin_; }
    void SetMargin(int value);  // -1: centred
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);

protected:
    void CreateParams(TCreateParams& p) override;
    bool CNDrawItem(DRAWITEMSTRUCT* dis) override;
    // The classic look: frame, glyph and caption.
    virtual void DrawItem(const DRAWITEMSTRUCT& dis);
    // A property that changes the look changed.
    virtual void LookChanged() { Invalidate(); }

private:
    TBitmap32 glyph_;
    int numGlyphs_ = 1;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    bool wordWrap_ = false;
};

}  // namespace ad
