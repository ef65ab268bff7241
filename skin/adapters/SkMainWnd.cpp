// The window adapter base: attaching, detaching and the common messages.
#include "skin/adapters/SkMainWnd.h"

#include <algorithm>
#include <atomic>

#include "base/Color.h"
#include "base/WinText.h"
#include "framework/Handles.h"
#include "framework/Messages.h"
#include "framework/StdCtrls.h"
#include "framework/Themes.h"
#include "skin/adapters/SkAdapterPaint.h"
#include "skin/adapters/SkAdapterUtils.h"
#include "skin/engine/paint/SkinMaskPaint.h"
#include "skin/engine/win/SkinDataMessages.h"
#include "skin/engine/win/SkinDataPaint.h"
#include "skin/engine/win/SkinEngineLinks.h"

namespace ad::skin::adapters {

namespace {
std::atomic<int> g_liveAdapters{0};
}  // namespace

bool AdaptingDialogChildren = false;

TSkMainWnd::TSkMainWnd(HWND wnd, TSkinCommonData* skinData, TSkinManager* manager, const TSkSkinParams& params)
    : DialogChild(AdaptingDialogChildren), wnd_(wnd), skinData_(skinData), manager_(manager), control_(params.Control) {
    ++g_liveAdapters;
}

void TSkMainWnd::Start(const TSkSkinParams& params) {
    // A foreign visual style would paint over the skin (a form's data keeps it).
    if (!skinData_ || skinData_->ControlKind != 224) {
        if (params.SkinSection != "DIALOG") themeTurnedOff_ = ThemeLibrary().SetWindowTheme(wnd_, L" ", L" ");
    }
    if (!skinData_) {
        ownSkinData_ = CreateSkinData();
        skinData_ = ownSkinData_.get();
        skinData_->OwnerControl = params.Control;
        skinData_->OwnerObject = params.Control;
        skinData_->SetSkinManager(manager_);
        if (!params.SkinSection.empty()) skinData_->SetSkinSection(params.SkinSection);
        skinData_->SetCustomFont(!params.UseSkinFontColor);
        skinData_->SetCustomColor(!params.UseSkinColor);
    }
    skinData_->OwnerWindow = wnd_;
    // Messages the engine sends "to the control's own procedure" reach the adapter.
    skinData_->SavedWndProc = [this](TMessage& m) { WndProc(m); };
    SaveColors();
    colorsApplied_ = false;
    caption_ = GetWndText(wnd_);
    ::SetPropW(wnd_, kSkinAdapterProp, this);
    subclass_ = std::make_unique<TWindowSubclass>(wnd_, [this](TMessage& m) {
        WndProc(m);
        return true;
    });
    InitAdapter();
}

void TSkAdapterFree::operator()(TSkMainWnd* adapter) const {
    if (adapter) adapter->Release();
}

// The window's own procedure first, so that what RestoreWindow changes (the
// colours, the frame measured again) reaches the window without this layer.
void TSkMainWnd::Release() {
    if (!destroyed_) {
        Detach();
        RestoreWindow();
        if (themeTurnedOff_ && ::IsWindow(wnd_)) ThemeLibrary().SetWindowTheme(wnd_, nullptr, nullptr);
        if (reframeOnDetach_ && ::IsWindow(wnd_)) ::SetWindowPos(wnd_, nullptr, 0, 0, 0, 0, kFrameChangeFlags);
    }
    delete this;
}

TSkMainWnd::~TSkMainWnd() {
    if (!destroyed_) Detach();
    if (skinData_ && !ownSkinData_) skinData_->SavedWndProc = nullptr;
    ownSkinData_.reset();
    if (::IsWindow(wnd_) && ::GetPropW(wnd_, kSkinAdapterProp) == this) ::RemovePropW(wnd_, kSkinAdapterProp);
    --g_liveAdapters;
}

TSkMainWnd* TSkMainWnd::GetAdapter(HWND wnd) {
    return wnd ? static_cast<TSkMainWnd*>(::GetPropW(wnd, kSkinAdapterProp)) : nullptr;
}

int TSkMainWnd::LiveCount() { return g_liveAdapters; }

// The procedure is always given back: the subclass chain unhooks this layer
// wherever it lies, whoever hooked the window before or after it.
void TSkMainWnd::Detach() {
    subclass_.reset();
    destroyed_ = true;
}

std::unique_ptr<TSkinCommonData> TSkMainWnd::CreateSkinData() {
    return std::make_unique<TSkinCommonData>(wnd_, true);
}

void TSkMainWnd::InitAdapter() {
    skinData_->Loading = false;
    skinData_->AttachToWindow();
}

void TSkMainWnd::RestoreWindow() {
    if (ownSkinData_) ownSkinData_->DetachFromWindow();
    if (::IsWindow(wnd_) && ::GetPropW(wnd_, kSkinAdapterProp) == this) ::RemovePropW(wnd_, kSkinAdapterProp);
}

LRESULT TSkMainWnd::SendMsg(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    WndProc(m);
    return m.Result;
}

void TSkMainWnd::CallOldProc(TMessage& m) {
    m.Result = subclass_ ? subclass_->CallNext(m) : ::DefWindowProcW(wnd_, m.Msg, m.WParam, m.LParam);
}

void TSkMainWnd::CallOldProcSilently(TMessage& m) {
    const bool visible = ::IsWindowVisible(wnd_);
    if (visible) SetRedraw(false);
    CallOldProc(m);
    if (visible) SetRedraw(true);
}

bool TSkMainWnd::SkinActive() const {
    return skinData_ && manager_ && manager_->Active() && skinData_->IsSkinActive();
}

bool TSkMainWnd::PrepareAdapterCache(bool outline) {
    (void)outline;  // no outline colour is set by any manager here
    if (!skinData_ || !skinData_->BgChanged) return true;
    TSkParentBgRequest request;
    if (HWND parent = ::GetParent(wnd_)) {
        GetParentBgByHandle(request, parent, false);
        if (request.Kind == pbNotReady) {
            skinData_->Updating = true;
            return false;
        }
    }
    skinData_->PrepareCacheImage();
    if (!skinData_->CacheImage || skinData_->CacheImage->Empty()) return false;
    const TSkBgCacheRef background = GetWindowParentBgRef(wnd_);
    const TImageView32 image = skinData_->CacheImage->View();
    FillFromBackground(image, TRect(0, 0, image.Width, image.Height), background);
    const bool hot = skinData_->Focused || (skinData_->IsHighlighted() && CanShowHotState(*skinData_, true));
    PaintStateCorners(*skinData_, background, true, skinData_->HotPatternIndex, skinData_->PatternIndex, image,
                      {0, 0}, TRect(0, 0, image.Width, image.Height), hot ? 1 : 0);
    if (!::IsWindowEnabled(wnd_)) {
        if (dynamic_cast<TCustomEdit*>(control_.Get())) PaintDisabledEditText();
        const TSkWindowGeometry geometry = GetWindowGeometry(wnd_);
        ApplyDisabledEffects(image, kDisabledFade, geometry.PosInParent, GetWindowParentBgRef(::GetParent(wnd_)),
                             skinData_->BackgroundColor(0, wnd_));
    }
    skinData_->BgChanged = false;
    return true;
}

// A disabled edit shows its text (or its password characters) on one line
// inside its border, as the edit itself would.
void TSkMainWnd::PaintDisabledEditText() {
    const LONG_PTR style = ::GetWindowLongPtrW(wnd_, GWL_STYLE), exStyle = ::GetWindowLongPtrW(wnd_, GWL_EXSTYLE);
    const int depth = ((exStyle & WS_EX_CLIENTEDGE) ? 1 : 0) + 1;
    const int inset = depth + ((style & WS_BORDER) ? 1 : 0);
    std::wstring text = Widen(caption_);
    if (const auto password = wchar_t(::SendMessageW(wnd_, EM_GETPASSWORDCHAR, 0, 0)))
        text.assign(text.size(), password);
    if (text.empty()) return;
    const TSkAdapterFont font(*this);
    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    SelectObjectScope bitmap(dc.Get(), skinData_->CacheImage->Handle());
    SelectObjectScope selected(dc.Get(), font.Get());
    ::SetBkMode(dc.Get(), TRANSPARENT);
    ::SetTextColor(dc.Get(), ColorToRGB(control_ ? control_->Font().Color() : clGrayText));
    RECT r{inset, inset, skinData_->CacheImage->Width() - inset, skinData_->CacheImage->Height() - depth};
    UINT format = DT_SINGLELINE | DT_NOPREFIX;
    if (exStyle & WS_EX_RTLREADING) format |= DT_RIGHT | DT_RTLREADING;
    ::DrawTextW(dc.Get(), text.c_str(), int(text.size()), &r, format);
    ::GdiFlush();
}

void TSkMainWnd::FillTransparentCorners(int state) {
    const TSkinTables* skin = skinData_ ? skinData_->Skin() : nullptr;
    if (DialogChild || !skin || !skin->IsValidMaskIndex(skinData_->BorderIndex) || !skinData_->CacheImage) return;
    const TImageView32 cache = skinData_->CacheImage->View();
    if (cache.Width <= 1 || cache.Height <= 1) return;
    const TSkinMaskData& mask = skin->Mask(skinData_->BorderIndex);
    TBitmap32* maskImage = skin->MaskImage(mask);
    if (!maskImage) return;
    const TImageView32 source = maskImage->View();
    const TPoint frame = MaskFrameSize(mask);
    const int states = mask.ImageCount > 0 ? mask.ImageCount : 3;
    const bool masked = mask.MaskType == 1;
    const int column = mask.R.Left + std::clamp(state, 0, states - 1) * frame.X;
    const int row = mask.R.Top + (masked ? frame.Y : 0);
    // Plain images leave the last column and row of each corner piece out.
    const int less = masked ? 0 : 1;
    const TSkBgCacheRef background = GetWindowParentBgRef(wnd_);
    const uint32_t fill = 0xFF000000u | ((background.FillColor & 0xFF) << 16) | (background.FillColor & 0xFF00) |
                          ((background.FillColor >> 16) & 0xFF);
    struct Piece {
        int sourceX, sourceY, targetX, targetY, width, height;
    };
    const int wl = mask.WL - less, wt = mask.WT - less, wr = mask.WR - less, wb = mask.WB - less;
    const Piece pieces[] = {
        {0, 0, 0, 0, wl, wt},
        {frame.X - mask.WR, 0, cache.Width - mask.WR, 0, wr, wt},
        {0, frame.Y - mask.WB, 0, cache.Height - mask.WB, wl, wb},
        {frame.X - mask.WR, frame.Y - mask.WB, cache.Width - mask.WR, cache.Height - mask.WB, wr, wb},
    };
    for (const Piece& p : pieces)
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) {
                const int sx = column + p.sourceX + x, sy = row + p.sourceY + y;
                const int tx = p.targetX + x, ty = p.targetY + y;
                if (sx < 0 || sy < 0 || sx >= source.Width || sy >= source.Height || tx < 0 || ty < 0 ||
                    tx >= cache.Width || ty >= cache.Height)
                    continue;
                if ((*reinterpret_cast<const uint32_t*>(source.Pixel(sx, sy)) & 0xFFFFFF) != 0xFF00FF) continue;
                uint32_t pixel = fill;
                BackgroundPixel(background, tx, ty, pixel);
                *reinterpret_cast<uint32_t*>(cache.Pixel(tx, ty)) = pixel;
            }
}

