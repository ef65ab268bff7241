// Menu items and the popup menu.
#include "framework/Menus.h"

#include "framework/Forms.h"
#include "framework/SysUtils.h"

namespace ad {

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

void TMenuItem::Clear() {
    std::vector<TMenuItem*> old;
    old.swap(items_);
    for (auto it = old.rbegin(); it != old.rend(); ++it) delete *it;
}

void TMenuItem::Click() {
    if (OnClick) OnClick(this);
}

std::wstring TMenuItem::MenuText() { return Widen(Caption); }

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), root_(new TMenuItem(this)) {}

static void AppendItems(HMENU menu, TMenuItem& parent, std::vector<TMenuItem*>& commands) {
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem* item = parent.Items(i);
        if (item->Caption == "-") {
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::wstring text = item->MenuText();
        UINT flags = MF_STRING | (item->Enabled ? 0 : MF_GRAYED) | (item->Checked ? MF_CHECKED : 0) |
                     (item->Break == TMenuBreak::mbBreak ? MF_MENUBREAK : 0) |
                     (item->Break == TMenuBreak::mbBarBreak ? MF_MENUBARBREAK : 0);
        if (item->Count() > 0) {
            HMENU sub = ::CreatePopupMenu();
            AppendItems(sub, *item, commands);
            ::AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), text.c_str());
        } else {
            commands.push_back(item);
            ::AppendMenuW(menu, flags, commands.size(), text.c_str());
        }
        if (item->Bitmap) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_BITMAP;
            info.hbmpItem = item->Bitmap.Get();
            ::SetMenuItemInfoW(menu, static_cast<UINT>(::GetMenuItemCount(menu) - 1), TRUE, &info);
        }
    }
}

OwnedMenu TPopupMenu::BuildMenu(std::vector<TMenuItem*>& commands) {
    OwnedMenu menu(::CreatePopupMenu());
    commands.clear();
    AppendItems(menu.Get(), *root_, commands);
    return menu;
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    std::vector<TMenuItem*> commands;
    OwnedMenu menu = BuildMenu(commands);
    HWND owner = Application ? Application->Handle() : nullptr;
    if (auto* control = dynamic_cast<TWinControl*>(PopupComponent)) owner = control->Handle();
    UINT id = static_cast<UINT>(
        ::TrackPopupMenuEx(menu.Get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, x, y, owner, nullptr));
    if (id >= 1 && id <= commands.size()) commands[id - 1]->Click();
}

TMainMenu::TMainMenu(TComponent* AOwner) : TComponent(AOwner), root_(new TMenuItem(this)) {}

TMainMenu::~TMainMenu() {
    // A window still showing the bar would destroy it with itself: take it off first.
    if (shownIn_ && ::IsWindow(shownIn_) && ::GetMenu(shownIn_) == menu_.Get()) ::SetMenu(shownIn_, nullptr);
}

HMENU TMainMenu::Handle() {
    if (!menu_) {
        menu_.Reset(::CreateMenu());
        commands_.clear();
        AppendItems(menu_.Get(), *root_, commands_);
    }
    return menu_.Get();
}

void TMainMenu::Rebuild() {
    const bool shown = shownIn_ && ::IsWindow(shownIn_) && ::GetMenu(shownIn_) == menu_.Get();
    OwnedMenu old = std::move(menu_);
    if (shown) {
        ::SetMenu(shownIn_, Handle());
        ::DrawMenuBar(shownIn_);
        if (TWinControl* form = TWinControl::FromHandle(shownIn_)) form->SendNotice(CM_MENUCHANGED);
    }
}

TMenuItem* TMainMenu::FindCommand(UINT id) const {
    return id >= 1 && id <= commands_.size() ? commands_[id - 1] : nullptr;
}

}  // namespace ad
