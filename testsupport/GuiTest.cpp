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

bool WriteBmpFile(const std::string& path, int width, int height, const void* bits) {
    BITMAPINFOHEADER bh{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u, size = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof(fh) + sizeof(bh) + size), 0, 0,
                        static_cast<DWORD>(sizeof(fh) + sizeof(bh))};
    std::string bytes(reinterpret_cast<const char*>(&fh), sizeof(fh));
    bytes.append(reinterpret_cast<const char*>(&bh), sizeof(bh));
    bytes.append(static_cast<const char*>(bits), size);
    return WriteFileBytes(path, bytes);
}

bool SaveScreenArea(const RECT& area, const std::string& path) {
    const int w = area.right - area.left, h = area.bottom - area.top;
    if (w <= 0 || h <= 0) return false;
    WindowDC screen(nullptr);
    OwnedMemoryDC mem(::CreateCompatibleDC(screen.Get()));
    DibSection32 bmp(w, h);
    if (!mem || !bmp) return false;
    {
        SelectObjectScope sel(mem.Get(), bmp.Get());
        ::BitBlt(mem.Get(), 0, 0, w, h, screen.Get(), area.left, area.top, SRCCOPY);
        ::GdiFlush();
    }
    // The file's rows: 24 bits, bottom-up, each padded to 4 bytes.
    const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~size_t(3);
    std::string rows(stride * static_cast<size_t>(h), '\0');
    for (int y = 0; y < h; ++y) {
        const std::uint32_t* from = bmp.Row(h - 1 - y);
        char* to = rows.data() + stride * static_cast<size_t>(y);
        for (int x = 0; x < w; ++x, to += 3) {
            to[0] = static_cast<char>(from[x]);
            to[1] = static_cast<char>(from[x] >> 8);
            to[2] = static_cast<char>(from[x] >> 16);
        }
    }
    return WriteBmpFile(path, w, h, rows.data());
}

bool SaveClientArea(HWND wnd, const std::string& path) {
    RECT r{};
    ::GetClientRect(wnd, &r);
    POINT origin{0, 0};
    ::ClientToScreen(wnd, &origin);
    return SaveScreenArea({origin.x, origin.y, origin.x + r.right, origin.y + r.bottom}, path);
}

namespace {

// The file a screenshot goes to, or "" when AD_SCREENSHOT_DIR is not set; the
// window is repainted first so the screen shows it whole.
std::string PrepareScreenshot(HWND wnd, const std::string& name) {
    const char* folder = std::getenv("AD_SCREENSHOT_DIR");
    if (!folder || !*folder) return {};
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    PumpPending();
    return std::string(folder) + "\\" + name;
}

}  // namespace

void SaveScreenshot(HWND wnd, const std::string& name) {
    const std::string path = PrepareScreenshot(wnd, name);
    if (path.empty()) return;
    RECT r{};
    ::GetWindowRect(wnd, &r);
    SaveScreenArea(r, path);
}

void SaveClientScreenshot(HWND wnd, const std::string& name) {
    const std::string path = PrepareScreenshot(wnd, name);
    if (!path.empty()) SaveClientArea(wnd, path);
}

}  // namespace ad::test
