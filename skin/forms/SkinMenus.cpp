// The skinned menus: switching menus on and off, the popup frames, and the
// measuring and drawing of popup and menu-bar items.
#include "skin/forms/SkinMenus.h"

#include <algorithm>
#include <cstring>

#include "framework/Forms.h"
#include "framework/ListView.h"
#include "framework/SysUtils.h"
#include "framework/WinGeometry.h"
#include "skin/engine/image/SkinAlphaDraw.h"
#include "skin/engine/paint/SkinMaskPaint.h"
#include "skin/engine/paint/SkinSectionPaint.h"
#include "skin/engine/paint/SkinSmallPaint.h"
#include "skin/engine/win/SkinControlBorder.h"
#include "skin/engine/win/SkinDib.h"
#include "skin/engine/win/SkinEngineLinks.h"
#include "skin/engine/win/SkinMessaging.h"
#include "skin/engine/win/SkinText.h"

namespace ad::skin::forms {

namespace {

// The handlers the skin puts on items; their types tell them from others.
struct TSkinMeasureHandler {
    TSkinableMenus* Menus;
    void operator()(TObject* sender, TCanvas&, int& width, int& height) const {
        if (auto* item = dynamic_cast<TMenuItem*>(sender)) Menus->MeasureItem(item, width, height);
    }
};
struct TSkinDrawHandler {
    TSkinableMenus* Menus;
    void operator()(TObject* sender, TCanvas& canvas, const TRect& rect, TOwnerDrawState state) const {
        if (auto* item = dynamic_cast<TMenuItem*>(sender)) Menus->DrawItem(item, canvas, rect, state);
    }
};
struct TSkinTopMeasureHandler {
    TSkinableMenus* Menus;
    void operator()(TObject* sender, TCanvas&, int& width, int& height) const {
        if (auto* item = dynamic_cast<TMenuItem*>(sender)) Menus->MeasureTopItem(item, width, height);
    }
};
struct TSkinTopDrawHandler {
    TSkinableMenus* Menus;
    void operator()(TObject* sender, TCanvas& canvas, const TRect& rect, TOwnerDrawState state) const {
        if (auto* item = dynamic_cast<TMenuItem*>(sender)) Menus->DrawTopItem(item, canvas, rect, state);
    }
};

bool HasPopupHandlers(const TMenuItem* item) {
    return item->OnMeasureItem.target<TSkinMeasureHandler>() || item->OnAdvancedDrawItem.target<TSkinDrawHandler>();
}
bool HasTopHandlers(const TMenuItem* item) {
    return item->OnMeasureItem.target<TSkinTopMeasureHandler>() ||
           item->OnAdvancedDrawItem.target<TSkinTopDrawHandler>();
}

void RemoveSkinHandlers(TMenuItem* item) {
    if (item->OnMeasureItem.target<TSkinMeasureHandler>() || item->OnMeasureItem.target<TSkinTopMeasureHandler>())
        item->OnMeasureItem = nullptr;
    if (item->OnAdvancedDrawItem.target<TSkinDrawHandler>() || item->OnAdvancedDrawItem.target<TSkinTopDrawHandler>())
        item->OnAdvancedDrawItem = nullptr;
}

bool IsTopLevelOfMainMenu(const TMenuItem* item) {
    const TMenuItem* parent = item->Parent();
    return parent && !parent->Parent() && dynamic_cast<TMainMenu*>(parent->Owner());
}

std::string StripHyphens(const std::string& caption) {
    if (caption.size() > 2 && caption.front() == '-' && caption.back() == '-') return caption.substr(1, caption.size() - 2);
    return caption;
}

// Copies rect of the cache bitmap (cache coordinates) to the DC at (x, y).
void CopyCache(const TSkinCacheImage& cache, HDC dc, int x, int y, const TRect& rect) {
    if (IsEmpty(rect)) return;
    cache.Draw(dc, x, y, rect);
}

// Copies a rectangle of one view into another at (x, y); both clipped.
void CopyView(const TImageView32& target, int x, int y, const TImageView32& source, TRect rect) {
    rect = {std::max(rect.Left, 0), std::max(rect.Top, 0), std::min(rect.Right, source.Width),
            std::min(rect.Bottom, source.Height)};
    for (int sy = rect.Top; sy < rect.Bottom; ++sy) {
        const int ty = y + sy - rect.Top;
        if (ty < 0 || ty >= target.Height) continue;
        for (int sx = rect.Left; sx < rect.Right; ++sx) {
            const int tx = x + sx - rect.Left;
            if (tx < 0 || tx >= target.Width) continue;
            std::memcpy(target.Pixel(tx, ty), source.Pixel(sx, sy), 4);
        }
    }
}

// A disabled item: its image moves towards the background by the library's blend level.
void BlendTowards(const TImageView32& image, const TImageView32& background) {
    const int keep = kDisabledBlend;  // of 256
    for (int y = 0; y < std::min(image.Height, background.Height); ++y)
        for (int x = 0; x < std::min(image.Width, background.Width); ++x) {
            uint8_t* p = image.Pixel(x, y);
            const uint8_t* b = background.Pixel(x, y);
            for (int c = 0; c < 3; ++c) p[c] = uint8_t((p[c] * keep + b[c] * (256 - keep)) >> 8);
        }
}

// GDI's text leaves its pixels' alpha at 0; a popup window shown layered
// would let them through, so what goes to a popup is made opaque first.
void MakeOpaque(const TImageView32& view) {
    ::GdiFlush();
    for (int y = 0; y < view.Height; ++y)
        for (int x = 0; x < view.Width; ++x) view.Pixel(x, y)[3] = 255;
}

// A check mark of lines, for skins without a check glyph.
void DrawCheckMark(HDC dc, const TRect& box, COLORREF colour) {
    OwnedPen pen(::CreatePen(PS_SOLID, 2, colour));
    SelectObjectScope selected(dc, pen.Get());
    const int x = box.Left, y = box.Top, w = box.Width(), h = box.Height();
    POINT points[3] = {{x + w / 5, y + h / 2}, {x + w * 2 / 5, y + h * 3 / 4}, {x + w * 4 / 5, y + h / 4}};
    ::Polyline(dc, points, 3);
}

void DrawRadioMark(HDC dc, const TRect& box, COLORREF colour) {
    OwnedBrush brush(::CreateSolidBrush(colour));
    SelectObjectScope selectedBrush(dc, brush.Get());
    SelectObjectScope selectedPen(dc, ::GetStockObject(NULL_PEN));
    const int d = std::min(box.Width(), box.Height()) / 2;
    const int cx = (box.Left + box.Right) / 2, cy = (box.Top + box.Bottom) / 2;
    ::Ellipse(dc, cx - d / 2, cy - d / 2, cx - d / 2 + d + 1, cy - d / 2 + d + 1);
}

// The first and last visible items under parent.
TMenuItem* FirstVisible(TMenuItem* parent) {
    for (int i = 0; i < parent->Count(); ++i)
        if (parent->Items(i)->Visible) return parent->Items(i);
    return nullptr;
}
TMenuItem* LastVisible(TMenuItem* parent) {
    for (int i = parent->Count(); i-- > 0;)
        if (parent->Items(i)->Visible) return parent->Items(i);
    return nullptr;
}

// The next visible item after item, null at the end.
TMenuItem* NextVisible(TMenuItem* item) {
    TMenuItem* parent = item->Parent();
    if (!parent) return nullptr;
    for (int i = item->MenuIndex() + 1; i < parent->Count(); ++i)
        if (parent->Items(i)->Visible) return parent->Items(i);
    return nullptr;
}

}  // namespace

// A memory DC with a 32-bit image of the given size selected, its pixels seen as a view.
class TMenuItemImage {
public:
    TMenuItemImage(int width, int height)
        : dib_(std::max(width, 1), std::max(height, 1)), dc_(::CreateCompatibleDC(nullptr)),
          selected_(dc_.Get(), dib_.Handle()) {}
    HDC DC() const { return dc_.Get(); }
    TImageView32 View() const { return dib_.View(); }
    HBITMAP Handle() const { return dib_.Handle(); }
    int Width() const { return dib_.View().Width; }
    int Height() const { return dib_.View().Height; }

private:
    TDibSection32 dib_;
    OwnedMemoryDC dc_;
    SelectObjectScope selected_;
};


TMenuItemImage& TSkinableMenus::Scratch(int slot, int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    auto& image = scratch_[size_t(slot)];
    if (!image || image->Width() != width || image->Height() != height)
        image = std::make_unique<TMenuItemImage>(width, height);
    return *image;
}

TSkinableMenus::TSkinableMenus(TSkinManager& manager)
    : manager_(manager), measureDC_(::CreateCompatibleDC(nullptr)) {}

TSkinableMenus::~TSkinableMenus() {
    if (active_) SetActive(false);
}

const TSkinTables* TSkinableMenus::Skin() const { return manager_.Skin(); }

int TSkinableMenus::SectionIndex(const std::string& name) const {
    const TSkinTables* skin = Skin();
    return skin ? skin->SectionIndexOf(name) : -1;
}

// ---- Switching menus ------------------------------------------------------------

bool TSkinableMenus::HasSkinHandlers(const TMenuItem* item) { return HasPopupHandlers(item) || HasTopHandlers(item); }

void TSkinableMenus::SetActive(bool value) {
    active_ = value;
    if (!Application) return;
    const bool popups = value && manager_.SkinnedPopups();
    // Every menu the application's components own, at any depth.
    std::function<void(TComponent*)> walk = [&](TComponent* owner) {
        for (int i = 0; i < owner->ComponentCount(); ++i) {
            TComponent* c = owner->Components(i);
            if (auto* bar = dynamic_cast<TMainMenu*>(c)) {
                SetMainMenuSkinned(bar, value);
                for (int k = 0; k < bar->Items().Count(); ++k) SetItemsSkinned(bar->Items().Items(k), popups);
            } else if (auto* popup = dynamic_cast<TPopupMenu*>(c)) {
                SetMenuSkinned(popup, popups);
            } else if (!dynamic_cast<TMenuItem*>(c)) {
                walk(c);
            }
        }
    };
    walk(Application);
}

void TSkinableMenus::SyncActive() {
    const bool skinActive = manager_.SkinActive();
    if (skinActive != active_) SetActive(skinActive);
}

void TSkinableMenus::SkinChanged() {
    skinBorderWidth_ = -1;
    systemFontRead_ = false;
    ClearMenuCache();
    textSizes_.clear();
    fonts_.clear();
}

void TSkinableMenus::SetMenuSkinned(TPopupMenu* menu, bool value) {
    if (!menu || menu->Destroying()) return;
    menu->OwnerDraw = value && manager_.SkinnedPopups();
    if (value) menu->MenuAnimation |= maNone;
    else menu->MenuAnimation &= ~maNone;
    SetItemsSkinned(&menu->Items(), value);
}

void TSkinableMenus::SetItemsSkinned(TMenuItem* item, bool value) {
    if (!item) return;
    for (int i = 0; i < item->Count(); ++i) {
        TMenuItem* sub = item->Items(i);
        if (IsTopLevelOfMainMenu(sub)) continue;
        if (value) {
            if (!sub->OnMeasureItem) sub->OnMeasureItem = TSkinMeasureHandler{this};
            if (!sub->OnAdvancedDrawItem) sub->OnAdvancedDrawItem = TSkinDrawHandler{this};
        } else {
            RemoveSkinHandlers(sub);
        }
        SetItemsSkinned(sub, value);
    }
}

void TSkinableMenus::SetMainMenuSkinned(TMainMenu* menu, bool value) {
    if (!menu || menu->Destroying()) return;
    TMenuItem& root = menu->Items();
    if (value) {
        for (int i = 0; i < root.Count(); ++i) {
            if (!active_) continue;
            if (!manager_.SkinnedPopups()) return;  // OwnerDraw is left as it is
            TMenuItem* top = root.Items(i);
            RemoveSkinHandlers(top);
            top->OnMeasureItem = TSkinTopMeasureHandler{this};
            top->OnAdvancedDrawItem = TSkinTopDrawHandler{this};
        }
    } else {
        for (int i = 0; i < root.Count(); ++i) RemoveSkinHandlers(root.Items(i));
    }
    if (root.Count() > 0) menu->OwnerDraw = value;
}

void TSkinableMenus::SetItemSkinned(TMenuItem* item, bool value) {
    if (!item) return;
    if (!value) {
        RemoveSkinHandlers(item);
        return;
    }
    if (IsTopLevelOfMainMenu(item)) {
        RemoveSkinHandlers(item);
        item->OnMeasureItem = TSkinTopMeasureHandler{this};
        item->OnAdvancedDrawItem = TSkinTopDrawHandler{this};
    } else if (manager_.SkinnedPopups()) {
        if (!item->OnMeasureItem) item->OnMeasureItem = TSkinMeasureHandler{this};
        if (!item->OnAdvancedDrawItem) item->OnAdvancedDrawItem = TSkinDrawHandler{this};
    }
}

void TSkinableMenus::InitMenuPopup(HMENU menu) {
    if (!active_ || !manager_.SkinnedPopups() || !::IsMenu(menu)) return;
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA | MIIM_FTYPE;
        if (!::GetMenuItemInfoW(menu, UINT(i), TRUE, &info) || !(info.fType & MFT_OWNERDRAW)) continue;
        if (TMenuItem* item = TMenuItem::FromItemData(info.dwItemData)) SetItemSkinned(item, true);
    }
}

