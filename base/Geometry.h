// Points, sizes and rectangles of the whole system, and the rectangle
// operations every subsystem shares. Rectangles have exclusive Right and
// Bottom edges, as the system's own. Portable: Win32 conversions live with the
// class-library layer (framework/WinGeometry.h).
#pragma once

#include <algorithm>

namespace ad {

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

// No area: a right edge not beyond the left one, or a bottom not below the top.
constexpr bool IsEmpty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

// The point lies inside: on the left or top edge counts, on the right or bottom does not.
constexpr bool Contains(const TRect& r, TPoint p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

// The rectangle moved by dx, dy.
constexpr TRect Offset(const TRect& r, int dx, int dy) { return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

// The rectangle grown by dx on the left and the right and by dy at the top and
// the bottom (negative values shrink it).
constexpr TRect Inflate(const TRect& r, int dx, int dy) { return {r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy}; }

// The area both cover; the empty rectangle {} when they do not overlap.
constexpr TRect Intersect(const TRect& a, const TRect& b) {
    const TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                  std::min(a.Bottom, b.Bottom)};
    return IsEmpty(r) ? TRect{} : r;
}

// The smallest rectangle holding both; an empty one adds nothing ({} when both are empty).
constexpr TRect Union(const TRect& a, const TRect& b) {
    if (IsEmpty(a)) return IsEmpty(b) ? TRect{} : b;
    if (IsEmpty(b)) return a;
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
}

}  // namespace ad
