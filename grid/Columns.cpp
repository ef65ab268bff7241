// The column model and the column list.
#include "grid/Columns.h"

#include "grid/DrawRoutines.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace ad::grid {

namespace {

const TFormatSettings& SettingsOf(const TCell& cell) {
    return cell.Cells ? cell.Cells->TextServices().Settings() : DefaultTextServices().Settings();
}

}  // namespace

// --- column parts

void TColumnPart::Repaint(int band) {
    if (Column) Column->Repaint(band);
}

void TColumnPart::SetCaption(const std::u16string& value) {
    caption_ = value;
    if (Column && this == &Column->Header) Column->NotifyListeners(ccCaption);
    Repaint(cbAll);
}

void TColumnPart::SetColor(TColor value) {
    color_ = value;
    Repaint(cbAll);
}

void TColumnPart::SetDisplayMode(TDisplayMode value) {
    displayMode_ = value;
    Changed();
}

void TColumnPart::SetDrawingOptions(TDrawingOptions value) {
    drawingOptions_ = value;
    Changed();
}

void TColumnPart::SetGlyph(const TBitmap32& value) {
    glyph_ = ClearedByCorner(value);
    Changed();
}

void TColumnPart::AssignPart(const TColumnPart& other) {
    SetCaption(other.caption_);
    glyph_ = other.glyph_;
    SetColor(other.color_);
    SetDisplayMode(other.displayMode_);
    SetDrawingOptions(other.drawingOptions_);
    Hint = other.Hint;
}

void TColumnHeader::Assign(const TColumnHeader& other) {
    if (&other == this) return;
    AssignPart(other);
    SetOrientation(other.orientation_);
    SetAlignment(other.alignment_);
    SetMultiLine(other.multiLine_);
    SetHideArrow(other.hideArrow_);
    SetFont(other.font_);
    SetParentFont(other.parentFont_);
}

void TColumnHeader::SetOrientation(THeaderOrientation value) {
    orientation_ = value;
    Repaint(cbHeader);
}

void TColumnHeader::SetAlignment(TAlignment value) {
    alignment_ = value;
    Repaint(cbHeader);
}

void TColumnHeader::SetMultiLine(bool value) {
    multiLine_ = value;
    Repaint(cbHeader);
}

void TColumnHeader::SetHideArrow(bool value) {
    hideArrow_ = value;
    Repaint(cbHeader);
}

void TColumnHeader::SetFont(const FontSpec& value) {
    font_ = value;
    Changed();
}

void TColumnHeader::SetParentFont(bool value) {
    parentFont_ = value;
    Changed();
}

void TColumnFooter::Assign(const TColumnFooter& other) {
    if (&other == this) return;
    SetAlignment(other.alignment_);
    SetDrawingOptions(other.DrawingOptions());
    SetFormulaKind(other.formulaKind_);
    SetFormatMask(other.formatMask_);
    SetFormatMaskKind(other.formatMaskKind_);
    SetTextAfter(other.textAfter_);
    SetTextBefore(other.textBefore_);
}

void TColumnFooter::SetAlignment(TAlignment value) {
    alignment_ = value;
    Repaint(cbFooter);
}

void TColumnFooter::SetFormatMask(const std::string& value) {
    formatMask_ = value;
    Changed();
}

void TColumnFooter::SetFormatMaskKind(TFormatMaskKind value) {
    formatMaskKind_ = value;
    Changed();
}

void TColumnFooter::SetFormulaKind(TFormulaKind value) {
    formulaKind_ = value;
    Changed();
}

void TColumnFooter::SetTextAfter(const std::u16string& value) {
    textAfter_ = value;
    Changed();
}

void TColumnFooter::SetTextBefore(const std::u16string& value) {
    textBefore_ = value;
    Changed();
}

// --- TRgSlideBounds

void TRgSlideBounds::Changed() {
    if (Column) Column->Notify(cnSlideOrOptions);
}

void TRgSlideBounds::SetLeft(int value) {
    left_ = value;
    Changed();
}

void TRgSlideBounds::SetTop(int value) {
    top_ = value;
    Changed();
}

void TRgSlideBounds::SetWidth(int value) {
    if (width_ == value) return;
    width_ = value;
    Changed();
}