// ---- Popup frames ---------------------------------------------------------------

int TSkinableMenus::SkinBorderWidth() {
    if (skinBorderWidth_ >= 0) return skinBorderWidth_;
    const TSkinTables* skin = Skin();
    const int section = skin ? skin->CommonIndexes[csMainMenu] : -1;
    const int mask = section >= 0 ? skin->FindMaskInSection(section, "BORDERSMASK") : -1;
    if (mask < 0) skinBorderWidth_ = 0;
    else {
        const TSkinMaskData& m = skin->Mask(mask);
        const int width = m.WL > 0 ? m.WL : m.BorderWidth;
        skinBorderWidth_ = width > 0 ? width : 3;
    }
    return skinBorderWidth_;
}

int TSkinableMenus::ExtraLineWidth(const TSkPopupCache* entry) const {
    return entry && manager_.MenuSupport.UseExtraLine && entry->LineVisible ? manager_.MenuSupport.ExtraLineWidth : 0;
}

void TSkinableMenus::ClearMenuCache() { cache_.clear(); }

void TSkinableMenus::AskExtraLine(TSkPopupCache& entry) {
    if (askingLine_) return;
    entry.LineVisible = false;
    if (!entry.FirstItem || entry.FirstItem->Name == "SkinSelectItem") return;
    askingLine_ = true;
    entry.LineSection = "EXTRALINE";
    entry.LineCaption = "Use OnGetExtraLineData event";
    entry.LineGlyph.Reset();
    entry.LineVisible = true;
    if (manager_.OnGetMenuExtraLineData)
        manager_.OnGetMenuExtraLineData(entry.FirstItem, entry.LineSection, entry.LineCaption, entry.LineGlyph,
                                        entry.LineVisible);
    std::erase(entry.LineCaption, '&');
    if (!entry.LineVisible) entry.LineGlyph.Reset();
    askingLine_ = false;
}

