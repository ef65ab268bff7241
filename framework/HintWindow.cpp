// The hint window and the wide-text hint helpers.
#include "framework/HintWindow.h"

#include <algorithm>

#include "framework/Forms.h"
#include "framework/Handles.h"
#include "framework/SysUtils.h"
#include "base/WinText.h"

namespace ad {

namespace {

constexpr UINT HintTextFlags = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK | DT_EXPANDTABS;

int FrameWidth() { return ::GetSystemMetrics(SM_CXBORDER); }
int FrameHeight() { return ::GetSystemMetrics(SM_CYBORDER); }

std::string AnsiOf(std::u16string_view text) {
    return Narrow(std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
}

}  // namespace

THintWindow::THintWindow(TComponent* AOwner) : TWinControl(AOwner) {
    visible_ = false;
    SetColor(clInfoBk);
    // The system's status font, as tooltips use.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        Font().SetName(Narrow(metrics.lfStatusFont.lfFaceName));
        Font().SetHeight(metrics.lfStatusFont.lfHeight);
    }
    Font().SetColor(SystemColor(COLOR_INFOTEXT));
}

void THintWindow::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style = WS_POPUP | WS_BORDER;
    params.ExStyle |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    params.ClassStyle |= CS_SAVEBITS;
}

void THintWindow::ActivateHint(const TRect& Rect, const std::string& AHint) {
    TRect r = Rect;
    // Keep the whole hint on the monitor that holds its top left corner.
    POINT corner{r.Left, r.Top};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (::GetMonitorInfoW(::MonitorFromPoint(corner, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& screen = monitor.rcMonitor;
        int w = r.Right - r.Left, h = r.Bottom - r.Top;
        r.Left = std::max(std::min(r.Left, static_cast<int>(screen.right) - w), static_cast<int>(screen.left));
        r.Top = std::max(std::min(r.Top, static_cast<int>(screen.bottom) - h), static_cast<int>(screen.top));
        r.Right = r.Left + w;
        r.Bottom = r.Top + h;
    }
    SetText(AHint);
    SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    HWND wnd = Handle();
    visible_ = true;
    ::SetWindowPos(wnd, HWND_TOPMOST, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top,
                   SWP_SHOWWINDOW | SWP_NOACTIVATE);
    ::InvalidateRect(wnd, nullptr, TRUE);
}

TRect THintWindow::CalcHintRect(int MaxWidth, const std::string& AHint, void* AData) {
    (void)AData;
    RECT r{0, 0, std::max(MaxWidth, 0), 0};
    std::wstring text = Widen(AHint);
    WindowDC screen(nullptr);
    SelectObjectScope font(screen.Get(), Font().Handle());
    ::DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &r, HintTextFlags | DT_CALCRECT);
    return TRect{0, 0, static_cast<int>(r.right) + 2 * (FrameWidth() + TextMargin),
                 static_cast<int>(r.bottom) + 2 * (FrameHeight() + TextMargin)};
}

void THintWindow::Paint(HDC dc, const RECT&) {
    RECT r = ClientRect();
    ::FillRect(dc, &r, BackgroundBrush());
    ::InflateRect(&r, -TextMargin, -TextMargin);
    std::wstring text = WideText();
    SelectObjectScope font(dc, Font().Handle());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ColorToRGB(Font().Color()));
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, HintTextFlags);
}

void THintWindow::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_NCHITTEST:  // the mouse goes through to whatever lies beneath
            m.Result = HTTRANSPARENT;
            return;
        case WM_MOUSEACTIVATE:
            m.Result = MA_NOACTIVATE;
            return;
        default: TWinControl::WndProc(m);
    }
}

void ActivateWideHint(THintWindow* HintWindow, const TRect& Rect, std::u16string_view Text) {
    if (HintWindow) HintWindow->ActivateHint(Rect, AnsiOf(Text));
}

TRect CalcWideHintRect(THintWindow* HintWindow, int MaxWidth, std::u16string_view Text, void* Data) {
    if (!HintWindow) return TRect{};
    return HintWindow->CalcHintRect(MaxWidth, AnsiOf(Text), Data);
}

void ReleaseHintWindow(THintWindow*& HintWindow) {
    if (HintWindow && HintWindow->HandleAllocated()) HintWindow->ReleaseHandle();
}

bool IsParentFormActive(TWinControl* Control) {
    if (!Control) return false;
    TForm* form = GetParentForm(Control);
    return form && form->HandleAllocated() && ::GetActiveWindow() == form->Handle();
}

}  // namespace ad
