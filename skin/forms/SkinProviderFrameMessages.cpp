// The provider's frame handlers: activation, position and size changes,
// showing, client and non-client painting, printing, child notices and
// system commands. They keep the cache image and the window region in step
// with the window and copy the image to it; everything else is the form's
// previous window procedure's.
#include <algorithm>

#include "skin/engine/skinfile/SkinMessages.h"
#include "skin/engine/win/SkinDataMessages.h"
#include "skin/engine/win/SkinMessaging.h"
#include "skin/forms/SkinComposition.h"
#include "skin/forms/SkGlowForm.h"
#include "skin/forms/SkinFormAnimation.h"
#include "skin/forms/SkinFormMetrics.h"
#include "skin/forms/SkBorderForm.h"
#include "skin/forms/SkinFormServices.h"
#include "skin/forms/SkinProvider.h"

#include <windowsx.h>  // after the engine headers: it defines SetWindowRedraw as a macro

namespace ad::skin::forms {

MINMAXINFO TSkinProvider::SizeLimits() {
    MINMAXINFO info{};
    info.ptMinTrackSize = POINT{::GetSystemMetrics(SM_CXMINTRACK), ::GetSystemMetrics(SM_CYMINTRACK)};
    info.ptMaxTrackSize = POINT{::GetSystemMetrics(SM_CXMAXTRACK), ::GetSystemMetrics(SM_CYMAXTRACK)};
    info.ptMaxSize = info.ptMaxTrackSize;
    if (HWND wnd = Wnd()) ::SendMessageW(wnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info;
}

// ---- Activation ----

void TSkinProvider::WMNCActivate(TMessage& m) {
    // A restore animation owns the frame meanwhile.
    if (formState_ & kFsRestoring) {
        m.Result = 1;
        return;
    }
    for (TSkCaptionElement& e : elements_) HideGlow(e.GlowIndex, false);
    HWND wnd = Wnd();
    if (!drawNonClientArea_ || !wnd || form_->Destroying()) {
        CallPrevious(m);
        return;
    }
    SetFormState(formState_ | kFsInNcActivate);
    const int wasActive = formActive_;
    if (!(formState_ & kFsBlendMoving)) formActive_ = m.WParam ? 1 : 0;
    if (!formActive_ && savedRestoreState_ == 3) {
        savedRestoreState_ = 0;
    } else {
        // The image is made again only when the activity changed and the skin
        // has a look per state (frame, title or border); a repeated
        // activation of the same kind costs nothing.
        const TSkinTables* skin = Skin();
        const bool looksDiffer = !skin || !skin->IsValidSectionIndex(SkinData->SkinIndex) ||
                                 skin->Section(SkinData->SkinIndex).States > 1 ||
                                 (skin->IsValidMaskIndex(SkinData->BorderIndex) &&
                                  skin->Mask(SkinData->BorderIndex).ImageCount > 1) ||
                                 (skin->IsValidSectionIndex(titleSkinIndex_) && skin->Section(titleSkinIndex_).States > 1);
        if (looksDiffer && wasActive != formActive_) SkinData->BgChanged = true;
        SkinData->Updating = false;
    }
    const bool showing = form_->Showing() && ::IsWindowVisible(wnd);
    // The system would paint its own caption for the new state: not while the
    // window is drawn from the image. lParam -1 asks it not to repaint.
    m.LParam = -1;
    CallPrevious(m);
    if (showing && SkinData->BgChanged) {
        // The border window shows the title and frame in the new look.
        if (borderForm_) borderForm_->UpdateBorderWindow(true);
        WindowDC dc(wnd, WindowDC::WholeWindow{});
        if (dc.Get()) PaintFrameFromCache(dc.Get());
    }
    if (!(formState_ & kFsBlendMoving) && HasBorder()) formActive_ = m.WParam ? 1 : 0;
    menuLineCount_ = -1;
    SetFormState(formState_ & ~kFsInNcActivate);
    m.Result = 1;
}

// ---- Position and size ----

void TSkinProvider::WMWindowPosChanging(TMessage& m) {
    auto* pos = reinterpret_cast<WINDOWPOS*>(m.LParam);
    if (!pos) {
        CallPrevious(m);
        return;
    }
    if (formState_ & kFsShowing) SetFormState(formState_ & ~kFsHideImage);
    HWND wnd = form_->HandleAllocated() ? form_->Handle() : nullptr;
    if ((pos->flags & SWP_HIDEWINDOW) && wnd && ::IsWindowVisible(wnd) && !::IsIconic(wnd) &&
        !(formState_ & kFsMinimizing) && HideAnimationWanted() && CacheUsable()) {
        // The look it has now goes into the hide animation.
        hideImage_ = CopyFormImage();
        if (hideImage_) SetFormState(formState_ | kFsHideImage);
    }
    const bool moves = !(pos->flags & SWP_NOMOVE) && (pos->x != 0 || pos->y != 0);
    if (form_->HandleAllocated() && !IsZoomed() && moves && (formState_ & (kFsStretchedHeight | kFsStretchedWidth))) {
        // A form stretched by a border double-click gets its own size back when dragged.
        if (formState_ & kFsStretchedHeight) {
            if (pos->y == form_->Top() && StretchSaved.Height > 0) {
                pos->cy -= StretchSaved.Top - form_->Top();
                pos->y = StretchSaved.Top;
            } else if (StretchSaved.Height > 0) {
                pos->cy = StretchSaved.Height;
            }
        }
        if ((formState_ & kFsStretchedWidth) && StretchSaved.Width > 0) pos->cx = StretchSaved.Width;
        SetFormState(formState_ & ~(kFsStretchedHeight | kFsStretchedWidth));
        // Not passed on, so the form's limits are kept here.
        if (!(pos->flags & SWP_NOSIZE)) {
            const MINMAXINFO limits = SizeLimits();
            pos->cx = std::clamp(int(pos->cx), int(limits.ptMinTrackSize.x),
                                 std::max(int(limits.ptMinTrackSize.x), int(limits.ptMaxTrackSize.x)));
            pos->cy = std::clamp(int(pos->cy), int(limits.ptMinTrackSize.y),
                                 std::max(int(limits.ptMinTrackSize.y), int(limits.ptMaxTrackSize.y)));
        }
        m.Result = 0;
        return;
    }
    CallPrevious(m);
}

void TSkinProvider::WMWindowPosChanged(TMessage& m) {
    CallPrevious(m);
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.LParam);
    if (pos && (pos->flags & SWP_HIDEWINDOW)) {
        for (TSkCaptionElement& e : elements_) HideGlow(e.GlowIndex, false);
        if (hideImage_ && !AnimateFormHide(*this, std::move(hideImage_))) SetFormState(formState_ & ~kFsHideImage);
        hideImage_.reset();
    }
    if (!borderForm_ || !pos || (formState_ & kFsShowing) || !form_->HandleAllocated()) return;
    HWND wnd = form_->Handle();
    if ((pos->flags & SWP_HIDEWINDOW) || !::IsWindowVisible(wnd) || ::IsIconic(wnd)) {
        if (!(formState_ & (kFsBorderPlacing | kFsMinimizing | kFsHideImage))) borderForm_->FreeBorderWindow();
        return;
    }
    // A move repositions the border window; a size or a show gives it a new image.
    const bool movedOrSized = (pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE);
    if (movedOrSized || (pos->flags & SWP_SHOWWINDOW) || !borderForm_->Handle())
        borderForm_->UpdateBorderWindow((pos->flags & SWP_SHOWWINDOW) != 0);
}

void TSkinProvider::WMSize(TMessage& m) {
    StopButtonAnimations();
    HWND wnd = Wnd();
    if (!wnd || SkinData->Updating || !::IsWindowVisible(wnd) || (formState_ & kFsRestoring)) {
        regionPending_ = true;
        SkinData->BgChanged = true;
        menuLineCount_ = -1;
        CallPrevious(m);
        lastClientRect_ = TRect{0, 0, LOWORD(m.LParam), HIWORD(m.LParam)};
        return;
    }
    const int newWidth = LOWORD(m.LParam), newHeight = HIWORD(m.LParam);
    const int oldWidth = lastClientRect_.Right - lastClientRect_.Left;
    const int oldHeight = lastClientRect_.Bottom - lastClientRect_.Top;
    // The first show sends a size that changes nothing: the frame image and
    // region made for this window size stay (rebuilding them cost a second
    // region and a second frame paint on every form's first show).
    const bool frameCurrent = (IsEmpty(lastClientRect_) || (newWidth == oldWidth && newHeight == oldHeight)) &&
                              m.WParam == SIZE_RESTORED && CacheUsable() && !SkinData->BgChanged &&
                              !regionPending_ && !CacheSizeChanged();
    if (!frameCurrent) {
        captionGlowMasks_ = {};
        menuLineCount_ = -1;
    }
    const bool updating = !form_->Parent() && DrawClientArea;
    if (updating) SkinData->Updating = true;
    CallPrevious(m);
    if (updating) SkinData->Updating = false;
    if (!::IsWindow(wnd)) return;
    if (frameCurrent) {
        lastClientRect_ = TRect{0, 0, newWidth, newHeight};
        return;
    }

    SkinData->BgChanged = true;
    regionPending_ = true;
    if (m.WParam != SIZE_MINIMIZED && drawNonClientArea_ && !borderForm_ && !IsIconic()) {
        RebuildFrame();
    } else if (m.WParam != SIZE_MINIMIZED && drawNonClientArea_ && borderForm_ && !IsIconic()) {
        // The border window takes the new image; the form keeps its client and menu line.
        SetFormState(formState_ | kFsBorderPlacing);
        borderForm_->UpdateBorderWindow(true);
        SetFormState(formState_ & ~kFsBorderPlacing);
        borderForm_->ApplyRegion();
        UpdateFormRegion(false, true);
    }
    if (newWidth != oldWidth || newHeight != oldHeight) {
        const uint16_t flags = SkinData->StateFlags;
        if (((flags & 0x2) && newHeight != oldHeight) || ((flags & 0x1) && newWidth != oldWidth) || (flags & 0x54) ||
            (flags & 0xA4)) {
            TMessage changed{SKM_SKINCMD, SkinCommandWParam(SKC_BGCHANGEDTREE, 1), 0, 0};
            BroadcastToChildren(form_, changed);
        }
    }
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_NOERASE | RDW_INVALIDATE);
    lastClientRect_ = TRect{0, 0, newWidth, newHeight};
}

