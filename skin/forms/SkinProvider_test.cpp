// The provider's life on real forms: the deferred start, the inert second
// provider, giving the window back, the setters, labels, skin removal and a
// second skin applied live, and many create/show/close cycles without leaks.
#include <gtest/gtest.h>

#include "framework/Handles.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"
#include "framework/WindowSubclass.h"
#include "skin/engine/win/SkinDwm.h"
#include "skin/engine/win/SkinFormsList.h"
#include "skin/engine/win/SkinMessaging.h"
#include "skin/forms/SkGlowForm.h"
#include "skin/forms/SkinFormsTestKit.h"

namespace ad::skin::forms {
namespace {

using namespace test;

// A shown form the hook leaves alone (Tag 0x100), for providers made by hand.
std::unique_ptr<TForm> UnhookedForm() {
    auto form = std::make_unique<TForm>(nullptr);
    form->Tag = kNoSkinTag;
    form->SetBounds(80, 80, 300, 200);
    form->Show();
    ad::test::PumpPending();
    return form;
}

TEST(SkinProvider, OnAnythingButAFormItWarnsAndDoesNothing) {
    TFormSkinFixture skin;
    std::vector<std::string> shown;
    Application->OnMessageBox = [&](const std::string& text, const std::string&, UINT) {
        shown.push_back(text);
        return IDOK;
    };
    TComponent owner(nullptr);
    auto* provider = new TSkinProvider(&owner);
    Application->OnMessageBox = nullptr;
    EXPECT_EQ(shown, std::vector<std::string>{"TSkinProvider component may be used with forms only!"});
    EXPECT_EQ(provider->OwnerForm(), nullptr);
    EXPECT_FALSE(provider->Skinned());
    provider->StartSkinning();
    provider->PrepareForm();
    EXPECT_EQ(provider->HandleMessage(WM_NCHITTEST), 0);
    EXPECT_EQ(provider->HitTest(TPoint{0, 0}), HTNOWHERE);
}

TEST(SkinProvider, ARuntimeProviderWaitsForTheFirstHitTest) {
    TFormSkinFixture skin;
    auto form = UnhookedForm();
    HWND wnd = form->Handle();
    TSkinProvider* provider = TSkinProvider::CreateRuntime(form.get());
    EXPECT_TRUE(provider->DeferredStart());
    EXPECT_FALSE(provider->Skinned());
    HRGN probe = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(::GetWindowRgn(wnd, probe), ERROR);
    EXPECT_TRUE(StyleOf(wnd) & WS_SYSMENU);

    ::SendMessageW(wnd, WM_NCHITTEST, 0, ScreenPoint(wnd, 50, 50));
    EXPECT_FALSE(provider->DeferredStart());
    EXPECT_TRUE(provider->Skinned());
    EXPECT_FALSE(StyleOf(wnd) & WS_SYSMENU);
    EXPECT_EQ(SendSkinCommand(wnd, SKC_GETPROVIDER), reinterpret_cast<LRESULT>(provider));
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    ad::test::PumpPending();
    EXPECT_NE(::GetWindowRgn(wnd, probe), ERROR);
    ::DeleteObject(probe);
    form->Hide();
}

TEST(SkinProvider, ASecondProviderIsInertOnAStartedFormAndReplacesADeferredOne) {
    TFormSkinFixture skin;
    auto form = UnhookedForm();
    HWND wnd = form->Handle();
    const int live = TSkinProvider::LiveCount();

    TSkinProvider* deferred = TSkinProvider::CreateRuntime(form.get());
    TSkinProvider* replacing = TSkinProvider::CreateRuntime(form.get());
    EXPECT_EQ(TSkinProvider::LiveCount(), live + 1) << "the deferred provider was freed";
    EXPECT_NE(deferred, nullptr);
    EXPECT_FALSE(replacing->Inert());
    EXPECT_EQ(TSkinProvider::OfWindow(wnd), replacing);

    HitAt(wnd, 50, 50);
    ASSERT_TRUE(replacing->Skinned());
    auto* inert = new TSkinProvider(form.get());
    EXPECT_TRUE(inert->Inert());
    EXPECT_EQ(TSkinProvider::OfWindow(wnd), replacing);
    delete inert;
    EXPECT_TRUE(replacing->Skinned());
    EXPECT_EQ(TSkinProvider::OfWindow(wnd), replacing);
    EXPECT_EQ(HitAt(wnd, form->Width() / 2, form->Height() / 2), HTCLIENT);
    form->Hide();
}

TEST(SkinProvider, FreeingTheProviderGivesTheWindowBackAndKeepsLaterLayers) {
    TSkinnedForm f;
    ASSERT_NE(f.provider, nullptr);
    TForm* form = f.form.get();
    HWND wnd = f.wnd;
    TSkinProvider* provider = f.provider;
    // A layer hooked after the provider sees every message before it.
    std::vector<UINT> seen;
    TWindowSubclass spy(wnd, [&](TMessage& m) {
        if (m.Msg == WM_USER + 7) seen.push_back(m.Msg);
        return false;
    });
    delete provider;
    EXPECT_EQ(TSkinProvider::OfWindow(wnd), nullptr);
    EXPECT_FALSE(IsSkinnedWindow(wnd));
    ::SendMessageW(wnd, WM_USER + 7, 0, 0);
    EXPECT_EQ(seen.size(), 1u);
    // The form answers the hit test natively again.
    EXPECT_EQ(HitAt(wnd, form->Width() / 2, form->Height() / 2), HTCLIENT);
}

TEST(SkinProvider, DrawNonClientAreaOffRemovesTheRegionAndGivesBackTheSystemMenuOnlyWithItsIcon) {
    TFormSkinFixture skin;
    for (bool withSystemMenu : {true, false}) {
        auto form = std::make_unique<TForm>(nullptr);
        if (!withSystemMenu) form->BorderIcons = biMinimize | biMaximize;
        form->SetBounds(60, 60, 300, 200);
        form->Show();
        ad::test::PumpPending();
        HWND wnd = form->Handle();
        TSkinProvider* provider = ProviderOf(*form);
        ASSERT_NE(provider, nullptr);
        ::RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        HRGN probe = ::CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(::GetWindowRgn(wnd, probe), ERROR) << withSystemMenu;

        provider->SetDrawNonClientArea(false);
        EXPECT_EQ(::GetWindowRgn(wnd, probe), ERROR) << withSystemMenu;
        EXPECT_EQ((StyleOf(wnd) & WS_SYSMENU) != 0, withSystemMenu);
        ::DeleteObject(probe);
        form->Hide();
    }
}

TEST(SkinProvider, SetterRulesOnColoursAndToolWindows) {
    TFormSkinFixture skin;
    {
        auto form = ShownForm();
        TSkinProvider* provider = ProviderOf(*form);
        ASSERT_NE(provider, nullptr);
        provider->SkinData->SetCustomColor(true);
        form->SetColor(0x123456);
        provider->SetUseGlobalColor(true);
        EXPECT_EQ(form->Color(), TColor(0x123456)) << "a custom colour stays";
        EXPECT_EQ(provider->FormColor(), TColor(0x123456));
        provider->SkinData->SetCustomColor(false);
        provider->SetUseGlobalColor(true);
        EXPECT_EQ(form->Color(), skin.Manager->FormColor());
        EXPECT_EQ(provider->FormColor(), provider->SkinData->BackgroundColor(provider->FormActive()));
        form->Hide();
    }
    {
        auto form = ShownForm(TFormBorderStyle::bsSizeToolWin);
        TSkinProvider* provider = ProviderOf(*form);
        ASSERT_NE(provider, nullptr);
        EXPECT_FALSE(provider->AllowBlendOnMoving);
        EXPECT_TRUE(provider->UseGlobalColor());
        form->Hide();
    }
}

TEST(SkinProvider, LabelsTakeTheSkinsTextColourUnlessTheyOptOutAndGetTheirsBack) {
    TFormSkinFixture skin;
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(60, 60, 300, 200);
    auto* plain = new TLabel(form.get());
    plain->SetParent(form.get());
    plain->SetParentFont(false);
    plain->Font().SetColor(0x0000FF);
    auto* optedOut = new TLabel(form.get());
    optedOut->SetParent(form.get());
    optedOut->SetParentFont(false);
    optedOut->Font().SetColor(0x00FF00);
    optedOut->Tag = kNoSkinTag;
    // A control that opts out keeps its labels as they are too.
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->Tag = kNoSkinTag;
    auto* inside = new TLabel(form.get());
    inside->SetParent(panel);
    inside->SetParentFont(false);
    inside->Font().SetColor(0x00FF00);
    form->Show();
    ad::test::PumpPending();
    TSkinProvider* provider = ProviderOf(*form);
    ASSERT_NE(provider, nullptr);
    EXPECT_EQ(plain->Font().Color(), skin.Manager->Skin()->LabelTextColor());
    EXPECT_FALSE(plain->ControlStyle & csOpaque);
    EXPECT_EQ(optedOut->Font().Color(), TColor(0x00FF00));
    EXPECT_EQ(inside->Font().Color(), TColor(0x00FF00));

    // Without the rule for other controls the labels get their colours back
    // and are not recoloured again.
    skin.Manager->SkinningRules = srStdForms | srStdDialogs;
    provider->AdaptLabels(false);
    EXPECT_EQ(plain->Font().Color(), TColor(0x0000FF));
    EXPECT_TRUE(plain->ControlStyle & csOpaque);
    provider->AdaptLabels(true);
    EXPECT_EQ(plain->Font().Color(), TColor(0x0000FF));
    skin.Manager->SkinningRules = kAllSkinningRules;
    provider->AdaptLabels(true);
    EXPECT_EQ(plain->Font().Color(), skin.Manager->Skin()->LabelTextColor());

    skin.Manager->SetActive(false);
    EXPECT_EQ(plain->Font().Color(), TColor(0x0000FF));
    EXPECT_EQ(optedOut->Font().Color(), TColor(0x00FF00));
    form->Hide();
}

TEST(SkinProvider, RemovingTheSkinGivesTheNativeLookBackAndASecondSkinAppliesLive) {
    TSkinnedForm f;
    ASSERT_NE(f.provider, nullptr);
    TForm* form = f.form.get();
    HWND wnd = f.wnd;
    TSkinProvider* provider = f.provider;
    provider->SetUseGlobalColor(true);
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    HRGN probe = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(wnd, probe), ERROR);
    ASSERT_FALSE(StyleOf(wnd) & WS_SYSMENU);
    const TColor first = provider->FormColor();
    EXPECT_EQ(first, kFormColor);