void TRgSlideBounds::SetHeight(int value) {
    if (height_ == value) return;
    height_ = value;
    Changed();
}

void TRgSlideBounds::Assign(const TRgSlideBounds& other) {
    if (&other == this) return;
    SetLeft(other.left_);
    SetTop(other.top_);
    SetWidth(other.width_);
    SetHeight(other.height_);
}

// --- TRgCustomColumn

TRgCustomColumn::TRgCustomColumn() {
    auto repaint = [this](TColumnPart*) { Notify(cnRepaint); };
    Header.OnChange = repaint;
    Footer.OnChange = repaint;
}

TRgCustomColumn::~TRgCustomColumn() = default;

void TRgCustomColumn::Notify(int code, int parameter) {
    if (list_) list_->ColumnNotice(this, code, parameter);
}

void TRgCustomColumn::Repaint(int band) {
    if (list_ && list_->Host.OnColumnRepaint) list_->Host.OnColumnRepaint(this, band);
}

int TRgCustomColumn::AddChangeListener(TColumnChangeListener listener) {
    int cookie = nextCookie_++;
    listeners_.emplace_back(cookie, std::move(listener));
    return cookie;
}

void TRgCustomColumn::RemoveChangeListener(int cookie) {
    std::erase_if(listeners_, [cookie](const auto& entry) { return entry.first == cookie; });
}

void TRgCustomColumn::NotifyListeners(int what) {
    // A listener may add or remove listeners: call the ones listed now that
    // are still listed when their turn comes.
    std::vector<int> cookies;
    for (const auto& entry : listeners_) cookies.push_back(entry.first);
    for (int cookie : cookies) {
        auto it = std::find_if(listeners_.begin(), listeners_.end(), [cookie](const auto& e) { return e.first == cookie; });
        if (it == listeners_.end()) continue;
        TColumnChangeListener call = it->second;
        if (call) call(this, what);
    }
}

void TRgCustomColumn::SetAlignment(TAlignment value) {
    alignment_ = value;
    NotifyListeners(ccAlignment);
    Notify(cnRepaint);
}

void TRgCustomColumn::SetBiDiMode(bool value) {
    biDiMode_ = value;
    Notify(cnRepaint);
}

void TRgCustomColumn::SetColor(TColor value) {
    color_ = value;
    NotifyListeners(ccColorOrOptions);
    Notify(cnRepaint);
}

void TRgCustomColumn::SetCursor(int value) {
    cursor_ = value;
    Notify(cnRepaint);
}

void TRgCustomColumn::SetDrawingOptions(TDrawingOptions value) {
    drawingOptions_ = value;
    NotifyListeners(ccDrawingOptions);
    Notify(cnRepaint);
}

void TRgCustomColumn::SetInputCaption(const std::u16string& value) {
    inputCaption_ = value;
    Notify(cnRepaint);
}

void TRgCustomColumn::SetParentFont(bool value) {
    parentFont_ = value;
    if (value && list_) TakeParentFont(list_->GridFont());
}

void TRgCustomColumn::TakeParentFont(const FontSpec& font) {
    font_ = font;
    Notify(cnRepaint);
}

void TRgCustomColumn::Assign(const TRgCustomColumn& source) {
    if (&source == this) return;
    SetAlignment(source.alignment_);
    AutoEdit = source.AutoEdit;
    SetColor(source.color_);
    SetCursor(source.cursor_);
    DefaultValue = source.DefaultValue;
    SetDrawingOptions(source.drawingOptions_);
    SetFont(source.font_);
    Footer.Assign(source.Footer);
    Header.Assign(source.Header);
    SetInputCaption(source.inputCaption_);
    SetInputValue(source.InputValue);
    SetOptions(source.options_);
    SetParentFont(source.parentFont_);
    if (source.position_ >= 0) SetPosition(source.position_);  // a column outside any list has none
    SlideBounds.Assign(source.SlideBounds);
    if (source.sorted_ != sorted_) SetSorted(source.sorted_);
    SetSortKind(source.SortKind);
    VerticalAlignment = source.VerticalAlignment;
    SetVisible(source.visible_);
    SetWidth(source.width_);
    WrapKind = source.WrapKind;
}

int TRgCustomColumn::ClientLeft() const {
    if (!list_ || IsFixed()) return left_;
    return left_ - list_->Host.HorzScrollPos();
}

