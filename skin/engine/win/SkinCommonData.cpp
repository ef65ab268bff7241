// The skin data object: owner, manager and section, indexes, cache image,
// state flags, colours, paint locks and invalidation.
#include "skin/engine/win/SkinCommonData.h"

#include <algorithm>

#include "base/StrUtils.h"
#include "framework/ComCtrls.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "skin/engine/paint/SkinMaskPaint.h"
#include "skin/engine/win/SkThreadedTimer.h"
#include "skin/engine/win/SkinDataPaint.h"
#include "skin/engine/win/SkinManager.h"

namespace ad::skin {
namespace {

// The form that holds a control (its top-level ancestor).
TWinControl* ParentFormOf(TWinControl* control) {
    TWinControl* c = control ? control->Parent() : nullptr;
    while (c && c->Parent()) c = c->Parent();
    return c;
}

bool IsSeeThroughClass(const TWinControl* control) {
    return IsSkinContainer(control) || dynamic_cast<const TPanel*>(control) ||
           dynamic_cast<const TPageControl*>(control) || dynamic_cast<const TTabSheet*>(control);
}

bool FullyTransparent(const TSkinTables& skin, int index, int state) {
    return skin.Section(index).Props[size_t(state)].Transparency == 100;
}

}  // namespace

void TSkinCommonData::AskFormToAdaptControls(TWinControl* control) {
    TWinControl* form = ParentFormOf(control);
    if (!form || !form->HandleAllocated() || form->Destroying()) return;
    SendAdapterMessage(form->Handle(), SKM_SKINCMD, SkinCommandWParam(SKC_ADAPTCHILDREN),
                       reinterpret_cast<LPARAM>(control));
}

// ---- TSkOuterEffects ----------------------------------------------------------

void TSkOuterEffects::SetVisibility(TSkOuterVisibility value) {
    if (value == visibility_) return;
    visibility_ = value;
    if (!data_ || data_->Loading) return;
    if (TWinControl* parent = data_->OwnerParent())
        if (parent->HandleAllocated() && !parent->Destroying()) SendSkinCommand(parent->Handle(), SKC_REPAINT);
    data_->InvalidateOwner(false);
}

// ---- Construction -------------------------------------------------------------

TSkinCommonData::TSkinCommonData(TWinControl* control, bool makeCache) {
    OwnerControl = control;
    OwnerObject = control;
    if (control)
        SavedWndProc = [owner = OwnerControl](TMessage& m) {
            if (TWinControl* c = owner.Get()) c->WndProc(m);
        };
    InitCommon(makeCache);
}

TSkinCommonData::TSkinCommonData(TSkinProviderLink* provider, bool makeCache) {
    Provider = provider;
    OwnerObject = provider;
    InitCommon(makeCache);
}

TSkinCommonData::TSkinCommonData(HWND window, bool makeCache) {
    OwnerWindow = window;
    InitCommon(makeCache);
}

void TSkinCommonData::InitCommon(bool makeCache) {
    if (makeCache) CacheImage = std::make_unique<TSkinCacheImage>();
    AttachToWindow();
}

TSkinCommonData::~TSkinCommonData() {
    DetachFromWindow();
    SkinIndex = BorderIndex = PatternIndex = HotPatternIndex = -1;
    ManagerRef = nullptr;
    FadeTimer.reset();
    CacheImage.reset();
    HideGlow(GlowIndex, false);
    ForgetOwner();
}

// ---- Owner --------------------------------------------------------------------

HWND TSkinCommonData::OwnerWindowHandle() const {
    if (OwnerControl || Provider) {
        TWinControl* owner = OwnerOrForm();
        return owner && owner->HandleAllocated() ? owner->Handle() : nullptr;
    }
    return OwnerWindow && IsWindow(OwnerWindow) ? OwnerWindow : nullptr;
}

HWND TSkinCommonData::OwnerHandle() const {
    if (OwnerControl && !OwnerControl->Destroying()) return OwnerWindowHandle();
    return OwnerWindow;
}

TWinControl* TSkinCommonData::OwnerParent() const {
    TWinControl* owner = OwnerOrForm();
    return owner ? owner->Parent() : nullptr;
}

bool TSkinCommonData::OwnerDestroying() const {
    if (OwnerControl) return OwnerControl->Destroying();
    if (Provider) return !Provider->Form() || Provider->Form()->Destroying();
    return false;
}

TColor TSkinCommonData::OwnerColor() const {
    TWinControl* owner = OwnerOrForm();
    return owner ? owner->Color() : skBtnFaceColor;
}

void TSkinCommonData::SetOwnerColor(TColor color) {
    if (TWinControl* owner = OwnerOrForm()) owner->SetColor(color);
}

TColor TSkinCommonData::OwnerFontColor() const {
    TWinControl* owner = OwnerOrForm();
    return owner ? owner->Font().Color() : clWindowText;
}

void TSkinCommonData::SetOwnerFontColor(TColor color) {
    if (TWinControl* owner = OwnerOrForm()) owner->Font().SetColor(color);
}

void TSkinCommonData::ForgetOwner() {
    OwnerControl = nullptr;
    OwnerObject = nullptr;
    OwnerWindow = nullptr;
    Provider = nullptr;
}

bool TSkinCommonData::CallSavedWindowProc(TMessage& m) {
    if (!SavedWndProc || (OwnerControl && OwnerControl->Destroying())) return false;
    SavedWndProc(m);
    return true;
}

void TSkinCommonData::AttachToWindow() {
    HWND wnd = OwnerWindowHandle();
    if (!wnd) return;
    if (!SavedWndProc && OwnerControl) {
        TWinControl* control = OwnerControl;
        SavedWndProc = [control](TMessage& m) { control->WndProc(m); };
    }
    if (attachedWindow_ && attachedWindow_ != wnd) DetachFromWindow();
    SetSkinWindowData(wnd, this);
    attachedWindow_ = wnd;
}

void TSkinCommonData::DetachFromWindow() {
    // Always taken off, also while the application ends: a property left
    // behind would point at freed memory for SendAdapterMessage.
    for (HWND wnd : {attachedWindow_, OwnerWindowHandle()}) {
        if (wnd && GetSkinWindowData(wnd) == this) SetSkinWindowData(wnd, nullptr);
    }
    attachedWindow_ = nullptr;
}

TSkinCommonData* SkinDataOfWindow(HWND wnd) { return dynamic_cast<TSkinCommonData*>(GetSkinWindowData(wnd)); }

void TSkinCommonData::SendToOwner(int command, unsigned lowWord, LPARAM lParam) {
    TMessage m{SKM_SKINCMD, SkinCommandWParam(command, lowWord), lParam, 0};
    if (Provider) Provider->HandleMessage(m);
    else if (OwnerControl && !OwnerControl->Destroying()) CallSavedWindowProc(m);
    else if (HWND wnd = OwnerWindowHandle()) SendMessageW(wnd, m.Msg, m.WParam, m.LParam);
}

// ---- Manager and section ---------------------------------------------------------

TSkinManager* TSkinCommonData::SkinManager() const { return ManagerRef ? ManagerRef : DefaultManager(); }

const TSkinTables* TSkinCommonData::Skin() const {
    TSkinManager* manager = SkinManager();
    return manager && !manager->Destroying() ? manager->Skin() : nullptr;
}

bool TSkinCommonData::IsSkinActive(bool needLoaded) const {
    const TSkinTables* skin = Skin();
    (void)needLoaded;  // a skin that is there is loaded
    return skin && skin->IsValidSectionIndex(SkinIndex);
}

namespace {
bool HasSections(TSkinManager* manager) {
    return manager && !manager->Destroying() && manager->Skin() && manager->Skin()->SectionCount() > 0;
}
}  // namespace

void TSkinCommonData::SetSkinManager(TSkinManager* manager) {
    if (manager == DefaultManager()) manager = nullptr;
    ManagerRef = manager;
    if (HasSections(SkinManager())) ResolveSectionIndexes(true);
    else SkinIndex = -1;
    if (Provider || !OwnerControl || !OwnerControl->Parent() || OwnerControl->Destroying()) return;
    const bool valid = HasSections(SkinManager()) && SkinManager()->Skin()->IsValidSectionIndex(SkinIndex);
    SendToOwner(valid ? SKC_SKINREFRESH : SKC_SKINREMOVED, 0, reinterpret_cast<LPARAM>(SkinManager()));
}

void TSkinCommonData::SetSkinSection(const std::string& value) {
    if (value == skinSection_) return;
    HideGlow(GlowIndex, false);
    skinSection_ = AsciiUpperCase(value);
    if (HasSections(SkinManager())) ResolveSectionIndexes(true);
    else SkinIndex = -1;
    if (!OwnerControl || !OwnerControl->Parent() || OwnerControl->Destroying()) {
        if (Provider) BgChanged = true;
        return;
    }
    EmptyCacheImage();
    TMessage m{SKM_SKINCMD, SkinCommandWParam(SKC_BGCHANGED), 0, 0};
    BroadcastToChildren(OwnerControl, m);
    if (Updating || Loading) {
        if (!Loading) ApplySectionColors(false);
        return;
    }
    SendToOwner(IsSkinActive() ? SKC_SKINREFRESH : SKC_SKINREMOVED, 1, reinterpret_cast<LPARAM>(SkinManager()));
}

void TSkinCommonData::ChooseSection() {
    if (!skinSection_.empty()) {
        ResolveSectionIndexes(true);
        return;
    }
    const TKindSection choice = SectionForKind(ControlKind);
    switch (choice.Choice) {
        case TSectionChoice::AskControl: break;
        case TSectionChoice::FixedName: skinSection_ = choice.Name; break;
        case TSectionChoice::ClassName:
            if (TWinControl* owner = OwnerOrForm()) skinSection_ = AsciiUpperCase(owner->ClassName());
            else if (OwnerWindow) {
                char name[256] = {};
                GetClassNameA(OwnerWindow, name, sizeof name);
                skinSection_ = AsciiUpperCase(name);
            }
            break;
    }
    ResolveSectionIndexes(true);
}

void TSkinCommonData::PickFirstSection(const std::vector<std::string>& names) {
    const TSkinTables* skin = Skin();
    if (!skin) {
        SkinIndex = -1;
        return;
    }
    for (const std::string& name : names) {
        if (name.empty()) continue;
        const int i = skin->SectionIndexOf(name);
        if (i >= 0) {
            SkinIndex = i;
            ResolveSectionIndexes(false);
            return;
        }
    }
}

void TSkinCommonData::ResolveSectionIndexes(bool ask) {
    BgChanged = true;
    if (ask) {
        TSkinManager* manager = SkinManager();
        if (!manager || manager->Destroying() || !manager->Active() || !manager->Skin()) {
            SkinIndex = -1;
        } else if (!skinSection_.empty()) {
            SkinIndex = manager->Skin()->SectionIndexOf(skinSection_);
        } else {
            LRESULT answer = 0;
            if (OwnerControl) {
                TMessage m{SKM_SKINCMD, SkinCommandWParam(SKC_GETSKININDEX), 0, 0};
                if (OwnerControl->HandleAllocated()) answer = SendControlCommand(OwnerControl, SKC_GETSKININDEX);
                else if (CallSavedWindowProc(m)) answer = m.Result;
            } else if (HWND wnd = OwnerWindowHandle()) {
                answer = SendSkinCommand(wnd, SKC_GETSKININDEX);
            }
            SkinIndex = int(answer) - 1;
        }
    }
    ComputeMaskFlags();
    StateFlags = kSeeThroughUnknown;
    const TSkinTables* skin = Skin();
    if (skin && skin->IsValidSectionIndex(SkinIndex)) {
        const TSkinGeneralData& section = skin->Section(SkinIndex);
        BorderIndex = section.BorderIndex;
        PatternIndex = section.Props[0].TextureIndex;
        HotPatternIndex = section.Props[1].TextureIndex;
        UpdateSeeThrough(false);
    } else {
        BorderIndex = PatternIndex = HotPatternIndex = -1;
    }
}

void TSkinCommonData::ComputeMaskFlags() { MaskFlags = skin::ComputeMaskFlags(Skin(), SkinIndex); }

// ---- See-through ---------------------------------------------------------------------

int TSkinCommonData::SeeThroughKind() const {
    TSeeThroughContext context;
    context.OuterEffectsOn = OuterEffectsOn();
    context.ProviderWithTitleBar = Provider && Provider->PaintsOwnTitleBar();
    HWND parentWnd = nullptr;
    if (TWinControl* parent = OwnerParent()) {
        context.HasParent = true;
        context.ParentHasHandle = parent->HandleAllocated();
        if (context.ParentHasHandle) parentWnd = parent->Handle();
    } else if (OwnerWindow && !OwnerControl && !Provider) {
        parentWnd = GetParent(OwnerWindow);
        context.HasParent = context.ParentHasHandle = parentWnd != nullptr;
    }
    if (parentWnd) {
        context.ParentSkinned = IsSkinnedWindow(parentWnd);
        context.ParentState = [parentWnd] { return int(SendSkinCommand(parentWnd, SKC_SKINSTATE, 0)); };
    }
    return SeeThroughKindOf(Skin(), SkinIndex, context);
}

void TSkinCommonData::UpdateSeeThrough(bool recurse) {
    StateFlags &= uint16_t(~kSeeThrough);
    if (OwnerControl && IsSeeThroughClass(OwnerControl)) {
        const int k = SeeThroughKind();
        if (k == 2) return;
        StateFlags = uint16_t((StateFlags & ~(kSeeThrough | kSeeThroughUnknown)) | (k & 1));
        if (recurse) {
            for (int i = 0; i < OwnerControl->ControlCount(); ++i) {
                TWinControl* child = OwnerControl->Controls(i);
                if (!child->Destroying() && child->HandleAllocated()) SendControlCommand(child, SKC_SKINSTATE, 1);
            }
        }
    } else if (Provider) {
        const int k = SeeThroughKind();
        if (k == 2) return;
        if (k & 1) {
            if (!Provider->IsMDIForm()) StateFlags |= kSeeThrough;
            StateFlags &= uint16_t(~kSeeThroughUnknown);
        } else {
            StateFlags = 0;
        }
    }
}

bool TSkinCommonData::OuterEffectsOn() const {
    const bool windowed = Provider || OwnerControl || OwnerWindow;
    TSkinManager* manager = SkinManager();
    return windowed && manager && manager->Effects.AllowOuterEffects;
}

bool TSkinCommonData::IsHighlighted() const {
    if (!OwnerControl || OwnerControl->Destroying() || !OwnerControl->Enabled()) return false;
    if (Focused) return true;
    if (OwnerControl->HandleAllocated() && GetFocus() == OwnerControl->Handle())
        return !dynamic_cast<const TPanel*>(OwnerControl.Get());
    TSkinManager* manager = SkinManager();
    if (!MouseAbove || (manager && manager->Options.NoMouseHover)) return false;
    if (KindInSet(ksNoHover, ControlKind)) return false;
    if (KindInSet(ksEdit, ControlKind)) return EditHoverEnabled();
    return true;
}

bool TSkinCommonData::CacheReusable() const {
    if (!(StateFlags & kSeeThrough)) return true;
    if (OuterEffectsOn()) return true;
    return !KindInSet(ksOwnBg, ControlKind) && IsHighlighted();
}

// ---- Updating and paint locks ----------------------------------------------------------

bool TSkinCommonData::QueryUpdating() {
    if (Updating) return true;
    if (OwnerDestroying()) return false;
    if (TWinControl* parent = OwnerParent()) return SendControlCommand(parent, SKC_ISUPDATING) != 0;
    if (OwnerWindow && !OwnerControl && !Provider)
        if (HWND parentWnd = GetParent(OwnerWindow)) return SendSkinCommand(parentWnd, SKC_ISUPDATING) != 0;
    return false;
}

bool TSkinCommonData::RefreshUpdating(bool reset) {
    if (reset) Updating = false;
    Updating = QueryUpdating();
    return Updating;
}

void TSkinCommonData::BeginPaintLock() {
    ++PaintLockCount;
    Updating = true;
    StateFlags |= kPaintLocked;
    SendToOwner(SKC_BEGINUPDATE, 0, 0);
}

void TSkinCommonData::EndPaintLock(bool invalidate) {
    --PaintLockCount;
    Updating = false;
    StateFlags &= uint16_t(~kPaintLocked);
    if (PaintLockCount > 0) return;
    PaintLockCount = 0;
    SendToOwner(SKC_ENDUPDATE, 0, 0);
    if (invalidate) InvalidateOwner(true);
}

void TSkinCommonData::InvalidateOwner(bool now) {
    if (Loading || OwnerDestroying()) return;
    BgChanged = true;
    HWND wnd = OwnerWindowHandle();
    if (!wnd) return;
    UINT flags = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;
    if (now) flags |= RDW_UPDATENOW;
    RedrawWindow(wnd, nullptr, nullptr, flags);
}

void TSkinCommonData::FinishLoading(bool invalidate) {
    Loading = false;
    ChooseSection();
    if (IsSkinActive() && OwnerControl && OwnerControl->Parent()) AskFormToAdaptControls(OwnerControl);
    if (invalidate) RefreshColors(false);
}

// ---- Colours ----------------------------------------------------------------------------

void TSkinCommonData::RefreshColors(bool invalidate) {
    const TSkinTables* skin = Skin();
    if (!OwnerControl || !IsSkinActive() || !OwnerControl->HandleAllocated()) return;
    if (!KindInSet(ksFocusColor, ControlKind)) return;
    if (FullyTransparent(*skin, SkinIndex, 0) && FullyTransparent(*skin, SkinIndex, 1)) return;
    const TSkinGenState& normal = skin->Section(SkinIndex).Props[0];
    if (!customColor_) {
        const TColor c = AdjustControlColor(normal.Color, skNoColor, HUEOffset, Saturation);
        if (c != OwnerControl->Color()) OwnerControl->SetColor(c);
    }
    if (!customFont_ && (ControlKind != 10 || EditHoverEnabled())) {
        const TColor c = AdjustControlColor(normal.FontColor, skNoColor, HUEOffset, Saturation);
        if (c != OwnerControl->Font().Color()) OwnerControl->Font().SetColor(c);
    }
    if (invalidate) InvalidateOwner(true);
}

void TSkinCommonData::ApplySectionColors(bool keepVisible) {
    if (!OwnerControl) return;
    const bool hold = !keepVisible && OwnerControl->Visible() && OwnerControl->HandleAllocated();
    if (hold) SendMessageW(OwnerControl->Handle(), WM_SETREDRAW, FALSE, 0);
    if (const TSkinTables* skin = Skin(); skin && skin->IsValidSectionIndex(SkinIndex)) {
        const int state = IsHighlighted() ? ClampSectionState(*skin, SkinIndex, 1) : 0;
        const TSkinGenState& props = skin->Section(SkinIndex).Props[size_t(state)];
        if (!customColor_) OwnerControl->SetColor(props.Color);
        if (!customFont_) {
            StateFlags |= kChangingFontColor;
            OwnerControl->Font().SetColor(props.FontColor);
            StateFlags &= uint16_t(~kChangingFontColor);
        }
    }
    if (hold) SendMessageW(OwnerControl->Handle(), WM_SETREDRAW, TRUE, 0);
}

void TSkinCommonData::SetCustomColor(bool value) {
    if (value == customColor_) return;
    customColor_ = value;
    if (Loading || !(OwnerControl || Provider)) return;
    if (value && SavedColor != skNoColor) SetOwnerColor(SavedColor);
    else SavedColor = OwnerColor();
    RefreshColors(true);
}

void TSkinCommonData::SetCustomFont(bool value) {
    if (value == customFont_) return;
    customFont_ = value;
    if (Loading || !(OwnerControl || Provider)) return;
    if (value && SavedFontColor != skNoColor) SetOwnerFontColor(SavedFontColor);
    else SavedFontColor = OwnerFontColor();
    RefreshColors(true);
}

TColor TSkinCommonData::BackgroundColor(int state, HWND window) const {
    const TSkinTables* skin = Skin();
    if (!skin || !IsSkinActive() || customColor_) {
        if (OwnerControl || Provider) return OwnerColor();
        return skBtnFaceColor;
    }
    const int s = ColorStateOf(*skin, SkinIndex, state);
    const TSkinGenState& props = skin->Section(SkinIndex).Props[size_t(s)];
    const TColor own = props.Color;
    if (props.Transparency == 0) return own;
    TColor parentColor = skNoColor;
    if (TWinControl* parent = OwnerParent()) {
        parentColor = GetControlColor(parent);
    } else {
        HWND wnd = window ? window : (OwnerControl || Provider ? nullptr : OwnerWindow);
        if (HWND parentWnd = wnd ? GetParent(wnd) : nullptr) parentColor = GetWindowColor(parentWnd);
    }
    if (props.Transparency >= 100) return parentColor != skNoColor ? parentColor : own;
    if (parentColor == skNoColor) parentColor = skBtnFaceColor;
    return BlendParentColor(own, parentColor, props.Transparency);
}

void TSkinCommonData::ApplyColorAdjust(const TImageView32& bitmap, int cornersState) {
    if (ColorTone != skNoColor) ForEachPixel(bitmap, ToneProc, int(ColorTone), clFuchsia);
    if (HUEOffset != 0) ForEachPixel(bitmap, HueProc, HUEOffset, clFuchsia);
    if (Saturation != 0) ForEachPixel(bitmap, SaturationProc, std::clamp(Saturation * 255 / 100, -255, 255), clFuchsia);
    // The adjustment also reached the corners' parent background: paint them again.
    if (cornersState >= 0) PaintBorderCorners(*this, cornersState, cbAllCorners);
}

// ---- Parent background ------------------------------------------------------------------

TSkParentBgRequest TSkinCommonData::AskParentBg(bool paintIntoDC, HDC dc, const TRect& dest) {
    TSkParentBgRequest r;
    r.DC = dc;
    r.DestRect = dest;
    r.PaintIntoDC = paintIntoDC ? 1 : 0;
    TWinControl* parent = OwnerParent();
    HWND parentWnd = parent ? (parent->HandleAllocated() && !parent->Destroying() ? parent->Handle() : nullptr)
                            : (OwnerWindow ? GetParent(OwnerWindow) : nullptr);
    if (!parentWnd) return r;
    if (!GetParentBgByHandle(r, parentWnd, paintIntoDC) && parent && !paintIntoDC) {
        const LRESULT answer = SendControlCommand(parent, SKC_GETBGCOLOR, clFuchsia);
        r.Color = answer ? TColor(answer) : TColor(ColorToRGB(parent->Color()));
    }
    return r;
}

TSkBgCacheRef TSkinCommonData::GetParentBgRef() {
    TSkBgCacheRef ref;
    const bool hasParent = OwnerParent() || (OwnerWindow && GetParent(OwnerWindow));
    if (IsSkinActive() && hasParent) {
        const TSkParentBgRequest r = AskParentBg();
        if (r.Kind == pbNotReady) {
            ref.FillColor = clFuchsia;
            return ref;
        }
        if (r.Kind != pbNone) {
            ref = MakeBgCacheRef(r);
            // An image answer starts at the parent's origin: the control lies further in.
            if (r.Kind == pbImage && OwnerControl) {
                ref.X += OwnerControl->Left();
                ref.Y += OwnerControl->Top();
            }
            return ref;
        }
    }
    ref.FillColor = TColor(SkinColorToRGB(BackgroundColor(0)));
    return ref;
}

void TSkinCommonData::NotifyParentBgChanged() {
    if (QueryUpdating()) return;
    HWND parentWnd = nullptr;
    if (TWinControl* parent = OwnerParent()) parentWnd = parent->HandleAllocated() ? parent->Handle() : nullptr;
    else if (OwnerWindow) parentWnd = GetParent(OwnerWindow);
    if (!parentWnd) return;
    SendSkinCommand(parentWnd, SKC_BGCHANGED);
    SendSkinCommand(parentWnd, SKC_CACHEVALID);
}

// ---- Cache image ------------------------------------------------------------------------

void TSkinCommonData::PrepareCacheImage() {
    if (!CacheImage) CacheImage = std::make_unique<TSkinCacheImage>();
    // A form's provider sizes its whole-window image itself (with an extended
    // border it is larger than the form): a border painted into it keeps it.
    if (Provider && !CacheImage->Empty()) return;
    int w = 0, h = 0;
    if (TWinControl* owner = OwnerOrForm()) {
        w = owner->Width();
        h = owner->Height();
    } else if (HWND wnd = OwnerWindowHandle()) {
        RECT r{};
        GetWindowRect(wnd, &r);
        w = r.right - r.left;
        h = r.bottom - r.top;
    }
    CacheImage->SetSize(w, h);
}

void TSkinCommonData::EmptyCacheImage() {
    if (CacheImage) CacheImage->Clear();
}

int TSkinCommonData::MaxBorderWidth() const {
    const TSkinTables* skin = Skin();
    if (!skin || !skin->IsValidMaskIndex(BorderIndex)) return 0;
    const TSkinMaskData& mask = skin->Mask(BorderIndex);
    if (mask.DrawFlags & 2) return 0;
    return std::max({int(mask.WL), int(mask.WT), int(mask.WR), int(mask.WB)});
}

void TSkinCommonData::ClearMaskCorners(int sectionIndex, const TImageView32& bitmap, const TSkinTables& skin) {
    if (!skin.IsValidSectionIndex(sectionIndex) || bitmap.Empty()) return;
    const int maskIndex = skin.Section(sectionIndex).BorderIndex;
    if (!skin.IsValidMaskIndex(maskIndex)) return;
    const TSkinMaskData& mask = skin.Mask(maskIndex);
    TBitmap32* image = skin.MaskImage(mask);
    if (!image) return;
    const TImageView32 source = image->View();
    const TPoint frame = MaskFrameSize(mask);
    // The key pixels of the four corners of the first frame, cleared at the bitmap's corners.
    auto clearCorner = [&](int sx, int sy, int w, int h, int tx, int ty) {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int px = sx + x, py = sy + y, qx = tx + x, qy = ty + y;
                if (px < 0 || py < 0 || px >= source.Width || py >= source.Height) continue;
                if (qx < 0 || qy < 0 || qx >= bitmap.Width || qy >= bitmap.Height) continue;
                if ((GetPixel32(source, px, py) & 0xFFFFFF) == skKeyColor) SetPixel32(bitmap, qx, qy, 0);
            }
        }
    };
    const int l = mask.WL, r = mask.WR, t = mask.WT, b = mask.WB;
    const int left = mask.R.Left, top = mask.R.Top;
    clearCorner(left, top, l, t, 0, 0);
    clearCorner(left + frame.X - r, top, r, t, bitmap.Width - r, 0);
    clearCorner(left, top + frame.Y - b, l, b, 0, bitmap.Height - b);
    clearCorner(left + frame.X - r, top + frame.Y - b, r, b, bitmap.Width - r, bitmap.Height - b);
}

