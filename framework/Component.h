// TObject and TComponent: the root of the class-library layer. A component is
// created with its owner, which destroys what it owns in reverse order of
// creation; freeing a component early removes it from its owner. Objects that
// refer to a component they do not own hold a TComponentLink, which turns null
// when the component goes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

namespace ad {

// The name of a type without its namespaces, e.g. "TButton" or "EOleException".
std::string ClassNameOf(const std::type_info& type);

class TObject {
public:
    virtual ~TObject() = default;
    // The dynamic class name without namespace, e.g. "TButton".
    std::string ClassName() const;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }
    TComponent* FindComponent(const std::string& name) const;  // by Name, case-insensitive (ASCII)

    // True from the moment destruction starts: events no longer fire.
    bool Destroying() const { return destroying_; }
    // Shared with the links to this component: false once it is gone.
    std::shared_ptr<const bool> LifeToken() const;

    std::string Name;
    intptr_t Tag = 0;
    std::string HelpKeyword;
    std::string Hint;

    // ---- Published properties by name ----
    // Code that knows a property only by its name (the skin's adapters for
    // controls of other libraries) reaches ordinal and colour properties
    // here; a path names a property of an object property ("TitleFont.Color").
    // A class answers for what it publishes; the base publishes nothing, so
    // every lookup answers "absent" and such code skips the property.
    virtual bool HasPublishedProp(std::string_view path) const {
        (void)path;
        return false;
    }
    virtual bool GetPublishedOrdProp(std::string_view path, int64_t& value) const {
        (void)path;
        (void)value;
        return false;
    }
    virtual bool SetPublishedOrdProp(std::string_view path, int64_t value) {
        (void)path;
        (void)value;
        return false;
    }

protected:
    // Marks this component and everything it owns as being destroyed. Derived
    // classes whose destructors tear down windows call this first.
    void BeginDestroy();
    // Destroys every owned component now, in reverse order of creation.
    void DestroyComponents();

private:
    void InsertComponent(TComponent* c) { components_.push_back(c); }
    void RemoveComponent(TComponent* c);

    TComponent* owner_;
    std::vector<TComponent*> components_;
    bool destroying_ = false;
    mutable std::shared_ptr<bool> alive_;
};

// A link to a component that the holder does not own. It reads as the
// component until the component's destruction reaches TComponent (the
// destructors of its own classes have run, Destroying() true all along), and
// as null from then on.
template <class T>
class TComponentLink {
public:
    TComponentLink() = default;
    TComponentLink(T* component) { Set(component); }  // NOLINT: reads like the pointer it replaces
    TComponentLink& operator=(T* component) {
        Set(component);
        return *this;
    }
    T* Get() const { return life_ && *life_ ? component_ : nullptr; }
    operator T*() const { return Get(); }  // NOLINT
    T* operator->() const { return Get(); }

private:
    void Set(T* component) {
        component_ = component;
        life_ = component ? component->LifeToken() : nullptr;
    }
    T* component_ = nullptr;
    std::shared_ptr<const bool> life_;
};

}  // namespace ad