TSkPopupCache* TSkinableMenus::GetPopupCache(TMenuItem* item, HWND window, bool build) {
    TMenuItem* first = nullptr;
    if (item && item->Parent() && item->Parent()->Count() > 0) first = item->Parent()->Items(0);
    TSkPopupCache* entry = nullptr;
    for (auto& e : cache_)
        if ((first && e->FirstItem == first) || (!item && window && e->Wnd == window)) entry = e.get();
    if (!build) return entry;
    if (!entry) {
        if (!first) return nullptr;
        cache_.push_back(std::make_unique<TSkPopupCache>());
        entry = cache_.back().get();
        entry->FirstItem = first;
        AskExtraLine(*entry);
    }
    if (window && entry->Wnd != window) {
        entry->Wnd = window;
        entry->Bmp.Clear();
    }
    if (entry->Bmp.Empty()) {
        int width = 0, height = 0;
        RECT r{};
        if (entry->Wnd && ::GetWindowRect(entry->Wnd, &r)) {
            width = r.right - r.left;
            height = r.bottom - r.top;
        } else if (item && item->Parent()) {
            width = PopupWidth(item->Parent()) + 2 * BorderWidth;
            height = ColumnHeight(item->Parent()) + 2 * BorderWidth;
        }
        if (width > 0 && height > 0) BuildPopupCache(*entry, width, height);
    }
    return entry;
}

