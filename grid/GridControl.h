// The report grid's core: settings with their defaults, geometry of the
// header, input row, rows, footer and indicator, the scroll ranges, the
// update counter, the events, painting onto a canvas in every header style,
// and the current cell with single, full-row and multiple selection. The
// window it lives in is reached through IGridWindow (GridWindow.h binds it
// to a Win32 window); rows and cells come from a descendant (ReportGrid.h).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "grid/ColumnDisplays.h"
#include "grid/Columns.h"
#include "grid/GridCanvas.h"
#include "grid/GridEditor.h"
#include "grid/ScrollBar.h"
#include "grid/StyleDisplays.h"

namespace ad::grid {

enum TGridOption : std::uint32_t {
    goArrowKeyExitEditing = 1u << 0, goCanHideColumn = 1u << 1, goDisableColumnMoving = 1u << 2,
    goDisableKeys = 1u << 3, goEscClearEdit = 1u << 4, goFooter = 1u << 5, goGrid = 1u << 6, goHeader = 1u << 7,
    goIndicator = 1u << 8, goInput = 1u << 9, goLockFixedCols = 1u << 10, goMultiSelect = 1u << 11,
    goRowResizing = 1u << 12, goRowMoving = 1u << 13, goSecondClickEdit = 1u << 14, goSelectFullRow = 1u << 15,
    goUseDefaultValues = 1u << 16, goInplaceEditEvents = 1u << 17
};
using TGridOptions = std::uint32_t;

enum TAppearanceOption : std::uint16_t {
    ao3DGridLines = 1u << 0, aoAlphaBlendedSelection = 1u << 1, aoBoldTextSelection = 1u << 2,
    aoDontFillCells = 1u << 3, aoHideFocus = 1u << 4, aoHideSelection = 1u << 5, aoHighlightSlideCells = 1u << 6,
    aoHintMarks = 1u << 7, aoIndicateSelectedCell = 1u << 8, aoIndicateSortedColumn = 1u << 9
};
using TAppearanceOptions = std::uint16_t;

enum TGridStyle : std::uint8_t { gsReport, gsSlides };
enum TGridLinesStyle : std::uint8_t {
    lsNormal, lsActiveHorzOnly, lsActiveRows, lsFramed, lsHorizontalOnly, lsVerticalOnly
};
enum TSortedStyle : std::uint8_t { soDefault, soDarker, soWhite };
enum TSlideOption : std::uint8_t { soFrame = 1, soHideSelection = 2 };
enum TSlideStateFlag : std::uint8_t { stFocused = 1, stSelected = 2 };
using TSlideState = std::uint8_t;
enum TSelectionMoveDirection : std::uint8_t { mdNone, mdUp, mdDown, mdLeft, mdRight };
enum TInputEnterMode : std::uint8_t { imAllways, imEditing };
enum THomeEndBehaviour : std::uint8_t { hebTopBottom, hebLeftRight };
enum TDataChange : std::uint8_t {
    dcAddColumn, dcAddChildRow, dcAddRow, dcInsertColumn, dcInsertRow, dcDeleteColumn, dcDeleteRow, dcClearRows
};
enum TMoveSelectionKey : std::uint8_t { mkUndefined, mkArrows, mkTab, mkEnter };
enum TGridBorderStyle : std::uint8_t { bsNone, bsSingle };
// How the window's border is drawn: none, the system's 1-pixel edge, a
// 1-pixel frame in the Office scheme's border colour, or the themed list-view
// border.
enum TGridBorderLook : std::uint8_t { blNone, blEdge, blOfficeFrame, blThemed };
enum TCellStateFlag : std::uint8_t { csBoldTextSelection = 1, csEmpty = 2, csFocused = 4, csSelected = 8 };
using TCellState = std::uint8_t;

// Modifier keys of a click or key, as the grid reads them.
enum TGridShift : unsigned { gsShift = 1, gsCtrl = 4 };

// Areas that the grid repaints.
enum TGridArea : int { gaRows = 1, gaFooter = 2, gaHeader = 3, gaIndicator = 4, gaInput = 5 };

constexpr int IndicatorWidth = 12;

// The window the grid lives in.
class IGridWindow {
public:
    virtual ~IGridWindow() = default;
    virtual bool HandleAllocated() const = 0;
    virtual TSize ClientSize() const = 0;
    virtual void InvalidateRect(const TRect& r) = 0;
    // Moves the pixels of area by (dx, dy), invalidating what is exposed.
    virtual void ScrollArea(int dx, int dy, const TRect& area) = 0;
    // The grid (or its editor) has the focus.
    virtual bool Focused() const = 0;
    virtual bool Enabled() const = 0;
    // Visual styles are available; and the header parts drawn with them.
    virtual bool VisualStyles() const = 0;
    virtual IHeaderTheme* HeaderTheme() = 0;
    virtual int VertScrollBarWidth() const = 0;
    // Moves the focus to the next or previous control of the form.
    virtual void FocusNextControl(bool forward) = 0;
    // The border style changed: the window gets its new border.
    virtual void BorderChanged() = 0;
    // The border keeps its width but is drawn differently (BorderLook).
    virtual void RepaintBorder() {}
    // Milliseconds since some fixed moment (type-to-search's pause).
    virtual std::uint32_t TickCount() const = 0;
    // Mouse capture while a header is pressed, a column resized or moved.
    virtual void SetMouseCapture(bool capture) = 0;
    // An inverted vertical line across the client height (column resize);
    // drawing it again erases it.
    virtual void InvertVertLine(int x) = 0;
    // The same across the client width (row resize).
    virtual void InvertHorzLine(int y) = 0;
    // The cursor over the grid: 0 the arrow, or one of the grid's cursors.
    virtual void SetCursorShape(int shape) = 0;
    // Runs Use with a canvas on the window for measuring text (fitting a
    // column to its cells); nothing happens without a window.
    virtual void MeasureWith(const std::function<void(ICanvas&)>& Use) = 0;
    // A new in-place editor of the class the column names (none for columns
    // without one, and in windows that have no editors).
    // Gives the focus back to the grid itself (from its editor).
    virtual void FocusGrid() {}
    // An editor given by the application becomes a child of the grid.
    virtual void AdoptEditor(IGridEditor& Editor) { (void)Editor; }
    virtual std::unique_ptr<IGridEditor> CreateEditor(TRgCustomColumn& Column) {
        (void)Column;
        return nullptr;
    }
    // Hints may show: the grid's form is the active one and, unless the hint
    // shows a cell's whole text, the application's hint setting is on.
    virtual bool HintAllowed(bool TextFit) const { (void)TextFit; return false; }
    // Shows Text in the hint window with its top left corner at At (client
    // coordinates), lines wrapping at MaxWidth; hides it.
    virtual void ShowHint(const TPoint& At, int MaxWidth, const std::u16string& Text) {
        (void)At, (void)MaxWidth, (void)Text;
    }
    virtual void HideHint() {}
    // While a column is dragged: the floating header of Column at Box and the
    // two drop arrows at x = ArrowX (hidden when -1), client coordinates;
    // hidden again when the drag ends.
    virtual void ShowColumnDrag(TRgCustomColumn& Column, const TRect& Box, int ArrowX) {
        (void)Column, (void)Box, (void)ArrowX;
    }
    virtual void HideColumnDrag() {}
};

// The grid's cursors.
enum TGridCursor : int { crGridDefault = 0, crHorzSplit = 3000, crColumnNoDrag = 3001, crRowDrag = 3002,
                         crVertSplit = 3003, crIndicatorSelect = 3006 };

// A window that is not there: nothing to paint, scroll or focus.
class TNoGridWindow : public IGridWindow {
public:
    bool HandleAllocated() const override { return false; }
    TSize ClientSize() const override { return Size; }
    void InvalidateRect(const TRect&) override {}
    void ScrollArea(int, int, const TRect&) override {}
    bool Focused() const override { return false; }
    bool Enabled() const override { return true; }
    bool VisualStyles() const override { return false; }
    IHeaderTheme* HeaderTheme() override { return nullptr; }
    int VertScrollBarWidth() const override { return 16; }
    void FocusNextControl(bool) override {}
    void BorderChanged() override {}
    std::uint32_t TickCount() const override { return 0; }
    void SetMouseCapture(bool) override {}
    void InvertVertLine(int) override {}
    void InvertHorzLine(int) override {}
    void SetCursorShape(int) override {}
    void MeasureWith(const std::function<void(ICanvas&)>&) override {}
    TSize Size{250, 150};
};

// The five grid line widths.
struct TGridLineWidths {
    int LeftHighlight = 0, TopHighlight = 0, RightLine = 0, BottomLine = 0, RowSpacing = 0;
    bool operator==(const TGridLineWidths&) const = default;
};
TGridLineWidths ComputeLineWidths(TGridOptions options, TGridLinesStyle style, TAppearanceOptions appearance);

// Darkens each channel by Amount, never below 0 (the sorted-column shade).
TColor DarkenColor(TColor color, int Amount);

class TRgCustomGridControl;
using TGridNotify = std::function<void(TRgCustomGridControl* Sender)>;
using TGridCellEvent = std::function<void(TRgCustomGridControl* Sender, int ACol, int ARow)>;
using TGridColEvent = std::function<void(TRgCustomGridControl* Sender, int ACol)>;
using TGridAcceptEvent = std::function<void(TRgCustomGridControl* Sender, int ACol, int ARow, bool& Accept)>;

class TRgCustomGridControl {
public:
    TRgCustomGridControl(IGridWindow& window, TRgCustomScrollBar& horzBar, TRgCustomScrollBar& vertBar);
    virtual ~TRgCustomGridControl();
    TRgCustomGridControl(const TRgCustomGridControl&) = delete;
    TRgCustomGridControl& operator=(const TRgCustomGridControl&) = delete;

