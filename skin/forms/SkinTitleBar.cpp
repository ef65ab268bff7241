// The title bar component: its items' settings and change notices, their
// measurement (auto-size), the layout by alignment group, the tabs' mutual
// exclusion and what a press and a release on an item do.
#include "skin/forms/SkinTitleBar.h"

#include <algorithm>

#include "base/Exception.h"
#include "base/WinText.h"
#include "skin/engine/skinfile/SkinMessages.h"
#include "skin/engine/win/SkinMessaging.h"
#include "skin/engine/win/SkinText.h"
#include "skin/forms/SkinFormMetrics.h"
#include "skin/forms/SkinProvider.h"

namespace ad::skin::forms {

namespace {

constexpr const char kFormsOnly[] = "TSkinTitleBar component may be used with forms only!";
constexpr UINT kItemTextFlags = DT_SINGLELINE | DT_NOPREFIX;

// The width of the drop-down arrow: the letter "u" of the symbol font Marlett.
int ArrowWidth(int height) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfCharSet = SYMBOL_CHARSET;
    wcscpy_s(lf.lfFaceName, L"Marlett");
    OwnedFont font(::CreateFontIndirectW(&lf));
    return font ? MeasureFontText(font.Get(), "u", kItemTextFlags, 0, false).cx : 0;
}

}  // namespace

TSize AutoSizeOfItem(TSkBtnStyle style, TSize content, int itemsMargin) {
    const int margin = itemsMargin + (style == bsMenu ? 4 : 0);
    return {std::max(16, 2 * margin + content.cx), std::max(16, 2 * itemsMargin + content.cy)};
}

// ---- TSkFontData ----

void TSkFontData::SetGlowColor(TColor value) {
    if (glowColor_ == value) return;
    glowColor_ = value;
    if (item_) item_->Bar()->NotifyChanged();
}

void TSkFontData::SetGlowSize(int value) {
    if (glowSize_ == value) return;
    glowSize_ = value;
    if (item_) item_->Bar()->NotifyChanged();
}

void TSkFontData::SetUseSys(TUseSys which, bool value) {
    if (useSys_[size_t(which)] == value) return;
    useSys_[size_t(which)] = value;
    usedFont_.Reset();
    if (item_) item_->Bar()->NotifyChanged();
}

HFONT TSkFontData::UsedFont(int scalePercent) {
    if (usedFont_) return usedFont_.Get();
    LOGFONTW lf = SystemCaptionFont();
    if (!UseSys(usStyle)) {
        const TFontStyles style = Font.Style();
        lf.lfWeight = (style & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (style & fsItalic) ? 1 : 0;
        lf.lfUnderline = (style & fsUnderline) ? 1 : 0;
        lf.lfStrikeOut = (style & fsStrikeOut) ? 1 : 0;
    }
    if (!UseSys(usFontName)) {
        const std::wstring name = Widen(Font.Name());
        wcsncpy_s(lf.lfFaceName, name.c_str(), _TRUNCATE);
    }
    lf.lfHeight = UseSys(usSize) ? ::MulDiv(lf.lfHeight, scalePercent, 100) : Font.Height();
    usedFont_.Reset(::CreateFontIndirectW(&lf));
    return usedFont_.Get();
}

// ---- TSkTitleBarItem ----

TSkTitleBarItem::TSkTitleBarItem(TSkinTitleBar* bar) : FontData(this), bar_(bar) {
    FontData.Font.OnChange = [this] {
        FontData.FreeUsedFont();
        Changed(true);
    };
}

int TSkTitleBarItem::Index() const {
    for (int i = 0; i < bar_->ItemCount(); ++i)
        if (bar_->Items(i) == this) return i;
    return -1;
}

void TSkTitleBarItem::Changed(bool remeasure) {
    if (remeasure && autoSize_) Measure();
    bar_->NotifyChanged();
}

#define AD_ITEM_SETTER(Name, Type, field, remeasure) \
    void TSkTitleBarItem::Set##Name(Type value) {    \
        if (field == value) return;                  \
        field = value;                               \
        Changed(remeasure);                          \
    }

AD_ITEM_SETTER(Align, TSkItemAlign, align_, false)
AD_ITEM_SETTER(Alignment, TAlignment, alignment_, false)
AD_ITEM_SETTER(AutoSize, bool, autoSize_, true)
AD_ITEM_SETTER(Caption, const std::string&, caption_, true)
AD_ITEM_SETTER(Enabled, bool, enabled_, false)
AD_ITEM_SETTER(Height, int, height_, false)
AD_ITEM_SETTER(Name, const std::string&, name_, false)
AD_ITEM_SETTER(NumGlyphs, int, numGlyphs_, true)
AD_ITEM_SETTER(SkinSection, const std::string&, skinSection_, false)
AD_ITEM_SETTER(Spacing, int, spacing_, true)
AD_ITEM_SETTER(Style, TSkBtnStyle, style_, true)
AD_ITEM_SETTER(Visible, bool, visible_, true)
AD_ITEM_SETTER(Width, int, width_, false)
#undef AD_ITEM_SETTER

