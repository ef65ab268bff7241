// The ownership types of Handles.h: the COM pointer's reference counting and
// what a held handle closes, counted with fakes instead of real objects.
#include "framework/Handles.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

namespace ad {
namespace {

// An object that counts its references; it starts with the one its creator holds.
class FakeUnknown : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    ULONG refs = 1;
};

static_assert(!std::is_copy_constructible_v<ComPtr<IUnknown>>);
static_assert(!std::is_copy_assignable_v<ComPtr<IUnknown>>);
static_assert(std::is_nothrow_move_constructible_v<ComPtr<IUnknown>>);

TEST(ComPtr, HoldsExactlyOneReferenceWhereverItMoves) {
    FakeUnknown object;
    {
        ComPtr<IUnknown> a(&object);  // adopts the creator's reference
        EXPECT_EQ(object.refs, 1u);
        ComPtr<IUnknown> b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_EQ(b.Get(), &object);
        ComPtr<IUnknown> c;
        c = std::move(b);
        EXPECT_EQ(object.refs, 1u);
        ComPtr<IUnknown>& self = c;
        c = std::move(self);  // moving onto itself keeps the reference
        EXPECT_EQ(object.refs, 1u);
        ComPtr<IUnknown> second = c.Copy();
        EXPECT_EQ(object.refs, 2u);
        EXPECT_EQ(second.Get(), c.Get());
    }
    EXPECT_EQ(object.refs, 0u);  // each owner released once
}

TEST(ComPtr, ReplacingOrPuttingReleasesTheOldObject) {
    FakeUnknown first, second;
    ComPtr<IUnknown> p(&first);
    p = ComPtr<IUnknown>(&second);
    EXPECT_EQ(first.refs, 0u);
    EXPECT_EQ(second.refs, 1u);

    // An out-parameter slot releases what was held and takes what the call hands back.
    FakeUnknown third;
    IUnknown** slot = p.Put();
    EXPECT_EQ(second.refs, 0u);
    ASSERT_EQ(*slot, nullptr);
    *slot = &third;
    EXPECT_EQ(p.Get(), &third);

    IUnknown* detached = p.Detach();  // given up without a release
    EXPECT_EQ(detached, &third);
    EXPECT_EQ(third.refs, 1u);
    EXPECT_FALSE(p);
    p.Reset();  // empty: nothing to release
    EXPECT_EQ(third.refs, 1u);
}

// Handles are small numbers here; closing one is recorded.
struct FakeTraits {
    using Type = int;
    static Type Invalid() { return 0; }
    static void Close(Type h) { closed.push_back(h); }
    static std::vector<int> closed;
};
std::vector<int> FakeTraits::closed;

TEST(HeldHandle, ClosesWhatItWasGivenToOwnAndNeverWhatItBorrowed) {
    FakeTraits::closed.clear();
    {
        HeldHandle<FakeTraits> owned(OwnedHandle<FakeTraits>(7));
        HeldHandle<FakeTraits> borrowed(BorrowedHandle<FakeTraits>(8));
        EXPECT_EQ(owned.Get(), 7);
        EXPECT_EQ(borrowed.Get(), 8);
        HeldHandle<FakeTraits> moved(std::move(owned));
        EXPECT_EQ(moved.Get(), 7);
        EXPECT_FALSE(owned);  // NOLINT(bugprone-use-after-move): what was moved from holds nothing
        EXPECT_TRUE(FakeTraits::closed.empty());
        moved = BorrowedHandle<FakeTraits>(9);  // the owned one goes when replaced
        EXPECT_EQ(FakeTraits::closed, std::vector<int>{7});
        EXPECT_EQ(moved.Get(), 9);
    }
    EXPECT_EQ(FakeTraits::closed, std::vector<int>{7});
}

}  // namespace
}  // namespace ad