    // --- properties ---
    TRgColumns& Columns() { return *columns_; }
    const TRgColumns& Columns() const { return *columns_; }
    TAppearanceOptions AppearanceOptions() const { return appearanceOptions_; }
    void SetAppearanceOptions(TAppearanceOptions value);
    bool AutoScroll = false;
    TGridBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TGridBorderStyle value);
    TGridBorderLook BorderLook() const;
    // The colour of the Office styles' frame.
    static TColor OfficeBorderColor();
    const std::u16string& Caption() const { return caption_; }
    void SetCaption(const std::u16string& value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    bool EnableVisualStyles() const { return enableVisualStyles_; }
    void SetEnableVisualStyles(bool value);
    int FixedCols() const { return columns_->FixedCount(); }
    void SetFixedCols(int value);
    const FontSpec& Font() const { return columns_->GridFont(); }
    void SetFont(const FontSpec& value);
    int FooterSize() const { return footerSize_; }
    void SetFooterSize(int value);
    TColor GridLinesColor() const { return gridLinesColor_; }
    void SetGridLinesColor(TColor value);
    TGridLinesStyle GridLinesStyle() const { return gridLinesStyle_; }
    void SetGridLinesStyle(TGridLinesStyle value);
    TGridStyle GridStyle() const { return gridStyle_; }
    void SetGridStyle(TGridStyle value);
    int HeaderSize() const { return headerSize_; }
    void SetHeaderSize(int value);
    THeaderStyle HeaderStyle() const { return headerStyle_; }
    void SetHeaderStyle(THeaderStyle value);
    bool HideScrollBar() const { return VertBar.HideWhenFits(); }
    void SetHideScrollBar(bool value) { VertBar.SetHideWhenFits(value); }
    TColor HighlightedTextColor() const { return highlightedTextColor_; }
    void SetHighlightedTextColor(TColor value);
    THomeEndBehaviour HomeEndBehaviour = hebTopBottom;
    TColor InactiveSelectionColor() const { return inactiveSelectionColor_; }
    void SetInactiveSelectionColor(TColor value);
    TDrawingOptions IndicatorDrawingOptions() const { return indicatorDrawingOptions_; }
    void SetIndicatorDrawingOptions(TDrawingOptions value);
    TInputEnterMode InputEnterMode = imEditing;
    int InputSize() const { return inputSize_; }
    void SetInputSize(int value);
    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions value);
    bool ReadOnly = false;
    int RowSize() const { return rowSize_; }
    virtual void SetRowSize(int value);
    TColor SelectionColor = clHighlight;
    TSelectionMoveDirection SelectionMoveDirection = mdDown;
    std::uint8_t SlidesOptions() const { return slidesOptions_; }
    void SetSlidesOptions(std::uint8_t value);
    TColor SlideSelectionColor() const { return slideSelectionColor_; }
    void SetSlideSelectionColor(TColor value);
    int SlideSize() const { return slideSize_; }
    void SetSlideSize(int value);
    TSortedStyle SortedStyle() const { return sortedStyle_; }
    void SetSortedStyle(TSortedStyle value);
    bool TabLeaveControl = true;
    bool TabStop = true;
    const std::string& Version() const { return version_; }
    void SetVersion(const std::string&) { version_ = "5.9.65"; }
    bool WantReturns = false;
    bool WantTabs = false;

