// TSkinPanel: the skinned panel. It paints the section its outer bevel names
// (none "TRANSPARENT", lowered "PANEL_LOW", raised "PANEL", space
// "GROUPBOX") into a cache image that its children take as their
// background, with its caption as skinned text; without a skin it is a plain
// panel.
#pragma once

#include <functional>

#include "framework/ExtCtrls.h"
#include "skin/engine/win/SkinCommonData.h"

namespace ad::skin::controls {

class TSkinPanel : public TPanel {
public:
    explicit TSkinPanel(TComponent* AOwner);
    TSkinCtrlSkinData SkinData{this, true};

    // Called after the skinned painting with the DC that was painted.
    std::function<void(TObject* Sender, HDC dc)> OnPaint;
    TNotifyEvent OnMouseEnter, OnMouseLeave;

    // Rebuilds the cache; false while the parent's background is not ready.
    bool PrepareCache();
    // The section the outer bevel names, -1 without a skin.
    int BevelSectionIndex() const;

    void WndProc(TMessage& m) override;

protected:
    void Paint(HDC dc, const RECT& clip) override;

private:
    void DrawCaption(HDC dc, const RECT& inner);
    TBevelCut lastBevel_ = TBevelCut::bvRaised;
};

}  // namespace ad::skin::controls
