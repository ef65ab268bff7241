// The grid's data model: rows as TRow records and values as TCell objects,
// stored column by column, with row operations and sorting by one column.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "grid/Cell.h"
#include "grid/GridTypes.h"
#include "grid/SlotPool.h"

namespace ad::grid {

enum TSortType : std::uint8_t {
    stAlphabetic, stBoolean, stCaseInsensitive, stCustom, stNumeric, stDate, stIP, stUnicodeAlphabetic
};

// What the store reads of a column when it makes a cell.
struct TColumnAttrs {
    std::uint8_t Kind = 8;
    TColor Color = clWindow;
    std::uint8_t FontStyle = 0;
    TColor FontColor = clWindowText;
};

// The grid's column list as the store sees it (items in creation order).
class IColumnSource {
public:
    virtual ~IColumnSource() = default;
    virtual int ColumnCount() const = 0;
    virtual TColumnAttrs ColumnAttrs(int index) const = 0;
    // Text of a virtual column's cell; no column class of the grid has one.
    virtual std::u16string GetVirtualText(int /*col*/, int /*row*/) { return {}; }
    virtual void SetVirtualText(int /*col*/, int /*row*/, const std::u16string& /*text*/) {}
};

// The owning grid as the store sees it: the colours a cell is painted with.
class ICellGrid {
public:
    virtual ~ICellGrid() = default;
    virtual TColor GetCellPaintColor(int col, int row, TCell& cell) = 0;
    virtual TColor GetCellTextColor(int col, int row, TCell& cell) = 0;
};

class TRow {
public:
    int ChildCount = 0;
    bool Expanded = true;
    int DisplayTag = -1;
    int Level = 0;
    TRow* ParentRow = nullptr;
    int Height = 0;
    bool Selected = false;
    bool ParentExpanded = true;
    bool Visible = true;

    bool Shown() const { return Visible && ParentExpanded; }
};

using TCellChangedEvent = std::function<void(TCells* sender, int ACol, int ARow)>;
using TCompareEvent = std::function<void(TCells* sender, TCell* cell1, TCell* cell2, std::int32_t& compare)>;

class TCells {
public:
    TCells(ICellGrid* grid, IColumnSource* columns, ITextServices* text = nullptr, IGuidSource* guids = nullptr,
           IClock* clock = nullptr);
    ~TCells();
    TCells(const TCells&) = delete;
    TCells& operator=(const TCells&) = delete;

    // Records LastCol and LastRow and hands the cell its position. Either
    // index out of range raises EListError.
    TCell* GetCell(int ACol, int ARow);
    TRow* GetRow(int ARow);
    int IndexOfRow(const TRow* row) const;
    int GetDescendantCount(int ARow) const;
    int GetChildCount(int ARow) const;

    // Kind (low 7 bits): 0 append, 1 delete, 2 clear, 3 insert, 4 move.
    void ColumnListChanged(int Kind, int Index, int Index2);
    void AppendColumn();
    void InsertColumn(int Index);
    void DeleteColumn(int Index);
    void ClearColumns();
    void MoveColumn(int From, int To);

    void AddRows(int Count);
    void InsertRows(int Pos, int Count);
    void InsertChildRow(int ParentIndex, int Pos);
    void DeleteRow(int ARow);
    void ClearRows();
    void MoveRow(int From, int To);
    void SwapRows(int Row1, int Row2);
    void SetRowParentExpanded(int ARow, bool Value);
    void SetRowVisible(int ARow, bool Value);

    void SortRows(int ACol, TSortType SortType, bool Descending, bool FullResort);

    // Fires OnCellChanged for (LastCol, LastRow), or for the given position,
    // and clears Sorted. Cells send their own position.
    void Changed();
    void Changed(int ACol, int ARow);
    // The compare notice of custom sorting; 0 without a handler.
    std::int32_t CompareCells(TCell* cell1, TCell* cell2);

    ITextServices& TextServices() const { return *Text; }
    IGuidSource& GuidSource() const { return *Guids; }
    IClock& Clock() const { return *ClockSource; }

    int ColumnCount = 0;
    int LastCol = 0;
    IColumnSource* Columns;
    ICellGrid* Grid;
    TCellChangedEvent OnCellChanged;
    TCompareEvent OnCompareCells;
    int RowCount = 0;
    int DefaultRowHeight = 0;
    int LastRow = 0;
    bool Sorted = false;
    int SortedColumn = -1;
    bool SortedDescending = false;
    int ShownRowCount = 0;
    // Seed of the pivot choice; any uniform source serves.
    std::minstd_rand Random{0x5EED};

private:
    enum class TCellContext { Append, InsertColumn, InsertRows, InsertChild };
    using TColumnList = TPooledList<TCell>;

    // A cell for the column's kind, placed at (col, row).
    TPooled<TCell> MakeCell(int column, TCellContext context, int col, int row);
    static void Place(TCell& cell, int col, int row) {
        cell.col_ = col;
        cell.row_ = row;
    }
    TPooled<TRow> MakeRow();
    void CheckRow(int ARow) const;
    void CheckColumn(int ACol) const;
    void CheckNotSorting() const;
    void ApplyOrder(const std::vector<int>& order);
    void ReverseRows();
    template <class Compare>
    void QuickSort(std::vector<int>& order, Compare compare, bool descending);

    // Cells and rows take slots of these pools, which go after them.
    TSlotPool CellSlots;
    TSlotPool RowSlots;
    std::vector<TColumnList> ColumnLists;
    TPooledList<TRow> Rows;
    ITextServices* Text;
    IGuidSource* Guids;
    IClock* ClockSource;
    bool Sorting = false;
};

// Reads up to four dot-separated numbers of an address for stIP; parts after
// the fourth are ignored; a part without digits or over 32 bits raises
// EConvertError; empty text is 0.0.0.0.
void ReadIPAddress(std::string_view text, std::uint32_t (&parts)[4]);

}  // namespace ad::grid