    // --- state ---
    int CurrentCol() const { return currentCol_; }
    int CurrentRow() const { return currentRow_; }
    int TopRow() const { return topRow_; }
    int FirstShownRow() const { return firstShownRow_; }
    int LastShownRow() const { return lastShownRow_; }
    int AnchorRow() const { return anchorRow_; }
    bool MultiSelecting() const { return multiSelecting_; }
    bool InputRowActive() const { return inputRowActive_; }
    int EditedCol() const { return editedCol_; }
    int EditedRow() const { return editedRow_; }
    int UpdateCount() const { return updateCount_; }
    bool Updating() const { return updateCount_ > 0; }
    const TGridLineWidths& LineWidths() const { return lines_; }
    TStyleDisplay& Display() { return *display_; }
    TStyleDisplay& StyleDisplay(THeaderStyle style) { return *displays_[style]; }
    bool Focused() const { return Window.Focused(); }

    // --- the update counter ---
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate(bool Refresh = true);

    // --- geometry (client coordinates) ---
    int IndicatorSize() const { return (options_ & goIndicator) ? IndicatorWidth : 0; }
    int HorzScrollPos() const { return HorzBar.Position(); }
    TRect GetRowsRect() const;
    TRect GetHeaderRect() const;
    TRect GetInputRect() const;
    // A column's cell in the input row.
    TRect GetInputCellRect(const TRgCustomColumn& Column) const;
    TRect GetFooterRect() const;
    TRect GetIndicatorRect() const;
    // A row's top (the top highlight included) and its rectangle.
    int GetRowTop(int ARow) const;
    // The same, but the walk down from the top row stops once past Bottom
    // (the answer is then some value below Bottom): for rows that may lie far
    // off screen.
    int GetRowTopUpTo(int ARow, int Bottom) const;
    TRect GetRowRect(int ARow) const;
    // A row's height on screen: its own in the report view, SlideSize in
    // the slides view.
    int GetRowStep(int ARow) const;
    // In the slides view: a column's cell in the slide whose top is SlideTop
    // (its slide bounds moved down by it), and where its label goes.
    TRect GetSlideCellRect(const TRgCustomColumn& Column, int SlideTop) const;
    TRect GetSlideLabelRect(const TRgCustomColumn& Column, int SlideTop, ICanvas& Canvas) const;
    bool GetCellRect(int ACol, int ARow, TRect& Rect) const;
    virtual int GetHorzScrollRange() const;
    // Rows from the top row that fit fully in the rows area.
    int FullyVisibleRowCount() const;
    int LastFullyVisibleRow() const;

