// The report grid's rows and cells, footers and delimited text.
#include "grid/ReportGrid.h"

#include <algorithm>
#include <set>

#include "base/Exception.h"
#include "base/Files.h"
#include "grid/CellConvert.h"
#include "grid/DelimitedText.h"

namespace ad::grid {

namespace {
// Rows of a text file go through the grid's own row and cell operations.
class TGridSink : public IDelimitedSink {
public:
    explicit TGridSink(TReportGrid& grid) : grid_(grid) {}
    void AddRow() override { grid_.AddRow(1); }
    void SetCellText(int col, int row, const std::u16string& text) override { grid_.SetCellText(col, row, text); }
    void LoadProgress(int col, int row) override {
        if (grid_.OnLoadProgress) grid_.OnLoadProgress(&grid_, col, row);
    }

private:
    TReportGrid& grid_;
};

// Keeps the update counter raised for the length of a bulk operation.
class TUpdateScope {
public:
    explicit TUpdateScope(TRgCustomGridControl& grid) : grid_(grid) { grid_.BeginUpdate(); }
    ~TUpdateScope() { grid_.EndUpdate(true); }
    TUpdateScope(const TUpdateScope&) = delete;
    TUpdateScope& operator=(const TUpdateScope&) = delete;

private:
    TRgCustomGridControl& grid_;
};
}  // namespace

TReportGrid::TReportGrid(IGridWindow& window, TRgCustomScrollBar& horzBar, TRgCustomScrollBar& vertBar,
                         ITextServices* text)
    : TRgCustomGrid(window, horzBar, vertBar),
      cells_(std::make_unique<TCells>(this, &Columns(), text)) {
    cells_->DefaultRowHeight = RowSize();
    cells_->OnCellChanged = [this](TCells*, int col, int row) {
        if (Updating()) return;
        RefreshCell(col, row);
        Fire(OnChange, col, row);
    };
    cells_->OnCompareCells = [this](TCells*, TCell* a, TCell* b, std::int32_t& compare) {
        if (OnCompare) OnCompare(this, a, b, compare);
    };
    if (!FormatSettings) FormatSettings = &cells_->TextServices().Settings();
}

TReportGrid::~TReportGrid() {
    // The store goes before the columns it reads.
    cells_.reset();
}

// --- ICellGrid

TColor TReportGrid::GetCellPaintColor(int col, int row, TCell&) { return TRgCustomGridControl::GetCellPaintColor(col, row); }
TColor TReportGrid::GetCellTextColor(int col, int row, TCell&) { return TRgCustomGridControl::GetCellTextColor(col, row); }

// --- rows

bool TReportGrid::IsRowShown(int ARow) const {
    return ARow >= 0 && ARow < cells_->RowCount && cells_->GetRow(ARow)->Shown();
}

bool TReportGrid::IsRowSelected(int ARow) const {
    return ARow >= 0 && ARow < cells_->RowCount && cells_->GetRow(ARow)->Selected;
}

int TReportGrid::GetRowHeight(int ARow) const {
    int height = RowSize();
    if (ARow >= 0 && ARow < cells_->RowCount) height = cells_->GetRow(ARow)->Height;
    if (OnMeasuringRowHeight) OnMeasuringRowHeight(const_cast<TReportGrid*>(this), ARow, height);
    // A handler may answer a negative height; rows never run backwards.
    return std::max(height, 0);
}

int TReportGrid::GetDisplayTag(int ARow) const {
    return ARow >= 0 && ARow < cells_->RowCount ? cells_->GetRow(ARow)->DisplayTag : -1;
}

int TReportGrid::GetRowLevel(int ARow) const {
    return ARow >= 0 && ARow < cells_->RowCount ? cells_->GetRow(ARow)->Level : 0;
}

void TReportGrid::SetRowSelected(int ARow, bool Selected) {
    if (ARow < 0 || ARow >= cells_->RowCount) return;
    TRow* row = cells_->GetRow(ARow);
    if (row->Selected == Selected) return;
    row->Selected = Selected;
    RefreshRow(ARow);
}

void TReportGrid::SetRowsSelected(int From, int To, bool Selected) {
    if (From < 0 || To < 0 || From >= cells_->RowCount || To >= cells_->RowCount) return;
    for (int r = std::min(From, To); r <= std::max(From, To); ++r) cells_->GetRow(r)->Selected = Selected;
    if (Updating()) return;
    TRect band = GetRowRect(std::max(std::min(From, To), TopRow()));
    band.Bottom = GetRowRect(std::max(From, To)).Bottom;
    band.Left = 0;
    TRect rows = GetRowsRect();
    band.Top = std::max(band.Top, rows.Top);
    band.Bottom = std::min(band.Bottom, rows.Bottom);
    if (band.Bottom > band.Top) Window.InvalidateRect(band);
}

void TReportGrid::SetRowSize(int Value) {
    TRgCustomGridControl::SetRowSize(Value);
    cells_->DefaultRowHeight = RowSize();
}

void TReportGrid::ScrollRowInOut(int ARow, int Height, bool Appears) {
    if (Updating()) return;
    int step = Height + LineWidths().RowSpacing;
    if (ARow >= TopRow()) {
        TRect rows = GetRowsRect();
        int top = GetRowTopUpTo(ARow, rows.Bottom) - LineWidths().TopHighlight;
        if (top < rows.Bottom) {
            TRect area{0, std::max(top, rows.Top), Window.ClientSize().cx, rows.Bottom};
            Window.ScrollArea(0, Appears ? step : -step, area);
        }
    }
    UpdateVertScrollBar();
}

int TReportGrid::AddRow(int Count) {
    if (Count < 1) return lastAdded_;
    int oldCount = cells_->RowCount;
    cells_->AddRows(Count);
    ApplyDefaultValues(oldCount, cells_->RowCount);
    if (!Updating()) {
        if (GridLinesStyle() == lsFramed && (Options() & goGrid) && cells_->RowCount > 1 && oldCount > 0)
            RefreshRow(oldCount - 1);
        TRect rows = GetRowsRect();
        int top = oldCount >= TopRow() ? GetRowTopUpTo(oldCount, rows.Bottom) - LineWidths().TopHighlight : rows.Top;
        if (top < rows.Bottom) Window.InvalidateRect(TRect{0, std::max(top, rows.Top), rows.Right, rows.Bottom});
    }
    lastAdded_ = cells_->RowCount - 1;
    lastShownRow_ = cells_->RowCount - 1;
    if (!Updating()) UpdateVertScrollBar();
    Fire(OnDataChange, dcAddRow, lastAdded_);
    return lastAdded_;
}

void TReportGrid::ApplyDefaultValues(int FromRow, int ToRow) {
    if (!(Options() & goUseDefaultValues)) return;
    for (int r = FromRow; r < ToRow; ++r)
        for (int c = 0; c < Columns().Count(); ++c)
            if (!Columns().Item(c)->DefaultValue.empty()) SetCellText(c, r, Columns().Item(c)->DefaultValue);
}

int TReportGrid::AddChildRow(int ARow, bool AsLast) {
    int descendants = cells_->GetDescendantCount(ARow);  // raises for a row that is not there
    CancelEditing();
    int pos = ARow + 1 + (AsLast ? descendants : 0);
    cells_->InsertChildRow(ARow, pos);
    ApplyDefaultValues(pos, pos + 1);
    bool shown = IsRowShown(pos);
    if (topRow_ >= pos) {
        // The rows in view stay where they are.
        ++topRow_;
        if (shown) {
            VertBar.SuppressScroll = true;
            VertBar.SetPosition(VertBar.Position() + 1);
            VertBar.SuppressScroll = false;
        }
    } else if (shown) {
        ScrollRowInOut(pos, RowSize(), true);
    }
    RecomputeShownRange();
    if (currentRow_ >= pos) ++currentRow_;
    if (anchorRow_ >= pos) ++anchorRow_;
    if (!Updating()) {
        if (IsRowShown(ARow) && cells_->GetRow(ARow)->ChildCount == 1) RefreshRow(ARow);
        UpdateVertScrollBar();
    }
    lastAdded_ = pos;
    Fire(OnDataChange, dcAddChildRow, pos);
    return pos;
}

bool TReportGrid::IsRowExpanded(int ARow) const {
    return ARow >= 0 && ARow < cells_->RowCount && cells_->GetRow(ARow)->Expanded;
}

int TReportGrid::GetChildCount(int ARow) const {
    return ARow >= 0 && ARow < cells_->RowCount ? cells_->GetRow(ARow)->ChildCount : 0;
}

void TReportGrid::SetRowExpanded(int ARow, bool Expanded) {
    if (ARow < 0 || ARow >= cells_->RowCount) return;
    TRow* row = cells_->GetRow(ARow);
    if (row->Expanded == Expanded) return;
    row->Expanded = Expanded;
    RefreshRow(ARow);
    int descendants = cells_->GetDescendantCount(ARow);
    if (descendants > 0) {
        CancelEditing();
        // Parents come before their children, so each row's parent already
        // has its final state: a collapsed descendant hides its block.
        for (int r = ARow + 1; r <= ARow + descendants; ++r) {
            TRow* parent = cells_->GetRow(r)->ParentRow;
            cells_->SetRowParentExpanded(r, parent && parent->Expanded && parent->ParentExpanded);
        }
        RowsShownChanged(ARow);
    }
    Fire(OnExpand, ARow);
}

void TReportGrid::RowsShownChanged(int First) {
    int count = cells_->RowCount;
    if (topRow_ < count && !IsRowShown(topRow_)) {
        // The top row went: the next shown row takes its place, or the one
        // before it at the end of the rows.
        int next = topRow_ + 1;
        while (next < count && !IsRowShown(next)) ++next;
        if (next >= count) {
            next = topRow_;
            while (next > 0 && !IsRowShown(next)) --next;
        }
        topRow_ = next;
    }
    if (cells_->ShownRowCount == 0) topRow_ = 0;
    RecomputeShownRange();
    if (!Updating()) UpdateVertScrollBar();  // the range first: the position is kept within it
    int above = ShownRowsBetween(0, topRow_);
    if (VertBar.Position() != above) {
        VertBar.SuppressScroll = true;
        VertBar.SetPosition(above);
        VertBar.SuppressScroll = false;
    }
    if (Updating()) return;
    if (First < topRow_) Invalidate();
    else RepaintArea(gaRows);
}

void TReportGrid::GetRowRelations(int& ARow, int& NextSibling) const {
    NextSibling = -1;
    if (ARow < 0 || ARow >= cells_->RowCount) {
        ARow = -1;
        return;
    }
    if (paintDepth_ > 0) {
        auto known = paintRelations_.find(ARow);
        if (known != paintRelations_.end()) {
            NextSibling = known->second.NextSibling;
            ARow = known->second.Parent;
            return;
        }
    }
    int level = cells_->GetRow(ARow)->Level;
    for (int r = ARow + 1; r < cells_->RowCount; ++r) {
        int l = cells_->GetRow(r)->Level;
        if (l < level) break;
        if (l == level) {
            NextSibling = r;
            break;
        }
    }
    // A parent stands above its children: look there first.
    const TRow* parent = cells_->GetRow(ARow)->ParentRow;
    int parentIndex = -1;
    if (parent) {
        for (int r = ARow - 1; r >= 0 && parentIndex < 0; --r)
            if (cells_->GetRow(r) == parent) parentIndex = r;
        for (int r = ARow + 1; r < cells_->RowCount && parentIndex < 0; ++r)
            if (cells_->GetRow(r) == parent) parentIndex = r;
    }
    if (paintDepth_ > 0) paintRelations_.emplace(ARow, TRowRelations{parentIndex, NextSibling});
    ARow = parentIndex;
}

void TReportGrid::PaintStarted() {
    if (paintDepth_++ == 0) paintRelations_.clear();
}

void TReportGrid::PaintEnded() {
    if (--paintDepth_ == 0) paintRelations_.clear();
}

void TReportGrid::PrepareCellDisplay(int, int ARow, TTreeCellInfo& Info) {
    if (ARow < 0 || ARow >= cells_->RowCount) return;
    const TRow* row = cells_->GetRow(ARow);
    Info.Active = true;
    Info.Row = ARow;
    Info.Level = row->Level;
    Info.ChildCount = row->ChildCount;
    Info.Expanded = row->Expanded;
    Info.FirstShown = ARow == GetFirstShownRow();
    int parent = ARow, next = -1;
    GetRowRelations(parent, next);
    Info.LastSibling = next < 0;
    if (!Info.Relations) Info.Relations = [this](int& r, int& n) { GetRowRelations(r, n); };
}

void TReportGrid::ApplyColumnDefault(int ACol) {
    if (!Columns().IsValidIndex(ACol)) return;
    TRgCustomColumn* column = Columns().Item(ACol);
    const FontSpec& font = column->Font();
    for (int r = 0; r < cells_->RowCount; ++r) {
        TCell* cell = cells_->GetCell(ACol, r);
        cell->Color = column->Color();
        cell->FontStyle = font.Style;
        cell->FontColor = font.Color;
    }
    RefreshColumn(column, 1);
}

void TReportGrid::TogglePlayRow(int ARow) {
    if (ARow >= 0 && ARow < cells_->RowCount) SetRowExpanded(ARow, !IsRowExpanded(ARow));
}

void TReportGrid::AppendRows(int Count) {
    if (Count < 1) return;
    cells_->AddRows(Count);
    lastAdded_ = lastShownRow_ = cells_->RowCount - 1;
    Invalidate();
    if (!Updating()) UpdateVertScrollBar();
}

void TReportGrid::InsertRows(int Pos, int Count) {
    if (Count < 1) return;
    CancelEditing();
    Pos = std::clamp(Pos, 0, cells_->RowCount);
    if (Pos < firstShownRow_) {
        firstShownRow_ = Pos;
        if (VertBar.Position() == 0) topRow_ = Pos;
    }
    bool aboveTop = Pos < topRow_;
    cells_->InsertRows(Pos, Count);
    if (aboveTop) {
        // The rows in view stay where they are.
        topRow_ += Count;
        VertBar.SuppressScroll = true;
        VertBar.SetPosition(VertBar.Position() + Count);
        VertBar.SuppressScroll = false;
    }
    for (int k = 0; k < Count && !aboveTop; ++k)
        ScrollRowInOut(Pos + k, GridStyle() == gsSlides ? SlideSize() : RowSize(), true);
    if (lastShownRow_ < Pos) lastShownRow_ = Pos + Count - 1;
    else lastShownRow_ += Count;
    lastAdded_ = Pos;
    // The current row keeps its row: it moves only when the rows went in at
    // or above it, and no row becomes current when none was.
    if (currentRow_ >= 0 && Pos <= currentRow_) currentRow_ += Count;
    if (anchorRow_ >= 0 && Pos <= anchorRow_) anchorRow_ += Count;
    UpdateVertScrollBar();
    Fire(OnDataChange, dcInsertRow, Pos);
}

void TReportGrid::DeleteRow(int ARow) {
    if (ARow < 0 || ARow >= cells_->RowCount) return;
    CancelEditing();
    // A row's subtree goes first, deepest last to first.
    for (int d = cells_->GetDescendantCount(ARow); d > 0; --d) DeleteRow(ARow + d);
    TRow* gone = cells_->GetRow(ARow);
    gone->ChildCount = 0;
    // The parent loses a child (its expand button goes with the last one).
    if (TRow* parent = gone->ParentRow) --parent->ChildCount;
    int height = GridStyle() == gsSlides ? SlideSize() : GetRowHeight(ARow);
    bool wasShown = IsRowShown(ARow);
    bool wasCurrent = ARow == currentRow_;
    int deselectedCol = currentCol_;
    cells_->DeleteRow(ARow);
    int count = cells_->RowCount;
    if (wasShown) {
        if (ARow < firstShownRow_) RecomputeShownRange();
        if (ARow < lastShownRow_) --lastShownRow_;
        else {
            lastShownRow_ = std::min(lastShownRow_, count - 1);
            while (lastShownRow_ > 0 && !IsRowShown(lastShownRow_)) --lastShownRow_;
        }
        if (ARow < topRow_ && topRow_ > 0) {
            --topRow_;
            VertBar.SuppressScroll = true;
            VertBar.SetPosition(std::max(VertBar.Position() - 1, 0));
            VertBar.SuppressScroll = false;
        }
    }
    if (count == 0) firstShownRow_ = lastShownRow_ = topRow_ = 0;
    if (topRow_ >= count) topRow_ = std::max(count - 1, 0);
    // The current row and the anchor stay on their rows.
    if (currentRow_ > ARow) --currentRow_;
    if (anchorRow_ > ARow) --anchorRow_;
    else if (anchorRow_ == ARow) anchorRow_ = -1;
    if (wasShown) ScrollRowInOut(ARow, height, false);
    if (currentRow_ >= 0 && (currentRow_ > lastShownRow_ || count == 0 || (wasCurrent && currentRow_ >= count))) {
        Fire(OnDeselectCell, deselectedCol, currentRow_);
        currentRow_ = count == 0 ? -1 : lastShownRow_;
    }
    if (!Updating()) {
        if (Options() & goSelectFullRow) RepaintArea(gaRows);
        else RefreshCell(currentCol_, currentRow_);
        UpdateVertScrollBar();
    }
    Fire(OnDataChange, dcDeleteRow, ARow);
    lastAdded_ = std::min(lastAdded_, count - 1);
}

void TReportGrid::ClearRows() {
    TRgCustomGrid::ClearRows();
    cells_->ClearRows();
    topRow_ = firstShownRow_ = lastShownRow_ = 0;
    lastAdded_ = -1;
    VertBar.SuppressScroll = true;
    VertBar.SetPosition(0);
    VertBar.SuppressScroll = false;
    RepaintArea(gaRows);
    RepaintArea(gaFooter);
    RepaintArea(gaIndicator);
    if (!Updating()) {
        UpdateVertScrollBar();
        UpdateHorzScrollBar();
    }
    Fire(OnDataChange, dcClearRows, -1);
}

void TReportGrid::MoveRow(int FromPos, int ToPos) {
    Invalidate();
    CancelEditing();
    if (FromPos == ToPos) return;
    // The current row and the selection anchor follow their rows.
    auto rowAt = [this](int index) { return index >= 0 && index < cells_->RowCount ? cells_->GetRow(index) : nullptr; };
    TRow* current = rowAt(currentRow_);
    TRow* anchor = rowAt(anchorRow_);
    cells_->MoveRow(FromPos, ToPos);
    if (current) currentRow_ = cells_->IndexOfRow(current);
    if (anchor) anchorRow_ = cells_->IndexOfRow(anchor);
    RecomputeShownRange();
}

void TReportGrid::SwapRows(int Row1, int Row2) {
    CancelEditing();
    cells_->SwapRows(Row1, Row2);
    // The selection anchor follows its row.
    if (anchorRow_ == Row1) anchorRow_ = Row2;
    else if (anchorRow_ == Row2) anchorRow_ = Row1;
    RefreshRow(Row1);
    RefreshRow(Row2);
}

void TReportGrid::SetRowHeight(int ARow, int Height) {
    if (ARow < 0 || ARow >= cells_->RowCount) return;
    Height = std::max(Height, 0);
    TRow* row = cells_->GetRow(ARow);
    if (row->Height == Height) return;
    int old = row->Height;
    row->Height = Height;
    Fire(OnChangeRowHeight, ARow, Height);
    if (row->Shown() && !Updating() && ARow >= TopRow()) {
        RefreshRow(ARow);
        TRect rows = GetRowsRect();
        int below = GetRowTopUpTo(ARow, rows.Bottom) + std::min(old, Height) + LineWidths().BottomLine;
        if (below < rows.Bottom)
            Window.ScrollArea(0, Height - old, TRect{0, below, Window.ClientSize().cx, rows.Bottom});
        UpdateVertScrollBar();
    }
}

void TReportGrid::SetRowShown(int ARow, bool Shown) {
    if (ARow < 0 || ARow >= cells_->RowCount || cells_->GetRow(ARow)->Visible == Shown) return;
    int height = GridStyle() == gsSlides ? SlideSize() : GetRowHeight(ARow);
    if (!Shown && ARow == topRow_) {
        int next = ARow + 1;
        while (next < cells_->RowCount && !IsRowShown(next)) ++next;
        cells_->SetRowVisible(ARow, Shown);
        if (next < cells_->RowCount) topRow_ = next;
        else topRow_ = 0;
        Invalidate();
    } else {
        cells_->SetRowVisible(ARow, Shown);
        if (ARow < topRow_) {
            VertBar.SuppressScroll = true;
            VertBar.SetPosition(std::max(VertBar.Position() + (Shown ? 1 : -1), 0));
            VertBar.SuppressScroll = false;
        } else {
            ScrollRowInOut(ARow, height, Shown);
        }
    }
    if (cells_->ShownRowCount == 0) topRow_ = 0;
    TRgCustomGridControl::SetRowShown(ARow, Shown);
    UpdateVertScrollBar();
}

void TReportGrid::SetStartRowCount(int Value) {
    if (Value == startRowCount_ || Value < 0) return;
    if (Value > startRowCount_) {
        AddRow(Value - startRowCount_);
    } else {
        int remove = startRowCount_ < cells_->RowCount ? startRowCount_ - Value
                                                       : std::max(cells_->RowCount - Value, 0);
        for (int k = 0; k < remove && cells_->RowCount > 0; ++k) DeleteRow(0);
    }
    startRowCount_ = Value;
    Invalidate();
}

// --- cells

void TReportGrid::CheckCell(int ACol, int ARow) const {
    if (ARow < 0 || ARow > cells_->RowCount - 1 || ACol < 0 || ACol > Columns().Count() - 1)
        throw Exception(Format("Cell out of bounds (%d, %d)", ACol, ARow));
}

TCell* TReportGrid::Cell(int ACol, int ARow) {
    CheckCell(ACol, ARow);
    return cells_->GetCell(ACol, ARow);
}

void TReportGrid::SetCellText(int ACol, int ARow, const std::u16string& Value) {
    CheckCell(ACol, ARow);
    cells_->GetCell(ACol, ARow)->SetAsString(Value);
}

void TReportGrid::SetEditedCellText(const std::u16string& Text) { SetCellText(EditedCol(), EditedRow(), Text); }

void TReportGrid::AddInputRow() {
    bool accept = true;
    Fire(OnInputAccept, accept);
    if (!accept) return;
    int row = AddRow(1);
    for (int c = 0; c < Columns().Count(); ++c) {
        TRgCustomColumn* column = Columns().Item(c);
        const std::u16string& text = column->InputValue.empty() ? column->DefaultValue : column->InputValue;
        if (!text.empty()) SetCellText(c, row, text);
        column->SetInputValue(std::u16string());
    }
    Fire(OnInputAdded);
}

std::u16string TReportGrid::GetCellText(int ACol, int ARow) const {
    CheckCell(ACol, ARow);
    return cells_->GetCell(ACol, ARow)->AsString();
}

void TReportGrid::GetCellInfo(int ACol, int ARow, TVirtualColElement& Element) {
    Element.Col = ACol;
    Element.Row = ARow;
    Element.Value = 0;
    Element.Text.clear();
    if (ARow < 0 || ARow >= cells_->RowCount || !Columns().IsValidIndex(ACol)) return;
    TRgCustomColumn* column = Columns().Item(ACol);
    TCell* cell = cells_->GetCell(ACol, ARow);
    switch (column->ColumnKind) {
        case 0: Element.Value = ARow; break;
        case 1: Element.Value = cell->AsBoolean() ? 1 : 0; break;
        case 5:
        case 7: Element.Value = cell->AsInteger(); break;
        default: break;
    }
    Element.Text = column->GetDrawText(*cell);
}

std::u16string TReportGrid::GetDrawText(int ACol, int ARow) {
    CheckCell(ACol, ARow);
    return Columns().Item(ACol)->GetDrawText(*cells_->GetCell(ACol, ARow));
}

TColor TReportGrid::GetCellColor(int ACol, int ARow) const {
    if (!Columns().IsValidIndex(ACol)) return Color();
    TRgCustomColumn* column = Columns().Item(ACol);
    if (column->ParentCellColor || ARow < 0 || ARow >= cells_->RowCount) return column->Color();
    return cells_->GetCell(ACol, ARow)->Color;
}

bool TReportGrid::IsCellHidden(int ACol, int ARow) const { return TRgCustomGridControl::IsCellHidden(ACol, ARow); }

bool TReportGrid::ApplyCellFont(ICanvas& Canvas, int ACol, int ARow, TCellState CellState) {
    TRgCustomGridControl::ApplyCellFont(Canvas, ACol, ARow, CellState);
    if (ARow < 0 || ARow >= cells_->RowCount) return true;
    TCell* cell = cells_->GetCell(ACol, ARow);
    std::uint8_t style = cell->FontStyle;
    TColor text = (CellState & csSelected) ? Canvas.TextColor() : cell->FontColor;
    if (!Window.Enabled()) text = clGrayText;
    if (CellState & csBoldTextSelection) style |= fsBold;
    if (OnCellFormating) OnCellFormating(this, ACol, ARow, text, style, CellState);
    const FontSpec& font = Columns().Item(ACol)->Font();
    Canvas.SetFont(font.Name, font.Height, style);
    Canvas.SetTextColor(text);
    return true;
}

void TReportGrid::ColumnListChanged(int Kind, int Index, int Index2) {
    TRgCustomGrid::ColumnListChanged(Kind, Index, Index2);
    if (cells_) cells_->ColumnListChanged(Kind, Index, Index2);
}

void TReportGrid::SortColumn(TRgCustomColumn* Column, bool Ascending) {
    TRgCustomGridControl::SortColumn(Column, Ascending);
    if (!Column || !(Column->Options() & coCanSort)) return;
    TRow* current = currentRow_ >= 0 && currentRow_ < cells_->RowCount ? cells_->GetRow(currentRow_) : nullptr;
    cells_->SortRows(Columns().IndexOf(Column), Column->SortType, !Ascending, (Column->Options() & coFullResort) != 0);
    if (current) {
        currentRow_ = cells_->IndexOfRow(current);
        anchorRow_ = currentRow_;
        ScrollToRow(currentRow_);
    }
    topRow_ = StepShownRows(0, VertBar.Position(), nullptr);
    while (topRow_ < cells_->RowCount && !IsRowShown(topRow_)) ++topRow_;
    if (topRow_ >= cells_->RowCount) topRow_ = 0;
    RecomputeShownRange();
    RepaintArea(gaRows);
    RepaintArea(gaIndicator);
    Fire(OnAfterSort, Columns().IndexOf(Column));
}

void TReportGrid::CalculateFooter(bool VisibleOnly) {
    for (int c = 0; c < Columns().Count(); ++c) {
        TRgCustomColumn* column = Columns().Item(c);
        TFormulaKind kind = column->Footer.FormulaKind();
        if (kind == fkNone) continue;
        double value = 0;
        int total = 0;
        bool seeded = false;
        std::set<std::u16string> distinct;
        // Only rows that count (shown when asked, accepted by OnCalculateRow)
        // take part, also in the seed of the maximum and minimum.
        for (int r = 0; r < cells_->RowCount; ++r) {
            if (VisibleOnly && !IsRowShown(r)) continue;
            bool accept = true;
            Fire(OnCalculateRow, r, accept);
            if (!accept) continue;
            ++total;
            TCell* cell = cells_->GetCell(c, r);
            switch (kind) {
                case fkAverage:
                case fkSum: value += cell->AsFloat(); break;
                case fkDistinct: distinct.insert(cell->AsString()); break;
                case fkMaximum:
                    value = seeded ? std::max(value, cell->AsFloat()) : cell->AsFloat();
                    seeded = true;
                    break;
                case fkMinimum:
                    value = seeded ? std::min(value, cell->AsFloat()) : cell->AsFloat();
                    seeded = true;
                    break;
                default: break;
            }
        }
        if (kind == fkAverage) value = total > 0 ? value / total : 0;
        else if (kind == fkCount) value = total;
        else if (kind == fkDistinct) value = static_cast<double>(distinct.size());
        else if (kind == fkCustom) Fire(OnColumnFooterValue, c, value);
        Fire(OnFooterCalculate, c, value);
        column->Footer.FormulaValue = value;
        TFormatSettings fallback;
        column->Footer.SetCaption(FloatToText(value, FormatSettings ? *FormatSettings : fallback));
    }
    RepaintArea(gaFooter);
}

void TReportGrid::AcceptPlayValue(TColumnPlay* Play) {
    int col = Play->Col, row = Play->Row;
    if (!Columns().IsValidIndex(col) || row < 0 || row >= cells_->RowCount) return;
    bool accept = true;
    Fire(OnEditAccept, col, row, Play->Text, accept);
    if (!accept) return;
    TCell* cell = cells_->GetCell(col, row);
    if (Columns().Item(col)->ColumnKind == 1) cell->SetAsBoolean(Play->Value != 0);
    else cell->SetAsInteger(Play->Value);
    Fire(OnAfterEdit, col, row, cell->AsString());
}

// --- delimited text

void TReportGrid::LoadFromTextFile(const std::string& FileName, char16_t Separator, int SkipLines,
                                   char16_t LineBreakChar) {
    ClearRows();
    TMemoryStream source(ReadFileBytes(FileName));
    LoadFromStream(source, Separator, SkipLines, LineBreakChar);
}

void TReportGrid::LoadFromStream(TStream& Source, char16_t Separator, int SkipLines, char16_t LineBreakChar) {
    // One repaint and one scroll-bar update for the whole load, also when it
    // ends early.
    TUpdateScope update(*this);
    TGridSink sink(*this);
    ParseDelimitedText(Source, Separator, SkipLines, LineBreakChar, sink);
}

std::string TReportGrid::GetDelimitedText(char Separator) const {
    std::string out(1, Separator);
    int rows = cells_->RowCount, cols = Columns().Count();
    if (rows == 0 || cols == 0) return out;
    const ITextServices& text = cells_->TextServices();
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            std::string field = text.ToAnsi(cells_->GetCell(c, r)->AsString());
            for (size_t k = 0; k < field.size(); ++k) {
                if (field[k] == '\r' && k + 1 < field.size() && field[k + 1] == '\n') {
                    out += "%\r\n";
                    ++k;
                } else {
                    out.push_back(field[k]);
                }
            }
            if (c < cols - 1) out.push_back(Separator);
            else if (r < rows - 1) {
                out.push_back(Separator);
                out += "\r\n";
            }
        }
    }
    return out;
}

}  // namespace ad::grid
