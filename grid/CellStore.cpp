// The cell store: column-major cell lists, row records and sorting.
#include "grid/CellStore.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "base/Exception.h"

namespace ad::grid {

namespace {

// Marks the store as sorting for the lifetime of the scope.
class TSortingScope {
public:
    explicit TSortingScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~TSortingScope() { flag_ = false; }
    TSortingScope(const TSortingScope&) = delete;
    TSortingScope& operator=(const TSortingScope&) = delete;

private:
    bool& flag_;
};

template <class T>
int Compare3(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

int CompareText(const std::u16string& a, const std::u16string& b) {
    int r = a.compare(b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

// Every kind of cell fits one slot of the cell pool.
constexpr std::size_t CellSlotSize =
    std::max({sizeof(TIntegerCell), sizeof(TIncrementCell), sizeof(TBooleanCell), sizeof(TDateTimeCell),
              sizeof(TFloatCell), sizeof(TGuidCell), sizeof(TStringCell), sizeof(TVirtualCell)});
constexpr std::size_t CellSlotAlign =
    std::max({alignof(TIntegerCell), alignof(TIncrementCell), alignof(TBooleanCell), alignof(TDateTimeCell),
              alignof(TFloatCell), alignof(TGuidCell), alignof(TStringCell), alignof(TVirtualCell)});

template <class T>
TPooled<TCell> NewCell(TSlotPool& slots, TCells* store) {
    static_assert(sizeof(T) <= CellSlotSize && alignof(T) <= CellSlotAlign);
    return MakePooled<T>(slots, store);
}

}  // namespace

void ReadIPAddress(std::string_view text, std::uint32_t (&parts)[4]) {
    for (auto& p : parts) p = 0;
    std::u16string part;
    int next = 0;
    for (size_t k = 0; k < text.size(); ++k) {
        char c = text[k];
        if (c >= '0' && c <= '9') part.push_back(static_cast<char16_t>(c));
        if (c == '.' || k + 1 == text.size()) {
            std::int32_t v = TextToInt(part);  // no digits, or too many: conversion error
            if (v < 0) throw EConvertError("Invalid address part");
            if (next < 4) parts[next] = static_cast<std::uint32_t>(v);
            ++next;
            part.clear();
        }
    }
}

TCells::TCells(ICellGrid* grid, IColumnSource* columns, ITextServices* text, IGuidSource* guids, IClock* clock)
    : Columns(columns),
      Grid(grid),
      CellSlots(CellSlotSize, CellSlotAlign),
      RowSlots(sizeof(TRow), alignof(TRow)),
      Rows(RowSlots),
      Text(text ? text : &DefaultTextServices()),
      Guids(guids ? guids : &DefaultGuidSource()),
      ClockSource(clock ? clock : &DefaultClock()) {}

TCells::~TCells() = default;

void TCells::CheckRow(int ARow) const {
    if (ARow < 0 || ARow >= RowCount) throw EListError(Format("List index out of bounds (%d)", ARow));
}

void TCells::CheckColumn(int ACol) const {
    if (ACol < 0 || ACol >= ColumnCount) throw EListError(Format("List index out of bounds (%d)", ACol));
}

void TCells::CheckNotSorting() const {
    if (Sorting) throw EInvalidOperation("The rows cannot change while they are being sorted");
}

TCell* TCells::GetCell(int ACol, int ARow) {
    CheckRow(ARow);
    CheckColumn(ACol);
    LastCol = ACol;
    LastRow = ARow;
    TCell* cell = ColumnLists[static_cast<size_t>(ACol)][static_cast<size_t>(ARow)];
    Place(*cell, ACol, ARow);
    return cell;
}

TRow* TCells::GetRow(int ARow) {
    CheckRow(ARow);
    return Rows[static_cast<size_t>(ARow)];
}

int TCells::IndexOfRow(const TRow* row) const {
    for (size_t i = 0; i < Rows.Size(); ++i)
        if (Rows[i] == row) return static_cast<int>(i);
    return -1;
}

int TCells::GetDescendantCount(int ARow) const {
    CheckRow(ARow);
    int level = Rows[static_cast<size_t>(ARow)]->Level, n = 0;
    for (int i = ARow + 1; i < RowCount && Rows[static_cast<size_t>(i)]->Level > level; ++i) ++n;
    return n;
}

int TCells::GetChildCount(int ARow) const {
    CheckRow(ARow);
    int level = Rows[static_cast<size_t>(ARow)]->Level, n = 0;
    for (int i = ARow + 1; i < RowCount && Rows[static_cast<size_t>(i)]->Level > level; ++i)
        if (Rows[static_cast<size_t>(i)]->Level == level + 1) ++n;
    return n;
}

TPooled<TCell> TCells::MakeCell(int column, TCellContext context, int col, int row) {
    TColumnAttrs attrs;
    if (Columns && column >= 0 && column < Columns->ColumnCount()) attrs = Columns->ColumnAttrs(column);
    TPooled<TCell> cell;
    switch (attrs.Kind) {
        case 0:
            if (context == TCellContext::InsertColumn || context == TCellContext::InsertRows)
                cell = NewCell<TIntegerCell>(CellSlots, this);
            else
                cell = NewCell<TIncrementCell>(CellSlots, this);
            break;
        case 1: cell = NewCell<TBooleanCell>(CellSlots, this); break;
        case 3: cell = NewCell<TDateTimeCell>(CellSlots, this); break;
        case 4: cell = NewCell<TFloatCell>(CellSlots, this); break;
        case 6:
            if (context == TCellContext::Append || context == TCellContext::InsertColumn)
                cell = NewCell<TGuidCell>(CellSlots, this);
            else
                cell = NewCell<TStringCell>(CellSlots, this);
            break;
        case 7: cell = NewCell<TIntegerCell>(CellSlots, this); break;
        case 11: cell = NewCell<TVirtualCell>(CellSlots, this); break;
        default: cell = NewCell<TStringCell>(CellSlots, this); break;
    }
    cell->FontStyle = attrs.FontStyle;
    cell->Color = attrs.Color;
    if (context != TCellContext::InsertChild) cell->FontColor = attrs.FontColor;
    cell->State &= static_cast<std::uint8_t>(~2u);
    Place(*cell, col, row);
    return cell;
}

TPooled<TRow> TCells::MakeRow() {
    auto row = MakePooled<TRow>(RowSlots);
    row->Height = DefaultRowHeight;
    return row;
}

void TCells::ColumnListChanged(int Kind, int Index, int Index2) {
    switch (Kind & 0x7F) {
        case 0: AppendColumn(); break;
        case 1: DeleteColumn(Index); break;
        case 2: ClearColumns(); break;
        case 3: InsertColumn(Index); break;
        case 4: MoveColumn(Index, Index2); break;
        default: break;
    }
}

void TCells::AppendColumn() {
    CheckNotSorting();
    int source = Columns ? Columns->ColumnCount() - 1 : -1;
    TColumnList list(CellSlots);
    list.Reserve(static_cast<size_t>(RowCount));
    for (int r = 0; r < RowCount; ++r) list.Append(MakeCell(source, TCellContext::Append, ColumnCount, r));
    ColumnLists.push_back(std::move(list));
    ++ColumnCount;
}

void TCells::InsertColumn(int Index) {
    CheckNotSorting();
    if (Index < 0 || Index > ColumnCount) throw EListError(Format("List index out of bounds (%d)", Index));
    TColumnList list(CellSlots);
    list.Reserve(static_cast<size_t>(RowCount));
    for (int r = 0; r < RowCount; ++r) list.Append(MakeCell(Index, TCellContext::InsertColumn, Index, r));
    ColumnLists.insert(ColumnLists.begin() + Index, std::move(list));
    ++ColumnCount;
    Sorted = false;
}

void TCells::DeleteColumn(int Index) {
    CheckNotSorting();
    CheckColumn(Index);
    ColumnLists.erase(ColumnLists.begin() + Index);
    --ColumnCount;
    if (ColumnCount == 0) {
        Rows.Clear();
        RowCount = 0;
        ShownRowCount = 0;
    }
}

void TCells::ClearColumns() {
    CheckNotSorting();
    ColumnLists.clear();
    Rows.Clear();
    ColumnCount = RowCount = ShownRowCount = 0;
}

void TCells::MoveColumn(int From, int To) {
    CheckNotSorting();
    CheckColumn(From);
    CheckColumn(To);
    TColumnList list = std::move(ColumnLists[static_cast<size_t>(From)]);
    ColumnLists.erase(ColumnLists.begin() + From);
    ColumnLists.insert(ColumnLists.begin() + To, std::move(list));
}

void TCells::AddRows(int Count) {
    CheckNotSorting();
    if (Count <= 0) return;
    for (int c = 0; c < ColumnCount; ++c) {
        TColumnList& list = ColumnLists[static_cast<size_t>(c)];
        // Growth stays geometric: a reserve of exactly the new size would
        // copy the whole column for every row added one at a time.
        for (int k = 0; k < Count; ++k) list.Append(MakeCell(c, TCellContext::Append, c, RowCount + k));
    }
    for (int k = 0; k < Count; ++k) Rows.Append(MakeRow());
    RowCount += Count;
    ShownRowCount += Count;
    Sorted = false;
}

void TCells::InsertRows(int Pos, int Count) {
    CheckNotSorting();
    if (Pos < 0 || Pos > RowCount) throw EListError(Format("List index out of bounds (%d)", Pos));
    if (Count <= 0) return;
    for (int c = 0; c < ColumnCount; ++c) {
        TColumnList fresh(CellSlots);
        fresh.Reserve(static_cast<size_t>(Count));
        for (int k = 0; k < Count; ++k) fresh.Append(MakeCell(c, TCellContext::InsertRows, c, Pos + k));
        ColumnLists[static_cast<size_t>(c)].InsertAll(static_cast<size_t>(Pos), fresh);
    }
    TPooledList<TRow> rows(RowSlots);
    rows.Reserve(static_cast<size_t>(Count));
    for (int k = 0; k < Count; ++k) rows.Append(MakeRow());
    Rows.InsertAll(static_cast<size_t>(Pos), rows);
    RowCount += Count;
    ShownRowCount += Count;
    Sorted = false;
}

void TCells::InsertChildRow(int ParentIndex, int Pos) {
    CheckNotSorting();
    CheckRow(ParentIndex);
    if (Pos < 0 || Pos > RowCount) throw EListError(Format("List index out of bounds (%d)", Pos));
    TRow* parent = Rows[static_cast<size_t>(ParentIndex)];
    auto row = MakeRow();
    row->ParentRow = parent;
    row->Level = parent->Level + 1;
    row->ParentExpanded = parent->Expanded && parent->ParentExpanded;
    ++parent->ChildCount;
    bool shown = row->Shown();
    for (int c = 0; c < ColumnCount; ++c)
        ColumnLists[static_cast<size_t>(c)].Insert(static_cast<size_t>(Pos), MakeCell(c, TCellContext::InsertChild, c, Pos));
    Rows.Insert(static_cast<size_t>(Pos), std::move(row));
    ++RowCount;
    if (shown) ++ShownRowCount;
}

void TCells::DeleteRow(int ARow) {
    CheckNotSorting();
    CheckRow(ARow);
    for (TColumnList& list : ColumnLists) list.Erase(static_cast<size_t>(ARow));
    if (Rows[static_cast<size_t>(ARow)]->Shown()) --ShownRowCount;
    // Children of the row keep no dangling pointer to it.
    TRow* gone = Rows[static_cast<size_t>(ARow)];
    for (TRow* r : Rows)
        if (r->ParentRow == gone) r->ParentRow = nullptr;
    Rows.Erase(static_cast<size_t>(ARow));
    --RowCount;
}

void TCells::ClearRows() {
    CheckNotSorting();
    for (TColumnList& list : ColumnLists) list.Clear();
    Rows.Clear();
    RowCount = ShownRowCount = 0;
    Sorted = false;
}

void TCells::MoveRow(int From, int To) {
    CheckNotSorting();
    CheckRow(From);
    CheckRow(To);
    for (TColumnList& list : ColumnLists) list.Move(static_cast<size_t>(From), static_cast<size_t>(To));
    Rows.Move(static_cast<size_t>(From), static_cast<size_t>(To));
    Sorted = false;
}

void TCells::SwapRows(int Row1, int Row2) {
    CheckNotSorting();
    CheckRow(Row1);
    CheckRow(Row2);
    for (TColumnList& list : ColumnLists) list.Swap(static_cast<size_t>(Row1), static_cast<size_t>(Row2));
    Rows.Swap(static_cast<size_t>(Row1), static_cast<size_t>(Row2));
}

void TCells::SetRowParentExpanded(int ARow, bool Value) {
    TRow* row = GetRow(ARow);
    if (row->ParentExpanded == Value) return;
    bool was = row->Shown();
    row->ParentExpanded = Value;
    ShownRowCount += static_cast<int>(row->Shown()) - static_cast<int>(was);
}

void TCells::SetRowVisible(int ARow, bool Value) {
    TRow* row = GetRow(ARow);
    if (row->Visible == Value) return;
    bool was = row->Shown();
    row->Visible = Value;
    ShownRowCount += static_cast<int>(row->Shown()) - static_cast<int>(was);
}

void TCells::Changed() { Changed(LastCol, LastRow); }

void TCells::Changed(int ACol, int ARow) {
    if (OnCellChanged) OnCellChanged(this, ACol, ARow);
    Sorted = false;
}

std::int32_t TCells::CompareCells(TCell* cell1, TCell* cell2) {
    std::int32_t compare = 0;
    if (OnCompareCells) OnCompareCells(this, cell1, cell2, compare);
    return compare;
}

void TCells::ApplyOrder(const std::vector<int>& order) {
    for (TColumnList& list : ColumnLists) list.Permute(order);
    Rows.Permute(order);
}

void TCells::ReverseRows() {
    if (RowCount < 2) return;
    for (int i = 0; i < RowCount / 2; ++i) SwapRows(i, RowCount - 1 - i);
}

// Hoare's partition around a random pivot, testing only "pivot >= x" and
// "pivot <= x" (so equal keys stop both scans and all-equal input stays
// n log n). The scans are bounded by the range, and the split point is kept
// inside it, so a comparison that is no strict weak ordering (mixed numeric
// and text keys, NaN, a custom handler) still ends in a permutation. The
// smaller part recurses; the larger loops, so the depth stays logarithmic.
template <class Compare>
void TCells::QuickSort(std::vector<int>& order, Compare compare, bool descending) {
    auto sortRange = [&](auto& self, int L, int R) -> void {
        while (L < R) {
            std::uniform_int_distribution<int> pick(0, R - L - 1);
            int pivot = order[static_cast<size_t>(L + 1 + pick(Random))];
            auto ge = [&](int x) { int c = compare(pivot, x); return descending ? c <= 0 : c >= 0; };
            auto le = [&](int x) { int c = compare(pivot, x); return descending ? c >= 0 : c <= 0; };
            int i = L - 1, j = R + 1;
            do {
                do ++i; while (i < R && !le(order[static_cast<size_t>(i)]));
                do --j; while (j > L && !ge(order[static_cast<size_t>(j)]));
                if (i != j) std::swap(order[static_cast<size_t>(i)], order[static_cast<size_t>(j)]);
            } while (i < j);
            if (i != j) std::swap(order[static_cast<size_t>(i)], order[static_cast<size_t>(j)]);
            i = std::clamp(i, L + 1, R);
            if (i - 1 - L < R - i) {
                self(self, L, i - 1);
                L = i;
            } else {
                self(self, i, R);
                R = i - 1;
            }
        }
    };
    sortRange(sortRange, 0, static_cast<int>(order.size()) - 1);
}

void TCells::SortRows(int ACol, TSortType SortType, bool Descending, bool FullResort) {
    CheckNotSorting();
    bool reverse = SortedColumn == ACol && Sorted && SortedDescending != Descending && !FullResort;
    SortedDescending = Descending;
    if (reverse) {
        ReverseRows();
        SortedColumn = ACol;
        Sorted = true;
        return;
    }
    if (RowCount >= 2) {
        CheckColumn(ACol);
        TSortingScope scope(Sorting);
        std::vector<int> order(static_cast<size_t>(RowCount));
        for (int k = 0; k < RowCount; ++k) order[static_cast<size_t>(k)] = k;
        const TColumnList& list = ColumnLists[static_cast<size_t>(ACol)];
        // Keys are read once per row, at the row's current position.
        auto keysOf = [&](auto read) {
            using Key = decltype(read(0));
            std::vector<Key> keys;
            keys.reserve(static_cast<size_t>(RowCount));
            for (int r = 0; r < RowCount; ++r) {
                LastCol = ACol;
                LastRow = r;
                Place(*list[static_cast<size_t>(r)], ACol, r);
                keys.push_back(read(r));
            }
            return keys;
        };
        auto cell = [&](int r) -> TCell& { return *list[static_cast<size_t>(r)]; };
        switch (SortType) {
            case stAlphabetic: {
                auto keys = keysOf([&](int r) { return cell(r).AsString(); });
                QuickSort(order, [&](int a, int b) { return CompareText(keys[a], keys[b]); }, Descending);
                break;
            }
            case stUnicodeAlphabetic: {
                auto keys = keysOf([&](int r) { return cell(r).AsString(); });
                QuickSort(order, [&](int a, int b) { return Text->CompareUnicode(keys[a], keys[b]); }, Descending);
                break;
            }
            case stCaseInsensitive: {
                auto keys = keysOf([&](int r) {
                    std::string s = Text->ToAnsi(cell(r).AsString());
                    for (char& c : s)
                        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
                    return s;
                });
                QuickSort(order, [&](int a, int b) { int c = keys[a].compare(keys[b]); return c < 0 ? -1 : (c > 0); },
                          Descending);
                break;
            }
            case stBoolean: {
                auto keys = keysOf([&](int r) { return cell(r).AsBoolean(); });
                QuickSort(order, [&](int a, int b) { return Compare3(keys[a], keys[b]); }, Descending);
                break;
            }
            case stDate: {
                auto keys = keysOf([&](int r) { return cell(r).AsDateTime(); });
                QuickSort(order, [&](int a, int b) { return Compare3(keys[a], keys[b]); }, Descending);
                break;
            }
            case stNumeric: {
                // The text is only compared against a row without a number:
                // a row with a number whose text cannot be made (a date-time
                // past the last year) fails only when that comparison comes.
                struct Key { bool Valid; double Number; std::u16string Text; std::exception_ptr TextError; };
                auto keys = keysOf([&](int r) {
                    Key k{false, 0, {}, nullptr};
                    try {
                        k.Number = cell(r).AsFloat();
                        k.Valid = true;
                    } catch (const EConvertError&) {
                    }
                    try {
                        k.Text = cell(r).AsString();
                    } catch (...) {
                        if (!k.Valid) throw;
                        k.TextError = std::current_exception();
                    }
                    return k;
                });
                QuickSort(order, [&](int a, int b) {
                    const Key& x = keys[static_cast<size_t>(a)];
                    const Key& y = keys[static_cast<size_t>(b)];
                    if (x.Valid && y.Valid) return Compare3(x.Number, y.Number);
                    for (const Key* k : {&x, &y})
                        if (k->TextError) std::rethrow_exception(k->TextError);
                    return CompareText(x.Text, y.Text);
                }, Descending);
                break;
            }
            case stIP: {
                struct Key { std::uint32_t Parts[4]; };
                auto keys = keysOf([&](int r) {
                    Key k;
                    ReadIPAddress(Text->ToAnsi(cell(r).AsString()), k.Parts);
                    return k;
                });
                QuickSort(order, [&](int a, int b) {
                    const Key& x = keys[static_cast<size_t>(a)];
                    const Key& y = keys[static_cast<size_t>(b)];
                    for (int k = 0; k < 4; ++k)
                        if (x.Parts[k] != y.Parts[k]) return x.Parts[k] < y.Parts[k] ? -1 : 1;
                    return 0;
                }, Descending);
                break;
            }
            case stCustom: {
                QuickSort(order, [&](int a, int b) {
                    TCell* first = list[static_cast<size_t>(a)];
                    TCell* second = list[static_cast<size_t>(b)];
                    LastCol = ACol;
                    LastRow = b;
                    Place(*first, ACol, a);
                    Place(*second, ACol, b);
                    std::int32_t c = CompareCells(first, second);
                    return c < 0 ? -1 : (c > 0 ? 1 : 0);
                }, Descending);
                break;
            }
        }
        ApplyOrder(order);
    }
    SortedColumn = ACol;
    Sorted = true;
}

}  // namespace ad::grid
