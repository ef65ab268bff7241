// The desktop window manager's entries, looked up once.
#include "skin/engine/win/SkinDwm.h"

#include "framework/Handles.h"
#include "skin/engine/win/skConst.h"

namespace ad::skin {

namespace {

struct TDwmBinding {
    using IsCompositionEnabledFn = HRESULT(WINAPI*)(BOOL*);
    using SetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);

    TDwmBinding() : library(::LoadLibraryW(L"dwmapi.dll")) {
        if (!library) return;
        IsCompositionEnabled = reinterpret_cast<IsCompositionEnabledFn>(
            reinterpret_cast<void*>(::GetProcAddress(library.Get(), "DwmIsCompositionEnabled")));
        SetWindowAttribute = reinterpret_cast<SetWindowAttributeFn>(
            reinterpret_cast<void*>(::GetProcAddress(library.Get(), "DwmSetWindowAttribute")));
    }

    OwnedModule library;  // kept for the process
    IsCompositionEnabledFn IsCompositionEnabled = nullptr;
    SetWindowAttributeFn SetWindowAttribute = nullptr;
};

const TDwmBinding& Dwm() {
    static const TDwmBinding binding;
    return binding;
}

}  // namespace

bool IsCompositionEnabled() {
    if (OSVersionCode() < 6 || !Dwm().IsCompositionEnabled) return false;
    BOOL on = FALSE;
    return SUCCEEDED(Dwm().IsCompositionEnabled(&on)) && on;
}

HRESULT SetDwmWindowAttribute(HWND window, DWORD attribute, const void* value, DWORD size) {
    if (!Dwm().SetWindowAttribute) return E_NOTIMPL;
    return Dwm().SetWindowAttribute(window, attribute, value, size);
}

}  // namespace ad::skin