bool TRgCustomColumn::IsFixed() const { return list_ && position_ >= 0 && position_ < list_->FixedCount(); }

TRect TRgCustomColumn::BandRect(TColumnBand band) const {
    if (!list_ || !list_->Host.BandSpan) return TRect{};
    auto [top, bottom] = list_->Host.BandSpan(band);
    int left = ClientLeft();
    return TRect{left, top, left + (visible_ ? width_ : 0), bottom};
}

bool TRgCustomColumn::IsFirstVisible() const { return list_ && list_->FirstVisible() == this; }
bool TRgCustomColumn::IsLastVisible() const { return list_ && list_->LastVisible() == this; }

TRgCustomColumn* TRgCustomColumn::NextVisible() {
    if (!list_) return this;
    for (int k = position_ + 1; k < list_->Count(); ++k) {
        TRgCustomColumn* c = list_->Positions(k);
        if (c->Visible() && c->Enabled) return c;
    }
    return this;
}

TRgCustomColumn* TRgCustomColumn::PriorVisible() {
    if (!list_) return this;
    for (int k = std::min(position_, list_->Count()) - 1; k >= 0; --k) {
        TRgCustomColumn* c = list_->Positions(k);
        if (c->Visible() && c->Enabled) return c;
    }
    return this;
}

bool TRgCustomColumn::IsSelected() const {
    return list_ && list_->Host.SelectedColumn && list_->Host.SelectedColumn() == this;
}

TColumnPlace TRgCustomColumn::Place() const {
    int count = list_ ? list_->VisibleCount() : 0;
    if (visibleIndex_ < 0 || count <= 1) return cpOnly;
    if (visibleIndex_ == 0) return cpFirst;
    return visibleIndex_ == count - 1 ? cpLast : cpMiddle;
}

int TRgCustomColumn::GetEditAbility() const {
    if (!Enabled || (!(GetColumnFeatures() & 2) && !InplaceEdit)) return 0;
    return ((options_ & coEditing) ? 1 : 0) | ((options_ & coCanInput) ? 2 : 0);
}

int TRgCustomColumn::GetTextFitWidth(ICanvas& canvas, std::u16string_view text) const {
    const ITextServices& ts = DefaultTextServices();
    return std::max(WideTextWidth(canvas, ts.FromAnsi(ts.ToAnsi(text))) + 6, 8);
}

std::u16string TRgCustomColumn::GetDrawText(TCell& cell) const {
    std::u16string text = cell.AsString();
    if (OnGetDrawText) OnGetDrawText(const_cast<TRgCustomColumn*>(this), text);
    return text;
}

void TRgCustomColumn::SetOptions(TColumnOptions value) {
    TColumnOptions old = options_;
    options_ = value;
    if (list_ && (value & coSearchColumn) && !(old & coSearchColumn)) {
        for (int k = 0; k < list_->Count(); ++k) {
            TRgCustomColumn* other = list_->Item(k);
            if (other != this) other->options_ &= static_cast<TColumnOptions>(~coSearchColumn);
        }
    }
    if (list_ && !((old & coAutoSize) && (value & coAutoSize))) list_->AutoSizeColumns(this, true);
    NotifyListeners(ccColorOrOptions);
    Notify(cnRepaint);
}

void TRgCustomColumn::SetPosition(int value) {
    if (list_ && list_->Count() > 0) {
        value = std::clamp(value, 0, list_->Count() - 1);
        list_->Move(position_, value);
        Notify(cnMoved, -1);
    }
    position_ = value;
}

void TRgCustomColumn::SetSorted(bool value) {
    if (GetColumnFeatures() & 4) return;
    if (value) {
        if (list_) {
            for (int k = 0; k < list_->Count(); ++k) {
                TRgCustomColumn* other = list_->Item(k);
                if (other != this && other->sorted_) {
                    other->sorted_ = false;
                    other->Notify(cnUnsorted);
                }
            }
        }
        sorted_ = true;
        Notify(cnSorted);
    } else {
        sorted_ = false;
        Notify(cnUnsorted);
    }
}

