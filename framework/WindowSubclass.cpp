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
    if (wnd_) ::RemoveWindowSubclass(wnd_, &TWindowSubclass::Proc, reinterpret_cast<UINT_PTR>(this));
}

LRESULT TWindowSubclass::CallNext(const TMessage& m) const {
    return ::DefSubclassProc(wnd_, m.Msg, m.WParam, m.LParam);
}

LRESULT CALLBACK TWindowSubclass::Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref) {
    auto* self = reinterpret_cast<TWindowSubclass*>(ref);
    TMessage m{msg, wParam, lParam, 0};
    bool handled = false;
    if (self->handler_) Guarded([&] { handled = self->handler_(m); });
    if (msg == WM_NCDESTROY) {
        // The window is going: unhook now, as the chain requires.
        ::RemoveWindowSubclass(wnd, &TWindowSubclass::Proc, reinterpret_cast<UINT_PTR>(self));
        self->wnd_ = nullptr;
        return ::DefSubclassProc(wnd, msg, wParam, lParam);
    }
    return handled ? m.Result : ::DefSubclassProc(wnd, msg, wParam, lParam);
}

}  // namespace ad
