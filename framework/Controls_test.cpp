// The keyboard hooks of TWinControl: a key passes the controls that hold its
// target before the target's own events, whatever kind of control holds it.
#include "framework/Controls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/ComCtrls.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/PrintTestKit.h"
#include "framework/StdCtrls.h"

namespace ad {
namespace {

// A container that is no form and previews the keys of what it holds:
// it takes 'X' down, 'a' pressed and every key up, and records the rest.
class TPreviewPanel : public TWinControl {
public:
    using TWinControl::TWinControl;
    std::vector<std::string> seen;

protected:
    bool PreviewKeyDown(TWinControl* target, WORD& key, TShiftState) override {
        seen.push_back("preview down " + std::string(1, char(key)) + (target == this ? " (self)" : ""));
        if (key != 'X') return false;
        key = 0;
        return true;
    }
    bool PreviewKeyPress(TWinControl*, wchar_t& key) override {
        seen.push_back("preview press " + std::string(1, char(key)));
        return key == L'a';
    }
    void PreviewKeyUp(TWinControl*, WORD& key, TShiftState) override {
        seen.push_back("preview up " + std::string(1, char(key)));
        key = 0;
    }
    bool UnhandledKeyDown(TWinControl*, WORD& key, TShiftState) override {
        seen.push_back("unhandled down " + std::string(1, char(key)));
        return false;
    }
};

struct KeyFixture {
    KeyFixture() {
        form.SetClientSize(200, 100);
        panel = new TPreviewPanel(&form);
        panel->SetParent(&form);
        panel->SetBounds(0, 0, 200, 100);
        edit = new TEdit(&form);
        edit->SetParent(panel);
        edit->SetBounds(10, 10, 100, 21);
        auto note = [this](const char* what, int key) { editSaw.push_back(what + std::string(1, char(key))); };
        edit->OnKeyDown = [note](TObject*, WORD& key, TShiftState) { note("down ", key); };
        edit->OnKeyPress = [note](TObject*, wchar_t& key) { note("press ", key); };
        edit->OnKeyUp = [note](TObject*, WORD& key, TShiftState) { note("up ", key); };
        form.Show();
    }
    TForm form{nullptr};
    TPreviewPanel* panel;
    TEdit* edit;
    std::vector<std::string> editSaw;
};

TEST(Controls, AContainerThatPreviewsKeysSeesThemBeforeTheControlInside) {
    KeyFixture f;
    HWND edit = f.edit->Handle();
    ::SendMessageW(edit, WM_KEYDOWN, 'X', 1);
    ::SendMessageW(edit, WM_KEYDOWN, 'Y', 1);
    ::SendMessageW(edit, WM_CHAR, 'a', 1);
    ::SendMessageW(edit, WM_CHAR, 'b', 1);
    ::SendMessageW(edit, WM_KEYUP, 'Y', 1);
    EXPECT_EQ(f.panel->seen, (std::vector<std::string>{"preview down X", "preview down Y", "unhandled down Y",
                                                       "preview press a", "preview press b", "preview up Y"}));
    EXPECT_EQ(f.editSaw, (std::vector<std::string>{"down Y", "press b"}));
}

TEST(Controls, AKeyPreviewFormSeesKeysThroughAContainerThatDoesNotPreview) {
    TForm form(nullptr);
    form.KeyPreview = true;
    auto* holder = new TWinControl(&form);  // hands keys on to its parent
    holder->SetParent(&form);
    holder->SetBounds(0, 0, 200, 100);
    auto* edit = new TEdit(&form);
    edit->SetParent(holder);
    edit->SetBounds(10, 10, 100, 21);
    std::string formSaw, editSaw;
    form.OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        formSaw += "d" + std::string(1, char(key));
        if (key == 'X') key = 0;
    };
    form.OnKeyPress = [&](TObject*, wchar_t& key) { formSaw += "p" + std::string(1, char(key)); };
    form.OnKeyUp = [&](TObject*, WORD& key, TShiftState) { formSaw += "u" + std::string(1, char(key)); };
    edit->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { editSaw += "d" + std::string(1, char(key)); };
    edit->OnKeyUp = [&](TObject*, WORD& key, TShiftState) { editSaw += "u" + std::string(1, char(key)); };
    form.Show();
    ::SendMessageW(edit->Handle(), WM_KEYDOWN, 'X', 1);
    ::SendMessageW(edit->Handle(), WM_KEYDOWN, 'Y', 1);
    ::SendMessageW(edit->Handle(), WM_CHAR, 'c', 1);
    ::SendMessageW(edit->Handle(), WM_KEYUP, 'Y', 1);
    EXPECT_EQ(formSaw, "dXdYpcuY");
    EXPECT_EQ(editSaw, "dYuY");
    // Keys of the form itself do not reach its preview a second time.
    formSaw.clear();
    ::SendMessageW(form.Handle(), WM_KEYDOWN, 'Z', 1);
    EXPECT_EQ(formSaw, "dZ");
}

// A 4 x 4 bitmap of one colour.
OwnedBitmap SolidBitmap(COLORREF colour) {
    WindowDC screen(nullptr);
    OwnedBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), 4, 4));
    OwnedMemoryDC dc(::CreateCompatibleDC(screen.Get()));
    SelectObjectScope select(dc.Get(), bitmap.Get());
    OwnedBrush brush(::CreateSolidBrush(colour));
    RECT all{0, 0, 4, 4};
    ::FillRect(dc.Get(), &all, brush.Get());
    return bitmap;
}