// ---- Showing ----

void TSkinProvider::WMShowWindow(TMessage& m) {
    HWND wnd = Wnd();
    if (m.WParam) SetFormState(formState_ & ~kFsRestoring);
    if (m.LParam == SW_PARENTCLOSING && savedRestoreState_ != 0)
        savedRestoreState_ = IsIconic() ? 2 : IsZoomed() ? 3 : 1;
    CallPrevious(m);
    if (m.WParam && wnd && form_->Parent()) {
        SkinData->StateFlags &= uint16_t(~kSeeThrough);
        SkinData->BgChanged = true;
    }
}

void TSkinProvider::CMVisibleChanged(TMessage& m) {
    CallPrevious(m);
    if (m.WParam || form_->Destroying()) return;
    if (borderForm_ && !(formState_ & kFsHideImage)) borderForm_->FreeBorderWindow();
    SkinData->EmptyCacheImage();
    SkinData->BgChanged = true;
    buttonArea_.reset();
}

void TSkinProvider::CMShowingChanged(TMessage& m) {
    if (deferredStart_ && form_->Showing()) RunDeferredStart();
    if (!drawNonClientArea_ || !DrawClientArea) {
        CallPrevious(m);
        return;
    }
    HWND wnd = Wnd();
    if (!form_->Showing()) {
        CallPrevious(m);
        return;
    }
    TSkinManager* manager = Manager();
    if (manager) manager->ScaleControl(form_, 100);
    SetFormState(formState_ & ~kFsHideImage);
    CreateAdapter();
    if (SkinEditorPreviewWanted()) LinkToSkinEditor(wnd);
    if (borderForm_) borderForm_->Hidden = false;
    // Shown nearly transparent, the form appears through its animation.
    const bool animate = wnd && ShowAnimationWanted() && SetWindowAlpha(wnd, true, 1);
    UpdateBorderForm(manager && manager->ExtendedBorders());
    SetFormState(formState_ | kFsShowing);
    CallPrevious(m);
    SetFormState(formState_ & ~kFsShowing);
    if (!wnd || !::IsWindow(wnd)) return;
    if (animate) {
        const TSkFormAnimation& show = manager->AnimEffects.FormShow;
        const int alpha = form_->AlphaBlend() ? form_->AlphaBlendValue() : 255;
        if (!AnimateFormShow(*this, show.Time, alpha, int(show.Mode))) {
            ::SetWindowLongPtrW(wnd, GWL_EXSTYLE, ::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_LAYERED));
            ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
        }
    } else if (borderForm_ && ::IsWindowVisible(wnd)) {
        borderForm_->UpdateBorderWindow(true);
    }
    if (!SkinData->IsSkinActive()) {
        ::RedrawWindow(wnd, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
        return;
    }
    // The window paints itself as it appears (its frame from the image).
    RECT client{};
    ::GetClientRect(wnd, &client);
    lastClientRect_ = TRect{0, 0, client.right, client.bottom};
}

