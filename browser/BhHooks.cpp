// The browser host's focus helpers and its start-up and shutdown (see BhHooks.h).
#include "browser/BhHooks.h"

#include <algorithm>

#include "base/WinText.h"
#include "framework/ExceptionBarrier.h"
#include "framework/Forms.h"

namespace ad::browser {

namespace {

// The class-library control nearest to wnd (wnd itself or an ancestor), or null.
TWinControl* ControlAt(HWND wnd) {
    for (HWND w = wnd; w; w = ::GetAncestor(w, GA_PARENT))
        if (TWinControl* c = TWinControl::FromHandle(w)) return c;
    return nullptr;
}

}  // namespace

// --- mouse hook -------------------------------------------------------------

TBHMouseHook::TBHMouseHook()
    : hook_(::SetWindowsHookExW(WH_MOUSE, &TBHMouseHook::HookProc, nullptr, ::GetCurrentThreadId())) {}

bool TBHMouseHook::HandleWheel(const MOUSEHOOKSTRUCT& hook) {
    HWND under = ::WindowFromPoint(hook.pt);
    bool skip = false;
    if (OnMouseWheel) OnMouseWheel(hook.pt, under, skip, hook);
    if (ActiveFormOnly)
        if (TWinControl* c = ControlAt(under))
            if (TForm* form = GetParentForm(c)) skip = !form->HandleAllocated() || form->Handle() != ::GetActiveWindow();
    if (skip) return false;
    HWND focus = ::GetFocus();
    if (!under || !focus) return false;
    HWND browserUnder = FindAncestorByClass(under, L"Shell Embedding");
    HWND browserOfFocus = browserUnder ? FindAncestorByClass(focus, L"Shell Embedding") : nullptr;
    const TWheelAction action = DecideWheel(reinterpret_cast<std::uintptr_t>(browserUnder),
                                            reinterpret_cast<std::uintptr_t>(browserOfFocus),
                                            Narrow(WindowClassName(focus)));
    if (action != TWheelAction::FocusAndSwallow) return false;
    ::SetFocus(under);
    return true;
}

LRESULT CALLBACK TBHMouseHook::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    bool swallowed = false;
    if (code == HC_ACTION && wParam == WM_MOUSEWHEEL && Instance() && lParam)
        Guarded([&] { swallowed = Instance()->HandleWheel(*reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam)); });
    if (swallowed) return 2;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void TMouseWheelFix::SetActive(bool value) {
    if (value == Active()) return;
    if (value) {
        hook_ = TBHMouseHook::Acquire();
        hook_->OnMouseWheel = OnMouseWheel;
        hook_->ActiveFormOnly = ActiveFormOnly;
    } else {
        hook_ = nullptr;
        TBHMouseHook::ReleaseShared();
    }
}

// --- focus control ------------------------------------------------------------

TBHFocusControl::TBHFocusControl()
    : hook_(::SetWindowsHookExW(WH_CALLWNDPROCRET, &TBHFocusControl::HookProc, nullptr, ::GetCurrentThreadId())) {}

void TBHFocusControl::Register(TBhFocusTarget* target) {
    if (std::find(targets_.begin(), targets_.end(), target) == targets_.end()) targets_.push_back(target);
}

void TBHFocusControl::Unregister(TBhFocusTarget* target) {
    targets_.erase(std::remove(targets_.begin(), targets_.end(), target), targets_.end());
}

TBhFocusTarget* TBHFocusControl::Check() {
    if (Application && Application->Terminated()) return nullptr;
    HWND active = ::GetActiveWindow();
    TWinControl* form = active ? TWinControl::FromHandle(active) : nullptr;
    if (!form || !form->CanFocus()) return nullptr;
    for (TBhFocusTarget* target : targets_) {
        if (!target->IsActiveControlOf(form)) continue;
        TWinControl* control = target->FocusTargetControl();
        if (!control || !control->HandleAllocated()) return nullptr;
        HWND wnd = control->Handle();
        HWND focus = ::GetFocus();
        if (focus == wnd || ::IsChild(wnd, focus)) return nullptr;
        ::PostMessageW(wnd, WM_BH_REFOCUS, reinterpret_cast<WPARAM>(control), 0);
        return target;
    }
    return nullptr;
}

LRESULT CALLBACK TBHFocusControl::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && Instance() && lParam) {
        const auto* msg = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (msg->message == WM_WINDOWPOSCHANGED || msg->message == WM_ACTIVATE)
            Guarded([] { Instance()->Check(); });
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void TFocusControl::SetActive(bool value) {
    if (value == Active()) return;
    if (value) {
        focus_ = TBHFocusControl::Acquire();
    } else {
        focus_ = nullptr;
        TBHFocusControl::ReleaseShared();
    }
}

// --- TBhControl -----------------------------------------------------------------

TBhControl::TBhControl(TComponent* AOwner) : TComponent(AOwner) {}

TBhControl::~TBhControl() {
    mouseWheelFix_.SetActive(false);
    focusControl_.SetActive(false);
}

void TBhControl::Loaded() {
    mouseWheelFix_.OnMouseWheel = OnMouseWheel;
    if (TBHMouseHook* hook = mouseWheelFix_.Active() ? TBHMouseHook::Instance() : nullptr)
        hook->OnMouseWheel = OnMouseWheel;
}

void TBhControl::SetInternetFeatures(TInternetFeatures features) {
    features_ = features;
    ProcessFeatures().Apply(features);
}

// --- start-up and shutdown -------------------------------------------------------

TBrowserHostUnit::TBrowserHostUnit() {
    SaveFpuControlWord();
    oleInitialized_ = SUCCEEDED(::OleInitialize(nullptr));
    control_ = std::make_unique<TBhControl>(nullptr);
    control_->FocusControl().SetActive(true);
    control_->MouseWheelFix().SetActive(true);
}

TBrowserHostUnit::~TBrowserHostUnit() {
    RestoreProxy();
    RestoreNavigationSound();
    RestoreFpuControlWord();
    control_.reset();  // unhooks both helpers
    ReleaseBrowserLibraries();
    if (oleInitialized_) ::OleUninitialize();
}

}  // namespace ad::browser