void TSkinableMenus::BuildPopupCache(TSkPopupCache& entry, int width, int height) {
    const TSkinTables* skin = Skin();
    if (!skin || !entry.Bmp.SetSize(width, height)) return;
    const TImageView32 view = entry.Bmp.View();
    const TRect all{0, 0, width, height};
    const int border = SkinBorderWidth();
    const int extra = ExtraLineWidth(&entry);
    const int section = skin->CommonIndexes[csMainMenu];
    FillRect32(view, all, TColor(::GetSysColor(COLOR_MENU)), 255);
    entry.OpaqueRects.clear();
    if (section >= 0) {
        PaintSectionArea(view, all, {}, skNoBackground, section, 0, -1, *skin);
        const bool rightAligned =
            entry.Wnd && (::GetWindowLongPtrW(entry.Wnd, GWL_EXSTYLE) & WS_EX_RIGHT) != 0;
        const int icoLine = skin->SectionIndexOf(manager_.MenuSupport.IcoLineSkin);
        if (!rightAligned && icoLine >= 0) {
            const TSize glyph = entry.FirstItem ? GlyphSize(entry.FirstItem) : TSize{16, 16};
            const int textStart = Margin + glyph.cx + Spacing;
            const TRect column{extra + border, border, extra + border + textStart, height - border};
            PaintSectionArea(view, column, {}, skNoBackground, icoLine, 0, -1, *skin);
        }
        const int mask = skin->FindMaskInSection(section, "BORDERSMASK");
        if (mask >= 0) {
            DrawMaskNineGrid(view, all, skNoBackground, false, 0, skin->Mask(mask), *skin);
            CollectMaskRegionRuns(entry.OpaqueRects, width, skin->Mask(mask), false, 0, *skin);
            CollectMaskRegionRuns(entry.OpaqueRects, width, skin->Mask(mask), true, height - skin->Mask(mask).WB, *skin);
        }
    }
    // The extra-line band with its glyph and its caption written upwards.
    const int lineSection = extra > 0 ? skin->SectionIndexOf(entry.LineSection) : -1;
    if (lineSection >= 0) {
        const TRect band{border, border, border + extra, height - border};
        PaintSectionArea(view, band, {}, skNoBackground, lineSection, 0, -1, *skin);
        TMenuItemImage text(width, height);
        CopyView(text.View(), 0, 0, view, all);
        int glyphHeight = 0;
        BITMAP bm{};
        if (entry.LineGlyph && ::GetObjectW(entry.LineGlyph.Get(), sizeof bm, &bm)) {
            glyphHeight = bm.bmHeight;
            OwnedMemoryDC source(::CreateCompatibleDC(nullptr));
            SelectObjectScope selected(source.Get(), entry.LineGlyph.Get());
            ::BitBlt(text.DC(), band.Left + (extra - bm.bmWidth) / 2, band.Bottom - 12 - bm.bmHeight, bm.bmWidth,
                     bm.bmHeight, source.Get(), 0, 0, SRCCOPY);
        }
        TFont& font = manager_.MenuSupport.ExtraLineFont;
        font.SetColor(skin->Section(lineSection).Props[0].FontColor);
        TRotatedFontSelection rotated(text.DC(), font, -2700);
        ::SetBkMode(text.DC(), TRANSPARENT);
        const std::wstring caption = Widen(entry.LineCaption);
        SIZE extent{};
        ::GetTextExtentPoint32W(text.DC(), caption.c_str(), int(caption.size()), &extent);
        const int y = band.Bottom - (glyphHeight ? glyphHeight + 20 : 12) - extent.cx;
        ::TextOutW(text.DC(), band.Left + (extra + extent.cy) / 2, std::max(y, band.Top), caption.c_str(),
                   int(caption.size()));
        MakeOpaque(text.View());
        CopyView(view, 0, 0, text.View(), band);
    }
    MakeOpaque(view);
    if (entry.Wnd) PaintPopupBorder(entry.Wnd, entry);
}

void TSkinableMenus::PaintPopupBorder(HWND window, TSkPopupCache& entry) {
    if (painting_ || entry.Bmp.Empty() || !::IsWindow(window)) return;
    if (SendSkinCommand(window, SKC_SETUPDATING) != 0) return;  // painted already
    painting_ = true;
    SendSkinCommand(window, SKC_MENUPAINTED);
    OwnedRegion region(::CreateRectRgn(0, 0, entry.Bmp.Width(), entry.Bmp.Height()));
    std::vector<TRect> cut = entry.OpaqueRects;
    if (cut.empty()) cut.push_back({0, 0, 1, 1});
    for (const TRect& r : cut) {
        OwnedRegion part(::CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom));
        ::CombineRgn(region.Get(), region.Get(), part.Get(), RGN_DIFF);
    }
    if (::SetWindowRgn(window, region.Get(), TRUE)) region.Release();
    WindowDC dc(window, WindowDC::WholeWindow{});
    if (dc.Get()) entry.Bmp.Draw(dc.Get(), 0, 0, {0, 0, entry.Bmp.Width(), entry.Bmp.Height()});
    painting_ = false;
}

void TSkinableMenus::PaintPopupBorderOf(HWND window) {
    if (TSkPopupCache* entry = GetPopupCache(nullptr, window, false)) PaintPopupBorder(window, *entry);
}

// ---- Measuring -------------------------------------------------------------------

TSkinMenuItemType TSkinableMenus::ItemType(const TMenuItem* item) {
    if (item->Caption == "-") return smDivider;
    if (item->Caption.size() > 2 && item->Caption.front() == '-' && item->Caption.back() == '-') return smCaption;
    return smNormal;
}

TSize TSkinableMenus::GlyphSize(const TMenuItem* item) const {
    BITMAP bm{};
    if (item->Bitmap && ::GetObjectW(item->Bitmap.Get(), sizeof bm, &bm)) return {bm.bmWidth, bm.bmHeight};
    if (const TMenu* menu = item->GetParentMenu(); menu && menu->Images)
        return {menu->Images->Width(), menu->Images->Height()};
    return {16, 16};
}

