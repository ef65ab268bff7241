// Painting controls into images: a control with its windowed children into a
// 32-bit bitmap (a form's image with its controls, a snapshot before a skin
// change), the children of a container into a DC, and leaving windowless
// children out of a DC's clip.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/Controls.h"
#include "skin/engine/win/SkinDib.h"
#include "skin/engine/win/SkinEngineLinks.h"

namespace ad::skin {

// Paints the control (a skinned one through WM_PRINT with SKC_SETPRINTDC
// around it, any other over its own colour) and then its windowed children
// into bitmap with the control's top-left at (x, y). Without a provider the
// parent's background goes under it first and the drawing stays inside the
// control's rectangle; with a provider of an extended border the client area
// becomes opaque. A failure of a control's own painting is swallowed.
void PaintControlToBitmap(TDibSection32& bitmap, TWinControl* control, int x, int y, TSkinProviderLink* provider);

// Each visible windowed child of container with a window painted by
// PaintControlToBitmap at its own place, the container's client area
// starting at clientOrigin in the bitmap.
void PaintWindowedChildren(TWinControl* container, TDibSection32& bitmap, TPoint clientOrigin,
                           TSkinProviderLink* provider);

// Paints the container's windowless children into dc at offset. Every child
// control of this class library has a window of its own and paints itself,
// so only the guard and the empty-clip notice remain: a nested call does
// nothing, and a DC with nothing visible tells the container
// (SKC_SETCHILDPAINTING). withBackground and window are the caller's.
void PaintChildrenToDC(HDC dc, TWinControl* container, bool withBackground, HWND window, TPoint offset);

// What the screen shows under the control's window now (the old look before
// a change); null for a control without a visible window or inside a
// minimised top-level window.
std::unique_ptr<TDibSection32> CaptureControlImage(TWinControl* control);

// Clips the visible windowless children of control out of dc: nothing to do,
// every child has a window (the system clips those).
inline void ExcludeGraphicChildren(HDC dc, TWinControl* control, int x, int y) {
    (void)dc, (void)control, (void)x, (void)y;
}

}  // namespace ad::skin
