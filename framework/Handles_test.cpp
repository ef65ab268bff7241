// The ownership types of Handles.h: the COM pointer's reference counting and
// what a held handle closes, counted with fakes instead of real objects; the
// 32-bit DIB section against GDI itself.
#include "framework/Handles.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <utility>
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

static_assert(!std::is_copy_constructible_v<DibSection32>);
static_assert(std::is_nothrow_move_constructible_v<DibSection32>);

TEST(DibSection32, TopDownPixelsSharedWithGdi) {
    const long before = LiveGdiObjects();
    {
        DibSection32 dib(5, 3);
        ASSERT_TRUE(dib);
        EXPECT_EQ(LiveGdiObjects(), before + 1);
        EXPECT_EQ(dib.Width(), 5);
        EXPECT_EQ(dib.Height(), 3);
        EXPECT_EQ(dib.PixelCount(), 15u);
        EXPECT_EQ(dib.Row(2), dib.Bits() + 10);
        DIBSECTION ds{};
        ASSERT_EQ(::GetObjectW(dib.Get(), sizeof ds, &ds), int(sizeof ds));
        EXPECT_EQ(ds.dsBm.bmBitsPixel, 32);
        EXPECT_EQ(ds.dsBm.bmBits, dib.Bits());

        dib.Row(2)[4] = 0x00123456;  // the bottom right pixel, written by us: GDI reads it
        OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
        SelectObjectScope select(dc.Get(), dib.Get());
        EXPECT_EQ(::GetPixel(dc.Get(), 4, 2), RGB(0x12, 0x34, 0x56));
        ::SetPixel(dc.Get(), 1, 0, RGB(0xAB, 0xCD, 0xEF));  // the top row, drawn by GDI: first in memory
        ::GdiFlush();
        EXPECT_EQ(dib.Bits()[1] & 0xFFFFFFu, 0xABCDEFu);
    }
    EXPECT_EQ(LiveGdiObjects(), before);
}

TEST(DibSection32, EmptyForNoAreaAndMovesOrGivesAwayItsBitmap) {
    const long before = LiveGdiObjects();
    for (auto [w, h] : {std::pair{0, 4}, std::pair{4, 0}, std::pair{-1, 4}}) {
        DibSection32 none(w, h);
        EXPECT_FALSE(none);
        EXPECT_EQ(none.Get(), nullptr);
        EXPECT_EQ(none.Bits(), nullptr);
        EXPECT_EQ(none.PixelCount(), 0u);
    }
    EXPECT_EQ(LiveGdiObjects(), before);

    DibSection32 first(2, 2);
    ASSERT_TRUE(first);
    const HBITMAP handle = first.Get();
    std::uint32_t* const bits = first.Bits();
    DibSection32 second(std::move(first));
    EXPECT_FALSE(first);  // NOLINT: the moved-from state is part of the contract
    EXPECT_EQ(first.Width(), 0);
    EXPECT_EQ(second.Get(), handle);
    EXPECT_EQ(second.Bits(), bits);
    EXPECT_EQ(second.Width(), 2);
    first = DibSection32(1, 1);
    first = std::move(second);  // the 1 x 1 one goes
    EXPECT_EQ(first.Get(), handle);
    EXPECT_FALSE(second);  // NOLINT

    OwnedBitmap kept = first.Release();
    EXPECT_EQ(kept.Get(), handle);
    EXPECT_FALSE(first);
    EXPECT_EQ(first.Get(), nullptr);
    BITMAP bm{};
    EXPECT_EQ(::GetObjectW(kept.Get(), sizeof bm, &bm), int(sizeof bm));  // still alive with its new owner
}

}  // namespace
}  // namespace ad
