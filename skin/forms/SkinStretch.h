// A source image painted into a destination rectangle as a nine-grid: the
// corners copied as they are, the edges and the centre stretched (nearest
// pixel), every fuchsia pixel of the source left out. The title bar's items
// paint their frames with it.
#pragma once

#include "base/Bitmap32.h"
#include "base/Geometry.h"

namespace ad::skin::forms {

// left, top, right, bottom: the widths of the grid's borders in the source.
// Corners stay inside both bitmaps; an edge or centre of size 0 or less is skipped.
void StretchNineGridKeyed(const TImageView32& target, const TImageView32& source, const TRect& targetRect, int left,
                          int top, int right, int bottom, const TRect& sourceRect);

}  // namespace ad::skin::forms
