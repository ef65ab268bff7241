// The desktop window manager, bound at run time once per process: whether
// desktop composition is on, the window attributes the skinned forms set
// (transitions off, iconic representation), blur behind a window and the
// images a window hands to the taskbar. Without the library, or without an
// entry, every call quietly does nothing (false, or E_NOTIMPL).
#pragma once

#include <windows.h>

namespace ad::skin {

// The entries looked up in dwmapi.dll; null where the library or the entry is missing.
struct TDwmTable {
    HRESULT(WINAPI* IsCompositionEnabled)(BOOL*) = nullptr;
    HRESULT(WINAPI* SetWindowAttribute)(HWND, DWORD, LPCVOID, DWORD) = nullptr;
    HRESULT(WINAPI* EnableBlurBehindWindow)(HWND, const void* blurBehind) = nullptr;
    HRESULT(WINAPI* SetIconicThumbnail)(HWND, HBITMAP, DWORD) = nullptr;
    HRESULT(WINAPI* SetIconicLivePreviewBitmap)(HWND, HBITMAP, POINT*, DWORD) = nullptr;
    HRESULT(WINAPI* InvalidateIconicBitmaps)(HWND) = nullptr;
};
// Bound on first use (once); tests put fake tables in through the mutable form.
const TDwmTable& DwmTable();
TDwmTable& MutableDwmTable();

// The record DwmEnableBlurBehindWindow takes.
struct TDwmBlurBehind {
    DWORD Flags = 0;  // 1 enable, 2 blur region
    BOOL Enable = FALSE;
    HRGN BlurRegion = nullptr;
    BOOL TransitionOnMaximized = FALSE;
};

// True on Windows 6 or later when DwmIsCompositionEnabled is bound, succeeds
// and reports composition on.
bool IsCompositionEnabled();
// DwmSetWindowAttribute's answer; E_NOTIMPL without the library.
HRESULT SetDwmWindowAttribute(HWND window, DWORD attribute, const void* value, DWORD size);
// Blur behind the window (in region when one is given; the region is deleted
// afterwards); false without the entry or when it fails.
bool EnableBlurBehind(HWND window, bool enable, HRGN region);
// The taskbar asks the window for new iconic images (Windows 6 and later).
void InvalidateIconicBitmaps(HWND window);
// The window shows its own image in the taskbar (has-iconic-bitmap, or,
// when that attribute is refused, force-iconic-representation), then its
// images are asked for again.
void SetWindowIconicMode(HWND window, bool on);

}  // namespace ad::skin
