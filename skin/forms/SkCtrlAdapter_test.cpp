// Adapting a skinned form's controls by the class-name lists: the first list
// naming a class wins, opted-out and vetoed controls stay native, a changed
// section is used, a re-created window is adapted again, and removing the
// skin gives every window its own procedure back; a listed speed button gets
// one handler, made again when its window was, and none once it is gone; a
// form placed inside the form gets a provider of its own.
#include "skin/forms/SkCtrlAdapter.h"

#include <gtest/gtest.h>

#include <fstream>

#include "framework/CheckLst.h"
#include "framework/ComCtrls.h"
#include "framework/ListView.h"
#include "framework/PrintTestKit.h"
#include "framework/StdCtrls.h"
#include "skin/adapters/AdapterTestKit.h"
#include "framework/Buttons.h"
#include "skin/adapters/SkBitBtnWnds.h"
#include "skin/adapters/SkButtonWnds.h"
#include "skin/adapters/SkEditWnd.h"
#include "skin/adapters/SkStaticWnds.h"
#include "skin/forms/SkinFormsTestKit.h"

namespace ad::skin::forms {
namespace {

using adapters::TSkBtnWnd;
using adapters::TSkCheckBoxWnd;
using adapters::TSkMainWnd;
using test::TFormSkinFixture;

// A control of the form, placed on parent (owner and parent may differ).
template <class T>
T* Place(TWinControl* parent, int x, int y, int w, int h, const std::string& caption) {
    TComponent* owner = parent;
    while (owner && !dynamic_cast<TForm*>(owner)) owner = owner->Owner();
    auto* control = new T(owner ? owner : parent);
    control->SetParent(parent);
    control->SetBounds(x, y, w, h);
    control->SetCaption(caption);
    return control;
}

template <class T>
T* Put(TForm* form, int top, const std::string& caption) {
    return Place<T>(form, 10, top, 120, 24, caption);
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

TEST(SkCtrlAdapter, AControlTheFormOwnsIsAdaptedAlsoWhenItLiesInAnotherWindow) {
    TFormSkinFixture skin;
    auto other = std::make_unique<TForm>(nullptr);
    other->Tag = 0x100;  // left native: no provider of its own adapts what it holds
    other->SetBounds(400, 60, 200, 120);
    other->Show();
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(60, 60, 240, 160);
    TButton* held = Put<TButton>(form.get(), 10, "Held");
    auto* owned = new TButton(form.get());
    owned->SetParent(other.get());
    owned->SetBounds(10, 10, 100, 24);
    owned->SetCaption("Owned");
    form->Show();
    ad::test::PumpPending();
    TSkinProvider* provider = TSkinProvider::OfWindow(form->Handle());
    ASSERT_NE(provider, nullptr);
    ASSERT_EQ(TSkinProvider::OfWindow(other->Handle()), nullptr);
    EXPECT_NE(dynamic_cast<TSkBtnWnd*>(TSkMainWnd::GetAdapter(held->Handle())), nullptr);
    EXPECT_NE(dynamic_cast<TSkBtnWnd*>(TSkMainWnd::GetAdapter(owned->Handle())), nullptr);
    ASSERT_NE(provider->CtrlAdapter(), nullptr);
    EXPECT_EQ(provider->CtrlAdapter()->ItemCount(), 2);
    form.reset();  // the owned button goes with its owner, and its adapter with the provider
    EXPECT_EQ(other->ControlCount(), 0);
}

TEST(SkCtrlAdapter, AControlPutIntoAnAdaptedContainerLaterIsAdaptedToo) {
    TFormSkinFixture skin;
    skin.Manager->ThirdParty.SetText(akGroupBox, "TGroupBox");
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(60, 60, 300, 200);
    auto* group = Place<TGroupBox>(form.get(), 10, 10, 200, 120, "Group");
    form->Show();
    ad::test::PumpPending();
    ASSERT_NE(TSkMainWnd::GetAdapter(group->Handle()), nullptr);
    auto* onForm = Place<TButton>(form.get(), 220, 10, 60, 24, "Later");
    auto* inGroup = Place<TButton>(group, 10, 30, 100, 24, "Later");
    ad::test::PumpPending();
    EXPECT_NE(dynamic_cast<TSkBtnWnd*>(TSkMainWnd::GetAdapter(onForm->Handle())), nullptr);
    EXPECT_NE(dynamic_cast<TSkBtnWnd*>(TSkMainWnd::GetAdapter(inGroup->Handle())), nullptr);
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

// The form fixture with the adapters' skin loaded.
struct TAdapterFormSkin {
    TAdapterFormSkin() {
        const std::vector<uint8_t> bytes = adapters::test::AdapterSkin();
        std::ofstream(dir.Path() + "Adapters.asz", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        skin.Manager->SetSkinDirectory(dir.Path().substr(0, dir.Path().size() - 1));
        skin.Manager->SetSkinName("Adapters");
    }
    TFormSkinFixture skin;
    ad::test::TempDir dir;
};

TEST(SkCtrlAdapter, ASpeedButtonKeepsOneHandlerWhichIsMadeAgainForANewWindowAndGoesWithTheButton) {
    TAdapterFormSkin fixture;
    TSkinManager& manager = *fixture.skin.Manager;
    manager.ThirdParty.SetText(akSpeedButton, "TSpeedButton");
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(60, 60, 240, 160);
    auto* button = Put<TSpeedButton>(form.get(), 10, "");
    auto* tagged = Put<TSpeedButton>(form.get(), 40, "");
    tagged->Tag = 0x100;
    form->Show();
    ad::test::PumpPending();
    TSkinProvider* provider = TSkinProvider::OfWindow(form->Handle());
    ASSERT_NE(provider, nullptr);
    TSkCtrlAdapter* adapter = provider->CtrlAdapter();
    ASSERT_NE(adapter, nullptr);
    auto centre = [&] {
        return ad::test::PrintInto(button->Handle(), WM_PRINTCLIENT, PRF_CLIENT, button->Width(), button->Height())
            .At(button->Width() / 2, 3);
    };
    EXPECT_EQ(adapter->GraphItemCount(), 1);
    EXPECT_EQ(adapter->HandlerOf(tagged), nullptr);
    EXPECT_EQ(centre(), adapters::test::kSpeedNormal);

    // Reached again, directly and by a new scan: still one item.
    adapter->AddGraphicControl(button);
    ::SendMessageW(form->Handle(), SKM_SKINCMD, SkinCommandWParam(SKC_ADAPTCHILDREN), 0);
    EXPECT_EQ(adapter->GraphItemCount(), 1);

    // A new window: the dead item is dropped and the button skinned again.
    const HWND old = button->Handle();
    ::SendMessageW(old, CM_RECREATEWND, 0, 0);
    ad::test::PumpPending();
    ASSERT_NE(button->Handle(), old);
    ::SendMessageW(form->Handle(), SKM_SKINCMD, SkinCommandWParam(SKC_ADAPTCHILDREN), 0);
    EXPECT_EQ(adapter->GraphItemCount(), 1);
    ASSERT_NE(adapter->HandlerOf(button), nullptr);
    EXPECT_FALSE(adapter->HandlerOf(button)->Detached());
    EXPECT_EQ(centre(), adapters::test::kSpeedNormal);

    // The button goes: so does its item.
    delete button;
    ::SendMessageW(form->Handle(), SKM_SKINCMD, SkinCommandWParam(SKC_ADAPTCHILDREN), 0);
    EXPECT_EQ(adapter->GraphItemCount(), 0);
    EXPECT_EQ(adapters::TSkSpeedButtonHandler::LiveCount(), 0);
}

TEST(SkCtrlAdapter, AFormInsideTheFormGetsAProviderOfItsOwnInTheSectionTheEventsChoose) {
    TFormSkinFixture skin;
    struct Case {
        const char* name;
        const char* section;  // set by the event; null: vetoed
        const char* expected;
    };
    const Case cases[] = {{"default section", "", "FORM"}, {"section from the event", "Dialog", "DIALOG"},
                          {"vetoed", nullptr, nullptr}};
    for (const Case& c : cases) {
        auto form = std::make_unique<TForm>(nullptr);
        form->SetBounds(60, 60, 320, 240);
        form->Show();
        ad::test::PumpPending();
        TSkinProvider* provider = TSkinProvider::OfWindow(form->Handle());
        ASSERT_NE(provider, nullptr) << c.name;
        TForm* inner = nullptr;
        provider->OnSkinItem = [&](TWinControl* item, bool& canBeAdded, std::string& section) {
            if (item != inner) return;
            if (c.section) section = c.section;
            else canBeAdded = false;
        };
        inner = new TForm(form.get());
        inner->SetParent(form.get());
        inner->SetBounds(10, 10, 200, 150);
        ::ShowWindow(inner->Handle(), SW_SHOWNA);  // not activated: the creation hook leaves it alone
        ::SendMessageW(form->Handle(), SKM_SKINCMD, SkinCommandWParam(SKC_ADAPTCHILDREN), 0);
        TSkinProvider* own = TSkinProvider::OfWindow(inner->Handle());
        if (!c.expected) {
            EXPECT_EQ(own, nullptr) << c.name;
            continue;
        }
        ASSERT_NE(own, nullptr) << c.name;
        EXPECT_NE(own, provider) << c.name;
        EXPECT_EQ(own->SkinData->SkinSection(), c.expected) << c.name;
    }
}

TEST(SkCtrlAdapter, AFormOfAdaptedControlsPaintsThemFromTheSkin) {
    TAdapterFormSkin fixture;
    TFormSkinFixture& skin = fixture.skin;
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

// Foreign static children of a form, as another program's dialog holds
// them: a text, a link, an icon and a sunken-edge icon (from x, y down),
// each with its adapter.
struct TForeignStatics {
    TForeignStatics(HWND form, TSkinManager& manager, int x, int y) : form_(form) {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LINK_CLASS};
        ::InitCommonControlsEx(&icc);
        HWND text = Child(L"STATIC", L"A &static with a prefix", SS_LEFT, 0, x, y, 180, 20);
        HWND link = Child(L"SysLink", L"A <a href=\"x\">link</a> in a window", 0, 0, x, y + 30, 180, 20);
        HWND icon = Child(L"STATIC", L"", SS_ICON, 0, x, y + 60, 32, 32);
        ::SendMessageW(icon, STM_SETICON, WPARAM(::LoadIconW(nullptr, IDI_INFORMATION)), 0);
        HWND edge = Child(L"STATIC", L"", SS_ICON, WS_EX_STATICEDGE, x + 50, y + 60, 40, 40);
        ::SendMessageW(edge, STM_SETICON, WPARAM(::LoadIconW(nullptr, IDI_WARNING)), 0);
        adapters::TSkSkinParams params;
        Adapters.push_back(TSkMainWnd::Create<adapters::TSkStaticWnd>(text, nullptr, &manager, params));
        Adapters.push_back(TSkMainWnd::Create<adapters::TSkLinkWnd>(link, nullptr, &manager, params));
        Adapters.push_back(TSkMainWnd::Create<adapters::TSkIconWnd>(icon, nullptr, &manager, params));
        params.SkinSection = "GROUPBOX";  // a framed section of the fixture skin
        Adapters.push_back(TSkMainWnd::Create<adapters::TSkEdgeWnd>(edge, nullptr, &manager, params));
    }
    HWND Child(const wchar_t* cls, const wchar_t* text, DWORD style, DWORD exStyle, int x, int y, int w, int h) const {
        HWND wnd = ::CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, form_, nullptr,
                                     nullptr, nullptr);
        ::SendMessageW(wnd, WM_SETFONT, WPARAM(::GetStockObject(DEFAULT_GUI_FONT)), 0);
        return wnd;
    }
    std::vector<adapters::TSkAdapterPtr<TSkMainWnd>> Adapters;

private:
    HWND form_;
};

TEST(SkCtrlAdapter, AFormWithStaticsLinksIconsBitmapAndSplitButtonsAndSpeedButtonsIsSkinned) {
    TAdapterFormSkin fixture;
    TSkinManager& manager = *fixture.skin.Manager;
    manager.ThirdParty.SetText(akStaticText, "TLabel");
    manager.ThirdParty.SetText(akBitBtn, "TBitBtn");
    manager.ThirdParty.SetText(akSpeedButton, "TSpeedButton");
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(60, 60, 420, 260);
    form->SetCaption("Statics and buttons");
    auto* label = Put<TLabel>(form.get(), 10, "Static text (TLabel)");
    TBitmap32 glyph(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            *reinterpret_cast<uint32_t*>(glyph.View().Pixel(x, y)) = (x + y) % 8 < 4 ? 0xFF00A000u : 0xFFE0E000u;
    auto* bitBtn = Put<TBitBtn>(form.get(), 40, "Bit button");
    bitBtn->SetGlyph(glyph);
    auto* speed = Put<TSpeedButton>(form.get(), 80, "Speed");
    speed->GroupIndex = 1;
    speed->Glyph = glyph;
    speed->SetBounds(10, 80, 90, 28);
    auto* down = Put<TSpeedButton>(form.get(), 80, "Down");
    down->GroupIndex = 2;
    down->SetBounds(110, 80, 90, 28);
    form->Show();
    ad::test::PumpPending();
    down->SetDown(true);

    // Foreign children of the form, as a dialog would hold them.
    TForeignStatics statics(form->Handle(), manager, 220, 10);
    HWND split = statics.Child(L"BUTTON", L"Split", 0xC /* BS_SPLITBUTTON */, 0, 220, 130, 120, 28);
    auto e = TSkMainWnd::Create<adapters::TSkSplitBtnWnd>(split, nullptr, &manager, {});
    ::RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ad::test::PumpPending();

    EXPECT_NE(dynamic_cast<adapters::TSkStaticTextWnd*>(TSkMainWnd::GetAdapter(label->Handle())), nullptr);
    EXPECT_NE(dynamic_cast<adapters::TSkBitBtnWnd*>(TSkMainWnd::GetAdapter(bitBtn->Handle())), nullptr);
    ASSERT_NE(TSkinProvider::OfWindow(form->Handle())->CtrlAdapter(), nullptr);
    EXPECT_EQ(TSkinProvider::OfWindow(form->Handle())->CtrlAdapter()->GraphItemCount(), 2);
    const auto pressed = ad::test::PrintInto(down->Handle(), WM_PRINTCLIENT, PRF_CLIENT, down->Width(), down->Height());
    EXPECT_EQ(pressed.At(3, 3), adapters::test::kSpeedPressed);
    ad::test::SaveScreenshot(form->Handle(), "adapted_statics_and_buttons.bmp");
}

TEST(SkCtrlAdapter, TheEditListNamesMemosAndListBoxesWhichGetSkinnedFramesAndBars) {
    TAdapterFormSkin fixture;
    fixture.skin.Manager->ThirdParty.SetText(akEdit, "TMemo\nTListBox");

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

TEST(SkCtrlAdapter, AFormWithOneControlOfEachKindIsSkinnedThroughout) {
    TAdapterFormSkin fixture;
    TSkinManager& manager = *fixture.skin.Manager;
    manager.ThirdParty.SetText(akEdit, "TEdit\nTMemo\nTListBox\nTCheckListBox");
    manager.ThirdParty.SetText(akBitBtn, "TBitBtn");
    manager.ThirdParty.SetText(akCheckBox, "TCheckBox\nTRadioButton");
    manager.ThirdParty.SetText(akComboBox, "TComboBox");
    manager.ThirdParty.SetText(akGroupBox, "TGroupBox");
    manager.ThirdParty.SetText(akListView, "TListView");
    manager.ThirdParty.SetText(akSpeedButton, "TSpeedButton");
    manager.ThirdParty.SetText(akStaticText, "TLabel");
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(40, 40, 640, 420);
    form->SetCaption("One control of each kind");
    std::vector<TWinControl*> adapted;
    auto add = [&](TWinControl* control) {
        adapted.push_back(control);
        return control;
    };
    add(Place<TButton>(form.get(), 10, 10, 110, 28, "Button"));
    add(Place<TBitBtn>(form.get(), 130, 10, 110, 28, "Bit button"));
    auto* check = Place<TCheckBox>(form.get(), 10, 50, 110, 24, "Check box");
    add(check);
    check->SetChecked(true);
    add(Place<TRadioButton>(form.get(), 130, 50, 110, 24, "Radio button"));
    add(Place<TLabel>(form.get(), 10, 84, 230, 20, "Static text (TLabel)"));
    add(Place<TEdit>(form.get(), 10, 110, 230, 24, "An edit"));
    auto* combo = Place<TComboBox>(form.get(), 10, 144, 230, 24, "");
    add(combo);
    for (const char* item : {"Combo item 1", "Combo item 2"}) combo->Items().Add(item);
    combo->SetItemIndex(0);
    std::string text;
    for (int i = 1; i <= 30; ++i) text += "Memo line " + std::to_string(i) + "\r\n";
    add(Place<TMemo>(form.get(), 10, 180, 230, 100, text));
    auto* group = Place<TGroupBox>(form.get(), 10, 290, 230, 80, "Group box");
    add(group);
    add(Place<TCheckBox>(group, 10, 30, 200, 24, "Inside the group"));
    auto* list = Place<TListBox>(form.get(), 260, 10, 170, 110, "");
    add(list);
    for (int i = 1; i <= 4; ++i) list->Items().Add("List item " + std::to_string(i));
    auto* checkList = Place<TCheckListBox>(form.get(), 440, 10, 170, 110, "");
    add(checkList);
    for (int i = 1; i <= 3; ++i) checkList->Items().Add("Checked item " + std::to_string(i));
    auto* view = new TListView(form.get());
    view->SetViewStyle(TViewStyle::vsReport);
    view->AddColumn("Name", 150);
    view->AddColumn("Size", 80);
    view->OnData = [](TObject*, int index, TListItemData& item) {
        item.Caption = "Row " + std::to_string(index + 1);
        item.SubItems = {std::to_string((index + 1) * 10) + " KB"};
    };
    view->SetParent(form.get());
    view->SetBounds(260, 130, 350, 140);
    add(view);
    view->SetItemCount(12);
    Place<TSpeedButton>(form.get(), 260, 280, 90, 28, "Speed");
    auto* down = Place<TSpeedButton>(form.get(), 360, 280, 90, 28, "Down");
    down->GroupIndex = 1;
    form->Show();
    ad::test::PumpPending();
    down->SetDown(true);

    TForeignStatics statics(form->Handle(), manager, 460, 280);
    ::RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN |
                                                         RDW_UPDATENOW);
    ad::test::PumpPending();

    for (TWinControl* control : adapted)
        EXPECT_NE(TSkMainWnd::GetAdapter(control->Handle()), nullptr) << control->ClassName();
    TSkinProvider* provider = TSkinProvider::OfWindow(form->Handle());
    ASSERT_NE(provider, nullptr);
    ASSERT_NE(provider->CtrlAdapter(), nullptr);
    EXPECT_EQ(provider->CtrlAdapter()->GraphItemCount(), 2);
    ad::test::SaveScreenshot(form->Handle(), "adapted_one_of_each_kind.bmp");
}

}  // namespace
}  // namespace ad::skin::forms
