// What a dragged column shows: the floating header that follows the mouse
// (the column's header painted by the default style, a black line along its
// bottom and right edges) and the two red arrows that mark where it would
// drop. Popups that never take the activation.
#pragma once

#include <windows.h>

#include "framework/Controls.h"
#include "grid/StyleDisplays.h"

namespace ad::grid {

// A popup that never takes the activation and lets the mouse through to the
// grid beneath; it paints itself whole.
class TDragPopup : public TWinControl {
public:
    explicit TDragPopup(TComponent* AOwner) : TWinControl(AOwner) { visible_ = false; }
    void Hide();
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void WMEraseBkgnd(TMessage& m) override { m.Result = 1; }
    bool PaintsItself() const override { return true; }
    // Places the popup at (x, y, w, h), screen coordinates, shown on top.
    void ShowPopup(int x, int y, int w, int h);
};

class TColumnDragBox : public TDragPopup {
public:
    using TDragPopup::TDragPopup;
    // Shows the column's header at Rect (screen coordinates), the text in
    // the header font of the columns' grid.
    void ShowAt(TRgCustomColumn& Column, const TRect& Rect);
    void HideBox();

protected:
    void Paint(HDC dc, const RECT& clip) override;

private:
    TDefaultStyleDisplay display_;
    TRgCustomColumn* column_ = nullptr;
};

// A red 9 x 9 arrow shaped by its window region, pointing down (above the
// header) or up (below it).
class TDragArrow : public TDragPopup {
public:
    TDragArrow(TComponent* AOwner, bool PointsUp);
    // The arrow's tip column at x; its top left corner at (x - 4, y), screen
    // coordinates.
    void ShowAt(int X, int Y);
    void HideArrow() { Hide(); }
    bool PointsUp() const { return up_; }

protected:
    void AfterCreateWnd() override;
    void Paint(HDC dc, const RECT& clip) override;

private:
    bool up_;
};

}  // namespace ad::grid
