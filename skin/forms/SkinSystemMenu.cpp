// What a skinned form's system menu shows and allows.
#include "skin/forms/SkinSystemMenu.h"

#include <algorithm>

#include "skin/engine/win/SkinListController.h"
#include "skin/engine/win/skConst.h"

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

namespace {
constexpr char kSkinSelectItem[] = "SkinSelectItem";
constexpr int kSkinItemsPerColumn = 20;
}  // namespace

std::string SkinNameOfItemCaption(const std::string& caption) {
    std::string name = caption;
    std::erase(name, '&');
    const std::string marker = " " + SkinCaptions().Internal;
    if (name.size() >= marker.size() && name.compare(name.size() - marker.size(), marker.size(), marker) == 0)
        name.resize(name.size() - marker.size());
    return name;
}

void AddSkinItems(TMenu& menu, TSkinManager& manager) {
    TMenuItem& root = menu.Items();
    for (int i = 0; i < root.Count(); ++i) {
        if (root.Items(i)->Name != kSkinSelectItem) continue;
        if (i + 1 < root.Count() && root.Items(i + 1)->IsLine()) delete root.Items(i + 1);
        delete root.Items(i);
        break;
    }
    TMenuItem* list = root.Insert(0, SkinCaptions().AvailableStyles);
    list->Name = kSkinSelectItem;
    root.Insert(1, "-");
    std::string first;
    const std::vector<std::string> names = ListSkins(manager, slFoldersAndPacked, first);
    bool checked = false;
    for (size_t i = 0; i < names.size(); ++i) {
        bool stored = false;
        for (int k = 0; k < manager.InternalSkins.Count(); ++k) stored = stored || manager.InternalSkins[k].Name == names[i];
        TMenuItem* item = list->Add(stored ? names[i] + " " + SkinCaptions().Internal : names[i]);
        item->Name = kSkinSelectItem + std::to_string(i);
        item->RadioItem = true;
        if (!checked && names[i] == manager.SkinName()) item->Checked = checked = true;
        if (i > 0 && i % kSkinItemsPerColumn == 0) item->Break = TMenuBreak::mbBreak;
        item->OnClick = [&manager](TObject* sender) {
            if (auto* clicked = dynamic_cast<TMenuItem*>(sender))
                manager.SetSkinName(SkinNameOfItemCaption(clicked->Caption));
        };
    }
}

}  // namespace ad::skin::forms
