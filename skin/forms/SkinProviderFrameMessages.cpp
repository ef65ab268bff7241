// The provider's frame handlers: activation, position, size, show, paint,
// print, child notices and system commands. (First cut: each passes the
// message on after the bookkeeping the frame needs.)
#include "skin/forms/SkinProvider.h"

namespace ad::skin::forms {

void TSkinProvider::WMNCActivate(TMessage& m) {
    if (!(formState_ & kFsBlendMoving)) formActive_ = m.WParam ? 1 : 0;
    CallPrevious(m);
}
void TSkinProvider::WMWindowPosChanging(TMessage& m) { CallPrevious(m); }
void TSkinProvider::WMWindowPosChanged(TMessage& m) { CallPrevious(m); }
void TSkinProvider::WMSize(TMessage& m) {
    CallPrevious(m);
    if (SkinData) SkinData->BgChanged = true;
    menuLineCount_ = -1;
    regionPending_ = true;
}
void TSkinProvider::WMShowWindow(TMessage& m) { CallPrevious(m); }
void TSkinProvider::CMShowingChanged(TMessage& m) {
    if (deferredStart_ && form_ && form_->Showing()) RunDeferredStart();
    CallPrevious(m);
}
void TSkinProvider::WMPaint(TMessage& m) { CallPrevious(m); }
void TSkinProvider::WMEraseBkgnd(TMessage& m) { CallPrevious(m); }
void TSkinProvider::WMNCPaint(TMessage& m) {
    if (deferredStart_) RunDeferredStart();
    CallPrevious(m);
    PaintNonClient();
}
void TSkinProvider::WMPrint(TMessage& m) { CallPrevious(m); }
void TSkinProvider::WMParentNotify(TMessage& m) { CallPrevious(m); }
void TSkinProvider::WMSysCommand(TMessage& m) { CallPrevious(m); }

}  // namespace ad::skin::forms
