// Menu items, the popup menu and a form's menu bar: items with captions,
// check marks and click events, shown with the system's popup menu at a
// screen point or as the system menu bar of a form.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/Handles.h"

namespace ad {

enum class TMenuBreak { mbNone, mbBreak, mbBarBreak };

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    std::string Caption;  // "-" makes a separator
    bool Enabled = true;
    bool Checked = false;
    TMenuBreak Break = TMenuBreak::mbNone;  // starts a new column (with a bar)
    OwnedBitmap Bitmap;  // shown beside the caption
    TNotifyEvent OnClick;

    // Sub-items, owned by this item.
    TMenuItem* Add(const std::string& caption) { return AddItem<TMenuItem>(caption); }
    template <class T>
    T* AddItem(const std::string& caption) {
        auto* item = new T(this);
        item->Caption = caption;
        items_.push_back(item);
        return item;
    }
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
    void Clear();
    virtual void Click();
    // The text the system menu item shows: the caption (a descendant may add
    // a wide caption or a shortcut).
    virtual std::wstring MenuText();

private:
    friend class TPopupMenu;
    friend class TMainMenu;
    std::vector<TMenuItem*> items_;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner);
    TMenuItem& Items() { return *root_; }
    bool AutoPopup = true;
    TComponent* PopupComponent = nullptr;
    TNotifyEvent OnPopup;

    // Shows the menu at a screen point and runs the chosen item's click (nothing
    // when the menu is dismissed). Returns once the menu has closed.
    void Popup(int x, int y);

    // The system menu for the items, and the item behind each command id
    // (index + 1), as Popup builds them.
    OwnedMenu BuildMenu(std::vector<TMenuItem*>& commands);

private:
    TMenuItem* root_;
};

// A form's menu bar (TForm::SetMenu): the top items and their sub-items as the
// system menu bar, made anew by Rebuild after the items change.
class TMainMenu : public TComponent {
public:
    explicit TMainMenu(TComponent* AOwner);
    ~TMainMenu() override;
    TMenuItem& Items() { return *root_; }

    // The menu bar, made on first use; the form that shows it does not own it.
    HMENU Handle();
    // Makes the bar again from the items and tells the form showing it.
    void Rebuild();
    // The item behind a command id of the bar (null for none).
    TMenuItem* FindCommand(UINT id) const;

private:
    friend class TForm;
    TMenuItem* root_;
    OwnedMenu menu_;
    std::vector<TMenuItem*> commands_;
    HWND shownIn_ = nullptr;  // the window the bar is set on
};

}  // namespace ad
