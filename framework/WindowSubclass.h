// Hooks a window's procedure through the system's subclass chain
// (SetWindowSubclass), so that several layers — tray icon, re-layout, skinning —
// can hook one window and unhook in any order.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/Controls.h"

namespace ad {

class TWindowSubclass {
public:
    // Return true when the message was handled (m.Result is returned); false
    // passes it on down the chain.
    using Handler = std::function<bool(TMessage& m)>;

    TWindowSubclass(HWND wnd, Handler handler);
    ~TWindowSubclass();  // unhooks, if the window still exists
    TWindowSubclass(const TWindowSubclass&) = delete;
    TWindowSubclass& operator=(const TWindowSubclass&) = delete;

    HWND Handle() const { return wnd_; }
    // Hands a message to the next procedure in the chain.
    LRESULT CallNext(const TMessage& m) const;

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR ref);
    HWND wnd_;
    Handler handler_;
};

}  // namespace ad
