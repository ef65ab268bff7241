// Hooks a window's procedure through the system's subclass chain
// (SetWindowSubclass), so that several layers — tray icon, re-layout, skinning —
// can hook one window and unhook in any order. A layer may leave inside its
// own handler: Detach() unhooks it (the current message still goes on down
// the chain), and Free() or deleting the subclass there is safe too.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "framework/Controls.h"

namespace ad {

class TWindowSubclass {
public:
    // Return true when the message was handled (m.Result is returned); false
    // passes it on down the chain.
    using Handler = std::function<bool(TMessage& m)>;

    TWindowSubclass(HWND wnd, Handler handler);
    ~TWindowSubclass();  // unhooks, if the window still exists; allowed inside the handler
    TWindowSubclass(const TWindowSubclass&) = delete;
    TWindowSubclass& operator=(const TWindowSubclass&) = delete;

    HWND Handle() const { return wnd_; }
    // Hands a message to the next procedure in the chain.
    LRESULT CallNext(const TMessage& m) const;
    // Unhooks now; Handle() is null afterwards. Does nothing when unhooked.
    void Detach();
    // Unhooks and deletes this subclass (made with new): at once outside its
    // handler, when the handler returns inside it.
    void Free();

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR ref);
    HWND wnd_;
    Handler handler_;
    // False once this subclass is deleted; a running handler call holds a copy.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    int running_ = 0;  // handler calls in progress
    bool freeing_ = false;
};

}  // namespace ad