void TRgCustomColumn::SetVisible(bool value) {
    if (visible_ == value) return;
    visible_ = value;
    NotifyListeners(ccVisible);
    Notify(cnVisible);
    if (list_) {
        list_->UpdatePositions(false);
        list_->AutoSizeColumns();
    }
}

void TRgCustomColumn::SetWidthInternal(int value) {
    int old = width_;
    width_ = std::max(value, MinWidth);
    if (list_) list_->UpdatePositions(false);
    Notify(cnWidth, width_ - old);
}

void TRgCustomColumn::SetWidth(int value) {
    SetWidthInternal(value);
    if (list_) list_->AutoSizeColumns(this, false);
    if (list_ && list_->Designing) DefaultWidth = width_;
}

void TRgCustomColumn::SetFont(const FontSpec& font) {
    font_ = font;
    parentFont_ = false;
    Notify(cnRepaint);
}

void TRgCustomColumn::SetSortKind(TSortKind value) {
    SortKind = value;
    Notify(cnSortChanged);
}

void TRgCustomColumn::SetSortType(TSortType value) {
    SortType = value;
    Notify(cnSortChanged);
}

void TRgCustomColumn::SetInputValue(const std::u16string& value) {
    InputValue = value;
    Notify(cnInputValue);
}

void TRgCustomColumn::SetSlideOptions(std::uint8_t value) {
    slideOptions_ = value;
    Notify(cnSlideOrOptions);
}

// --- column classes

TRgTextColumn::TRgTextColumn() { SetOptions(Options() | coShowTextFitHint); }

void TRgTextColumn::Assign(const TRgCustomColumn& source) {
    TRgCustomColumn::Assign(source);
    if (auto* text = dynamic_cast<const TRgTextColumn*>(&source)) {
        MaxLength = text->MaxLength;
        SetMultiLine(text->multiLine_);
        SetPasswordChar(text->passwordChar_);
        SetTextAfter(text->textAfter_);
        SetTextBefore(text->textBefore_);
    }
}

std::u16string TRgTextColumn::GetDrawText(TCell& cell) const {
    std::u16string text = textBefore_ + TRgCustomColumn::GetDrawText(cell) + textAfter_;
    if (passwordChar_) text.assign(text.size(), passwordChar_);
    return text;
}

int TRgTextColumn::GetTextFitWidth(ICanvas& canvas, std::u16string_view text) const {
    return WideTextWidth(canvas, text) + 5;
}

TRgCustomNumberColumn::TRgCustomNumberColumn() {
    DecimalSeparator = LocalSettings().DecimalSeparator();
    DefaultValue = u"0";
    SortType = stNumeric;
    SetColumnKind(4);
}

std::u16string TRgCustomNumberColumn::GetDrawText(TCell& cell) const {
    double value = cell.AsFloat();
    std::u16string text;
    if (hideWhenEmpty_ && value == emptyValue_) {
        text = emptyCaption_;
    } else {
        const TFormatSettings& fs = SettingsOf(cell);
        text = textBefore_ + (formatMask_.empty() ? FloatToText(value, fs) : FormatFloatMask(formatMask_, value, fs)) +
               textAfter_;
    }
    if (OnGetDrawText) OnGetDrawText(const_cast<TRgCustomNumberColumn*>(this), text);
    return text;
}

bool TRgCustomNumberColumn::IsEditKey(char16_t key) const {
    if (key >= u'0' && key <= u'9') return true;
    if ((key == u'+' || key == u'-') && (EditOptions & eoAllowSigns)) return true;
    return key == DecimalSeparator && (EditOptions & eoAllowFloat);
}

void TRgCustomNumberColumn::Assign(const TRgCustomColumn& source) {
    TRgCustomColumn::Assign(source);
    if (auto* number = dynamic_cast<const TRgCustomNumberColumn*>(&source)) {
        EditOptions = number->EditOptions;
        Max = number->Max;
        Min = number->Min;
        DecimalSeparator = number->DecimalSeparator;
        SetEmptyCaption(number->emptyCaption_);
        SetEmptyValue(number->emptyValue_);
        SetFormatMask(number->formatMask_);
        SetHideWhenEmpty(number->hideWhenEmpty_);
        SetTextAfter(number->textAfter_);
        SetTextBefore(number->textBefore_);
    }
}

TRgNumberColumn::TRgNumberColumn() { SetAlignment(taRightJustify); }

