// A hidden message-only window that hands its messages to a callback: the
// target of timers, posted completions and cross-thread notices. Made as a
// hidden top-level window instead, it can own other top-level windows.
#pragma once

#include <windows.h>

#include <functional>

namespace ad {

class TUtilityWindow {
public:
    // Return true when the message was handled; Result is then returned.
    using Handler = std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

    enum class TKind { MessageOnly, TopLevel };
    explicit TUtilityWindow(Handler handler, TKind kind = TKind::MessageOnly);
    ~TUtilityWindow();
    TUtilityWindow(const TUtilityWindow&) = delete;
    TUtilityWindow& operator=(const TUtilityWindow&) = delete;

    HWND Handle() const { return handle_; }

private:
    static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

    Handler handler_;
    HWND handle_ = nullptr;
};

}  // namespace ad