void TSkTitleBarItem::SetGlyph(std::shared_ptr<TBitmap32> value) {
    glyph_ = std::move(value);
    Changed(true);
}

void TSkTitleBarItem::SetImageIndexOf(int which, int value) {
    if (imageIndex_[size_t(which)] == value) return;
    imageIndex_[size_t(which)] = value;
    Changed(which == 0);
}

void TSkTitleBarItem::SetDown(bool value) {
    down_ = value;
    if (!value) MouseState = 0;
    if (value && GroupIndex != 0) {
        for (int i = 0; i < bar_->ItemCount(); ++i) {
            TSkTitleBarItem* other = bar_->Items(i);
            if (other == this || other->GroupIndex != GroupIndex) continue;
            other->down_ = false;
            other->MouseState = 0;
        }
    }
    Changed(false);
}

TSize TSkTitleBarItem::Measure(bool measureOnly) {
    if (!visible_) return {};
    TSize content{};
    TImageList* images = bar_->Images();
    if (images && imageIndex_[0] >= 0 && imageIndex_[0] < images->Count()) {
        content = {images->Width(), images->Height()};
    } else if (glyph_ && glyph_->Width() > 0) {
        content = {glyph_->Width() / std::max(1, numGlyphs_), glyph_->Height()};
    }
    if (!caption_.empty()) {
        const TSize text = MeasureFontText(FontData.UsedFont(bar_->ScalePercent()), caption_, kItemTextFlags, 0, false);
        if (content.cx > 0) content.cx += spacing_;
        content.cx += text.cx + (style_ == bsTab ? 4 : 0);
        content.cy = std::max(content.cy, text.cy);
    }
    if ((style_ == bsButton || style_ == bsMenu) && DropdownMenu) {
        LOGFONTW lf{};
        ::GetObjectW(FontData.UsedFont(bar_->ScalePercent()), sizeof lf, &lf);
        content.cx += (style_ == bsMenu ? 4 : 1) + ArrowWidth(lf.lfHeight);
    }
    if (style_ == bsMenu || style_ == bsTab) content.cy += 1;
    if (!measureOnly && style_ != bsSpacing) {
        const TSize size = AutoSizeOfItem(style_, content, bar_->ItemsMargin);
        width_ = size.cx;
        height_ = size.cy;
    }
    return content;
}

// ---- TSkinTitleBar ----

TSkinTitleBar::TSkinTitleBar(TComponent* owner) : TComponent(owner) {
    form_ = dynamic_cast<TForm*>(owner);
    if (!form_) throw EAbort(kFormsOnly);
    // A form whose provider has no bar yet takes this one.
    if (form_->HandleAllocated())
        if (TSkinProvider* provider = TSkinProvider::OfWindow(form_->Handle()); provider && !provider->TitleBar())
            provider->SetTitleBar(this);
}

TSkinTitleBar::~TSkinTitleBar() {
    BeginDestroy();
    if (form_ && form_->HandleAllocated() && !form_->Destroying())
        if (TSkinProvider* provider = TSkinProvider::OfWindow(form_->Handle()); provider && provider->TitleBar() == this)
            provider->SetTitleBar(nullptr);
}

TSkTitleBarItem* TSkinTitleBar::AddItem() {
    items_.push_back(std::make_unique<TSkTitleBarItem>(this));
    TSkTitleBarItem* item = items_.back().get();
    item->Changed(true);
    return item;
}

void TSkinTitleBar::DeleteItem(int index) {
    if (index < 0 || index >= ItemCount()) return;
    items_.erase(items_.begin() + index);
    NotifyChanged();
}

void TSkinTitleBar::SetImages(TImageList* value) {
    images_ = value;
    AfterLoad();
}

void TSkinTitleBar::SetShowCaption(bool value) {
    if (showCaption_ == value) return;
    showCaption_ = value;
    NotifyChanged();
}

void TSkinTitleBar::AfterLoad() {
    BeginUpdate();
    for (auto& item : items_)
        if (item->AutoSize()) item->Measure();
    EndUpdate();
}

