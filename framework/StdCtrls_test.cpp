// Standard controls on a real form: window classes, state kept across window
// re-creation, reflected notifications and the events they fire.
#include "framework/StdCtrls.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/PrintTestKit.h"
#include "framework/UpdateScope.h"
#include "testsupport/GuiTest.h"

namespace ad {
namespace {

using test::PumpUntil;

class StdCtrlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm>(nullptr);
        form->SetClientSize(400, 300);
    }
    template <class T>
    T* Add(int x, int y, int w, int h) {
        auto* c = new T(form.get());
        c->SetParent(form.get());
        c->SetBounds(x, y, w, h);
        return c;
    }
    std::unique_ptr<TForm> form;
};

std::wstring WindowClass(HWND wnd) {
    wchar_t name[64];
    int n = ::GetClassNameW(wnd, name, 64);
    return std::wstring(name, static_cast<size_t>(n));
}

TEST_F(StdCtrlsTest, EachControlRegistersItsClassNameAndKeepsTheSystemBehaviour) {
    struct Case {
        std::function<TWinControl*()> make;
        const wchar_t* className;
    } cases[] = {
        {[&] { return Add<TLabel>(0, 0, 50, 13); }, L"TLabel"},
        {[&] { return Add<TButton>(0, 0, 75, 25); }, L"TButton"},
        {[&] { return Add<TEdit>(0, 0, 75, 21); }, L"TEdit"},
        {[&] { return Add<TMemo>(0, 0, 75, 60); }, L"TMemo"},
        {[&] { return Add<TCheckBox>(0, 0, 75, 17); }, L"TCheckBox"},
        {[&] { return Add<TRadioButton>(0, 0, 75, 17); }, L"TRadioButton"},
        {[&] { return Add<TListBox>(0, 0, 75, 60); }, L"TListBox"},
        {[&] { return Add<TComboBox>(0, 0, 75, 21); }, L"TComboBox"},
        {[&] { return Add<TGroupBox>(0, 0, 75, 60); }, L"TGroupBox"},
        {[&] { return Add<TPanel>(0, 0, 75, 60); }, L"TPanel"},
        {[&] { return Add<TImage>(0, 0, 32, 32); }, L"TImage"},
    };
    form->Show();
    for (const auto& c : cases) {
        TWinControl* control = c.make();
        SCOPED_TRACE(control->ClassName());
        EXPECT_EQ(WindowClass(control->Handle()), c.className);
        EXPECT_EQ(TWinControl::FromHandle(control->Handle()), control);
        EXPECT_EQ(::GetParent(control->Handle()), form->Handle());
    }
    // The system control still does its work underneath.
    auto* edit = Add<TEdit>(0, 0, 100, 21);
    edit->SetText("hello");
    ::SendMessageW(edit->Handle(), EM_SETSEL, 0, -1);
    ::SendMessageW(edit->Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"typed"));
    EXPECT_EQ(edit->Text(), "typed");
}

