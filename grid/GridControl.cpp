// The grid core: settings, geometry, scroll ranges, update counter, column
// notices and painting.
#include "grid/GridControl.h"

#include <algorithm>
#include <climits>

#include "grid/DrawRoutines.h"

namespace ad::grid {

TGridLineWidths ComputeLineWidths(TGridOptions options, TGridLinesStyle style, TAppearanceOptions appearance) {
    TGridLineWidths w;
    if (options & goGrid) {
        if (style != lsHorizontalOnly && style != lsActiveHorzOnly) {
            w.RightLine = 1;
            if (appearance & ao3DGridLines) w.LeftHighlight = 1;
        }
        if (style != lsVerticalOnly) {
            w.BottomLine = 1;
            if (appearance & ao3DGridLines) w.TopHighlight = 1;
        }
    }
    w.RowSpacing = w.TopHighlight + w.BottomLine;
    return w;
}

TColor DarkenColor(TColor color, int Amount) {
    TColor c = ColorToRGBValue(color);
    return RGBColor(std::max(RedOf(c) - Amount, 0), std::max(GreenOf(c) - Amount, 0), std::max(BlueOf(c) - Amount, 0));
}

TRgCustomGridControl::TRgCustomGridControl(IGridWindow& window, TRgCustomScrollBar& horzBar,
                                           TRgCustomScrollBar& vertBar)
    : Window(window), HorzBar(horzBar), VertBar(vertBar), columns_(std::make_unique<TRgColumns>()) {
    displays_[hsAuto] = std::make_unique<TDefaultStyleDisplay>();
    displays_[hsFlatBorders] = std::make_unique<TFlatStyleDisplay>();
    displays_[hsOffice2007] = std::make_unique<TOffice2007StyleDisplay>();
    displays_[hsOffice2010] = std::make_unique<TOffice2010StyleDisplay>();
    displays_[hsOldStyle] = std::make_unique<TOldStyleDisplay>();
    displays_[hsOutlook] = std::make_unique<TOutlookStyleDisplay>();
    displays_[hsVista] = std::make_unique<TVistaStyleDisplay>();
    for (auto& d : displays_) {
        d->Columns = columns_.get();
        d->OnCustomDrawHeader = [this](TStyleDisplay*, int index, const TRect& r) { Fire(OnCustomDrawHeader, index, r); };
        d->OnCustomDrawFooter = [this](TStyleDisplay*, int index, const TRect& r) { Fire(OnCustomDrawFooter, index, r); };
    }
    display_ = displays_[hsAuto].get();

    TColumnListHost& host = columns_->Host;
    host.OnStructureChange = [this](int kind, int index, int index2) {
        ColumnListChanged(kind, index, index2);
        if (index != -1)
            Fire(OnDataChange, kind == 1 ? dcDeleteColumn : kind == 3 ? dcInsertColumn : dcAddColumn, index);
    };
    host.OnColumnChange = [this](TRgCustomColumn* c, int code, int value) { ColumnChanged(c, code, value); };
    host.OnColumnRepaint = [this](TRgCustomColumn* c, int band) { ColumnRepaint(c, band); };
    host.ClientWidth = [this] { return Window.ClientSize().cx; };
    host.BandSpan = [this](TColumnBand band) { return BandSpan(band); };
    host.HorzScrollPos = [this] { return HorzBar.Position(); };
    host.SelectedColumn = [this]() -> TRgCustomColumn* {
        return columns_->IsValidIndex(currentCol_) ? columns_->Item(currentCol_) : nullptr;
    };
    Recalculate();
}

TRgCustomGridControl::~TRgCustomGridControl() {
    columns_->Host = TColumnListHost{};
    columnDisplays_.clear();
    // Editors that outlive the grid (given by the application) or go with it
    // hear nothing more from here.
    if (editor_) editor_->GridEvents = TGridEditorEvents{};
    for (auto& entry : editors_) entry.second->GridEvents = TGridEditorEvents{};
    editors_.clear();
}

// --- properties

void TRgCustomGridControl::Recalculate() { lines_ = ComputeLineWidths(options_, gridLinesStyle_, appearanceOptions_); }

template <class F>
void TRgCustomGridControl::ChangeBorderLook(F Change) {
    TGridBorderLook old = BorderLook();
    Change();
    if (BorderLook() != old) Window.RepaintBorder();
}

TGridBorderLook TRgCustomGridControl::BorderLook() const {
    if (borderStyle_ == bsNone) return blNone;
    if (headerStyle_ == hsOffice2007 || headerStyle_ == hsOffice2010) return blOfficeFrame;
    if (enableVisualStyles_ && Window.VisualStyles()) return blThemed;
    return blEdge;
}

TColor TRgCustomGridControl::OfficeBorderColor() { return GetSchemeColor(2, OfficeColorScheme()); }

void TRgCustomGridControl::SetAppearanceOptions(TAppearanceOptions value) {
    ChangeBorderLook([&] {
        appearanceOptions_ = value;
        Recalculate();
        Invalidate();
    });
}

void TRgCustomGridControl::SetBorderStyle(TGridBorderStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    Window.BorderChanged();
}

void TRgCustomGridControl::SetCaption(const std::u16string& value) {
    caption_ = value;
    TRect rows = GetRowsRect();
    rows.Right = Window.ClientSize().cx;
    if (!Updating()) Window.InvalidateRect(rows);
}

void TRgCustomGridControl::SetColor(TColor value) {
    color_ = value;
    Invalidate();
}

void TRgCustomGridControl::SetEnableVisualStyles(bool value) {
    ChangeBorderLook([&] {
        enableVisualStyles_ = value;
        Invalidate();
    });
}

void TRgCustomGridControl::SetFixedCols(int value) {
    columns_->SetFixedCount(value);
    Invalidate();
}

void TRgCustomGridControl::SetFont(const FontSpec& value) {
    columns_->SetGridFont(value);
    Invalidate();
}

void TRgCustomGridControl::SetFooterSize(int value) {
    footerSize_ = value;
    Invalidate();
}

void TRgCustomGridControl::SetGridLinesColor(TColor value) {
    gridLinesColor_ = value;
    Invalidate();
}

void TRgCustomGridControl::SetGridLinesStyle(TGridLinesStyle value) {
    gridLinesStyle_ = value;
    Recalculate();
    Invalidate();
}

void TRgCustomGridControl::SetGridStyle(TGridStyle value) {
    gridStyle_ = value;
    UpdateHorzScrollBar();
    UpdateVertScrollBar();
    Invalidate();
}

void TRgCustomGridControl::SetHeaderSize(int value) {
    headerSize_ = value;
    Invalidate();
}

void TRgCustomGridControl::SetHeaderStyle(THeaderStyle value) {
    // The border's width never depends on the header style, so the window
    // stays; only a change of the border's look repaints it.
    if (value > hsVista || value == headerStyle_) return;
    ChangeBorderLook([&] {
        headerStyle_ = value;
        display_ = displays_[value].get();
        Invalidate();
    });
}

void TRgCustomGridControl::SetHighlightedTextColor(TColor value) {
    highlightedTextColor_ = value;
    Invalidate();
}

void TRgCustomGridControl::SetInactiveSelectionColor(TColor value) {
    inactiveSelectionColor_ = value;
    Invalidate();
}

void TRgCustomGridControl::SetIndicatorDrawingOptions(TDrawingOptions value) {
    indicatorDrawingOptions_ = value;
    RepaintArea(gaIndicator);
}

void TRgCustomGridControl::SetInputSize(int value) {
    inputSize_ = value;
    Invalidate();
}

void TRgCustomGridControl::SetOptions(TGridOptions value) {
    TGridOptions old = options_;
    options_ = value;
    columns_->Host.IndicatorShown = (value & goIndicator) != 0;
    if ((old ^ value) & goIndicator) {
        columns_->UpdatePositions(false);
        Fire(OnIndicatorChange);
    }
    Recalculate();
    UpdateHorzScrollBar();
    UpdateVertScrollBar();
    Invalidate();
}

void TRgCustomGridControl::SetRowSize(int value) {
    if (value <= 0) return;
    rowSize_ = value;
    RepaintArea(gaRows);
    RepaintArea(gaInput);
    RepaintArea(gaIndicator);
    UpdateVertScrollBar();
}

void TRgCustomGridControl::SetSlidesOptions(std::uint8_t value) {
    slidesOptions_ = value;
    Invalidate();
}

void TRgCustomGridControl::SetSlideSelectionColor(TColor value) {
    slideSelectionColor_ = value;
    Invalidate();
}

void TRgCustomGridControl::SetSlideSize(int value) {
    slideSize_ = value;
    UpdateVertScrollBar();
    Invalidate();
}

void TRgCustomGridControl::SetSortedStyle(TSortedStyle value) {
    sortedStyle_ = value;
    Invalidate();
}

// --- update counter and repainting

void TRgCustomGridControl::EndUpdate(bool Refresh) {
    if (updateCount_ > 0) --updateCount_;
    if (updateCount_ == 0 && Refresh) {
        Window.InvalidateRect(TRect{0, 0, Window.ClientSize().cx, Window.ClientSize().cy});
        UpdateVertScrollBar();
        UpdateHorzScrollBar();
    }
}

void TRgCustomGridControl::Invalidate() {
    if (Updating()) return;
    TSize s = Window.ClientSize();
    Window.InvalidateRect(TRect{0, 0, s.cx, s.cy});
}

void TRgCustomGridControl::RepaintArea(int Kind) {
    if (Updating()) return;
    switch (Kind) {
        case gaRows: Window.InvalidateRect(GetRowsRect()); break;
        case gaFooter: if (options_ & goFooter) Window.InvalidateRect(GetFooterRect()); break;
        case gaHeader: if (options_ & goHeader) Window.InvalidateRect(GetHeaderRect()); break;
        case gaIndicator: if (options_ & goIndicator) Window.InvalidateRect(GetIndicatorRect()); break;
        case gaInput: if (options_ & goInput) Window.InvalidateRect(GetInputRect()); break;
        default: break;
    }
}

void TRgCustomGridControl::RefreshCell(int ACol, int ARow) {
    if (Updating()) return;
    // A cell far below the rows area is off screen: its top is not walked to.
    if (ARow >= topRow_ && GetRowTopUpTo(ARow, GetRowsRect().Bottom) > GetRowsRect().Bottom) return;
    TRect r;
    if (!GetCellRect(ACol, ARow, r)) return;
    r.Bottom += lines_.BottomLine;
    Window.InvalidateRect(r);
}

void TRgCustomGridControl::RefreshRow(int ARow) {
    if (Updating() || ARow < 0 || ARow >= RowCount() || !IsRowShown(ARow) || ARow < topRow_) return;
    if (GetRowTopUpTo(ARow, GetRowsRect().Bottom) > GetRowsRect().Bottom) return;
    TRect r = GetRowRect(ARow);
    r.Left = 0;
    Window.InvalidateRect(r);
}

void TRgCustomGridControl::RefreshColumn(TRgCustomColumn* Column, int Part) {
    if (Updating() || !Column || !Column->Visible()) return;
    int left = Column->ClientLeft();
    TRect r{left, 0, left + Column->Width(), Window.ClientSize().cy};
    TRect area;
    switch (Part) {
        case 1: area = GetRowsRect(); break;
        case 2: area = GetFooterRect(); break;
        case 3: area = GetHeaderRect(); break;
        case 4: area = GetIndicatorRect(); r.Left = 0; r.Right = IndicatorWidth; break;
        case 5: area = GetInputRect(); break;
        default: area = r; break;
    }
    r.Top = area.Top;
    r.Bottom = area.Bottom;
    Window.InvalidateRect(r);
}

void TRgCustomGridControl::ColumnRepaint(TRgCustomColumn* Column, int Band) { RefreshColumn(Column, Band); }

// --- geometry

std::pair<int, int> TRgCustomGridControl::BandSpan(TColumnBand Band) const {
    TRect r;
    switch (Band) {
        case cbCells: r = GetRowsRect(); break;
        case cbFooter: if (!(options_ & goFooter)) return {0, 0}; r = GetFooterRect(); break;
        case cbHeader: if (!(options_ & goHeader)) return {0, 0}; r = GetHeaderRect(); break;
        case cbInput: if (!(options_ & goInput)) return {0, 0}; r = GetInputRect(); break;
        default: return {0, Window.ClientSize().cy};
    }
    return {r.Top, r.Bottom};
}

TRect TRgCustomGridControl::GetRowsRect() const {
    TSize client = Window.ClientSize();
    int indicator = IndicatorSize();
    if (gridStyle_ == gsSlides)
        return TRect{indicator, (options_ & goHeader) ? headerSize_ : 0, client.cx, client.cy};
    TRect r;
    r.Left = indicator;
    r.Top = (options_ & goHeader) ? headerSize_ : 0;
    if (options_ & goInput) r.Top += inputSize_ + 6 + lines_.BottomLine;
    r.Right = std::min(columns_->TotalWidth() + indicator - HorzScrollPos(), client.cx);
    r.Bottom = (options_ & goFooter) ? client.cy - footerSize_ - 4 - lines_.BottomLine : client.cy;
    return r;
}

TRect TRgCustomGridControl::GetHeaderRect() const {
    int indicator = IndicatorSize();
    return TRect{indicator, 0, columns_->TotalWidth() + indicator - HorzScrollPos(), headerSize_};
}

TRect TRgCustomGridControl::GetInputRect() const {
    int indicator = IndicatorSize();
    int top = (options_ & goHeader) ? headerSize_ : 0;
    return TRect{indicator, top, columns_->TotalWidth() + indicator - HorzScrollPos(),
                 top + inputSize_ + 6 + lines_.BottomLine};
}

TRect TRgCustomGridControl::GetInputCellRect(const TRgCustomColumn& Column) const {
    TRect input = GetInputRect();
    int left = Column.ClientLeft();
    return TRect{left, input.Top, left + Column.Width(), input.Top + inputSize_};
}

TRect TRgCustomGridControl::GetFooterRect() const {
    if (gridStyle_ == gsSlides) return TRect{};
    TSize client = Window.ClientSize();
    int indicator = IndicatorSize();
    return TRect{indicator, client.cy - footerSize_ - 4 - lines_.BottomLine,
                 columns_->TotalWidth() + indicator - HorzScrollPos(), client.cy};
}

TRect TRgCustomGridControl::GetIndicatorRect() const { return TRect{0, 0, IndicatorWidth, Window.ClientSize().cy}; }

int TRgCustomGridControl::GetRowHeight(int) const { return rowSize_; }

int TRgCustomGridControl::GetRowStep(int ARow) const {
    if (gridStyle_ == gsSlides) return slideSize_;
    return ARow < RowCount() ? GetRowHeight(ARow) : rowSize_;
}

int TRgCustomGridControl::GetRowTop(int ARow) const { return GetRowTopUpTo(ARow, INT_MAX); }

int TRgCustomGridControl::GetRowTopUpTo(int ARow, int Bottom) const {
    int y = GetRowsRect().Top + lines_.TopHighlight;
    int count = RowCount();
    if (ARow >= topRow_) {
        for (int r = topRow_; r < ARow && y <= Bottom; ++r) {
            if (r < count && !IsRowShown(r)) continue;
            y += GetRowStep(r) + lines_.RowSpacing;
        }
    } else {
        for (int r = ARow; r < topRow_; ++r)
            if (r >= count || IsRowShown(r)) y -= GetRowStep(r) + lines_.RowSpacing;
    }
    return y;
}

TRect TRgCustomGridControl::GetRowRect(int ARow) const {
    int top = GetRowTop(ARow);
    int right = gridStyle_ == gsSlides ? Window.ClientSize().cx : GetRowsRect().Right;
    return TRect{0, top, right, top + GetRowStep(ARow) + lines_.BottomLine};
}

TRect TRgCustomGridControl::GetSlideCellRect(const TRgCustomColumn& Column, int SlideTop) const {
    const TRgSlideBounds& b = Column.SlideBounds;
    return TRect{b.Left(), SlideTop + b.Top(), b.Left() + b.Width(), SlideTop + b.Top() + b.Height()};
}

TRect TRgCustomGridControl::GetSlideLabelRect(const TRgCustomColumn& Column, int SlideTop, ICanvas& Canvas) const {
    TRect cell = GetSlideCellRect(Column, SlideTop);
    TSize text = Canvas.TextExtent(DefaultTextServices().FromAnsi(Column.SlideCaption));
    if (Column.SlideCaptionLocation == clLeft)
        return TRect{cell.Left - 2 - text.cx, cell.Top, cell.Left - 2, cell.Top + text.cy};
    return TRect{cell.Left + 2, cell.Top - 2 - text.cy, cell.Left + 2 + text.cx, cell.Top - 2};
}

bool TRgCustomGridControl::GetCellRect(int ACol, int ARow, TRect& Rect) const {
    if (!columns_->IsValidIndex(ACol) || ARow < 0) return false;
    TRgCustomColumn* c = columns_->Item(ACol);
    int top = GetRowTop(ARow);
    if (gridStyle_ == gsSlides) {
        Rect = GetSlideCellRect(*c, top);
        return true;
    }
    int left = c->ClientLeft();
    Rect = TRect{left, top, left + c->Width(), top + GetRowStep(ARow)};
    return true;
}

int TRgCustomGridControl::GetHorzScrollRange() const {
    int total = columns_->TotalWidth() + IndicatorSize();
    return std::max(total - Window.ClientSize().cx, 0);
}

int TRgCustomGridControl::FullyVisibleRowCount() const {
    TRect rows = GetRowsRect();
    int y = rows.Top, fit = 0, count = RowCount();
    for (int r = topRow_; r < count; ++r) {
        if (!IsRowShown(r)) continue;
        int step = (gridStyle_ == gsSlides ? slideSize_ : GetRowHeight(r)) + lines_.RowSpacing;
        if (y + step > rows.Bottom) break;
        y += step;
        ++fit;
    }
    return fit;
}

int TRgCustomGridControl::LastFullyVisibleRow() const {
    TRect rows = GetRowsRect();
    int y = rows.Top, last = topRow_ - 1, count = RowCount();
    for (int r = topRow_; r < count; ++r) {
        if (!IsRowShown(r)) continue;
        int step = (gridStyle_ == gsSlides ? slideSize_ : GetRowHeight(r)) + lines_.RowSpacing;
        if (y + step > rows.Bottom) break;
        y += step;
        last = r;
    }
    return last;
}

int TRgCustomGridControl::ShownRowsBetween(int From, int To) const {
    int n = 0;
    for (int r = std::max(From, 0); r < To && r < RowCount(); ++r)
        if (IsRowShown(r)) ++n;
    return n;
}

int TRgCustomGridControl::StepShownRows(int ARow, int Count, int* Pixels) const {
    int pixels = 0, count = RowCount(), r = ARow;
    auto height = [&](int row) { return (gridStyle_ == gsSlides ? slideSize_ : GetRowHeight(row)) + lines_.RowSpacing; };
    while (Count > 0 && r < count) {
        if (IsRowShown(r)) {
            pixels += height(r);
            --Count;
        }
        ++r;
    }
    while (Count < 0 && r > 0) {
        --r;
        if (IsRowShown(r)) {
            pixels += height(r);
            ++Count;
        }
    }
    if (Pixels) *Pixels = pixels;
    return r;
}

// --- scroll bars

TRect TRgCustomGridControl::HorzScrollArea() const {
    TSize client = Window.ClientSize();
    return TRect{IndicatorSize() + columns_->FixedWidth(), 0, client.cx, client.cy};
}

TRect TRgCustomGridControl::VertScrollArea() const {
    TRect rows = GetRowsRect();
    return TRect{0, rows.Top, Window.ClientSize().cx, rows.Bottom};
}

int TRgCustomGridControl::GetVertScrollDelta(int OldPos, int NewPos) {
    int pixels = 0;
    int target = StepShownRows(topRow_, NewPos - OldPos, &pixels);
    // Land on a shown row.
    while (target < RowCount() && !IsRowShown(target)) ++target;
    topRow_ = std::min(target, std::max(RowCount() - 1, 0));
    return NewPos > OldPos ? -pixels : pixels;
}

void TRgCustomGridControl::UpdateHorzScrollBar() {
    if (gridStyle_ == gsSlides) {
        if (HorzBar.Max() != 0) HorzBar.SetMax(0);
        return;
    }
    int clientWidth = Window.ClientSize().cx;
    int total = columns_->TotalWidth() + IndicatorSize();
    bool shown = Window.VertScrollBarWidth() < clientWidth && clientWidth + 1 < total;
    int max = shown ? total : 0, page = clientWidth + 1;
    if (HorzBar.Max() == max && HorzBar.PageSize() == page) return;
    HorzBar.SmallChange = 5;
    HorzBar.SetRange(max, page, 10);
    HorzBar.SetVisible(HorzBar.IsNeeded());
    if (HorzBar.Position() > std::max(max - page + 1, 0)) HorzBar.SetPosition(std::max(max - page + 1, 0));
}

void TRgCustomGridControl::UpdateVertScrollBar() {
    int count = RowCount() == 1 ? 0 : GetShownRowCount();
    int fit = FullyVisibleRowCount();
    int max = 0, page = VertBar.PageSize();
    if (fit < count) {
        max = count;
        page = fit + 1;
    }
    if (VertBar.Max() != max || (max > 0 && VertBar.PageSize() != page)) {
        VertBar.SetRange(max, max > 0 ? page : VertBar.PageSize(), max > 0 ? page : VertBar.LargeChange);
        VertBar.SetVisible(VertBar.IsNeeded());
    }
    if (fit + 1 >= count) {
        int above = ShownRowsBetween(0, topRow_);
        if (VertBar.Position() != above) {
            VertBar.SuppressScroll = true;
            VertBar.SetPosition(above);
            VertBar.SuppressScroll = false;
        }
        if (count <= fit) topRow_ = 0;
    }
}

void TRgCustomGridControl::ScrollVertBy(int Rows) {
    if (Rows == 0) return;
    VertBar.SetPosition(VertBar.Position() + Rows);
    RowsScrolled(Rows);
}

void TRgCustomGridControl::RecomputeShownRange() {
    int count = RowCount();
    firstShownRow_ = 0;
    while (firstShownRow_ < count && !IsRowShown(firstShownRow_)) ++firstShownRow_;
    lastShownRow_ = count - 1;
    while (lastShownRow_ > 0 && !IsRowShown(lastShownRow_)) --lastShownRow_;
    if (count == 0) firstShownRow_ = lastShownRow_ = 0;
}

void TRgCustomGridControl::SetRowShown(int ARow, bool Shown) {
    if (Shown) {
        if (ARow < firstShownRow_) firstShownRow_ = ARow;
        if (ARow > lastShownRow_) lastShownRow_ = ARow;
        return;
    }
    int count = RowCount();
    if (ARow == firstShownRow_) {
        int r = ARow + 1;
        while (r < count && !IsRowShown(r)) ++r;
        if (r < count) firstShownRow_ = r;
    }
    int last = count - 1;
    while (last > 0 && !IsRowShown(last)) --last;
    lastShownRow_ = std::max(last, 0);
}

// --- rows and cells defaults

TColor TRgCustomGridControl::GetCellColor(int ACol, int) const {
    return columns_->IsValidIndex(ACol) ? columns_->Item(ACol)->Color() : color_;
}

std::u16string TRgCustomGridControl::GetCellHint(int ACol, int ARow) {
    std::u16string text;
    Fire(OnCellHint, ACol, ARow, text);
    return text;
}

bool TRgCustomGridControl::IsCellHidden(int ACol, int ARow) const {
    bool showing = true;
    if (OnCellShowing) OnCellShowing(const_cast<TRgCustomGridControl*>(this), ACol, ARow, showing);
    return !showing;
}

int TRgCustomGridControl::SelectedCount() const {
    int n = 0;
    for (int r = 0; r < RowCount(); ++r)
        if (IsRowSelected(r)) ++n;
    return n;
}

void TRgCustomGridControl::SortColumn(TRgCustomColumn* Column, bool Ascending) {
    if (!Column || !(Column->Options() & coCanSort)) return;
    CancelEditing();
    sortedColumn_ = Column;
    Fire(OnSortColumn, columns_->IndexOf(Column), Ascending);
}

void TRgCustomGridControl::ClearRows() {
    topRow_ = 0;
    currentCol_ = 0;
    currentRow_ = -1;
    anchorRow_ = -1;
    multiSelecting_ = false;
    CancelEditing();
}

// --- column notices

void TRgCustomGridControl::ColumnListChanged(int Kind, int, int) {
    if (Kind == 1 || Kind == 2) CancelEditing();
    // Painters and editors of removed columns go with them.
    std::erase_if(columnDisplays_, [this](const auto& entry) { return columns_->IndexOf(entry.first) < 0; });
    for (const auto& entry : editors_)
        if (entry.second.get() == editor_ && columns_->IndexOf(entry.first) < 0) CancelEditing();
    std::erase_if(editors_, [this](const auto& entry) { return columns_->IndexOf(entry.first) < 0; });
    if (sortedColumn_ && columns_->IndexOf(sortedColumn_) < 0) sortedColumn_ = nullptr;
    UpdateHorzScrollBar();
    Invalidate();
}

void TRgCustomGridControl::ColumnChanged(TRgCustomColumn* Column, int Kind, int Value) {
    int index = columns_->IndexOf(Column);
    switch (Kind) {
        case cnInputValue: RefreshColumn(Column, 5); break;
        case cnMoved:
            Fire(OnColumnMove, index, Value, Column->Position());
            Invalidate();
            PlaceEditor();
            break;
        case 3: ApplyColumnDefault(index); break;
        case cnSlideOrOptions: Invalidate(); Fire(OnSlideChange, index); break;
        case cnSorted:
        case cnSortChanged:
            if (Column->Sorted()) {
                RefreshColumn(Column, 3);
                SortColumn(Column, Column->SortKind == skAscending);
            }
            break;
        case cnRepaint: RefreshColumn(Column, 0); break;
        case cnVisible:
            UpdateHorzScrollBar();
            Invalidate();
            PlaceEditor();
            break;
        case cnUnsorted:
            RefreshColumn(Column, 3);
            if (appearanceOptions_ & aoIndicateSortedColumn) RefreshColumn(Column, 1);
            if (sortedColumn_ == Column) sortedColumn_ = nullptr;
            break;
        case cnWidth:
            if (!Updating() && Window.HandleAllocated()) {
                RefreshColumn(Column, 0);
                TSize client = Window.ClientSize();
                int right = Column->ClientLeft() + Column->Width();
                if (gridStyle_ == gsReport) Window.ScrollArea(Value, 0, TRect{right - Value, 0, client.cx, client.cy});
                else Window.ScrollArea(Value, 0, TRect{right - Value, 0, client.cx, headerSize_});
            }
            Fire(OnColumnResize, index);
            UpdateHorzScrollBar();
            PlaceEditor();
            break;
        default: break;
    }
}

// --- painting

bool TRgCustomGridControl::CountsAsSelected(int ACol, int ARow) const {
    if (gridStyle_ == gsSlides && !(appearanceOptions_ & aoHighlightSlideCells)) return false;
    if (inputRowActive_) return false;
    if (columns_->IsValidIndex(ACol) && (columns_->Item(ACol)->Options() & coDontHighlight)) return false;
    if (!Focused() && (appearanceOptions_ & aoHideSelection)) return false;
    bool current = ACol == currentCol_ && ARow == currentRow_;
    bool edited = ACol == editedCol_ && ARow == editedRow_;
    if (options_ & goSelectFullRow) {
        if (ARow < 0 || ARow >= RowCount() || !IsRowSelected(ARow)) return false;
        return !current || (!(appearanceOptions_ & aoIndicateSelectedCell) && !edited);
    }
    return current && !edited;
}

TColor TRgCustomGridControl::GetCellPaintColor(int ACol, int ARow) const {
    TColor base = GetCellColor(ACol, ARow);
    if ((appearanceOptions_ & aoIndicateSortedColumn) && columns_->IsValidIndex(ACol) && columns_->Item(ACol)->Sorted())
        base = DarkenColor(base, 10);
    if (!CountsAsSelected(ACol, ARow)) return base;
    if (!Focused()) return inactiveSelectionColor_;
    if (appearanceOptions_ & aoAlphaBlendedSelection)
        return MixColors(ColorToRGBValue(base), ColorToRGBValue(clHighlight), 0.25);
    return SelectionColor;
}

TColor TRgCustomGridControl::GetCellTextColor(int ACol, int ARow) const {
    if (CountsAsSelected(ACol, ARow) && Focused()) return highlightedTextColor_;
    return columns_->IsValidIndex(ACol) ? columns_->Item(ACol)->Font().Color : clWindowText;
}

TCellState TRgCustomGridControl::CellStateOf(int ACol, int ARow) const {
    TCellState state = 0;
    if (CountsAsSelected(ACol, ARow)) {
        state |= csSelected;
        if (appearanceOptions_ & aoBoldTextSelection) state |= csBoldTextSelection;
    }
    if (Focused() && !(appearanceOptions_ & aoHideFocus)) state |= csFocused;
    return state;
}

bool TRgCustomGridControl::ApplyCellFont(ICanvas& Canvas, int ACol, int ARow, TCellState CellState) {
    const FontSpec& font = columns_->Item(ACol)->Font();
    std::uint8_t style = static_cast<std::uint8_t>(font.Style | ((CellState & csBoldTextSelection) ? 1u : 0u));
    Canvas.SetFont(font.Name, font.Height, style);
    Canvas.SetTextColor(Window.Enabled() ? GetCellTextColor(ACol, ARow) : clGrayText);
    return false;
}

TColumnDisplay& TRgCustomGridControl::DisplayOf(TRgCustomColumn* Column) {
    for (auto& entry : columnDisplays_)
        if (entry.first == Column) return *entry.second;
    columnDisplays_.emplace_back(Column, MakeColumnDisplay(Column));
    return *columnDisplays_.back().second;
}

template <class Visit>
void TRgCustomGridControl::ForEachPaintedColumn(Visit visit) const {
    int clientWidth = Window.ClientSize().cx, fixedRight = IndicatorSize() + columns_->FixedWidth();
    for (int k = 0; k < columns_->Count(); ++k) {
        TRgCustomColumn* c = columns_->Positions(k);
        if (!c->Visible()) continue;
        int x = c->ClientLeft();
        if (!c->IsFixed() && x + c->Width() < fixedRight) continue;
        if (x > clientWidth || x + c->Width() < 0) continue;
        visit(c, columns_->IndexOf(c), x);
    }
}

void TRgCustomGridControl::PrepareDisplay() {
    display_->OwnerColor = color_;
    display_->Themed = headerStyle_ == hsAuto && enableVisualStyles_ && Window.VisualStyles();
    display_->Theme = Window.HeaderTheme();
    display_->FormatSettings = FormatSettings;
    display_->InputEditColumn = inputCol_;
}

void TRgCustomGridControl::Paint(ICanvas& Canvas, const TRect& ClipBox) {
    if (Updating()) return;
    // The paint ends for the derived grid also when a handler raises.
    struct TPaintScope {
        explicit TPaintScope(TRgCustomGridControl& grid) : Grid(grid) { Grid.PaintStarted(); }
        ~TPaintScope() { Grid.PaintEnded(); }
        TPaintScope(const TPaintScope&) = delete;
        TPaintScope& operator=(const TPaintScope&) = delete;
        TRgCustomGridControl& Grid;
    } scope(*this);
    display_->Canvas = &Canvas;
    PrepareDisplay();
    TSize client = Window.ClientSize();
    if (gridStyle_ == gsReport) {
        PaintRows(Canvas, ClipBox);
        PaintBands(Canvas);
        int right = columns_->TotalWidth() + IndicatorSize() - HorzScrollPos();
        if (right < client.cx) {
            int top = 0;
            if (display_->Themed && (options_ & goHeader)) {
                display_->DrawHeaderBand(TRect{right, 0, client.cx, headerSize_}, 1);
                top = headerSize_;
            }
            Canvas.FillRect(TRect{right, top, client.cx, client.cy}, color_);
        }
    } else {
        PaintSlidesHeader(Canvas);
        PaintSlides(Canvas, ClipBox);
    }
    if (GetShownRowCount() == 0 && !caption_.empty()) {
        TRect rows = GetRowsRect();
        const FontSpec& font = Font();
        Canvas.SetFont(font.Name, font.Height, font.Style);
        Canvas.SetTextColor(Window.Enabled() ? font.Color : clGrayText);
        int h = Canvas.TextExtent(caption_).cy;
        Canvas.SetBrushStyle(bsClear);
        Canvas.DrawText(caption_, TRect{rows.Left - HorzScrollPos(), rows.Top + 4, client.cx - HorzScrollPos(), rows.Top + 4 + h},
                        tfCenter | tfSingleLine | tfNoPrefix);
        Canvas.SetBrushStyle(bsSolid);
    }
    PaintOverlay(Canvas);
    Fire(OnPostDraw);
}

void TRgCustomGridControl::PaintRows(ICanvas& Canvas, const TRect& ClipBox) {
    TRect rows = GetRowsRect();
    int y = rows.Top, row = topRow_, count = RowCount();
    bool report = gridStyle_ == gsReport;
    while (y <= rows.Bottom) {
        if (row < count) {
            if (IsRowShown(row)) {
                int height = std::max(GetRowHeight(row), 0);
                y += lines_.TopHighlight;
                bool partial = HidePartialRows() && y + height + lines_.BottomLine > rows.Bottom;
                if (y <= ClipBox.Bottom && y + height + lines_.BottomLine >= ClipBox.Top) {
                    ForEachPaintedColumn([&](TRgCustomColumn*, int index, int x) {
                        TRect cell{x, y, x + columns_->Item(index)->Width(), y + height};
                        if (partial) DrawEmptyCell(Canvas, index, cell);
                        else DrawCell(Canvas, ClipBox, index, row, cell);
                    });
                    if (options_ & goIndicator) {
                        bool selected = row == currentRow_ && !inputRowActive_;
                        bool highlighted = !inputRowActive_ && (IsRowSelected(row) || row == currentRow_);
                        DrawRowIndicator(Canvas, row, selected, highlighted);
                    }
                }
                y += height + lines_.BottomLine;
            }
        } else {
            y += lines_.TopHighlight;
            if (y <= ClipBox.Bottom && y + rowSize_ + lines_.BottomLine >= ClipBox.Top) {
                ForEachPaintedColumn([&](TRgCustomColumn* c, int index, int x) {
                    DrawEmptyCell(Canvas, index, TRect{x, y, x + c->Width(), y + rowSize_});
                });
                if (options_ & goIndicator) DrawRowIndicator(Canvas, row, false, false);
            }
            y += rowSize_ + lines_.BottomLine;
        }
        ++row;
    }
    bottomRow_ = row;
    Canvas.ClipToRect(TRect{0, 0, Window.ClientSize().cx, Window.ClientSize().cy}, true);
    if (report && (options_ & goSelectFullRow)) DrawFocusRect(Canvas);
}

void TRgCustomGridControl::PaintSlidesHeader(ICanvas& Canvas) {
    if (!(options_ & goHeader)) return;
    TSize client = Window.ClientSize();
    int right = columns_->TotalWidth() + IndicatorSize() - HorzScrollPos();
    if (right < client.cx) {
        TRect strip{right, 0, client.cx, headerSize_};
        if (display_->Themed) display_->DrawHeaderBand(strip, 1);
        else Canvas.FillRect(strip, color_);
    }
    PaintBands(Canvas);
}

void TRgCustomGridControl::DrawSlideLabel(ICanvas& Canvas, const TRgCustomColumn& Column, int SlideTop) {
    if (Column.SlideCaption.empty()) return;
    const FontSpec& font = Column.Font();
    Canvas.SetFont(font.Name, font.Height, 0);
    Canvas.SetTextColor(clGrayText);
    Canvas.SetBrushStyle(bsClear);
    Canvas.DrawText(DefaultTextServices().FromAnsi(Column.SlideCaption), GetSlideLabelRect(Column, SlideTop, Canvas),
                    tfSingleLine | tfNoPrefix | tfNoClip | (Column.SlideCaptionLocation == clLeft ? tfRight : 0u));
    Canvas.SetBrushStyle(bsSolid);
}

void TRgCustomGridControl::PaintSlides(ICanvas& Canvas, const TRect& ClipBox) {
    TSize client = Window.ClientSize();
    TRect whole{0, 0, client.cx, client.cy};
    TRect rows = GetRowsRect();
    int y = rows.Top, count = RowCount();
    bool focused = Focused();
    int row = topRow_;
    for (; row < count && y < client.cy; ++row) {
        if (!IsRowShown(row)) continue;
        y += lines_.TopHighlight;
        TRect slide{0, y, client.cx, y + slideSize_};
        if (HidePartialRows() && slide.Bottom > rows.Bottom) break;
        TColor gridColor = gridLinesColor_;
        if (slide.Bottom + lines_.BottomLine >= ClipBox.Top && slide.Top - 1 <= ClipBox.Bottom) {
            if (appearanceOptions_ & ao3DGridLines) Canvas.Line(0, y - 1, client.cx, y - 1, color_);
            bool current = row == currentRow_;
            bool selected = current || IsRowSelected(row);
            TColor slideColor = color_;
            if (selected && focused) slideColor = slideSelectionColor_;
            else if (selected && !(slidesOptions_ & soHideSelection)) slideColor = clBtnFace;
            TSlideState state = 0;
            if (current) state |= stSelected;
            if (current && (slidesOptions_ & soFrame)) state |= stFocused;
            Fire(OnSlideColoring, row, slideColor, gridColor, state);
            Canvas.ClipToRect(slide, true);
            Canvas.FillRect(slide, slideColor);
            for (int k = 0; k < columns_->Count(); ++k) {
                TRgCustomColumn* c = columns_->Positions(k);
                if (!c->Visible()) continue;
                DrawCell(Canvas, ClipBox, columns_->IndexOf(c), row, GetSlideCellRect(*c, y));
                Canvas.ClipToRect(slide, true);
                DrawSlideLabel(Canvas, *c, y);
            }
            if (state & stFocused) {
                TColor frame = focused ? SelectionColor : inactiveSelectionColor_;
                Canvas.FrameRect(TRect{slide.Left + 2, slide.Top + 1, slide.Right - 2, slide.Bottom - 1}, frame);
                Canvas.FrameRect(TRect{slide.Left + 3, slide.Top + 2, slide.Right - 3, slide.Bottom - 2}, frame);
            }
            Canvas.ClipToRect(whole, true);
        }
        y += slideSize_ + lines_.BottomLine;
        if (options_ & goGrid) Canvas.Line(0, y - 1, client.cx, y - 1, gridColor);
    }
    bottomRow_ = row;
    if (y < client.cy) Canvas.FillRect(TRect{0, std::max(y, rows.Top), client.cx, client.cy}, color_);
}

void TRgCustomGridControl::DrawGridLines(ICanvas& Canvas, const TRect& r, TColor GridColor, bool LastRow,
                                         bool LastColumn) {
    if (lines_.BottomLine > 0) {
        TColor c = gridLinesStyle_ == lsFramed && LastRow ? clBlack : GridColor;
        Canvas.Line(r.Left, r.Bottom, r.Right + 1, r.Bottom, c);
    }
    if (lines_.TopHighlight > 0) Canvas.Line(r.Left, r.Top - 1, r.Right, r.Top - 1, clBtnHighlight);
    if (lines_.LeftHighlight > 0) Canvas.Line(r.Left, r.Top, r.Left, r.Bottom, clBtnHighlight);
    if (lines_.RightLine > 0) {
        TColor c = gridLinesStyle_ == lsFramed && LastColumn ? clBlack : GridColor;
        Canvas.Line(r.Right - 1, r.Top, r.Right - 1, r.Bottom + 1, c);
    }
}

namespace {
// Drawing is clipped to one cell for the length of the scope; the clip
// returns to the whole client area however the scope ends.
class TClipScope {
public:
    TClipScope(ICanvas& canvas, const TRect& cell, const TRect& client) : canvas_(canvas), client_(client) {
        canvas_.ClipToRect(cell, true);
    }
    ~TClipScope() { canvas_.ClipToRect(client_, true); }
    TClipScope(const TClipScope&) = delete;
    TClipScope& operator=(const TClipScope&) = delete;

private:
    ICanvas& canvas_;
    TRect client_;
};
}  // namespace

void TRgCustomGridControl::DrawCell(ICanvas& Canvas, const TRect& ClipBox, int ACol, int ARow, const TRect& CellRect) {
    TRgCustomColumn* column = columns_->Item(ACol);
    if (!column->Visible()) return;
    TRect withLines{CellRect.Left, CellRect.Top - lines_.TopHighlight, CellRect.Right, CellRect.Bottom + lines_.BottomLine};
    if (withLines.Right < ClipBox.Left || withLines.Left > ClipBox.Right || withLines.Bottom < ClipBox.Top ||
        withLines.Top > ClipBox.Bottom)
        return;
    const FontSpec& font = column->Font();
    Canvas.SetFont(font.Name, font.Height, font.Style);
    TColor cellColor = GetCellPaintColor(ACol, ARow);
    TCellState state = CellStateOf(ACol, ARow);
    TColumnDisplay& display = DisplayOf(column);
    display.Selected = (state & csSelected) != 0;
    TColor gridColor = gridLinesColor_;
    Fire(OnCellColoring, ACol, ARow, cellColor, gridColor, state);
    if (sortedColumn_ == column && column->Sorted() && !(state & csSelected)) {
        if (sortedStyle_ == soDarker) cellColor = DarkenColor(cellColor, 10);
        else if (sortedStyle_ == soWhite) cellColor = clWhite;
    }
    TRect rows = GetRowsRect();
    TRect clip = withLines;
    clip.Bottom = std::min(clip.Bottom, rows.Bottom);
    if (!column->IsFixed() && gridStyle_ == gsReport)
        clip.Left = std::max(clip.Left, IndicatorSize() + columns_->FixedWidth());
    TSize client = Window.ClientSize();
    TClipScope scope(Canvas, clip, TRect{0, 0, client.cx, client.cy});
    TRect r = CellRect;
    if ((options_ & goGrid) && gridStyle_ == gsReport) {
        DrawGridLines(Canvas, CellRect, gridColor, ARow == RowCount() - 1, column == columns_->LastVisible());
        r.Left += lines_.LeftHighlight;
        r.Right -= lines_.RightLine;
    }
    bool defaultDrawing = !(appearanceOptions_ & aoDontFillCells) && column->DrawingOptions() != doCustomOnly;
    paintedCol_ = ACol;
    paintedRow_ = ARow;
    Fire(OnDrawCellBackground, ACol, ARow, r, state, defaultDrawing);
    display.Canvas = &Canvas;
    display.CellRect = r;
    display.Col = ACol;
    display.Row = ARow;
    display.DisplayTag = GetDisplayTag(ARow);
    display.HighlightedTextColor = highlightedTextColor_;
    display.Tree.Active = false;
    if (column->TreeColumn) PrepareCellDisplay(ACol, ARow, display.Tree);
    if (defaultDrawing) Canvas.FillRect(r, cellColor);
    if (display.Tree.Active) {
        DrawTree(Canvas, r, display.Tree);
        display.CellRect.Left = TreeContentLeft(r, display.Tree.Level);
    }
    display.IsCurrent = ACol == currentCol_ && ARow == currentRow_;
    display.CellRect.Left += column->Padding;
    display.CellRect.Right -= column->Padding;
    TDrawingOptions drawing = column->DrawingOptions();
    if ((drawing == doNormal || drawing == doCustom) && !IsCellHidden(ACol, ARow) && ApplyCellFont(Canvas, ACol, ARow, state)) {
        GetCellInfo(ACol, ARow, display);
        display.Paint();
    }
    if ((appearanceOptions_ & aoHintMarks) && !GetCellHint(ACol, ARow).empty()) display.DrawHintMark();
    if (drawing != doNormal) Fire(OnCustomDrawCell, ACol, ARow, r, state);
    if (!(options_ & goSelectFullRow) && display.IsCurrent) DrawFocusRect(Canvas);
    paintedCol_ = paintedRow_ = -1;
}

void TRgCustomGridControl::DrawEmptyCell(ICanvas& Canvas, int ACol, const TRect& CellRect) {
    TRgCustomColumn* column = columns_->Item(ACol);
    TColor back = color_;
    if ((appearanceOptions_ & aoIndicateSortedColumn) && column->Sorted()) back = DarkenColor(back, 10);
    TColor gridColor =
        (gridLinesStyle_ == lsActiveRows || gridLinesStyle_ == lsActiveHorzOnly) ? back : gridLinesColor_;
    Fire(OnCellColoring, ACol, -1, back, gridColor, static_cast<TCellState>(csEmpty));
    TRect r = CellRect;
    if (options_ & goGrid) {
        DrawGridLines(Canvas, CellRect, gridColor, false, false);
        r.Left += lines_.LeftHighlight;
        r.Right -= lines_.RightLine;
    }
    bool defaultDrawing = true;
    Fire(OnDrawCellBackground, ACol, -1, r, static_cast<TCellState>(csEmpty), defaultDrawing);
    if (defaultDrawing) Canvas.FillRect(r, back);
}

void TRgCustomGridControl::DrawRowIndicator(ICanvas& Canvas, int Index, bool Selected, bool Highlighted) {
    display_->Canvas = &Canvas;
    int top = GetRowTop(Index);
    int height = Index < RowCount() ? GetRowHeight(Index) : rowSize_;
    TRect r{0, top - lines_.TopHighlight, IndicatorWidth, top + height + lines_.BottomLine};
    if (indicatorDrawingOptions_ == doNormal || indicatorDrawingOptions_ == doBackgroundOnly)
        display_->DrawIndicatorCell(r, Selected ? 1 : 0);
    if (indicatorDrawingOptions_ == doNormal || indicatorDrawingOptions_ == doCustom)
        display_->DrawIndicatorMark(r, Selected, false);
    if (indicatorDrawingOptions_ != doNormal) Fire(OnCustomDrawIndicator, Index, r, Selected, Highlighted);
}

void TRgCustomGridControl::DrawFocusRect(ICanvas& Canvas) {
    if (!columns_->IsValidIndex(currentCol_) || currentRow_ < 0 || currentRow_ >= RowCount() || currentRow_ < topRow_)
        return;
    if (inputRowActive_ || !Focused() || (appearanceOptions_ & aoHideFocus)) return;
    TRect rows = GetRowsRect(), r;
    if (options_ & goSelectFullRow) {
        int top = GetRowTop(currentRow_);
        r = TRect{rows.Left + lines_.LeftHighlight, top, rows.Right - lines_.RightLine, top + GetRowHeight(currentRow_)};
    } else {
        GetCellRect(currentCol_, currentRow_, r);
        r.Left += lines_.LeftHighlight;
        r.Right -= lines_.RightLine;
        if (!columns_->Item(currentCol_)->IsFixed()) r.Left = std::max(r.Left, IndicatorSize() + columns_->FixedWidth());
    }
    if (r.Bottom < rows.Top || r.Top > rows.Bottom) return;
    TGraphicsProvider::DrawFocusFrame(Canvas, r, (appearanceOptions_ & aoAlphaBlendedSelection) != 0);
}

void TRgCustomGridControl::PaintBands(ICanvas& Canvas) {
    TSize client = Window.ClientSize();
    TRect whole{0, 0, client.cx, client.cy};
    ForEachPaintedColumn([&](TRgCustomColumn* c, int, int x) {
        if (options_ & goHeader) {
            TRect r{x, 0, x + c->Width(), headerSize_};
            Canvas.ClipToRect(r, true);
            display_->DrawHeader(*c, r);
            Canvas.ClipToRect(whole, true);
        }
        if ((options_ & goInput) && gridStyle_ == gsReport) {
            TRect r = GetInputCellRect(*c);
            Canvas.ClipToRect(r, true);
            display_->DrawInputCell(*c, r, Focused(), inputRowActive_, (options_ & goGrid) != 0);
            Canvas.ClipToRect(whole, true);
        }
        if ((options_ & goFooter) && gridStyle_ == gsReport) {
            TRect footer = GetFooterRect();
            TRect r{x, footer.Top + 4, x + c->Width(), footer.Bottom};
            display_->DrawFooter(*c, r, (options_ & goGrid) != 0);
            Canvas.ClipToRect(whole, true);
        }
    });
    if (gridStyle_ != gsReport) {
        if ((options_ & goIndicator) && (options_ & goHeader)) display_->DrawIndicatorHeader(TRect{0, 0, IndicatorWidth, headerSize_});
        return;
    }
    if (options_ & goInput) {
        TRect input = GetInputRect();
        Canvas.FillRect(TRect{input.Left - HorzScrollPos(), input.Bottom - 6 - lines_.BottomLine, input.Right, input.Bottom}, color_);
        if (options_ & goIndicator) display_->DrawHeaderBand(TRect{0, input.Top, IndicatorWidth, input.Bottom}, 0);
    }
    if (options_ & goFooter) {
        TRect footer = GetFooterRect();
        display_->DrawFooterBand(TRect{footer.Left, footer.Top, footer.Right, footer.Top + 4});
        if (options_ & goIndicator) display_->DrawHeaderBand(TRect{0, footer.Top, IndicatorWidth, footer.Bottom}, 1);
    }
    if ((options_ & goIndicator) && (options_ & goHeader)) display_->DrawIndicatorHeader(TRect{0, 0, IndicatorWidth, headerSize_});
}

int TRgCustomGridControl::RowAutoHeight(int ARow, ICanvas& Canvas) {
    int height = rowSize_;
    if (ARow < 0 || ARow >= RowCount()) return height;
    for (int k = 0; k < columns_->Count(); ++k) {
        TRgCustomColumn* column = columns_->Item(k);
        if (!column->Visible()) continue;
        TColumnDisplay& display = DisplayOf(column);
        ICanvas* cellCanvas = display.Canvas;
        display.Canvas = &Canvas;
        ApplyCellFont(Canvas, k, ARow, CellStateOf(k, ARow));
        GetCellInfo(k, ARow, display);
        Fire(OnApplyCell, k, ARow, display.Text);
        display.CellRect = TRect{column->Padding, 0, column->Width() - lines_.RightLine - column->Padding, rowSize_};
        height = std::max(height, display.GetTextExtent().cy);
        display.Canvas = cellCanvas;
    }
    return height;
}

int TRgCustomGridControl::BestFitWidth(TRgCustomColumn* Column, ICanvas& Canvas, bool AllRows) {
    int index = columns_->IndexOf(Column);
    if (index < 0) return 0;
    // The canvas may be a short-lived one for measuring: the displays get
    // back the one they had.
    ICanvas* headerCanvas = display_->Canvas;
    display_->Canvas = &Canvas;
    const FontSpec& font = Column->Header.ParentFont() ? Font() : Column->Header.Font();
    Canvas.SetFont(font.Name, font.Height, font.Style);
    int widest = (options_ & goHeader) ? Canvas.TextExtent(Column->Header.Caption()).cx + 4 +
                                             display_->GetHeaderExtraWidth(*Column) + (Column->Sorted() ? 27 : 0)
                                       : 8;
    TColumnDisplay& display = DisplayOf(Column);
    ICanvas* cellCanvas = display.Canvas;
    display.Canvas = &Canvas;
    for (int r = 0; r < RowCount(); ++r) {
        if (!AllRows && !IsRowShown(r)) continue;
        ApplyCellFont(Canvas, index, r, CellStateOf(index, r));
        GetCellInfo(index, r, display);
        Fire(OnApplyCell, index, r, display.Text);
        display.CellRect = TRect{0, 0, 100000, GetRowHeight(r)};
        widest = std::max(widest, display.GetContentWidth());
    }
    display.Canvas = cellCanvas;
    display_->Canvas = headerCanvas;
    return 2 * Column->Padding + 5 + widest;
}

}  // namespace ad::grid
