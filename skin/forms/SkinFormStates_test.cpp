// Form states, snapping, glued forms, the disabled cover, the minimise and
// restore animation stepped by hand, the taskbar target and the toolbar
// button records of the taskbar search.
#include <gtest/gtest.h>

#include <cstring>

#include "skin/engine/win/SkinManager.h"
#include "skin/engine/win/SkinWindowAnimation.h"
#include "skin/forms/SkGlowForm.h"
#include "skin/forms/SkMinTimer.h"
#include "skin/forms/SkTaskbarButton.h"
#include "skin/forms/SkinFormsTestKit.h"
#include "skin/forms/SkinGluedForms.h"
#include "skin/forms/SkinSnap.h"
#include "skin/forms/SkinTitleBar.h"

namespace ad::skin::forms {
namespace {

using namespace test;

// ---- Form state ----

TEST(SkinFormStates, AlignmentIsHeldWhileAMinimiseOrRestoreRuns) {
    TSkinnedForm f;
    ASSERT_NE(f.provider, nullptr);
    EXPECT_FALSE(f.form->AlignDisabled());
    f.provider->SetFormState(kFsMinimizing);
    EXPECT_TRUE(f.form->AlignDisabled());
    f.provider->SetFormState(kFsMinimizing | kFsRestoring | kFsGluedMove);
    EXPECT_TRUE(f.form->AlignDisabled());
    f.provider->SetFormState(kFsRestoring);
    EXPECT_TRUE(f.form->AlignDisabled());
    f.provider->SetFormState(kFsGluedMove);
    EXPECT_FALSE(f.form->AlignDisabled());  // held once, given back once
    f.provider->SetFormState(0);
}

// ---- Snapping ----

TEST(SkinSnap, AWindowSnapsWithinTheBufferInclusive) {
    const TRect work{0, 0, 1000, 700};
    const TRect window{300, 300, 500, 400};  // 200 x 100
    struct Case {
        int x, y;
        TPoint expected;
    } cases[] = {
        {10, 300, {0, 300}},    // 10 px from the left edge: snaps
        {11, 300, {11, 300}},   // 11 px: stays
        {-10, 300, {0, 300}},   // past the edge by 10
        {-11, 300, {-11, 300}},
        {300, 9, {300, 0}},     // top
        {790, 300, {800, 300}}, // right edge 990: 10 px from the right
        {789, 300, {789, 300}},
        {300, 610, {300, 600}}, // bottom
        {5, 595, {0, 600}},     // a corner: both
    };
    for (const Case& c : cases)
        EXPECT_EQ(SnapPosition(c.x, c.y, window, work, {}, {}, 10), c.expected) << c.x << "," << c.y;
    EXPECT_EQ(SnapDistance(10, 0, 10), 10);
    EXPECT_EQ(SnapDistance(11, 0, 10), 0);
}

TEST(SkinSnap, AWindowSnapsBesideAnotherFormItOverlaps) {
    const TRect work{0, 0, 1000, 700};
    const TRect window{100, 300, 300, 400};
    const std::vector<TRect> others{{500, 320, 700, 420}};
    // Its right edge 8 px before the other's left: beside it; the tops 20 apart stay.
    EXPECT_EQ(SnapPosition(292, 300, window, work, others, {}, 10), (TPoint{300, 300}));
    // Its left edge 6 px after the other's right.
    EXPECT_EQ(SnapPosition(706, 300, window, work, others, {}, 10), (TPoint{700, 300}));
    // Tops 5 px apart while beside it: they line up too.
    EXPECT_EQ(SnapPosition(295, 315, window, work, others, {}, 10), (TPoint{300, 320}));
    // A form far below it vertically is no target for the sides.
    const TRect low{100, 600, 300, 690};
    EXPECT_EQ(SnapPosition(292, 40, low, work, {{500, 20, 700, 120}}, {}, 10), (TPoint{292, 40}));
    // With outer offsets the edges meet between the grown rectangles.
    const TSkOuterOffsets outer{5, 5, 5, 5};
    EXPECT_EQ(SnapPosition(283, 300, window, work, others, outer, 10), (TPoint{290, 300}));
}

// ---- Glued forms ----

TEST(SkinGluedForms, AGluedFormFollowsItsMasterAndNoPairOutlivesAForm) {
    TFormSkinFixture skin;
    auto masterForm = ShownForm();
    auto glued = ShownForm(TFormBorderStyle::bsSizeable, 200, 220);
    TSkinProvider* master = ProviderOf(*masterForm);
    ASSERT_NE(master, nullptr);
    glued->Name = "Palette";
    master->GluedForms = {"Palette"};
    // Right of the master, touching it.
    RECT m{};
    ::GetWindowRect(masterForm->Handle(), &m);
    glued->SetBounds(m.right, m.top + 10, 200, 220);
    master->UpdateGluedForms();
    ASSERT_EQ(GluedPairs().size(), 1u);
    EXPECT_TRUE(master->IsGluedChild(glued.get()));

    masterForm->SetBounds(m.left + 40, m.top + 25, masterForm->Width(), masterForm->Height());
    ad::test::PumpPending();
    RECT moved{}, g{};
    ::GetWindowRect(masterForm->Handle(), &moved);
    ::GetWindowRect(glued->Handle(), &g);
    EXPECT_EQ(g.left, moved.right);
    EXPECT_EQ(g.top, moved.top + 10);

    // The glued form moved by the user (snapping on) comes loose.
    TSkinProvider* gluedProvider = ProviderOf(*glued);
    ASSERT_NE(gluedProvider, nullptr);
    int x = g.left + 50, y = g.top;
    gluedProvider->SnapToEdges(x, y);
    EXPECT_TRUE(GluedPairs().empty());

    // Glued again, then the master goes: the pair goes with it.
    master->UpdateGluedForms();
    ASSERT_EQ(GluedPairs().size(), 1u);
    masterForm->Hide();
    masterForm.reset();
    EXPECT_TRUE(GluedPairs().empty());
    glued->Hide();
}

TEST(SkinGluedForms, UngluingTakesOnlyTheGluedFormsPairs) {
    TForm a(nullptr), b(nullptr), c(nullptr);
    GlueForm(&a, &b, 1, 2);
    GlueForm(&a, &b, 3, 4);  // updated, not added
    GlueForm(&c, &a, 0, 0);
    ASSERT_EQ(GluedPairs().size(), 2u);
    EXPECT_EQ(GluedPairs()[0].OffsetX, 3);
    UnglueForm(&a);  // a as glued form only
    ASSERT_EQ(GluedPairs().size(), 1u);
    EXPECT_EQ(GluedPairs()[0].Master.Get(), &a);
    ForgetGluedForm(&a);  // as master too
    EXPECT_TRUE(GluedPairs().empty());
}

// ---- Disabled cover ----

TEST(SkinFormStates, ADisabledFormIsCoveredAt255LessTheBlendValue) {
    TSkinnedForm f;
    ASSERT_NE(f.provider, nullptr);
    f.form->SetEnabled(false);
    EXPECT_EQ(f.provider->DisabledCover(), nullptr);  // 255: never a cover

    f.form->SetEnabled(true);
    f.provider->DisabledBlendValue = 100;
    f.provider->DisabledBlendColor = 0x203040;
    f.form->SetEnabled(false);
    TSkGlowForm* cover = f.provider->DisabledCover();
    ASSERT_NE(cover, nullptr);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(cover->Handle(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 155);
    EXPECT_TRUE(flags & LWA_ALPHA);
    EXPECT_EQ(HWND(::GetWindowLongPtrW(cover->Handle(), GWLP_HWNDPARENT)), f.wnd);
    RECT c{}, w{};
    ::GetWindowRect(cover->Handle(), &c);
    ::GetWindowRect(f.wnd, &w);
    EXPECT_TRUE(::EqualRect(&c, &w));
    EXPECT_TRUE(f.provider->FormState() & kFsDisabledBlend);

    f.form->SetEnabled(true);
    EXPECT_EQ(f.provider->DisabledCover(), nullptr);
    EXPECT_FALSE(f.provider->FormState() & kFsDisabledBlend);
}

// ---- Minimise and restore ----

TEST(SkinMinTimer, TheTargetIsTheButtonElseThePointOnTheTaskbarsInnerEdge) {
    const TRect form{100, 100, 500, 400};  // centre (300, 250)
    struct Case {
        TRect taskbar;
        int edge;
        TRect target;
    } cases[] = {
        {{0, 0, 40, 800}, 1, {40, 250, 40, 250}},        // left: its right edge, the form's centre height
        {{0, 0, 1280, 30}, 2, {300, 30, 300, 30}},       // top
        {{1240, 0, 1280, 800}, 4, {1240, 250, 1240, 250}},  // right
        {{0, 770, 1280, 800}, 8, {300, 770, 300, 770}},  // bottom
        {{-2, 770, 1282, 802}, 8, {300, 770, 300, 770}},
    };
    for (const Case& c : cases) {
        TSkTaskbarInfo info;
        info.Present = true;
        info.Rect = c.taskbar;
        EXPECT_EQ(TaskbarEdge(c.taskbar), c.edge);
        EXPECT_EQ(TaskbarTarget(form, info), c.target) << c.edge;
    }
    TSkTaskbarInfo withButton;
    withButton.Present = true;
    withButton.Rect = {0, 770, 1280, 800};
    withButton.Button = TRect{200, 772, 360, 798};
    EXPECT_EQ(TaskbarTarget(form, withButton), (TRect{200, 772, 360, 798}));
    EXPECT_EQ(TaskbarTarget(form, TSkTaskbarInfo{}), TRect{});
}

struct TAnimatedForm {
    TAnimatedForm() {
        skinned.skin.Manager->Effects.AllowAnimation = true;
        SkinCompositionEnabled = [] { return true; };
        TSkMinTimer::TaskbarSeam = [](HWND) {
            TSkTaskbarInfo info;
            info.Present = true;
            info.Rect = {0, 0, 40, 800};  // on the left
            return info;
        };
    }
    ~TAnimatedForm() {
        TSkMinTimer::TaskbarSeam = nullptr;
        TSkPacedTimer::Clock = nullptr;
        SkinCompositionEnabled = savedComposition;
    }
    bool (*savedComposition)() = SkinCompositionEnabled;
    TSkMinTimer* Timer() const { return dynamic_cast<TSkMinTimer*>(skinned.provider->AnimationTimer()); }
    TSkinnedForm skinned;
};

TEST(SkinMinTimer, AMinimiseShrinksTowardsTheTaskbarStepByStepAndARestoreGrowsBack) {
    TAnimatedForm f;
    TSkinProvider* provider = f.skinned.provider;
    ASSERT_NE(provider, nullptr);
    f.skinned.skin.Manager->AnimEffects.Minimizing.Time = 50;  // 5 steps
    ASSERT_TRUE(provider->StartMinimizeAnimation());
    TSkMinTimer* timer = f.Timer();
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(provider->FormState() & kFsMinimizing);
    EXPECT_TRUE(f.skinned.form->AlignDisabled());
    EXPECT_TRUE(::GetWindowLongPtrW(f.skinned.wnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(timer->Steps(), 5);
    EXPECT_EQ(timer->StartAlpha(), 255 >> 2);  // a quarter under composition
    EXPECT_TRUE(timer->Enabled());
    // A second start changes nothing.
    EXPECT_TRUE(provider->StartMinimizeAnimation());
    EXPECT_EQ(f.Timer(), timer);

    // The first step ran at the start: the rectangle moved a fifth of the way
    // to the taskbar's right edge, at the form's centre height.
    const TRect form = timer->FormRect();
    const TRect target = timer->TargetRect();
    EXPECT_EQ(target.Left, 40);
    EXPECT_EQ(target.Top, (form.Top + form.Bottom) / 2);
    HWND anim = timer->AnimationWindow();
    ASSERT_NE(anim, nullptr);
    EXPECT_TRUE(::IsWindowVisible(anim));
    ad::test::SaveScreenshot(anim, "minimise_frame");
    double lastAlpha = timer->Alpha();
    int lastWidth = timer->CurrentRect().Width();
    int steps = 1;
    while (++steps < 20 && timer->Step()) {
        EXPECT_LT(timer->Alpha(), lastAlpha);
        EXPECT_LT(timer->CurrentRect().Width(), lastWidth);
        lastAlpha = timer->Alpha();
        lastWidth = timer->CurrentRect().Width();
    }
    // The opacity falls in Steps - 1 equal parts: the step that reaches 0 ends it.
    EXPECT_EQ(steps, timer->Steps() - 1);
    EXPECT_FALSE(timer->Enabled());
    EXPECT_FALSE(provider->FormState() & kFsMinimizing);
    EXPECT_FALSE(f.skinned.form->AlignDisabled());
    EXPECT_FALSE(::GetWindowLongPtrW(f.skinned.wnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_FALSE(::IsWindowVisible(anim));

    // The restore starts at the target, transparent, and ends on the form.
    ASSERT_TRUE(provider->StartRestoreAnimation());
    EXPECT_TRUE(provider->FormState() & kFsRestoring);
    EXPECT_TRUE(timer->Growing());
    EXPECT_TRUE(timer->Enabled());
    const TRect first = timer->CurrentRect();
    EXPECT_LT(first.Width(), form.Width());
    EXPECT_LT(first.Left, form.Left);
    steps = 1;
    TRect last = first;
    while (++steps < 20 && timer->Step()) {
        EXPECT_GT(timer->CurrentRect().Width(), last.Width());
        last = timer->CurrentRect();
    }
    EXPECT_EQ(steps, timer->Steps() - 1);
    EXPECT_FALSE(provider->FormState() & kFsRestoring);
    EXPECT_FALSE(timer->Enabled());
    EXPECT_TRUE(::IsWindowVisible(f.skinned.wnd));
}

TEST(SkinMinTimer, TheSystemCommandsOfAFormRunTheAnimations) {
    TAnimatedForm f;
    TSkinProvider* provider = f.skinned.provider;
    ASSERT_NE(provider, nullptr);
    HWND wnd = f.skinned.wnd;
    f.skinned.skin.Manager->AnimEffects.Minimizing.Time = 30;
    ::SendMessageW(wnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    TSkMinTimer* timer = f.Timer();
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(::IsIconic(wnd));
    EXPECT_TRUE(provider->FormState() & kFsMinimizing);
    for (int i = 0; i < 10 && timer->Step(); ++i) {
    }
    EXPECT_FALSE(provider->FormState() & kFsMinimizing);

    ::SendMessageW(wnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(::IsIconic(wnd));
    EXPECT_TRUE(provider->FormState() & kFsRestoring);
    BYTE alpha = 255;
    ASSERT_TRUE(::GetLayeredWindowAttributes(wnd, nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 0);  // hidden behind the growing image until it ends
    // The image grows from the taskbar back to where the form was.
    EXPECT_EQ(timer->FormRect(), (TRect{60, 60, 380, 280}));
    for (int i = 0; i < 10 && timer->Step(); ++i) {
    }
    EXPECT_FALSE(provider->FormState() & kFsRestoring);
    EXPECT_FALSE(::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_TRUE(::IsWindowVisible(wnd));
}

TEST(SkinMinTimer, PaintsDuringTheAnimationAreTakenSoThatItsTimerTicks) {
    TAnimatedForm f;
    TSkinProvider* provider = f.skinned.provider;
    ASSERT_NE(provider, nullptr);
    f.skinned.skin.Manager->AnimEffects.Minimizing.Time = 50;
    ASSERT_TRUE(provider->StartMinimizeAnimation());
    ASSERT_TRUE(f.Timer()->Enabled());
    // The form asks to be painted while the animation runs; pumped, the
    // animation still runs to its end on its own timer.
    ::InvalidateRect(f.skinned.wnd, nullptr, FALSE);
    EXPECT_TRUE(ad::test::PumpUntil([&] { return !(provider->FormState() & kFsMinimizing); }));
}

TEST(SkinMinTimer, NoTimeGivesOneStepAndLateTicksCatchUp) {
    TAnimatedForm f;
    TSkinProvider* provider = f.skinned.provider;
    ASSERT_NE(provider, nullptr);
    f.skinned.skin.Manager->AnimEffects.Minimizing.Time = 0;
    ASSERT_TRUE(provider->StartMinimizeAnimation());
    TSkMinTimer* timer = f.Timer();
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->Steps(), 1);
    EXPECT_FALSE(timer->Enabled());  // over after its one step
    EXPECT_FALSE(provider->FormState() & kFsMinimizing);

    // Ten steps paced by a clock: a tick 35 ms late runs three steps at once.
    uint64_t now = 1000;
    TSkPacedTimer::Clock = [&] { return now; };
    f.skinned.skin.Manager->AnimEffects.Minimizing.Time = 100;
    ASSERT_TRUE(provider->StartMinimizeAnimation());
    ASSERT_EQ(timer->Steps(), 10);
    const double afterFirst = timer->Alpha();
    now += 35;
    const int frames = timer->FramesShown();
    timer->Tick();
    EXPECT_NEAR(timer->Alpha(), afterFirst - 3 * (timer->StartAlpha() / 9.0), 0.01);
    EXPECT_EQ(timer->FramesShown(), frames + 1);  // only the last of them is shown
    now += 1000;  // far too late: only the steps left run
    timer->Tick();
    EXPECT_FALSE(timer->Enabled());
    EXPECT_FALSE(provider->FormState() & kFsMinimizing);
}

TEST(SkinMinTimer, WithoutTheEffectOrCompositionNothingStarts) {
    TAnimatedForm f;
    TSkinProvider* provider = f.skinned.provider;
    f.skinned.skin.Manager->AnimEffects.Minimizing.Active = false;
    EXPECT_FALSE(provider->StartMinimizeAnimation());
    f.skinned.skin.Manager->AnimEffects.Minimizing.Active = true;
    SkinCompositionEnabled = [] { return false; };  // this prefix reports Windows 7
    EXPECT_FALSE(provider->StartMinimizeAnimation());
    EXPECT_EQ(provider->AnimationTimer(), nullptr);
    EXPECT_FALSE(::GetWindowLongPtrW(f.skinned.wnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    // A restore without a minimise before it starts nothing either.
    EXPECT_TRUE(provider->StartRestoreAnimation());
    EXPECT_FALSE(provider->FormState() & kFsRestoring);
}

TEST(SkinMoveTimer, TheFormFadesToTheTargetAlpha) {
    TSkinnedForm f;
    TSkMoveTimer timer(nullptr, f.wnd, 255, 170, 40);
    std::vector<int> alphas;
    for (int i = 0; i < 10 && timer.Step(); ++i) {
        BYTE a = 0;
        ::GetLayeredWindowAttributes(f.wnd, nullptr, &a, nullptr);
        alphas.push_back(a);
    }
    EXPECT_EQ(alphas, (std::vector<int>{255, 215, 175}));
    EXPECT_LT(timer.Alpha(), 170);  // it may end below the target by less than a step
    EXPECT_GT(timer.Alpha(), 130);
    SetWindowAlpha(f.wnd, false, 255);
    ::ShowWindow(f.wnd, SW_SHOWNOACTIVATE);
}

// ---- The taskbar search ----

TEST(SkTaskbarButton, RecordsAreReadInTheLayoutOfTheToolbarsProcess) {
    // The same button in both layouts: state 0x04, style 0, data 0x1234'5678 (32-bit)
    // or 0x0000'7FF0'1234'5678 (64-bit, after 6 bytes of padding).
    uint8_t r32[20] = {};
    r32[8] = 0x04;
    const uint32_t d32 = 0x12345678;
    std::memcpy(r32 + 12, &d32, 4);
    uint8_t r64[32] = {};
    r64[8] = 0x04;
    const uint64_t d64 = 0x00007FF012345678ull;
    std::memcpy(r64 + 16, &d64, 8);
    std::memset(r64 + 10, 0xEE, 6);  // padding that must not be read as data

    TSkToolbarButton b;
    ASSERT_TRUE(ParseToolbarButton(r32, sizeof r32, true, b));
    EXPECT_EQ(b.Data, d32);
    EXPECT_EQ(b.State, 0x04);
    ASSERT_TRUE(ParseToolbarButton(r64, sizeof r64, false, b));
    EXPECT_EQ(b.Data, d64);
    EXPECT_FALSE(ParseToolbarButton(r64, 24, false, b));  // a 24-byte read is short of a 64-bit record
    EXPECT_EQ(ToolbarButtonSize(true), 20u);
    EXPECT_EQ(ToolbarButtonSize(false), 32u);

    struct Case {
        uint8_t state, style;
        uint64_t data;
        bool application;
    } cases[] = {{0x04, 0, 1, true}, {0x0C, 0, 1, false}, {0x04, 0x01, 1, false}, {0x04, 0x08, 1, false},
                 {0x04, 0x02, 1, true}, {0x04, 0, 0, false}};
    for (const Case& c : cases)
        EXPECT_EQ(IsApplicationButton({c.state, c.style, c.data}), c.application) << int(c.state) << " " << int(c.style);
    // This desktop has no taskbar: nothing is found and nothing is touched.
    EXPECT_FALSE(FindTaskbarButtonRect(::GetDesktopWindow()).has_value());
}

}  // namespace
}  // namespace ad::skin::forms

namespace ad::skin::forms {
namespace {

using namespace test;

int ThreadWindowsOfClass(const wchar_t* name) {
    struct Count {
        const wchar_t* name;
        int n;
    } count{name, 0};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND w, LPARAM p) {
            auto* c = reinterpret_cast<Count*>(p);
            wchar_t cls[64] = {};
            ::GetClassNameW(w, cls, 64);
            if (std::wstring(cls) == c->name) ++c->n;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.n;
}

TEST(SkinFormStatesLeaks, TitleBarsAnimationsAndCoversComeAndGoWithoutLeaks) {
    TFormSkinFixture skin;
    skin.Manager->Effects.AllowAnimation = true;
    skin.Manager->AnimEffects.Minimizing.Time = 20;
    bool (*saved)() = SkinCompositionEnabled;
    SkinCompositionEnabled = [] { return true; };
    TSkMinTimer::TaskbarSeam = [](HWND) { return TSkTaskbarInfo{true, {0, 770, 1280, 800}, {}}; };
    auto cycle = [] {
        auto form = ShownForm();
        auto* bar = new TSkinTitleBar(form.get());
        bar->AddItem()->SetCaption("Item");
        TSkinProvider* provider = ProviderOf(*form);
        ASSERT_NE(provider, nullptr);
        provider->SetTitleBar(bar);
        ::RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        ASSERT_TRUE(provider->StartMinimizeAnimation());
        auto* timer = dynamic_cast<TSkMinTimer*>(provider->AnimationTimer());
        ASSERT_NE(timer, nullptr);
        for (int i = 0; i < 10 && timer->Step(); ++i) {
        }
        provider->DisabledBlendValue = 100;
        form->SetEnabled(false);
        form->SetEnabled(true);
        form->Close();
        ad::test::PumpPending();
    };
    cycle();  // the first pass makes what lives for the whole run (fonts, classes)
    const long gdi = LiveGdiObjects();
    const int providers = TSkinProvider::LiveCount();
    const int glowForms = ThreadWindowsOfClass(L"TSkGlowForm");
    for (int i = 0; i < 100; ++i) cycle();
    EXPECT_EQ(LiveGdiObjects(), gdi);
    EXPECT_EQ(TSkinProvider::LiveCount(), providers);
    EXPECT_EQ(ThreadWindowsOfClass(L"TSkGlowForm"), glowForms);
    EXPECT_TRUE(GluedPairs().empty());
    TSkMinTimer::TaskbarSeam = nullptr;
    SkinCompositionEnabled = saved;
}

}  // namespace
}  // namespace ad::skin::forms
