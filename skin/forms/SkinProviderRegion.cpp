// The form's window region: the key-coloured (fuchsia) corner pixels of the
// skin's frame and title masks cut out of the image rectangle, or, for a
// maximised form, the rectangle inside the system frame.
#include "skin/engine/paint/SkinSmallPaint.h"
#include "skin/forms/SkinFormMetrics.h"
#include "skin/forms/SkinProvider.h"

namespace ad::skin::forms {

namespace {
// A window asks not to be shaped while its image is not ready by answering
// this query with its wParam.
constexpr UINT kRegionQuery = 0xBC4D;
constexpr WPARAM kRegionOptOut = 16802;
// SetWindowRgn fails only transiently (the handle is checked first): a few
// tries, then the region waits for the next frame paint.
constexpr int kRegionTries = 3;
}  // namespace

TSkinProvider::TSetWindowRgn TSkinProvider::SetWindowRegion = ::SetWindowRgn;

void TSkinProvider::CollectMaskRects() {
    maskRects_.clear();
    const TSkinTables* skin = Skin();
    HWND wnd = Wnd();
    if (!skin || !wnd || !SkinData || !skin->IsValidSectionIndex(SkinData->SkinIndex)) return;
    const int width = ImageWidth();
    RECT window{};
    ::GetWindowRect(wnd, &window);
    const int height = window.bottom - window.top;
    const int border = skin->Section(SkinData->SkinIndex).BorderIndex;
    if (skin->IsValidMaskIndex(border)) {
        const TSkinMaskData& mask = skin->Mask(border);
        CollectMaskRegionRuns(maskRects_, width, mask, false, 0, *skin);
        CollectMaskRegionRuns(maskRects_, width, mask, true, height - mask.WB, *skin);
    }
    if (skin->IsValidSectionIndex(titleSkinIndex_)) {
        const int title = skin->FindMaskInSection(titleSkinIndex_, "BORDERSMASK");
        if (skin->IsValidMaskIndex(title)) CollectMaskRegionRuns(maskRects_, width, skin->Mask(title), false, 0, *skin);
    }
}

OwnedRegion TSkinProvider::CreateFormRegion(int x, int y) {
    RECT window{};
    if (HWND wnd = Wnd()) ::GetWindowRect(wnd, &window);
    OwnedRegion region(::CreateRectRgn(x, y, x + ImageWidth(), y + (window.bottom - window.top)));
    for (const TRect& r : maskRects_) {
        OwnedRegion cut(::CreateRectRgn(r.Left + x, r.Top + y, r.Right + x, r.Bottom + y));
        ::CombineRgn(region.Get(), region.Get(), cut.Get(), RGN_DIFF);
    }
    return region;
}

void TSkinProvider::RebuildFrame() {
    if (PrepareCache()) {
        CollectMaskRects();
        UpdateFormRegion(false, true);
    }
}

bool TSkinProvider::UpdateFormRegion(bool redraw, bool direct) {
    HWND wnd = Wnd();
    if (!drawNonClientArea_ || !wnd || RegionFrozen) return true;
    if (!HasBorder() && !IsIconic() && !IsSizeable()) return true;
    if (!imageReady_ && ::SendMessageW(wnd, kRegionQuery, kRegionOptOut, 0) == LRESULT(kRegionOptOut)) return true;
    regionBusy_ = true;
    RECT window{};
    ::GetWindowRect(wnd, &window);
    const int width = window.right - window.left, height = window.bottom - window.top;
    OwnedRegion region;
    if (borderForm_) {
        const int b = FormBorderWidth(wnd, nullptr, false);
        region.Reset(::CreateRectRgn(b, b + SysCaptionHeight(form_), width - b, height - b));
    } else if (!IsZoomed()) {
        region = CreateFormRegion(0, 0);
    } else {
        const int b = FormBorderWidth(wnd, nullptr, false), t = FormTopBorder(wnd, nullptr, false);
        region.Reset(::CreateRectRgn(b, t, width - b, height - t));
    }
    regionPending_ = false;
    bool applied = false;
    for (int i = 0; i < kRegionTries && !applied; ++i) {
        applied = SetWindowRegion(wnd, region.Get(), direct && redraw) != 0;
    }
    if (applied) {
        region.Release();  // the system owns it now
    } else {
        regionPending_ = true;  // the region (deleted with its owner) is tried again at the next paint
    }
    if (applied && redraw && !direct) {
        ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
        HandleMessage(WM_NCPAINT);
    }
    regionBusy_ = false;
    return applied;
}

}  // namespace ad::skin::forms
