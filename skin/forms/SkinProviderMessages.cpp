// The provider's window procedure: the skin commands it answers in every
// state, the unskinned path, and the message table of a skinned form; the
// non-client hit test and the caption elements' hover, press and release;
// the skin editor's data. Whatever it leaves goes to the form's previous
// window procedure. The hit and hover paths read the window rectangle and
// cached values only (no cursor or capture queries).
#include <algorithm>

#include "skin/engine/skinfile/SkinEditorData.h"
#include "skin/engine/skinfile/SkinMessages.h"
#include "skin/engine/win/SkinDataMessages.h"
#include "skin/engine/win/SkinMessaging.h"
#include "skin/engine/win/SkinDwm.h"
#include "skin/forms/SkinComposition.h"
#include "skin/forms/SkGlowForm.h"
#include "skin/forms/SkinFormAnimation.h"
#include "skin/forms/SkinFormMetrics.h"
#include "skin/forms/SkBorderForm.h"
#include "skin/forms/SkinProvider.h"
#include "skin/forms/SkinMDIForm.h"
#include "skin/forms/SkinTitleBar.h"

#include <windowsx.h>  // after the engine headers: it defines SetWindowRedraw as a macro

namespace ad::skin::forms {

namespace {

HWND gEditorLink = nullptr;  // the form the skin editor talks to
bool gEditorGuard = false;   // an editor record is being taken over

// Tries of SetWindowLong on the extended style before giving up.
constexpr int kStyleTries = 3;

bool SetExStyleBounded(HWND wnd, LONG_PTR style) {
    for (int i = 0; i < kStyleTries; ++i) {
        ::SetLastError(0);
        const LONG_PTR before = ::SetWindowLongPtrW(wnd, GWL_EXSTYLE, style);
        if (before != 0 || ::GetLastError() == 0) return true;
    }
    return false;
}

bool IsCaptionButtonCode(int code) {
    return code == HTMINBUTTON || code == HTMAXBUTTON || code == HTCLOSE || code == HTHELP ||
           (code >= kHitMdiClose && code <= kHitMdiMinimize) || (code >= kHitTitleButton && code <= kHitTitleButton + 100) ||
           (code >= kHitTitleBarItem && code <= kHitTitleBarItem + 100);
}

}  // namespace

HWND SkinEditorLinkWindow() { return gEditorLink; }
void SetSkinEditorLinkWindow(HWND wnd) { gEditorLink = wnd; }

void TSkinProvider::CallPrevious(TMessage& m) {
    m.Result = subclass_ ? subclass_->CallNext(m)
                         : ::DefWindowProcW(form_ ? form_->Handle() : nullptr, m.Msg, m.WParam, m.LParam);
}

TPoint TSkinProvider::ScreenPointOf(const TMessage& m) {
    TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST && form_->HandleAllocated()) {
        POINT client{p.X, p.Y};
        ::ClientToScreen(form_->Handle(), &client);
        p = {client.x, client.y};
    }
    return p;
}

bool TSkinProvider::OwnManager(LPARAM lParam) {
    TSkinManager* manager = Manager();
    return manager && reinterpret_cast<TSkinManager*>(lParam) == manager;
}

void TSkinProvider::ClearHotElement() {
    pressed_ = false;
    SetHotElement(-1, true);
}

// ---- Skin commands ----

