// The grid's windowed scroll base: two scroll-bar models driving the window's
// own system bars, scroll messages turned into positions and content scrolled
// by the pixel distance a descendant computes, the wheel, and roll scrolling
// with the middle button (a small arrow marker shows where it started).
#pragma once

#include <windows.h>

#include <functional>

#include "framework/Controls.h"
#include "framework/ExtCtrls.h"
#include "grid/GridCanvas.h"
#include "grid/ScrollBar.h"

namespace ad::grid {

using TScrollEvent = std::function<void(TObject* Sender, int Position)>;

class TRgCustomScrollControl : public TWinControl, public IScrollHost {
public:
    explicit TRgCustomScrollControl(TComponent* AOwner);

    // The areas that move when scrolling horizontally or vertically, in
    // client coordinates; the descendant fills them before painting.
    TRect HorzScrollRect;
    TRect VertScrollRect;

    // Pixels the content moves for a position change (none here).
    int GetHorzScrollDelta(int OldPos, int NewPos) override;
    int GetVertScrollDelta(int OldPos, int NewPos) override;
    virtual void AfterScroll(TScrollBarKind Kind) { (void)Kind; }
    virtual void BeforeScroll(TScrollBarKind Kind) { (void)Kind; }
    void ScrollContent(TRgCustomScrollBar* Bar, int DX, int DY) override;

    // Takes the focus when the control sits on a form.
    void FocusIfOnForm();
    // Tab or Shift+Tab to the parent window.
    void TabToNext();
    void TabToPrevious();

    // IScrollHost over the window's system bars.
    bool HostHandleAllocated() override { return HandleAllocated(); }
    bool HostEnabled() override { return Enabled(); }
    void HostSetScrollInfo(int systemBar, int min, int max, int page, int position, bool disableNoScroll) override;
    int HostGetTrackPos(int systemBar) override;
    void HostShowScrollBar(int systemBar, bool show) override;
    void HostEnableArrows(int systemBar, bool enable) override;
    void HostSendScroll(TScrollBarKind kind, int code) override;
    void BarScrolled(TRgCustomScrollBar* Bar) override { (void)Bar; }

protected:
    bool PaintsItself() const override { return true; }
};

// A popup tool window of the library (roll marker, drag images): no child
// style, no tab stop, brought to the front, saves the bits beneath.
class TRgFlyoutControl : public TWinControl {
public:
    explicit TRgFlyoutControl(TComponent* AOwner);

protected:
    void CreateParams(TCreateParams& params) override;
    void AfterCreateWnd() override;
    void WMEraseBkgnd(TMessage& m) override { m.Result = 1; }
    bool PaintsItself() const override { return true; }
};

// The arrow-shaped marker of roll scrolling: 32 x 32, shaped by a region.
class TRollShadow : public TRgFlyoutControl {
public:
    explicit TRollShadow(TComponent* AOwner);
    // Places the marker at a screen point (its tip at (X - 7, Y - 11) from the
    // top left) and builds its region again.
    void Place(const TPoint& ScreenPoint);
    // The marker's cursor (crRoll, crRollUp, crRollDown).
    int Cursor = crRoll;

protected:
    void Paint(HDC dc, const RECT& clip) override;
    void WndProc(TMessage& m) override;
};

class TRgScrollControl : public TRgCustomScrollControl {
public:
    explicit TRgScrollControl(TComponent* AOwner);
    ~TRgScrollControl() override;

    TRgScrollBar HorzScrollBar;
    TRgScrollBar VertScrollBar;
    bool MouseWheelEnabled = true;
    TScrollEvent OnHorizontalScroll;
    TScrollEvent OnVerticalScroll;

    // Roll state.
    unsigned RollDirection = 0;  // rdUp, rdDown
    TPoint RollOrigin;
    TRollShadow* RollShadow;
    TTimer* RollTimer;
    bool RollEnabled = true;
    unsigned Rolling = 0;  // bit 0 while the middle button is held
    // The screen cursor while rolling (crRoll..crRollDown), 0 otherwise.
    int ScreenCursor = 0;

    void RollTimerTick(TObject* Sender);
    void SetEnabled(bool enabled) override;
    void BarScrolled(TRgCustomScrollBar* Bar) override;
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void AfterCreateWnd() override;
    void WMScroll(TMessage& m) override;
    void WMEraseBkgnd(TMessage& m) override { m.Result = 1; }
    void WMMouseButton(TMessage& m) override;
    void WMMouseMove(TMessage& m) override;

private:
    void SetScreenCursor(int cursor);
    void StopRolling();
};

// The cursor shown for crRoll, crRollUp and crRollDown: the program's cursor
// resources "ROLL", "ROLLUP" and "ROLLDOWN", or system cursors without them.
HCURSOR RollCursor(int Cursor);

}  // namespace ad::grid
