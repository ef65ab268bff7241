// The shared geometry at the Win32 boundary: base's rectangles and points to
// and from RECT and POINT.
#pragma once

#include <windows.h>

#include "base/Geometry.h"

namespace ad {

inline RECT ToRECT(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }
inline TRect FromRECT(const RECT& r) { return TRect{r.left, r.top, r.right, r.bottom}; }
inline POINT ToPOINT(const TPoint& p) { return POINT{p.X, p.Y}; }
inline TPoint FromPOINT(const POINT& p) { return TPoint{p.x, p.y}; }

}  // namespace ad
