// TSkinEdit: the skinned single-line edit. Unfocused it shows a cached image
// of its section ("EDIT") with the text drawn as skinned text (a password
// edit draws its password character once per character); focused, the system
// paints the client area and only the frame stays skinned. It can carry a
// caption label beside it (BoundLabel) that follows its size, visibility and
// enabled state.
#pragma once

#include "framework/StdCtrls.h"
#include "skin/controls/SkinDisabledKinds.h"
#include "skin/engine/win/SkinBoundLabel.h"
#include "skin/engine/win/SkinCommonData.h"

namespace ad::skin::controls {

class TSkinEdit : public TEdit {
public:
    explicit TSkinEdit(TComponent* AOwner);
    TSkinCtrlSkinData SkinData{this, true};
    // The caption label (a skinned edit label once Active); goes before the skin data.
    TSkinBoundLabel BoundLabel;

    // A disabled edit's look: dkBlended, dkGrayed or both.
    uint8_t DisabledKind() const { return disabledKind_; }
    void SetDisabledKind(uint8_t value);

    // Rebuilds the cache (frame, body and text); false while the parent's
    // background is not ready.
    bool PrepareCache();
    // The frame's width: the client edge.
    int FrameWidth();

    void WndProc(TMessage& m) override;

private:
    void PaintText(HDC dc, int state);
    // The cache's client part into a client DC.
    void PaintClient(HDC dc);
    // The cache's frame strips into a DC of the whole window.
    void PaintFrame(HDC dc);
    bool EnsureCache();
    bool SystemPaintsClient();
    void SkinnedWndProc(TMessage& m);

    uint8_t disabledKind_ = dkBlended;
};

}  // namespace ad::skin::controls
