// The skin data's answers to window messages and skin commands, the parent
// background, the background section query, outer shadows and hover glows.
#include "skin/engine/win/SkinDataMessages.h"

#include <algorithm>

#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "framework/WinGeometry.h"
#include "skin/engine/win/SkThreadedTimer.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/engine/paint/SkinMaskPaint.h"

namespace ad::skin {
namespace {

constexpr UINT kRedrawNow = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;  // 0x585

// Runs a message through the owner's own window procedure (Perform).
LRESULT PerformOnOwner(TSkinCommonData* data, UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    if (data->CallSavedWindowProc(m)) return m.Result;
    if (HWND wnd = data->OwnerWindowHandle()) return SendMessageW(wnd, msg, wParam, lParam);
    return 0;
}

LRESULT PerformCommand(TWinControl* control, int command, unsigned lowWord, LPARAM lParam) {
    if (!control || control->Destroying() || !control->HandleAllocated()) return 0;
    return SendAdapterMessage(control->Handle(), SKM_SKINCMD, SkinCommandWParam(command, lowWord), lParam);
}

bool BothStatesTransparent(const TSkinTables& skin, int index) {
    const TSkinGeneralData& s = skin.Section(index);
    return s.Props[0].Transparency == 100 && s.Props[1].Transparency == 100;
}

// The state's colour and font colour onto the control (each only when it
// differs and is not custom); true when either changed.
bool TakeStateColors(TSkinCommonData* data, const TSkinTables& skin, int state) {
    TWinControl* control = data->OwnerControl;
    if (!control) return false;
    const TSkinGenState& props = skin.Section(data->SkinIndex).Props[size_t(ClampSectionState(skin, data->SkinIndex, state))];
    bool changed = false;
    if (!data->CustomColor() && control->Color() != props.Color) {
        control->SetColor(props.Color);
        changed = true;
    }
    if (!data->CustomFont() && control->Font().Color() != props.FontColor) {
        data->StateFlags |= kChangingFontColor;
        control->Font().SetColor(props.FontColor);
        data->StateFlags &= uint16_t(~kChangingFontColor);
        changed = true;
    }
    return changed;
}

void AfterColorChange(TSkinCommonData* data, bool changed, bool redrawNow) {
    HWND wnd = data->OwnerWindowHandle();
    if (!wnd) return;
    data->BgChanged = true;
    if (changed) {
        if (redrawNow) RedrawWindow(wnd, nullptr, nullptr, kRedrawNow);
        else InvalidateRect(wnd, nullptr, TRUE);
    }
    SendAdapterMessage(wnd, WM_NCPAINT, 1, 0);
}

// Asks the control's own procedure to rebuild its cache image; true when it is up to date.
bool BringCacheUpToDate(TSkinCommonData* data) {
    if (data->BgChanged) {
        if (data->OwnerControl) SendControlCommand(data->OwnerControl, SKC_CACHEVALID);
        else if (HWND wnd = data->OwnerWindowHandle()) SendSkinCommand(wnd, SKC_CACHEVALID);
    }
    return !data->BgChanged;
}

void ImageAnswer(TSkinCommonData* data, TSkParentBgRequest& r) {
    r.Kind = pbImage;
    r.Bmp = data->CacheImage ? data->CacheImage->View() : TImageView32{};
    r.OffsetX = r.OffsetY = 0;
}

TColor GlobalFillColor(TSkinCommonData* data) {
    TSkinManager* manager = data->SkinManager();
    return manager ? manager->FormColor() : skBtnFaceColor;
}

// The request answered by the parent of the owner, offsets moved by the owner's position.
void AnswerFromParent(TSkinCommonData* data, TSkParentBgRequest& r) {
    TWinControl* control = data->OwnerControl;
    TWinControl* parent = data->OwnerParent();
    if (parent) {
        SendControlCommand(parent, SKC_GETPARENTBG, reinterpret_cast<LPARAM>(&r));
        if (r.Kind == pbImage && !r.Bmp.Empty()) {
            const int left = control ? control->Left() : 0, top = control ? control->Top() : 0;
            r.OffsetX += left;
            r.OffsetY += top;
            r.Borders.Left -= left;
            r.Borders.Top -= top;
        }
        return;
    }
    HWND wnd = data->OwnerWindowHandle();
    HWND parentWnd = wnd ? GetParent(wnd) : nullptr;
    if (parentWnd && !control && !data->Provider) {
        SendSkinCommand(parentWnd, SKC_GETPARENTBG, reinterpret_cast<LPARAM>(&r));
        if (r.Kind == pbImage && !r.Bmp.Empty()) {
            RECT b{};
            GetWindowRect(wnd, &b);
            MapWindowPoints(nullptr, parentWnd, reinterpret_cast<POINT*>(&b), 1);
            r.OffsetX += b.left;
            r.OffsetY += b.top;
        }
        return;
    }
    r.Kind = pbColor;
    r.Color = GlobalFillColor(data);
}

void FillRectColor(HDC dc, const TRect& r, TColor color) {
    OwnedBrush brush(CreateSolidBrush(ColorToRGB(color)));
    const RECT rc = ToRECT(r);
    FillRect(dc, &rc, brush.Get());
}

}  // namespace

// ---- Parent background ---------------------------------------------------------------

bool TSkinCommonData::UsesParentBg(TSkinCommonData* data) {
    if (!data || !data->IsSkinActive()) return false;
    if (data->StateFlags & kSeeThrough) return true;
    return data->Skin()->Section(data->SkinIndex).Props[0].Transparency > 0;
}

void TSkinCommonData::AnswerBgRequest(TSkParentBgRequest& r, int state, HWND window) {
    (void)window;
    if (r.PaintIntoDC) {
        HDC dc = static_cast<HDC>(r.DC);
        UpdateSeeThrough(false);
        if (CacheReusable() && CacheImage && BringCacheUpToDate(this) && !CacheImage->Empty()) {
            CacheImage->Draw(dc, r.DestRect.Left, r.DestRect.Top,
                             {r.OffsetX, r.OffsetY, r.OffsetX + r.DestRect.Width(), r.OffsetY + r.DestRect.Height()});
            r.Kind = pbImage;
        } else {
            if (dc) FillRectColor(dc, r.DestRect, BackgroundColor(state));
            r.Kind = pbColor;
        }
        return;
    }
    if (!IsSkinActive() || CustomColor()) {
        if (OwnerControl || Provider) {
            r.Kind = pbColor;
            r.Color = TColor(ColorToRGB(OwnerColor()));
        }
        return;
    }
    r.Bmp = {};
    const TSkinTables& skin = *Skin();
    const int s = ClampSectionState(skin, SkinIndex, state);
    const TSkinGeneralData& section = skin.Section(SkinIndex);
    const TSkinGenState& props = section.Props[size_t(s)];
    const int t = props.Transparency;
    if (t == 100) {
        if ((StateFlags & kSeeThrough) || !CacheImage) {
            AnswerFromParent(this, r);
            return;
        }
        if (!BringCacheUpToDate(this)) {
            r.Kind = pbColor;
            r.OffsetX = r.OffsetY = 0;
            r.Color = BackgroundColor(0);
            return;
        }
        ImageAnswer(this, r);
        return;
    }
    if (t > 0) {
        if (!CacheImage) {
            r.Kind = pbColor;
            r.Color = clFuchsia;
            return;
        }
        if (CacheImage->Empty()) {
            BgChanged = true;
            BringCacheUpToDate(this);
            if (CacheImage->Empty()) {
                Updating = true;
                r.Kind = pbNotReady;
                return;
            }
            AnswerBgRequest(r, state, window);
            return;
        }
        ImageAnswer(this, r);
        return;
    }
    const bool corners = section.ImgTopLeft >= 0 || section.ImgTopRight >= 0 || section.ImgBottomLeft >= 0 ||
                         section.ImgBottomRight >= 0;
    if (props.GradientArray.empty() && props.GradientPercent <= 0 && !corners && !OuterEffectsOn()) {
        r.Kind = pbColor;
        r.Color = BackgroundColor(state);
        if (skin.IsValidMaskIndex(BorderIndex) && !(skin.Mask(BorderIndex).DrawFlags & 2)) {
            const TSkinMaskData& mask = skin.Mask(BorderIndex);
            r.Borders = {mask.WL, mask.WT, mask.WR, mask.WB};
            r.Bmp = CacheImage ? CacheImage->View() : TImageView32{};
            r.OffsetX = r.OffsetY = 0;
        }
        return;
    }
    r.Color = GlobalFillColor(this);
    const bool sized = CacheImage && !CacheImage->Empty() && OwnerControl &&
                       CacheImage->Width() == OwnerControl->Width() && CacheImage->Height() == OwnerControl->Height();
    if (!sized && !(CacheImage && !CacheImage->Empty() && !OwnerControl)) {
        BgChanged = true;
        EmptyCacheImage();
        BringCacheUpToDate(this);
        if (!CacheImage || CacheImage->Empty()) {
            r.Kind = pbNotReady;
            return;
        }
    }
    ImageAnswer(this, r);
}

// ---- Background section query -------------------------------------------------------------

bool SectionSeeThroughAt(TSkinManager* manager, int sectionIndex, int state, TWinControl* control) {
    if ((control && !control->Parent()) || sectionIndex < 0) return false;
    TSkinManager* m = manager ? manager : DefaultManager();
    if (!m || !m->Skin()) return false;
    return SectionSeeThroughPixel(*m->Skin(), sectionIndex, state);
}

LRESULT ForwardSectionQuery(TWinControl* control, TSkSectionQuery& query) {
    if (!control) return 0;
    if (control->Parent()) {
        query.Bounds.Left += control->Left();
        query.Bounds.Right += control->Left();
        query.Bounds.Top += control->Top();
        query.Bounds.Bottom += control->Top();
    }
    return SendControlCommand(control, SKC_FINDBGSECTION, reinterpret_cast<LPARAM>(&query));
}

LRESULT AskWindowSection(HWND window, TSkSectionQuery& query) {
    return window ? SendSkinCommand(window, SKC_FINDBGSECTION, reinterpret_cast<LPARAM>(&query)) : 0;
}

int ParentSectionForState(TWinControl* control, int sectionIndex, TSkinManager* manager, int state) {
    TSkinManager* m = manager ? manager : DefaultManager();
    const TSkinTables* skin = m ? m->Skin() : nullptr;
    if (!control) return sectionIndex;
    if (state != 0 && skin && skin->IsValidSectionIndex(sectionIndex) && state < skin->Section(sectionIndex).States &&
        state < kSkinStateCount && skin->Section(sectionIndex).Props[size_t(state)].Transparency < 40)
        return sectionIndex;
    TSkSectionQuery query;
    query.State = state;
    const RECT b = control->BoundsRect();
    query.Bounds = FromRECT(b);
    const LRESULT answer = SendControlCommand(control, SKC_FINDBGSECTION, reinterpret_cast<LPARAM>(&query));
    return answer != 0 && query.SectionIndex >= 0 ? query.SectionIndex : sectionIndex;
}

namespace {

bool AnswerSectionQuery(TMessage& m, TSkinCommonData* data) {
    auto* query = reinterpret_cast<TSkSectionQuery*>(m.LParam);
    if (!query || !data->IsSkinActive()) return false;
    if (SectionSeeThroughAt(data->SkinManager(), data->SkinIndex, query->State, data->OwnerControl)) {
        if (data->OwnerControl) {
            m.Result = ForwardSectionQuery(data->OwnerControl->Parent(), *query);
        } else {
            HWND wnd = data->OwnerWindowHandle();
            m.Result = AskWindowSection(wnd ? GetParent(wnd) : nullptr, *query);
        }
        return true;
    }
    const int states = data->Skin()->Section(data->SkinIndex).States;
    query->SectionIndex = query->State < states ? data->SkinIndex : -1;
    m.Result = 1;
    return true;
}

}  // namespace

// ---- Outer shadow ---------------------------------------------------------------------------

void TSkinCommonData::PaintChildShadows(TWinControl* container, TPoint offset) {
    TSkinManager* manager = SkinManager();
    if (!container || !IsSkinActive() || !manager || !manager->Effects.AllowOuterEffects || !CacheImage) return;
    for (int i = 0; i < container->ControlCount(); ++i) {
        TWinControl* child = container->Controls(i);
        if (!child->Visible() || !child->HandleAllocated() || child->Destroying()) continue;
        TSkParentBgRequest r;
        r.Kind = pbImage;
        r.Bmp = CacheImage->View();
        r.OffsetX = offset.X;
        r.OffsetY = offset.Y;
        SendControlCommand(child, SKC_PAINTOUTERFX, reinterpret_cast<LPARAM>(&r));
    }
}

void PaintOuterEffect(TSkinCommonData* data, TSkParentBgRequest& r, unsigned lowWord) {
    if (!data || !data->IsSkinActive() || data->OuterEffects.Visibility() != ovAlways) return;
    const TSkinTables& skin = *data->Skin();
    const TSkinGeneralData& section = skin.Section(data->SkinIndex);
    if (section.OuterMode < 1) return;
    int maskIndex = section.OuterMask, opacity = section.OuterOpacity;
    TRect grow{section.OuterOffsetL, section.OuterOffsetT, section.OuterOffsetR, section.OuterOffsetB};
    if (maskIndex < 0) {
        const TSkinOuterEffect& shared = section.OuterMode == 1 ? skin.GlobalInfo.Shadow : skin.GlobalInfo.Outer;
        if (section.OuterMode > 2 || shared.MaskIndex < 0) return;
        maskIndex = shared.MaskIndex;
        opacity = shared.Opacity;
        grow = {shared.Offsets[0], shared.Offsets[2], shared.Offsets[1], shared.Offsets[3]};
    }
    if (!skin.IsValidMaskIndex(maskIndex) || r.Bmp.Empty() || !data->OwnerControl) return;
    TRect bounds;
    SendControlCommand(data->OwnerControl, SKC_GETBOUNDS, reinterpret_cast<LPARAM>(&bounds));
    const TRect outer{bounds.Left + r.OffsetX - grow.Left, bounds.Top + r.OffsetY - grow.Top,
                      bounds.Right + r.OffsetX + grow.Right, bounds.Bottom + r.OffsetY + grow.Bottom};
    if (outer.Width() <= 0 || outer.Height() <= 0) return;
    // The shadow is drawn over a copy of what the parent image holds there
    // (kept as OuterImage) and blended back by the opacity.
    const bool reuse = (lowWord & 0x100) && data->OuterImage && data->OuterImage->Width() == outer.Width() &&
                       data->OuterImage->Height() == outer.Height();
    if (!data->OuterImage) data->OuterImage = std::make_unique<TSkinCacheImage>();
    if (!reuse && !data->OuterImage->SetSize(outer.Width(), outer.Height())) return;
    TBitmap32 work(outer.Width(), outer.Height());
    const TImageView32 w = work.View(), kept = data->OuterImage->View();
    for (int y = 0; y < w.Height; ++y)
        for (int x = 0; x < w.Width; ++x) {
            const int px = outer.Left + x, py = outer.Top + y;
            const bool inside = px >= 0 && py >= 0 && px < r.Bmp.Width && py < r.Bmp.Height;
            const uint32_t under = reuse ? GetPixel32(kept, x, y) : (inside ? GetPixel32(r.Bmp, px, py) : 0);
            SetPixel32(w, x, y, under);
            if (!reuse && !kept.Empty()) SetPixel32(kept, x, y, under);
        }
    TBitmap32 shadow(outer.Width(), outer.Height());
    CopyBitmapFrom(shadow, w);
    DrawMaskNineGridAlpha(shadow.View(), {0, 0, outer.Width(), outer.Height()}, skNoBackground, 0,
                          skin.Mask(maskIndex), skin);
    BlendBitmapConst(w, shadow.View(), uint8_t(std::clamp(opacity, 0, 255)), {0, 0}, {0, 0, w.Width, w.Height});
    for (int y = 0; y < w.Height; ++y)
        for (int x = 0; x < w.Width; ++x) {
            const int px = outer.Left + x, py = outer.Top + y;
            if (px >= 0 && py >= 0 && px < r.Bmp.Width && py < r.Bmp.Height) SetPixel32(r.Bmp, px, py, GetPixel32(w, x, y));
        }
}

// ---- Hover glow -----------------------------------------------------------------------------

void ShowHoverGlow(TSkinCommonData* data, bool hideIfShown, HWND window, int sectionIndex, bool animate, int alpha) {
    if (!data) return;
    TSkinManager* manager = data->SkinManager();
    const TSkinTables* skin = data->Skin();
    const int index = sectionIndex < 0 ? data->SkinIndex : sectionIndex;
    if (!manager || !skin || !manager->Effects.AllowGlowing || !skin->IsValidSectionIndex(index) ||
        manager->Options.NoMouseHover || skin->Section(index).Glow < 1)
        return;
    const TSkinGeneralData& section = skin->Section(index);
    if (!data->MouseAbove) {
        HideGlow(data->GlowIndex, animate && manager->Effects.AllowAnimation);
        return;
    }
    if (hideIfShown && data->GlowIndex >= 0) {
        if (!data->OwnerControl) HideGlow(data->GlowIndex, false);
        return;
    }
    HWND wnd = window ? window : data->OwnerWindowHandle();
    if (!wnd) return;
    if (!manager->Effects.AllowAnimation) animate = false;
    if (animate) alpha = 0;
    if (data->GlowIndex < 0) {
        RECT r{};
        GetWindowRect(wnd, &r);
        WindowDC dc(wnd);
        RECT clip{};
        if (dc.Get() && GetClipBox(dc.Get(), &clip) != ERROR) {
            RECT visible{r.left + clip.left, r.top + clip.top, r.left + clip.right, r.top + clip.bottom};
            IntersectRect(&r, &r, &visible);
        }
        data->GlowIndex = CreateGlow(FromRECT(r), section.ClassName, "GLOW", data,
                                     GetAncestor(wnd, GA_ROOT), alpha, section.GlowMargin);
    }
    if (animate && data->GlowIndex >= 0 && data->OwnerControl) {
        data->BgChanged = false;
        AnimateStateChange(data, kFadeIn, GlowFadeStep, false, false, true);
        if (data->FadeTimer) data->FadeTimer->IsGlowFade = true;
    }
}

void RepaintChildControls(TWinControl* control) {
    if (!control || SkinAnimationRunning()) return;
    for (int i = 0; i < control->ControlCount(); ++i) {
        TWinControl* child = control->Controls(i);
        if (child->Destroying()) continue;
        if (child->HandleAllocated() && child->Showing()) SendSkinCommand(child->Handle(), SKC_ENDUPDATEREDRAW);
    }
}

// ---- Skin commands --------------------------------------------------------------------------

namespace {

TColor BgColorAnswer(TSkinCommonData* data) {
    TWinControl* control = data->OwnerControl;
    if (!control) return data->BackgroundColor(0);
    if (!data->IsSkinActive()) return TColor(ColorToRGB(control->Color()));
    const TSkinGenState& props = data->Skin()->Section(data->SkinIndex).Props[0];
    const int t = props.Transparency;
    if (t == 0) return props.Color;
    TWinControl* parent = control->Parent();
    TColor p;
    if (!parent) p = TColor(ColorToRGB(control->Color()));
    else if (parent->HandleAllocated() && IsSkinnedWindow(parent->Handle()))
        p = TColor(SendControlCommand(parent, SKC_GETBGCOLOR, clFuchsia));
    else p = TColor(ColorToRGB(parent->Color()));
    if (t >= 100) return p;
    return BlendParentColor(props.Color, p, t);
}

bool OwnManager(TSkinCommonData* data, LPARAM lParam) {
    return reinterpret_cast<TSkinManager*>(lParam) == data->SkinManager();
}

bool SkinRemoved(TSkinCommonData* data, LPARAM lParam) {
    if (!OwnManager(data, lParam) || data->SkinIndex < 0) return true;
    data->StopFade();
    TSkinManager* manager = data->SkinManager();
    if (manager && manager->Destroying()) data->ManagerRef = nullptr;
    data->BorderIndex = data->SkinIndex = data->PatternIndex = data->HotPatternIndex = -1;
    data->Updating = true;
    data->EmptyCacheImage();
    TWinControl* control = data->OwnerControl;
    if (auto* edit = dynamic_cast<TCustomEdit*>(control)) {
        if (!data->CustomColor()) edit->SetColor(clWindow);
        if (!data->CustomFont()) edit->Font().SetColor(clWindowText);
        if (edit->HandleAllocated())
            RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_FRAME | RDW_NOERASE | RDW_INVALIDATE);
    } else if (control) {
        for (int i = 0; i < control->ControlCount(); ++i)
            if (auto* label = dynamic_cast<TLabel*>(control->Controls(i))) label->Font().SetColor(clWindowText);
    }
    return false;
}

void BgChangedTree(TSkinCommonData* data, unsigned lowWord) {
    const bool uses = TSkinCommonData::UsesParentBg(data);
    if (uses) data->BgChanged = true;
    TWinControl* control = data->OwnerControl;
    if (!control || !control->HandleAllocated()) return;
    if (lowWord == 1)
        RedrawWindow(control->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_NOINTERNALPAINT | RDW_NOERASE | RDW_ALLCHILDREN);
    if (!uses) return;
    for (int i = 0; i < control->ControlCount(); ++i) {
        TWinControl* child = control->Controls(i);
        if (!child->Destroying()) PerformCommand(child, SKC_BGCHANGEDTREE, 1, 0);
    }
}

LRESULT IsUpdatingAnswer(TSkinCommonData* data) {
    if (data->RefreshUpdating(false)) return 1;
    TWinControl* control = data->OwnerControl;
    if (!data->CacheReusable() || data->CustomColor() || !control || !control->HandleAllocated()) return 0;
    if (!data->CacheImage || data->CacheImage->Empty()) {
        SendControlCommand(control, SKC_CACHEVALID);
        return !data->CacheImage || data->CacheImage->Empty() ? 1 : 0;
    }
    return data->CacheImage->Width() != control->Width() || data->CacheImage->Height() != control->Height() ? 1 : 0;
}

}  // namespace

