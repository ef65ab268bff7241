// Adapting a form's listed controls with window adapters.
#include "skin/forms/SkCtrlAdapter.h"

#include <dwmapi.h>

#include <algorithm>

#include "framework/Forms.h"
#include "skin/adapters/SkAdapterTable.h"
#include "skin/engine/win/SkinCommonData.h"
#include "skin/engine/win/SkinDwm.h"
#include "skin/forms/SkinProvider.h"

namespace ad::skin::forms {

using adapters::TSkMainWnd;
using adapters::TSkSkinParams;

TSkCtrlAdapter::TSkCtrlAdapter(TSkinProvider* provider) : provider_(provider) {}

TSkCtrlAdapter::~TSkCtrlAdapter() {
    RemoveDeadItems();
    ClearAll();
}

const TSkThirdPartyList* TSkCtrlAdapter::Lists() const {
    if (provider_->HasOwnThirdParty()) return &provider_->ThirdParty;
    TSkinManager* manager = provider_->Manager();
    return manager ? &manager->ThirdParty : nullptr;
}

bool TSkCtrlAdapter::AskEvents(TWinControl* control, TSkSkinParams& params) {
    bool canBeAdded = true;
    if (provider_->OnSkinItem) provider_->OnSkinItem(control, canBeAdded, params.SkinSection);
    if (canBeAdded && provider_->OnSkinItemEx) provider_->OnSkinItemEx(control, canBeAdded, params);
    return canBeAdded;
}

bool TSkCtrlAdapter::Listed(TWinControl* control) const {
    const TSkThirdPartyList* lists = Lists();
    return lists && lists->KindOf(control->ClassName()).has_value();
}

bool TSkCtrlAdapter::CanAdapt(TWinControl* control) {
    if (!control || (control->Tag & kNoSkinTag) || !control->HandleAllocated() ||
        IsSkinnedWindow(control->Handle()))
        return false;
    // A form placed inside the form, and a listed speed button, as the events say.
    const bool speedButton = dynamic_cast<TSpeedButton*>(control) != nullptr;
    if (dynamic_cast<TForm*>(control) || (speedButton && Listed(control))) {
        TSkSkinParams params;
        params.Control = control;
        return AskEvents(control, params) && params.UseSkinFontColor;
    }
    return !speedButton && Listed(control);
}

void TSkCtrlAdapter::AdaptChildren(TWinControl* parent) {
    TSkinManager* manager = provider_->Manager();
    if (!provider_->AllowSkin3rdParty || scanning_ || !manager || !(manager->SkinningRules & srThirdParty)) return;
    if (!parent) parent = provider_->Form();
    if (!parent) return;
    scanning_ = true;
    RemoveDeadItems();
    std::unordered_set<TWinControl*> seen{parent};
    Scan(parent, seen);
    scanning_ = false;
}

// What the parent owns (wherever it is placed), then what it holds; each
// control is looked at once per scan however many ways lead to it.
void TSkCtrlAdapter::Scan(TWinControl* parent, std::unordered_set<TWinControl*>& seen) {
    auto visit = [&](TWinControl* child) {
        if (!child || !seen.insert(child).second) return;
        if (CanAdapt(child)) {
            if (auto* button = dynamic_cast<TSpeedButton*>(child)) AddGraphicControl(button);
            else AddControlWithSection(child, std::string());
        }
        if (child->HandleAllocated() && child->Parent()) Scan(child, seen);
    };
    for (int i = 0; i < parent->ComponentCount(); ++i) visit(dynamic_cast<TWinControl*>(parent->Components(i)));
    for (int i = 0; i < parent->ControlCount(); ++i) visit(parent->Controls(i));
}

void TSkCtrlAdapter::AddControlWithSection(TWinControl* control, const std::string& section) {
    if (!provider_->AllowSkin3rdParty || !control || (control->Tag & kNoSkinTag) || !control->Parent() ||
        !control->HandleAllocated())
        return;
    // An item whose window went is made again below, so its old adapter must
    // not count as skinning the new window.
    auto it = std::find_if(items_.begin(), items_.end(), [&](const auto& item) { return item->Control == control; });
    const bool stale = it != items_.end() && (*it)->Adapter && (*it)->Adapter->Destroyed();
    if (!stale && IsSkinnedWindow(control->Handle())) return;
    TSkSkinParams params;
    params.Control = control;
    params.SkinSection = section;
    if (!AskEvents(control, params)) return;
    if (auto* form = dynamic_cast<TForm*>(control)) {
        AdaptEmbeddedForm(form, params.SkinSection);
        return;
    }
    if (it == items_.end()) {
        auto item = std::make_unique<TSkAdapterItem>();
        item->Control = control;
        Attach(*item, params);
        if (item->Adapter) items_.push_back(std::move(item));
        return;
    }
    if (stale) {
        (*it)->Adapter.reset();
        Attach(**it, params);
    }
}

void TSkCtrlAdapter::AdaptEmbeddedForm(TForm* form, const std::string& section) {
    if (TSkinProvider::OfWindow(form->Handle())) return;
    auto* provider = new TSkinProvider(form);  // owned and freed by the form
    provider->SkinData->SetSkinSection(section.empty() ? "FORM" : section);
    const BOOL disabled = TRUE;
    SetDwmWindowAttribute(form->Handle(), DWMWA_TRANSITIONS_FORCEDISABLED, &disabled, sizeof(disabled));
}

void TSkCtrlAdapter::AddGraphicControl(TSpeedButton* button) {
    if (!provider_->AllowSkin3rdParty || !button || (button->Tag & kNoSkinTag) || !button->Parent() ||
        !button->HandleAllocated() || SendSkinCommand(button->Handle(), SKC_ISSKINNED) == 1)
        return;
    TSkSkinParams params;
    params.Control = button;
    params.SkinSection = "SPEEDBUTTON";
    if (!AskEvents(button, params)) return;
    TSkinManager* manager = provider_->Manager();
    if (!manager) return;
    auto it = std::find_if(graphItems_.begin(), graphItems_.end(),
                           [&](const auto& item) { return item->Control == button; });
    const bool fresh = it == graphItems_.end();
    if (fresh) {
        auto item = std::make_unique<TSkGraphItem>();
        item->Control = button;
        item->Data = std::make_unique<TSkinCommonData>(button, true);
        item->Data->ControlKind = 230;
        item->Data->Loading = false;
        item->Data->SetSkinManager(manager);
        graphItems_.push_back(std::move(item));
        it = std::prev(graphItems_.end());
    }
    TSkGraphItem& item = **it;
    item.Data->SetSkinSection(button->Flat ? "SPEEDBUTTON_SMALL" : "SPEEDBUTTON");
    if (fresh || !item.Handler || item.Handler->Detached()) {
        item.Handler.reset();
        item.Handler = std::make_unique<adapters::TSkSpeedButtonHandler>(button, item.Data->SkinSection(), manager,
                                                                          item.Data.get());
    }
    if (item.Handler->Detached()) graphItems_.erase(it);
}

void TSkCtrlAdapter::Attach(TSkAdapterItem& item, TSkSkinParams params) {
    TWinControl* control = item.Control;
    TSkinManager* manager = provider_->Manager();
    if (!control || (control->Tag & kNoSkinTag) || !control->HandleAllocated() || !manager) return;
    if (IsSkinnedWindow(control->Handle())) return;
    const TSkThirdPartyList* lists = Lists();
    if (!lists) return;
    const auto kind = lists->KindOf(control->ClassName());
    if (!kind) return;
    params.Control = control;
    item.Adapter = adapters::CreateAdapter(*kind, control->Handle(), manager, params);
}

void TSkCtrlAdapter::RemoveDeadItems() {
    std::erase_if(items_, [](const auto& item) {
        return !item->Control.Get() || !item->Adapter || (item->Adapter->Destroyed() && !item->Control->HandleAllocated());
    });
    std::erase_if(graphItems_, [](const auto& item) {
        return !item->Control.Get() || !item->Handler || item->Handler->Detached();
    });
}

void TSkCtrlAdapter::ClearAll() {
    while (!items_.empty()) items_.pop_back();
    while (!graphItems_.empty()) graphItems_.pop_back();
}

void TSkCtrlAdapter::SendToAdapted(const TMessage& m) {
    for (const auto& item : items_) {
        if (!item->Adapter || item->Adapter->Destroyed() || !item->Control || !item->Control->Parent()) continue;
        SendAdapterMessage(item->Adapter->WindowHandle(), m.Msg, m.WParam, m.LParam);
    }
}

adapters::TSkSpeedButtonHandler* TSkCtrlAdapter::HandlerOf(TSpeedButton* button) const {
    for (const auto& item : graphItems_)
        if (item->Control == button) return item->Handler.get();
    return nullptr;
}

TSkMainWnd* TSkCtrlAdapter::AdapterOf(TWinControl* control) const {
    for (const auto& item : items_)
        if (item->Control == control) return item->Adapter.get();
    return nullptr;
}

}  // namespace ad::skin::forms
