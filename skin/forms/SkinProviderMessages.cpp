// The provider's window procedure: the skin commands, the non-client hit
// test and the caption-element mouse handling; everything it leaves goes to
// the form's previous window procedure. (First cut: the commands the hook
// and the engine need, the hit test and the limits of a maximised form.)
#include "skin/forms/SkinProvider.h"

#include <windowsx.h>

#include "skin/engine/skinfile/SkinMessages.h"

namespace ad::skin::forms {

void TSkinProvider::CallPrevious(TMessage& m) {
    m.Result = subclass_ ? subclass_->CallNext(m) : ::DefWindowProcW(form_ ? form_->Handle() : nullptr, m.Msg,
                                                                     m.WParam, m.LParam);
}

bool TSkinProvider::HandleSkinCommandFirst(TMessage& m) {
    const bool ownManager = reinterpret_cast<TSkinManager*>(m.LParam) == Manager();
    switch (SkinCommandOf(m.WParam)) {
    case SKC_SKINREMOVED:
        if (ownManager) RemoveSkin();
        return true;
    case SKC_SKINLOADED:
    case SKC_SKINREFRESH:
        if (ownManager) ApplySkin();
        m.Result = 0;
        return true;
    case SKC_ISSKINNED:
        m.Result = 1;
        return true;
    case SKC_GETAPPLICATION:
        m.Result = reinterpret_cast<LRESULT>(Application);
        return true;
    case SKC_GETCLIENTOFFSET:
        m.Result = MAKELONG(ClientOffsetX(), ClientOffsetY());
        return true;
    default:
        return false;
    }
}

bool TSkinProvider::HandleSkinCommandUnskinned(TMessage& m) {
    if (SkinCommandOf(m.WParam) == SKC_GETPROVIDER) {
        m.Result = reinterpret_cast<LRESULT>(this);
        return true;
    }
    return false;
}

void TSkinProvider::HandleSkinCommandSkinned(TMessage& m) {
    if (SkinCommandOf(m.WParam) == SKC_GETPROVIDER) m.Result = reinterpret_cast<LRESULT>(this);
}

void TSkinProvider::HandleCopyData(TMessage& m) { CallPrevious(m); }

void TSkinProvider::WndProc(TMessage& m) {
    if (m.Msg == SKM_SKINCMD && HandleSkinCommandFirst(m)) return;
    // A deferred provider starts before the skinned test: until then its data has no section.
    if (deferredStart_ && (m.Msg == WM_NCHITTEST || m.Msg == WM_NCPAINT ||
                           (m.Msg == CM_SHOWINGCHANGED && form_ && form_->Showing())))
        RunDeferredStart();
    if (!form_ || form_->Destroying() || !SkinData || !SkinData->IsSkinActive()) {
        if (m.Msg == SKM_SKINCMD && HandleSkinCommandUnskinned(m)) return;
        CallPrevious(m);
        return;
    }
    switch (m.Msg) {
    case SKM_SKINCMD: HandleSkinCommandSkinned(m); return;
    case WM_NCHITTEST: WMNCHitTest(m); return;
    case WM_NCPAINT: WMNCPaint(m); return;
    case WM_NCACTIVATE: WMNCActivate(m); return;
    case WM_SIZE: WMSize(m); return;
    case CM_SHOWINGCHANGED: CMShowingChanged(m); return;
    case WM_GETMINMAXINFO:
        if (m.LParam) GetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(m.LParam));
        CallPrevious(m);
        return;
    default: CallPrevious(m); return;
    }
}

void TSkinProvider::WMNCHitTest(TMessage& m) {
    if (deferredStart_) RunDeferredStart();
    if (!drawNonClientArea_ || CaptionHeight() == 0) {
        CallPrevious(m);
        return;
    }
    m.Result = HitTest(TPoint{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
}

void TSkinProvider::WMNCMouseMove(TMessage& m) { CallPrevious(m); }
void TSkinProvider::WMNCLButtonDown(TMessage& m) { CallPrevious(m); }
void TSkinProvider::WMNCLButtonUp(TMessage& m) { CallPrevious(m); }
void TSkinProvider::WMNCLButtonDblClk(TMessage& m) { CallPrevious(m); }
void TSkinProvider::WMNCRButtonDown(TMessage& m) { CallPrevious(m); }
void TSkinProvider::WMNCRButtonUp(TMessage& m) { CallPrevious(m); }
void TSkinProvider::WMMouseLeave(TMessage& m) { CallPrevious(m); }

}  // namespace ad::skin::forms