bool TSkinProvider::HandleSkinCommandFirst(TMessage& m) {
    switch (SkinCommandOf(m.WParam)) {
        case SKC_SKINLOADED:
            if (OwnManager(m.LParam) && !systemMenu_ && !deferredStart_) PrepareForm();
            return false;
        case SKC_SKINREMOVED:
            if (OwnManager(m.LParam)) {
                RemoveSkinFromForm();
            } else {
                HandleSkinCommand(m, SkinData.get());
                if (form_) BroadcastToChildren(form_, m);
            }
            return true;
        case SKC_ISSKINNED:
            m.Result = 1;
            return true;
        case SKC_ENDUPDATE:
            if (SkinData && (SkinData->StateFlags & 0x400)) {
                SkinData->StateFlags &= uint16_t(~0x400);
                if (form_ && form_->HandleAllocated()) form_->Perform(CM_MENUCHANGED);
            }
            return false;
        case SKC_GETPARENTBG:
            if (!Skinned() || !m.LParam) return false;
            AnswerParentBg(*reinterpret_cast<TSkParentBgRequest*>(m.LParam));
            m.Result = 1;
            return true;
        case SKC_SKINSTATE:
            if (!SkinData) return false;
            if (SkinData->StateFlags & kSeeThroughUnknown) SkinData->UpdateSeeThrough(false);
            m.Result = SkinData->StateFlags;
            return true;
        case SKC_GETAPPLICATION:
            m.Result = reinterpret_cast<LRESULT>(Application);
            return true;
        case SKC_GETCLIENTOFFSET:
            m.Result = MAKELONG(ClientOffsetX(), ClientOffsetY());
            return true;
        case SKC_SETSCALE: {
            if (!SkinData) return false;
            ClearHotElement();
            const int old = std::max(1, SkinData->ScalePercent);
            const int wanted = int(m.LParam);
            if (wanted > 0) {
                AddedTitle.Font.SetHeight(::MulDiv(AddedTitle.Font.Height(), wanted, old));
                FormHeader.AdditionalHeight = ::MulDiv(FormHeader.AdditionalHeight, wanted, old);
                if (TSkinTitleBar* bar = TitleBar()) bar->ScaleItems(wanted);
            }
            HandleSkinCommand(m, SkinData.get());
            if (form_) BroadcastToChildren(form_, m);
            return true;
        }
        case SKC_GETSCALE:
            m.Result = SkinData ? SkinData->ScalePercent : 100;
            return true;
        default: return false;
    }
}

bool TSkinProvider::HandleSkinCommandUnskinned(TMessage& m) {
    switch (SkinCommandOf(m.WParam)) {
        case SKC_SKINLOADED:
            if (!OwnManager(m.LParam)) return false;
            ReinitAfterSkinLoaded();
            m.Result = 1;
            return true;
        case SKC_GETPROVIDER:
            m.Result = reinterpret_cast<LRESULT>(this);
            return true;
        default: return false;
    }
}

