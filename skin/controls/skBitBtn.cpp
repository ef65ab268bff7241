// TSkinBitBtn: state, cache, region, caption and the window procedure.
#include "skin/controls/SkinControlPaint.h"
#include "skin/controls/skBitBtn.h"

#include <algorithm>

#include "base/Color.h"
#include "framework/ExceptionBarrier.h"
#include "framework/Forms.h"
#include "framework/ParentBackground.h"
#include "framework/Themes.h"
#include "framework/WinGeometry.h"
#include "skin/controls/skAlphaImageList.h"
#include "skin/controls/skGlyphPaint.h"
#include "skin/engine/paint/SkinBorderPieces.h"
#include "skin/engine/paint/SkinMaskPaint.h"
#include "skin/engine/paint/SkinSmallPaint.h"
#include "skin/engine/paint/SkinTextRules.h"
#include "skin/engine/win/SkThreadedTimer.h"
#include "skin/engine/win/SkinDataMessages.h"
#include "skin/engine/win/SkinDataPaint.h"
#include "skin/engine/win/SkinDataText.h"
#include "skin/engine/win/SkinGdiPaint.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/engine/win/SkinUtilsWin.h"

namespace ad::skin::controls {

namespace {

// Set for the one forced redraw after a fast click: the button paints pressed.
bool gShowPressed = false;
// Set while a button runs the focus change it started itself.
bool gInFocusHandling = false;
constexpr UINT kButtonKind = 94;

// A memory DC with the cache image selected, for GDI text over the cache.
class TCacheDC {
public:
    explicit TCacheDC(const TSkinCacheImage& cache)
        : dc_(::CreateCompatibleDC(nullptr)), bitmap_(dc_.Get(), cache.Handle()) {}
    HDC Get() const { return dc_.Get(); }

private:
    OwnedMemoryDC dc_;
    SelectObjectScope bitmap_;
};

}  // namespace

TSkinBitBtn::TSkinBitBtn(TComponent* AOwner) : TBitBtn(AOwner) {
    SkinData.ControlKind = kButtonKind;
    ControlStyle &= ~unsigned(csOpaque);
    imagesLink_.OnChange = [this] {
        if (images_.Get()) LookChanged();
    };
    SetWordWrap(true);
    SkinData.FinishLoading(false);
}

TSkinBitBtn::~TSkinBitBtn() {
    if (TImageList* list = images_.Get()) list->UnRegisterChanges(imagesLink_);
}

void TSkinBitBtn::Changed(bool now) { SkinData.InvalidateOwner(now); }

void TSkinBitBtn::LookChanged() {
    if (SkinData.IsSkinActive()) Changed();
    else Invalidate();
}

void TSkinBitBtn::SetDown(bool value) {
    if (value == down_) return;
    down_ = value;
    regionChanged_ = true;
    SkinData.BgChanged = true;
    Repaint();
}

void TSkinBitBtn::SetBlend(int value) {
    value = std::clamp(value, 0, 100);
    if (value == blend_) return;
    blend_ = value;
    LookChanged();
}

bool TSkinBitBtn::Grayed() const {
    if (grayed_) return true;
    const TSkinManager* manager = SkinData.SkinManager();
    return SkinData.IsSkinActive() && manager && manager->Effects.DiscoloredGlyphs;
}

#define AD_SKINBTN_SETTER(Name, Type, field)       \
    void TSkinBitBtn::Set##Name(Type value) {      \
        if (value == field) return;                \
        field = value;                             \
        LookChanged();                             \
    }
AD_SKINBTN_SETTER(Grayed, bool, grayed_)
AD_SKINBTN_SETTER(GlyphColorTone, TColor, glyphColorTone_)
AD_SKINBTN_SETTER(ShowCaption, bool, showCaption_)
AD_SKINBTN_SETTER(ShowFocus, bool, showFocus_)
AD_SKINBTN_SETTER(Reflected, bool, reflected_)
AD_SKINBTN_SETTER(DrawOverBorder, bool, drawOverBorder_)
AD_SKINBTN_SETTER(TextOffset, int, textOffset_)
AD_SKINBTN_SETTER(TextAlignment, TAlignment, textAlignment_)
AD_SKINBTN_SETTER(DisabledKind, uint8_t, disabledKind_)
AD_SKINBTN_SETTER(DisabledGlyphKind, uint8_t, disabledGlyphKind_)
AD_SKINBTN_SETTER(Alignment, TAlignment, alignment_)
AD_SKINBTN_SETTER(VerticalAlignment, TVerticalAlignment, verticalAlignment_)
#undef AD_SKINBTN_SETTER