void TRgNumberColumn::Assign(const TRgCustomColumn& source) {
    TRgCustomNumberColumn::Assign(source);
    if (auto* number = dynamic_cast<const TRgNumberColumn*>(&source)) {
        ButtonCaption = number->ButtonCaption;
        Increment = number->Increment;
        Precision = number->Precision;
        ShowButton = number->ShowButton;
        SpinButtons = number->SpinButtons;
        OnButtonClick = number->OnButtonClick;
    }
}

TRgRateColumn::TRgRateColumn() {
    DefaultValue = u"0";
    SortType = stNumeric;
    SetColumnKind(7);
}

void TRgRateColumn::Assign(const TRgCustomColumn& source) {
    TRgCustomColumn::Assign(source);
    if (auto* rate = dynamic_cast<const TRgRateColumn*>(&source)) {
        SetMax(rate->max_);
        SetTransparent(rate->transparent_);
        SetHideWhenEmpty(rate->hideWhenEmpty_);
        SetGlyph(rate->glyph_);
        SetEmptyGlyph(rate->emptyGlyph_);
    }
}

void TRgRateColumn::SetTransparent(bool value) {
    transparent_ = value;
    glyphClear_ = value ? ClearedByCorner(glyph_) : TBitmap32{};
    emptyGlyphClear_ = value ? ClearedByCorner(emptyGlyph_) : TBitmap32{};
    Repaint(cbCells);
}

void TRgRateColumn::SetGlyph(const TBitmap32& value) {
    glyph_ = value;
    glyphClear_ = transparent_ ? ClearedByCorner(glyph_) : TBitmap32{};
    Repaint(cbCells);
}

void TRgRateColumn::SetEmptyGlyph(const TBitmap32& value) {
    emptyGlyph_ = value;
    emptyGlyphClear_ = transparent_ ? ClearedByCorner(emptyGlyph_) : TBitmap32{};
    Repaint(cbCells);
}

TBitmap32 ClearedByCorner(const TBitmap32& image) {
    TBitmap32 out = image;
    TImageView32 view = out.View();
    if (view.Empty()) return out;
    const std::uint8_t* corner = view.Pixel(0, view.Height - 1);
    std::uint8_t b = corner[0], g = corner[1], r = corner[2];
    for (int y = 0; y < view.Height; ++y)
        for (int x = 0; x < view.Width; ++x) {
            std::uint8_t* px = view.Pixel(x, y);
            px[3] = (px[0] == b && px[1] == g && px[2] == r) ? 0 : 255;
        }
    return out;
}

// --- TRgColumns

TRgColumns::~TRgColumns() {
    Host = TColumnListHost{};
    Clear();
}

TRgCustomColumn* TRgColumns::Add(std::unique_ptr<TRgCustomColumn> column) {
    TRgCustomColumn* raw = column.get();
    raw->list_ = this;
    items_.push_back(std::move(column));
    positions_.push_back(raw);
    raw->position_ = static_cast<int>(positions_.size()) - 1;
    if (raw->parentFont_) raw->font_ = gridFont_;
    UpdatePositions(false);
    AutoSizeColumns();
    lastAdded_ = raw;
    if (Host.OnStructureChange) Host.OnStructureChange(0, Count() - 1, 0);
    if (Host.OnAfterStructureChange) Host.OnAfterStructureChange();
    return raw;
}

void TRgColumns::Remove(TRgCustomColumn* column) {
    int index = IndexOf(column);
    if (index < 0) return;
    std::unique_ptr<TRgCustomColumn> owned = std::move(items_[static_cast<size_t>(index)]);
    items_.erase(items_.begin() + index);
    if (Host.OnStructureChange) Host.OnStructureChange(1, index, 0);
    positions_.erase(std::find(positions_.begin(), positions_.end(), column));
    if (lastAdded_ == column) lastAdded_ = nullptr;
    owned->list_ = nullptr;
    if (!clearing_) {
        UpdatePositions(true);
        AutoSizeColumns();
        if (Host.OnAfterStructureChange) Host.OnAfterStructureChange();
    }
}

void TRgColumns::Clear() {
    clearing_ = true;
    while (!items_.empty()) Remove(items_.back().get());
    clearing_ = false;
    fixedWidth_ = 0;
}

