// The report grid: rows and cells over one cell store, row insertion,
// deletion, moves and sorting with the current row, shown and top rows kept
// in step, footer formulas, the rating element's values, and delimited text
// read into rows and written from them.
#pragma once

#include <string>
#include <unordered_map>

#include "base/Streams.h"
#include "grid/CellStore.h"
#include "grid/CustomGrid.h"

namespace ad::grid {

class TReportGrid : public TRgCustomGrid, public ICellGrid {
public:
    TReportGrid(IGridWindow& window, TRgCustomScrollBar& horzBar, TRgCustomScrollBar& vertBar,
                ITextServices* text = nullptr);
    ~TReportGrid() override;

    TCells& Cells() { return *cells_; }

    // --- rows ---
    int AddRow(int Count = 1);
    void InsertRows(int Pos, int Count);
    void DeleteRow(int ARow) override;
    void ClearRows() override;
    void MoveRow(int FromPos, int ToPos) override;
    void SwapRows(int Row1, int Row2);
    void AppendRows(int Count);
    void SetRowHeight(int ARow, int Height) override;
    void SetRowShown(int ARow, bool Shown) override;
    // --- row tree ---
    // One child of ARow, right below it or after its last descendant; the
    // new row's index.
    int AddChildRow(int ARow, bool AsLast = false);
    bool IsRowExpanded(int ARow) const;
    // Shows or hides ARow's descendants (a collapsed descendant keeps its own
    // subtree hidden), then fires OnExpand.
    void SetRowExpanded(int ARow, bool Expanded);
    int GetChildCount(int ARow) const;
    // The tree lines' question about a row: NextSibling := the next row of
    // the same level before any row of a lower level (-1 when none); ARow :=
    // its parent row (-1 for a top-level row).
    void GetRowRelations(int& ARow, int& NextSibling) const;
    int LastAddedRow() const { return lastAdded_; }
    int StartRowCount() const { return startRowCount_; }
    void SetStartRowCount(int Value);
    void SetRowSize(int Value) override;

    // --- cells ---
    // The cell object; an index out of range raises "Cell out of bounds".
    TCell* Cell(int ACol, int ARow);
    void SetCellText(int ACol, int ARow, const std::u16string& Value);
    void SetEditedCellText(const std::u16string& Text) override;
    // The input values (or the columns' default values where empty) as a new
    // last row; the input values are emptied; OnInputAccept may refuse.
    void AddInputRow() override;
    std::u16string GetCellText(int ACol, int ARow) const override;
    std::u16string GetDrawText(int ACol, int ARow) override;
    void GetCellInfo(int ACol, int ARow, TVirtualColElement& Element) override;
    TColor GetCellColor(int ACol, int ARow) const override;
    bool IsCellHidden(int ACol, int ARow) const override;
    void SortColumn(TRgCustomColumn* Column, bool Ascending) override;
    void ApplyColumnDefault(int ACol) override;
    void CalculateFooter(bool VisibleOnly);
    void AcceptPlayValue(TColumnPlay* Play) override;

    // --- rows as the control reads them ---
    int RowCount() const override { return cells_->RowCount; }
    int GetShownRowCount() const override { return cells_->ShownRowCount; }
    bool IsRowShown(int ARow) const override;
    bool IsRowSelected(int ARow) const override;
    void SetRowSelected(int ARow, bool Selected) override;
    void SetRowsSelected(int From, int To, bool Selected) override;
    int GetRowHeight(int ARow) const override;
    int GetDisplayTag(int ARow) const override;
    int GetRowLevel(int ARow) const override;
    void PrepareCellDisplay(int ACol, int ARow, TTreeCellInfo& Info) override;
    // The tree column's expand button: the row expands or collapses.
    void TogglePlayRow(int ARow) override;

    // --- delimited text ---
    // Rows from a file of separated fields, one row per line (see
    // ParseDelimitedText); the grid's update counter brackets the load. A
    // line with more fields than the grid has columns raises "Cell out of
    // bounds" there, the rows read before it kept.
    void LoadFromTextFile(const std::string& FileName, char16_t Separator, int SkipLines, char16_t LineBreakChar);
    void LoadFromStream(TStream& Source, char16_t Separator, int SkipLines, char16_t LineBreakChar);
    // Every cell's text in the system code page: a leading separator, fields
    // split by the separator, rows by the separator and CR LF; a CR LF inside
    // a field is written as "%" CR LF.
    std::string GetDelimitedText(char Separator) const;

    std::function<void(TRgCustomGridControl*, TCell* Cell1, TCell* Cell2, std::int32_t& Compare)> OnCompare;
    std::function<void(TRgCustomGridControl*, int ARow)> OnExpand;
    std::function<void(TRgCustomGridControl*, int ACol, int ARow, TColor& TextColor, std::uint8_t& FontStyle,
                       TCellState CellState)> OnCellFormating;

protected:
    bool ApplyCellFont(ICanvas& Canvas, int ACol, int ARow, TCellState CellState) override;
    void ColumnListChanged(int Kind, int Index, int Index2) override;
    void PaintStarted() override;
    void PaintEnded() override;

private:
    TColor GetCellPaintColor(int col, int row, TCell& cell) override;
    TColor GetCellTextColor(int col, int row, TCell& cell) override;
    void CheckCell(int ACol, int ARow) const;
    void ApplyDefaultValues(int FromRow, int ToRow);
    // Rows after First changed between shown and hidden at one go: the top
    // row, the vertical position and the shown range follow, and the rows
    // are repainted.
    void RowsShownChanged(int First);
    // A shown row appeared or disappeared: the rows below move, or the top
    // row follows when it lies above the view.
    void ScrollRowInOut(int ARow, int Height, bool Appears);

    std::unique_ptr<TCells> cells_;
    // While a paint runs, each row's relations are worked out once: the tree
    // lines of every painted row ask for all its ancestors, and the next
    // sibling of a high ancestor may lie many rows down.
    struct TRowRelations {
        int Parent, NextSibling;
    };
    mutable std::unordered_map<int, TRowRelations> paintRelations_;
    int paintDepth_ = 0;
    int lastAdded_ = -1;
    int startRowCount_ = 0;
};

}  // namespace ad::grid