    // --- rows and cells, supplied by the descendant ---
    virtual int RowCount() const = 0;
    virtual int GetShownRowCount() const = 0;
    virtual bool IsRowShown(int ARow) const { (void)ARow; return true; }
    virtual bool IsRowSelected(int ARow) const = 0;
    virtual void SetRowSelected(int ARow, bool Selected) = 0;
    virtual void SetRowsSelected(int From, int To, bool Selected) = 0;
    virtual int GetRowHeight(int ARow) const;
    virtual int GetDisplayTag(int ARow) const { (void)ARow; return -1; }
    virtual int GetRowLevel(int ARow) const { (void)ARow; return 0; }
    // A tree column's painter learns the row's place in the tree (the
    // descendant fills it; nothing here).
    virtual void PrepareCellDisplay(int ACol, int ARow, TTreeCellInfo& Info) { (void)ACol, (void)ARow, (void)Info; }
    virtual std::u16string GetCellText(int ACol, int ARow) const = 0;
    virtual std::u16string GetDrawText(int ACol, int ARow) = 0;
    // The text of the in-place tip that shows a cell's whole text.
    virtual std::u16string GetTipText(int ACol, int ARow) { return GetDrawText(ACol, ARow); }
    virtual void GetCellInfo(int ACol, int ARow, TVirtualColElement& Element) = 0;
    virtual TColor GetCellColor(int ACol, int ARow) const;
    virtual std::u16string GetCellHint(int ACol, int ARow);
    virtual bool IsCellHidden(int ACol, int ARow) const;
    virtual void SortColumn(TRgCustomColumn* Column, bool Ascending);
    virtual void ClearRows();
    // Every cell of the column takes the column's colour and its font's style
    // and colour (the descendant holds the cells).
    virtual void ApplyColumnDefault(int ACol) { (void)ACol; }
    virtual void DeleteRow(int ARow) { (void)ARow; CancelEditing(); }
    // Moves a row to another index (the descendant moves it in its store).
    virtual void MoveRow(int FromPos, int ToPos) {
        (void)FromPos, (void)ToPos;
        Invalidate();
        CancelEditing();
    }
    // A row that does not fit fully is painted as empty cells.
    virtual bool HidePartialRows() const { return false; }
    virtual int GetPaintedRowCount() const { return RowCount() > 0 && columns_->Count() > 0 ? GetShownRowCount() : 0; }
    int GetSelectedRow() const { return currentRow_; }
    virtual int SelectedCount() const;
    virtual int GetFirstShownRow() const { return firstShownRow_; }
    virtual int GetLastShownRow() const { return lastShownRow_; }
    // The bookkeeping of shown rows when a row is shown or hidden.
    virtual void SetRowShown(int ARow, bool Shown);

