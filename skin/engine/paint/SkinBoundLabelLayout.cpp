// Layout of bound caption labels.
#include "skin/engine/paint/SkinBoundLabelLayout.h"

namespace ad::skin {

TAlignment BoundLabelAlignment(TSkinCaptionLayout layout) {
    switch (layout) {
        case sclLeft:
        case sclTopRight:
        case sclBottomRight: return taRightJustify;
        case sclTopCenter:
        case sclBottomCenter: return taCenter;
        default: return taLeftJustify;
    }
}

int BoundLabelMaxWidth(int maxWidth) { return maxWidth <= 0 ? 9999 : maxWidth; }

TPoint BoundLabelPosition(TSkinCaptionLayout layout, const TRect& f, TSize label, int indent) {
    const int leftOfControl = f.Left - label.cx - indent - 4;
    const int top = f.Top - label.cy - indent, bottom = f.Top + f.Height() + indent;
    const int alignedLeft = f.Left, centred = f.Left + (f.Width() - label.cx) / 2,
              right = f.Left + f.Width() - label.cx;
    switch (layout) {
        case sclLeft: return {leftOfControl, f.Top + (f.Height() - label.cy) / 2};
        case sclLeftTop: return {leftOfControl, f.Top + 3};
        case sclTopLeft: return {alignedLeft, top};
        case sclTopCenter: return {centred, top};
        case sclTopRight: return {right, top};
        case sclBottomLeft: return {alignedLeft, bottom};
        case sclBottomCenter: return {centred, bottom};
        case sclBottomRight: return {right, bottom};
    }
    return {leftOfControl, f.Top};
}

}  // namespace ad::skin
