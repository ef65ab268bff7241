// Tracks the mouse over one window: the first WM_MOUSEMOVE asks the system
// for a WM_MOUSELEAVE (TrackMouseEvent) and counts as entering, the leave
// message as leaving. Every control of the class library has one; owners of
// bare windows (skinning layers over foreign windows) use their own.
#pragma once

#include <windows.h>

namespace ad {

class TMouseHover {
public:
    enum TChange { hcNone, hcEntered, hcLeft };
    // Call with the window's WM_MOUSEMOVE and WM_MOUSELEAVE messages.
    TChange Track(HWND wnd, UINT msg) {
        if (msg == WM_MOUSEMOVE && !over_) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, wnd, 0};
            over_ = ::TrackMouseEvent(&track) != FALSE;
            return hcEntered;
        }
        if (msg == WM_MOUSELEAVE) {
            over_ = false;
            return hcLeft;
        }
        return hcNone;
    }
    bool Over() const { return over_; }
    // A new window: nothing is tracked for it yet.
    void Reset() { over_ = false; }

private:
    bool over_ = false;
};

}  // namespace ad
