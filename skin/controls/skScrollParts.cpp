// Scroll-bar parts: geometry, hit test, value under a point and painting.
#include "skin/controls/skScrollParts.h"

#include <algorithm>
#include <cmath>

#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/paint/SkinDataRules.h"
#include "skin/engine/paint/SkinSectionPaint.h"
#include "skin/engine/paint/SkinSmallPaint.h"

namespace ad::skin::controls {

namespace {

// A rectangle from positions along the bar, across its whole width.
TRect Along(const TScrollGeometry& g, int from, int to, int cross) {
    return g.Vertical ? TRect{0, from, cross, to} : TRect{from, 0, to, cross};
}

int AlongOf(const TScrollGeometry& g, TPoint p) { return g.Vertical ? p.Y : p.X; }

// Paints with the record's section, or with the fallback common section when the skin lacks it.
void PaintRecord(const TImageView32& bitmap, const TRect& rect, TPoint offset, const TSkBgCacheRef& background,
                 const TSkinSectionRecord& record, int fallback, int state, const TSkinTables& skin) {
    int section = record.SectionIndex, mask = record.BorderIndex, texture = record.TextureIndex;
    if (!skin.IsValidSectionIndex(section)) {
        section = skin.CommonIndexes[size_t(fallback)];
        if (!skin.IsValidSectionIndex(section)) {
            FillRect32(bitmap, rect, 0xC8D0D4, 255);
            return;
        }
        mask = skin.Section(section).BorderIndex;
        texture = skin.Section(section).Props[0].TextureIndex;
    }
    PaintSectionWithMask(bitmap, rect, offset, background, section, ClampSectionState(skin, section, state), mask,
                         texture, skin);
}

TColor ArrowColour(const TSkinSectionRecord& record, int fallback, int state, const TSkinTables& skin) {
    int section = record.SectionIndex;
    if (!skin.IsValidSectionIndex(section)) section = skin.CommonIndexes[size_t(fallback)];
    if (!skin.IsValidSectionIndex(section)) return 0;
    return skin.Section(section).Props[size_t(ClampSectionState(skin, section, state))].FontColor;
}

}  // namespace

TScrollGeometry ThumbGeometry(bool vertical, int width, int height, int arrow, const TScrollRange& range,
                              bool enabled, const TThumbSizing& sizing) {
    TScrollGeometry g;
    g.Vertical = vertical;
    g.Length = vertical ? height : width;
    const int cross = vertical ? width : height;
    g.Arrow = std::min(std::max(0, arrow), g.Length / 2);
    g.FirstArrow = Along(g, 0, g.Arrow, cross);
    g.SecondArrow = Along(g, std::max(g.Length - g.Arrow, g.Length / 2), g.Length, cross);
    const int track = g.Length - 2 * g.Arrow;
    const int pageLess = std::max(range.PageSize - 1, 0);
    if (range.PageSize == 0) {
        g.ThumbSize = sizing.ArrowLongWithoutPage ? std::max(g.Arrow, sizing.MinSize) : sizing.MinSize;
    } else {
        const int span = range.Max + range.PageSize - pageLess - range.Min;
        g.ThumbSize = std::max(span > 0 ? int(std::lround(double(track) / span * range.PageSize)) : track,
                               sizing.MinSize);
    }
    if (g.Arrow == 0) g.ThumbSize = std::max(g.ThumbSize, sizing.MinWithoutArrows);
    const int steps = range.Max - range.Min - pageLess;
    int centre = g.Length / 2;
    if (enabled && steps != 0)
        centre = g.Arrow + g.ThumbSize / 2 +
                 int(std::lround(double(track - g.ThumbSize) / steps * (range.Position - range.Min)));
    int start = centre - g.ThumbSize / 2;
    if (range.Max <= range.Min) start = g.Arrow;  // nothing to scroll: at the track start
    if (g.ThumbSize <= track) start = std::clamp(start, g.Arrow, g.Arrow + track - g.ThumbSize);
    g.Thumb = Along(g, start, start + g.ThumbSize, cross);
    g.TrackBefore = Along(g, 0, start + g.ThumbSize / 2, cross);
    g.TrackAfter = Along(g, start + g.ThumbSize / 2, g.Length, cross);
    return g;
}

int PartAtPoint(const TScrollGeometry& g, TPoint p) {
    if (Contains(g.FirstArrow, p)) return spFirstArrow;
    if (Contains(g.SecondArrow, p)) return spSecondArrow;
    if (Contains(g.Thumb, p)) return spThumb;
    if (Contains(g.TrackBefore, p)) return spTrackBefore;
    if (Contains(g.TrackAfter, p)) return spTrackAfter;
    return spNone;
}

int ValueAtPoint(const TScrollGeometry& g, const TScrollRange& range, TPoint p, bool enabled) {
    const int free = g.Length - 2 * g.Arrow - g.ThumbSize;
    if (!enabled || free <= 0) return range.Min;
    const int steps = range.Max - range.Min - std::max(range.PageSize - 1, 0);
    return range.Min + int(std::lround(double(AlongOf(g, p) - g.Arrow - g.ThumbSize / 2) * steps / free));
}

void PaintArrowButton(const TImageView32& bitmap, const TRect& rect, TPoint offset, const TSkBgCacheRef& background,
                      int kind, int state, const TSkinTables& skin) {
    if (IsEmpty(rect)) return;
    const TSkinSectionRecord& record = skin.CommonMasks.ScrollButtons[size_t(std::clamp(kind, 0, 3))];
    PaintRecord(bitmap, rect, offset, background, record, csButton, state, skin);
    static constexpr int kDirection[4] = {adLeft, adUp, adRight, adDown};
    DrawArrowTriangle(bitmap, ArrowColour(record, csButton, state, skin), rect, kDirection[std::clamp(kind, 0, 3)]);
}

void PaintTrack(const TImageView32& bitmap, const TRect& rect, TPoint offset, const TSkBgCacheRef& background,
                bool vertical, bool before, int state, const TSkinTables& skin) {
    if (IsEmpty(rect)) return;
    const TSkinSectionRecord& record = skin.CommonMasks.ScrollBars[size_t((before ? 0 : 2) + (vertical ? 1 : 0))];
    PaintRecord(bitmap, rect, offset, background, record, csSliderOff, state, skin);
}

void PaintThumb(const TImageView32& bitmap, const TRect& rect, TPoint offset, const TSkBgCacheRef& background,
                bool vertical, int state, const TSkinTables& skin) {
    if (IsEmpty(rect)) return;
    PaintRecord(bitmap, rect, offset, background, skin.CommonMasks.ScrollSliders[vertical ? 1 : 0], csButton, state,
                skin);
}

}  // namespace ad::skin::controls
