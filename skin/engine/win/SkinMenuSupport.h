// The skin manager's menu settings (MenuSupport): the popups' alpha, the
// icon-column section, an optional vertical extra-line band with its font,
// and a menu font that overrides the system's. Also what the manager asks of
// its skinned-menus object, which sits above the engine and is made through
// the engine links, and the events through which the program shapes menus.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/Graphics.h"
#include "framework/Handles.h"
#include "framework/Menus.h"

namespace ad::skin {

class TSkMenuSupport {
public:
    uint8_t AlphaBlend = 255;  // of open popups; 255 leaves them opaque (not layered)
    TFont ExtraLineFont;
    int ExtraLineWidth = 32;
    std::string IcoLineSkin = "ICOLINE";  // the section painted as the icon column
    bool UseExtraLine = false;

    const TFont& Font() const { return font_; }
    // Also becomes the menu font override, which is made when missing.
    void SetFont(const TFont& font);
    bool CustomFont() const { return bool(override_); }
    // On: the override is made (when missing) from Font; off: it goes.
    void SetCustomFont(bool value);
    // The font menu items use instead of the system's; null when none.
    TFont* MenuFontOverride() const { return override_.get(); }

private:
    TFont font_;
    std::unique_ptr<TFont> override_;
};

// What the skin manager asks of its skinned-menus object.
class TSkinMenusLink {
public:
    virtual ~TSkinMenusLink() = default;
    virtual bool Active() const = 0;
    // Switches the skinned drawing of every menu of the application.
    virtual void SetActive(bool value) = 0;
    // Follows whether the manager's skin is active.
    virtual void SyncActive() = 0;
    // A skin came or went: cached popup frames and measures are dropped.
    virtual void SkinChanged() = 0;
    // Gives an open popup-menu window its skinned border.
    virtual void PaintPopupBorderOf(HWND window) = 0;
    // A system menu is about to open (WM_INITMENUPOPUP of its owner).
    virtual void InitMenuPopup(HMENU menu) = 0;
};

// Posted to the application window when an item was drawn without knowing
// its popup window: the window's border is painted when the message comes.
// The popup is named by its menu handle (wParam), looked up again then,
// since the menu may have been rebuilt meanwhile.
constexpr UINT kMenuBorderByMenu = 0xBCB3;
// The same for a known popup window (lParam).
constexpr UINT kMenuBorderByWindow = 0xBCB4;
// The system's class of popup-menu windows.
inline constexpr char kPopupMenuClass[] = "#32768";

// The extra-line band of a popup, asked with the popup's first item.
using TSkGetExtraLineData = std::function<void(TMenuItem* FirstItem, std::string& SkinSection, std::string& Caption,
                                               OwnedBitmap& Glyph, bool& LineVisible)>;
// What a handler may change of one item's drawing.
struct TSkMenuItemData {
    TFont* Font = nullptr;
};
using TSkGetPopupItemData = std::function<void(TMenuItem* Item, TOwnerDrawState State, TSkMenuItemData& ItemData)>;

}  // namespace ad::skin
