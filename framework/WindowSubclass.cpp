// Window subclassing through the system's subclass chain.
#include "framework/WindowSubclass.h"

#include <commctrl.h>

#include "framework/ExceptionBarrier.h"
#include "framework/SysUtils.h"

namespace ad {

TWindowSubclass::TWindowSubclass(HWND wnd, Handler handler) : wnd_(wnd), handler_(std::move(handler)) {
    if (!::SetWindowSubclass(wnd_, &TWindowSubclass::Proc, reinterpret_cast<UINT_PTR>(this),
                             reinterpret_cast<DWORD_PTR>(this)))
        throw EInvalidOperation("Cannot hook the window's procedure");
}

TWindowSubclass::~TWindowSubclass() {
    *alive_ = false;
    Detach();
}

void TWindowSubclass::Detach() {
    if (!wnd_) return;
    ::RemoveWindowSubclass(wnd_, &TWindowSubclass::Proc, reinterpret_cast<UINT_PTR>(this));
    wnd_ = nullptr;
}

void TWindowSubclass::Free() {
    Detach();
    if (running_ > 0) freeing_ = true;
    else delete this;
}

LRESULT TWindowSubclass::CallNext(const TMessage& m) const {
    return ::DefSubclassProc(wnd_, m.Msg, m.WParam, m.LParam);
}

LRESULT CALLBACK TWindowSubclass::Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref) {
    auto* self = reinterpret_cast<TWindowSubclass*>(ref);
    TMessage m{msg, wParam, lParam, 0};
    bool handled = false;
    const std::shared_ptr<bool> alive = self->alive_;
    ++self->running_;
    if (self->handler_) Guarded([&] { handled = self->handler_(m); });
    // The handler may have deleted this subclass: self is touched only while it lives.
    if (*alive) {
        --self->running_;
        // The window is going: unhook now, as the chain requires.
        if (msg == WM_NCDESTROY) self->Detach();
        if (self->freeing_ && self->running_ == 0) delete self;
    }
    if (msg == WM_NCDESTROY) return ::DefSubclassProc(wnd, msg, wParam, lParam);
    return handled ? m.Result : ::DefSubclassProc(wnd, msg, wParam, lParam);
}

}  // namespace ad