TEST(PaintIntoADC, ControlsThatPaintThemselvesAnswerPrintClientAndPaintWithADC) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    form.SetColor(TColor(RGB(0x20, 0x40, 0x60)));
    form.OnPaint = [&form](TObject*) { form.Canvas.FillRect(RECT{2, 2, 6, 6}, TColor(RGB(0xFF, 0, 0x80))); };
    auto* panel = MakeControl<TPanel>(&form, &form, "Panel1", 10, 10, 80, 60);
    panel->SetColor(TColor(RGB(0, 0x90, 0)));
    auto* image = MakeControl<TImage>(&form, &form, "Image1", 100, 10, 40, 40);
    image->SetStretch(true);
    image->Picture().SetBitmap(SolidBitmap(RGB(0, 0, 0xC0)));
    auto* bevel = MakeControl<TBevel>(&form, &form, "Bevel1", 150, 10, 40, 40);
    bevel->Shape = TBevelShape::bsFrame;
    auto* pages = MakeControl<TPageControl>(&form, &form, "Pages", 10, 100, 200, 150);
    auto* sheet = new TTabSheet(&form);
    sheet->SetPageControl(pages);
    sheet->SetCaption("Sheet");
    sheet->SetColor(TColor(RGB(0xC0, 0xC0, 0)));
    pages->SetActivePage(sheet);
    form.Show();

    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    struct Case {
        const char* what;
        TWinControl* control;
        POINT at;
        COLORREF expected;
    };
    const std::vector<Case> cases = {
        {"form background", &form, {300, 200}, RGB(0x20, 0x40, 0x60)},
        {"form OnPaint", &form, {3, 3}, RGB(0xFF, 0, 0x80)},
        {"panel", panel, {40, 30}, RGB(0, 0x90, 0)},
        {"panel bevel", panel, {79, 30}, shadow},
        {"image", image, {20, 20}, RGB(0, 0, 0xC0)},
        {"bevel frame", bevel, {0, 20}, shadow},
        {"bevel inside", bevel, {20, 20}, RGB(0x20, 0x40, 0x60)},
        {"tab sheet", sheet, {sheet->ClientWidth() / 2, sheet->ClientHeight() / 2}, RGB(0xC0, 0xC0, 0)},
    };
    for (const Case& c : cases) {
        const RECT client = c.control->ClientRect();
        const test::TPrintedImage printed =
            test::PrintInto(c.control->Handle(), WM_PRINTCLIENT, PRF_CLIENT | PRF_ERASEBKGND, client.right, client.bottom);
        EXPECT_EQ(printed.At(c.at.x, c.at.y), c.expected) << c.what;
    }
    // WM_PAINT with a DC paints without erasing and leaves the window's own update alone.
    ::InvalidateRect(form.Handle(), nullptr, TRUE);
    const test::TPrintedImage painted = test::PrintInto(form.Handle(), WM_PAINT, 0, 60, 60);
    EXPECT_EQ(painted.At(3, 3), RGB(0xFF, 0, 0x80));
    EXPECT_EQ(painted.At(30, 30), test::kUnpainted);
    RECT dirty;
    EXPECT_TRUE(::GetUpdateRect(form.Handle(), &dirty, FALSE));
    // A hidden control asked to print only when visible prints nothing.
    panel->Hide();
    const test::TPrintedImage hidden =
        test::PrintInto(panel->Handle(), WM_PRINTCLIENT, PRF_CLIENT | PRF_ERASEBKGND | PRF_CHECKVISIBLE, 80, 60);
    EXPECT_EQ(hidden.At(40, 30), test::kUnpainted);
}

}  // namespace
}  // namespace ad

