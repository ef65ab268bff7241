// What the engine's animations take from a skinned form: its image with the
// children painted in, the children printed at their places, the snapshot
// form over it, and the form-state flags that hold its alignment.
#include <gtest/gtest.h>

#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"
#include "framework/Handles.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/forms/SkGlowForm.h"
#include "skin/forms/SkinFormServices.h"
#include "skin/forms/SkinFormsTestKit.h"

namespace ad::skin::forms {
namespace {

using namespace test;

constexpr TColor kPanelColor = 0x2040C0;

// A form with a coloured panel at (20, 30), 60 x 40 of its client area.
struct TFormWithPanel {
    TFormWithPanel() {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(60, 60, 300, 200);
        panel = new TPanel(form.get());
        panel->SetParent(form.get());
        panel->SetBounds(20, 30, 60, 40);
        panel->SetColor(kPanelColor);
        form->Show();
        ad::test::PumpPending();
    }
    ~TFormWithPanel() { form->Hide(); }
    std::unique_ptr<TForm> form;
    TPanel* panel = nullptr;
};

uint32_t Rgb(TColor c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

TEST(SkinFormServices, TheFormImageHoldsItsChildrenAtTheClientOffset) {
    TFormSkinFixture skin;
    TFormWithPanel f;
    TSkinProvider* provider = ProviderOf(*f.form);
    ASSERT_NE(provider, nullptr);
    const long gdi = LiveGdiObjects();
    {
        std::unique_ptr<TSkinCacheImage> image = provider->CopyFormImage();
        ASSERT_TRUE(image && !image->Empty());
        EXPECT_EQ(image->Width(), provider->ImageWidth());
        const int x = provider->ClientOffsetX() + 20 + 30, y = provider->ClientOffsetY() + 30 + 20;
        EXPECT_EQ(GetPixel32(image->View(), x, y) & 0xFFFFFFu, Rgb(kPanelColor));
        EXPECT_EQ(GetPixel32(image->View(), x, y) >> 24, 255u) << "opaque without an extended border";
        // Outside the panel the image keeps the form's own pixels.
        const int fx = provider->ClientOffsetX() + 200, fy = provider->ClientOffsetY() + 100;
        EXPECT_NE(GetPixel32(image->View(), fx, fy) & 0xFFFFFFu, Rgb(kPanelColor));
    }
    EXPECT_EQ(LiveGdiObjects(), gdi);
}

TEST(SkinFormServices, ChildrenArePrintedAtTheirPlaces) {
    TFormSkinFixture skin;
    TFormWithPanel f;
    TSkinCacheImage image(200, 120);
    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    HGDIOBJ old = ::SelectObject(dc.Get(), image.Handle());
    PrintChildWindows(f.form->Handle(), dc.Get());
    ::SelectObject(dc.Get(), old);
    EXPECT_EQ(GetPixel32(image.View(), 50, 50) & 0xFFFFFFu, Rgb(kPanelColor));
    EXPECT_EQ(GetPixel32(image.View(), 150, 100) & 0xFFFFFFu, 0u) << "nothing printed outside the children";
}

TEST(SkinFormServices, AStandInControlShowsTheSkinnedFormsImageBeneathIt) {
    TFormSkinFixture skin;
    TFormWithPanel f;
    auto* label = new TLabel(f.form.get());
    label->SetParent(f.form.get());
    label->SetBounds(120, 40, 80, 20);
    label->SetCaption("Label");
    TSkinProvider* provider = ProviderOf(*f.form);
    ASSERT_NE(provider, nullptr);
    ::RedrawWindow(f.form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_TRUE(provider->PrepareCache());
    TSkinCacheImage target(80, 20);
    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    HGDIOBJ old = ::SelectObject(dc.Get(), target.Handle());
    const long gdi = LiveGdiObjects();
    EXPECT_TRUE(PaintSkinnedParentBackground(*label, dc.Get(), RECT{0, 0, 80, 20}));
    EXPECT_EQ(LiveGdiObjects(), gdi);
    ::SelectObject(dc.Get(), old);
    const TImageView32 cache = provider->SkinData->CacheImage->View();
    for (auto [x, y] : {std::pair{0, 0}, {79, 19}, {40, 10}})
        EXPECT_EQ(GetPixel32(target.View(), x, y) & 0xFFFFFFu,
                  GetPixel32(cache, provider->ClientOffsetX() + 120 + x, provider->ClientOffsetY() + 40 + y) & 0xFFFFFFu)
            << x << "," << y;

    // Beneath a control of an unskinned parent nothing is painted.
    auto* inner = new TLabel(f.form.get());
    inner->SetParent(f.panel);
    inner->SetBounds(2, 2, 20, 10);
    OwnedMemoryDC other(::CreateCompatibleDC(nullptr));
    EXPECT_FALSE(PaintSkinnedParentBackground(*inner, other.Get(), RECT{0, 0, 20, 10}));
}

TEST(SkinFormServices, MinimiseAndRestoreAnimationsHoldTheFormsAlignment) {
    TFormSkinFixture skin;
    TFormWithPanel f;
    TSkinProvider* provider = ProviderOf(*f.form);
    ASSERT_NE(provider, nullptr);
    f.panel->SetAlign(TAlign::alClient);
    const int width = f.panel->Width();
    provider->SetFormState(kFsMinimizing);
    provider->SetFormState(kFsMinimizing | kFsRestoring);
    f.form->SetBounds(60, 60, 360, 200);
    EXPECT_EQ(f.panel->Width(), width) << "held while an animation runs";
    provider->SetFormState(kFsRestoring);
    EXPECT_EQ(f.panel->Width(), width);
    provider->SetFormState(0);
    EXPECT_GT(f.panel->Width(), width) << "aligned again when the last one ends";
    EXPECT_EQ(provider->FormState(), 0u);
}

TEST(SkinFormServices, TheSnapshotFormCoversTheWindowAndIsNeverSkinned) {
    TFormSkinFixture skin;
    TFormWithPanel f;
    HWND wnd = f.form->Handle();
    std::unique_ptr<TSkGlowForm> snapshot = CreateSnapshotForm(wnd);
    ASSERT_TRUE(snapshot);
    HWND shot = snapshot->Handle();
    RECT a{}, b{};
    ::GetWindowRect(wnd, &a);
    ::GetWindowRect(shot, &b);
    EXPECT_TRUE(::EqualRect(&a, &b));
    EXPECT_TRUE(::GetWindowLongPtrW(shot, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(::GetWindowLongPtrW(shot, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_TRUE(::IsWindowVisible(shot));
    EXPECT_NE(::GetActiveWindow(), shot);
    ad::test::PumpPending();
    EXPECT_EQ(TSkinProvider::OfWindow(shot), nullptr);
    EXPECT_FALSE(CreateSnapshotForm(nullptr));
}

}  // namespace
}  // namespace ad::skin::forms