TEST_F(StdCtrlsTest, PropertiesSetBeforeTheWindowExistsAreApplied) {
    auto* list = Add<TListBox>(10, 10, 120, 100);
    list->SetSorted(true);
    for (const char* s : {"pear", "Apple", "banana"}) list->Items().Add(s);
    list->SetItemIndex(1);
    auto* edit = Add<TEdit>(10, 120, 100, 21);
    edit->SetText("before");
    edit->SetEnabled(false);
    edit->SetMaxLength(3);
    auto* check = Add<TCheckBox>(10, 150, 100, 17);
    check->SetChecked(true);
    form->Show();

    ASSERT_EQ(::SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0), 3);
    wchar_t text[32];
    ::SendMessageW(list->Handle(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Apple");
    EXPECT_EQ(list->Items()[2], "pear");
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(edit->Text(), "before");
    EXPECT_FALSE(::IsWindowEnabled(edit->Handle()));
    EXPECT_EQ(::SendMessageW(edit->Handle(), EM_GETLIMITTEXT, 0, 0), 3);
    EXPECT_EQ(::SendMessageW(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(StdCtrlsTest, StateSurvivesReCreatingTheWindows) {
    auto* list = Add<TListBox>(10, 10, 120, 100);
    list->Items().Add("one");
    list->Items().Add("two");
    auto* edit = Add<TEdit>(10, 120, 100, 21);
    form->Show();
    list->SetItemIndex(1);
    ::SetWindowTextW(edit->Handle(), L"typed by user");
    form->DestroyHandle();
    EXPECT_FALSE(list->HandleAllocated());
    form->Show();
    EXPECT_EQ(::SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(edit->Text(), "typed by user");
}

TEST_F(StdCtrlsTest, UserActionsFireEventsThroughReflectedNotifications) {
    auto* list = Add<TListBox>(10, 10, 120, 100);
    for (const char* s : {"a", "b", "c"}) list->Items().Add(s);
    auto* combo = Add<TComboBox>(150, 10, 120, 21);
    combo->Style = TComboBoxStyle::csDropDownList;
    for (const char* s : {"x", "y"}) combo->Items().Add(s);
    auto* label = Add<TLabel>(150, 60, 100, 13);
    label->SetCaption("click me");
    auto* edit = Add<TEdit>(150, 90, 100, 21);
    int listClicks = 0, listDbl = 0, comboChanges = 0, labelClicks = 0, editChanges = 0;
    list->OnClick = [&](TObject* s) {
        EXPECT_EQ(s, list);
        listClicks++;
    };
    list->OnDblClick = [&](TObject*) { listDbl++; };
    combo->OnChange = [&](TObject*) { comboChanges++; };
    label->OnClick = [&](TObject*) { labelClicks++; };
    edit->OnChange = [&](TObject*) { editChanges++; };
    form->Show();

    RECT item;
    ::SendMessageW(list->Handle(), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    test::SendClick(list->Handle(), item.left + 2, item.top + 2);
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(listClicks, 1);
    ::SendMessageW(list->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(item.left + 2, item.top + 2));
    ::SendMessageW(list->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(item.left + 2, item.top + 2));
    EXPECT_EQ(listDbl, 1);
    list->SetItemIndex(0);  // set by code: no click event
    EXPECT_EQ(listClicks, 1);

    ::SendMessageW(combo->Handle(), WM_KEYDOWN, VK_DOWN, 0);  // selects the next item
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(combo->Text(), "x");
    EXPECT_EQ(comboChanges, 1);

    test::SendClick(label->Handle(), 2, 2);
    EXPECT_EQ(labelClicks, 1);

    edit->SetText("abc");
    EXPECT_EQ(editChanges, 1);
}

TEST_F(StdCtrlsTest, CheckAndRadioButtons) {
    auto* check = Add<TCheckBox>(10, 10, 100, 17);
    auto* r1 = Add<TRadioButton>(10, 40, 100, 17);
    auto* r2 = Add<TRadioButton>(10, 60, 100, 17);
    int checkClicks = 0;
    check->OnClick = [&](TObject*) { checkClicks++; };
    form->Show();
    ::SendMessageW(check->Handle(), BM_CLICK, 0, 0);  // the user toggles it
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(checkClicks, 1);
    check->SetChecked(false);  // a change by code runs OnClick too
    EXPECT_EQ(checkClicks, 2);
    check->SetChecked(false);  // no change, no event
    EXPECT_EQ(checkClicks, 2);

    r1->SetChecked(true);
    ::SendMessageW(r2->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(r2->Checked());
    EXPECT_FALSE(r1->Checked());
    EXPECT_EQ(::SendMessageW(r1->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(StdCtrlsTest, MemoLinesAndLabelAutoSize) {
    auto* memo = Add<TMemo>(10, 10, 200, 100);
    memo->Lines().Add("first");
    memo->Lines().Add("second");
    memo->Lines().Insert(1, "middle");
    form->Show();
    EXPECT_EQ(memo->Text(), "first\r\nmiddle\r\nsecond");
    EXPECT_EQ(memo->Lines().Count(), 3);
    memo->Lines().Delete(0);
    EXPECT_EQ(memo->Lines()[0], "middle");
    // An empty line added last stays between its neighbours once the next one follows.
    memo->Lines().Clear();
    for (const char* line : {"a", "", "b", "", ""}) memo->Lines().Add(line);
    memo->Lines().Add("c");
    EXPECT_EQ(memo->Text(), "a\r\n\r\nb\r\n\r\n\r\nc");
    EXPECT_EQ(memo->Lines().Count(), 6);

    auto* label = Add<TLabel>(10, 150, 10, 10);
    label->SetCaption("A fairly long caption");
    int wide = label->Width();
    label->SetCaption("A");
    EXPECT_GT(wide, label->Width());
    EXPECT_GT(label->Height(), 5);
}

// Items added during an update reach the window, which draws nothing until
// the update ends and is then repainted once.
TEST_F(StdCtrlsTest, AListFilledInAnUpdateRepaintsAtItsEnd) {
    auto* list = Add<TListBox>(10, 10, 150, 120);
    form->Show();
    test::PumpPending();
    ASSERT_FALSE(::GetUpdateRect(list->Handle(), nullptr, FALSE));
    {
        UpdateScope update(list->Items());
        for (int i = 0; i < 50; ++i) list->Items().Add("item " + std::to_string(i));
        EXPECT_FALSE(::GetUpdateRect(list->Handle(), nullptr, FALSE));
    }
    EXPECT_TRUE(::GetUpdateRect(list->Handle(), nullptr, FALSE));
    EXPECT_EQ(::SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0), 50);
    list->Items().Add("after");  // outside an update each item shows at once
    test::PumpPending();
    EXPECT_EQ(::SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0), 51);
}

// A link's underline covers its letters and no more, and the label is as wide
// as both: the letters are placed at the advances the label was measured with
// (under Wine a small font's glyphs are drawn narrower than measured).
TEST_F(StdCtrlsTest, AnUnderlinedLabelsUnderlineEndsWithItsText) {
    struct Case {
        const char* name;
        const char* caption;
        TAlignment alignment;
        bool enabled;
    } cases[] = {
        {"a web address", "https://forum.appdeck.example.org/", TAlignment::taLeftJustify, true},
        {"words, disabled", "Visit Product Page", TAlignment::taLeftJustify, false},
        {"an escaped ampersand", "Terms && Conditions", TAlignment::taLeftJustify, true},
        {"right-aligned in a wider label", "Visit Product Page", TAlignment::taRightJustify, true},
    };
    form->Show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* label = Add<TLabel>(10, 10, 10, 10);
        label->SetAlignment(c.alignment);
        label->Font().SetColor(clBlue);
        label->Font().SetStyle(fsUnderline);
        label->SetCaption(c.caption);
        label->SetEnabled(c.enabled);
        const int textWidth = label->Width();
        if (c.alignment != TAlignment::taLeftJustify) {
            label->SetAutoSize(false);
            label->SetBounds(10, 10, textWidth + 40, label->Height());
        }
        test::PumpPending();
        const test::TPrintedImage image =
            test::PrintInto(label->Handle(), WM_PRINTCLIENT, PRF_CLIENT, label->Width(), label->Height());
        const COLORREF ink = c.enabled ? RGB(0, 0, 255) : ::GetSysColor(COLOR_GRAYTEXT);
        const test::TUnderlinedText t = test::FindUnderlinedText(image, ink);
        ASSERT_GE(t.TextRight, 0);
        ASSERT_GE(t.UnderlineRight, 0);
        // A letter may end a pixel or two inside its advance, never beyond it.
        EXPECT_LE(t.UnderlineRight - t.TextRight, 2);
        EXPECT_GE(t.UnderlineRight, t.TextRight);
        EXPECT_LE(std::abs(t.UnderlineLeft - t.TextLeft), 2);
        EXPECT_EQ(t.UnderlineRight - t.UnderlineLeft + 1, textWidth);
        if (c.alignment == TAlignment::taRightJustify) EXPECT_EQ(t.UnderlineRight, label->Width() - 1);
        else EXPECT_EQ(t.UnderlineLeft, 0);
        delete label;
    }
}

TEST_F(StdCtrlsTest, AlignLaysOutChildrenAndFollowsResizing) {
    auto* top = Add<TPanel>(0, 0, 10, 30);
    top->SetAlign(TAlign::alTop);
    auto* bottom = Add<TPanel>(0, 0, 10, 20);
    bottom->SetAlign(TAlign::alBottom);
    auto* client = Add<TPanel>(0, 0, 10, 10);
    client->SetAlign(TAlign::alClient);
    form->Show();
    EXPECT_EQ(top->BoundsRect().bottom, 30);
    EXPECT_EQ(top->Width(), 400);
    EXPECT_EQ(bottom->Top(), 280);
    EXPECT_EQ(client->Top(), 30);
    EXPECT_EQ(client->Height(), 250);
    form->SetClientSize(500, 400);
    EXPECT_EQ(bottom->Top(), 380);
    EXPECT_EQ(client->Width(), 500);
    RECT r;
    ::GetWindowRect(client->Handle(), &r);
    EXPECT_EQ(r.right - r.left, 500);
}

TEST_F(StdCtrlsTest, ParentFontFollowsTheFormUntilAChildSetsItsOwn) {
    auto* a = Add<TButton>(0, 0, 75, 25);
    auto* b = Add<TButton>(0, 30, 75, 25);
    form->Show();
    form->Font().SetSize(12);
    b->Font().SetStyle(fsBold);
    form->Font().SetName("Courier New");
    EXPECT_EQ(a->Font().Name(), "Courier New");
    EXPECT_EQ(a->Font().Size(), 12);
    EXPECT_EQ(b->Font().Name(), "Tahoma");  // has its own font now
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(a->Handle(), WM_GETFONT, 0, 0)), a->Font().Handle());
}

// A colour is not a new shape: the text is painted again in it but neither
// re-measured nor given a new GDI font; a new size still re-measures.
TEST_F(StdCtrlsTest, AColourChangeRepaintsButMeasuresNothingAgain) {
    auto* label = Add<TLabel>(10, 10, 10, 10);
    label->SetCaption("Some caption");
    auto* child = Add<TButton>(10, 40, 75, 25);
    form->Show();
    label->SetBounds(label->Left(), label->Top(), 300, label->Height());
    const HFONT before = label->Font().Handle();
    label->Font().SetColor(clRed);
    EXPECT_EQ(label->Width(), 300);
    EXPECT_EQ(label->Font().Handle(), before);
    EXPECT_EQ(label->Font().Color(), clRed);

    const HFONT childFont = reinterpret_cast<HFONT>(::SendMessageW(child->Handle(), WM_GETFONT, 0, 0));
    form->Font().SetColor(clBlue);
    EXPECT_EQ(child->Font().Color(), clBlue);  // follows the form's font
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(child->Handle(), WM_GETFONT, 0, 0)), childFont);

    label->Font().SetSize(16);
    EXPECT_NE(label->Width(), 300);
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(label->Handle(), WM_GETFONT, 0, 0)), label->Font().Handle());
}

TEST(Timer, FiresWhileEnabledAndStopsWhenDisabled) {
    TTimer timer(nullptr);
    timer.SetInterval(10);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) {
        if (++ticks == 3) timer.SetEnabled(false);
    };
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
    test::PumpUntil([] { return false; }, 100);
    EXPECT_EQ(ticks, 3);
}

}  // namespace
}  // namespace ad
