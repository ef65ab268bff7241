// TSkinPanel: section choice, cache and caption.
#include "skin/controls/skPanel.h"

#include "framework/Handles.h"
#include "skin/engine/win/SkinDataMessages.h"
#include "skin/engine/win/SkinDataPaint.h"
#include "skin/engine/win/SkinDataText.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/engine/win/SkinMessaging.h"
#include "skin/engine/win/SkinUtilsWin.h"

namespace ad::skin::controls {

namespace {
constexpr int kPanelKind = 51;

TSkinCommonSection SectionOfBevel(TBevelCut cut) {
    switch (cut) {
        case TBevelCut::bvNone: return csTransparent;
        case TBevelCut::bvLowered: return csPanelLow;
        case TBevelCut::bvSpace: return csGroupBox;
        case TBevelCut::bvRaised: break;
    }
    return csPanel;
}
}  // namespace

TSkinPanel::TSkinPanel(TComponent* AOwner) : TPanel(AOwner) {
    SkinData.ControlKind = kPanelKind;
    SkinData.FinishLoading(false);
}

int TSkinPanel::BevelSectionIndex() const {
    const TSkinManager* manager = SkinData.SkinManager();
    if (!manager || !manager->Skin()) return -1;
    return manager->Skin()->CommonIndexes[SectionOfBevel(BevelOuter())];
}

bool TSkinPanel::PrepareCache() {
    SkinData.PrepareCacheImage();
    const TImageView32 view = SkinData.CacheImage->View();
    if (view.Empty()) return false;
    if (!PaintStateCornersWnd(SkinData, this, SkinData.HotPatternIndex, SkinData.PatternIndex, true, view, {0, 0},
                              {0, 0, view.Width, view.Height}, 0)) {
        SkinData.Updating = true;
        return false;
    }
    SkinData.PaintChildShadows(this, {0, 0});
    if (!Caption().empty() || OnPaint) {
        OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
        SelectObjectScope bitmap(dc.Get(), SkinData.CacheImage->Handle());
        DrawCaption(dc.Get(), InnerRect());
        if (OnPaint) OnPaint(this, dc.Get());
        ::GdiFlush();
    }
    SkinData.BgChanged = false;
    return true;
}

void TSkinPanel::DrawCaption(HDC dc, const RECT& inner) {
    const std::wstring text = WideText();
    if (!ShowCaption || text.empty()) return;
    SelectObjectScope font(dc, EffectiveFont().Handle());
    const UINT align = TextFlagsForAlignment(this, Alignment());
    RECT measure{0, 0, inner.right - inner.left, 0};
    ::DrawTextW(dc, text.c_str(), -1, &measure, DT_CALCRECT | DT_WORDBREAK | align);
    const int top = inner.top + (inner.bottom - inner.top - measure.bottom) / 2;
    DrawDataText(dc, Caption(), Enabled(), false, SkinData, DT_WORDBREAK | align,
                 TRect{inner.left, top, inner.right, top + measure.bottom});
}

void TSkinPanel::Paint(HDC dc, const RECT& clip) {
    if (!SkinData.IsSkinActive()) {
        TPanel::Paint(dc, clip);
        if (OnPaint) OnPaint(this, dc);
        return;
    }
    if (SkinData.BgChanged || !SkinData.CacheImage || SkinData.CacheImage->Empty() ||
        SkinData.CacheImage->Width() != Width() || SkinData.CacheImage->Height() != Height()) {
        if (!PrepareCache()) return;
    }
    SkinData.CacheImage->Draw(dc, 0, 0, {0, 0, Width(), Height()});
}

void TSkinPanel::WndProc(TMessage& m) {
    if (m.Msg == SKM_SKINCMD) {
        switch (SkinCommandOf(m.WParam)) {
            // A skin change reaches the children too: the engine's broadcast
            // stops at a skinned window. A new skin reaches them first.
            case SKC_SKINLOADED:
            case SKC_SKINREMOVED:
            case SKC_SKINREFRESH: {
                const bool childrenFirst = SkinCommandOf(m.WParam) == SKC_SKINLOADED;
                auto toChildren = [&] {
                    TMessage copy = m;
                    BroadcastToChildren(this, copy);
                };
                if (childrenFirst) toChildren();
                if (!HandleCommonWindowMessage(m, &SkinData)) TPanel::WndProc(m);
                if (!childrenFirst && !Destroying()) toChildren();
                return;
            }
            case SKC_GETSKININDEX:
                if (SkinData.SkinManager()) m.Result = BevelSectionIndex() + 1;
                return;
            case SKC_ISSKINNED: m.Result = 1; return;
            case SKC_CACHEVALID:
                if (!SkinData.Updating && !PrepareCache()) SkinData.Updating = true;
                return;
            default: break;
        }
    }
    switch (m.Msg) {
        case CM_INVALIDATE:
        case CM_CHANGED:
            if (BevelOuter() != lastBevel_) {
                lastBevel_ = BevelOuter();
                SkinData.ResolveSectionIndexes(true);
            }
            break;
        case WM_SIZE: SkinData.BgChanged = true; break;
        case CM_COLORCHANGED:
            if (SkinData.CustomColor()) SkinData.BgChanged = true;
            break;
        case CM_TEXTCHANGED:
            if (Parent()) {
                SkinData.InvalidateOwner(false);
                return;
            }
            break;
        case CM_MOUSEENTER:
            if (OnMouseEnter) OnMouseEnter(this);
            break;
        case CM_MOUSELEAVE:
            if (OnMouseLeave) OnMouseLeave(this);
            break;
        default: break;
    }
    if (HandleCommonWindowMessage(m, &SkinData)) return;
    TPanel::WndProc(m);
}

}  // namespace ad::skin::controls
