// Component ownership: owners free what they own in reverse order of creation.
#include "framework/Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ad {
namespace {

class TRecorder : public TComponent {
public:
    TRecorder(TComponent* owner, std::string name, std::vector<std::string>& log)
        : TComponent(owner), log_(log) {
        Name = std::move(name);
    }
    ~TRecorder() override { log_.push_back(Name); }

private:
    std::vector<std::string>& log_;
};

TEST(Component, OwnerFreesOwnedInReverseOrderAndEarlyFreeUnlinks) {
    std::vector<std::string> log;
    {
        TRecorder owner(nullptr, "owner", log);
        new TRecorder(&owner, "a", log);
        auto* b = new TRecorder(&owner, "b", log);
        new TRecorder(b, "b1", log);
        auto* c = new TRecorder(&owner, "c", log);
        new TRecorder(&owner, "d", log);
        EXPECT_EQ(owner.ComponentCount(), 4);
        delete c;  // freed early: leaves its owner's list
        EXPECT_EQ(owner.ComponentCount(), 3);
        EXPECT_EQ(owner.FindComponent("B"), b);
        EXPECT_EQ(owner.FindComponent("c"), nullptr);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"c", "owner", "d", "b", "b1", "a"}));
}

TEST(Component, ClassNameIsTheDynamicTypeWithoutNamespace) {
    std::vector<std::string> log;
    TRecorder r(nullptr, "r", log);
    TComponent& base = r;
    EXPECT_EQ(base.ClassName(), "TRecorder");
}

TEST(ComponentLink, ReadsAsTheComponentUntilItIsFreedWithItsOwnerThenAsNull) {
    std::vector<std::string> log;
    auto* owner = new TRecorder(nullptr, "owner", log);
    auto* child = new TRecorder(owner, "child", log);
    TComponentLink<TRecorder> link = child;
    TComponentLink<TComponent> copy;
    copy = child;
    TComponentLink<TComponent> none;
    EXPECT_EQ(link.Get(), child);
    EXPECT_EQ(link->Name, "child");
    EXPECT_EQ(none.Get(), nullptr);
    delete owner;  // the child goes with it
    EXPECT_EQ(link.Get(), nullptr);
    EXPECT_EQ(copy.Get(), nullptr);
    EXPECT_FALSE(static_cast<TRecorder*>(link));
}

}  // namespace
}  // namespace ad
