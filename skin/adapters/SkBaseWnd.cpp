// The base adapter: background mark and bars kept current, cursor left alone.
#include "skin/adapters/SkBaseWnd.h"

#include "framework/Messages.h"
#include "skin/engine/win/SkinMessaging.h"

namespace ad::skin::adapters {

namespace {
constexpr UINT kIgnoredNotice = 0x2100;  // reflected notices a foreign library sends itself
}

void TSkBaseWnd::RepaintFrame() {
    if (::IsWindowVisible(WindowHandle())) ::SendMessageW(WindowHandle(), WM_NCPAINT, 0, 0);
}

void TSkBaseWnd::WndProc(TMessage& m) {
    if (Destroyed() || !SkinData() || !SkinActive()) {
        TSkScrollWnd::WndProc(m);
        return;
    }
    switch (m.Msg) {
        case WM_SIZE:
        case WM_EXITSIZEMOVE: SkinData()->BgChanged = true; break;
        case WM_SETCURSOR: CallOldProc(m); return;
        case kIgnoredNotice: m.Result = 0; return;
        case SKM_SKINCMD:
            if (SkinCommandOf(m.WParam) == SKC_SKINREFRESH &&
                reinterpret_cast<TSkinManager*>(m.LParam) == SkinData()->SkinManager()) {
                TSkScrollWnd::WndProc(m);
                RepaintFrame();
                return;
            }
            if (SkinCommandOf(m.WParam) == SKC_CACHEVALID) PrepareAdapterCache(false);
            break;
        default: break;
    }
    TSkScrollWnd::WndProc(m);
    switch (m.Msg) {
        case WM_SIZE:
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (!Scrolling()) RefreshScrollInfo(true);
            break;
        case WM_ENABLE:
        case CM_ENABLEDCHANGED: RepaintFrame(); break;
        default: break;
    }
}

}  // namespace ad::skin::adapters