LOGFONTW TSkinableMenus::ItemFont(const TMenuItem* item, bool caption, bool bold) const {
    (void)item;
    LOGFONTW font{};
    if (TFont* custom = manager_.MenuSupport.MenuFontOverride()) {
        ::GetObjectW(custom->Handle(), sizeof font, &font);
    } else if (caption) {
        ::GetObjectW(const_cast<TFont&>(CaptionFont).Handle(), sizeof font, &font);
    } else {
        // The system's menu font, read once per skin (a system call per item costs).
        if (!systemFontRead_) {
            NONCLIENTMETRICSW metrics{};
            metrics.cbSize = sizeof metrics;
            ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
            systemMenuFont_ = metrics.lfMenuFont;
            systemFontRead_ = true;
        }
        font = systemMenuFont_;
    }
    if (bold) font.lfWeight = FW_BOLD;
    font.lfHeight = manager_.ScaleInt(font.lfHeight);
    return font;
}

HFONT TSkinableMenus::FontHandle(const LOGFONTW& font) {
    for (auto& [logFont, handle] : fonts_)
        if (std::memcmp(&logFont, &font, sizeof font) == 0) return handle.Get();
    if (fonts_.size() >= 8) fonts_.erase(fonts_.begin());
    fonts_.emplace_back(font, OwnedFont(::CreateFontIndirectW(&font)));
    return fonts_.back().second.Get();
}

std::wstring TSkinableMenus::MeasuredText(const TMenuItem* item) const {
    std::wstring text = Widen(ItemType(item) == smCaption ? StripHyphens(item->Caption) : item->Caption);
    if (ItemType(item) == smNormal && item->ShortCut != 0 && item->Count() == 0)
        text += L"\t" + ShortCutToTextW(item->ShortCut);
    return text;
}

TSize TSkinableMenus::MeasureText(const TMenuItem* item, const std::wstring& text, const LOGFONTW& font) {
    auto found = textSizes_.find(item);
    if (found != textSizes_.end() && found->second.Text == text &&
        std::memcmp(&found->second.Font, &font, sizeof font) == 0)
        return {found->second.Width, found->second.Height};
    textMeasures_++;
    SelectObjectScope selected(measureDC_.Get(), FontHandle(font));
    RECT r{0, 0, 800, 0};
    ::DrawTextW(measureDC_.Get(), text.c_str(), int(text.size()), &r,
                DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP);
    // Items that went leave entries behind: the cache is dropped when it grows large.
    if (textSizes_.size() > 50000) textSizes_.clear();
    TTextSize& size = textSizes_[item];
    size.Text = text;
    size.Font = font;
    size.Width = r.right - r.left;
    size.Height = r.bottom - r.top;
    return {size.Width, size.Height};
}

int TSkinableMenus::ItemHeight(TMenuItem* item) {
    const TSkinMenuItemType type = ItemType(item);
    if (type == smDivider) return 2;
    const TSize text = MeasureText(item, MeasuredText(item), ItemFont(item, type == smCaption, item->Default));
    if (type == smCaption) return text.cy + 2 * Margin + 3;
    return std::max(text.cy, GlyphSize(item).cy) + 2 * Margin + 2;
}

int TSkinableMenus::ColumnHeight(TMenuItem* parent) {
    int tallest = 0, column = 0;
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible) continue;
        if (item->Break != TMenuBreak::mbNone) column = 0;
        column += ItemHeight(item);
        tallest = std::max(tallest, column);
    }
    return tallest;
}

int TSkinableMenus::PopupWidth(TMenuItem* parent) {
    int total = 0, column = 0, columns = 0;
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible) continue;
        if (item->Break != TMenuBreak::mbNone && columns > 0) {
            total += column + 4;
            column = 0;
        }
        columns = std::max(columns, 1);
        int width = 0, height = 0;
        MeasureItem(item, width, height);
        column = std::max(column, width + 12);
    }
    return total + column;
}

bool TSkinableMenus::FirstColumn(const TMenuItem* item) const {
    const TMenuItem* parent = item->Parent();
    if (!parent) return true;
    for (int i = 0; i <= item->MenuIndex(); ++i)
        if (parent->Items(i)->Visible && parent->Items(i)->Break != TMenuBreak::mbNone && parent->Items(i) != FirstVisible(const_cast<TMenuItem*>(parent)))
            return false;
    return true;
}

void TSkinableMenus::MeasureItem(TMenuItem* item, int& width, int& height) {
    if (!item || item->Destroying()) return;
    PopupShowing = true;
    const TSkinMenuItemType type = ItemType(item);
    TSkPopupCache* entry = nullptr;
    if (item->Parent()) {
        entry = GetPopupCache(item, nullptr, false);
        if (!entry && !askingLine_ && item->Parent()->Count() > 0) {
            cache_.push_back(std::make_unique<TSkPopupCache>());
            entry = cache_.back().get();
            entry->FirstItem = item->Parent()->Items(0);
            AskExtraLine(*entry);
        }
    }
    const LOGFONTW font = ItemFont(item, type == smCaption, item->Default);
    const TSize text = MeasureText(item, MeasuredText(item), font);
    const TSize glyph = GlyphSize(item);
    if (type == smCaption) width = text.cx;
    else if (type == smDivider) width = 1;
    else width = text.cx + 2 * glyph.cx + 3 * Margin + Spacing;
    if (type != smCaption && FirstColumn(item)) width += ExtraLineWidth(entry);
    height = ItemHeight(item);
}

// ---- Drawing ---------------------------------------------------------------------

