// Where the caption label bound to an edit stands: its text alignment and its
// position for each of the eight layouts, and its largest width. Portable.
#pragma once

#include "base/Geometry.h"
#include "base/TextStyle.h"

namespace ad::skin {

enum TSkinCaptionLayout : int {
    sclLeft = 0,
    sclTopLeft = 1,
    sclTopCenter = 2,
    sclTopRight = 3,
    sclLeftTop = 4,
    sclBottomLeft = 5,
    sclBottomCenter = 6,
    sclBottomRight = 7,
};

// The label's text alignment for the layout.
TAlignment BoundLabelAlignment(TSkinCaptionLayout layout);
// The width the label may grow to before it wraps (9999 for 0 or less).
int BoundLabelMaxWidth(int maxWidth);
// The label's top-left corner for a label of labelSize beside the control's
// bounds (in their common parent), indent apart.
TPoint BoundLabelPosition(TSkinCaptionLayout layout, const TRect& control, TSize labelSize, int indent);

}  // namespace ad::skin