    // --- in-place editing and the input row (GridEditing.cpp) ---
    // Opens the editor on a cell with Text, or with the cell's text when Text
    // is empty; by key, the editor gets the character as typed input.
    virtual void EditCell(int ACol, int ARow, const std::u16string& Text);
    void EditCellByKey(int ACol, int ARow, char16_t Key);
    // Stores the editor's text in the edited cell (or the input value of the
    // edited input cell); true when a value was stored.
    bool AcceptEdit();
    // Closes the editor unless OnEndEditing refuses.
    virtual void EndEditing();
    // Closes the editor without asking: rows are about to move or go, and
    // an editor left open would write into whatever row then has its index.
    void CancelEditing();
    void EditInputCell(int Column, const std::u16string& Text);
    void EditInputCellByKey(int Column, char16_t Key);
    // Turns the input values into a new row (the descendant adds it).
    virtual void AddInputRow() {}
    void SetInputRowActive(bool Active);
    virtual bool CanEdit() { return true; }
    // Called after the editor got its text, before it is placed and shown.
    virtual void BeforeShowEditor() {}
    // A text write into the edited cell (the descendant stores it).
    virtual void SetEditedCellText(const std::u16string& Text) { (void)Text; }
    virtual bool CanSelectCell(int ACol, int ARow) { (void)ACol; (void)ARow; return true; }
    // The editor a column edits with: its InplaceEdit, else its own (made on
    // first use through the window); null when it has none.
    IGridEditor* EditorOf(TRgCustomColumn* Column);
    IGridEditor* Editor() const { return editor_; }
    bool EditingCell() const { return editingCell_; }
    bool EditingInput() const { return editingInput_; }
    bool IsEditing() const { return editingCell_ || editingInput_; }
    int InputCol() const { return inputCol_; }
    // Where the editor of the edited cell lies (client coordinates); false
    // when it lies above the rows area and is hidden.
    bool GetEditorRect(TRect& Rect) const;
    // Lays the editor over the edited cell or input cell again (after a
    // scroll, a size or a column change).
    void PlaceEditor();
    // The grid and its editor lost the focus: an open edit is accepted and
    // closed.
    void FocusLeftGrid();

    // --- repainting ---
    void RepaintArea(int Kind);
    void RefreshCell(int ACol, int ARow);
    void RefreshRow(int ARow);
    void RefreshColumn(TRgCustomColumn* Column, int Part);
    void Invalidate();

    // --- scroll bars ---
    virtual void UpdateHorzScrollBar();
    virtual void UpdateVertScrollBar();
    // Pixels the content moves when the bars' positions change; the top row
    // follows the vertical one.
    int GetVertScrollDelta(int OldPos, int NewPos);
    int GetHorzScrollDelta(int OldPos, int NewPos) { return OldPos - NewPos; }
    // The areas that move: the strip right of the columns and the rows band.
    TRect HorzScrollArea() const;
    TRect VertScrollArea() const;
    virtual void RowsScrolled(int Count) { (void)Count; }