namespace ad {
namespace {

// ---------------------------------------------------------------------------
// Style and state flags, suspended alignment, reading order, context menus

// A control that notes its state when its window is made and the notices it gets.
class TStateProbe : public TWinControl {
public:
    using TWinControl::TWinControl;
    TControlState AtCreate = 0;
    std::vector<UINT> Notices;

protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_CREATE) AtCreate = ControlState();
        if (m.Msg >= CM_BASE && m.Msg < CN_BASE) Notices.push_back(m.Msg);
        TWinControl::WndProc(m);
    }
};

// A form whose constructor notes the state its child sees while it is built.
class TLoadingForm : public TForm {
public:
    explicit TLoadingForm(TComponent* owner) : TForm(owner) {
        child = new TStateProbe(this);
        child->SetParent(this);
        InsideConstructor = child->ControlState();
    }
    TStateProbe* child;
    TControlState InsideConstructor = 0;
};

TEST(ControlState, CreatingLoadingAndPaintCopyAreSeenWhereTheyHold) {
    std::unique_ptr<TLoadingForm> form(CreateForm<TLoadingForm>(nullptr));
    EXPECT_TRUE(form->InsideConstructor & csLoading);
    EXPECT_FALSE(form->ControlState() & csLoading);  // created
    form->Handle();
    EXPECT_EQ(form->child->AtCreate, TControlState(csCreating));
    EXPECT_EQ(form->child->ControlState(), 0u);

    form->child->SetControlState(csPaintCopy | csLoading, true);  // loading follows the form only
    EXPECT_EQ(form->child->ControlState(), TControlState(csPaintCopy));
    form->child->SetControlState(csPaintCopy, false);
    EXPECT_EQ(form->child->ControlState(), 0u);

    // A form built without the factory stops loading once it is shown.
    TLoadingForm plain(nullptr);
    EXPECT_TRUE(plain.ControlState() & csLoading);
    plain.Show();
    EXPECT_FALSE(plain.child->ControlState() & csLoading);
    // Containers say so; a plain control holds nothing.
    EXPECT_TRUE(plain.ControlStyle & csAcceptsControls);
    EXPECT_EQ(TPanel(nullptr).ControlStyle, TControlStyle(csAcceptsControls | csOpaque));
    EXPECT_TRUE(TGroupBox(nullptr).ControlStyle & csAcceptsControls);
    EXPECT_TRUE(TTabSheet(nullptr).ControlStyle & csAcceptsControls);
    EXPECT_EQ(TEdit(nullptr).ControlStyle, 0u);
}

TEST(ControlState, AlignmentWaitsForTheLastEnableAlign) {
    TForm form(nullptr);
    form.SetClientSize(200, 100);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetAlign(TAlign::alClient);
    form.Handle();
    ASSERT_EQ(panel->Width(), 200);

    form.DisableAlign();
    form.DisableAlign();
    form.SetClientSize(300, 150);
    EXPECT_EQ(panel->Width(), 200);
    form.EnableAlign();
    EXPECT_EQ(panel->Width(), 200);  // still one DisableAlign open
    EXPECT_TRUE(form.AlignDisabled());
    form.EnableAlign();
    EXPECT_FALSE(form.AlignDisabled());
    EXPECT_EQ(panel->Width(), 300);
    EXPECT_EQ(panel->Height(), 150);
    form.EnableAlign();  // an unmatched call changes nothing
    EXPECT_FALSE(form.AlignDisabled());
}

