// The desktop window manager's entries, looked up once.
#include "skin/engine/win/SkinDwm.h"

#include "framework/Handles.h"
#include "skin/engine/win/skConst.h"

namespace ad::skin {

namespace {

constexpr DWORD kForceIconicRepresentation = 7;  // DWMWA_FORCE_ICONIC_REPRESENTATION
constexpr DWORD kHasIconicBitmap = 10;           // DWMWA_HAS_ICONIC_BITMAP

template <typename F>
void Bind(HMODULE library, const char* name, F& entry) {
    entry = reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
}

TDwmTable& Table() {
    static TDwmTable table = [] {
        TDwmTable t;
        // Loaded once and kept for the process.
        static OwnedModule library(::LoadLibraryW(L"dwmapi.dll"));
        if (!library) return t;
        Bind(library.Get(), "DwmIsCompositionEnabled", t.IsCompositionEnabled);
        Bind(library.Get(), "DwmSetWindowAttribute", t.SetWindowAttribute);
        // Blur behind is bound together with the attribute call.
        if (t.SetWindowAttribute) Bind(library.Get(), "DwmEnableBlurBehindWindow", t.EnableBlurBehindWindow);
        Bind(library.Get(), "DwmSetIconicThumbnail", t.SetIconicThumbnail);
        Bind(library.Get(), "DwmSetIconicLivePreviewBitmap", t.SetIconicLivePreviewBitmap);
        Bind(library.Get(), "DwmInvalidateIconicBitmaps", t.InvalidateIconicBitmaps);
        return t;
    }();
    return table;
}

}  // namespace

const TDwmTable& DwmTable() { return Table(); }
TDwmTable& MutableDwmTable() { return Table(); }

bool IsCompositionEnabled() {
    if (OSVersionCode() < 6 || !DwmTable().IsCompositionEnabled) return false;
    BOOL on = FALSE;
    return SUCCEEDED(DwmTable().IsCompositionEnabled(&on)) && on;
}

HRESULT SetDwmWindowAttribute(HWND window, DWORD attribute, const void* value, DWORD size) {
    if (!DwmTable().SetWindowAttribute) return E_NOTIMPL;
    return DwmTable().SetWindowAttribute(window, attribute, value, size);
}

bool EnableBlurBehind(HWND window, bool enable, HRGN region) {
    OwnedRegion owned(region);
    if (!DwmTable().EnableBlurBehindWindow) return false;
    TDwmBlurBehind blur;
    blur.Flags = region ? 3 : 1;
    blur.Enable = enable;
    blur.BlurRegion = region;
    return SUCCEEDED(DwmTable().EnableBlurBehindWindow(window, &blur));
}

void InvalidateIconicBitmaps(HWND window) {
    if (OSVersionCode() >= 6 && DwmTable().InvalidateIconicBitmaps) DwmTable().InvalidateIconicBitmaps(window);
}

void SetWindowIconicMode(HWND window, bool on) {
    if (!DwmTable().SetWindowAttribute) return;
    const BOOL value = on;
    if (FAILED(SetDwmWindowAttribute(window, kHasIconicBitmap, &value, sizeof(value))))
        SetDwmWindowAttribute(window, kForceIconicRepresentation, &value, sizeof(value));
    InvalidateIconicBitmaps(window);
}

}  // namespace ad::skin