void TSkinableMenus::CopyFrameParts(TMenuItem* item, HDC dc, const TRect& rect, TSkPopupCache& entry, TPoint offset) {
    const TSkinCacheImage& cache = entry.Bmp;
    TMenuItem* parent = item->Parent();
    const int w = cache.Width(), h = cache.Height();
    const int side = std::max(SkinBorderWidth(), BorderWidth);
    // dc coordinates are the client's; the cache's are the window's (offset apart).
    auto copy = [&](const TRect& r) { CopyCache(cache, dc, r.Left - offset.X, r.Top - offset.Y, r); };
    if (parent && item == FirstVisible(parent)) {
        copy({0, 0, w, BorderWidth});
        copy({0, 0, ExtraLineWidth(&entry) + side, h});
    }
    if (parent && item == LastVisible(parent)) copy({0, h - BorderWidth, w, h});
    copy({rect.Right + offset.X, rect.Top + offset.Y, w, rect.Bottom + offset.Y});
    // Below the last item of a column, the frame down to the bottom border.
    TMenuItem* next = NextVisible(item);
    if (!next || next->Break != TMenuBreak::mbNone)
        copy({rect.Left + offset.X, rect.Bottom + offset.Y, rect.Right + offset.X, h - BorderWidth});
    // A column's first item: the gap to its left.
    if (item->Break != TMenuBreak::mbNone)
        copy({rect.Left + offset.X - 4, offset.Y, rect.Left + offset.X, h - BorderWidth});
}

void TSkinableMenus::DrawSeparator(TMenuItem* item, HDC dc, const TRect& rect, TSkPopupCache& entry, TPoint offset) {
    const TSkinTables* skin = Skin();
    const int extra = FirstColumn(item) ? ExtraLineWidth(&entry) : 0;
    TMenuItemImage& image = Scratch(1, rect.Width(), rect.Height());
    CopyView(image.View(), 0, 0, entry.Bmp.View(),
             {rect.Left + offset.X, rect.Top + offset.Y, rect.Right + offset.X, rect.Bottom + offset.Y});
    const int icoLine = skin->SectionIndexOf(manager_.MenuSupport.IcoLineSkin);
    const int textStart = Margin + GlyphSize(item).cx + Spacing;
    int left = icoLine < 0 ? std::max(extra + Margin, extra + 2) : std::max(extra + Margin + Spacing, extra + textStart + 2);
    const int right = rect.Width() - Margin;
    const int divider = skin->CommonIndexes[csDivider];
    const int mask = divider >= 0 ? skin->FindMaskInSection(divider, "BORDERSMASK") : -1;
    if (mask >= 0) {
        DrawMaskNineGrid(image.View(), {left, 0, right, rect.Height()}, skNoBackground, false, 0, skin->Mask(mask),
                         *skin);
    } else {
        TColor colour = divider >= 0 ? skin->Section(divider).Props[0].Color : clFuchsia;
        if (colour == clFuchsia) colour = TColor(::GetSysColor(COLOR_BTNSHADOW));
        FillRect32(image.View(), {left, 0, std::max(left, right), 1}, colour, 255);
    }
    MakeOpaque(image.View());
    ::BitBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), image.DC(), 0, 0, SRCCOPY);
}

void TSkinableMenus::DrawCaptionItem(TMenuItem* item, HDC dc, const TRect& rect, TSkPopupCache& entry, TPoint offset) {
    const TSkinTables* skin = Skin();
    const int extra = ExtraLineWidth(&entry);
    TMenuItemImage& image = Scratch(1, rect.Width(), rect.Height());
    const TImageView32 view = image.View();
    CopyView(view, 0, 0, entry.Bmp.View(),
             {rect.Left + offset.X, rect.Top + offset.Y, rect.Right + offset.X, rect.Bottom + offset.Y});
    int section = skin->CommonIndexes[csMenuCaption];
    if (section < 0) section = skin->CommonIndexes[csMenuItem];
    const TRect body{extra, 0, rect.Width(), rect.Height()};
    if (section >= 0)
        PaintSectionArea(view, body, {}, MakeBgCacheRefFromBitmap(view, 0, 0), section, 0, -1, *skin);
    const LOGFONTW font = ItemFont(item, true, false);
    SelectObjectScope selected(image.DC(), FontHandle(font));
    ::SetBkMode(image.DC(), TRANSPARENT);
    ::SetTextColor(image.DC(), section >= 0 ? ColorToRGB(skin->Section(section).Props[0].FontColor) : 0);
    const std::wstring text = Widen(StripHyphens(item->Caption));
    RECT r{extra, Margin + 2, rect.Width(), rect.Height() - Margin - 2};
    ::DrawTextW(image.DC(), text.c_str(), int(text.size()), &r, DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_HIDEPREFIX);
    MakeOpaque(view);
    ::BitBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), image.DC(), 0, 0, SRCCOPY);
    if (OnDrawItem) {
        TCanvas canvas(dc);
        OnDrawItem(item, canvas, rect, 0, smCaption);
    }
}