void TSkinCommonData::BlitCacheExcludingControls(TWinControl* control, const TRect& destRect, int offsetX,
                                                 int offsetY, bool corners, HDC dc) {
    if (corners) PaintBorderCorners(*this, 0, cbAllCorners);
    if (!CacheImage || CacheImage->Empty() || !dc) return;
    SavedDCState saved(dc);
    IntersectClipRect(dc, destRect.Left, destRect.Top, destRect.Right, destRect.Bottom);
    if (control) {
        for (int i = 0; i < control->ControlCount(); ++i) {
            TWinControl* child = control->Controls(i);
            if (!child->Visible()) continue;
            const RECT b = child->BoundsRect();
            ExcludeClipRect(dc, b.left, b.top, b.right, b.bottom);
        }
    }
    CacheImage->Draw(dc, destRect.Left, destRect.Top,
                     {offsetX, offsetY, offsetX + destRect.Width(), offsetY + destRect.Height()});
}

void TSkinCommonData::BlitCacheExcludingWindows(HWND window, const TRect& destRect, int offsetX, int offsetY,
                                                bool corners, HDC dc) {
    if (corners) PaintBorderCorners(*this, 0, cbAllCorners);
    if (!CacheImage || CacheImage->Empty() || !dc) return;
    SavedDCState saved(dc);
    IntersectClipRect(dc, destRect.Left, destRect.Top, destRect.Right, destRect.Bottom);
    for (HWND child = window ? GetWindow(window, GW_CHILD) : nullptr; child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT b{};
        GetWindowRect(child, &b);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&b), 2);
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
        const LONG_PTR exStyle = GetWindowLongPtrW(child, GWL_EXSTYLE);
        const TSkinTables* skin = DefaultManager() ? DefaultManager()->Skin() : nullptr;
        if ((style & 7) == 7 && !(exStyle & WS_EX_CLIENTEDGE) && skin) {
            // A skinned MDI child: only its caption band and frame strips are its own.
            const int header = int(SendSkinCommand(child, SKC_GETHEADERHEIGHT));
            int l = 0, r = 0, bt = 0;
            const int form = skin->SectionIndexOf("FORM");
            if (form >= 0 && skin->IsValidMaskIndex(skin->Section(form).BorderIndex)) {
                const TSkinMaskData& m = skin->Mask(skin->Section(form).BorderIndex);
                l = m.WL;
                r = m.WR;
                bt = m.WB;
            }
            ExcludeClipRect(dc, b.left, b.top, b.right, b.top + header);
            ExcludeClipRect(dc, b.left, b.top, b.left + l, b.bottom);
            ExcludeClipRect(dc, b.right - r, b.top, b.right, b.bottom);
            ExcludeClipRect(dc, b.left, b.bottom - bt, b.right, b.bottom);
        } else {
            ExcludeClipRect(dc, b.left, b.top, b.right, b.bottom);
        }
    }
    CacheImage->Draw(dc, destRect.Left, destRect.Top,
                     {offsetX, offsetY, offsetX + destRect.Width(), offsetY + destRect.Height()});
}