bool HandleSkinCommand(TMessage& m, TSkinCommonData* data) {
    if (!data || m.Msg != SKM_SKINCMD) return true;
    const unsigned low = SkinCommandArgument(m.WParam);
    TWinControl* control = data->OwnerControl;
    switch (SkinCommandOf(m.WParam)) {
        case SKC_SKINLOADED:
            if (!OwnManager(data, m.LParam)) return true;
            data->StopFade();
            data->ChooseSection();
            data->PickFirstSection({data->SkinSection()});
            data->EmptyCacheImage();
            data->UpdateSeeThrough(false);
            return true;
        case SKC_SKINREMOVED: return SkinRemoved(data, m.LParam);
        case SKC_SKINREFRESH:
            if (!OwnManager(data, m.LParam)) return true;
            data->StopFade();
            data->BgChanged = true;
            data->Updating = false;
            data->RefreshColors(true);
            data->UpdateSeeThrough(false);
            if (KindInSet(ksFrame, data->ControlKind))
                if (HWND wnd = data->OwnerWindowHandle()) SetWindowPos(wnd, nullptr, 0, 0, 0, 0, kFrameChangeFlags);
            return true;
        case SKC_ENDUPDATEREDRAW:
            if (data->Updating && control && control->HandleAllocated()) {
                if (!data->RefreshUpdating(true)) RedrawWindow(control->Handle(), nullptr, nullptr, kRedrawNow);
                RepaintChildControls(control);
            }
            return true;
        case SKC_ISSKINNED: m.Result = 1; return true;
        case SKC_SETUPDATING: data->Updating = low == 1; return true;
        case SKC_ISUPDATING: m.Result = IsUpdatingAnswer(data); return true;
        case SKC_GETCHILDPAINTING: m.Result = data->ChildPainting ? 1 : 0; return true;
        case SKC_SECTIONCHANGED:
            if (m.LParam && data->SkinSection() == reinterpret_cast<const char*>(m.LParam)) data->InvalidateOwner(false);
            return true;
        case SKC_SETSECTION:
            if (m.LParam) data->SetSkinSection(reinterpret_cast<const char*>(m.LParam));
            m.Result = m.LParam ? 1 : 0;
            return true;
        case SKC_STOPANIMATION: data->StopFade(); return true;
        case SKC_BGCHANGED: data->BgChanged = true; return true;
        case SKC_REPAINT: data->InvalidateOwner(false); return true;
        case SKC_HASOWNBG: m.Result = 1; return true;
        case SKC_BGCHANGEDTREE: BgChangedTree(data, low); return true;
        case SKC_GETBGCOLOR: m.Result = LRESULT(uint32_t(BgColorAnswer(data))); return true;
        case SKC_SETCHILDPAINTING: data->ChildPainting = true; return true;
        case SKC_CACHEVALID: data->BgChanged = false; return true;
        case SKC_GETSKININDEXREC:
            if (m.LParam) reinterpret_cast<int32_t*>(m.LParam)[1] = data->SkinIndex;
            return true;
        case SKC_RESETCACHETREE:
            if (data->CacheImage) {
                if (control)
                    for (int i = 0; i < control->ControlCount(); ++i)
                        if (control->Controls(i)->HandleAllocated())
                            SendSkinCommand(control->Controls(i)->Handle(), SKC_RESETCACHETREE);
                data->EmptyCacheImage();
                data->BgChanged = true;
            }
            return true;
        case SKC_GETPARENTBG:
            if (auto* r = reinterpret_cast<TSkParentBgRequest*>(m.LParam)) {
                const int state =
                    data->Focused || (data->MouseAbove && !KindInSet(ksOwnBg, data->ControlKind)) ? 1 : 0;
                data->AnswerBgRequest(*r, state, nullptr);
            }
            return true;
        case SKC_SKINSTATE:
            if (m.LParam == 1) data->UpdateSeeThrough(true);
            else if (data->StateFlags == kSeeThroughUnknown) data->UpdateSeeThrough(false);
            m.Result = data->StateFlags;
            return true;
        case SKC_GETSKINDATA: m.Result = reinterpret_cast<LRESULT>(data); return true;
        case SKC_SETPRINTDC:
            if (m.LParam) data->StateFlags |= kPrinting;
            else data->StateFlags &= uint16_t(~kPrinting);
            data->PrintDC = reinterpret_cast<HDC>(m.LParam);
            return true;
        case SKC_PAINTOUTERFX:
            if (auto* r = reinterpret_cast<TSkParentBgRequest*>(m.LParam)) PaintOuterEffect(data, *r, low);
            return true;
        case SKC_FRAMECHANGED:
            if (control) {
                if (control->HandleAllocated()) SetWindowPos(control->Handle(), nullptr, 0, 0, 0, 0, kFrameChangeFlags);
                BroadcastToChildren(control, m);
            }
            return true;
        case SKC_GETAPPLICATION: m.Result = reinterpret_cast<LRESULT>(Application); return true;
        case SKC_FINDBGSECTION: return AnswerSectionQuery(m, data);
        case SKC_SETSCALE:
            data->ScalePercent = int32_t(m.LParam);
            if (control) {
                TMessage copy = m;
                BroadcastToChildren(control, copy);
            }
            return true;
        case SKC_GETSCALE: m.Result = data->ScalePercent; return true;
        case SKC_GETBOUNDS:
            if (auto* r = reinterpret_cast<TRect*>(m.LParam)) {
                *r = {};
                if (control) *r = {control->Left(), control->Top(), control->Left() + control->Width(),
                                   control->Top() + control->Height()};
            }
            return true;
        default: return false;
    }
}

