// The show and hide animations of a skinned form: the form's image (frame,
// shadow and children) shown in a layered window over the form, faded and
// zoomed frame by frame on the GUI thread's timer, never held up by a wait.
// With extended borders the border window itself is the animation window.
#pragma once

#include <windows.h>

#include <memory>

#include "skin/engine/win/SkinCacheImage.h"
#include "skin/engine/win/SkinWindowAnimation.h"

namespace ad::skin::forms {

class TSkinProvider;
class TSkGlowForm;

// One running form animation: its window (null when the border window
// serves) and its frames. The provider holds it until the last frame.
struct TSkFormAnimationRun {
    std::unique_ptr<TSkGlowForm> Window;
    std::unique_ptr<TSkLayeredAnimation> Animation;
    bool OnBorder = false;  // the border window shows the frames
    bool Hiding = false;
    size_t Planned = 0;     // frames planned
};

// Starts the show animation of a form that was just shown (at alpha 1) over
// time milliseconds to alpha in mode (0 fade, 1 zoom, 2 grow). False when
// nothing was started (no image, minimised): the form is then shown as it is.
bool AnimateFormShow(TSkinProvider& provider, int time, int alpha, int mode);
// Starts the hide animation of a form from the image it showed before it was
// hidden; false when nothing was started.
bool AnimateFormHide(TSkinProvider& provider, std::unique_ptr<TSkinCacheImage> image);
// The frames of a running animation are drawn at once (the program ends).
void FinishFormAnimation(TSkinProvider& provider);
// Posted to the form when its animation has shown its last frame: the
// provider frees the finished run then.
UINT FormAnimationDoneMessage();

}  // namespace ad::skin::forms