bool TSkinCommonData::IsMouseOverWindow() {
    HWND wnd = OwnerWindowHandle();
    if (!wnd) return false;
    POINT p{};
    if (!GetCursorPos(&p)) return false;
    RECT client{};
    GetClientRect(wnd, &client);
    MapWindowPoints(wnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    if (!PtInRect(&client, p)) return false;
    WindowDC dc(wnd);
    RECT clip{};
    if (!dc.Get() || GetClipBox(dc.Get(), &clip) == NULLREGION) return false;
    POINT local = p;
    ScreenToClient(wnd, &local);
    return PtInRect(&clip, local) != FALSE;
}

// ---- Fades --------------------------------------------------------------------------------

void TSkinCommonData::StopFade() {
    if (!FadeTimer || FadeTimer->IsDestroying()) return;
    FadeTimer->SetEnabled(false);
    FadeTimer->Fade.Kind = kFadeNone;
    FadeTimer->TargetImage.reset();
    FadeTimer->WorkImage.reset();
    FadeTimer->StartImage.reset();
}

bool TSkinCommonData::FadeRunning() const { return FadeTimer && FadeTimer->Enabled(); }

// ---- Skinned-control variants --------------------------------------------------------------

void TSkinCtrlSkinData::SetColorTone(TColor value) {
    if (value == ColorTone) return;
    ColorTone = value;
    FinishLoading(true);
    InvalidateOwner(false);
}

void TSkinCtrlSkinData::SetHUEOffset(int value) {
    if (value == HUEOffset) return;
    HUEOffset = value;
    FinishLoading(true);
    InvalidateOwner(false);
}

void TSkinCtrlSkinData::SetSaturation(int value) {
    if (value == Saturation) return;
    Saturation = value;
    FinishLoading(true);
    InvalidateOwner(false);
}

void TSkScrollData::SetScrollWidth(int value) {
    if (value == scrollWidth_) return;
    scrollWidth_ = value;
    if (HWND wnd = data_ && data_->OwnerControl ? data_->OwnerWindowHandle() : nullptr)
        SetWindowPos(wnd, nullptr, 0, 0, 0, 0, kFrameChangeFlags);
}

void TSkScrollData::SetButtonsSize(int value) {
    if (value == buttonsSize_) return;
    buttonsSize_ = value;
    if (HWND wnd = data_ && data_->OwnerControl ? data_->OwnerWindowHandle() : nullptr)
        SendAdapterMessage(wnd, WM_NCPAINT, 1, 0);
}

}  // namespace ad::skin