    // --- painting ---
    // Paints what intersects ClipBox; nothing while updating.
    void Paint(ICanvas& Canvas, const TRect& ClipBox);
    bool CountsAsSelected(int ACol, int ARow) const;
    TColor GetCellPaintColor(int ACol, int ARow) const;
    TColor GetCellTextColor(int ACol, int ARow) const;
    TCellState CellStateOf(int ACol, int ARow) const;
    // The height a row needs: the tallest of its visible cells' contents, at
    // least RowSize.
    int RowAutoHeight(int ARow, ICanvas& Canvas);
    // The width a column needs for its header and its cells' texts.
    int BestFitWidth(TRgCustomColumn* Column, ICanvas& Canvas, bool AllRows);
    TColumnDisplay& DisplayOf(TRgCustomColumn* Column);

    // --- selection and navigation ---
    void SelectCell(int ACol, int ARow, bool Edit, bool ClearMulti, unsigned Shift);
    void SetSelectedRow(int ARow);
    void SelectColumn(int ACol);
    void SelectFirstRow(unsigned Shift = 0);
    void SelectLastRow(unsigned Shift = 0);
    void SelectNextRow(unsigned Shift = 0, bool LeaveAtEnd = false, bool WrapToFirst = false);
    void SelectPreviousRow(unsigned Shift = 0);
    void MoveSelection(int Delta);
    void SelectNextColumn(TMoveSelectionKey Key);
    void SelectPreviousColumn(TMoveSelectionKey Key);
    void TabForward(bool ByTab);
    void TabBackward(bool ByTab);
    void SelectFirstColumn();
    void SelectLastColumn();
    void SelectAll();
    void ClearMultiSelection();
    void DeselectAll();
    void ScrollToRow(int ARow);
    void ScrollToColumn(TRgCustomColumn* Column);
    bool MultiSelectPossible() const { return (options_ & goMultiSelect) && (options_ & goSelectFullRow); }
    // Leaves the input row (the caret goes back to the cells).
    void LeaveInputRow() { inputRowActive_ = false; }

    // --- events ---
    std::function<void(TRgCustomGridControl*, int ACol, int ARow, const std::u16string& Value)> OnAfterEdit;
    std::function<void(TRgCustomGridControl*, int FromPos, int ToPos)> OnAfterRowMove;
    std::function<void(TRgCustomGridControl*, int FromPos, int ToPos, bool& Accept)> OnRowMove;
    TGridColEvent OnAfterSort;
    std::function<void(TRgCustomGridControl*, int ACol, int ARow, std::u16string& Value)> OnApplyCell;
    std::function<void(TRgCustomGridControl*, int ACol, int ARow, std::u16string& Value)> OnApplyEditText;
    TGridAcceptEvent OnBeforeEdit;
    TGridAcceptEvent OnBeforeSelect;
    std::function<void(TRgCustomGridControl*, int Index, bool& Accept)> OnCalculateRow;
    TGridCellEvent OnCellClick;
    std::function<void(TRgCustomGridControl*, int ACol, int ARow, TColor& CellColor, TColor& GridColor,
                       TCellState CellState)> OnCellColoring;
    TGridCellEvent OnCellDblClick;
    std::function<void(TRgCustomGridControl*, int ACol, int ARow, std::u16string& Value)> OnCellHint;
    TGridAcceptEvent OnCellShowing;
    TGridCellEvent OnChange;
    std::function<void(TRgCustomGridControl*, int Index, int Height)> OnChangeRowHeight;
    std::function<void(TRgCustomGridControl*, int ACol, double& Value)> OnColumnFooterValue;
    std::function<void(TRgCustomGridControl*, int ACol, int FromPos, int ToPos)> OnColumnMove;
    TGridColEvent OnColumnResize;
    std::function<void(TRgCustomGridControl*, int ACol, int ARow, const TRect& CellRect, TCellState CellState)>
        OnCustomDrawCell;
    std::function<void(TRgCustomGridControl*, int Index, const TRect& FooterRect)> OnCustomDrawFooter;
    std::function<void(TRgCustomGridControl*, int Index, const TRect& HeaderRect)> OnCustomDrawHeader;
    std::function<void(TRgCustomGridControl*, int Index, const TRect& IndicatorRect, bool Selected,
                       bool Highlighted)> OnCustomDrawIndicator;
    std::function<void(TRgCustomGridControl*, TDataChange AChangeType, int AIndex)> OnDataChange;
    TGridCellEvent OnDeselectCell;
    std::function<void(TRgCustomGridControl*, int ACol, int ARow, const TRect& CellRect, TCellState CellState,
                       bool& DefaultDrawing)> OnDrawCellBackground;
    std::function<void(TRgCustomGridControl*, int ACol, int ARow, const std::u16string& Value)> OnEdit;
    std::function<void(TRgCustomGridControl*, int ACol, int ARow, const std::u16string& Value, bool& Accept)>
        OnEditAccept;
    TGridNotify OnEditEnter;
    TGridNotify OnEditExit;
    std::function<void(TRgCustomGridControl*, int ACol, int ARow, std::u16string& Value)> OnEditText;
    std::function<void(TRgCustomGridControl*, int ACol, int ARow, std::u16string& Value, bool& Accept)>
        OnEndEditing;
    std::function<void(TRgCustomGridControl*, int ACol, double& Value)> OnFooterCalculate;
    TGridColEvent OnFooterClick;
    TGridColEvent OnHeaderClick;
    TGridColEvent OnHeaderDblClick;
    std::function<void(TRgCustomGridControl*, bool& Accept)> OnInputAccept;
    TGridNotify OnInputAdded;
    TGridColEvent OnInputSelectCell;
    TGridCellEvent OnLoadProgress;
    std::function<void(TRgCustomGridControl*, int Index, int& RowHeight)> OnMeasuringRowHeight;
    TGridNotify OnMouseEnter;
    TGridNotify OnMouseLeave;
    TGridNotify OnPostDraw;
    TGridCellEvent OnSelectCell;
    std::function<void(TRgCustomGridControl*, int& ACol, int ARow, TMoveSelectionKey Key)> OnSelectionMove;
    TGridColEvent OnSlideChange;
    std::function<void(TRgCustomGridControl*, int Index, TColor& SlideColor, TColor& GridColor, TSlideState State)>
        OnSlideColoring;
    std::function<void(TRgCustomGridControl*, int ACol, bool Ascending)> OnSortColumn;
    // Fired when goIndicator is switched.
    TGridNotify OnIndicatorChange;

