// The creation hook's form branch on real windows: a form gets its provider
// at its first activation, never at creation; opted-out, excluded and
// overlay forms and the framework's utility windows never get one.
#include <gtest/gtest.h>

#include "framework/UtilityWindow.h"
#include "skin/engine/win/SkinMessaging.h"
#include "skin/forms/SkGlowForm.h"
#include "skin/forms/SkinFormsTestKit.h"

namespace ad::skin::forms {
namespace {

using namespace test;

// A form whose window class has the given name. (Window class names compare
// without letter case: "tapplication" cannot be registered beside
// "TApplication" in one process, so the letter case is tested on the names.)
class TNamedForm : public TForm {
public:
    TNamedForm(const wchar_t* className) : TForm(nullptr), className_(className) {}

protected:
    void CreateParams(TCreateParams& params) override {
        TForm::CreateParams(params);
        params.WinClassName = className_;
    }

private:
    const wchar_t* className_;
};

TEST(SkinHook, AFormGetsItsProviderAtItsFirstActivationNotAtCreation) {
    TFormSkinFixture skin;
    TForm form(nullptr);
    form.SetBounds(60, 60, 300, 200);
    HWND wnd = form.Handle();
    EXPECT_EQ(TSkinProvider::OfWindow(wnd), nullptr);
    EXPECT_FALSE(IsSkinnedWindow(wnd));

    form.Show();
    ad::test::PumpPending();
    TSkinProvider* provider = TSkinProvider::OfWindow(wnd);
    ASSERT_NE(provider, nullptr);
    EXPECT_EQ(provider->OwnerForm(), &form);
    EXPECT_TRUE(provider->Skinned());

    // Later activations leave the form alone, and the transient object goes at the next one.
    ActivateAgain(wnd);
    EXPECT_EQ(TSkinProvider::OfWindow(wnd), provider);
    EXPECT_LE(ProviderListCount(), 1);
    form.Hide();
}

TEST(SkinHook, OptedOutExcludedAndOverlayFormsGetNoProvider) {
    TFormSkinFixture skin;
    struct Case {
        const char* name;
        const wchar_t* className;
        intptr_t tag;
        bool skinned;
    } cases[] = {
        {"plain form", L"TPlainForm", 0, true},
        {"Tag 0x100", L"TPlainForm", 0x100, false},
        {"Tag with bit 0x100 among others", L"TPlainForm", 0x301, false},
        {"Tag without bit 0x100", L"TPlainForm", 0x200, true},
        {"excluded class", L"TApplication", 0, false},
        {"excluded class, another", L"TcxGridFilterPopup", 0, false},
    };
    for (const Case& c : cases) {
        TNamedForm form(c.className);
        form.Tag = c.tag;
        form.SetBounds(60, 60, 240, 160);
        form.Show();
        ad::test::PumpPending();
        EXPECT_EQ(TSkinProvider::OfWindow(form.Handle()) != nullptr, c.skinned) << c.name;
        form.Hide();
    }
}

TEST(SkinHook, TheManagersRulesSayWhichKindsOfFormAreSkinned) {
    TFormSkinFixture skin;
    struct Case {
        const wchar_t* className;
        TSkSkinningRules rules;
        bool skinned;
    } cases[] = {
        {L"TPlainForm", srStdForms, true},      {L"TPlainForm", srStdDialogs | srThirdParty, false},
        {L"TMessageForm", srStdDialogs, true},  {L"TMessageForm", srStdForms | srThirdParty, false},
    };
    for (const Case& c : cases) {
        skin.Manager->SkinningRules = c.rules;
        TNamedForm form(c.className);
        form.SetBounds(60, 60, 240, 160);
        form.Show();
        ad::test::PumpPending();
        EXPECT_EQ(TSkinProvider::OfWindow(form.Handle()) != nullptr, c.skinned)
            << (c.className[1] == 'M' ? "message form" : "form") << " with rules " << c.rules;
        form.Hide();
    }
}

TEST(SkinHook, AFormActivatedWhileItIsBuiltIsSkinnedAtALaterActivation) {
    TFormSkinFixture skin;
    TForm form(nullptr);  // loading until created (DoCreate) or shown
    form.SetBounds(60, 60, 240, 160);
    HWND wnd = form.Handle();
    ASSERT_TRUE(form.ControlState() & csLoading);
    ::ShowWindow(wnd, SW_SHOW);  // the window activates behind the form's back
    ad::test::PumpPending();
    EXPECT_EQ(TSkinProvider::OfWindow(wnd), nullptr);
    form.DoCreate();
    ActivateAgain(wnd);
    EXPECT_NE(TSkinProvider::OfWindow(wnd), nullptr);
    ::ShowWindow(wnd, SW_HIDE);
}

TEST(SkinHook, TheGlowFormAndTheFrameworksUtilityWindowsAreNeverSkinned) {
    TFormSkinFixture skin;
    TSkGlowForm glow(nullptr);
    glow.SetBounds(10, 10, 50, 50);
    HWND glowWnd = glow.Handle();
    EXPECT_EQ(glow.Tag & kNoSkinTag, kNoSkinTag);
    EXPECT_EQ(::GetWindowLongPtrW(glowWnd, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TOOLWINDOW),
              WS_EX_LAYERED | WS_EX_TOOLWINDOW);
    EXPECT_EQ(::SendMessageW(glowWnd, WM_NCHITTEST, 0, MAKELPARAM(20, 20)), HTTRANSPARENT);
    glow.ShowNoActivate();
    EXPECT_TRUE(::IsWindowVisible(glowWnd));
    EXPECT_FALSE(AttachProviderToWindow(glowWnd));
    EXPECT_EQ(TSkinProvider::OfWindow(glowWnd), nullptr);
    glow.Hide();
    EXPECT_FALSE(::IsWindowVisible(glowWnd));

    TUtilityWindow utility([](UINT, WPARAM, LPARAM, LRESULT&) { return false; });
    AttachProviderToWindow(utility.Handle());
    EXPECT_FALSE(IsSkinnedWindow(utility.Handle()));
    AttachProviderToWindow(Application->Handle());
    EXPECT_FALSE(IsSkinnedWindow(Application->Handle()));
}

TEST(SkinHook, WithoutAManagerNothingIsSkinnedAndRemovingTheHooksFreesTheList) {
    {
        TFormSkinFixture skin;
        auto form = ShownForm();
        EXPECT_NE(ProviderOf(*form), nullptr);
        skin.Manager.reset();
        EXPECT_EQ(ProviderListCount(), 0);
        form->Hide();
    }
    TForm form(nullptr);
    form.SetBounds(60, 60, 200, 120);
    form.Show();
    ad::test::PumpPending();
    EXPECT_EQ(TSkinProvider::OfWindow(form.Handle()), nullptr);
    form.Hide();
}

TEST(SkinHook, ExcludedNamesCompareCaseSensitively) {
    struct Case {
        const char* name;
        bool excluded;
    } cases[] = {{"TApplication", true},  {"TfcPopup", true},          {"TcxComboBoxPopupWindow", true},
                 {"TcxCustomPopupWindow", true}, {"TdxPopupEditForm", true}, {"TcxDateEditPopupWindow", true},
                 {"TcxGridFilterPopup", true}, {"tapplication", false}, {"TApplicationX", false},
                 {"", false}, {nullptr, false}};
    for (const Case& c : cases) EXPECT_EQ(IsExcludedFormClass(c.name), c.excluded) << (c.name ? c.name : "null");
}

}  // namespace
}  // namespace ad::skin::forms
