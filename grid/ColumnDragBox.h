// What a dragged column shows: the floating header that follows the mouse
// (the column's header painted by the default style, a black line along its
// bottom and right edges) and the two red arrows that mark where it would
// drop. Popups that never take the activation.
#pragma once

#include <windows.h>

#include "framework/Controls.h"
#include "grid/StyleDisplays.h"

namespace ad::grid {

class TColumnDragBox : public TWinControl {
public:
    explicit TColumnDragBox(TComponent* AOwner);
    // Shows the column's header at Rect (screen coordinates), the text in
    // the header font of the columns' grid.
    void ShowAt(TRgCustomColumn& Column, const TRect& Rect);
    void HideBox();
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void WMEraseBkgnd(TMessage& m) override { m.Result = 1; }
    bool PaintsItself() const override { return true; }
    void Paint(HDC dc, const RECT& clip) override;

private:
    TDefaultStyleDisplay display_;
    TRgCustomColumn* column_ = nullptr;
};

// A red 9 x 9 arrow shaped by its window region, pointing down (above the
// header) or up (below it).
class TDragArrow : public TWinControl {
public:
    TDragArrow(TComponent* AOwner, bool PointsUp);
    // The arrow's tip column at x; its top left corner at (x - 4, y), screen
    // coordinates.
    void ShowAt(int X, int Y);
    void HideArrow();
    bool PointsUp() const { return up_; }
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void AfterCreateWnd() override;
    void WMEraseBkgnd(TMessage& m) override { m.Result = 1; }
    bool PaintsItself() const override { return true; }
    void Paint(HDC dc, const RECT& clip) override;

private:
    bool up_;
};

}  // namespace ad::grid
