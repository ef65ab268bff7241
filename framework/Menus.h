// Menu items, the popup menu and a form's menu bar: items with captions,
// check marks, shortcuts, images and click events, shown with the system's
// popup menu at a screen point or as the system menu bar of a form. A menu
// whose OwnerDraw is on, or an item with a drawing event, is owner-drawn: the
// item's measure and draw events answer WM_MEASUREITEM and WM_DRAWITEM,
// whichever window owns the menu (a form, a control, the application window).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/Geometry.h"
#include "framework/Component.h"
#include "framework/Graphics.h"
#include "framework/Handles.h"

namespace ad {

class TImageList;
class TMenu;

enum class TMenuBreak { mbNone, mbBreak, mbBarBreak };

// Shortcut: a virtual key or-ed with modifier bits.
constexpr WORD scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
// "Shift+", "Ctrl+" and "Alt+" in that order, then the key: own names for
// the editing and function keys, the keyboard layout's character for letters
// and digits and its key name for the rest; empty for no key.
std::wstring ShortCutToTextW(WORD shortCut);
std::string ShortCutToText(WORD shortCut);

// The state of an owner-drawn item (the system's ODS_ bits).
using TOwnerDrawState = UINT;
constexpr TOwnerDrawState odSelected = ODS_SELECTED, odGrayed = ODS_GRAYED, odDisabled = ODS_DISABLED,
                          odChecked = ODS_CHECKED, odFocused = ODS_FOCUS, odDefault = ODS_DEFAULT,
                          odHotLight = ODS_HOTLIGHT, odInactive = ODS_INACTIVE, odNoAccel = ODS_NOACCEL,
                          odNoFocusRect = ODS_NOFOCUSRECT;

using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas& ACanvas, int& Width, int& Height)>;
using TAdvancedMenuDrawItemEvent =
    std::function<void(TObject* Sender, TCanvas& ACanvas, const TRect& ARect, TOwnerDrawState State)>;
using TMenuDrawItemEvent = std::function<void(TObject* Sender, TCanvas& ACanvas, const TRect& ARect, bool Selected)>;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;
    std::string Caption;  // "-" makes a separator
    bool Enabled = true;
    bool Checked = false;
    bool Visible = true;    // a hidden item is left out of the system menu
    bool Default = false;   // shown bold
    bool RadioItem = false;  // a checked item shows a bullet
    WORD ShortCut = 0;      // shown after a tab; the key itself is not bound here
    int ImageIndex = -1;    // in the parent menu's Images
    TMenuBreak Break = TMenuBreak::mbNone;  // starts a new column (with a bar)
    OwnedBitmap Bitmap;  // shown beside the caption
    TNotifyEvent OnClick;
    // Owner drawing: the size an item asks for, and its painting (the
    // advanced event wins over the simple one; without either the item is
    // drawn in the system's colours).
    TMenuMeasureItemEvent OnMeasureItem;
    TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;
    TMenuDrawItemEvent OnDrawItem;

    // Sub-items, owned by this item.
    TMenuItem* Add(const std::string& caption) { return AddItem<TMenuItem>(caption); }
    template <class T>
    T* AddItem(const std::string& caption) {
        auto* item = new T(this);
        item->Caption = caption;
        items_.push_back(item);
        return item;
    }
    // A sub-item put at index (clamped to the items' range).
    TMenuItem* Insert(int index, const std::string& caption) {
        TMenuItem* item = Add(caption);
        items_.pop_back();
        index = index < 0 ? 0 : index > Count() ? Count() : index;
        items_.insert(items_.begin() + index, item);
        return item;
    }
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
    // Position among the parent's items (-1 for a menu's root item).
    int MenuIndex() const;
    void Clear();
    virtual void Click();
    // The text the system menu item shows: the caption, and for an item
    // without sub-items a tab and the shortcut's text when it has one.
    virtual std::wstring MenuText();

    // The item this one is a sub-item of (null for a menu's root item).
    TMenuItem* Parent() const;
    // The menu the item belongs to (null for a free item).
    TMenu* GetParentMenu() const;
    bool IsLine() const { return Caption == "-"; }
    // Drawn by the owner: its menu is OwnerDraw or it has a drawing event.
    bool OwnerDrawn() const;

    // The item a built menu stored in its item data: null when that item is gone.
    static TMenuItem* FromItemData(ULONG_PTR data);
    // Answers WM_MEASUREITEM or WM_DRAWITEM (msg, lParam) of a menu item that
    // a menu here built: true when taken (the owner then answers TRUE).
    static bool HandleOwnerDrawMessage(UINT msg, LPARAM lParam);

protected:
    // The owner-draw steps, run by HandleOwnerDrawMessage.
    virtual void MeasureItem(TCanvas& canvas, int& width, int& height);
    virtual void AdvancedDrawItem(TCanvas& canvas, const TRect& rect, TOwnerDrawState state, bool topLevel);
    // The look in the system's colours.
    void DrawDefault(TCanvas& canvas, const TRect& rect, TOwnerDrawState state, bool topLevel);

private:
    friend class TMenu;
    std::vector<TMenuItem*> items_;
};

// What popup menus and menu bars share: the root item, owner drawing and
// the image list the items' ImageIndex refers to.
class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* AOwner);
    TMenuItem& Items() { return *root_; }
    bool OwnerDraw = false;
    TImageList* Images = nullptr;  // not owned

    // Fills menu with the items under parent; every item's command id is its
    // index in commands + 1; owner-drawn items carry themselves as item data.
    void AppendItems(HMENU menu, TMenuItem& parent, std::vector<TMenuItem*>& commands);
    // A memory DC the items are measured on (made on first use).
    HDC MeasureDC();

protected:
    TMenuItem* root_;

private:
    OwnedMemoryDC measureDC_;
};

// How the system animates a popup when it opens.
using TMenuAnimation = unsigned;
constexpr TMenuAnimation maLeftToRight = 1, maRightToLeft = 2, maTopToBottom = 4, maBottomToTop = 8, maNone = 16;

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* AOwner);
    bool AutoPopup = true;
    TComponent* PopupComponent = nullptr;
    TMenuAnimation MenuAnimation = 0;
    TNotifyEvent OnPopup;

    // Shows the menu at a screen point and runs the chosen item's click (nothing
    // when the menu is dismissed). Returns once the menu has closed.
    void Popup(int x, int y);

    // The system menu for the items, and the item behind each command id
    // (index + 1), as Popup builds them.
    OwnedMenu BuildMenu(std::vector<TMenuItem*>& commands);
    // The window that owns the menu while it shows: PopupComponent's window,
    // else the application's window.
    HWND OwnerWindow() const;
};

// A form's menu bar (TForm::SetMenu): the top items and their sub-items as the
// system menu bar, made anew by Rebuild after the items change.
class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* AOwner);
    ~TMainMenu() override;

    // The menu bar, made on first use; the form that shows it does not own it.
    HMENU Handle();
    // Makes the bar again from the items and tells the form showing it.
    void Rebuild();
    // The item behind a command id of the bar (null for none).
    TMenuItem* FindCommand(UINT id) const;

private:
    friend class TForm;
    OwnedMenu menu_;
    std::vector<TMenuItem*> commands_;
    HWND shownIn_ = nullptr;  // the window the bar is set on
};

}  // namespace ad