void TSkMainWnd::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_PRINT:
            // The window paints itself into the given DC as for a paint.
            m.Result = ::SendMessageW(wnd_, WM_PAINT, m.WParam, m.LParam);
            return;
        case WM_UPDATEUISTATE:  // the control would draw its focus cues over the skin
            return;
        case WM_DESTROY:
            // Nothing more is shown over a window that goes.
            if (skinData_) {
                skinData_->StopFade();
                HideGlow(skinData_->GlowIndex, false);
            }
            break;
        case WM_NCDESTROY:
            // The window goes: the chain unhooks this layer and passes the message on.
            RestoreWindow();
            destroyed_ = true;
            if (subclass_) subclass_->Detach();
            return;
        case WM_SETTEXT:
            CallOldProc(m);
            caption_ = GetWndText(wnd_);
            return;
        case CM_CONTROLLISTCHANGE:
            // A control put into this one after the form adapted its controls.
            CallOldProc(m);
            if (m.WParam && m.LParam && manager_ && manager_->Active())
                TSkinCommonData::AskFormToAdaptControls(control_.Get());
            return;
        case CM_RECREATEWND:
            // The control makes its window again: this adapter went with the
            // old one, so the form is asked to adapt the new window.
            CallOldProc(m);
            if (TWinControl* control = control_.Get(); control && !control->Destroying())
                TSkinCommonData::AskFormToAdaptControls(control);
            return;
        case WM_SIZE:
            if (skinData_) skinData_->BgChanged = true;
            break;
        case WM_MOUSEMOVE:
            if (manager_ && manager_->Active() && ::IsWindowEnabled(wnd_) && manager_->HoverWindow() != wnd_)
                manager_->SetHoverWindow(wnd_);
            break;
        case SKM_SKINCMD:
            if (skinData_ && manager_ && manager_->Active()) {
                HandleSkinCommand(m);
                return;
            }
            break;
        default: break;
    }
    CallOldProc(m);
}

