// TSkinScrollBar: the skinned scroll bar. While a skin is loaded its window
// is a plain child window (its own class name) that keeps range, page and
// position in the control, answers SBM_SETSCROLLINFO and SBM_GETSCROLLINFO,
// paints arrows, track and thumb from the skin and runs the mouse itself
// (arrow and page repeats: 500 ms, then every 50 ms). Without a skin it is
// the system's scroll bar again, at the same position.
#pragma once

#include "framework/StdCtrls.h"
#include "skin/controls/SkinDisabledKinds.h"
#include "skin/controls/skScrollParts.h"
#include "skin/engine/win/SkinCommonData.h"

namespace ad::skin::controls {

class TSkinScrollBar : public TScrollBar {
public:
    explicit TSkinScrollBar(TComponent* AOwner);
    TSkinCtrlSkinData SkinData{this, true};

    // True while the window is the skinned plain window.
    bool SkinnedWindow() const { return skinnedWindow_; }
    // A skin is loaded and active: the window is to be the skinned one.
    bool SkinLoaded() const;
    TScrollRange Range() const { return {Min(), Max(), PageSize(), Position()}; }
    TScrollGeometry Geometry();
    // The part held down (spNone when none).
    int PressedPart() const { return pressed_; }
    // The interval of the running repeat timer, 0 when none.
    int RepeatInterval() const { return repeatInterval_; }
    // True while the thumb's drag timer runs.
    bool Dragging() const { return dragTimer_; }
    // A disabled bar's look: dkBlended, dkGrayed or both.
    uint8_t DisabledKind() const { return disabledKind_; }
    void SetDisabledKind(uint8_t value);
    // A control this bar scrolls: it receives the bar's scroll messages too,
    // and the bar paints over its background. Null: none.
    TWinControl* BoundControl() const { return bound_.Get(); }
    void SetBoundControl(TWinControl* control) { bound_ = control; }

    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& p) override;

private:
    void PaintBar(HDC dc);
    void Press(TPoint p);
    // The press ends (release or lost capture): once.
    void EndPress(TPoint p);
    void StepBy(int delta);
    void ScrollTo(int value);
    void StartRepeat();
    void RepeatTick();
    void RecreateIfNeeded();
    void DragTick();
    // The scroll message of the code to a bound control.
    void TellBound(int code);

    bool skinnedWindow_ = false;
    int pressed_ = spNone;
    int hot_ = spNone;
    int dragOffset_ = 0;
    int repeatInterval_ = 0;
    TPoint lastPoint_{};
    bool savedShowHint_ = true;
    int recreations_ = 0;
    bool dragTimer_ = false;
    uint8_t disabledKind_ = dkBlended;
    TComponentLink<TWinControl> bound_;
};

}  // namespace ad::skin::controls
