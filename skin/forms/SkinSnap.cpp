// Snapping geometry.
#include "skin/forms/SkinSnap.h"

namespace ad::skin::forms {

int SnapDistance(int a, int b, int range) { return a >= b - range && a <= b + range ? a - b : 0; }

TRect OuterRect(const TSkOuterOffsets& o, TRect r, bool grow) {
    const int s = grow ? 1 : -1;
    r.Left -= s * o.Left;
    r.Top -= s * o.Top;
    r.Right += s * o.Right;
    r.Bottom += s * o.Bottom;
    return r;
}

TPoint SnapToRect(const TRect& target, const TRect& window, int x, int y, int range) {
    TPoint d{SnapDistance(x, target.Left, range), SnapDistance(y, target.Top, range)};
    if (d.X == 0) d.X = SnapDistance(x + window.Width(), target.Right, range);
    if (d.Y == 0) d.Y = SnapDistance(y + window.Height(), target.Bottom, range);
    return d;
}

TPoint SnapPosition(int x, int y, const TRect& window, const TRect& work, const std::vector<TRect>& others,
                    const TSkOuterOffsets& outer, int range) {
    TPoint found{};
    auto target = [&](const TRect& strip) {
        const TPoint d = SnapToRect(OuterRect(outer, strip, false), window, x, y, range);
        if (found.X == 0) found.X = d.X;
        if (found.Y == 0) found.Y = d.Y;
    };
    for (const TRect& other : others) {
        if (found.X != 0 && found.Y != 0) break;
        const TRect r = OuterRect(outer, other, true);
        const bool overlapsX = window.Left < r.Right && window.Right > r.Left;
        const bool overlapsY = window.Top < r.Bottom && window.Bottom > r.Top;
        if (overlapsY) target({work.Left, r.Top, r.Left, r.Bottom});
        if (overlapsX) target({r.Left, work.Top, r.Right, r.Top});
        if (overlapsY) target({r.Right, r.Top, work.Right, r.Bottom});
        if (overlapsX) target({r.Left, r.Bottom, r.Right, work.Bottom});
    }
    if (found.X == 0 || found.Y == 0) target(work);
    return {x - found.X, y - found.Y};
}

bool RectsTouch(const TRect& a, const TRect& b) {
    return b.Top == a.Bottom || b.Left == a.Right || a.Top == b.Bottom || a.Left == b.Right;
}

}  // namespace ad::skin::forms
