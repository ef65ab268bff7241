// Hidden message-only windows.
#include "framework/UtilityWindow.h"

#include "framework/ExceptionBarrier.h"

namespace ad {

static const wchar_t kUtilityClass[] = L"TPUtilWindow";

TUtilityWindow::TUtilityWindow(Handler handler, TKind kind) : handler_(std::move(handler)) {
    HINSTANCE inst = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!::GetClassInfoExW(inst, kUtilityClass, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &TUtilityWindow::WndProc;
        wc.hInstance = inst;
        wc.lpszClassName = kUtilityClass;
        ::RegisterClassExW(&wc);
    }
    if (kind == TKind::TopLevel)
        handle_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, kUtilityClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, inst, this);
    else
        handle_ = ::CreateWindowExW(0, kUtilityClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, inst, this);
}

TUtilityWindow::~TUtilityWindow() {
    if (handle_) {
        ::SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
        ::DestroyWindow(handle_);
    }
}

LRESULT CALLBACK TUtilityWindow::WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<TUtilityWindow*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
    LRESULT result = 0;
    bool handled = false;
    if (self && self->handler_) Guarded([&] { handled = self->handler_(msg, wParam, lParam, result); });
    return handled ? result : ::DefWindowProcW(wnd, msg, wParam, lParam);
}

}  // namespace ad
