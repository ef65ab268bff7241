// The hint window of wide hints.
#include "unicode/UniHintWindow.h"

#include <algorithm>

#include "base/WinText.h"
#include "framework/Handles.h"
#include "unicode/UniApi.h"
#include "unicode/UniControls.h"
#include "unicode/UniWideText.h"

namespace ad::uni {

namespace {

constexpr UINT HintFlags = DT_NOPREFIX | DT_WORDBREAK;

// Clears a flag when the scope ends, however it ends.
struct FlagScope {
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    bool& flag_;
};

}  // namespace

std::string WideControlAnsiHint(TWinControl* hintControl) {
    return Narrow(ToWString(WideShortHint(ToU16String(UniControlFindHint(hintControl)))));
}

std::wstring WideHintText(const std::string& ansiHint, TWinControl* hintControl) {
    std::wstring text = Widen(ansiHint);
    if (text.empty() || !hintControl) return text;
    const std::wstring wideShort = ToWString(WideShortHint(ToU16String(UniControlFindHint(hintControl))));
    if (Narrow(wideShort) == ansiHint) return wideShort;
    return text;
}

TUniCustomHintWindow::TUniCustomHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

void TUniCustomHintWindow::CreateParams(TCreateParams& params) {
    THintWindow::CreateParams(params);
    params.WinClassName += L".UnicodeClass";
}

void TUniCustomHintWindow::ActivateHintData(const TRect& Rect, const std::string& ansiHint, TWinControl* hintControl) {
    {
        FlagScope activating(activating_);
        ActivateHint(Rect, ansiHint);
        UniControlSetText(this, WideHintText(ansiHint, hintControl));
    }
    Invalidate();
}

TRect TUniCustomHintWindow::CalcWideHintRect(int MaxWidth, const std::wstring& text) {
    RECT r{0, 0, std::max(MaxWidth, 0), 0};
    WindowDC screen(nullptr);
    SelectObjectScope font(screen.Get(), Font().Handle());
    UniDrawText(screen.Get(), text, -1, r, HintFlags | DT_CALCRECT);
    return TRect{0, 0, static_cast<int>(r.right) + 6, static_cast<int>(r.bottom) + 2};
}

void TUniCustomHintWindow::WndProc(TMessage& m) {
    if (m.Msg == CM_TEXTCHANGED && !activating_ && HandleAllocated()) {
        WindowDC screen(nullptr);
        SelectObjectScope font(screen.Get(), Font().Handle());
        const TSize extent = UniTextExtent(screen.Get(), UniControlGetText(this));
        SetBounds(Left(), Top(), extent.cx + 6, extent.cy + 6);
        m.Result = 0;
        return;
    }
    THintWindow::WndProc(m);
}

namespace {

// Shows the application's hints in a window of the hint classes.
template <class W>
class THintWindowAdapter : public TAppHintWindow {
public:
    THintWindowAdapter() : window_(nullptr) {}
    TRect CalcHintRect(int MaxWidth, const std::string& AHint, void* AData) override {
        return window_.CalcHintRect(MaxWidth, AHint, AData);
    }
    void ActivateHintData(const TRect& Rect, const std::string& AHint, void*) override {
        window_.ActivateHint(Rect, AHint);
    }
    void ReleaseHint() override { window_.ReleaseHandle(); }
    HWND WindowHandle() override { return window_.HandleAllocated() ? window_.Handle() : nullptr; }

protected:
    W window_;
};

// The wide window: a marked hint shows its control's wide text.
class TUniHintWindowAdapter : public THintWindowAdapter<TUniCustomHintWindow> {
public:
    TRect CalcHintRect(int MaxWidth, const std::string& AHint, void* AData) override {
        if (const THintInfo* info = Marked(AData))
            return window_.CalcWideHintRect(MaxWidth, WideHintText(AHint, info->HintControl));
        return THintWindowAdapter::CalcHintRect(MaxWidth, AHint, AData);
    }
    void ActivateHintData(const TRect& Rect, const std::string& AHint, void* AData) override {
        if (const THintInfo* info = Marked(AData)) window_.ActivateHintData(Rect, AHint, info->HintControl);
        else THintWindowAdapter::ActivateHintData(Rect, AHint, AData);
    }

private:
    // The record of a marked hint (its data points to itself), else null.
    static const THintInfo* Marked(void* data) {
        const auto* info = static_cast<const THintInfo*>(data);
        return info && info->HintData == data ? info : nullptr;
    }
};

}  // namespace

std::unique_ptr<TAppHintWindow> PlainHintWindowClass() {
    return std::make_unique<THintWindowAdapter<THintWindow>>();
}

std::unique_ptr<TAppHintWindow> UniHintWindowClass() { return std::make_unique<TUniHintWindowAdapter>(); }

void MarkWideHint(THintInfo& info) {
    if (info.HintWindowClass != &PlainHintWindowClass && info.HintWindowClass != &UniHintWindowClass) return;
    info.HintWindowClass = &UniHintWindowClass;
    info.HintData = &info;
    info.HintStr = WideControlAnsiHint(info.HintControl);
}

}  // namespace ad::uni