// ---- Painting ----

void TSkinProvider::WMPaint(TMessage& m) {
    if (!DrawClientArea || (formState_ & kFsRestoring)) {
        CallPrevious(m);
        return;
    }
    PaintClientMessage(m);
    m.Result = 0;
}

void TSkinProvider::WMEraseBkgnd(TMessage& m) {
    HWND wnd = Wnd();
    if (!wnd || !::IsWindowVisible(wnd) || !DrawClientArea) {
        CallPrevious(m);
        return;
    }
    if (SkinData->PaintLockCount > 0 || SkinData->Updating) return;
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    if (!dc) return;
    if (m.WParam != WPARAM(m.LParam)) {
        if ((SkinData->BgChanged || !CacheUsable() || CacheSizeChanged()) && !PrepareCache()) return;
        if (PlainSection()) {
            PaintClient(dc, false);  // a plain colour: filled, not copied
        } else if (CacheUsable()) {
            const TRect client{0, 0, form_->ClientWidth(), form_->ClientHeight()};
            SkinData->BlitCacheExcludingControls(form_, client, ClientOffsetX(), ClientOffsetY(), false, dc);
        }
        m.Result = 1;
        return;
    }
    // A private erase: the whole window image at the client offset.
    if (CacheUsable() && !SkinData->BgChanged)
        SkinData->CacheImage->Draw(dc, -ClientOffsetX(), -ClientOffsetY(),
                                   {0, 0, SkinData->CacheImage->Width(), SkinData->CacheImage->Height()});
    else
        TCanvas(dc).FillRect(RECT{0, 0, form_->ClientWidth(), form_->ClientHeight()}, FormColor());
    m.Result = 1;
}

