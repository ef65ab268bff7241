// TObject and TComponent.
#include "framework/Component.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "base/StrUtils.h"

namespace ad {

std::string TObject::ClassName() const { return ClassNameOf(typeid(*this)); }

std::string ClassNameOf(const std::type_info& type) {
    const char* mangled = type.name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                      std::free);
    std::string name = (status == 0 && demangled) ? demangled.get() : mangled;
    size_t colon = name.rfind("::");
    return colon == std::string::npos ? name : name.substr(colon + 2);
}

TComponent::TComponent(TComponent* AOwner) : owner_(AOwner) {
    if (owner_) owner_->InsertComponent(this);
}

TComponent::~TComponent() {
    if (alive_) *alive_ = false;
    BeginDestroy();
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
    // Reverse order of creation; each child is unlinked before it goes.
    while (!components_.empty()) {
        TComponent* c = components_.back();
        components_.pop_back();
        c->owner_ = nullptr;
        delete c;
    }
}

std::shared_ptr<const bool> TComponent::LifeToken() const {
    if (!alive_) alive_ = std::make_shared<bool>(true);
    return alive_;
}

void TComponent::BeginDestroy() {
    if (destroying_) return;
    destroying_ = true;
    for (TComponent* c : components_) c->BeginDestroy();
}

void TComponent::RemoveComponent(TComponent* c) {
    auto it = std::find(components_.begin(), components_.end(), c);
    if (it != components_.end()) components_.erase(it);
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    for (TComponent* c : components_)
        if (AsciiSameText(c->Name, name)) return c;
    return nullptr;
}

}  // namespace ad
