// The grid's interactive side: which band a point falls in, header presses
// that sort, column resizing and moving, cell clicks with the clickable
// rating element, the keyboard with its navigation keys and type-to-search,
// the wheel, and the column searches. Mouse and key input arrive as plain
// calls (GridWindow.h turns window messages into them).
#pragma once

#include "grid/GridControl.h"

namespace ad::grid {

enum TGridBand : int { gbNone = 0, gbCells = 1, gbFooter = 2, gbHeader = 3, gbIndicator = 4, gbInput = 5 };
enum TGridMouseButton : int { gmbLeft, gmbRight, gmbMiddle };

// What a hint shows: nothing, a footer's or a header's hint, a cell's whole
// text that does not fit, or a cell's own hint.
enum THintKind : int { hkNone = 0, hkFooter = 1, hkHeader = 2, hkTextFit = 3, hkCell = 4 };
struct THintChoice {
    THintKind Kind = hkNone;
    int Col = -1, Row = -1;
    std::u16string Text;
    TPoint At;  // client coordinates
    int MaxWidth = 0;
};

// Virtual key codes the grid handles.
enum TGridKey : int {
    gkTab = 0x09, gkReturn = 0x0D, gkEscape = 0x1B, gkPrior = 0x21, gkNext = 0x22, gkEnd = 0x23, gkHome = 0x24,
    gkLeft = 0x25, gkUp = 0x26, gkRight = 0x27, gkDown = 0x28, gkA = 0x41
};

class TRgCustomGrid : public TRgCustomGridControl {
public:
    TRgCustomGrid(IGridWindow& window, TRgCustomScrollBar& horzBar, TRgCustomScrollBar& vertBar);
    ~TRgCustomGrid() override;

    // --- hit tests (client coordinates) ---
    TGridBand BandAt(int X, int Y) const;
    // The column index under x (scroll position applied to scrolling columns), -1 when none.
    int ColumnAt(int X) const;
    // The cell under a point; false outside the cells.
    bool CellAt(int X, int Y, int& ACol, int& ARow) const;
    // The column whose right border is within e - 3 .. e + 2 of x, -1 when none.
    int ResizeHandleAt(int X) const;
    // With goRowResizing: the shown row whose bottom border is within 2
    // pixels above y, for x in the indicator's width; -1 when none.
    int RowBorderAt(int X, int Y) const;
    // Where a column dragged to x would land (a display position).
    int DropTarget(TRgCustomColumn* Dragged, int X) const;
    bool DropAllowed(TRgCustomColumn* Dragged, int Target) const;

    // --- input ---
    void MouseDown(TGridMouseButton Button, unsigned Shift, int X, int Y, bool DoubleClick = false);
    void MouseMove(unsigned Shift, int X, int Y);
    void MouseUp(TGridMouseButton Button, unsigned Shift, int X, int Y);
    void MouseLeave();
    void MouseEnter() { Fire(OnMouseEnter); }
    // A key down; true when the grid used it.
    bool KeyDown(int Key, unsigned Shift);
    void KeyPress(char16_t Key);
    // Wheel turns (positive away from the user).
    void MouseWheel(int Delta, unsigned Shift);
    void FocusChanged(bool GotFocus);

    virtual void HandleNavigationKey(int& Key, unsigned Shift);
    // Keys of the open editor reach the grid's own handling.
    void GridKeyDown(int Key, unsigned Shift) override { KeyDown(Key, Shift); }
    void GridKeyPress(char16_t Key) override { KeyPress(Key); }
    virtual bool PrepareColumnPlay(int Column, int Row, bool AskBeforeEdit, const TRect& CellRect);
    // The expand button of a tree column was pressed (the descendant
    // expands or collapses the row).
    virtual void TogglePlayRow(int ARow) { (void)ARow; }
    // A row's own height (the descendant stores it).
    virtual void SetRowHeight(int ARow, int Height) { (void)ARow, (void)Height; }
    // A clickable element's new value for its cell (the descendant stores it).
    virtual void AcceptPlayValue(TColumnPlay* Play) { (void)Play; }
    // The element of a column (rating columns have one), made on first use.
    TColumnPlay* PlayOf(TRgCustomColumn* Column);

