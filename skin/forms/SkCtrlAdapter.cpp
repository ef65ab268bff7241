// Adapting a form's listed controls with window adapters.
#include "skin/forms/SkCtrlAdapter.h"

#include <algorithm>

#include "framework/Forms.h"
#include "skin/adapters/SkAdapterTable.h"
#include "skin/engine/win/SkinCommonData.h"
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

bool TSkCtrlAdapter::CanAdapt(TWinControl* control) {
    if (!control || (control->Tag & kNoSkinTag) || !control->HandleAllocated() ||
        IsSkinnedWindow(control->Handle()))
        return false;
    if (dynamic_cast<TForm*>(control)) return false;  // forms get providers of their own
    const TSkThirdPartyList* lists = Lists();
    return lists && lists->KindOf(control->ClassName()).has_value();
}

void TSkCtrlAdapter::AdaptChildren(TWinControl* parent) {
    TSkinManager* manager = provider_->Manager();
    if (!provider_->AllowSkin3rdParty || scanning_ || !manager || !(manager->SkinningRules & srThirdParty)) return;
    if (!parent) parent = provider_->Form();
    if (!parent) return;
    scanning_ = true;
    RemoveDeadItems();
    Scan(parent);
    scanning_ = false;
}

void TSkCtrlAdapter::Scan(TWinControl* parent) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TWinControl* child = parent->Controls(i);
        if (CanAdapt(child)) AddControlWithSection(child, std::string());
        if (child->HandleAllocated() && child->Parent()) Scan(child);
    }
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
}

void TSkCtrlAdapter::ClearAll() {
    while (!items_.empty()) items_.pop_back();
}

void TSkCtrlAdapter::SendToAdapted(const TMessage& m) {
    for (const auto& item : items_) {
        if (!item->Adapter || item->Adapter->Destroyed() || !item->Control || !item->Control->Parent()) continue;
        SendAdapterMessage(item->Adapter->WindowHandle(), m.Msg, m.WParam, m.LParam);
    }
}

TSkMainWnd* TSkCtrlAdapter::AdapterOf(TWinControl* control) const {
    for (const auto& item : items_)
        if (item->Control == control) return item->Adapter.get();
    return nullptr;
}

}  // namespace ad::skin::forms