int TRgColumns::IndexOf(const TRgCustomColumn* column) const {
    for (size_t k = 0; k < items_.size(); ++k)
        if (items_[k].get() == column) return static_cast<int>(k);
    return -1;
}

int TRgColumns::VisibleCount() const {
    return static_cast<int>(std::count_if(positions_.begin(), positions_.end(), [](auto* c) { return c->Visible(); }));
}

int TRgColumns::TotalWidth() const {
    int sum = 0;
    for (auto* c : positions_)
        if (c->Visible()) sum += c->Width();
    return sum;
}

TRgCustomColumn* TRgColumns::FirstVisible() const {
    for (auto* c : positions_)
        if (c->Visible() && c->Enabled) return c;
    return nullptr;
}

TRgCustomColumn* TRgColumns::LastVisible() const {
    for (auto it = positions_.rbegin(); it != positions_.rend(); ++it)
        if ((*it)->Visible() && (*it)->Enabled) return *it;
    return nullptr;
}

void TRgColumns::Move(int from, int to) {
    if (positions_.empty()) return;
    int last = static_cast<int>(positions_.size()) - 1;
    from = std::clamp(from, 0, last);
    to = std::clamp(to, 0, last);
    TRgCustomColumn* moved = positions_[static_cast<size_t>(from)];
    positions_.erase(positions_.begin() + from);
    positions_.insert(positions_.begin() + to, moved);
    UpdatePositions(true);
    moved->Notify(cnMoved, from);
}

void TRgColumns::UpdatePositions(bool renumber) {
    fixedWidth_ = 0;
    for (int k = 0; k < fixedCount_ && k < static_cast<int>(positions_.size()); ++k)
        if (positions_[static_cast<size_t>(k)]->Visible()) fixedWidth_ += positions_[static_cast<size_t>(k)]->Width();
    int left = Host.IndicatorShown ? 12 : 0, visibleIndex = 0;
    for (size_t k = 0; k < positions_.size(); ++k) {
        TRgCustomColumn* c = positions_[k];
        if (c->Visible()) {
            c->left_ = left;
            c->visibleIndex_ = visibleIndex++;
            left += c->Width();
        } else {
            c->visibleIndex_ = -1;
        }
        if (renumber) c->position_ = static_cast<int>(k);
    }
}

void TRgColumns::AutoSizeColumns(TRgCustomColumn* from, bool afterOptions) {
    int start = 0, left = 0;
    if (from) {
        int pos = static_cast<int>(std::find(positions_.begin(), positions_.end(), from) - positions_.begin());
        if (afterOptions) {
            start = pos;
            left = from->Left();
        } else {
            start = pos + 1;
            left = from->Visible() ? from->Left() + from->Width() : from->Left();
        }
    }
    if (Host.IndicatorShown) left -= 12;
    double autoWidth = 0, fixed = 0;
    std::vector<TRgCustomColumn*> autoColumns;
    std::vector<int> widths;
    for (size_t k = static_cast<size_t>(std::max(start, 0)); k < positions_.size(); ++k) {
        TRgCustomColumn* c = positions_[k];
        if (!c->Visible()) continue;
        if (c->Options() & coAutoSize) {
            autoWidth += c->Width();
            autoColumns.push_back(c);
            widths.push_back(c->Width());
        } else {
            fixed += c->Width();
        }
    }
    if (autoColumns.empty()) return;
    double freeWidth = Host.ClientWidth() - left - fixed;
    double remainder = 0;
    TRgCustomColumn* lastTruncated = nullptr;
    for (size_t k = 0; k < autoColumns.size(); ++k) {
        double share = autoWidth == 0 ? 0 : freeWidth * widths[k] / autoWidth;
        double whole = std::trunc(share);
        remainder += share - whole;
        int width = static_cast<int>(whole);
        if (remainder >= 1 - 1e-9) {
            ++width;
            remainder -= 1;
        } else {
            lastTruncated = autoColumns[k];
        }
        autoColumns[k]->SetWidthInternal(width);
    }
    if (remainder > 0.001 && lastTruncated) lastTruncated->SetWidthInternal(lastTruncated->Width() + 1);
}