// ---- Window messages ------------------------------------------------------------------------

namespace {

bool SkinnedFocusTarget(TSkinCommonData* data) {
    TWinControl* control = data->OwnerControl;
    if (!data->IsSkinActive() || !control || !control->HandleAllocated() || !control->TabStop()) return false;
    return !BothStatesTransparent(*data->Skin(), data->SkinIndex);
}

void FocusChanged(TSkinCommonData* data, bool focused) {
    if (!SkinnedFocusTarget(data)) return;
    const TSkinTables& skin = *data->Skin();
    data->BgChanged = true;
    data->Focused = focused;
    const bool colours = KindInSet(ksFocusColor, data->ControlKind);
    bool changed = false;
    if (focused) {
        if (colours && skin.Section(data->SkinIndex).States > 1) changed = TakeStateColors(data, skin, 1);
        AfterColorChange(data, changed, true);
        return;
    }
    if (colours && !data->IsHighlighted()) changed = TakeStateColors(data, skin, 0);
    if (colours && data->OwnerControl->Visible()) AfterColorChange(data, changed, true);
}

void MouseEntered(TMessage& m, TSkinCommonData* data) {
    TSkinManager* manager = data->SkinManager();
    if (!data->IsSkinActive() || data->MouseAbove || !manager || manager->Options.NoMouseHover) return;
    const TSkinTables& skin = *data->Skin();
    if (BothStatesTransparent(skin, data->SkinIndex)) return;
    TWinControl* control = data->OwnerControl;
    if (!control) {
        if (!KindInSet(ksNoHover, data->ControlKind)) data->MouseAbove = true;
        return;
    }
    for (int i = 0; i < control->ControlCount(); ++i) {
        TWinControl* child = control->Controls(i);
        if (child == reinterpret_cast<TWinControl*>(m.LParam) || !IsSkinContainer(child) || !child->HandleAllocated())
            continue;
        if (TSkinCommonData* childData = SkinDataOfWindow(child->Handle()); childData && childData->MouseAbove)
            SendAdapterMessage(child->Handle(), CM_MOUSELEAVE, 0, 0);
    }
    if (!KindInSet(ksNoHover, data->ControlKind)) data->MouseAbove = true;
    if (!KindInSet(ksNoGlow, data->ControlKind))
        ShowHoverGlow(data, false, nullptr, -1, true, manager->Effects.AllowAnimation ? 0 : 255);
    const bool colours = KindInSet(ksFocusColor, data->ControlKind) &&
                         (!KindInSet(ksEdit, data->ControlKind) || EditHoverEnabled());
    if (colours && skin.Section(data->SkinIndex).States >= 2)
        AfterColorChange(data, TakeStateColors(data, skin, 1), false);
}

void MouseLeft(TSkinCommonData* data) {
    TSkinManager* manager = data->SkinManager();
    if (!data->IsSkinActive() || !manager || manager->Options.NoMouseHover) return;
    if (data->IsMouseOverWindow()) return;
    if (!KindInSet(ksNoHover, data->ControlKind)) data->MouseAbove = false;
    if (!KindInSet(ksNoGlow, data->ControlKind)) HideGlow(data->GlowIndex, manager->Effects.AllowAnimation);
    if (!KindInSet(ksFocusColor, data->ControlKind)) return;
    const TSkinTables& skin = *data->Skin();
    bool changed = false;
    if (!data->IsHighlighted() && !BothStatesTransparent(skin, data->SkinIndex))
        changed = TakeStateColors(data, skin, 0);
    if (data->OwnerControl && data->OwnerControl->Visible()) AfterColorChange(data, changed, false);
}

// The class library's hover and enabled notices made from window messages.
void TranslateToLibraryNotices(const TMessage& m, TSkinCommonData* data) {
    HWND wnd = data->OwnerWindowHandle();
    if (!wnd) return;
    if (m.Msg == WM_MOUSEMOVE && !data->MouseTracked) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, wnd, 0};
        data->MouseTracked = TrackMouseEvent(&track) != FALSE;
        PerformOnOwner(data, CM_MOUSEENTER, 0, 0);
    } else if (m.Msg == WM_MOUSELEAVE) {
        data->MouseTracked = false;
        PerformOnOwner(data, CM_MOUSELEAVE, 0, 0);
    } else if (m.Msg == WM_ENABLE) {
        PerformOnOwner(data, CM_ENABLEDCHANGED, 0, 0);
    }
}

}  // namespace