void TSkinProvider::WMNCPaint(TMessage& m) {
    if (deferredStart_) RunDeferredStart();
    if (SkinData->Updating) return;
    if (!drawNonClientArea_) {
        CallPrevious(m);
        return;
    }
    HWND wnd = Wnd();
    if (showAnimation_ || !wnd || !form_->Showing() || !systemMenu_ || SkinData->Loading) return;
    if (IsIconic()) {
        SkinData->BgChanged = true;
    } else {
        RECT r{};
        ::GetWindowRect(wnd, &r);
        if (r.right - r.left != form_->Width() || r.bottom - r.top != form_->Height()) return;
    }
    PaintNonClient();
    m.Result = 0;
}

void TSkinProvider::WMPrint(TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    HWND wnd = Wnd();
    if (!dc || !wnd || form_->Destroying()) return;
    const LPARAM flags = m.LParam;
    if ((flags & (PRF_CLIENT | PRF_NONCLIENT)) == PRF_CLIENT) {
        TMessage erase{WM_ERASEBKGND, m.WParam, 0, 0};
        WMEraseBkgnd(erase);
        m.Result = erase.Result;
        return;
    }
    SkinData->PrintDC = dc;
    SkinData->Updating = false;
    if (drawNonClientArea_ && (flags & PRF_NONCLIENT)) {
        if (HasBorder() || !IsSizeable()) {
            PaintFrameFromCache(dc);
        } else if (CacheUsable()) {
            const int w = SkinData->CacheImage->Width(), h = SkinData->CacheImage->Height();
            const int b = std::min(form_->ClientWidth(), BorderWidthTotal(true) + 3);
            for (const TRect& s : {TRect{0, 0, w, b}, TRect{0, b, b, h - b}, TRect{0, h - b, w, h}, TRect{w - b, b, w, h - b}})
                SkinData->CacheImage->Draw(dc, s.Left, s.Top, s);
        }
    }
    if (flags & PRF_CLIENT) {
        SavedDCState saved(dc);
        ::OffsetViewportOrgEx(dc, ClientOffsetX(), ClientOffsetY(), nullptr);
        ::IntersectClipRect(dc, 0, 0, form_->ClientWidth(), form_->ClientHeight());
        PaintClient(dc, false);
        if (flags & PRF_CHILDREN) PrintChildWindows(wnd, dc);
    }
    SkinData->PrintDC = nullptr;
    m.Result = 0;
}

