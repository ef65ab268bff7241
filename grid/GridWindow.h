// The report grid as a Win32 control: a scroll control whose window holds a
// TReportGrid, painting it through a GDI canvas, turning mouse, key, wheel,
// focus and size messages into the grid's input calls, and keeping the
// header theme data of the visual styles open while the window lives.
#pragma once

#include <windows.h>

#include "grid/ColumnDragBox.h"
#include "grid/ReportGrid.h"
#include "grid/ScrollControl.h"
#include "framework/Forms.h"
#include "framework/Themes.h"

namespace ad::grid {

class TReportGridWindow : public TRgScrollControl, public IGridWindow, public IHeaderTheme {
public:
    explicit TReportGridWindow(TComponent* AOwner);
    ~TReportGridWindow() override;

    TReportGrid Grid;

    // IGridWindow
    bool HandleAllocated() const override { return handle_ != nullptr; }
    TSize ClientSize() const override;
    void InvalidateRect(const TRect& r) override;
    void ScrollArea(int dx, int dy, const TRect& area) override;
    bool Focused() const override;
    bool Enabled() const override { return TRgScrollControl::Enabled(); }
    bool VisualStyles() const override;
    IHeaderTheme* HeaderTheme() override { return this; }
    int VertScrollBarWidth() const override { return ::GetSystemMetrics(SM_CXVSCROLL); }
    void FocusNextControl(bool forward) override;
    void BorderChanged() override;
    void RepaintBorder() override;
    std::uint32_t TickCount() const override { return ::GetTickCount(); }
    void SetMouseCapture(bool capture) override;
    void InvertVertLine(int x) override;
    void InvertHorzLine(int y) override;
    void SetCursorShape(int shape) override { cursor_ = shape; }
    void MeasureWith(const std::function<void(ICanvas&)>& Use) override;
    // The column's own editor: a spin edit for number columns, a text edit
    // for the others that name one.
    std::unique_ptr<IGridEditor> CreateEditor(TRgCustomColumn& Column) override;
    void FocusGrid() override;
    void AdoptEditor(IGridEditor& Editor) override;
    bool HintAllowed(bool TextFit) const override;
    void ShowHint(const TPoint& At, int MaxWidth, const std::u16string& Text) override;
    void HideHint() override;
    void ShowColumnDrag(TRgCustomColumn& Column, const TRect& Box, int ArrowX) override;
    void HideColumnDrag() override;
    // The floating header and the drop arrows (null before the first drag).
    TColumnDragBox* DragBox() const { return dragBox_.get(); }
    TDragArrow* DownArrow() const { return downArrow_.get(); }
    TDragArrow* UpArrow() const { return upArrow_.get(); }
    // The window showing the grid's hints (null before the first).
    TAppHintWindow* HintWindow() const { return hint_.get(); }

    // IHeaderTheme
    bool DrawHeaderItem(ICanvas& canvas, const TRect& rect, THeaderItemState state) override;

    // Paints the whole client area into dc (a memory DC for captures).
    void PaintTo(HDC dc);
    // Draws the border of the Office styles and of visual styles into dc, a
    // DC of the whole window (its origin at the window's top left corner);
    // the system's own edge stays for the others.
    void PaintBorder(HDC dc);
    // The header theme data, open while the window exists and themes are on.
    HANDLE ThemeHandle() const { return theme_.Get(); }

    int GetHorzScrollDelta(int OldPos, int NewPos) override { return Grid.GetHorzScrollDelta(OldPos, NewPos); }
    int GetVertScrollDelta(int OldPos, int NewPos) override { return Grid.GetVertScrollDelta(OldPos, NewPos); }
    void ScrollContent(TRgCustomScrollBar* Bar, int DX, int DY) override;
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void AfterCreateWnd() override;
    void BeforeDestroyWnd() override;
    void Paint(HDC dc, const RECT& clip) override;

private:
    unsigned ShiftOf(WPARAM keys) const;
    // A line drawn in inverting pen mode (drawing it again erases it).
    void InvertLine(int x1, int y1, int x2, int y2);
    TThemeData theme_;
    std::unique_ptr<TAppHintWindow> hint_;
    std::unique_ptr<TColumnDragBox> dragBox_;
    std::unique_ptr<TDragArrow> downArrow_, upArrow_;
    int cursor_ = 0;
    bool tracking_ = false;
    TSize lastSize_{-1, -1};
};

}  // namespace ad::grid