bool HandleCommonWindowMessage(TMessage& m, TSkinCommonData* data) {
    if (!data) return false;
    TWinControl* control = data->OwnerControl;
    switch (m.Msg) {
        case WM_CREATE:
        case WM_NCCREATE: data->AttachToWindow(); return false;
        case WM_NCDESTROY: data->DetachFromWindow(); return false;
        case WM_MOVE:
            if (!data->IsSkinActive()) return false;
            if (data->OuterEffects.Visibility() == ovAlways) data->NotifyParentBgChanged();
            if (TSkinCommonData::UsesParentBg(data)) {
                data->BgChanged = true;
                PerformOnOwner(data, SKM_SKINCMD, SkinCommandWParam(SKC_BGCHANGEDTREE, 1), 0);
            }
            HideGlow(data->GlowIndex, false);
            return false;
        case WM_SIZE:
            if (!data->IsSkinActive()) return false;
            data->BgChanged = true;
            if (data->OuterEffects.Visibility() == ovAlways) data->NotifyParentBgChanged();
            if (control && !data->Skin()->Section(data->SkinIndex).Props[0].GradientArray.empty())
                for (int i = 0; i < control->ControlCount(); ++i)  // the count is read again every step
                    if (!control->Controls(i)->Destroying())
                        PerformCommand(control->Controls(i), SKC_BGCHANGEDTREE, 1, 0);
            if (!data->FadeRunning()) HideGlow(data->GlowIndex, false);
            return false;
        case WM_SETFOCUS: FocusChanged(data, true); return false;
        case WM_KILLFOCUS: FocusChanged(data, false); return false;
        case WM_SHOWWINDOW: data->StopFade(); return false;
        case WM_MOUSEMOVE:
        case WM_MOUSELEAVE:
        case WM_ENABLE: TranslateToLibraryNotices(m, data); return false;
        case WM_FONTCHANGE:
        case CM_ENABLEDCHANGED:
            data->MouseAbove = false;
            data->Focused = false;
            data->BgChanged = true;
            if (control && !control->Enabled()) HideGlow(data->GlowIndex, false);
            return false;
        case WM_UPDATEUISTATE:
            if (!data->IsSkinActive()) return false;
            m.Result = 0;
            return true;
        case WM_PARENTNOTIFY:
            if (control && LOWORD(m.WParam) == WM_CREATE) TSkinCommonData::AskFormToAdaptControls(control);
            return false;
        case SKM_SKINCMD: return HandleSkinCommand(m, data);
        case CM_VISIBLECHANGED: {
            if (data->GlowIndex >= 0 && m.WParam == 0) HideGlow(data->GlowIndex, false);
            TSkinManager* manager = data->SkinManager();
            if (manager && manager->Options.OptimizingPriority == opMemory && !data->OwnerDestroying() &&
                data->CacheImage) {
                if (m.WParam) {
                    data->Updating = false;
                } else {
                    data->EmptyCacheImage();
                    if (control)
                        for (int i = 0; i < control->ControlCount(); ++i)
                            PerformCommand(control->Controls(i), SKC_RESETCACHETREE, 0, 0);
                }
                data->BgChanged = true;
            }
            return false;
        }
        case CM_MOUSEENTER: MouseEntered(m, data); return false;
        case CM_MOUSELEAVE: MouseLeft(data); return false;
        case CM_SHOWINGCHANGED:
            if (control && control->Visible()) data->FinishLoading(true);
            return false;
        default: return false;
    }
}

}  // namespace ad::skin