void TSkinableMenus::DrawItem(TMenuItem* item, TCanvas& canvas, const TRect& rect, TOwnerDrawState state) {
    const TSkinTables* skin = Skin();
    if (!active_ || !skin || !item || item->Destroying() || IsEmpty(rect)) return;
    HDC dc = canvas.Handle();
    SavedDCState saved(dc);
    HWND window = ::WindowFromDC(dc);
    TSkPopupCache* entry = GetPopupCache(item, window, true);
    if (!entry || entry->Bmp.Empty()) return;
    // Where the client's origin lies in the window (the cache's coordinates).
    TPoint offset{BorderWidth, BorderWidth};
    if (window) {
        RECT wr{};
        POINT origin{0, 0};
        ::GetWindowRect(window, &wr);
        ::ClientToScreen(window, &origin);
        offset = {origin.x - wr.left, origin.y - wr.top};
        CopyFrameParts(item, dc, rect, *entry, offset);
    }
    const TSkinMenuItemType type = ItemType(item);
    if (type == smDivider) {
        DrawSeparator(item, dc, rect, *entry, offset);
        return;
    }
    if (type == smCaption) {
        DrawCaptionItem(item, dc, rect, *entry, offset);
        return;
    }
    const bool first = FirstColumn(item);
    const int extra = first ? ExtraLineWidth(entry) : 0;
    const TRect itemRect{rect.Left + extra, rect.Top, rect.Right, rect.Bottom};
    const int w = itemRect.Width(), h = itemRect.Height();
    if (w <= 0 || h <= 0) return;
    const bool selected = (state & odSelected) != 0;
    const bool disabled = (state & (odDisabled | odGrayed)) != 0 || !item->Enabled;
    const int paintState = selected && !disabled ? 1 : 0;

    // The background: the frame's pixels under the item, then its state.
    TMenuItemImage& background = Scratch(0, w, h);
    CopyView(background.View(), 0, 0, entry->Bmp.View(),
             {itemRect.Left + offset.X, itemRect.Top + offset.Y, itemRect.Right + offset.X, itemRect.Bottom + offset.Y});
    TMenuItemImage& image = Scratch(1, w, h);
    const TImageView32 view = image.View();
    CopyView(view, 0, 0, background.View(), {0, 0, w, h});
    const int section = skin->CommonIndexes[csMenuItem];
    if (section >= 0)
        PaintSectionArea(view, {0, 0, w, h}, {}, MakeBgCacheRefFromBitmap(background.View(), 0, 0), section,
                         std::min(paintState, skin->Section(section).States - 1), -1, *skin);
    HDC idc = image.DC();
    ::GdiFlush();

    // The check mark or radio bullet of an item without a glyph of its own.
    const TSize glyph = GlyphSize(item);
    const bool ownGlyph = item->Bitmap || item->ImageIndex >= 0;
    const TColor fontColour =
        section >= 0 ? skin->Section(section).Props[size_t(std::min(paintState, skin->Section(section).States - 1))].FontColor
                     : TColor(::GetSysColor(COLOR_MENUTEXT));
    if (item->Checked && !ownGlyph) {
        const int checkMask = section >= 0 ? skin->FindMaskInSection(section, "CHECK") : -1;
        const int radioMask = skin->CommonMasks.RadioChecked;
        const int maskIndex = item->RadioItem ? radioMask : checkMask;
        if (maskIndex >= 0) {
            const TPoint size = MaskFrameSize(skin->Mask(maskIndex));
            const TPoint at{Margin + (glyph.cx - size.X) / 2, (h - size.Y) / 2};
            DrawMaskState(view, at, item->RadioItem ? 0 : paintState, MakeBgCacheRefFromBitmap(view, 0, 0),
                          skin->Mask(maskIndex), 1, *skin);
        } else {
            const TRect box{Margin, (h - glyph.cy) / 2, Margin + glyph.cx, (h + glyph.cy) / 2};
            if (item->RadioItem) DrawRadioMark(idc, box, ColorToRGB(fontColour));
            else DrawCheckMark(idc, box, ColorToRGB(fontColour));
        }
    }
    // The item's own glyph.
    const int vOffset = (h - glyph.cy) / 2;
    const int gx = std::min(3, std::max(vOffset, 0));
    if (item->Bitmap) {
        OwnedMemoryDC source(::CreateCompatibleDC(nullptr));
        SelectObjectScope selectedBitmap(source.Get(), item->Bitmap.Get());
        ::BitBlt(idc, gx, vOffset, glyph.cx, glyph.cy, source.Get(), 0, 0, SRCCOPY);
    } else if (const TMenu* menu = item->GetParentMenu(); menu && menu->Images && item->ImageIndex >= 0 &&
                                                          item->ImageIndex < menu->Images->Count()) {
        menu->Images->Draw(idc, item->ImageIndex, gx, vOffset);
    }

    // Caption and shortcut.
    LOGFONTW font = ItemFont(item, false, item->Default || (state & odDefault));
    TColor textColour = fontColour;
    if (manager_.OnGetPopupItemData) {
        TFont itemFont;
        itemFont.SetColor(clFuchsia);
        TSkMenuItemData data{&itemFont};
        manager_.OnGetPopupItemData(item, state, data);
        if (itemFont.Color() != clFuchsia) textColour = itemFont.Color();
    }
    SelectObjectScope selectedFont(idc, FontHandle(font));
    ::SetBkMode(idc, TRANSPARENT);
    ::SetTextColor(idc, ColorToRGB(textColour));
    const int iconColumn = glyph.cx + 2 * Margin + Spacing;
    RECT textRect{iconColumn, Margin, w, h - Margin};
    std::wstring caption = Widen(item->Caption);
    std::wstring tabPart;
    if (const size_t tab = caption.find(L'\t'); tab != std::wstring::npos) {
        tabPart = caption.substr(tab + 1);
        caption.resize(tab);
    }
    UINT align = Alignment == taRightJustify ? DT_RIGHT : Alignment == taCenter ? DT_CENTER : DT_LEFT;
    if (!caption.empty() && caption.front() == L'\b') {
        caption = caption.substr(1) + L"      ";
        align = DT_RIGHT;
    }
    const UINT format = (caption.find(L'\n') != std::wstring::npos ? DT_WORDBREAK : DT_SINGLELINE) | DT_VCENTER |
                        DT_EXPANDTABS | DT_NOCLIP | align | ((state & odNoAccel) ? DT_HIDEPREFIX : 0);
    ::DrawTextW(idc, caption.c_str(), int(caption.size()), &textRect, format);
    auto drawRight = [&](const std::wstring& text) {
        if (text.empty()) return;
        RECT size{0, 0, 0, 0};
        ::DrawTextW(idc, text.c_str(), int(text.size()), &size, DT_CALCRECT | DT_SINGLELINE);
        RECT r{w - 8 - size.right, 0, w - 8, h};
        ::DrawTextW(idc, text.c_str(), int(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
    };
    drawRight(tabPart);
    if (item->ShortCut != 0 && item->Count() == 0) drawRight(ShortCutToTextW(item->ShortCut));
    ::GdiFlush();
    // An item that opens a sub-menu shows an arrow at its right end.
    if (item->Count() > 0) DrawArrowTriangle(view, textColour, {w - 14, 0, w - 4, h - 1}, adRight);
    if (OnDrawItem) {
        TCanvas itemCanvas(idc);
        OnDrawItem(item, itemCanvas, {0, 0, w, h}, state, smNormal);
        ::GdiFlush();
    }
    if (disabled) BlendTowards(view, background.View());
    MakeOpaque(view);
    ::BitBlt(dc, itemRect.Left, itemRect.Top, w, h, idc, 0, 0, SRCCOPY);
    // The first item shows the extra-line band beside the items.
    if (extra > 0 && item->Parent() && item == FirstVisible(item->Parent()))
        CopyCache(entry->Bmp, dc, SkinBorderWidth() - offset.X, SkinBorderWidth() - offset.Y,
                  {SkinBorderWidth(), SkinBorderWidth(), SkinBorderWidth() + extra, entry->Bmp.Height() - SkinBorderWidth()});
    if (item->OnDrawItem) item->OnDrawItem(item, canvas, rect, selected);
}

void TSkinableMenus::MeasureTopItem(TMenuItem* item, int& width, int& height) {
    height = ::GetSystemMetrics(SM_CYMENU) - 1;
    std::string caption = item->Caption;
    std::erase(caption, '&');
    const std::wstring text = Widen(caption);
    SelectObjectScope selected(measureDC_.Get(), FontHandle(ItemFont(item, false, false)));
    SIZE size{};
    ::GetTextExtentPoint32W(measureDC_.Get(), text.c_str(), int(text.size()), &size);
    width = size.cx;
    const TMenu* menu = item->GetParentMenu();
    BITMAP bm{};
    if (menu && menu->Images && item->ImageIndex >= 0) width += menu->Images->Width() + 6;
    else if (item->Bitmap && ::GetObjectW(item->Bitmap.Get(), sizeof bm, &bm)) width += bm.bmWidth + 6;
}

void TSkinableMenus::DrawTopItem(TMenuItem* item, TCanvas& canvas, const TRect& rect, TOwnerDrawState state) {
    const TSkinTables* skin = Skin();
    if (!active_ || !skin || IsEmpty(rect)) return;
    const int w = rect.Width(), h = rect.Height();
    const bool selected = (state & (odSelected | odHotLight)) != 0;
    const bool disabled = (state & (odDisabled | odGrayed)) != 0;
    TMenuItemImage& background = Scratch(0, w, h);
    const int line = skin->CommonIndexes[csMenuLine];
    if (line >= 0) PaintSectionArea(background.View(), {0, 0, w, h}, {}, skNoBackground, line, 0, -1, *skin);
    else FillRect32(background.View(), {0, 0, w, h}, TColor(::GetSysColor(COLOR_MENU)), 255);
    TMenuItemImage& image = Scratch(1, w, h);
    const TImageView32 view = image.View();
    CopyView(view, 0, 0, background.View(), {0, 0, w, h});
    const int section = skin->CommonIndexes[csMenuItem];
    const int paintState = selected && !disabled ? 1 : 0;
    if (section >= 0 && paintState > 0)
        PaintSectionArea(view, {0, 0, w, h}, {}, MakeBgCacheRefFromBitmap(background.View(), 0, 0), section,
                         std::min(paintState, skin->Section(section).States - 1), -1, *skin);
    ::GdiFlush();
    int left = Margin;
    const TMenu* menu = item->GetParentMenu();
    if (menu && menu->Images && item->ImageIndex >= 0) {
        menu->Images->Draw(image.DC(), item->ImageIndex, 3, (h - menu->Images->Height()) / 2);
        left += menu->Images->Width() + 6;
    }
    const int textSection = paintState > 0 && section >= 0 ? section : line;
    SelectObjectScope selectedFont(image.DC(), FontHandle(ItemFont(item, false, false)));
    ::SetBkMode(image.DC(), TRANSPARENT);
    ::SetTextColor(image.DC(), textSection >= 0 ? ColorToRGB(skin->Section(textSection).Props[size_t(textSection == section ? std::min(paintState, skin->Section(section).States - 1) : 0)].FontColor) : 0);
    const std::wstring text = Widen(item->Caption);
    RECT r{left, 0, w - Margin, h};
    ::DrawTextW(image.DC(), text.c_str(), int(text.size()), &r,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP |
                    ((state & odNoAccel) ? DT_HIDEPREFIX : 0));
    ::GdiFlush();
    if (OnDrawItem) {
        TCanvas itemCanvas(image.DC());
        OnDrawItem(item, itemCanvas, {0, 0, w, h}, state, smTopLine);
        ::GdiFlush();
    }
    if (disabled) BlendTowards(view, background.View());
    MakeOpaque(view);
    ::BitBlt(canvas.Handle(), rect.Left, rect.Top, w, h, image.DC(), 0, 0, SRCCOPY);
}

TSkinableMenus* DefaultSkinableMenus() {
    TSkinManager* manager = DefaultManager();
    return manager ? dynamic_cast<TSkinableMenus*>(manager->SkinableMenus()) : nullptr;
}

void AddMenuSkinningLinks(TSkinEngineLinks& links) {
    links.MakeSkinableMenus = [](TSkinManager& manager) -> std::unique_ptr<TSkinMenusLink> {
        return std::make_unique<TSkinableMenus>(manager);
    };
}

}  // namespace ad::skin::forms
