// TSkGlowForm: the layered, borderless, non-activating tool form behind every
// overlay of the skinning (glows, extended borders, snapshots and animations,
// the title cover). It lets the mouse through (HTTRANSPARENT), hides itself
// without activation, and carries Tag 0x100 so that the window-creation hook
// never gives it a provider.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/Forms.h"
#include "skin/engine/win/SkinCommonData.h"

namespace ad::skin::forms {

class TSkGlowForm : public TForm {
public:
    explicit TSkGlowForm(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& m) override;
};

// A topmost layered glow form over the window's rectangle that shows a copy of
// the window's image (its provider's cache with the children painted in, or
// the window's own printing); the hide animations use it. Null when the
// window is gone or layered windows are unavailable. The caller owns it.
std::unique_ptr<TSkGlowForm> CreateSnapshotForm(HWND wnd);

}  // namespace ad::skin::forms
