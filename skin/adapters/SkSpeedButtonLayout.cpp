// The speed button's glyph and caption placement.
#include "skin/adapters/SkSpeedButtonLayout.h"

namespace ad::skin::adapters {

TSkSpeedButtonPlacement SpeedButtonLayout(TSize size, TSize glyph, TSize text, int layout, int margin, int spacing,
                                          bool shift) {
    const int w = size.cx, h = size.cy, gw = glyph.cx, gh = glyph.cy, tw = text.cx, th = text.cy;
    const bool hasGlyph = gw > 0 && gh > 0, hasText = tw > 0 && th > 0;
    const int s = hasGlyph && hasText ? spacing : 0;
    TSkSpeedButtonPlacement p;
    const bool sideways = layout == glLeft || layout == glRight;
    // The distance of the leading item from its edge.
    const int lead = margin >= 0 ? margin : sideways ? (w - gw - s - tw) / 2 : (h - gh - s - th) / 2;
    if (hasGlyph) {
        int left = (w - gw) / 2, top = (h - gh) / 2;
        switch (layout) {
            case glRight: left = w - lead - gw; break;
            case glTop: top = lead; break;
            case glBottom: top = h - lead - gh; break;
            default: left = lead; break;
        }
        p.Glyph = TRect(left, top, left + gw, top + gh);
    }
    int left = (w - tw) / 2, top = (h - th) / 2;
    if (hasGlyph) {
        switch (layout) {
            case glRight: left = p.Glyph.Left - spacing - tw; break;
            case glTop: top = p.Glyph.Bottom + spacing - (shift ? 1 : 0); break;
            case glBottom: top = p.Glyph.Top - spacing - th; break;
            default: left = p.Glyph.Right + spacing; break;
        }
    } else if (margin >= 0) {
        switch (layout) {
            case glRight: left = w - margin - tw; break;
            case glTop: top = margin; break;
            case glBottom: top = h - margin - th; break;
            default: left = margin; break;
        }
    }
    p.Caption = TRect(left, top, left + tw, top + th);
    if (shift) {
        p.Glyph = Offset(p.Glyph, 1, 1);
        p.Caption = Offset(p.Caption, 1, 1);
    }
    return p;
}

}  // namespace ad::skin::adapters