// ---- State and layout ---------------------------------------------------------------------

int TSkinBitBtn::CurrentState() {
    const TSkinManager* manager = SkinData.SkinManager();
    const bool pushed = HandleAllocated() && (SendMessageW(Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    if (pushed || gShowPressed) {
        // A press the mouse left (held on the button, pointer outside) is not shown pressed.
        if (SkinData.MouseAbove || !mouseClicked_ || (manager && manager->Options.NoMouseHover) || gShowPressed)
            return 2;
    }
    if (down_) return 2;
    if (SkinData.IsHighlighted()) return 1;
    if (!Default) return 0;
    if (HWND focus = ::GetFocus()) {
        if (focus != handle_ && (::GetWindowLongW(focus, GWL_STYLE) & 0x8)) return 0;
    }
    return 3;
}

int TSkinBitBtn::PaintState() {
    const int state = CurrentState();
    const TSkinTables* skin = SkinData.Skin();
    if (!skin || !skin->IsValidSectionIndex(SkinData.SkinIndex)) return std::min(state, 2);
    const int states = std::max(1, skin->Section(SkinData.SkinIndex).States);
    if (state == 3 && states < 4) return std::min(1, states - 1);
    return std::min(state, states - 1);
}

void TSkinBitBtn::SetImageIndex(int value) {
    if (value == imageIndex_) return;
    imageIndex_ = value;
    LookChanged();
}

void TSkinBitBtn::SetImages(TImageList* list) {
    if (list == images_.Get()) return;
    if (TImageList* old = images_.Get()) old->UnRegisterChanges(imagesLink_);
    images_ = list;
    if (list) list->RegisterChanges(imagesLink_);
    LookChanged();
}

bool TSkinBitBtn::ImageListGlyph() const {
    TImageList* list = images_.Get();
    return list && imageIndex_ >= 0 && imageIndex_ < ImageCountOf(list);
}

int TSkinBitBtn::GlyphWidth() const {
    if (ImageListGlyph()) return ListImageWidth(images_.Get()) / NumGlyphs();
    const int width = Glyph().Width();
    return width > 0 ? width / NumGlyphs() : 0;
}

int TSkinBitBtn::GlyphHeight() const {
    if (ImageListGlyph()) return ListImageHeight(images_.Get());
    return std::max(0, Glyph().Height());
}

int TSkinBitBtn::MaxCaptionWidth() {
    if (!showCaption_ || Caption().empty()) return 0;
    int width = Width() - 2 * std::max(0, Margin());
    const bool sideways = Layout() == TButtonLayout::blGlyphLeft || Layout() == TButtonLayout::blGlyphRight;
    if (sideways && GlyphWidth() != 0) width -= GlyphWidth() + Spacing();
    return width;
}

SIZE TSkinBitBtn::CaptionSize() {
    const std::wstring text = WideText();
    if (!showCaption_ || text.empty()) return {0, 0};
    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    SelectObjectScope font(dc.Get(), EffectiveFont().Handle());
    RECT r{0, 0, std::max(0, MaxCaptionWidth()), 0};
    UINT flags = DT_CALCRECT | DT_EXPANDTABS | TextFlagsForAlignment(this, textAlignment_);
    if (WordWrap()) flags |= DT_WORDBREAK;
    ::DrawTextW(dc.Get(), text.c_str(), -1, &r, flags);
    return {r.right - r.left, r.bottom - r.top};
}

TRect TSkinBitBtn::GlyphRect() {
    TRect r{glyphPos_.X, glyphPos_.Y, glyphPos_.X + GlyphWidth(), glyphPos_.Y + GlyphHeight()};
    const TSkinManager* manager = SkinData.SkinManager();
    if (CurrentState() == 2 && (!SkinData.IsSkinActive() || !manager || manager->ButtonsOptions.ShiftContentOnClick)) {
        r.Left += 1, r.Right += 1, r.Top += 1, r.Bottom += 1;
    }
    if (reflected_) {
        const int lift = r.Width() / 6;
        r.Top -= lift, r.Bottom -= lift;
    }
    return r;
}

void TSkinBitBtn::DoLayout() {
    const SIZE caption = CaptionSize();
    int flags = UseRightToLeftAlignment() ? kLayoutRightToLeft : 0;
    const TGlyphTextPlacement place =
        CalcGlyphTextLayout({0, 0, Width(), Height()}, TSize{GlyphWidth(), GlyphHeight()},
                            TSize{caption.cx, caption.cy}, int(Layout()), Margin(), Spacing(), flags, alignment_,
                            verticalAlignment_);
    glyphPos_ = place.Glyph;
    captionRect_ = place.Caption;
    if (textOffset_ != 0) {
        const bool sideways = Layout() == TButtonLayout::blGlyphLeft || Layout() == TButtonLayout::blGlyphRight;
        if (sideways) captionRect_.Left += textOffset_, captionRect_.Right += textOffset_;
        else captionRect_.Top += textOffset_, captionRect_.Bottom += textOffset_;
    }
}

// ---- Painting -------------------------------------------------------------------------------

void TSkinBitBtn::DrawCaptionInto(HDC dc, int state) {
    const std::string text = Caption();
    TRect r = captionRect_;
    const TSkinManager* manager = SkinData.SkinManager();
    if (CurrentState() == 2 && (!manager || manager->ButtonsOptions.ShiftContentOnClick)) {
        r.Left += 1, r.Right += 1, r.Top += 1, r.Bottom += 1;
    }
    UINT flags = TextFlagsForAlignment(this, textAlignment_) | DT_END_ELLIPSIS | DT_EXPANDTABS;
    if (WordWrap()) flags |= DT_WORDBREAK;
    if (UseRightToLeftReading()) flags |= DT_RTLREADING;
    SelectObjectScope font(dc, EffectiveFont().Handle());
    DrawDataText(dc, text, Enabled(), false, SkinData, flags, r, std::min(state, 2));
    if (!Enabled() || !manager || !manager->ButtonsOptions.ShowFocusRect || !Focused() || text.empty() ||
        !showFocus_ || !showCaption_)
        return;
    // The focus frame in the font colour of the section's last state up to pressed.
    const TSkinTables* skin = SkinData.Skin();
    const TSkinGeneralData& section = skin->Section(SkinData.SkinIndex);
    const int frameState = std::clamp(section.States - 1, 0, 2);
    TRect frame{r.Left - (FocusMargin + 1), r.Top - FocusMargin, r.Right + FocusMargin + 1, r.Bottom + FocusMargin};
    DrawDottedFrame(dc, frame, clNone, section.Props[size_t(frameState)].FontColor);
}

bool TSkinBitBtn::PrepareCache() {
    const TSkinTables* skin = SkinData.Skin();
    if (!skin || !SkinData.IsSkinActive()) return false;
    if (SkinData.AskParentBg().Kind == pbNotReady) {
        SkinData.Updating = true;
        return false;
    }
    const TSkBgCacheRef bg = SkinData.GetParentBgRef();
    SkinData.PrepareCacheImage();
    const TImageView32 view = SkinData.CacheImage->View();
    if (view.Empty()) return false;
    const int state = PaintState();
    const TRect all{0, 0, view.Width, view.Height};
    PaintDataSectionBody(SkinData, bg, state, view, {0, 0}, all);

    const TSkinMaskData* mask = skin->IsValidMaskIndex(SkinData.BorderIndex) ? &skin->Mask(SkinData.BorderIndex)
                                                                               : nullptr;
    const bool maskShows = mask && (state != 0 || !(mask->DrawFlags & kMaskNoNormalImage));
    // A mask with key-coloured corners shapes the window.
    const bool regionMode = mask && regionChanged_ && mask->CornerType == ctFuchsiaCorner;
    if (regionMode) {
        region_.Reset(::CreateRectRgn(0, 0, view.Width, view.Height));
        if (drawOverBorder_ && maskShows) {
            DrawMaskToBitmap(view, bg, state, *mask, *skin);
            std::vector<TRect> runs;
            CollectMaskRegionRuns(runs, view.Width, *mask, false, 0, *skin);
            CollectMaskRegionRuns(runs, view.Width, *mask, true, view.Height - mask->WB, *skin);
            for (const TRect& run : runs) {
                OwnedRegion cut(::CreateRectRgn(run.Left, run.Top, run.Right, run.Bottom));
                ::CombineRgn(region_.Get(), region_.Get(), cut.Get(), RGN_DIFF);
            }
        }
    } else if (drawOverBorder_ && maskShows) {
        DrawMaskNineGrid(view, all, bg, true, state, *mask, *skin);
    }
    SkinData.ApplyColorAdjust(view, state);

    DoLayout();
    if (showCaption_) {
        TCacheDC dc(*SkinData.CacheImage);
        DrawCaptionInto(dc.Get(), state);
        ::GdiFlush();
    }
    DrawBtnGlyph(*this, nullptr);
    if (OnPaint) OnPaint(this, view);
    if (!drawOverBorder_ && maskShows) DrawMaskNineGrid(view, all, bg, true, state, *mask, *skin);
    if (!Enabled()) {
        ApplyDisabledEffects(view, DisabledEffectsOf(disabledKind_), {Left(), Top()}, bg, Color());
    }
    SkinData.BgChanged = false;
    // What the button holds moves with its face while it is pressed.
    if (state == 2 && !childrenShifted_) ShiftChildren(1);
    else if (state != 2 && childrenShifted_) ShiftChildren(-1);
    return true;
}

void TSkinBitBtn::ShiftChildren(int by) {
    const TSkinManager* manager = SkinData.SkinManager();
    if (manager && !manager->ButtonsOptions.ShiftContentOnClick) return;
    childrenShifted_ = by > 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TWinControl* child = Controls(i);
        child->SetBounds(child->Left() + by, child->Top() + by, child->Width(), child->Height());
    }
}

void TSkinBitBtn::PaintWindow(HDC dc) {
    if (!SkinData.CacheImage) return;
    if (SkinData.RefreshUpdating(false) || SkinData.FadeRunning()) return;
    if (TWinControl* parent = Parent()) {
        const RECT bounds = BoundsRect();
        const RECT client = parent->ClientRect();
        const bool outside = bounds.left < 0 || bounds.top < 0 || bounds.right > client.right ||
                             bounds.bottom > client.bottom;
        if (partlyOutside_ || SendControlCommand(parent, SKC_GETCHILDPAINTING) == 1) SkinData.BgChanged = true;
        partlyOutside_ = outside;
    }
    if (lastSpacing_ != Spacing()) {
        lastSpacing_ = Spacing();
        SkinData.BgChanged = true;
    }
    const bool redrawWithRegion = regionPending_ || SkinLoading();
    regionPending_ = false;
    const TSkinTables* skin = SkinData.Skin();
    const bool maskRegion = skin && skin->IsValidMaskIndex(SkinData.BorderIndex) &&
                            skin->Mask(SkinData.BorderIndex).CornerType == ctFuchsiaCorner;
    if (regionChanged_ && maskRegion) {
        if (!PrepareCache()) return;
        regionChanged_ = false;
        // Outside the region the cache shows what lies under the corners.
        PaintBorderCorners(SkinData, PaintState(), 15);
        PaintCornersTo(dc);
        if (dc != SkinData.PrintDC && region_) {
            // The window owns the region once it took it.
            if (::SetWindowRgn(Handle(), region_.Get(), redrawWithRegion)) region_.Release();
            // A button that shrank leaves its old corners on a plain parent: the parent shows them again.
            const RECT now = BoundsRect();
            const TSkinMaskData& mask = skin->Mask(SkinData.BorderIndex);
            TWinControl* parent = Parent();
            const RECT old = lastRegionBounds_;
            if (parent && parent->HandleAllocated() && !::IsRectEmpty(&old) && !::EqualRect(&old, &now) &&
                (old.right - old.left > mask.Width || old.bottom - old.top > mask.Height) &&
                SkinData.AskParentBg().Kind == pbColor) {
                const int wr = std::max(1, int(mask.WR)), wt = std::max(1, int(mask.WT)),
                          wb = std::max(1, int(mask.WB)), wl = std::max(1, int(mask.WL));
                const RECT corners[3] = {{old.right - wr, old.top, old.right, old.top + wt},
                                         {old.right - wr, old.bottom - wb, old.right, old.bottom},
                                         {old.left, old.bottom - wb, old.left + wl, old.bottom}};
                for (const RECT& c : corners) ::InvalidateRect(parent->Handle(), &c, FALSE);
            }
            lastRegionBounds_ = now;
        }
        // A region made for a print DC is never handed over.
        region_.Reset();
    } else if (SkinData.BgChanged || SkinData.CacheImage->Empty()) {
        if (!PrepareCache()) return;
    }
    const int saved = ::SaveDC(dc);
    SkinData.CacheImage->Draw(dc, 0, 0, {0, 0, Width(), Height()});
    ::RestoreDC(dc, saved);
}

void TSkinBitBtn::PaintCornersTo(HDC dc) {
    const TSkinTables* skin = SkinData.Skin();
    if (!skin || !skin->IsValidMaskIndex(SkinData.BorderIndex) || !SkinData.CacheImage) return;
    const TSkinMaskData& mask = skin->Mask(SkinData.BorderIndex);
    const int w = Width(), h = Height();
    const TSkinCacheImage& cache = *SkinData.CacheImage;
    cache.Draw(dc, 0, 0, {0, 0, mask.WL, mask.WT});
    cache.Draw(dc, w - mask.WR, 0, {w - mask.WR, 0, w, mask.WT});
    cache.Draw(dc, 0, h - mask.WB, {0, h - mask.WB, mask.WL, h});
    cache.Draw(dc, w - mask.WR, h - mask.WB, {w - mask.WR, h - mask.WB, w, h});
}

void DrawClassicButtonFace(HDC dc, const RECT& rect, bool selected, bool disabled, bool isDefault, bool focused,
                           bool showFocusRect) {
    RECT r = rect;
    if (isDefault || focused) {
        ::FrameRect(dc, &r, ::GetSysColorBrush(COLOR_WINDOWFRAME));
        ::InflateRect(&r, -1, -1);
    }
    if (!selected) {
        UINT flags = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
        if (disabled) flags |= DFCS_INACTIVE;
        ::DrawFrameControl(dc, &r, DFC_BUTTON, flags);
    } else {
        SelectObjectScope pen(dc, ::GetStockObject(DC_PEN));
        SelectObjectScope brush(dc, ::GetSysColorBrush(COLOR_BTNFACE));
        ::SetDCPenColor(dc, ::GetSysColor(COLOR_BTNSHADOW));
        ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
    }
    if (isDefault && focused && showFocusRect) {
        RECT f = rect;
        ::InflateRect(&f, -4, -4);
        ::DrawFocusRect(dc, &f);
    }
}

void TSkinBitBtn::DrawItem(const DRAWITEMSTRUCT& dis) {
    if (SkinData.IsSkinActive()) return;  // the skin paints on WM_PAINT
    // Latched down, the native look is the pressed one as well.
    DRAWITEMSTRUCT item = dis;
    if (down_) item.itemState |= ODS_SELECTED;
    DrawUnskinned(item);
}

void TSkinBitBtn::DrawUnskinned(const DRAWITEMSTRUCT& dis) {
    HDC dc = dis.hDC;
    const int saved = ::SaveDC(dc);
    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    const bool disabled = !Enabled() || (dis.itemState & ODS_DISABLED) != 0;
    const bool focused = (dis.itemState & ODS_FOCUS) != 0 || Focused();
    const TSkinManager* manager = SkinData.SkinManager();
    const bool showFocusRect = !manager || manager->ButtonsOptions.ShowFocusRect;
    DoLayout();
    RECT client{0, 0, Width(), Height()};
    bool themed = false;
    if (ControlsThemed()) {
        TThemeData theme;
        if (theme.Open(handle_, L"BUTTON")) {
            // The push button part and its states: normal, hot, pressed, disabled, defaulted.
            constexpr int kPushButton = 1, kNormal = 1, kHot = 2, kPressed = 3, kDisabled = 4, kDefaulted = 5;
            const int state = disabled ? kDisabled
                              : selected ? kPressed
                              : SkinData.MouseAbove ? kHot
                              : (Default || focused) ? kDefaulted
                                                     : kNormal;
            PaintParentBackground(*this, dc, client);
            themed = theme.Draw(dc, kPushButton, state, client);
            if (themed && Default && focused && showFocusRect) {
                RECT r = client;
                ::InflateRect(&r, -3, -3);
                ::DrawFocusRect(dc, &r);
            }
        }
    }
    if (!themed) DrawClassicButtonFace(dc, client, selected, disabled, Default, focused, showFocusRect);
    if (showCaption_) {
        // Without a skin a pressed face moves its content by one pixel.
        RECT cr = ToRECT(captionRect_);
        if (selected) ::OffsetRect(&cr, 1, 1);
        UINT flags = TextFlagsForAlignment(this, textAlignment_) | DT_END_ELLIPSIS | DT_EXPANDTABS;
        if (WordWrap()) flags |= DT_WORDBREAK;
        if (UseRightToLeftReading()) flags |= DT_RTLREADING;
        SelectObjectScope font(dc, EffectiveFont().Handle());
        DrawButtonCaption(dc, WideText(), cr, flags, disabled, ColorToRGB(EffectiveFont().Color()));
    }
    DrawBtnGlyph(*this, dc);
    ::RestoreDC(dc, saved);
}

void TSkinBitBtn::CreateParams(TCreateParams& p) { TBitBtn::CreateParams(p); }

// ---- Mouse and keyboard ---------------------------------------------------------------------

void TSkinBitBtn::MouseDown(TMessage& m) {
    if (!SkinData.IsSkinActive() || !Enabled()) return;
    SkinData.Updating = false;
    mouseClicked_ = true;
    if (m.Msg == WM_LBUTTONDOWN && !down_) {
        regionChanged_ = true;
        SkinData.QueryUpdating();
        SkinData.BgChanged = false;
        AnimateTo(aeMouseDown);
    }
}

void TSkinBitBtn::MouseUp(TMessage& m) {
    if (Destroying() || !SkinData.IsSkinActive() || !Enabled()) return;
    if (!mouseClicked_) {
        SkinData.FadeTimer.reset();
        return;
    }
    mouseClicked_ = false;
    if (m.Msg != WM_LBUTTONUP) return;
    SkinData.StopFade();
    // A fast click still shows the pressed look once.
    SkinData.BgChanged = true;
    gShowPressed = true;
    ::RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_INVALIDATE);
    gShowPressed = false;
    ::Sleep(30);
    SkinData.Updating = false;
    regionChanged_ = true;
    SkinData.BgChanged = false;
    if (SkinData.MouseAbove) {
        AnimateTo(aeMouseUp);
    } else {
        Changed();
    }
}

