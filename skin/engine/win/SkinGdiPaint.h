// The GDI side of the small painting routines: the layered-window and layout
// functions looked up in the system libraries once, the size of one cell of
// the system check-box bitmap, and solid rectangles, border strips, bevel and
// dotted frames drawn on device contexts.
#pragma once

#include <windows.h>

#include "framework/Graphics.h"
#include "skin/engine/image/SkinTypes.h"

namespace ad::skin {

using TUpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
using TSetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
using TSetLayoutFn = DWORD(WINAPI*)(HDC, DWORD);
using TGetLayoutFn = DWORD(WINAPI*)(HDC);

// Functions bound at run time; null when the library or the export is missing.
struct TSkinBoundFunctions {
    TSetLayoutFn SetLayout = nullptr;
    TGetLayoutFn GetLayout = nullptr;
    TUpdateLayeredWindowFn UpdateLayeredWindow = nullptr;
    TSetLayeredWindowAttributesFn SetLayeredWindowAttributes = nullptr;
};
// Bound on first use (once); tests may replace entries through the mutable form.
const TSkinBoundFunctions& SkinBoundFunctions();
TSkinBoundFunctions& MutableSkinBoundFunctions();

bool LayeredWindowsAvailable();
void SetDCLayout(HDC dc, DWORD layout);
DWORD GetDCLayout(HDC dc);  // 0 without GetLayout

// One cell of the system check-box bitmap (OBM_CHECKBOXES: width / 4, height / 3).
TSize CheckBoxGlyphSize();

void PaintSolidRect(HDC dc, const TRect& rect, TColor color);
void PaintSolidBorder(HDC dc, const TRect& rect, TColor color, int left, int top, int right, int bottom);
void CopyFrameStrips(HDC source, HDC target, const TRect& rect, int width);
// thickness rings, shrinking by one pixel each: light along the left and top,
// dark along the right and bottom.
void DrawBevelFrame(HDC dc, TRect rect, TColor light, int thickness, TColor dark);
// Every second pixel of the outline in first, the one before it in second;
// clNone skips a colour.
void DrawDottedFrame(HDC dc, const TRect& rect, TColor second, TColor first);

}  // namespace ad::skin
