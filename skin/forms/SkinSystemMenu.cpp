// What a skinned form's system menu shows and allows.
#include "skin/forms/SkinSystemMenu.h"

namespace ad::skin::forms {

bool TSkinSystemMenu::Iconic() const { return form_->HandleAllocated() && ::IsIconic(form_->Handle()); }
bool TSkinSystemMenu::Zoomed() const { return form_->HandleAllocated() && ::IsZoomed(form_->Handle()); }

bool TSkinSystemMenu::LargeBorder() const {
    return form_->BorderStyle == TFormBorderStyle::bsSingle || form_->BorderStyle == TFormBorderStyle::bsSizeable;
}

bool TSkinSystemMenu::HasSystemMenu() const {
    return (form_->BorderIcons & biSystemMenu) && form_->BorderStyle != TFormBorderStyle::bsNone;
}

UINT TSkinSystemMenu::NativeItemState(UINT command) const {
    if (!form_->HandleAllocated()) return UINT(-1);
    HMENU menu = ::GetSystemMenu(form_->Handle(), FALSE);
    return menu ? ::GetMenuState(menu, command, MF_BYCOMMAND) : UINT(-1);
}

bool TSkinSystemMenu::CloseVisible() const { return HasSystemMenu() && NativeItemState(SC_CLOSE) != UINT(-1); }

bool TSkinSystemMenu::CloseEnabled() const {
    const UINT state = NativeItemState(SC_CLOSE);
    return state != UINT(-1) && !(state & (MF_DISABLED | MF_GRAYED));
}

bool TSkinSystemMenu::MaxVisible() const {
    if (!HasSystemMenu()) return false;
    return Iconic() || (LargeBorder() && (form_->BorderIcons & biMaximize));
}

bool TSkinSystemMenu::MinVisible() const {
    if (!HasSystemMenu()) return false;
    return Iconic() || (LargeBorder() && (form_->BorderIcons & biMinimize));
}

bool TSkinSystemMenu::RestoreVisible() const { return HasSystemMenu() && LargeBorder(); }

bool TSkinSystemMenu::SizeVisible() const {
    return LargeBorder() || form_->BorderStyle == TFormBorderStyle::bsSizeToolWin;
}

bool TSkinSystemMenu::MaxEnabled() const { return (form_->BorderIcons & biMaximize) && LargeBorder(); }

bool TSkinSystemMenu::MinEnabled() const {
    if (!(form_->BorderIcons & biMinimize)) return false;
    return !Iconic() || (Application && Application->MainForm == form_);
}

bool TSkinSystemMenu::RestoreEnabled() const {
    return ((form_->BorderIcons & biMaximize) && (Zoomed() || Iconic())) || Iconic();
}

bool TSkinSystemMenu::MoveEnabled() const { return !Zoomed(); }

bool TSkinSystemMenu::SizeEnabled() const { return form_->BorderStyle != TFormBorderStyle::bsSingle && !Iconic(); }

}  // namespace ad::skin::forms