void TSkinBitBtn::Click() { TBitBtn::Click(); }

void TSkinBitBtn::AnimateTo(int event) {
    const TSkinManager* manager = SkinData.SkinManager();
    AnimateStateChange(&SkinData, kFadeToState, FadeStep, false, false,
                       manager && ButtonEffectEnabled(event, AnimatEvents, manager->AnimEffects.Buttons.Events));
}

// ---- Window procedure ------------------------------------------------------------------------

bool TSkinBitBtn::HandleOwnSkinCommand(TMessage& m) {
    const int command = SkinCommandOf(m.WParam);
    const bool own = reinterpret_cast<TSkinManager*>(m.LParam) == SkinData.SkinManager();
    switch (command) {
        case SKC_SKINLOADED:
            if (!own) return false;
            regionChanged_ = true;
            HandleSkinCommand(m, &SkinData);
            return true;
        case SKC_SKINREMOVED:
            if (!own || Destroying()) return false;
            HandleSkinCommand(m, &SkinData);
            region_.Reset();
            if (HandleAllocated()) ::SetWindowRgn(Handle(), nullptr, FALSE);
            regionChanged_ = true;
            Repaint();
            return true;
        case SKC_SKINREFRESH:
            if (!own) return false;
            if (HandleAllocated()) ::SetWindowRgn(Handle(), nullptr, FALSE);
            HandleSkinCommand(m, &SkinData);
            regionChanged_ = true;
            if (!SkinData.PrintDC) Repaint();
            return true;
        case SKC_ISSKINNED: m.Result = 1; return true;
        case SKC_GETSKININDEX: {
            const TSkinManager* manager = SkinData.SkinManager();
            if (manager && manager->Skin()) m.Result = manager->Skin()->CommonIndexes[csButton] + 1;
            return true;
        }
        case SKC_CACHEVALID: m.Result = PrepareCache() ? 0 : 1; return true;
        case SKC_FREEREGION: region_.Reset(); return false;
        default: return false;
    }
}

