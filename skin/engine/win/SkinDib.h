// The Windows side of the skin engine's pixel core: 32-bit DIB sections seen
// through the portable image view (no copy, top-down or bottom-up alike),
// system colours through GetSysColor, and the four-corner gradient through
// GradientFill.
#pragma once

#include <windows.h>

#include "framework/Handles.h"
#include "skin/engine/image/SkinBitmaps.h"

namespace ad::skin {

// A view of a 32-bit DIB section's pixels; empty for other bitmaps.
TImageView32 ViewOfDib(HBITMAP bitmap);

// An owned 32-bit top-down DIB section.
class TDibSection32 {
public:
    TDibSection32(int width, int height);  // empty when it cannot be made
    TImageView32 View() const { return view_; }
    HBITMAP Handle() const { return bitmap_.Get(); }

private:
    OwnedBitmap bitmap_;
    TImageView32 view_;
};

// Binds GetSysColor and GradientFill into the portable core; once at start-up.
void InstallSkinPixelServices();

}  // namespace ad::skin