// ---- Child notices ----

void TSkinProvider::WMParentNotify(TMessage& m) {
    const UINT event = LOWORD(m.WParam);
    TSkinManager* manager = Manager();
    if (SkinData->Loading || (event != WM_CREATE && event != WM_DESTROY) || !manager ||
        !(manager->SkinningRules & srThirdParty)) {
        CallPrevious(m);
        return;
    }
    CallPrevious(m);
    if (event == WM_CREATE) {
        HWND child = reinterpret_cast<HWND>(m.LParam);
        if (child && !::IsWindowVisible(child)) {
            m.Result = 0;
            return;
        }
        CreateAdapter();
    }
    TMessage state{SKM_SKINCMD, SkinCommandWParam(SKC_SKINSTATE), 1, 0};
    BroadcastToChildren(form_, state);
}

// A control put on the form (its window made before it is listed and
// shown) gets its adapter as it comes.
void TSkinProvider::CMControlListChange(TMessage& m) {
    CallPrevious(m);
    auto* control = reinterpret_cast<TWinControl*>(m.WParam);
    if (!control || !m.LParam || SkinData->Loading || !Skinned() || !control->HandleAllocated()) return;
    if (!ctrlAdapter_) ctrlAdapter_ = std::make_unique<TSkCtrlAdapter>(this);
    ctrlAdapter_->AddControl(control);
    TMessage state{SKM_SKINCMD, SkinCommandWParam(SKC_SKINSTATE), 1, 0};
    SendAdapterMessage(control->Handle(), state.Msg, state.WParam, state.LParam);
    BroadcastToChildren(control, state);
}

// ---- System commands ----

void TSkinProvider::WMSysCommand(TMessage& m) {
    HWND wnd = Wnd();
    const UINT command = UINT(m.WParam & 0xFFF0);
    if (!wnd) {
        CallPrevious(m);
        return;
    }
    if (command == 0xF010 && (m.WParam & 0xF) == 2) {  // SC_DRAGMOVE
        RepaintFrame();
    }
    // Any command leaves the caption elements alone.
    if (hotElement_ > 0) SetHotElement(0, true);
    pressed_ = false;
    if (command == SC_KEYMENU && m.LParam == ' ' && systemMenu_ && systemMenu_->HasSystemMenu() && HasBorder()) {
        const TPoint origin = WindowOrigin();
        ShowSystemMenuAt(origin.X + iconRect_.Left,
                         origin.Y + std::max(iconRect_.Bottom, titleBottom_) - (IsIconic() ? 16 : 0));
        m.Result = 0;
        return;
    }
    if (command == SC_MAXIMIZE) SetFormState(formState_ | kFsMaximizing);
    // A form other than the main one animates towards the taskbar and back.
    if (command == SC_MINIMIZE && !IsMainForm() && !form_->Parent()) StartMinimizeAnimation();
    if (command == SC_RESTORE && !IsMainForm() && IsIconic()) StartRestoreAnimation();
    const std::weak_ptr<int> alive = aliveToken_;
    CallPrevious(m);
    if (alive.expired() || !::IsWindow(wnd) || form_->Destroying()) return;
    if (command == SC_MAXIMIZE) SetFormState(formState_ & ~kFsMaximizing);
    if (command == SC_MAXIMIZE || command == SC_RESTORE || command == SC_MINIMIZE) {
        SkinData->BgChanged = true;
        regionPending_ = true;
        if (command == SC_RESTORE && form_->BorderStyle == TFormBorderStyle::bsNone)
            SetWindowRegion(wnd, nullptr, TRUE);
        else if (command != SC_MINIMIZE && ::IsWindowVisible(wnd))
            ::RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
}

}  // namespace ad::skin::forms