void TSkinProvider::HandleSkinCommandSkinned(TMessage& m) {
    HWND wnd = Wnd();
    switch (SkinCommandOf(m.WParam)) {
        case SKC_SKINLOADED:
            if (!OwnManager(m.LParam)) return;
            ReinitAfterSkinLoaded();
            captionGlowMasks_ = {};
            if (wnd && ::IsWindowVisible(wnd)) RefreshNonClient();
            m.Result = 0;
            return;
        case SKC_SKINREFRESH:
            if (OwnManager(m.LParam)) RefreshSkin();
            m.Result = 0;
            return;
        case SKC_GETPROVIDER: m.Result = reinterpret_cast<LRESULT>(this); return;
        case SKC_ENDUPDATEREDRAW:
            if (SkinData->Updating) {
                SkinData->Updating = false;
                if (wnd) ::RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
            }
            return;
        case SKC_SETUPDATING:
            SkinData->Updating = SkinCommandArgument(m.WParam) == 1;
            if (SkinData->QueryUpdating()) SkinData->BgChanged = true;
            m.Result = 0;
            return;
        case SKC_ISUPDATING:
            m.Result = SkinData->Updating && !SkinAnimationRunning() ? 1 : 0;
            return;
        case SKC_BGCHANGED:
            SkinData->BgChanged = true;
            m.Result = 0;
            return;
        case SKC_HASOWNBG: {
            const TSkinTables* skin = Skin();
            int answer = 0;
            if (skin && skin->IsValidSectionIndex(SkinData->SkinIndex)) {
                const TSkinGenState& normal = skin->Section(SkinData->SkinIndex).Props[0];
                if (normal.ImagePercent + normal.GradientPercent >= 1) answer = 1;
            }
            if (!answer && skin && skin->IsValidMaskIndex(SkinData->BorderIndex) &&
                (skin->Mask(SkinData->BorderIndex).DrawFlags & 0x4))
                answer = 1;
            if (m.LParam) *reinterpret_cast<int*>(m.LParam) = answer;
            m.Result = answer;
            return;
        }
        case SKC_GETBGCOLOR: m.Result = LRESULT(SkinData->BackgroundColor(0)); return;
        case SKC_CACHEVALID:
            if (!SkinAnimationRunning() && SkinData->BgChanged) PrepareCache();
            m.Result = 0;
            return;
        case SKC_ADAPTCHILDREN:
            if (!SkinData->Loading) CreateAdapter();
            return;
        case SKC_MOUSELEAVE: ClearHotElement(); return;
        case SKC_LOCKREDRAW:
            if (TSkinCommonData::UsesParentBg(SkinData.get())) HandleMessage(WM_SETREDRAW, 0);
            return;
        case SKC_UNLOCKREDRAW:
            if (TSkinCommonData::UsesParentBg(SkinData.get())) {
                HandleMessage(WM_SETREDRAW, 1);
                if (wnd) ::RedrawWindow(wnd, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
            }
            return;
        case SKC_TITLEBARCHANGED:
            if (m.LParam == 1) SkinData->BgChanged = true;
            RepaintFrame();
            return;
        case SKC_GLUEDMOVE:
            SetFormState(m.LParam == 1 ? (formState_ | kFsGluedMove) : (formState_ & ~kFsGluedMove));
            return;
        case SKC_GETFORMFLAG: m.Result = (formState_ & kFsGluedMove) ? 1 : 0; return;
        case SKC_SETFORMALPHA: SetFormAlpha(int(m.LParam)); return;
        case SKC_FINDBGSECTION: {
            auto* query = reinterpret_cast<TSkSectionQuery*>(m.LParam);
            const TSkinTables* skin = Skin();
            m.Result = 0;
            if (!query || !skin) return;
            if (FormHeader.AdditionalHeight >= 1 && skin->IsValidSectionIndex(headerSkinIndex_) &&
                query->Bounds.Top < FormHeader.AdditionalHeight) {
                query->SectionIndex = headerSkinIndex_;
                m.Result = 1;
            } else if (skin->GlobalInfo.Version >= 10.25 ||
                       (skin->IsValidSectionIndex(SkinData->SkinIndex) &&
                        skin->Section(SkinData->SkinIndex).GiveOwnFont)) {
                query->SectionIndex = SkinData->SkinIndex;
                m.Result = 1;
            }
            return;
        }
        case SKC_GETBORDERWIDTH: {
            const int half = (form_->Width() - form_->ClientWidth()) / 2;
            m.Result = half != 0 ? half : m.LParam;
            return;
        }
        default: CallPrevious(m); return;
    }
}

void TSkinProvider::ReinitAfterSkinLoaded() {
    StopButtonAnimations();
    ResolveOwnSections();
    if (SkinData) SkinData->ResolveSectionIndexes(true);
    UpdateSysMenuStyle(true);
    InitCaptionElements();
    HWND wnd = Wnd();
    formActive_ = wnd && ::GetActiveWindow() == wnd ? 1 : 0;
    TSkinManager* manager = Manager();
    if (manager && !SkinLoading()) AdaptLabels(true);
    if (SkinData) SkinData->BgChanged = true;
    menuLineCount_ = -1;
    regionPending_ = true;
    CreateAdapter();
}

void TSkinProvider::RemoveSkinFromForm() {
    StopButtonAnimations();
    TMessage removed{SKM_SKINCMD, SkinCommandWParam(SKC_SKINREMOVED), LPARAM(Manager()), 0};
    if (SkinData) HandleSkinCommand(removed, SkinData.get());
    menuLineCount_ = -1;
    titleSkinIndex_ = captionSkinIndex_ = -1;
    if (form_) BroadcastToChildren(form_, removed);
    RemoveAdapter();
    borderForm_.reset();
    if (!form_ || form_->Destroying()) return;
    SkinMenus(false);
    UpdateSysMenuStyle(false);
    HWND wnd = Wnd();
    if (wnd && HasBorder() && !mdiBusy_) {
        SetWindowRegion(wnd, nullptr, TRUE);
        regionPending_ = true;
    }
    if (useGlobalColor_ && SkinData && !SkinData->CustomColor()) form_->SetColor(clBtnFace);
    AdaptLabels(false);
    if (SkinData && SkinData->CacheImage) SkinData->CacheImage.reset();
    buttonArea_.reset();
    hotElement_ = 0;
    pressed_ = false;
    if (wnd) ::RedrawWindow(wnd, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TSkinProvider::RefreshSkin() {
    CreateAdapter();
    menuLineCount_ = -1;
    if (HasBorder()) regionPending_ = true;
    HWND wnd = Wnd();
    if (!wnd || !::IsWindowVisible(wnd)) return;
    SkinData->BgChanged = true;
    if (TSkinManager* manager = Manager()) UpdateBorderForm(manager->ExtendedBorders());
    if (!SkinAnimationRunning()) ::RedrawWindow(wnd, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    if (TSkinManager* manager = Manager(); manager && useGlobalColor_ && !SkinData->CustomColor())
        form_->SetColor(manager->FormColor());
    SkinData->Updating = false;
    if (borderForm_) borderForm_->UpdateBorderWindow(true);
}

void TSkinProvider::AnswerParentBg(TSkParentBgRequest& request) {
    request.OffsetX = request.OffsetY = 0;
    if ((SkinData->BgChanged || !CacheUsable()) && (!SkinData->Updating || showAnimation_)) PrepareCache();
    const int cx = ClientOffsetX(), cy = ClientOffsetY();
    if (request.PaintIntoDC) {
        request.OffsetX += cx;
        request.OffsetY += cy;
    }
    if (form_->OnPaint && CacheUsable()) {
        request.Bmp = SkinData->CacheImage->View();
        request.OffsetX = cx;
        request.OffsetY = cy;
        request.Kind = pbImage;
        return;
    }
    const TSkinTables* skin = Skin();
    const int sections = skin && skin->IsValidSectionIndex(SkinData->SkinIndex) ? skin->Section(SkinData->SkinIndex).States : 1;
    SkinData->AnswerBgRequest(request, std::clamp(formActive_, 0, std::max(0, sections - 1)), Wnd());
    if (request.Kind == pbImage && !request.PaintIntoDC && request.Bmp.Empty() && CacheUsable())
        request.Bmp = SkinData->CacheImage->View();
    request.OffsetX += cx;
    request.OffsetY += cy;
    if (cx || cy) {
        request.Borders.Left = std::max(0, request.Borders.Left - cx);
        request.Borders.Top = std::max(0, request.Borders.Top - cy);
    }
}

void TSkinProvider::SetFormAlpha(int alpha) {
    HWND wnd = Wnd();
    if (!wnd || !::IsWindowVisible(wnd)) return;
    const LONG_PTR ex = ::GetWindowLongPtrW(wnd, GWL_EXSTYLE);
    if (alpha != 255) {
        if (!(ex & WS_EX_LAYERED)) SetExStyleBounded(wnd, ex | WS_EX_LAYERED);
        ::SetLayeredWindowAttributes(wnd, 0, BYTE(std::clamp(alpha, 0, 255)), LWA_ALPHA);
    } else if (ex & WS_EX_LAYERED) {
        SetExStyleBounded(wnd, ex & ~LONG_PTR(WS_EX_LAYERED));
    }
}

// ---- The skin editor's data ----

void TSkinProvider::HandleCopyData(TMessage& m) {
    CallPrevious(m);
    if (m.Result != 0 || !form_ || !form_->HandleAllocated() || form_->Handle() != gEditorLink || gEditorGuard)
        return;
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(m.LParam);
    // The record comes from another process: only a whole one with the marker counts.
    if (!data || data->dwData != kEditorCopyDataId || !data->lpData || data->cbData < kEditorRecordSize) return;
    TSkinEditorData record;
    if (!ReadEditorData(data->lpData, data->cbData, record)) return;
    gEditorGuard = true;
    // The application window's hook keeps the record and applies it later.
    if (Application && Application->Handle())
        m.Result = ::SendMessageW(Application->Handle(), WM_COPYDATA, m.WParam, m.LParam);
    gEditorGuard = false;
}

// ---- The window procedure ----

void TSkinProvider::WndProc(TMessage& m) {
    if (m.Msg == SKM_SKINCMD && HandleSkinCommandFirst(m)) return;
    // Items added since the form's menus were switched on get the skin's handlers too.
    if (m.Msg == WM_INITMENUPOPUP)
        if (TSkinManager* manager = Manager())
            if (TSkinMenusLink* menus = manager->SkinableMenus()) menus->InitMenuPopup(reinterpret_cast<HMENU>(m.WParam));
    if (m.Msg == FormAnimationDoneMessage()) {
        // A finished animation goes now, outside its own timer.
        if (FormAnimation && (!FormAnimation->Animation || !FormAnimation->Animation->Running())) FormAnimation.reset();
        return;
    }
    // The first paint starts skinning too: painted unskinned, the window would
    // be painted again as soon as its frame is skinned.
    if (deferredStart_ && (m.Msg == WM_NCHITTEST || m.Msg == WM_NCPAINT || m.Msg == WM_PAINT ||
                           (m.Msg == CM_SHOWINGCHANGED && form_ && form_->Showing())))
        RunDeferredStart();
    if (!form_ || form_->Destroying() || !SkinData || !SkinData->IsSkinActive() || deferredStart_) {
        if (m.Msg == SKM_SKINCMD && HandleSkinCommandUnskinned(m)) return;
        if (m.Msg == WM_PRINT && m.WParam && form_) {
            HDC dc = reinterpret_cast<HDC>(m.WParam);
            TCanvas(dc).FillRect(RECT{0, 0, form_->Width(), form_->Height()}, form_->Color());
            form_->Perform(WM_PAINT, m.WParam, m.LParam);
            return;
        }
        CallPrevious(m);
        return;
    }
    switch (m.Msg) {
        case SKM_SKINCMD: HandleSkinCommandSkinned(m); return;
        case WM_NCHITTEST: WMNCHitTest(m); return;
        case WM_INITMENUPOPUP:
            if (!InitWindowMenu(m)) CallPrevious(m);
            return;
        case WM_COMMAND:
            if (mdiForm_ && mdiForm_->HandleCommand(m.WParam)) {
                m.Result = 0;
                return;
            }
            CallPrevious(m);
            return;
        case WM_NCPAINT: WMNCPaint(m); return;
        case WM_NCACTIVATE: WMNCActivate(m); return;
        case WM_NCMOUSEMOVE: WMNCMouseMove(m); return;
        case WM_NCLBUTTONDOWN: WMNCLButtonDown(m); return;
        case WM_NCLBUTTONUP:
        case WM_LBUTTONUP: WMNCLButtonUp(m); return;
        case WM_NCLBUTTONDBLCLK: WMNCLButtonDblClk(m); return;
        case WM_NCRBUTTONDOWN: WMNCRButtonDown(m); return;
        case WM_NCRBUTTONUP: WMNCRButtonUp(m); return;
        case WM_MOUSELEAVE:
        case WM_NCMOUSELEAVE:
        case CM_MOUSELEAVE: WMMouseLeave(m); return;
        case WM_MOUSEMOVE:
            CallPrevious(m);
            if (hotElement_ > 0) SetHotElement(0, true);
            if (TSkinManager* manager = Manager(); manager && manager->HoverWindow() == Wnd())
                manager->SetHoverWindow(nullptr);
            return;
        case WM_MOVE:
            StopButtonAnimations();
            ClearAllGlows(false);
            if (!borderForm_ && !(formState_ & (kFsMinimizing | kFsRestoring)) && ::IsWindowVisible(Wnd()))
                if (TSkinManager* manager = Manager(); manager && manager->ExtendedBorders() && BorderFormWanted())
                    UpdateBorderForm(true);
            CallPrevious(m);
            MoveGluedForms(false);
            return;
        case WM_SIZING:
            CallPrevious(m);
            if (borderForm_) borderForm_->UpdateBorderWindow(false);
            return;
        case WM_SIZE: WMSize(m); return;
        case WM_ACTIVATE:
            CallPrevious(m);
            UpdateGluedForms();
            if (form_->Showing()) {
                menuLineCount_ = -1;
                if (LOWORD(m.WParam) != WA_INACTIVE && form_->BorderStyle == TFormBorderStyle::bsNone)
                    RepaintChildControls(form_);
            }
            return;
        case WM_SETREDRAW:
            if (m.WParam == 1) redrawLocks_ = std::max(0, redrawLocks_ - 1);
            else ++redrawLocks_;
            CallPrevious(m);
            return;
        case WM_SETTEXT: WMSetText(m); return;
        case WM_PAINT: WMPaint(m); return;
        case WM_ERASEBKGND: WMEraseBkgnd(m); return;
        case WM_SHOWWINDOW: WMShowWindow(m); return;
        case WM_SETTINGCHANGE:
            SkinData->BgChanged = true;
            if (m.WParam == SPI_SETNONCLIENTMETRICS) {  // the caption and menu fonts changed
                captionFont_.Reset();
                menuFont_.Reset();
            }
            CallPrevious(m);
            return;
        case WM_GETMINMAXINFO:
            if (m.LParam) GetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(m.LParam));
            CallPrevious(m);
            return;
        case WM_WINDOWPOSCHANGING:
            if (auto* pos = reinterpret_cast<WINDOWPOS*>(m.LParam);
                pos && ScreenSnap && !(pos->flags & SWP_NOMOVE) && form_->Showing() && !IsZoomed() && !IsIconic()) {
                int x = pos->x, y = pos->y;
                SnapToEdges(x, y);
                pos->x = x;
                pos->y = y;
            }
            WMWindowPosChanging(m);
            return;
        case WM_WINDOWPOSCHANGED: WMWindowPosChanged(m); return;
        case WM_COPYDATA: HandleCopyData(m); return;
        case WM_STYLECHANGED:
            CallPrevious(m);
            if (systemMenu_ && m.WParam == WPARAM(GWL_STYLE) && drawNonClientArea_) {
                const auto* change = reinterpret_cast<const STYLESTRUCT*>(m.LParam);
                // The system menu bit is the provider's own business: other changes repaint.
                if (change && ((change->styleOld ^ change->styleNew) & ~DWORD(WS_SYSMENU | WS_VISIBLE)))
                    RefreshNonClient();
            }
            return;
        case WM_SETICON:
            CallPrevious(m);
            if (m.LParam && form_->Showing() && !SkinAnimationRunning()) RefreshNonClient();
            return;
        case WM_ENTERIDLE: m.Result = 0; return;
        case WM_PARENTNOTIFY: WMParentNotify(m); return;
        case WM_SYSCOMMAND: WMSysCommand(m); return;
        case WM_DWMSENDICONICTHUMBNAIL:
            if (!DwmTable().SetIconicThumbnail) {
                CallPrevious(m);
                return;
            }
            m.Result = SetIconicThumbnail(Wnd(), *this, HIWORD(m.LParam), LOWORD(m.LParam)) ? 0 : 1;
            return;
        case WM_DWMSENDICONICLIVEPREVIEWBITMAP:
            if (!DwmTable().SetIconicLivePreviewBitmap) {
                CallPrevious(m);
                return;
            }
            m.Result = SetLivePreviewBitmap(Wnd(), *this) ? 0 : 1;
            return;
        case 0x313:  // the taskbar asks for the system menu
            ShowSystemMenuAt(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
            return;
        case WM_PRINT: WMPrint(m); return;
        case WM_PRINTCLIENT:
        case CM_COLORCHANGED: return;
        case CM_SHOWINGCHANGED: CMShowingChanged(m); return;
        case CM_CONTROLLISTCHANGE: CMControlListChange(m); return;
        case CM_VISIBLECHANGED: CMVisibleChanged(m); return;
        case CM_ENABLEDCHANGED:
            CallPrevious(m);
            if (drawNonClientArea_) RefreshNonClient();
            if (DisabledBlendValue != 255 || disabledCover_) UpdateDisabledBlend();
            return;
        case CM_MOUSEENTER:
            CallPrevious(m);
            return;
        case 0xB04C:
        case 0xBC4D: m.Result = 0; return;
        default: CallPrevious(m); return;
    }
}

void TSkinProvider::WMSetText(TMessage& m) {
    HWND wnd = Wnd();
    if (!wnd || !::IsWindowVisible(wnd) || !drawNonClientArea_ || inSetText_) {
        CallPrevious(m);
        return;
    }
    inSetText_ = true;
    captionGlowMasks_ = {};
    SkinData->BgChanged = true;
    // The system repaints its own caption when the text changes: the cover hides it.
    ShowTitleCover();
    CallPrevious(m);
    HideTitleCover();
    inSetText_ = false;
    RefreshNonClient();
}

// ---- Hit test and caption elements ----

void TSkinProvider::WMNCHitTest(TMessage& m) {
    if (deferredStart_) RunDeferredStart();
    if (!drawNonClientArea_ || CaptionHeight() == 0) {
        CallPrevious(m);
        return;
    }
    m.Result = HitTest(TPoint{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
    if (OnExtHitTest) {
        int code = int(m.Result);
        OnExtHitTest(this, TPoint{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)}, code);
        m.Result = code;
    }
}

int TSkinProvider::NonClientCode(const TMessage& m) {
    const TPoint point = ScreenPointOf(m);
    if (borderForm_ && m.WParam == WPARAM(-1) && m.Msg != WM_LBUTTONUP) return borderForm_->HitTest(point);
    return HitTest(point);
}

void TSkinProvider::WMNCMouseMove(TMessage& m) {
    if (!form_->Enabled()) return;
    if (TSkinManager* manager = Manager(); manager && manager->HoverWindow() != Wnd()) manager->SetHoverWindow(Wnd());
    const int code = HitTest(TPoint{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
    if (IsCaptionButtonCode(code)) {
        SetHotElement(code, true);
        m.Result = code;
        return;
    }
    if (hotElement_ > 0) SetHotElement(0, true);
    CallPrevious(m);
}

void TSkinProvider::WMNCLButtonDown(TMessage& m) {
    if (!drawNonClientArea_ || (Application && Application->Terminated())) {
        CallPrevious(m);
        return;
    }
    const TPoint point{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    const bool fromBorder = borderForm_ && m.WParam == WPARAM(-1);
    const int code = NonClientCode(m);
    if (fromBorder) {
        // What the border window found is what the system hears of.
        if (code < 0) return;
        m.WParam = WPARAM(code);
    }
    switch (code) {
        case HTSYSMENU: {
            m.Result = 0;
            CallPrevious(m);
            if (m.Result != 0) return;
            ClearHotElement();
            const TPoint origin = WindowOrigin();
            ShowSystemMenuAt(origin.X + iconRect_.Left,
                             origin.Y + std::max(iconRect_.Bottom, titleBottom_) - (IsIconic() ? 16 : 0));
            return;
        }
        case HTMINBUTTON:
        case HTMAXBUTTON:
        case HTCLOSE:
        case HTHELP:
        case kHitMdiClose:
        case kHitMdiRestore:
        case kHitMdiMinimize:
            SetPressedElement(code);
            m.Result = 0;
            return;
        default:
            if (code >= kHitTitleButton && code - kHitTitleButton < int(TitleButtons.size())) {
                SetPressedElement(code);
                TSkinTitleButton& button = TitleButtons[size_t(code - kHitTitleButton)];
                if (button.OnMouseDown) button.OnMouseDown(this, TMouseButton::mbLeft, 0, point.X, point.Y);
                m.Result = 0;
                return;
            }
            if (TitleBarItemOf(code)) {
                TitleBarItemDown(code, point, TMouseButton::mbLeft);
                m.Result = 0;
                return;
            }
            if (IsIconic()) {
                ::SendMessageW(Wnd(), WM_SYSCOMMAND, 0xF012, m.LParam);  // SC_DRAGMOVE
                return;
            }
            if (hotElement_ > 0) SetHotElement(0, true);
            CallPrevious(m);
            return;
    }
}

void TSkinProvider::ReleaseCaptionElement(int code, TPoint screenPoint) {
    HWND wnd = Wnd();
    TSkCaptionElement* element = ElementByCode(code);
    const bool pressedHere = pressed_ && ((element && element->State == 2) ||
                                          (code >= kHitTitleButton && code - kHitTitleButton < int(TitleButtons.size()) &&
                                           TitleButtons[size_t(code - kHitTitleButton)].State == 2));
    pressed_ = false;
    if (!pressedHere) return;
    // A command may close and free the form: nothing of this provider is
    // touched once it is gone.
    const std::weak_ptr<int> alive = aliveToken_;
    auto gone = [&] { return alive.expired() || !::IsWindow(wnd); };
    switch (code) {
        case HTMINBUTTON:
            ClearHotElement();
            if (IsMainForm()) {
                noPaint_ = true;
                ::SendMessageW(wnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
                noPaint_ = false;
            } else {
                ::SendMessageW(wnd, WM_SYSCOMMAND, IsIconic() ? SC_RESTORE : SC_MINIMIZE, 0);
            }
            if (!gone() && SkinData) SkinData->BgChanged = true;
            return;
        case HTMAXBUTTON:
            if (systemMenu_ && !(systemMenu_->MaxEnabled() || (IsZoomed() && systemMenu_->RestoreEnabled()))) return;
            ClearHotElement();
            regionPending_ = true;
            ::SendMessageW(wnd, WM_SYSCOMMAND, IsZoomed() ? SC_RESTORE : SC_MAXIMIZE, 0);
            return;
        case HTCLOSE:
            if (systemMenu_ && !systemMenu_->CloseEnabled()) return;
            if (element) element->State = 0;
            hotElement_ = 0;
            ::SendMessageW(wnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            if (!gone() && form_ && !form_->Destroying()) {
                StopButtonAnimations();
                if (::IsWindowVisible(wnd) && SkinData) SkinData->BgChanged = true;
            }
            return;
        case HTHELP:
            ::SendMessageW(wnd, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
            if (!gone()) ClearHotElement();
            return;
        case kHitMdiClose:
        case kHitMdiRestore:
        case kHitMdiMinimize:
            ReleaseMDIButton(code);
            if (!gone()) ClearHotElement();
            return;
        default:
            if (code >= kHitTitleButton && code - kHitTitleButton < int(TitleButtons.size())) {
                TSkinTitleButton& button = TitleButtons[size_t(code - kHitTitleButton)];
                const TPoint origin = WindowOrigin();
                if (button.OnMouseUp)
                    button.OnMouseUp(this, TMouseButton::mbLeft, 0, screenPoint.X - origin.X, screenPoint.Y - origin.Y);
                if (!gone()) ClearHotElement();
            }
            return;
    }
}

void TSkinProvider::WMNCLButtonUp(TMessage& m) {
    if (!drawNonClientArea_ || !form_->Enabled()) {
        CallPrevious(m);
        return;
    }
    const TPoint point = ScreenPointOf(m);
    const int code = NonClientCode(m);
    const bool wasPressed = pressed_;
    const std::weak_ptr<int> alive = aliveToken_;
    HWND wnd = Wnd();
    if (TitleBarItemOf(code)) {
        if (wasPressed) TitleBarItemUp(code, point, TMouseButton::mbLeft);
    } else if (IsCaptionButtonCode(code)) {
        ReleaseCaptionElement(code, point);
    } else {
        // Released off the pressed element: nothing fires.
        if (m.Msg == WM_LBUTTONUP || !wasPressed) CallPrevious(m);
    }
    if (alive.expired() || !wnd || !::IsWindow(wnd) || !form_ || form_->Destroying()) return;
    pressed_ = false;
    for (TSkCaptionElement& e : elements_)
        if (e.State == 2) e.State = 0;
    for (TSkinTitleButton& b : TitleButtons)
        if (b.State == 2) b.State = 0;
    if (hotElement_ != 0) SetHotElement(0, true);
    else if (wasPressed) RepaintFrame();
}

void TSkinProvider::WMNCLButtonDblClk(TMessage& m) {
    const int code = NonClientCode(m);
    HWND wnd = Wnd();
    switch (code) {
        case HTCAPTION:
            if ((systemMenu_ && systemMenu_->HasSystemMenu() &&
                 (systemMenu_->MaxEnabled() || (IsZoomed() && systemMenu_->RestoreEnabled()))) ||
                (form_->BorderStyle == TFormBorderStyle::bsNone && IsIconic())) {
                ::SendMessageW(wnd, WM_SYSCOMMAND, IsZoomed() || IsIconic() ? SC_RESTORE : SC_MAXIMIZE, 0);
            } else if (IsIconic()) {
                ::SendMessageW(wnd, WM_SYSCOMMAND, SC_RESTORE, 0);
            }
            m.WParam = 0;
            m.Result = 0;
            return;
        case HTSYSMENU:
            m.Result = 0;
            form_->Close();  // the last thing done: the form may be gone afterwards
            return;
        default: CallPrevious(m); return;
    }
}

void TSkinProvider::WMNCRButtonDown(TMessage& m) {
    // The border window sends its own code along.
    const int code = borderForm_ ? int(m.WParam) : HitTest(TPoint{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
    if (code == HTCAPTION || code == HTSYSMENU) {
        rightPressed_ = true;
        m.Result = 0;
        return;
    }
    if (TitleBarItemOf(code)) {
        rightPressed_ = true;
        TitleBarItemDown(code, TPoint{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)}, TMouseButton::mbRight);
        m.Result = 0;
        return;
    }
    CallPrevious(m);
}

void TSkinProvider::WMNCRButtonUp(TMessage& m) {
    if (!HasBorder()) {
        rightPressed_ = false;
        CallPrevious(m);
        return;
    }
    const TPoint point{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    const int code = NonClientCode(m);
    const bool wasDown = rightPressed_;
    rightPressed_ = false;
    if ((code == HTCAPTION || code == HTSYSMENU) && wasDown) {
        hotElement_ = 0;
        pressed_ = false;
        ShowSystemMenuAt(point.X, point.Y);
    } else if (TitleBarItemOf(code)) {
        TitleBarItemUp(code, point, TMouseButton::mbRight);
    }
    m.Result = 0;
}

void TSkinProvider::WMMouseLeave(TMessage& m) {
    if (!(hotElement_ >= kHitTitleBarItem && borderForm_)) ClearHotElement();
    CallPrevious(m);
}

void TSkinProvider::ShowSystemMenuAt(int x, int y) {
    if (SystemMenuSeam) {
        SystemMenuSeam(this, TPoint{x, y});
        return;
    }
    ShowSystemMenu(x, y);
}

}  // namespace ad::skin::forms