    IGridWindow& Window;
    TRgCustomScrollBar& HorzBar;
    TRgCustomScrollBar& VertBar;
    // Number and date rules of footers and number columns.
    const TFormatSettings* FormatSettings = nullptr;

protected:
    template <class F, class... A>
    void Fire(const F& event, A&&... args) {
        if (event) event(this, std::forward<A>(args)...);
    }

    // The editor's events: change, focus, and keys before the editor uses
    // them (Tab, Enter and Esc end or clear the edit; the grid's own key
    // handling follows through GridKeyDown).
    virtual void AssignEditorEvents(IGridEditor& editor);
    void EditorChange();
    void EditorFocusChange(bool Entered, bool StaysInGrid);
    void EditorKeyDown(int& Key, unsigned Shift, bool UnusedArrow);
    virtual void GridKeyDown(int Key, unsigned Shift) { (void)Key; (void)Shift; }
    virtual void GridKeyPress(char16_t Key) { (void)Key; }

    // Column notices from the column list.
    virtual void ColumnChanged(TRgCustomColumn* Column, int Kind, int Value);
    virtual void ColumnListChanged(int Kind, int Index, int Index2);
    virtual bool ApplyCellFont(ICanvas& Canvas, int ACol, int ARow, TCellState CellState);

    // Around each paint: a derived grid may keep what it works out for many
    // cells of one paint (the tree's row relations) until the paint ends.
    virtual void PaintStarted() {}
    virtual void PaintEnded() {}
    void PaintRows(ICanvas& Canvas, const TRect& ClipBox);
    // Drawn over everything else (the row-move marker).
    virtual void PaintOverlay(ICanvas& Canvas) { (void)Canvas; }
    void PaintSlidesHeader(ICanvas& Canvas);
    void PaintSlides(ICanvas& Canvas, const TRect& ClipBox);
    void DrawSlideLabel(ICanvas& Canvas, const TRgCustomColumn& Column, int SlideTop);
    void PaintBands(ICanvas& Canvas);
    void DrawCell(ICanvas& Canvas, const TRect& ClipBox, int ACol, int ARow, const TRect& CellRect);
    void DrawEmptyCell(ICanvas& Canvas, int ACol, const TRect& CellRect);
    void DrawGridLines(ICanvas& Canvas, const TRect& CellRect, TColor GridColor, bool LastRow, bool LastColumn);
    void DrawRowIndicator(ICanvas& Canvas, int Index, bool Selected, bool Highlighted);
    void DrawFocusRect(ICanvas& Canvas);
    // The columns painted in a band: visible, on screen, not hidden under the
    // fixed columns; with their left edge on screen.
    template <class Visit>
    void ForEachPaintedColumn(Visit visit) const;
    void PrepareDisplay();
    // Rows shown between two indexes (From inclusive, To exclusive).
    int ShownRowsBetween(int From, int To) const;
    // The index reached by moving Count shown rows from ARow (down for a
    // positive count), and the pixel height passed.
    int StepShownRows(int ARow, int Count, int* Pixels) const;
    void SetTopRow(int ARow) { topRow_ = ARow; }
    void RecomputeShownRange();
    void ScrollVertBy(int Rows);
    // The next or previous visible column, offered to OnSelectionMove.
    void MoveToColumn(bool Forward, TMoveSelectionKey Key);

