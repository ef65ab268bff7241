// WM_PAINT of a skinned control that paints all of itself: into the DC the
// message brings (a print or a caller's paint), else between BeginPaint and
// EndPaint of its window.
#pragma once

#include <windows.h>

#include "framework/Controls.h"

namespace ad::skin::controls {

template <class Paint>
void PaintOnMessage(TMessage& m, HWND wnd, Paint&& paint) {
    if (HDC given = reinterpret_cast<HDC>(m.WParam)) {
        paint(given);
    } else {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(wnd, &ps);
        paint(dc);
        ::EndPaint(wnd, &ps);
    }
    m.Result = 0;
}

}  // namespace ad::skin::controls
