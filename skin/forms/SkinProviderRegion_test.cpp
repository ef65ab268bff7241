// The form's window region: the skin's key-coloured corners cut out, the
// inner rectangle when maximised, the full rectangle without masks, and a
// failing system call tried a bounded number of times without leaking.
#include <gtest/gtest.h>

#include "framework/Handles.h"
#include "framework/WindowSubclass.h"
#include "skin/forms/SkinFormsTestKit.h"

namespace ad::skin::forms {
namespace {

using namespace test;

// The window's region (window coordinates); empty owner when it has none.
OwnedRegion RegionOf(HWND wnd) {
    OwnedRegion region(::CreateRectRgn(0, 0, 0, 0));
    if (::GetWindowRgn(wnd, region.Get()) == ERROR) return OwnedRegion();
    return region;
}

TEST(SkinProviderRegion, KeyColouredCornersLieOutsideTheRegion) {
    TSkinnedForm f;
    ASSERT_NE(f.provider, nullptr);
    f.PaintFrame();
    HWND wnd = f.wnd;
    OwnedRegion region = RegionOf(wnd);
    ASSERT_TRUE(region);
    RECT wr{};
    ::GetWindowRect(wnd, &wr);
    const int w = wr.right - wr.left, h = wr.bottom - wr.top;
    struct Case {
        const char* point;
        int x, y;
        bool inside;
    } cases[] = {
        {"top left corner", 0, 0, false},      {"its edge neighbour", 2, 0, false}, {"below it", 0, 2, false},
        {"diagonal", 1, 1, true},              {"top right corner", w - 1, 0, false},
        {"bottom left corner", 0, h - 1, false}, {"bottom right corner", w - 1, h - 1, false},
        {"past the cut", 3, 0, true},          {"centre", w / 2, h / 2, true},
    };
    for (const Case& c : cases) EXPECT_EQ(::PtInRegion(region.Get(), c.x, c.y) != 0, c.inside) << c.point;
}

TEST(SkinProviderRegion, AMaximisedFormGetsTheRectangleInsideItsFrame) {
    TSkinnedForm f;
    ASSERT_NE(f.provider, nullptr);
    f.PaintFrame();
    HWND wnd = f.wnd;
    TSkinProvider* provider = f.provider;
    ::ShowWindow(wnd, SW_MAXIMIZE);
    ad::test::PumpPending();
    provider->UpdateFormRegion(false, true);
    OwnedRegion region = RegionOf(wnd);
    ASSERT_TRUE(region);
    RECT box{}, wr{};
    ::GetRgnBox(region.Get(), &box);
    ::GetWindowRect(wnd, &wr);
    const int a = ::GetSystemMetrics(SM_CXFRAME);
    EXPECT_EQ(box.left, a);
    EXPECT_EQ(box.top, a);
    EXPECT_EQ(box.right, wr.right - wr.left - a);
    EXPECT_EQ(box.bottom, wr.bottom - wr.top - a);
    EXPECT_TRUE(::PtInRegion(region.Get(), a, a)) << "no corner is cut";
    ::ShowWindow(wnd, SW_RESTORE);
}

TEST(SkinProviderRegion, ASkinWithoutMasksGivesTheFullRectangle) {
    TSkinnedForm f(TFormBorderStyle::bsSizeable, 320, 220, false);
    ASSERT_NE(f.provider, nullptr);
    f.PaintFrame();
    HWND wnd = f.wnd;
    TSkinProvider* provider = f.provider;
    provider->CollectMaskRects();
    EXPECT_TRUE(provider->MaskRects().empty());
    OwnedRegion region = RegionOf(wnd);
    ASSERT_TRUE(region);
    RECT box{}, wr{};
    ::GetRgnBox(region.Get(), &box);
    ::GetWindowRect(wnd, &wr);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, wr.right - wr.left);
    EXPECT_EQ(box.bottom, wr.bottom - wr.top);
    EXPECT_TRUE(::PtInRegion(region.Get(), 0, 0));
}

TEST(SkinProviderRegion, AFailingSetWindowRgnIsTriedThreeTimesThenWaitsForTheNextPaint) {
    TSkinnedForm f;
    ASSERT_NE(f.provider, nullptr);
    f.PaintFrame();
    TSkinProvider* provider = f.provider;
    static int calls = 0;
    calls = 0;
    const TSkinProvider::TSetWindowRgn real = TSkinProvider::SetWindowRegion;
    TSkinProvider::SetWindowRegion = [](HWND, HRGN, BOOL) -> int {
        ++calls;
        return 0;
    };
    const long gdi = LiveGdiObjects();
    EXPECT_FALSE(provider->UpdateFormRegion(false, true));
    TSkinProvider::SetWindowRegion = real;
    EXPECT_EQ(calls, 3);
    EXPECT_TRUE(provider->RegionPending());
    EXPECT_EQ(LiveGdiObjects(), gdi) << "the refused region is deleted";

    EXPECT_TRUE(provider->UpdateFormRegion(false, true));
    EXPECT_FALSE(provider->RegionPending());
    EXPECT_EQ(LiveGdiObjects(), gdi) << "the system owns the applied region";
}

TEST(SkinProviderRegion, AWindowAskingNotToBeShapedKeepsItsShapeUntilItsImageIsReady) {
    TFormSkinFixture skin;
    auto form = std::make_unique<TForm>(nullptr);
    form->Tag = 0x100;  // made by hand below
    form->SetBounds(60, 60, 300, 200);
    // Hidden: a form skinned while it shows has its image and region at once.
    HWND wnd = form->Handle();
    TSkinProvider* provider = TSkinProvider::CreateRuntime(form.get());
    provider->RunDeferredStart();
    // A layer above the provider answers the query.
    TWindowSubclass optOut(wnd, [](TMessage& m) {
        if (m.Msg != 0xBC4D) return false;
        m.Result = LRESULT(m.WParam);
        return true;
    });
    EXPECT_TRUE(provider->UpdateFormRegion(false, true));
    EXPECT_FALSE(RegionOf(wnd)) << "no image yet: no region";
    form->Hide();
}

}  // namespace
}  // namespace ad::skin::forms
