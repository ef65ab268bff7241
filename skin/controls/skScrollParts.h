// The parts of a skinned scroll bar: where the arrows, the track on both
// sides of the thumb and the thumb lie, which part a point hits and which
// value a point stands for, and the painting of arrows, tracks and thumb
// from the skin's scroll sections. Shared by the scroll-bar control and the
// scroll bars of adapted windows.
#pragma once

#include "base/Geometry.h"
#include "skin/engine/image/SkinAlphaDraw.h"
#include "skin/engine/skinfile/SkinTables.h"

namespace ad::skin::controls {

// Parts, numbered as the scroll codes they send.
enum TScrollPart : int { spNone = -1, spFirstArrow = 0, spSecondArrow = 1, spTrackBefore = 2, spTrackAfter = 3,
                         spThumb = 5 };

struct TScrollRange {
    int Min = 0, Max = 100, PageSize = 0, Position = 0;
    // The highest position: Max less the page (less one).
    int Highest() const { return Max - (PageSize > 1 ? PageSize - 1 : 0); }
};

struct TScrollGeometry {
    bool Vertical = false;
    int Length = 0;  // along the bar
    int Arrow = 0;   // an arrow's length
    int ThumbSize = 16;
    TRect FirstArrow, SecondArrow, TrackBefore, TrackAfter, Thumb;
};

constexpr int kMinThumbSize = 16;
constexpr int kMinThumbWithoutArrows = 19;

// How long the thumb may get at least. The scroll-bar control keeps the
// defaults; the bars of adapted windows have a minimum per bar, an
// arrow-long thumb when there is no page, and 19 pixels without arrows.
struct TThumbSizing {
    int MinSize = kMinThumbSize;
    bool ArrowLongWithoutPage = false;
    int MinWithoutArrows = 0;
};

// The parts of a bar of the given size; arrow is the arrow size (the
// manager's scroll-bar width), cut to half the bar when larger. The thumb
// stays inside the track whatever the position.
TScrollGeometry ThumbGeometry(bool vertical, int width, int height, int arrow, const TScrollRange& range,
                              bool enabled, const TThumbSizing& sizing = {});
int PartAtPoint(const TScrollGeometry& g, TPoint p);
// The value a point along the bar stands for (the thumb's centre there).
int ValueAtPoint(const TScrollGeometry& g, const TScrollRange& range, TPoint p, bool enabled);

// An arrow button (kind 0 left, 1 up, 2 right, 3 down) in the state, with
// its arrow in the section's font colour.
void PaintArrowButton(const TImageView32& bitmap, const TRect& rect, TPoint offset, const TSkBgCacheRef& background,
                      int kind, int state, const TSkinTables& skin);
// A track piece: before (first) or after the thumb.
void PaintTrack(const TImageView32& bitmap, const TRect& rect, TPoint offset, const TSkBgCacheRef& background,
                bool vertical, bool before, int state, const TSkinTables& skin);
void PaintThumb(const TImageView32& bitmap, const TRect& rect, TPoint offset, const TSkBgCacheRef& background,
                bool vertical, int state, const TSkinTables& skin);

}  // namespace ad::skin::controls