    // --- moving rows (goRowMoving) ---
    // Whether the row at From may be dropped to become row To: both valid
    // and different, neither row part of a row tree (a subtree would tear),
    // and OnRowMove accepts.
    bool RowMoveAllowed(int From, int To);
    // The drop row for the mouse at y: the row whose band holds y, one more
    // when y lies below its middle; RowCount past the last row; -1 outside
    // the rows.
    int RowDropAt(int Y) const;
    bool MovingRow() const { return rowMoving_; }
    int DropRow() const { return dropRow_; }
    // Where the marker lies (the top of the drop row's band), -1 when none.
    int RowMoveMarkerY() const;
    // A double click on a row border in the indicator: the row takes the
    // height its cells need.
    void AutoSizeRow(int ARow);

    // --- hints ---
    // The hint for the mouse at (X, Y), whether or not hints may show now.
    THintChoice ChooseHint(int X, int Y);
    // Shows, replaces or hides the hint for the mouse at (X, Y); a hint is
    // replaced only when the hovered cell or column changes.
    void UpdateHint(int X, int Y);
    // Hides the hint (the mouse left, a key, a scroll, the focus or the
    // application went).
    void CancelHint();
    THintKind ShownHint() const { return hint_.Kind; }

    // --- searches ---
    bool SearchColumn(int Column, const std::u16string& Text, bool FromStart);
    bool SearchAllColumns(const std::u16string& Text);
    // Case-insensitive comparison of wide text (the platform's, by default
    // a simple fold of ASCII and Latin-1 letters).
    std::function<int(std::u16string_view, std::u16string_view)> CompareTextCI;
    const std::u16string& SearchBuffer() const { return searchBuffer_; }

    // State of a press and drag.
    int PressedColumn() const { return pressedColumn_; }
    int ResizingColumn() const { return resizeColumn_; }
    int ResizingRow() const { return resizeRow_; }
    bool MovingColumn() const { return moving_; }
    // While a column is dragged: where its floating header lies and the x of
    // the drop arrows (-1 when they hide).
    const TRect& ColumnDragBox() const { return dragBox_; }
    int DropArrowX() const { return dropArrowX_; }

private:
    void EndHeaderPress();
    // A double click on a column's resize handle: columns that allow it take
    // the width their header and shown cells need.
    void FitColumnToCells(int Column);
    TRgCustomColumn* ColumnPtr(int index) const { return Columns().IsValidIndex(index) ? Columns().Item(index) : nullptr; }

    TPoint pressPoint_{-1, -1};
    int pressedColumn_ = -1;
    int moveCandidate_ = -1;
    int hotColumn_ = -1;
    int resizeColumn_ = -1;
    int resizeDelta_ = 0;
    int resizeLine_ = -1;
    bool moving_ = false;
    int resizeRow_ = -1;
    int resizeRowLine_ = -1;
    void PaintOverlay(ICanvas& Canvas) override;
    void EndColumnDrag();
    TRect dragBox_;
    int dropArrowX_ = -1;
    void RefreshMarker();
    int rowMoveFrom_ = -1;
    bool rowMoving_ = false;
    int dropRow_ = -1;
    THintChoice hint_;
    std::u16string searchBuffer_;
    std::uint32_t lastSearchKey_ = 0;
    std::vector<std::pair<TRgCustomColumn*, std::unique_ptr<TColumnPlay>>> plays_;
};

// Case-insensitive comparison of the first characters: ASCII and Latin-1
// letters fold to lower case.
int FoldCompare(std::u16string_view a, std::u16string_view b);

}  // namespace ad::grid
