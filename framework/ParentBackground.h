// The background a control's parent shows beneath it. Controls that stand in
// for controls without a window of their own (labels, images, bevels, speed
// buttons, check boxes) let their parent show through: their erase and colour
// paths ask the installed painter for what lies beneath them, and fill with
// the parent's flat colour only when no painter answers. A skinning layer
// installs the painter (a gradient or a picture on the parent then shows
// behind the control).
#pragma once

#include <windows.h>

#include <functional>

#include "framework/Controls.h"

namespace ad {

// Paints into dc what control's parent shows beneath rect (control's client
// coordinates, as dc's origin is); true when it painted.
using TParentBackgroundPainter = std::function<bool(TWinControl& control, HDC dc, const RECT& rect)>;

// Installs the painter (empty: none); returns the previous one. The program
// sets it once at start-up, on the thread of its windows.
TParentBackgroundPainter SetParentBackgroundPainter(TParentBackgroundPainter painter);

// Asks the installed painter; false when there is none or it did not paint.
bool PaintParentBackground(TWinControl& control, HDC dc, const RECT& rect);

}  // namespace ad
