// Control borders into cache images, regions from runs, window re-making.
#include "skin/engine/win/SkinControlBorder.h"

#include <algorithm>
#include <array>

#include "framework/WinGeometry.h"
#include "skin/engine/paint/SkinMaskPaint.h"

namespace ad::skin {
namespace {

// The four strips of a frame of the given widths inside r (left and right
// full height, top and bottom between them).
std::array<TRect, 4> FrameStrips(const TRect& r, int left, int top, int right, int bottom) {
    return {TRect{r.Left, r.Top, r.Left + left, r.Bottom}, TRect{r.Right - right, r.Top, r.Right, r.Bottom},
            TRect{r.Left + left, r.Top, r.Right - right, r.Top + top},
            TRect{r.Left + left, r.Bottom - bottom, r.Right - right, r.Bottom}};
}

// Pixels of r taken from the parent's image at (dx, dy) further on.
void CopyFromParent(const TImageView32& target, const TRect& r, const TImageView32& parent, int dx, int dy) {
    for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, target.Height); ++y)
        for (int x = std::max(r.Left, 0); x < std::min(r.Right, target.Width); ++x) {
            const int px = x + dx, py = y + dy;
            if (px >= 0 && py >= 0 && px < parent.Width && py < parent.Height)
                SetPixel32(target, x, y, GetPixel32(parent, px, py));
        }
}

TRect Deflated(const TRect& r, int by) {
    TRect d{r.Left + by, r.Top + by, r.Right - by, r.Bottom - by};
    if (d.Right < d.Left) d.Left = d.Right = r.Left + r.Width() / 2;
    if (d.Bottom < d.Top) d.Top = d.Bottom = r.Top + r.Height() / 2;
    return d;
}

}  // namespace

void PaintControlBorder(HDC dc, const TRect& rect, int extraWidth, TRect& innerRect, int state,
                        TSkinCommonData& data) {
    innerRect = rect;
    const TColor c = data.BackgroundColor(state);
    TSkParentBgRequest parent;
    if (data.OwnerParent()) parent = data.AskParentBg();
    const TSkinTables* skin = data.Skin();
    if (!skin || !skin->IsValidMaskIndex(data.BorderIndex)) {
        if (extraWidth > 0 && dc) {
            OwnedBrush brush(CreateSolidBrush(ColorToRGB(c)));
            for (const TRect& s : FrameStrips(rect, extraWidth, extraWidth, extraWidth, extraWidth)) {
                const RECT r = ToRECT(s);
                FillRect(dc, &r, brush.Get());
            }
            innerRect = Deflated(rect, extraWidth);
        }
        return;
    }
    const TSkinMaskData& mask = skin->Mask(data.BorderIndex);
    const int states = skin->IsValidSectionIndex(mask.SectionIndex) ? skin->Section(mask.SectionIndex).States : 1;
    state = std::clamp(state, 0, std::max(0, states - 1));
    data.PrepareCacheImage();
    const TImageView32 view = data.CacheImage->View();
    if (view.Empty()) return;
    GdiFlush();
    const int left = data.OwnerControl ? data.OwnerControl->Left() : 0;
    const int top = data.OwnerControl ? data.OwnerControl->Top() : 0;
    if (mask.MaskType == 1) {
        if (data.StateFlags & kSeeThrough) {
            for (const TRect& s : FrameStrips(rect, mask.WL, mask.WT, mask.WR, mask.WB))
                FillRect32(view, s, TColor(SkinColorToRGB(c)), 255);
        } else if (parent.Kind == pbImage && !parent.Bmp.Empty()) {
            const int b = std::max({int(mask.WL), int(mask.WT), int(mask.WR), int(mask.WB)});
            for (const TRect& s : FrameStrips(rect, b, b, b, b))
                CopyFromParent(view, s, parent.Bmp, left + parent.OffsetX, top + parent.OffsetY);
        }
    }
    TSkBgCacheRef background = parent.Kind != pbNone ? MakeBgCacheRef(parent) : TSkBgCacheRef{};
    if (parent.Kind == pbNone) background.FillColor = TColor(SkinColorToRGB(c));
    background.X += left;
    background.Y += top;
    DrawMaskNineGrid(view, rect, background, true, state, mask, *skin);
    innerRect = {rect.Left + mask.WL, rect.Top + mask.WT, rect.Right - mask.WR, rect.Bottom - mask.WB};
    if (extraWidth <= 0) return;
    // The frame of extraWidth inside the border, as far as the border leaves it.
    const int w = rect.Width(), h = rect.Height();
    const int l = std::max(0, std::min(extraWidth, w - mask.WR) - mask.WL);
    const int r = std::max(0, std::min(extraWidth, w - mask.WL) - mask.WR);
    const int t = std::max(0, std::min(extraWidth, h - mask.WB) - mask.WT);
    const int b = std::max(0, std::min(extraWidth, h - mask.WT) - mask.WB);
    const TRect within{rect.Left + mask.WL, rect.Top + mask.WT, rect.Right - mask.WR, rect.Bottom - mask.WB};
    for (const TRect& s : FrameStrips(within, l, t, r, b)) FillRect32(view, s, TColor(SkinColorToRGB(c)), 255);
    innerRect = Deflated(rect, extraWidth);
    if (!dc) return;
    for (const TRect& s : FrameStrips(rect, extraWidth, extraWidth, extraWidth, extraWidth))
        data.CacheImage->Draw(dc, s.Left, s.Top, s);
}

OwnedRegion RegionFromRuns(const std::vector<TRect>& runs) {
    if (runs.empty()) return OwnedRegion(CreateRectRgn(0, 0, 0, 0));
    std::vector<uint8_t> buffer(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = DWORD(runs.size());
    data->rdh.nRgnSize = DWORD(runs.size() * sizeof(RECT));
    RECT bounds{runs[0].Left, runs[0].Top, runs[0].Right, runs[0].Bottom};
    auto* rects = reinterpret_cast<RECT*>(data->Buffer);
    for (size_t i = 0; i < runs.size(); ++i) {
        rects[i] = {runs[i].Left, runs[i].Top, runs[i].Right, runs[i].Bottom};
        UnionRect(&bounds, &bounds, &rects[i]);
    }
    data->rdh.rcBound = bounds;
    return OwnedRegion(ExtCreateRegion(nullptr, DWORD(buffer.size()), data));
}

void SetFlagAndRecreate(TWinControl* control, uint8_t& flag, uint8_t value) {
    if (flag == value) return;
    flag = value;
    if (!control || control->Destroying() || !control->HandleAllocated()) return;
    control->DestroyHandle();
    control->Handle();
}

}  // namespace ad::skin
