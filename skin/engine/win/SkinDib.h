// The Windows side of the skin engine's pixel core: 32-bit DIB sections seen
// through the portable image view (no copy, top-down or bottom-up alike), and
// the four-corner gradient through GradientFill.
#pragma once

#include <windows.h>

#include "framework/Handles.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/image/SkinGradients.h"

namespace ad::skin {

// A view of a 32-bit DIB section's pixels; empty for other bitmaps.
TImageView32 ViewOfDib(HBITMAP bitmap);

// An owned 32-bit top-down DIB section, seen as an image view.
class TDibSection32 {
public:
    TDibSection32(int width, int height);  // empty when it cannot be made
    TImageView32 View() const { return view_; }
    HBITMAP Handle() const { return dib_.Get(); }

private:
    DibSection32 dib_;
    TImageView32 view_;
};

// Fills the four-corner mesh through GradientFill: the pixel core's gradient
// service (installed with the engine's links).
bool GdiTriangleGradientFill(const TImageView32& v, const TFourCornerMesh& mesh);

}  // namespace ad::skin