void TSkinBitBtn::WndProc(TMessage& m) {
    if (m.Msg == SKM_SKINCMD && HandleOwnSkinCommand(m)) return;
    if (!SkinData.IsSkinActive() || !HandleAllocated()) {
        switch (m.Msg) {
            case WM_PRINT: m.Msg = WM_PAINT; break;
            case CM_MOUSEENTER:
                SkinData.MouseAbove = true;
                if (Enabled() && OnMouseEnter) OnMouseEnter(this);
                break;
            case CM_MOUSELEAVE:
                SkinData.MouseAbove = false;
                if (Enabled() && OnMouseLeave) OnMouseLeave(this);
                break;
        }
        TBitBtn::WndProc(m);
        return;
    }
    switch (m.Msg) {
        case WM_SIZE:
        case WM_WINDOWPOSCHANGING: regionChanged_ = true; break;
        case WM_WINDOWPOSCHANGED:
            regionChanged_ = true;
            SkinData.BgChanged = true;
            break;
        case WM_ENABLE: m.Result = 0; return;
        case WM_UPDATEUISTATE: m.Result = 0; return;
        case WM_PRINT: {
            regionChanged_ = true;
            SkinData.Updating = false;
            SkinData.BgChanged = true;
            HDC dc = reinterpret_cast<HDC>(m.WParam);
            const HDC before = SkinData.PrintDC;
            SkinData.PrintDC = dc;
            PaintWindow(dc);
            SkinData.PrintDC = before;
            m.Result = 0;
            return;
        }
        case WM_PAINT: PaintOnMessage(m, handle_, [this](HDC dc) { PaintWindow(dc); }); return;
        case WM_ERASEBKGND: m.Result = 1; return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            if (m.Msg == WM_KILLFOCUS && Destroying()) return;
            if (gInFocusHandling || !Enabled()) break;
            if (m.Msg == WM_KILLFOCUS) SkinData.StopFade();
            gInFocusHandling = true;
            SetWindowRedraw(handle_, false);
            TBitBtn::WndProc(m);
            SetWindowRedraw(handle_, true);
            gInFocusHandling = false;
            if (m.Msg == WM_KILLFOCUS) SkinData.Focused = false;
            Changed();
            return;
        }
        case WM_SETTEXT:
            SkinData.StopFade();
            SetWindowRedraw(handle_, false);
            TBitBtn::WndProc(m);
            SetWindowRedraw(handle_, true);
            Changed();
            return;
        case CM_TEXTCHANGED:
            if (!Destroying()) {
                SkinData.StopFade();
                Changed();
            }
            return;
        case CM_MOUSEENTER:
            if (Enabled() && !SkinData.MouseAbove && !(SkinData.SkinManager() &&
                                                      SkinData.SkinManager()->Options.NoMouseHover)) {
                if (OnMouseEnter) OnMouseEnter(this);
                SkinData.MouseAbove = true;
                SkinData.BgChanged = false;
                AnimateTo(aeMouseEnter);
            }
            return;
        case CM_MOUSELEAVE:
            if (Enabled()) {
                if (OnMouseLeave) OnMouseLeave(this);
                SkinData.MouseAbove = false;
                SkinData.BgChanged = false;
                AnimateTo(aeMouseLeave);
            }
            return;
        case CN_DRAWITEM: m.Result = 1; return;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_LBUTTONDBLCLK: MouseDown(m); break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP: {
            MouseUp(m);
            break;
        }
        case WM_KEYUP:
            TBitBtn::WndProc(m);
            if (m.WParam == VK_SPACE) {
                regionChanged_ = true;
                SkinData.BgChanged = true;
                Repaint();
            }
            return;
        case BM_SETSTATE:
            TBitBtn::WndProc(m);
            Changed();
            return;
        default: break;
    }
    if (HandleCommonWindowMessage(m, &SkinData)) return;
    TBitBtn::WndProc(m);
    switch (m.Msg) {
        case WM_SETFONT:
            SkinData.Updating = false;
            SkinData.StopFade();
            Changed();
            break;
        case CM_VISIBLECHANGED:
            if (!Destroying() && Visible()) {
                SkinData.BgChanged = true;
                SkinData.Updating = false;
                Repaint();
            }
            break;
        case CM_ENABLEDCHANGED:
            if (!Destroying()) {
                SkinData.Updating = false;
                SkinData.StopFade();
                SkinData.BgChanged = true;
                ::RedrawWindow(handle_, nullptr, nullptr, RDW_UPDATENOW | RDW_INVALIDATE);
            }
            break;
        default: break;
    }
}

}  // namespace ad::skin::controls