TEST(ControlState, BiDiModeSetsTheWindowStylesAndIsAnnounced) {
    TForm form(nullptr);
    auto* probe = new TStateProbe(&form);
    probe->SetParent(&form);
    form.Handle();
    auto exStyle = [&] { return ::GetWindowLongPtrW(probe->Handle(), GWL_EXSTYLE) & (WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR); };
    struct Case {
        const char* name;
        TBiDiMode mode;
        LONG_PTR styles;
        bool alignRight;
    };
    for (const Case& c : {Case{"right to left", TBiDiMode::bdRightToLeft, WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR, true},
                          Case{"no align", TBiDiMode::bdRightToLeftNoAlign, WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR, false},
                          Case{"reading only", TBiDiMode::bdRightToLeftReadingOnly, WS_EX_RTLREADING, false},
                          Case{"left to right", TBiDiMode::bdLeftToRight, 0, false}}) {
        probe->Notices.clear();
        probe->SetBiDiMode(c.mode);
        EXPECT_EQ(exStyle(), c.styles) << c.name;
        EXPECT_EQ(probe->UseRightToLeftAlignment(), c.alignRight) << c.name;
        EXPECT_EQ(std::count(probe->Notices.begin(), probe->Notices.end(), CM_BIDIMODECHANGED), 1) << c.name;
    }
    probe->Notices.clear();
    probe->SetBiDiMode(TBiDiMode::bdLeftToRight);  // unchanged: no notice
    EXPECT_TRUE(probe->Notices.empty());

    // A window made later takes the mode from the start.
    auto* late = new TStateProbe(&form);
    late->SetBiDiMode(TBiDiMode::bdRightToLeft);
    late->SetParent(&form);
    EXPECT_TRUE(::GetWindowLongPtrW(late->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING);
}

TEST(ControlState, ChildrenFollowTheirParentsReadingOrderUntilTheyHaveTheirOwn) {
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    auto* inner = new TStateProbe(&form);
    inner->SetParent(panel);
    auto* own = new TStateProbe(&form);
    own->SetParent(panel);
    own->SetBiDiMode(TBiDiMode::bdLeftToRight);  // its own from now on
    form.Handle();
    EXPECT_TRUE(inner->ParentBiDiMode());
    EXPECT_FALSE(own->ParentBiDiMode());

    inner->Notices.clear();
    form.SetBiDiMode(TBiDiMode::bdRightToLeft);
    EXPECT_EQ(panel->BiDiMode(), TBiDiMode::bdRightToLeft);
    EXPECT_EQ(inner->BiDiMode(), TBiDiMode::bdRightToLeft);
    EXPECT_TRUE(::GetWindowLongPtrW(inner->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING);
    EXPECT_EQ(std::count(inner->Notices.begin(), inner->Notices.end(), CM_BIDIMODECHANGED), 1);
    EXPECT_EQ(own->BiDiMode(), TBiDiMode::bdLeftToRight);
    EXPECT_FALSE(::GetWindowLongPtrW(own->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING);

    // Following the parent again takes its order at once; a control moved
    // to a left-to-right parent goes back with it.
    own->SetParentBiDiMode(true);
    EXPECT_TRUE(::GetWindowLongPtrW(own->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING);
    TForm other(nullptr);
    other.Handle();
    inner->SetParent(&other);
    EXPECT_EQ(inner->BiDiMode(), TBiDiMode::bdLeftToRight);
    EXPECT_FALSE(::GetWindowLongPtrW(inner->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING);
    inner->SetParent(nullptr);
}

void CALLBACK EndMenuSoon(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    ::EndMenu();
}

TEST(ControlState, AContextMenuShowsTheControlsOwnMenuOrItsParents) {
    TForm form(nullptr);
    form.SetBounds(50, 50, 300, 200);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 150, 100);
    auto* bare = new TPanel(&form);
    bare->SetParent(panel);
    bare->SetBounds(10, 10, 50, 50);
    auto* menu = new TPopupMenu(&form);
    menu->Items().Add("One");
    int shown = 0;
    menu->OnPopup = [&](TObject*) {
        ++shown;
        ::SetTimer(nullptr, 0, 30, &EndMenuSoon);
    };
    form.Show();
    EXPECT_EQ(panel->PopupMenu(), nullptr);
    // A point inside the bare panel (on a caption the form would show its system menu).
    POINT at{20, 20};
    ::ClientToScreen(bare->Handle(), &at);
    const LPARAM where = MAKELPARAM(at.x, at.y);

    // Without any menu the message goes on and nothing shows.
    ::SendMessageW(bare->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(bare->Handle()), where);
    EXPECT_EQ(shown, 0);

    panel->SetPopupMenu(menu);
    ::SendMessageW(bare->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(bare->Handle()), where);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(menu->PopupComponent, panel);

    menu->AutoPopup = false;
    ::SendMessageW(bare->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(bare->Handle()), where);
    EXPECT_EQ(shown, 1);
    menu->AutoPopup = true;
    ::SendMessageW(panel->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel->Handle()), -1);  // the menu key
    EXPECT_EQ(shown, 2);

    delete menu;  // the control forgets a freed menu
    EXPECT_EQ(panel->PopupMenu(), nullptr);
}

}  // namespace
}  // namespace ad
