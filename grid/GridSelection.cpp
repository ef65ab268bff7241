// The grid's current cell, row selection and navigation.
#include <algorithm>

#include "grid/GridControl.h"

namespace ad::grid {

void TRgCustomGridControl::SelectCell(int ACol, int ARow, bool Edit, bool ClearMulti, unsigned Shift) {
    bool accept = CanSelectCell(ACol, ARow);
    Fire(OnBeforeSelect, ACol, ARow, accept);
    if (!accept) return;
    bool ctrl = (Shift & gsCtrl) != 0, shift = (Shift & gsShift) != 0;
    if (multiSelecting_ && ClearMulti && !ctrl && !shift) ClearMultiSelection();
    if (!columns_->IsValidIndex(ACol) || !columns_->Item(ACol)->Enabled) return;
    int oldCol = currentCol_, oldRow = currentRow_;
    currentCol_ = ACol;
    currentRow_ = ARow;
    bool changed = oldCol != ACol || oldRow != ARow;
    if (changed) {
        if (columns_->IsValidIndex(oldCol) && oldRow >= 0 && oldRow < RowCount()) Fire(OnDeselectCell, oldCol, oldRow);
        if (editedCol_ >= 0) EndEditing();
    }
    if (AutoScroll && ARow >= 0 && ARow < RowCount()) ScrollToRow(ARow);
    if (inputRowActive_) {
        if (oldCol != ACol) {
            Fire(OnInputSelectCell, ACol);
            if (columns_->IsValidIndex(oldCol)) RefreshColumn(columns_->Item(oldCol), 5);
            RefreshColumn(columns_->Item(ACol), 5);
        }
        return;
    }
    int count = RowCount();
    if (count == 0) return;
    bool validRow = ARow >= 0 && ARow < count;
    if ((options_ & goSelectFullRow) && MultiSelectPossible() && (ctrl || shift)) {
        multiSelecting_ = true;
        if (ctrl && !shift) {
            anchorRow_ = ARow;
            if (validRow) SetRowSelected(ARow, !IsRowSelected(ARow));
            if (oldRow != ARow) RefreshRow(oldRow);
            Fire(OnSelectCell, ACol, ARow);
            return;
        }
        // A range from the anchor; without Ctrl the rows outside it lose their selection.
        int anchor = anchorRow_;
        if (anchor >= 0 && anchor < count && validRow) {
            int lo = std::min(anchor, ARow), hi = std::max(anchor, ARow);
            if (!ctrl) {
                if (lo > 0) SetRowsSelected(0, lo - 1, false);
                if (hi < count - 1) SetRowsSelected(hi + 1, count - 1, false);
            }
            SetRowsSelected(lo, hi, true);
        } else if (!ctrl && validRow && ARow < count - 1) {
            SetRowsSelected(ARow + 1, count - 1, false);
        }
        RefreshRow(ARow);
        RefreshRow(oldRow);
        Fire(OnSelectCell, ACol, ARow);
        return;
    }
    if (options_ & goSelectFullRow) {
        if (oldRow == ARow) {
            if ((appearanceOptions_ & aoIndicateSelectedCell) && oldCol != ACol) {
                RefreshCell(ACol, ARow);
                RefreshCell(oldCol, oldRow);
            }
        } else {
            if (!multiSelecting_ && oldRow >= 0 && oldRow < count) SetRowSelected(oldRow, false);
        }
        if (validRow) SetRowSelected(ARow, true);
        anchorRow_ = ARow;
        if (!Updating()) {
            RefreshRow(ARow);
            RefreshRow(oldRow);
        }
        Fire(OnSelectCell, ACol, ARow);
    } else {
        if (changed) {
            if (oldRow != ARow && (options_ & goIndicator) && !Updating()) {
                RefreshRow(ARow);
                RefreshRow(oldRow);
            }
            RefreshCell(ACol, ARow);
            RefreshCell(oldCol, oldRow);
        }
        anchorRow_ = ARow;
        Fire(OnSelectCell, ACol, ARow);
    }
    if (Edit && validRow) EditCell(ACol, ARow, std::u16string());
}

void TRgCustomGridControl::SetSelectedRow(int ARow) {
    if (RowCount() <= 0 || ARow < -1 || ARow > RowCount() - 1) return;
    LeaveInputRow();
    SelectCell(currentCol_, ARow, false, true, 0);
}

void TRgCustomGridControl::SelectColumn(int ACol) {
    if (columns_->IsValidIndex(ACol)) SelectCell(ACol, currentRow_, false, true, 0);
}

void TRgCustomGridControl::SelectFirstRow(unsigned Shift) {
    LeaveInputRow();
    SelectCell(currentCol_, GetFirstShownRow(), false, true, Shift);
    VertBar.SetPosition(0);
}

void TRgCustomGridControl::SelectLastRow(unsigned Shift) {
    LeaveInputRow();
    SelectCell(currentCol_, GetLastShownRow(), false, true, Shift);
    VertBar.Last();
}

namespace {
bool AutoEditOf(const TRgColumns& columns, int col) { return columns.IsValidIndex(col) && columns.Item(col)->AutoEdit; }
}  // namespace

void TRgCustomGridControl::SelectNextRow(unsigned Shift, bool LeaveAtEnd, bool WrapToFirst) {
    int count = RowCount();
    if (count == 0) return;
    int from = currentRow_;
    if (inputRowActive_) {
        LeaveInputRow();
        from = currentRow_ < 0 ? -1 : currentRow_ - 1;
    } else {
        if (currentRow_ < 0) return;
        if (currentRow_ >= GetLastShownRow()) {
            if (LeaveAtEnd) Window.FocusNextControl(true);
            if (WrapToFirst) SelectFirstRow();
            return;
        }
    }
    for (int r = from + 1; r < count; ++r) {
        if (!IsRowShown(r) || !CanSelectCell(currentCol_, r)) continue;
        SelectCell(currentCol_, r, AutoEditOf(*columns_, currentCol_), true, Shift);
        if (r >= LastFullyVisibleRow()) ScrollToRow(r);
        return;
    }
}

void TRgCustomGridControl::SelectPreviousRow(unsigned Shift) {
    if (currentRow_ < 0 || inputRowActive_ || RowCount() == 0) return;
    if (currentRow_ == GetFirstShownRow() && (options_ & goInput) && gridStyle_ == gsReport) {
        inputRowActive_ = true;
        Invalidate();
        return;
    }
    for (int r = currentRow_ - 1; r >= 0; --r) {
        if (!IsRowShown(r) || !CanSelectCell(currentCol_, r)) continue;
        SelectCell(currentCol_, r, AutoEditOf(*columns_, currentCol_), true, Shift);
        if (r < topRow_) ScrollVertBy(-ShownRowsBetween(r, topRow_));
        return;
    }
}

void TRgCustomGridControl::MoveSelection(int Delta) {
    if (RowCount() == 0) return;
    int r = currentRow_ < 0 ? GetFirstShownRow() : currentRow_;
    int step = Delta > 0 ? 1 : -1;
    for (int left = std::abs(Delta); left > 0;) {
        int next = r + step;
        while (next >= 0 && next < RowCount() && !IsRowShown(next)) next += step;
        if (next < GetFirstShownRow() || next > GetLastShownRow() || next < 0 || next >= RowCount()) break;
        r = next;
        --left;
    }
    SetSelectedRow(r);
}

void TRgCustomGridControl::SelectNextColumn(TMoveSelectionKey Key) { MoveToColumn(true, Key); }

void TRgCustomGridControl::SelectPreviousColumn(TMoveSelectionKey Key) { MoveToColumn(false, Key); }

void TRgCustomGridControl::MoveToColumn(bool Forward, TMoveSelectionKey Key) {
    if (!columns_->IsValidIndex(currentCol_)) return;
    TRgCustomColumn* current = columns_->Item(currentCol_);
    int col = columns_->IndexOf(Forward ? current->NextVisible() : current->PriorVisible());
    Fire(OnSelectionMove, col, currentRow_, Key);
    SelectCell(col, currentRow_, AutoEditOf(*columns_, col), true, 0);
    if (gridStyle_ == gsReport && columns_->IsValidIndex(col)) ScrollToColumn(columns_->Item(col));
}

void TRgCustomGridControl::TabForward(bool ByTab) {
    TMoveSelectionKey key = ByTab ? mkTab : mkUndefined;
    TRgCustomColumn* last = columns_->LastVisible();
    if (!last) return;
    if (columns_->IndexOf(last) != currentCol_) {
        SelectNextColumn(key);
        return;
    }
    if (!inputRowActive_) {
        SelectNextRow(0, ByTab && TabLeaveControl, ByTab);
        int col = columns_->IndexOf(columns_->FirstVisible());
        Fire(OnSelectionMove, col, currentRow_, key);
        SelectColumn(col);
    } else if (TabLeaveControl) {
        Window.FocusNextControl(true);
    }
}

void TRgCustomGridControl::TabBackward(bool ByTab) {
    TMoveSelectionKey key = ByTab ? mkTab : mkUndefined;
    TRgCustomColumn* first = columns_->FirstVisible();
    if (!first) return;
    if (columns_->IndexOf(first) != currentCol_) {
        SelectPreviousColumn(key);
        return;
    }
    if (!inputRowActive_ && currentRow_ > GetFirstShownRow()) {
        SelectPreviousRow(0);
        int col = columns_->IndexOf(columns_->LastVisible());
        Fire(OnSelectionMove, col, currentRow_, key);
        SelectColumn(col);
    } else if (TabLeaveControl) {
        Window.FocusNextControl(false);
    }
}

void TRgCustomGridControl::SelectFirstColumn() {
    TRgCustomColumn* c = columns_->FirstVisible();
    if (!c) return;
    SelectCell(columns_->IndexOf(c), currentRow_, false, true, 0);
    ScrollToColumn(c);
}

void TRgCustomGridControl::SelectLastColumn() {
    TRgCustomColumn* c = columns_->LastVisible();
    if (!c) return;
    SelectCell(columns_->IndexOf(c), currentRow_, false, true, 0);
    ScrollToColumn(c);
}

void TRgCustomGridControl::SelectAll() {
    if (!MultiSelectPossible()) return;
    BeginUpdate();
    if (RowCount() > 0) SetRowsSelected(0, RowCount() - 1, true);
    multiSelecting_ = true;
    EndUpdate(true);
}

void TRgCustomGridControl::ClearMultiSelection() {
    BeginUpdate();
    DeselectAll();
    multiSelecting_ = false;
    currentRow_ = -1;
    currentCol_ = 0;
    EndUpdate(true);
}

void TRgCustomGridControl::DeselectAll() {
    for (int r = 0; r < RowCount(); ++r)
        if (IsRowSelected(r)) SetRowSelected(r, false);
}

void TRgCustomGridControl::ScrollToRow(int ARow) {
    if (ARow < 0 || ARow >= RowCount()) return;
    if (ARow < topRow_) {
        int n = ShownRowsBetween(ARow, topRow_);
        ScrollVertBy(-n);
        return;
    }
    int last = LastFullyVisibleRow();
    if (ARow <= last) return;
    // Down until the row's bottom fits the rows area.
    TRect rows = GetRowsRect();
    int spacing = lines_.RowSpacing;
    auto height = [&](int r) { return (gridStyle_ == gsSlides ? slideSize_ : GetRowHeight(r)) + spacing; };
    int needed = 0;
    for (int r = topRow_; r <= ARow; ++r)
        if (IsRowShown(r)) needed += height(r);
    int room = rows.Height(), n = 0, r = topRow_;
    while (needed > room && r < ARow) {
        if (IsRowShown(r)) {
            needed -= height(r);
            ++n;
        }
        ++r;
    }
    ScrollVertBy(n);
}

void TRgCustomGridControl::ScrollToColumn(TRgCustomColumn* Column) {
    if (!Column || Column->IsFixed() || !Column->Visible()) return;
    int fixedRight = IndicatorSize() + columns_->FixedWidth();
    int left = Column->ClientLeft(), right = left + Column->Width();
    int rowsRight = Window.ClientSize().cx;
    if (left < fixedRight) HorzBar.SetPosition(HorzBar.Position() - (fixedRight - left));
    else if (right > rowsRight) HorzBar.SetPosition(HorzBar.Position() + std::min(right - rowsRight, left - fixedRight));
}

}  // namespace ad::grid