    f.skin.Manager->SetActive(false);
    EXPECT_EQ(::GetWindowRgn(wnd, probe), ERROR);
    EXPECT_TRUE(StyleOf(wnd) & WS_SYSMENU);
    EXPECT_EQ(form->Color(), clBtnFace);
    EXPECT_FALSE(provider->Skinned());
    EXPECT_EQ(HitAt(wnd, form->Width() / 2, 5), ::DefWindowProcW(wnd, WM_NCHITTEST, 0, ScreenPoint(wnd, form->Width() / 2, 5)));

    f.skin.Manager->SetActive(true);
    f.skin.Manager->SetSkinName("Other");
    ad::test::PumpPending();
    EXPECT_EQ(TSkinProvider::OfWindow(wnd), provider);
    EXPECT_TRUE(provider->Skinned());
    EXPECT_EQ(provider->FormColor(), kOtherFormColor);
    EXPECT_FALSE(StyleOf(wnd) & WS_SYSMENU);
    ::DeleteObject(probe);
}

TEST(SkinProvider, AFormsOwnPaintingSeesEveryPaintOfItsWindow) {
    TFormSkinFixture skin;
    auto form = std::make_unique<TForm>(nullptr);
    int paints = 0;
    form->OnPaint = [&](TObject*) { ++paints; };
    form->SetBounds(60, 60, 300, 200);
    form->Show();
    ad::test::PumpPending();
    ASSERT_NE(ProviderOf(*form), nullptr);
    for (int i = 1; i <= 3; ++i) {
        const int before = paints;
        ::RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_GT(paints, before) << "paint " << i;
    }
    form->Hide();
}

// A form skinned as it shows is painted on screen once: its frame image and
// region are made before that paint (a region set inside it makes the system
// paint the whole window again), and the size the first show sends changes
// neither. The form's painting into its frame image does not count.
TEST(SkinProvider, AFormsFirstShowPaintsItOnce) {
    TFormSkinFixture skin;
    if (!IsCompositionEnabled()) GTEST_SKIP() << "without composition the hook repaints the form after its first paint";
    auto form = std::make_unique<TForm>(nullptr);
    int onScreen = 0;
    form->OnPaint = [&](TObject*) { onScreen += ::WindowFromDC(form->Canvas.Handle()) == form->Handle(); };
    form->SetBounds(60, 60, 300, 200);
    form->Show();
    ::UpdateWindow(form->Handle());
    ad::test::PumpPending();
    ASSERT_NE(ProviderOf(*form), nullptr);
    EXPECT_EQ(onScreen, 1);
    form->Hide();
}

TEST(SkinProvider, ManyFormsComeAndGoWithoutLeavingAnythingBehind) {
    TFormSkinFixture skin;
    {  // the first form makes what stays for the process (fonts, caches)
        auto form = ShownForm();
        form->Hide();
    }
    ad::test::PumpPending();
    const long gdi = LiveGdiObjects();
    const int providers = TSkinProvider::LiveCount();
    const size_t listed = SkinnedForms().size();
    for (int i = 0; i < 200; ++i) {
        auto form = ShownForm();
        ASSERT_NE(ProviderOf(*form), nullptr) << i;
        ::RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        HitAt(form->Handle(), 10, 10);
        form->Close();
        ad::test::PumpPending();
    }
    ad::test::PumpPending();
    EXPECT_EQ(LiveGdiObjects(), gdi);
    EXPECT_EQ(TSkinProvider::LiveCount(), providers);
    EXPECT_EQ(SkinnedForms().size(), listed);
    EXPECT_LE(ProviderListCount(), 1);
}

TEST(SkinProvider, TheNativeSystemMenuIsPreparedWithTheWindowShownAgainAfterwards) {
    TSkinnedForm f(TFormBorderStyle::bsSingle);
    ASSERT_NE(f.provider, nullptr);
    HWND wnd = f.wnd;
    TSkinProvider* provider = f.provider;
    // End the menu's modal loop from a timer.
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) { ::EndMenu(); });
    RECT r{};
    ::GetWindowRect(wnd, &r);
    provider->ShowSystemMenu(r.left + 10, r.top + 10);
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(StyleOf(wnd) & WS_VISIBLE);
    HMENU menu = ::GetSystemMenu(wnd, FALSE);
    ASSERT_NE(menu, nullptr);
    // A single-border form cannot be sized; a normal one cannot be restored.
    EXPECT_TRUE(::GetMenuState(menu, SC_SIZE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(menu, SC_RESTORE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(::GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
}

}  // namespace
}  // namespace ad::skin::forms
