// Header, mouse and keyboard interaction, and the column searches.
#include "grid/CustomGrid.h"

#include <algorithm>
#include <cstdlib>

namespace ad::grid {

namespace {
char16_t Fold(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<char16_t>(c + 32);
    return c;
}
}  // namespace

int FoldCompare(std::u16string_view a, std::u16string_view b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t k = 0; k < n; ++k) {
        char16_t x = Fold(a[k]), y = Fold(b[k]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

TRgCustomGrid::TRgCustomGrid(IGridWindow& window, TRgCustomScrollBar& horzBar, TRgCustomScrollBar& vertBar)
    : TRgCustomGridControl(window, horzBar, vertBar), CompareTextCI(FoldCompare) {
    SetColor(clWindow);
    HorzBar.LargeChange = 10;
    HorzBar.SmallChange = 5;
    VertBar.LargeChange = 10;
}

TRgCustomGrid::~TRgCustomGrid() = default;

// --- hit tests

TGridBand TRgCustomGrid::BandAt(int X, int Y) const {
    auto in = [X, Y](const TRect& r) { return Contains(r, {X, Y}); };
    if (GridStyle() == gsSlides) return (Options() & goHeader) && in(GetHeaderRect()) ? gbHeader : gbCells;
    if ((Options() & goHeader) && in(GetHeaderRect())) return gbHeader;
    if ((Options() & goInput) && in(GetInputRect())) return gbInput;
    if (in(GetRowsRect())) return gbCells;
    if ((Options() & goFooter) && in(GetFooterRect())) return gbFooter;
    if ((Options() & goIndicator) && in(GetIndicatorRect())) return gbIndicator;
    return gbNone;
}

int TRgCustomGrid::ColumnAt(int X) const {
    const TRgColumns& columns = Columns();
    for (int k = 0; k < columns.Count(); ++k) {
        TRgCustomColumn* c = columns.Positions(k);
        if (!c->Visible()) continue;
        int left = c->ClientLeft();
        if (X >= left && X <= left + c->Width()) return columns.IndexOf(c);
    }
    return -1;
}

bool TRgCustomGrid::CellAt(int X, int Y, int& ACol, int& ARow) const {
    ACol = ColumnAt(X);
    ARow = -1;
    TRect rows = GetRowsRect();
    if (X < 0 || X >= rows.Right || Y < rows.Top || Y >= rows.Bottom) return false;
    int y = rows.Top, count = RowCount();
    for (int r = TopRow(); r < count && y <= Y; ++r) {
        if (!IsRowShown(r)) continue;
        int band = GetRowStep(r) + LineWidths().RowSpacing;
        if (Y >= y && Y < y + band) {
            ARow = r;
            break;
        }
        y += band;
    }
    if (GridStyle() == gsSlides && ARow >= 0) {
        // The column whose slide bounds hold the point, relative to its slide.
        ACol = -1;
        int top = GetRowTop(ARow);
        for (int k = 0; k < Columns().Count() && ACol < 0; ++k) {
            TRgCustomColumn* c = Columns().Positions(k);
            TRect r = GetSlideCellRect(*c, top);
            if (c->Visible() && Contains(r, {X, Y})) ACol = Columns().IndexOf(c);
        }
    }
    return ACol >= 0 && ARow >= 0;
}

int TRgCustomGrid::ResizeHandleAt(int X) const {
    const TRgColumns& columns = Columns();
    int fixedRight = IndicatorSize() + columns.FixedWidth();
    for (int k = 0; k < columns.Count(); ++k) {
        TRgCustomColumn* c = columns.Positions(k);
        if (!c->Visible() || (c->Options() & coFixedSize)) continue;
        int e = c->ClientLeft() + c->Width();
        if (!c->IsFixed() && e < fixedRight) continue;
        if (e - 3 <= X && X <= e + 2) return columns.IndexOf(c);
    }
    return -1;
}

int TRgCustomGrid::DropTarget(TRgCustomColumn* Dragged, int X) const {
    const TRgColumns& columns = Columns();
    int own = Dragged->Position();
    TRgCustomColumn* before = nullptr;
    for (int k = 0; k < columns.Count(); ++k) {
        TRgCustomColumn* c = columns.Positions(k);
        if (!c->Visible() && c != Dragged) continue;
        int left = c->ClientLeft(), right = left + c->Width();
        if (X >= left && X <= right) {
            if (c == Dragged) return own;
            int target;
            if (X > right - c->Width() / 2) target = c->Position() + (own >= c->Position() ? 1 : 0);
            else target = c->Position() >= own && before ? before->Position() : c->Position();
            if (target >= columns.FixedCount() && left < IndicatorSize() + columns.FixedWidth()) return own;
            return std::min(target, columns.Count() - 1);
        }
        before = c;
    }
    return own;
}

bool TRgCustomGrid::DropAllowed(TRgCustomColumn* Dragged, int Target) const {
    if (!(Options() & goLockFixedCols)) return true;
    int fixed = Columns().FixedCount();
    return Target >= fixed && Dragged->Position() >= fixed;
}

int TRgCustomGrid::RowBorderAt(int X, int Y) const {
    if (!(Options() & goRowResizing) || X > IndicatorWidth) return -1;
    TRect rows = GetRowsRect();
    for (int r = TopRow(); r < RowCount(); ++r) {
        if (!IsRowShown(r)) continue;
        int top = GetRowTop(r);
        if (top >= rows.Bottom) break;
        int border = top + GetRowHeight(r);
        if (Y >= border - 2 && Y <= border) return r;
    }
    return -1;
}

// --- mouse

TColumnPlay* TRgCustomGrid::PlayOf(TRgCustomColumn* Column) {
    for (auto& entry : plays_)
        if (entry.first == Column) return entry.second.get();
    auto play = MakeColumnPlay(Column);
    if (!play) return nullptr;
    plays_.emplace_back(Column, std::move(play));
    return plays_.back().second.get();
}

bool TRgCustomGrid::PrepareColumnPlay(int Column, int Row, bool AskBeforeEdit, const TRect& CellRect) {
    if (AskBeforeEdit) {
        bool accept = true;
        Fire(OnBeforeEdit, Column, Row, accept);
        if (!accept) return false;
    }
    TRgCustomColumn* column = ColumnPtr(Column);
    TColumnPlay* play = column ? PlayOf(column) : nullptr;
    if (!play) return false;
    play->Col = Column;
    play->Row = Row;
    play->CellRect = CellRect;
    GetCellInfo(Column, Row, *play);
    play->OnChanged = [this](TColumnPlay* p) { AcceptPlayValue(p); };
    return true;
}

void TRgCustomGrid::FitColumnToCells(int Column) {
    TRgCustomColumn* column = ColumnPtr(Column);
    if (!column || !(column->GetColumnFeatures() & 8)) return;
    int width = -1;
    Window.MeasureWith([&](ICanvas& canvas) { width = BestFitWidth(column, canvas, false); });
    if (width >= 0) column->SetWidth(width);
}

void TRgCustomGrid::MouseDown(TGridMouseButton Button, unsigned Shift, int X, int Y, bool DoubleClick) {
    if (Columns().Count() == 0 || Button == gmbMiddle) return;
    pressPoint_ = TPoint{X, Y};
    TGridBand band = BandAt(X, Y);
    if (band == gbHeader) {
        if (Button != gmbLeft) return;
        int handle = ResizeHandleAt(X);
        if (DoubleClick) {
            if (handle >= 0) {
                FitColumnToCells(handle);
                return;
            }
            Fire(OnHeaderDblClick, ColumnAt(X));
            return;
        }
        if (handle >= 0) {
            resizeColumn_ = handle;
            resizeDelta_ = 0;
            TRgCustomColumn* c = Columns().Item(handle);
            resizeLine_ = c->ClientLeft() + c->Width() - 1;
            Window.InvertVertLine(resizeLine_);
            Window.SetMouseCapture(true);
            return;
        }
        int col = ColumnAt(X);
        moveCandidate_ = col;
        if (col >= 0 && (Columns().Item(col)->Options() & coCanClick)) {
            pressedColumn_ = col;
            Display().PressedColumn = col;
            RefreshColumn(Columns().Item(col), 3);
            Window.SetMouseCapture(true);
        } else {
            moveCandidate_ = -1;
        }
        return;
    }
    if (band != gbCells && band != gbIndicator) return;
    if (band == gbIndicator && Button == gmbLeft && DoubleClick) {
        int border = RowBorderAt(X, Y);
        if (border >= 0) {
            AutoSizeRow(border);
            return;
        }
    }
    if (band == gbIndicator && Button == gmbLeft && !DoubleClick) {
        int border = RowBorderAt(X, Y);
        if (border >= 0) {
            resizeRow_ = border;
            resizeRowLine_ = GetRowTop(border) + GetRowHeight(border);
            Window.InvertHorzLine(resizeRowLine_);
            Window.SetMouseCapture(true);
            return;
        }
    }
    if (IsEditing()) {
        // An open edit is taken first; a typed input row becomes a row.
        bool input = EditingInput();
        AcceptEdit();
        if (input) AddInputRow();
    }
    EndEditing();
    int col = -1, row = -1;
    if (band == gbIndicator) {
        TRect rows = GetRowsRect();
        CellAt(std::max(rows.Left, 0), Y, col, row);
        col = CurrentCol();
    } else {
        CellAt(X, Y, col, row);
    }
    if (row < 0) return;
    if (DoubleClick) {
        if (col >= 0) Fire(OnCellDblClick, col, row);
        return;
    }
    if (col < 0) return;
    unsigned shift = MultiSelectPossible() ? (Shift & (gsCtrl | gsShift)) : 0;
    SelectCell(col, row, false, true, shift);
    if (CurrentRow() == row && row > LastFullyVisibleRow()) ScrollToRow(row);
    Fire(OnCellClick, col, row);
    if (Button == gmbLeft && band == gbCells && (Options() & goRowMoving)) rowMoveFrom_ = row;
    TRgCustomColumn* column = Columns().Item(col);
    TRect cell;
    GetCellRect(col, row, cell);
    if (Button == gmbLeft && column->TreeColumn) {
        TTreeCellInfo tree;
        PrepareCellDisplay(col, row, tree);
        if (tree.Active && tree.ChildCount > 0) {
            TRect slot = TreeLevelRect(TRect{cell.Left + LineWidths().LeftHighlight, cell.Top, cell.Right, cell.Bottom},
                                       tree.Level);
            if (Contains(slot, {X, Y})) {
                TogglePlayRow(row);
                return;
            }
        }
    }
    if (Button == gmbLeft && !ReadOnly && ((column->Options() & coEditing) || (column->GetColumnFeatures() & 1)) &&
        PlayOf(column) && PrepareColumnPlay(col, row, true, cell))
        PlayOf(column)->MouseDown(X - cell.Left, Y - cell.Top);
}

void TRgCustomGrid::MouseMove(unsigned, int X, int Y) {
    if (resizeRow_ >= 0) {
        // At least 8 pixels below the row's top.
        int line = std::max(Y, GetRowTop(resizeRow_) + 8);
        if (line != resizeRowLine_) {
            Window.InvertHorzLine(resizeRowLine_);
            Window.InvertHorzLine(line);
            resizeRowLine_ = line;
        }
        return;
    }
    if (resizeColumn_ >= 0) {
        TRgCustomColumn* c = Columns().Item(resizeColumn_);
        int s = c->IsFixed() ? 0 : HorzScrollPos();
        int delta = X + s - c->Left() - c->Width();
        delta = std::max(delta, c->MinWidth - c->Width());
        int line = c->Left() + c->Width() + delta - 1 - s;
        if (line != resizeLine_) {
            Window.InvertVertLine(resizeLine_);
            Window.InvertVertLine(line);
            resizeLine_ = line;
        }
        resizeDelta_ = delta;
        return;
    }
    if (rowMoveFrom_ >= 0) {
        if (!rowMoving_ && (std::abs(X - pressPoint_.X) > 5 || std::abs(Y - pressPoint_.Y) > 5)) {
            rowMoving_ = true;
            Window.SetMouseCapture(true);
            Window.SetCursorShape(crRowDrag);
        }
        if (rowMoving_) {
            int drop = RowDropAt(Y);
            // At the first or last row on screen the rows scroll by one.
            if (drop >= 0 && drop <= TopRow() && TopRow() > GetFirstShownRow()) ScrollVertBy(-1);
            else if (drop > LastFullyVisibleRow() && LastFullyVisibleRow() < GetLastShownRow()) ScrollVertBy(1);
            if (drop != dropRow_) {
                RefreshMarker();
                dropRow_ = drop;
                RefreshMarker();
            }
            return;
        }
    }
    if (moveCandidate_ >= 0 && !moving_ && !(Options() & goDisableColumnMoving) &&
        !(Columns().Item(moveCandidate_)->Options() & coDisableMoving) &&
        (std::abs(X - pressPoint_.X) > 3 || std::abs(Y - pressPoint_.Y) > 3)) {
        moving_ = true;
        Window.SetMouseCapture(true);
    }
    if (moving_) {
        TRgCustomColumn* dragged = Columns().Item(moveCandidate_);
        bool inHeader = Y >= 0 && Y < HeaderSize() + 8 && X >= 0 && X <= std::min(GetHeaderRect().Right, Window.ClientSize().cx);
        int target = DropTarget(dragged, X);
        bool allowed = inHeader && DropAllowed(dragged, target);
        Window.SetCursorShape(allowed ? crGridDefault : crColumnNoDrag);
        // The floating header follows the mouse, centred, its bottom 4 pixels
        // below it; the arrows mark the boundary the column would move to.
        int w = dragged->Width(), h = HeaderSize();
        dragBox_ = TRect{X - w / 2, Y + 4 - h, X - w / 2 + w, Y + 4};
        dropArrowX_ = -1;
        if (allowed && target != dragged->Position()) {
            TRgCustomColumn* at = Columns().Positions(target);
            dropArrowX_ = target > dragged->Position() ? at->ClientLeft() + at->Width() : at->ClientLeft();
        }
        Window.ShowColumnDrag(*dragged, dragBox_, dropArrowX_);
        return;
    }
    UpdateHint(X, Y);
    TGridBand band = BandAt(X, Y);
    if (band == gbHeader) {
        Window.SetCursorShape(ResizeHandleAt(X) >= 0 ? crHorzSplit : crGridDefault);
        int col = ColumnAt(X);
        if ((Display().GetStyleFlags() & 1) && col != hotColumn_) {
            TRgCustomColumn* old = ColumnPtr(hotColumn_);
            hotColumn_ = col;
            Display().HotColumn = col;
            if (old) RefreshColumn(old, 3);
            if (ColumnPtr(col)) RefreshColumn(ColumnPtr(col), 3);
        }
    } else {
        Window.SetCursorShape(band != gbIndicator     ? crGridDefault
                              : RowBorderAt(X, Y) >= 0 ? crVertSplit
                                                      : crIndicatorSelect);
    }
}

void TRgCustomGrid::EndHeaderPress() {
    TRgCustomColumn* pressed = ColumnPtr(pressedColumn_);
    pressedColumn_ = -1;
    Display().PressedColumn = -1;
    if (pressed) RefreshColumn(pressed, 3);
}

void TRgCustomGrid::MouseUp(TGridMouseButton Button, unsigned, int X, int Y) {
    Window.SetMouseCapture(false);
    if (Button == gmbRight) {
        EndEditing();
        return;
    }
    if (rowMoving_) {
        RefreshMarker();
        int from = rowMoveFrom_, drop = dropRow_;
        rowMoving_ = false;
        rowMoveFrom_ = dropRow_ = -1;
        Window.SetCursorShape(crGridDefault);
        if (drop < 0) return;
        int to = drop > from ? drop - 1 : drop;
        if (!RowMoveAllowed(from, to)) return;
        MoveRow(from, to);
        Fire(OnAfterRowMove, from, to);
        SelectCell(CurrentCol(), to, false, true, 0);
        return;
    }
    rowMoveFrom_ = -1;
    if (resizeRow_ >= 0) {
        Window.InvertHorzLine(resizeRowLine_);
        int row = resizeRow_;
        resizeRow_ = -1;
        SetRowHeight(row, resizeRowLine_ - GetRowTop(row));
        resizeRowLine_ = -1;
        return;
    }
    if (resizeColumn_ >= 0) {
        Window.InvertVertLine(resizeLine_);
        TRgCustomColumn* c = Columns().Item(resizeColumn_);
        resizeColumn_ = -1;
        resizeLine_ = -1;
        c->SetWidth(c->Width() + resizeDelta_);
        Columns().AutoSizeColumns(c);
        return;
    }
    if (moving_) {
        TRgCustomColumn* dragged = Columns().Item(moveCandidate_);
        EndColumnDrag();
        moving_ = false;
        moveCandidate_ = -1;
        Window.SetCursorShape(crGridDefault);
        bool inHeader = Y >= 0 && Y < HeaderSize() + 8 && X >= 0 && X <= std::min(GetHeaderRect().Right, Window.ClientSize().cx);
        int target = DropTarget(dragged, X);
        if (inHeader && DropAllowed(dragged, target)) {
            if (target != dragged->Position()) Columns().Move(dragged->Position(), target);
        } else if (!inHeader && (Options() & goCanHideColumn)) {
            dragged->SetVisible(false);
        }
        EndHeaderPress();
        Invalidate();
        return;
    }
    int pressed = pressedColumn_, candidate = moveCandidate_;
    moveCandidate_ = -1;
    if (pressed >= 0) {
        Fire(OnHeaderClick, pressed);
        EndHeaderPress();
    }
    TGridBand band = BandAt(X, Y);
    if (band == gbHeader && candidate >= 0 && ColumnAt(X) == candidate) {
        TRgCustomColumn* c = Columns().Item(candidate);
        if (c->Options() & coCanSort) {
            if (c->Sorted()) c->SetSortKind(c->SortKind == skAscending ? skDescending : skAscending);
            else c->SetSorted(true);
        }
    } else if (band == gbFooter) {
        int col = ColumnAt(X);
        if (col >= 0) Fire(OnFooterClick, col);
    }
}

void TRgCustomGrid::EndColumnDrag() {
    dragBox_ = TRect{};
    dropArrowX_ = -1;
    Window.HideColumnDrag();
}

// --- moving rows

bool TRgCustomGrid::RowMoveAllowed(int From, int To) {
    int count = RowCount();
    if (From < 0 || To < 0 || From >= count || To >= count || From == To) return false;
    auto hasChildren = [&](int row) { return row + 1 < count && GetRowLevel(row + 1) > GetRowLevel(row); };
    if (GetRowLevel(From) > 0 || hasChildren(From)) return false;
    // Where the row lands: after the row at To when it moves down, before it
    // when it moves up; never inside another row's subtree.
    if (To > From ? (To + 1 < count && GetRowLevel(To + 1) > 0) : GetRowLevel(To) > 0) return false;
    bool accept = true;
    Fire(OnRowMove, From, To, accept);
    return accept;
}

int TRgCustomGrid::RowDropAt(int Y) const {
    TRect rows = GetRowsRect();
    if (Y < rows.Top || Y >= rows.Bottom) return -1;
    int y = rows.Top, count = RowCount();
    for (int r = TopRow(); r < count; ++r) {
        if (!IsRowShown(r)) continue;
        int band = GetRowStep(r) + LineWidths().RowSpacing;
        if (Y < y + band) return Y >= y + band / 2 ? r + 1 : r;
        y += band;
    }
    return count;
}

int TRgCustomGrid::RowMoveMarkerY() const {
    if (!rowMoving_ || dropRow_ < 0) return -1;
    return GetRowTop(dropRow_) - LineWidths().TopHighlight;
}

void TRgCustomGrid::RefreshMarker() {
    int y = RowMoveMarkerY();
    if (y >= 0) Window.InvalidateRect(TRect{0, y - 5, Window.ClientSize().cx, y + 6});
}

void TRgCustomGrid::PaintOverlay(ICanvas& Canvas) {
    int y = RowMoveMarkerY();
    if (y < 0) return;
    TRect rows = GetRowsRect();
    int l = rows.Left, r = rows.Right;
    Canvas.FillRect(TRect{l, y - 1, r, y + 1}, clRed);
    Canvas.Polygon({{l, y - 4}, {l + 4, y}, {l, y + 4}}, clRed, clRed);
    Canvas.Polygon({{r - 1, y - 4}, {r - 5, y}, {r - 1, y + 4}}, clRed, clRed);
}

void TRgCustomGrid::AutoSizeRow(int ARow) {
    int height = -1;
    Window.MeasureWith([&](ICanvas& canvas) { height = RowAutoHeight(ARow, canvas); });
    if (height > 0) SetRowHeight(ARow, height);
}

// --- hints

THintChoice TRgCustomGrid::ChooseHint(int X, int Y) {
    THintChoice choice;
    TSize client = Window.ClientSize();
    TGridBand band = BandAt(X, Y);
    if (band == gbHeader || band == gbFooter) {
        TRgCustomColumn* c = ColumnPtr(ColumnAt(X));
        if (!c) return choice;
        const TColumnPart& part = band == gbHeader ? static_cast<const TColumnPart&>(c->Header) : c->Footer;
        if (part.Hint.empty()) return choice;
        choice.Kind = band == gbHeader ? hkHeader : hkFooter;
        choice.Col = Columns().IndexOf(c);
        choice.Text = part.Hint;
        choice.At = TPoint{c->ClientLeft(), band == gbHeader ? HeaderSize() + 2 : client.cy + 2};
        choice.MaxWidth = client.cx;
        return choice;
    }
    int col = -1, row = -1;
    if (band != gbCells || !CellAt(X, Y, col, row)) return choice;
    TRgCustomColumn* column = Columns().Item(col);
    TRect cell;
    GetCellRect(col, row, cell);
    choice.Col = col;
    choice.Row = row;
    if (column->Options() & coShowTextFitHint) {
        std::u16string text = GetTipText(col, row);
        Fire(OnApplyCell, col, row, text);
        int width = -1;
        Window.MeasureWith([&](ICanvas& canvas) {
            ApplyCellFont(canvas, col, row, CellStateOf(col, row));
            width = canvas.TextExtent(text).cx;
        });
        if (!text.empty() && width >= 0 && column->Width() < width + 5) {
            choice.Kind = hkTextFit;
            choice.Text = text;
            choice.At = TPoint{cell.Left, cell.Top};
            choice.MaxWidth = client.cx;
            return choice;
        }
    }
    std::u16string hint = GetCellHint(col, row);
    if (hint.empty()) return choice;
    choice.Kind = hkCell;
    choice.Text = hint;
    choice.At = TPoint{std::min(cell.Left + column->Width(), client.cx), cell.Top - 20};
    choice.MaxWidth = 250;
    return choice;
}

void TRgCustomGrid::UpdateHint(int X, int Y) {
    THintChoice choice = ChooseHint(X, Y);
    if (choice.Kind != hkNone && !Window.HintAllowed(choice.Kind == hkTextFit)) choice = THintChoice{};
    if (choice.Kind == hint_.Kind && choice.Col == hint_.Col && choice.Row == hint_.Row) return;
    if (hint_.Kind != hkNone) Window.HideHint();
    hint_ = choice;
    if (hint_.Kind != hkNone) Window.ShowHint(hint_.At, hint_.MaxWidth, hint_.Text);
}

void TRgCustomGrid::CancelHint() {
    if (hint_.Kind != hkNone) Window.HideHint();
    hint_ = THintChoice{};
}

void TRgCustomGrid::MouseLeave() {
    CancelHint();
    TRgCustomColumn* hot = ColumnPtr(hotColumn_);
    hotColumn_ = -1;
    Display().HotColumn = -1;
    if (hot) RefreshColumn(hot, 3);
    Fire(OnMouseLeave);
}

void TRgCustomGrid::FocusChanged(bool GotFocus) {
    if (!GotFocus) CancelHint();
    pressedColumn_ = moveCandidate_ = hotColumn_ = -1;
    Display().PressedColumn = Display().HotColumn = -1;
    if (resizeColumn_ >= 0) Window.InvertVertLine(resizeLine_);
    resizeColumn_ = -1;
    if (moving_) EndColumnDrag();
    moving_ = false;
    RefreshMarker();
    rowMoving_ = false;
    rowMoveFrom_ = dropRow_ = -1;
    RepaintArea(gaIndicator);
    if (Options() & goSelectFullRow) {
        for (int r = TopRow(); r < RowCount() && r <= LastFullyVisibleRow() + 1; ++r)
            if (IsRowSelected(r)) RefreshRow(r);
    } else {
        RefreshCell(CurrentCol(), CurrentRow());
    }
}

// --- keyboard

bool TRgCustomGrid::KeyDown(int Key, unsigned Shift) {
    CancelHint();
    int key = Key;
    HandleNavigationKey(key, Shift);
    return key == 0;
}

void TRgCustomGrid::HandleNavigationKey(int& Key, unsigned Shift) {
    if (Options() & goDisableKeys) return;
    if (IsEditing() && (Key == gkEnd || Key == gkHome || (Key >= gkLeft && Key <= gkDown))) return;  // the editor's
    bool ctrl = (Shift & gsCtrl) != 0;
    switch (Key) {
        case gkTab:
            if (Shift & gsShift) TabBackward(true);
            else TabForward(true);
            break;
        case gkPrior: {
            int top = TopRow();
            while (top < RowCount() && !IsRowShown(top)) ++top;
            if (VertBar.Position() == 0) SelectFirstRow();
            else if (CurrentRow() > top) SetSelectedRow(top);
            else {
                MoveSelection(-std::max(FullyVisibleRowCount(), 1));
                ScrollToRow(CurrentRow());
            }
            break;
        }
        case gkNext: {
            if (VertBar.Max() < VertBar.Position() + VertBar.PageSize() && VertBar.Max() > 0) break;
            int lastFull = LastFullyVisibleRow();
            int page = std::max(FullyVisibleRowCount(), 1);
            if (CurrentRow() < lastFull) SetSelectedRow(lastFull);
            else if (ShownRowsBetween(CurrentRow() + 1, RowCount()) < page) SetSelectedRow(GetLastShownRow());
            else {
                MoveSelection(page);
                ScrollToRow(CurrentRow());
            }
            break;
        }
        case gkHome:
        case gkEnd: {
            bool home = Key == gkHome;
            if (MultiSelectPossible() && CurrentRow() >= 0 && RowCount() > 0) {
                int lo = home ? 0 : CurrentRow(), hi = home ? CurrentRow() : RowCount() - 1;
                for (int r = lo; r <= hi; ++r)
                    if (IsRowShown(r)) SetRowSelected(r, true);
            }
            if (HomeEndBehaviour == hebTopBottom) {
                if (Columns().IsValidIndex(CurrentCol())) {
                    if (home) SelectFirstRow(Shift);
                    else SelectLastRow(Shift);
                }
            } else if (home) {
                SelectFirstColumn();
            } else {
                SelectLastColumn();
            }
            break;
        }
        case gkLeft:
        case gkRight:
            if (InputRowActive() || !(Options() & goSelectFullRow) || (AppearanceOptions() & aoIndicateSelectedCell)) {
                if (Key == gkLeft) SelectPreviousColumn(mkArrows);
                else SelectNextColumn(mkArrows);
            } else {
                HorzBar.SetPosition(HorzBar.Position() + (Key == gkLeft ? -HorzBar.SmallChange : HorzBar.SmallChange));
            }
            break;
        case gkUp: SelectPreviousRow(Shift); break;
        case gkDown: SelectNextRow(Shift); break;
        case gkA:
            if (!ctrl) return;
            SelectAll();
            break;
        default: return;
    }
    Key = 0;
}

void TRgCustomGrid::KeyPress(char16_t Key) {
    if ((Options() & goDisableKeys) || Key == 27 || EditedCol() >= 0) return;
    if (Key == 13) {
        if (InputRowActive() && InputEnterMode == imAllways) {
            // The pending input becomes a row; the input cell starts again.
            AddInputRow();
            EditInputCell(CurrentCol(), std::u16string());
            if (Editor()) Editor()->SelectAll();
        } else if (WantReturns && !InputRowActive()) {
            switch (SelectionMoveDirection) {
                case mdUp: SelectPreviousRow(); break;
                case mdDown: SelectNextRow(); break;
                case mdLeft: SelectPreviousColumn(mkEnter); break;
                case mdRight: SelectNextColumn(mkEnter); break;
                default: break;
            }
        }
        return;
    }
    int col = CurrentCol();
    TRgCustomColumn* column = ColumnPtr(col);
    if (column && (InputRowActive() || (CurrentRow() >= 0 && CurrentRow() < RowCount()))) {
        if (!ReadOnly && !InputRowActive() && ((column->Options() & coEditing) || (column->GetColumnFeatures() & 1)) &&
            PlayOf(column)) {
            TRect cell;
            GetCellRect(col, CurrentRow(), cell);
            if (PrepareColumnPlay(col, CurrentRow(), true, cell)) PlayOf(column)->KeyPress(Key);
            return;
        }
    }
    if (Key == 9) return;
    if (column && column->IsEditKey(Key)) {
        if (InputRowActive()) {
            EditInputCellByKey(col, Key);
            return;
        }
        if (column->Options() & coEditing) {
            EditCellByKey(col, CurrentRow(), Key);
            return;
        }
    }
    if (InputRowActive() || (column && (column->Options() & coEditing)) || RowCount() == 0) return;
    int searchColumn = -1;
    for (int k = 0; k < Columns().Count(); ++k)
        if (Columns().Item(k)->Options() & coSearchColumn) {
            searchColumn = k;
            break;
        }
    if (searchColumn < 0) return;
    std::uint32_t now = Window.TickCount();
    if (now - lastSearchKey_ >= 700) searchBuffer_.clear();
    lastSearchKey_ = now;
    searchBuffer_.push_back(Key);
    SearchColumn(searchColumn, searchBuffer_, false);
}

void TRgCustomGrid::MouseWheel(int Delta, unsigned Shift) {
    if (EditedCol() >= 0 || Delta == 0) return;
    bool ctrl = (Shift & gsCtrl) != 0;
    bool report = GridStyle() == gsReport;
    if (Delta < 0) {
        if (VertBar.Max() > 0 && !VertBar.AtEnd()) {
            int step = ctrl ? VertBar.LargeChange : VertBar.SmallChange;
            int last = std::max(VertBar.Max() - VertBar.PageSize() + 1, 0);
            VertBar.SetPosition(std::min(VertBar.Position() + step, last));
        } else if (report && !VertBar.Visible() && HorzBar.Max() > 0) {
            int last = std::max(HorzBar.Max() - HorzBar.PageSize() + 1, 0);
            HorzBar.SetPosition(std::min(HorzBar.Position() + (ctrl ? HorzBar.LargeChange : HorzBar.SmallChange), last));
        }
    } else {
        if (VertBar.Max() > 0) VertBar.SetPosition(std::max(VertBar.Position() - (ctrl ? VertBar.LargeChange : VertBar.SmallChange), 0));
        else if (report && HorzBar.Max() > 0)
            HorzBar.SetPosition(std::max(HorzBar.Position() - (ctrl ? HorzBar.LargeChange : HorzBar.SmallChange), 0));
    }
}

// --- searches

bool TRgCustomGrid::SearchColumn(int Column, const std::u16string& Text, bool FromStart) {
    int count = RowCount();
    if (count == 0 || !Columns().IsValidIndex(Column)) return false;
    auto matches = [&](int r) {
        if (!IsRowShown(r)) return false;
        if (Text.empty()) return true;
        std::u16string cell = GetCellText(Column, r);
        if (cell.size() < Text.size()) return false;
        return CompareTextCI(std::u16string_view(cell).substr(0, Text.size()), Text) == 0;
    };
    int found = -1;
    int selected = CurrentRow();
    if (FromStart || selected < 0 || selected >= count) {
        for (int r = 0; r < count && found < 0; ++r)
            if (matches(r)) found = r;
    } else {
        for (int r = selected + 1; r < count && found < 0; ++r)
            if (matches(r)) found = r;
        for (int r = 0; r <= selected && found < 0; ++r)
            if (matches(r)) found = r;
    }
    if (found < 0) return false;
    SetSelectedRow(found);
    if (!Updating()) ScrollToRow(found);
    return true;
}

bool TRgCustomGrid::SearchAllColumns(const std::u16string& Text) {
    for (int k = 0; k < Columns().Count(); ++k) SearchColumn(k, Text, false);
    return false;
}

}  // namespace ad::grid
