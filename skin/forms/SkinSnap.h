// Snapping a moved form to the edges of other forms and of the work area, and
// whether two forms touch (glued forms): pure geometry on window rectangles.
#pragma once

#include <vector>

#include "base/Geometry.h"

namespace ad::skin::forms {

// What an extended border adds around a form's window on each side (all 0
// without one).
struct TSkOuterOffsets {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// a - b when a lies within b - range .. b + range (inclusive), else 0.
int SnapDistance(int a, int b, int range);
// The rectangle grown by the offsets (grow) or shrunk by them.
TRect OuterRect(const TSkOuterOffsets& offsets, TRect rect, bool grow);
// The offsets (dx, dy) that bring a window of W's size proposed at (x, y)
// onto the target's edges: left or top first, else right or bottom; 0 for none.
TPoint SnapToRect(const TRect& target, const TRect& window, int x, int y, int range);
// The snapped position of a window W proposed at (x, y): first against the
// strips beside each other form (left, above, right, below; above and below
// only when W overlaps them horizontally, left and right only when it overlaps
// them vertically), then against the work area for what is still 0.
TPoint SnapPosition(int x, int y, const TRect& window, const TRect& workArea, const std::vector<TRect>& others,
                    const TSkOuterOffsets& outer, int range);
// Two window rectangles touch when an edge of one lies on the opposite edge of the other.
bool RectsTouch(const TRect& a, const TRect& b);

}  // namespace ad::skin::forms
