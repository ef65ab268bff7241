// What a skinned form's system menu shows and allows, read from the form's
// border style and icons, its window state and the window's own system menu
// (a greyed SC_CLOSE item disables closing). The caption buttons, the hit
// test and the native system menu the provider pops up all ask here.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Forms.h"
#include "framework/Menus.h"
#include "skin/engine/win/SkinManager.h"

namespace ad::skin::forms {

class TSkinSystemMenu {
public:
    explicit TSkinSystemMenu(TForm* form) : form_(form) {}

    TForm* Form() const { return form_; }
    // The form shows a system menu (biSystemMenu).
    bool HasSystemMenu() const;
    bool CloseVisible() const;
    bool CloseEnabled() const;
    bool MaxVisible() const;
    bool MinVisible() const;
    bool RestoreVisible() const;
    bool SizeVisible() const;
    bool MaxEnabled() const;
    bool MinEnabled() const;
    bool RestoreEnabled() const;
    bool MoveEnabled() const;
    bool SizeEnabled() const;

private:
    bool Iconic() const;
    bool Zoomed() const;
    bool LargeBorder() const;  // bsSingle or bsSizeable
    // State of the window's own system menu item (-1 without the item or menu).
    UINT NativeItemState(UINT command) const;

    TForm* form_;
};

// The skin list at the top of a menu: an item named "SkinSelectItem"
// ("Available styles") and a separator; under it a radio item per available
// skin (named "SkinSelectItem" and its index; skins stored in the program
// marked " (internal)"), the current skin checked, a new column at every
// twentieth. Clicking one selects that skin. A skin list made before is
// taken out first, with its separator.
void AddSkinItems(TMenu& menu, TSkinManager& manager);
// The skin a skin item's caption names: without "&" and the internal marker.
std::string SkinNameOfItemCaption(const std::string& caption);

}  // namespace ad::skin::forms
