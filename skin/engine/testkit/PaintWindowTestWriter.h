// Test support: a top-level window whose WM_PAINT runs a given routine, and
// a capture of what the screen shows of a window into a 24-bit BMP file in
// the folder named by AD_SCREENSHOT_DIR (nothing without it).
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "framework/Handles.h"
#include "testsupport/GuiTest.h"

namespace ad::skin::painttest {

class PaintWindow {
public:
    using PaintFn = std::function<void(HDC dc, const RECT& client)>;

    PaintWindow(const wchar_t* title, int width, int height, PaintFn paint) : paint_(std::move(paint)) {
        static const ATOM atom = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = &PaintWindow::Proc;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.lpszClassName = L"AdSkinPaintTestWindow";
            wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
            return ::RegisterClassW(&wc);
        }();
        (void)atom;
        RECT r{0, 0, width, height};
        ::AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, 0);
        wnd_ = ::CreateWindowExW(0, L"AdSkinPaintTestWindow", title, WS_OVERLAPPEDWINDOW, 40, 40, r.right - r.left,
                                 r.bottom - r.top, nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
        ::ShowWindow(wnd_, SW_SHOWNOACTIVATE);
        ::UpdateWindow(wnd_);
        test::PumpPending();
    }
    ~PaintWindow() {
        if (wnd_) ::DestroyWindow(wnd_);
    }
    PaintWindow(const PaintWindow&) = delete;
    PaintWindow& operator=(const PaintWindow&) = delete;
    HWND Handle() const { return wnd_; }

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_NCCREATE)
            ::SetWindowLongPtrW(wnd, GWLP_USERDATA,
                                LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<PaintWindow*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
        if (msg == WM_PAINT && self) {
            PaintDC dc(wnd);
            RECT client{};
            ::GetClientRect(wnd, &client);
            ::FillRect(dc.Get(), &client, reinterpret_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
            self->paint_(dc.Get(), client);
            return 0;
        }
        return ::DefWindowProcW(wnd, msg, wParam, lParam);
    }

    PaintFn paint_;
    HWND wnd_ = nullptr;
};

// Writes 24-bit BMP data (bottom-up rows) into the screenshot folder.
inline void WriteShotFile(const std::string& name, int w, int h, const void* bits) {
    const char* folder = std::getenv("AD_SCREENSHOT_DIR");
    if (folder && *folder) test::WriteBmpFile(std::string(folder) + "\\" + name, w, h, bits);
}

// Saves a 32-bit top-down image (its colour, alpha left out).
inline void SaveImageShot(const uint8_t* pixels, ptrdiff_t distance, int w, int h, const std::string& name) {
    const size_t stride = (size_t(w) * 3 + 3) & ~size_t(3);
    std::string rows(stride * size_t(h), '\0');
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            std::memcpy(&rows[size_t(h - 1 - y) * stride + size_t(x) * 3], pixels + y * distance + 4 * x, 3);
    WriteShotFile(name, w, h, rows.data());
}

// Saves what the screen shows of the window's client area.
inline void SaveWindowShot(HWND wnd, const std::string& name) { test::SaveClientScreenshot(wnd, name); }

}  // namespace ad::skin::painttest