void TRgColumns::SetFixedCount(int count) {
    fixedCount_ = std::clamp(count, 0, Count());
    UpdatePositions(false);
}

void TRgColumns::ShiftSlides(int oldWidth, int newWidth) {
    int diff = newWidth - oldWidth;
    for (auto& c : items_) {
        if (!(c->SlideAnchors & akRight)) continue;
        if (c->SlideAnchors & akLeft) c->SlideBounds.SetWidth(c->SlideBounds.Width() + diff);
        else c->SlideBounds.SetLeft(c->SlideBounds.Left() + diff);
    }
}

void TRgColumns::SetGridFont(const FontSpec& font) {
    gridFont_ = font;
    for (auto& c : items_)
        if (c->parentFont_) c->TakeParentFont(font);
}

TColumnAttrs TRgColumns::ColumnAttrs(int index) const {
    const TRgCustomColumn* c = Item(index);
    return {c->ColumnKind, c->Color(), c->Font().Style, c->Font().Color};
}

void TRgColumns::ColumnNotice(TRgCustomColumn* column, int code, int parameter) {
    if (Host.OnColumnChange) Host.OnColumnChange(column, code, parameter);
}

// --- float patterns

std::u16string FormatFloatMask(const std::string& maskText, double value, const TFormatSettings& fs) {
    std::string mask = maskText.substr(0, maskText.find(';'));
    size_t first = mask.find_first_of("0#"), last = mask.find_last_of("0#");
    if (first == std::string::npos || !std::isfinite(value)) return FloatToText(value, fs);
    std::string prefix = mask.substr(0, first), suffix = mask.substr(last + 1), body = mask.substr(first, last - first + 1);
    size_t point = mask.find('.');
    auto unquote = [](std::string t) {
        t.erase(std::remove_if(t.begin(), t.end(), [](char c) { return c == '\'' || c == '"'; }), t.end());
        return t;
    };
    prefix = unquote(prefix);
    suffix = unquote(suffix);
    std::string intPart = body, fracPart;
    if (point != std::string::npos && point > first && point < last) {
        intPart = body.substr(0, point - first);
        fracPart = body.substr(point - first + 1);
    }
    int minInt = static_cast<int>(std::count(intPart.begin(), intPart.end(), '0'));
    int minFrac = static_cast<int>(std::count(fracPart.begin(), fracPart.end(), '0'));
    int maxFrac = minFrac + static_cast<int>(std::count(fracPart.begin(), fracPart.end(), '#'));
    bool thousands = intPart.find(',') != std::string::npos;
    char buf[400];
    // Ties round away from zero, as number formatting does for display.
    double scaled = std::fabs(value) * std::pow(10.0, maxFrac);
    if (scaled < 1e15) std::snprintf(buf, sizeof buf, "%.*f", maxFrac, std::round(scaled) / std::pow(10.0, maxFrac));
    else std::snprintf(buf, sizeof buf, "%.*f", maxFrac, std::fabs(value));
    std::string digits = buf, whole = digits.substr(0, digits.find('.')), frac;
    if (maxFrac > 0) frac = digits.substr(digits.find('.') + 1);
    while (static_cast<int>(frac.size()) > minFrac && frac.back() == '0') frac.pop_back();
    if (whole == "0" && minInt == 0) whole.clear();
    if (static_cast<int>(whole.size()) < minInt) whole = std::string(static_cast<size_t>(minInt) - whole.size(), '0') + whole;
    if (thousands) {
    }
    bool negative = value < 0 && (whole.find_first_not_of('0') != std::string::npos || frac.find_first_not_of('0') != std::string::npos);
    // The sign goes before a literal prefix, as the system's number
    // formatting puts it; groups take the locale's separator.
    std::u16string out;
    if (negative) out.push_back(u'-');
    out += Latin1ToUtf16(prefix);
    for (size_t k = 0; k < whole.size(); ++k) {
        if (thousands && k > 0 && (whole.size() - k) % 3 == 0) out.push_back(fs.ThousandSeparator);
        out.push_back(static_cast<char16_t>(whole[k]));
    }
    if (!frac.empty()) {
        out.push_back(fs.DecimalSeparator);
        out += Latin1ToUtf16(frac);
    }
    out += Latin1ToUtf16(suffix);
    return out;
}

}  // namespace ad::grid
