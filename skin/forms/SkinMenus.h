// TSkinableMenus: the skin manager's skinned-menus object. It turns the
// application's popup menus, menu bars and their items into owner-drawn
// menus painted from the skin: each popup's frame (the MAINMENU section, its
// border mask, the icon column and an optional vertical extra-line band) is
// rendered once into a cached bitmap keyed by the popup's first item; every
// item copies its background from there and paints its state, check mark,
// glyph, caption and shortcut over it. Only the handlers it installed are
// ever taken off an item again. Measures are cached per item and font, so a
// popup of many items is measured with one text measurement per item.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/TextStyle.h"
#include "framework/Menus.h"
#include "skin/engine/win/SkinCacheImage.h"
#include "skin/engine/win/SkinEngineLinks.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/engine/win/SkinMenuSupport.h"

namespace ad::skin::forms {

class TMenuItemImage;

enum TSkinMenuItemType { smCaption, smDivider, smNormal, smTopLine };
using TSkinMenuManagerDrawItemEvent = std::function<void(TObject* Sender, TCanvas& ACanvas, const TRect& ARect,
                                                         TOwnerDrawState State, TSkinMenuItemType ItemType)>;

// One popup's frame: the bitmap (empty until the first item is drawn), the
// window it shows in (null while unknown), the extra-line band and the
// rectangles the frame leaves see-through.
struct TSkPopupCache {
    TMenuItem* FirstItem = nullptr;
    TSkinCacheImage Bmp;
    HWND Wnd = nullptr;
    bool LineVisible = false;
    std::string LineSection, LineCaption;
    OwnedBitmap LineGlyph;
    std::vector<TRect> OpaqueRects;
};

class TSkinableMenus : public TSkinMenusLink {
public:
    explicit TSkinableMenus(TSkinManager& manager);
    ~TSkinableMenus() override;

    int Margin = 2;
    int Spacing = 8;
    int BevelWidth = 0;
    int BorderWidth = 3;
    TAlignment Alignment = taLeftJustify;
    TFont CaptionFont;
    TSkinMenuManagerDrawItemEvent OnDrawItem;

    // ---- The manager's link ----
    bool Active() const override { return active_; }
    void SetActive(bool value) override;
    void SyncActive() override;
    void SkinChanged() override;
    void PaintPopupBorderOf(HWND window) override;

    // ---- Switching menus ----
    void SetMenuSkinned(TPopupMenu* menu, bool value);
    void SetItemsSkinned(TMenuItem* item, bool value);
    void SetMainMenuSkinned(TMainMenu* menu, bool value);
    void SetItemSkinned(TMenuItem* item, bool value);
    // The items of a system menu about to open (WM_INITMENUPOPUP) get the
    // skin's handlers when skinned popups are on: items added after the
    // menu was switched on are painted like the others.
    void InitMenuPopup(HMENU menu) override;
    // The item's handlers are the skin's.
    static bool HasSkinHandlers(const TMenuItem* item);

    // ---- Popup frames ----
    // The entry of the item's popup (by its first item), or of the window
    // when item is null; built when missing and build is set.
    TSkPopupCache* GetPopupCache(TMenuItem* item, HWND window, bool build);
    void ClearMenuCache();
    int PopupCacheCount() const { return int(cache_.size()); }
    void PaintPopupBorder(HWND window, TSkPopupCache& entry);
    // The MAINMENU border mask's width (0 without a mask, 3 when it gives none).
    int SkinBorderWidth();
    int ExtraLineWidth(const TSkPopupCache* entry) const;

    // ---- Measuring and drawing ----
    static TSkinMenuItemType ItemType(const TMenuItem* item);
    TSize GlyphSize(const TMenuItem* item) const;
    int ItemHeight(TMenuItem* item);
    // The sum of the tallest column of the items under parent, and the width
    // of the columns side by side.
    int ColumnHeight(TMenuItem* parent);
    int PopupWidth(TMenuItem* parent);
    void MeasureItem(TMenuItem* item, int& width, int& height);
    void DrawItem(TMenuItem* item, TCanvas& canvas, const TRect& rect, TOwnerDrawState state);
    void MeasureTopItem(TMenuItem* item, int& width, int& height);
    void DrawTopItem(TMenuItem* item, TCanvas& canvas, const TRect& rect, TOwnerDrawState state);

    // Text measurements made (not answered from the cache): for tests and benchmarks.
    int TextMeasureCount() const { return textMeasures_; }
    // Set when a popup item is measured; the menu window's adapter clears it.
    bool PopupShowing = false;

private:
    struct TTextSize {
        std::wstring Text;
        LOGFONTW Font{};
        int Width = 0, Height = 0;
    };
    const TSkinTables* Skin() const;
    int SectionIndex(const std::string& name) const;
    LOGFONTW ItemFont(const TMenuItem* item, bool caption, bool bold) const;
    HFONT FontHandle(const LOGFONTW& font);
    // The text's size in the font (wrapped in 800 pixels), from the cache when it holds it.
    TSize MeasureText(const TMenuItem* item, const std::wstring& text, const LOGFONTW& font);
    std::wstring MeasuredText(const TMenuItem* item) const;
    void AskExtraLine(TSkPopupCache& entry);
    void BuildPopupCache(TSkPopupCache& entry, int width, int height);
    void DrawSeparator(TMenuItem* item, HDC dc, const TRect& rect, TSkPopupCache& entry, TPoint offset);
    void DrawCaptionItem(TMenuItem* item, HDC dc, const TRect& rect, TSkPopupCache& entry, TPoint offset);
    void CopyFrameParts(TMenuItem* item, HDC dc, const TRect& rect, TSkPopupCache& entry, TPoint offset);
    bool FirstColumn(const TMenuItem* item) const;

    // Reused item images (slot 0 the background, 1 the item), remade when the size changes.
    TMenuItemImage& Scratch(int slot, int width, int height);

    TSkinManager& manager_;
    std::unique_ptr<TMenuItemImage> scratch_[2];
    bool active_ = false;
    bool painting_ = false;
    bool askingLine_ = false;
    int skinBorderWidth_ = -1;
    std::vector<std::unique_ptr<TSkPopupCache>> cache_;
    std::unordered_map<const TMenuItem*, TTextSize> textSizes_;
    std::vector<std::pair<LOGFONTW, OwnedFont>> fonts_;
    OwnedMemoryDC measureDC_;
    int textMeasures_ = 0;
    mutable LOGFONTW systemMenuFont_{};
    mutable bool systemFontRead_ = false;
};

// The default manager's skinned menus (null without a manager or link).
TSkinableMenus* DefaultSkinableMenus();
// Adds the link that gives each manager its skinned menus.
void AddMenuSkinningLinks(TSkinEngineLinks& links);

}  // namespace ad::skin::forms
