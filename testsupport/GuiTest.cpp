// Helpers for tests that drive real windows with messages.
#include "testsupport/GuiTest.h"

#include <cstdlib>
#include <string>

#include "framework/Forms.h"
#include "framework/Handles.h"
#include "testsupport/TempFolder.h"

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

void SaveScreenshot(HWND wnd, const std::string& name) {
    const char* folder = std::getenv("AD_SCREENSHOT_DIR");
    if (!folder || !*folder) return;
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    PumpPending();
    RECT r{};
    ::GetWindowRect(wnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    WindowDC screen(nullptr);
    OwnedMemoryDC mem(::CreateCompatibleDC(screen.Get()));
    OwnedBitmap bmp(::CreateDIBSection(screen.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!mem || !bmp) return;
    {
        SelectObjectScope sel(mem.Get(), bmp.Get());
        ::BitBlt(mem.Get(), 0, 0, w, h, screen.Get(), r.left, r.top, SRCCOPY);
        ::GdiFlush();
    }
    const DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u, size = stride * static_cast<DWORD>(h);
    BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof(fh) + sizeof(bi.bmiHeader) + size), 0, 0,
                        static_cast<DWORD>(sizeof(fh) + sizeof(bi.bmiHeader))};
    std::string bytes(reinterpret_cast<const char*>(&fh), sizeof(fh));
    bytes.append(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof(bi.bmiHeader));
    bytes.append(static_cast<const char*>(bits), size);
    WriteFileBytes(std::string(folder) + "\\" + name, bytes);
}

}  // namespace ad::test