void TSkinTitleBar::ScaleItems(int percent) {
    if (percent <= 0 || percent == scale_) return;
    BeginUpdate();
    const int old = scale_;
    scale_ = percent;
    for (auto& item : items_) {
        TSkTitleBarItem& i = *item;
        i.FontData.Font.SetHeight(::MulDiv(i.FontData.Font.Height(), percent, old));
        i.SetSpacing(::MulDiv(i.Spacing(), percent, old));
        if (!i.AutoSize()) {
            i.SetWidth(::MulDiv(i.Width(), percent, old));
            i.SetHeight(::MulDiv(i.Height(), percent, old));
        }
    }
    // Measured in fonts of the new scale.
    for (auto& item : items_) {
        item->FontData.FreeUsedFont();
        if (item->AutoSize()) item->Measure();
    }
    EndUpdate();
}

void TSkinTitleBar::EndUpdate() {
    if (updating_ > 0 && --updating_ == 0) NotifyChanged();
}

void TSkinTitleBar::NotifyChanged() {
    if (updating_ > 0 || Destroying() || !form_ || form_->Destroying() || !form_->HandleAllocated()) return;
    HWND wnd = form_->Handle();
    if (SendSkinCommand(wnd, SKC_ISUPDATING) != 0) return;
    SendSkinCommand(wnd, SKC_TITLEBARCHANGED, 1);
}

void TSkinTitleBar::ArrangeItems(const TSkTitleBarArea& area) {
    std::array<int, 4> sums{0, RightSpacing, 0, 0};
    for (auto& item : items_)
        if (item->Visible()) sums[size_t(item->Align())] += item->Width();
    std::array<int, 4> x{};
    x[tbaLeft] = area.Left;
    x[tbaRight] = area.Right - sums[tbaRight];
    x[tbaCenter] = area.Left + (area.TitleWidth - area.Left - sums[tbaCenter]) / 2;
    const int space = (area.Right - sums[tbaRight]) - (area.Left + sums[tbaLeft]);
    x[tbaCenterInSpace] = area.Left + sums[tbaLeft] + (space - sums[tbaCenterInSpace]) / 2;
    for (auto& item : items_) {
        if (!item->Visible()) {
            item->Rect = {};
            continue;
        }
        int& left = x[size_t(item->Align())];
        int top = 0;
        switch (item->Style()) {
            case bsMenu: top = area.Top; break;
            case bsTab: top = area.Bottom - item->Height(); break;
            default: top = area.CentreY - item->Height() / 2; break;
        }
        item->Rect = {left, top, left + item->Width(), top + item->Height()};
        left += item->Width();
    }
}

void TSkinTitleBar::ItemMouseDown(TSkTitleBarItem& item, TMouseButton button, TPoint point, TPoint origin) {
    if (button != TMouseButton::mbLeft) {
        if (item.OnMouseDown) item.OnMouseDown(&item, button, 0, point.X, point.Y);
        return;
    }
    if (!item.Enabled() || item.Pressed) return;
    item.Pressed = true;
    const std::shared_ptr<const bool> alive = LifeToken();
    if (item.OnMouseDown) item.OnMouseDown(&item, button, 0, point.X, point.Y);
    if (!*alive) return;
    switch (item.Style()) {
        case bsTab:
            if (!item.Down()) {
                BeginUpdate();
                for (auto& other : items_)
                    if (other.get() != &item && other->Visible() && other->GroupIndex == item.GroupIndex && other->Down())
                        other->SetDown(false);
                item.SetDown(true);
                EndUpdate();
            }
            break;
        case bsButton:
        case bsMenu:
            if (item.DropdownMenu && item.DropdownMenu->Items().Count() > 0) {
                TPopupMenu& menu = *item.DropdownMenu;
                menu.PopupComponent = form_;
                item.MenuShown = true;
                NotifyChanged();
                const TPoint at{origin.X + item.Rect.Left, origin.Y + item.Rect.Bottom};
                if (PopupSeam) PopupSeam(menu, at);
                else menu.Popup(at.X, at.Y);
                if (!*alive) return;
                item.MenuShown = false;
                item.Pressed = false;
                NotifyChanged();
                if (item.OnClick) item.OnClick(&item);
            }
            break;
        default: break;
    }
}

void TSkinTitleBar::ItemMouseUp(TSkTitleBarItem& item, TMouseButton button, TPoint point) {
    if (!item.Enabled()) return;
    const std::shared_ptr<const bool> alive = LifeToken();
    if (item.OnMouseUp) item.OnMouseUp(&item, button, 0, point.X, point.Y);
    if (!*alive || button == TMouseButton::mbRight) return;
    const bool click = item.Pressed && item.Style() != bsTab;
    item.Pressed = false;
    item.MouseState = 1;
    if (click && item.OnClick) item.OnClick(&item);
}

}  // namespace ad::skin::forms
