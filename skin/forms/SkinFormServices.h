// What the skin engine's animations take from the form skinning: the form's
// child windows printed into a device context at their places.
#pragma once

#include <windows.h>

namespace ad::skin::forms {

// Every visible child window of wnd painted into dc with WM_PRINT at its
// position in wnd's client area, recursively (SKC_SETPRINTDC around each).
void PrintChildWindows(HWND wnd, HDC dc);

}  // namespace ad::skin::forms
