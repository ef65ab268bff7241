// The form show and hide animations: drawn frame by frame on timer ticks (the
// caller has control back after the first), on the border window with
// extended borders, on a glow form without; the form is itself again after
// the last frame, and nothing is left behind.
#include "skin/forms/SkinFormAnimation.h"

#include <gtest/gtest.h>

#include "framework/Handles.h"
#include "skin/engine/skinfile/SkinAnimation.h"
#include "skin/forms/SkBorderForm.h"
#include "skin/forms/SkGlowForm.h"
#include "skin/forms/SkinFormsTestKit.h"
#include "testsupport/GuiTest.h"

namespace ad::skin::forms {
namespace {

struct TAnimatedForms {
    explicit TAnimatedForms(bool borders) {
        TSkBorderForm::AlphaShowsSeam = +[] { return true; };
        skin.Manager->SetExtendedBorders(borders);
        skin.Manager->Effects.AllowAnimation = true;
        skin.Manager->AnimEffects.FormShow = {true, 60, atAero};
        skin.Manager->AnimEffects.FormHide = {true, 60, atFading};
        form.SetBounds(150, 120, 300, 200);
        form.SetCaption("Animated");
    }
    ~TAnimatedForms() {
        skin.Manager->Effects.AllowAnimation = false;
        form.Hide();
        ad::test::PumpPending();
        TSkBorderForm::AlphaShowsSeam = nullptr;
    }
    TSkinProvider* Provider() { return test::ProviderOf(form); }
    bool Finished() {
        TSkinProvider* p = Provider();
        return !p || !p->FormAnimation || !p->FormAnimation->Animation || !p->FormAnimation->Animation->Running();
    }
    test::TFormSkinFixture skin;
    TForm form{nullptr};
};

TEST(SkinFormAnimation, ShowRunsOnTheBorderWindowAndLeavesTheFormItselfAgain) {
    TAnimatedForms f(true);
    std::vector<int> after;
    f.form.Show();
    TSkinProvider* p = f.Provider();
    ASSERT_NE(p, nullptr);
    p->OnAfterAnimation = [&](int kind) { after.push_back(kind); };
    ASSERT_TRUE(p->FormAnimation);
    TSkFormAnimationRun& run = *p->FormAnimation;
    EXPECT_TRUE(run.OnBorder);
    const std::vector<TAnimationFrame> planned = ShowAnimationFrames(60, 255, amZoom, {1, 1}, false);
    EXPECT_EQ(run.Planned, planned.size());
    EXPECT_EQ(run.Animation->FramesShown(), 1u);  // the caller has control back after one frame
    EXPECT_TRUE(::GetWindowLongPtrW(f.form.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);  // hidden meanwhile
    ASSERT_TRUE(ad::test::PumpUntil([&] { return f.Finished(); }));
    ad::test::PumpPending();
    EXPECT_FALSE(p->FormAnimation);  // freed after its last frame
    EXPECT_EQ(after, std::vector<int>{0});
    EXPECT_FALSE(::GetWindowLongPtrW(f.form.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    ASSERT_NE(p->BorderForm(), nullptr);
    HWND border = p->BorderForm()->Handle();
    ASSERT_NE(border, nullptr);
    EXPECT_TRUE(::IsWindowVisible(border));
    OwnedRegion region(::CreateRectRgn(0, 0, 0, 0));
    EXPECT_NE(::GetWindowRgn(border, region.Get()), ERROR);  // the client is cut out again
}

TEST(SkinFormAnimation, HideFadesTheLastImageAndFreesTheBorderWindow) {
    TAnimatedForms f(true);
    f.form.Show();
    ASSERT_TRUE(ad::test::PumpUntil([&] { return f.Finished(); }));
    ad::test::PumpPending();
    TSkinProvider* p = f.Provider();
    ASSERT_NE(p, nullptr);
    f.form.Hide();
    ASSERT_TRUE(p->FormAnimation);
    EXPECT_TRUE(p->FormAnimation->Hiding);
    EXPECT_EQ(p->FormAnimation->Planned, HideAnimationFrames(60, 255, amFade, {1, 1}).size());
    EXPECT_FALSE(::IsWindowVisible(f.form.Handle()));
    ASSERT_TRUE(ad::test::PumpUntil([&] { return f.Finished(); }));
    ad::test::PumpPending();
    EXPECT_FALSE(p->FormAnimation);
    ASSERT_NE(p->BorderForm(), nullptr);
    EXPECT_EQ(p->BorderForm()->Handle(), nullptr);
    EXPECT_FALSE(p->FormState() & kFsHideImage);
}

TEST(SkinFormAnimation, WithoutBordersAGlowFormCarriesTheFrames) {
    TAnimatedForms f(false);
    f.skin.Manager->AnimEffects.FormShow.Time = 5;  // under 10 ms: one frame, no steps
    f.form.Show();
    TSkinProvider* p = f.Provider();
    ASSERT_NE(p, nullptr);
    ad::test::PumpPending();
    EXPECT_FALSE(p->FormAnimation);  // done at once and freed
    EXPECT_FALSE(::GetWindowLongPtrW(f.form.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    f.skin.Manager->AnimEffects.FormShow.Time = 60;
    f.form.Hide();
    ad::test::PumpUntil([&] { return f.Finished(); });
    ad::test::PumpPending();
    f.form.Show();
    ASSERT_TRUE(p->FormAnimation);
    EXPECT_FALSE(p->FormAnimation->OnBorder);
    ASSERT_TRUE(p->FormAnimation->Window);
    EXPECT_TRUE(::IsWindowVisible(p->FormAnimation->Window->Handle()));
    ASSERT_TRUE(ad::test::PumpUntil([&] { return f.Finished(); }));
}

TEST(SkinFormAnimation, ShowAndHideCyclesLeaveNothingBehind) {
    TAnimatedForms f(true);
    f.form.Show();
    ad::test::PumpUntil([&] { return f.Finished(); });
    f.form.Hide();
    ad::test::PumpUntil([&] { return f.Finished(); });
    ad::test::PumpPending();
    const long gdi = LiveGdiObjects();
    const int borders = TSkBorderForm::LiveWindows();
    for (int i = 0; i < 50; ++i) {
        f.form.Show();  // a hide running is ended by the next show, and the other way round
        f.form.Hide();
    }
    ad::test::PumpUntil([&] { return f.Finished(); });
    ad::test::PumpPending();
    EXPECT_EQ(LiveGdiObjects(), gdi);
    EXPECT_EQ(TSkBorderForm::LiveWindows(), borders);
}

}  // namespace
}  // namespace ad::skin::forms