void TSkMainWnd::HandleSkinCommand(TMessage& m) {
    const bool ownManager = reinterpret_cast<TSkinManager*>(m.LParam) == skinData_->SkinManager();
    switch (SkinCommandOf(m.WParam)) {
        case SKC_SKINLOADED:
            if (ownManager) {
                skinData_->ResolveSectionIndexes(true);
                BroadcastToChildWindows(wnd_, m);
            }
            break;
        case SKC_SKINREMOVED:
            if (ownManager) RestoreWindow();
            break;
        case SKC_SKINREFRESH:
            if (!ownManager) break;
            skinData_->ResolveSectionIndexes(true);
            skinData_->Updating = false;
            if (!SkinAnimationRunning() && ::IsWindowVisible(wnd_))
                ::RedrawWindow(wnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
            BroadcastToChildWindows(wnd_, m);
            return;
        case SKC_ENDUPDATEREDRAW:
            if (!skinData_->Updating) break;
            if (!skinData_->RefreshUpdating(true)) {
                ::SendMessageW(wnd_, WM_NCPAINT, 0, 0);
                ::RedrawWindow(wnd_, nullptr, nullptr, 0x585);
                if (TWinControl* control = control_.Get()) RepaintChildControls(control);
            }
            return;
        case SKC_ISSKINNED: m.Result = 1; return;
        case SKC_ISUPDATING: m.Result = skinData_->QueryUpdating() ? 1 : 0; return;
        case SKC_GETADAPTER: m.Result = reinterpret_cast<LRESULT>(this); return;
        case SKC_SETSECTION:
            if (!m.LParam) {
                m.Result = 0;
                return;
            }
            skinData_->SetSkinSection(reinterpret_cast<const char*>(m.LParam));
            m.Result = 1;
            return;
        case SKC_HASOWNBG:
            if (!control_.Get()) break;
            ad::skin::HandleSkinCommand(m, skinData_);
            return;
        case SKC_GETBGCOLOR:
            m.Result = 0;
            CallOldProc(m);
            if (!m.Result) m.Result = LRESULT(skinData_->BackgroundColor(0, wnd_));
            return;
        case SKC_CACHEVALID: PrepareAdapterCache(false); break;
        case SKC_GETPARENTBG:
            if (m.LParam) skinData_->AnswerBgRequest(*reinterpret_cast<TSkParentBgRequest*>(m.LParam), 0, wnd_);
            return;
        case SKC_GETSKINDATA: m.Result = reinterpret_cast<LRESULT>(skinData_); return;
        case SKC_SETPRINTDC:
            skinData_->PrintDC = reinterpret_cast<HDC>(m.LParam);
            if (m.LParam) skinData_->StateFlags |= kPrinting;
            else skinData_->StateFlags &= uint16_t(~kPrinting);
            break;
        default:
            if (ad::skin::HandleSkinCommand(m, skinData_)) return;
            break;
    }
    CallOldProc(m);
}

}  // namespace ad::skin::adapters
