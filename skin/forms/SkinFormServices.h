// What the skin engine's animations take from the form skinning: the form's
// child windows printed into a device context at their places. And the
// parent-background painter of the program's stand-in controls (labels and
// the like), through which a skinned form's background shows behind them.
#pragma once

#include <windows.h>

#include "framework/Controls.h"

namespace ad::skin::forms {

// Every visible child window of wnd painted into dc with WM_PRINT at its
// position in wnd's client area, recursively (SKC_SETPRINTDC around each).
void PrintChildWindows(HWND wnd, HDC dc);

// Paints into dc (control's client coordinates) what control's skinned parent
// window shows beneath rect: its image, or its colour; false when the parent
// is not skinned or gives nothing (the control then fills as usual). Install
// it with SetParentBackgroundPainter (framework/ParentBackground.h).
bool PaintSkinnedParentBackground(TWinControl& control, HDC dc, const RECT& rect);

}  // namespace ad::skin::forms
