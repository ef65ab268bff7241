// Adapting a skinned form's controls by the class-name lists: the first list
// naming a class wins, opted-out and vetoed controls stay native, a changed
// section is used, a re-created window is adapted again, and removing the
// skin gives every window its own procedure back.
#include "skin/forms/SkCtrlAdapter.h"

#include <gtest/gtest.h>

#include <fstream>

#include "framework/PrintTestKit.h"
#include "framework/StdCtrls.h"
#include "skin/adapters/AdapterTestKit.h"
#include "skin/adapters/SkButtonWnds.h"
#include "skin/adapters/SkEditWnd.h"
#include "skin/forms/SkinFormsTestKit.h"

namespace ad::skin::forms {
namespace {

using adapters::TSkBtnWnd;
using adapters::TSkCheckBoxWnd;
using adapters::TSkMainWnd;
using test::TFormSkinFixture;

// The adapters' fixture skin, written into the folder, becomes the manager's.
void UseAdapterSkin(TSkinManager& manager, const ad::test::TempDir& dir) {
    const std::vector<uint8_t> bytes = adapters::test::AdapterSkin();
    std::ofstream(dir.Path() + "Adapters.asz", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    manager.SetSkinDirectory(dir.Path().substr(0, dir.Path().size() - 1));
    manager.SetSkinName("Adapters");
}

template <class T>
T* Put(TForm* form, int top, const std::string& caption) {
    auto* control = new T(form);
    control->SetParent(form);
    control->SetBounds(10, top, 120, 24);
    control->SetCaption(caption);
    return control;
}

TEST(SkCtrlAdapter, TheListsDecideWhichControlsGetWhichAdapter) {
    TFormSkinFixture skin;
    // Both lists name TCheckBox: the earlier one (buttons) wins.
    skin.Manager->ThirdParty.SetText(akButton, "TButton\nTCheckBox");
    skin.Manager->ThirdParty.SetText(akCheckBox, "TCheckBox\nTRadioButton");
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(60, 60, 320, 260);
    TButton* button = Put<TButton>(form.get(), 10, "Plain");
    TButton* tagged = Put<TButton>(form.get(), 40, "Tagged");
    tagged->Tag = 0x100;
    TButton* vetoed = Put<TButton>(form.get(), 70, "Vetoed");
    TButton* sectioned = Put<TButton>(form.get(), 100, "Sectioned");
    TCheckBox* check = Put<TCheckBox>(form.get(), 130, "Check");
    TRadioButton* radio = Put<TRadioButton>(form.get(), 160, "Radio");
    TEdit* edit = Put<TEdit>(form.get(), 190, "");
    form->Show();
    ad::test::PumpPending();
    TSkinProvider* provider = TSkinProvider::OfWindow(form->Handle());
    ASSERT_NE(provider, nullptr);
    provider->OnSkinItem = [&](TWinControl* item, bool& canBeAdded, std::string& section) {
        if (item == vetoed) canBeAdded = false;
        if (item == sectioned) section = "Custom";
    };
    provider->RemoveAdapter();
    provider->CreateAdapter();

    auto adapterOf = [](TWinControl* control) { return TSkMainWnd::GetAdapter(control->Handle()); };
    EXPECT_NE(dynamic_cast<TSkBtnWnd*>(adapterOf(button)), nullptr);
    EXPECT_NE(dynamic_cast<TSkBtnWnd*>(adapterOf(check)), nullptr);  // the first list naming it
    EXPECT_NE(dynamic_cast<TSkCheckBoxWnd*>(adapterOf(radio)), nullptr);
    EXPECT_EQ(adapterOf(tagged), nullptr);
    EXPECT_EQ(adapterOf(vetoed), nullptr);
    EXPECT_EQ(adapterOf(edit), nullptr);  // not listed
    ASSERT_NE(adapterOf(sectioned), nullptr);
    EXPECT_EQ(adapterOf(sectioned)->SkinData()->SkinSection(), "CUSTOM");
    ASSERT_NE(provider->CtrlAdapter(), nullptr);
    EXPECT_EQ(provider->CtrlAdapter()->ItemCount(), 4);

    // Adapting again adds nothing; a re-created window is adapted again.
    ::SendMessageW(form->Handle(), SKM_SKINCMD, SkinCommandWParam(SKC_ADAPTCHILDREN), 0);
    EXPECT_EQ(provider->CtrlAdapter()->ItemCount(), 4);
    const HWND old = button->Handle();
    ::SendMessageW(old, CM_RECREATEWND, 0, 0);
    ad::test::PumpPending();
    ASSERT_NE(button->Handle(), old);
    EXPECT_NE(dynamic_cast<TSkBtnWnd*>(adapterOf(button)), nullptr);
    EXPECT_EQ(provider->CtrlAdapter()->ItemCount(), 4);

    // Without the skin every window is its own again.
    skin.Manager->SetActive(false);
    ad::test::PumpPending();
    for (TWinControl* control : std::initializer_list<TWinControl*>{button, check, radio, sectioned}) {
        EXPECT_EQ(adapterOf(control), nullptr) << control->Caption();
        EXPECT_FALSE(IsSkinnedWindow(control->Handle())) << control->Caption();
    }
}

TEST(SkCtrlAdapter, ByDefaultOnlyButtonsAreAdaptedAndFormsComeAndGoCleanly) {
    TFormSkinFixture skin;
    const int adapters = TSkMainWnd::LiveCount();
    for (int i = 0; i < 20; ++i) {
        auto form = std::make_unique<TForm>(nullptr);
        form->SetBounds(60, 60, 240, 160);
        TButton* button = Put<TButton>(form.get(), 10, "OK");
        TCheckBox* check = Put<TCheckBox>(form.get(), 40, "Check");
        form->Show();
        ad::test::PumpPending();
        EXPECT_NE(TSkMainWnd::GetAdapter(button->Handle()), nullptr);
        EXPECT_EQ(TSkMainWnd::GetAdapter(check->Handle()), nullptr);
    }
    EXPECT_EQ(TSkMainWnd::LiveCount(), adapters);
}

TEST(SkCtrlAdapter, AFormOfAdaptedControlsPaintsThemFromTheSkin) {
    TFormSkinFixture skin;
    ad::test::TempDir dir;
    UseAdapterSkin(*skin.Manager, dir);
    skin.Manager->ThirdParty.SetText(akCheckBox, "TCheckBox\nTRadioButton");
    skin.Manager->ThirdParty.SetText(akGroupBox, "TGroupBox");

    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(60, 60, 340, 250);
    form->SetCaption("Adapted controls");
    TButton* ok = Put<TButton>(form.get(), 10, "OK");
    ok->Default = true;
    TButton* cancel = Put<TButton>(form.get(), 40, "Cancel");
    TCheckBox* check = Put<TCheckBox>(form.get(), 70, "Check box");
    check->SetChecked(true);
    Put<TRadioButton>(form.get(), 100, "Radio button");
    auto* group = new TGroupBox(form.get());
    group->SetParent(form.get());
    group->SetBounds(150, 10, 170, 120);
    group->SetCaption("Group box");
    auto* inner = new TCheckBox(form.get());
    inner->SetParent(group);
    inner->SetBounds(10, 30, 140, 24);
    inner->SetCaption("Inside the group");
    form->Show();
    ad::test::PumpPending();

    for (TWinControl* c : std::initializer_list<TWinControl*>{ok, cancel, check, group, inner})
        EXPECT_NE(TSkMainWnd::GetAdapter(c->Handle()), nullptr) << c->Caption();
    const auto button = ad::test::PrintInto(cancel->Handle(), WM_PRINT, PRF_CLIENT, cancel->Width(), cancel->Height());
    EXPECT_EQ(button.At(3, cancel->Height() / 2), adapters::test::kButtonNormal);
    const auto box = ad::test::PrintInto(group->Handle(), WM_PRINT, PRF_CLIENT, group->Width(), group->Height());
    EXPECT_EQ(box.At(group->Width() / 2, group->Height() - 5), adapters::test::kGroupBoxColor);
    ad::test::SaveScreenshot(form->Handle(), "adapted_controls.bmp");
}

TEST(SkCtrlAdapter, TheEditListNamesMemosAndListBoxesWhichGetSkinnedFramesAndBars) {
    TFormSkinFixture skin;
    ad::test::TempDir dir;
    UseAdapterSkin(*skin.Manager, dir);
    skin.Manager->ThirdParty.SetText(akEdit, "TMemo\nTListBox");

    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(60, 60, 420, 250);
    form->SetCaption("Adapted edits");
    auto* memo = new TMemo(form.get());
    memo->SetParent(form.get());
    memo->SetBounds(10, 10, 190, 180);
    std::string text;
    for (int i = 1; i <= 60; ++i) text += "Memo line " + std::to_string(i) + "\r\n";
    memo->SetText(text);
    auto* list = new TListBox(form.get());
    list->SetParent(form.get());
    list->SetBounds(210, 10, 190, 180);
    for (int i = 1; i <= 40; ++i) list->Items().Add("List item " + std::to_string(i));
    list->SetItemIndex(2);
    form->Show();
    ad::test::PumpPending();

    for (TWinControl* c : std::initializer_list<TWinControl*>{memo, list}) {
        auto* adapter = dynamic_cast<adapters::TSkEditWnd*>(TSkMainWnd::GetAdapter(c->Handle()));
        ASSERT_NE(adapter, nullptr) << c->Name;
        ASSERT_TRUE(adapter->VertBar().Visible) << c->Name;
        RECT window{};
        ::GetWindowRect(c->Handle(), &window);
        const TRect bar = adapter->BarRect(adapter->VertBar());
        const auto image = ad::test::PrintInto(c->Handle(), WM_PRINT, PRF_NONCLIENT, c->Width(), c->Height());
        EXPECT_EQ(image.At(bar.Left - window.left + 2, bar.Top - window.top + 2), adapters::test::kArrowNormal)
            << c->Name;
        EXPECT_EQ(image.At(0, c->Height() / 2), adapters::test::kEditNormal) << c->Name;
    }
    ad::test::SaveScreenshot(form->Handle(), "adapted_edits.bmp");
}

}  // namespace
}  // namespace ad::skin::forms
