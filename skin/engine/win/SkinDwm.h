// The desktop window manager, bound at run time once per process: whether
// desktop composition is on and the window attributes the skinned forms set
// (transitions off). Without the library every call quietly does nothing.
#pragma once

#include <windows.h>

namespace ad::skin {

// True on Windows 6 or later when DwmIsCompositionEnabled is bound, succeeds
// and reports composition on.
bool IsCompositionEnabled();
// DwmSetWindowAttribute's answer; E_NOTIMPL without the library.
HRESULT SetDwmWindowAttribute(HWND window, DWORD attribute, const void* value, DWORD size);

}  // namespace ad::skin
