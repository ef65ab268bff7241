// The entry points of the minimise and restore animations: the form becomes
// transparent and a TSkMinTimer shows its image shrinking towards the taskbar
// (or growing back from it). Nothing here waits: the timer's steps do the rest.
#include "skin/engine/win/SkinDwm.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/engine/win/SkinWindowAnimation.h"
#include "skin/forms/SkMinTimer.h"
#include "skin/forms/SkinProvider.h"

namespace ad::skin::forms {

namespace {

bool CompositionNow() { return SkinCompositionEnabled ? SkinCompositionEnabled() : IsCompositionEnabled(); }

// On Windows 6 or later the animation needs desktop composition.
bool AnimationPossible() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExW(&version);
#pragma GCC diagnostic pop
    return version.dwMajorVersion < 6 || CompositionNow();
}

}  // namespace

bool TSkinProvider::StartMinimizeAnimation() {
    HWND wnd = Wnd();
    TSkinManager* manager = Manager();
    if (!wnd) return false;
    // The form hands its own image to the taskbar whether it animates or not.
    SetWindowIconicMode(wnd, true);
    if (!manager || !AnimationPossible()) return false;
    if (!manager->AnimEffects.Minimizing.Active || !manager->Effects.AllowAnimation) return false;
    StopButtonAnimations();
    if (formState_ & kFsMinimizing) return true;
    SetFormState(formState_ | kFsMinimizing);
    noPaint_ = true;
    auto* timer = dynamic_cast<TSkMinTimer*>(animTimer_.get());
    const bool inRestore = timer && timer->InRestore();
    SetFormState(formState_ & ~kFsRestoring);
    if (!timer) {
        animTimer_.reset();
        auto made = std::make_unique<TSkMinTimer>(this);
        timer = made.get();
        animTimer_ = std::move(made);
    } else {
        timer->Prepare();
    }
    // A minimise that interrupts a restore keeps the image it had.
    if (!inRestore || !timer->FormImage) timer->FormImage = CopyFormImage();
    SetWindowAlpha(wnd, true, 0);
    if (timer->Step() && timer->Steps() > 1) timer->SetEnabled(true);
    return true;
}

bool TSkinProvider::StartRestoreAnimation() {
    if (HWND wnd = Wnd()) SetWindowIconicMode(wnd, false);
    auto* timer = dynamic_cast<TSkMinTimer*>(animTimer_.get());
    TSkinManager* manager = Manager();
    if (!timer || !manager || !manager->AnimEffects.Minimizing.Active || !manager->Effects.AllowAnimation ||
        (formState_ & kFsRestoring))
        return true;
    SetFormState((formState_ & ~kFsMinimizing) | kFsRestoring);
    noPaint_ = true;
    formActive_ = 1;
    if (!timer->FormImage) timer->FormImage = CopyFormImage();
    timer->Prepare();
    // The form itself shows again when the animation has grown back into it.
    if (HWND wnd = Wnd()) SetWindowAlpha(wnd, true, 0);
    // The restore runs on its own: its first step now, the rest on the timer.
    if (timer->Step()) timer->SetEnabled(true);
    return true;
}

}  // namespace ad::skin::forms
