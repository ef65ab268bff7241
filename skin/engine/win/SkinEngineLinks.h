// What the skin data object needs from the form and control skinning, which
// fill these in at start-up: the form provider behind a provider's skin data,
// the hover glows, the container class whose instances carry skin data of
// their own, and the two process-wide flags that hold back painting and state
// fades (an animation is running; the provider asked for no animation).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "base/Geometry.h"
#include "framework/Controls.h"

namespace ad::skin {

class TSkinCommonData;

// The form provider that owns a skin data object.
class TSkinProviderLink {
public:
    virtual ~TSkinProviderLink() = default;
    virtual TWinControl* Form() = 0;
    // The provider paints a title bar of its own.
    virtual bool PaintsOwnTitleBar() const { return false; }
    // The form is an MDI main form.
    virtual bool IsMDIForm() const { return false; }
    // The provider's message handler (SKC_BEGINUPDATE and SKC_ENDUPDATE go through it).
    virtual void HandleMessage(TMessage& m) = 0;
};

// Glows over controls. The defaults make none: Create answers -1.
struct TSkinGlowServices {
    // screen rectangle, section, mask name, the control's data, parent window, alpha, margin -> glow index
    std::function<int(const TRect& screenRect, const std::string& section, const std::string& mask,
                      TSkinCommonData* data, HWND parent, int alpha, int margin)>
        Create;
    // Removes the glow whose index slot holds and sets slot to -1 (nothing for -1).
    std::function<void(int& slot, bool animated)> Hide;
    std::function<void(int index, int alpha)> SetAlpha;
};
void SetSkinGlowServices(TSkinGlowServices services);
int CreateGlow(const TRect& screenRect, const std::string& section, const std::string& mask, TSkinCommonData* data,
               HWND parent, int alpha, int margin);
void HideGlow(int& slot, bool animated);
void SetGlowAlpha(int index, int alpha);

// The container class tested when sections are resolved, see-through is
// worked out and the mouse enters a control: true for its instances.
using TSkinContainerTest = std::function<bool(const TWinControl* control)>;
void SetSkinContainerTest(TSkinContainerTest test);
bool IsSkinContainer(const TWinControl* control);

// Set while a form, dialog or skin-change animation runs: child repaints wait.
bool SkinAnimationRunning();
void SetSkinAnimationRunning(bool running);
// The provider's no-animation flag: no state fades while it is set.
bool ProviderNoAnimation();
void SetProviderNoAnimation(bool on);

}  // namespace ad::skin
