// Helpers for tests that drive real windows with messages.
#include "testsupport/GuiTest.h"

#include "framework/Forms.h"

namespace ad::test {

bool PumpUntil(const std::function<bool()>& pred, unsigned timeoutMs) {
    DWORD start = ::GetTickCount();
    while (!pred()) {
        if (::GetTickCount() - start > timeoutMs) return pred();
        Application->ProcessMessages();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void PumpPending() { Application->ProcessMessages(); }

void PostKey(HWND wnd, WORD vk) {
    UINT scan = ::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    ::PostMessageW(wnd, WM_KEYDOWN, vk, 1 | (static_cast<LPARAM>(scan) << 16));
    ::PostMessageW(wnd, WM_KEYUP, vk, 1 | (static_cast<LPARAM>(scan) << 16) | (3LL << 30));
}

void SendClick(HWND wnd, int x, int y) {
    LPARAM pos = MAKELPARAM(x, y);
    ::SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, pos);
    ::SendMessageW(wnd, WM_LBUTTONUP, 0, pos);
}

}  // namespace ad::test
