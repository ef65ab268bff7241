// The arithmetic of window animations: how many 10 ms steps a time gives,
// the constant alpha and the rectangle the image is stretched into at every
// step of a show, hide or skin-change animation, the cross-fade of one image
// over another, and where a hint goes near the work area's edges. Portable.
#pragma once

#include <vector>

#include "skin/engine/image/SkinBitmaps.h"

namespace ad::skin {

// Steps of an animation of timeMs milliseconds (one per 10 ms); none below 10 ms.
int AnimationSteps(int timeMs);

// One step: the layered window's constant alpha and, when Stretch is set, the
// rectangle (in the image's coordinates) the image is stretched into;
// otherwise the image is shown as it is.
struct TAnimationFrame {
    int Alpha = 255;
    bool Stretch = false;
    TRect Rect;
    friend bool operator==(const TAnimationFrame&, const TAnimationFrame&) = default;
};

// Animation modes: 0 fade, 1 zoom from the centre, 2 grow from the top-left.
enum TAnimationMode : int { amFade = 0, amZoom = 1, amGrow = 2 };

// The steps + 1 frames of a form's show animation (a dialog's alpha grows by
// alpha / (steps + 1) and only zooms in mode 1), then the final frame at full
// size and alpha. With no steps: just the final frame.
std::vector<TAnimationFrame> ShowAnimationFrames(int timeMs, int alpha, int mode, TSize image, bool dialog);
// The frames of a hide animation from alpha down to 0; empty with no steps.
std::vector<TAnimationFrame> HideAnimationFrames(int timeMs, int alpha, int mode, TSize image);
// During a skin change the old look fades three times as fast as the new one appears.
int OldLookAlpha(int alpha, int newAlpha);

// Blends source pixels whose alpha is not 0 over rect of target, source pixel
// point + (x - rect.Left, y - rect.Top) over target pixel (x, y), each weighing
// its alpha * alpha >> 8; clipped to both images.
void BlendImageAt(const TImageView32& target, const TRect& rect, const TImageView32& source, int alpha, TPoint point);

// A hint of size at point + (8, 16), moved left and up to stay inside workArea.
TRect PlaceHintRect(TSize size, TPoint point, const TRect& workArea);
// Whether a hint text fades in: shorter than 100 characters and the system's
// tooltip animation and fade both on.
bool HintFadesIn(size_t textLength, bool tooltipAnimation, bool tooltipFade);

}  // namespace ad::skin