    int currentCol_ = 0;
    int currentRow_ = -1;
    int editedCol_ = -1, editedRow_ = -1;
    int inputCol_ = -1;
    IGridEditor* editor_ = nullptr;
    bool editingCell_ = false, editingInput_ = false;
    // Set while the grid writes text into the editor: its change notice
    // then fires no OnEdit.
    bool filling_ = false;
    bool closing_ = false;
    bool inputRowActive_ = false;
    bool multiSelecting_ = false;
    int anchorRow_ = -1;
    int topRow_ = 0;
    int firstShownRow_ = 0;
    int lastShownRow_ = 0;
    int bottomRow_ = 0;
    TRgCustomColumn* sortedColumn_ = nullptr;
    int paintedCol_ = -1, paintedRow_ = -1;
    int updateCount_ = 0;

private:
    void Recalculate();
    // Runs Change and repaints the border when its look changed.
    template <class F>
    void ChangeBorderLook(F Change);
    void ColumnRepaint(TRgCustomColumn* Column, int Band);
    std::pair<int, int> BandSpan(TColumnBand Band) const;

    std::unique_ptr<TRgColumns> columns_;
    std::array<std::unique_ptr<TStyleDisplay>, 7> displays_;
    TStyleDisplay* display_ = nullptr;
    std::vector<std::pair<TRgCustomColumn*, std::unique_ptr<TColumnDisplay>>> columnDisplays_;
    // The columns' own editors, made on first use.
    std::vector<std::pair<TRgCustomColumn*, std::unique_ptr<IGridEditor>>> editors_;
    // Attaches the column's editor for the edited cell or input cell.
    IGridEditor* AttachEditor(TRgCustomColumn* Column, TColor Color, TColor FontColor);
    // What EditCell and EditCellByKey share: the checks, OnBeforeEdit,
    // closing a previous edit and attaching the editor.
    IGridEditor* BeginCellEdit(int ACol, int ARow);
    IGridEditor* BeginInputEdit(int Column);
    // Accepts and ends an open edit; false when it refused to end.
    bool CloseOpenEdit();
    void FinishEditorPlacement(TRgCustomColumn* Column);
    void CloseEditor();
    TGridLineWidths lines_;
    TAppearanceOptions appearanceOptions_ = aoHideSelection | aoHighlightSlideCells;
    TGridBorderStyle borderStyle_ = bsSingle;
    std::u16string caption_;
    TColor color_ = clWindow;
    bool enableVisualStyles_ = true;
    int footerSize_ = 18;
    TColor gridLinesColor_ = clBtnFace;
    TGridLinesStyle gridLinesStyle_ = lsNormal;
    TGridStyle gridStyle_ = gsReport;
    int headerSize_ = 18;
    THeaderStyle headerStyle_ = hsAuto;
    TColor highlightedTextColor_ = clHighlightText;
    TColor inactiveSelectionColor_ = clBtnFace;
    TDrawingOptions indicatorDrawingOptions_ = doNormal;
    int inputSize_ = 16;
    TGridOptions options_ = goHeader;
    int rowSize_ = 16;
    std::uint8_t slidesOptions_ = soFrame | soHideSelection;
    TColor slideSelectionColor_ = clWindow;
    int slideSize_ = 80;
    TSortedStyle sortedStyle_ = soDefault;
    std::string version_ = "5.9.65";
};

}  // namespace ad::grid
