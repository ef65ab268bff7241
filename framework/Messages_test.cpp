// The class library's messages as a layer hooking a control's window sees
// them: notifications reflected to the child as CN_* messages (and taken over
// by the layer when it answers them), the CM_* notices the setters send, and
// the mouse's enter and leave.
#include "framework/Messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/CheckLst.h"
#include "framework/ComCtrls.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/PrintTestKit.h"
#include "framework/StdCtrls.h"
#include "framework/WindowSubclass.h"
#include "testsupport/GuiTest.h"

namespace ad {
namespace {

bool Has(const std::vector<UINT>& seen, UINT msg) { return std::find(seen.begin(), seen.end(), msg) != seen.end(); }

// Records the messages of a range that reach a window, passing them on.
struct TSpy {
    TSpy(HWND wnd, UINT first, UINT last)
        : hook(wnd, [this, first, last](TMessage& m) {
              if (m.Msg >= first && m.Msg <= last) Seen.push_back(m.Msg);
              return false;
          }) {}
    std::vector<UINT> Seen;
    TWindowSubclass hook;
};

constexpr LPARAM kPrintAll = PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN;

// A label of a fixed size at (10, 10) on the form.
TLabel* FixedLabel(TForm& form, const std::string& caption, int width) {
    auto* label = MakeControl<TLabel>(&form, &form, "Label1", 10, 10, width, 20, caption);
    label->SetAutoSize(false);
    label->SetBounds(10, 10, width, 20);
    return label;
}

TEST(Reflection, AHookOnAChildSeesItsColourAndDrawNotificationsAndTheChildStillPaints) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* label = FixedLabel(form, "Reflected", 120);
    label->Font().SetColor(clRed);
    auto* list = MakeControl<TCheckListBox>(&form, &form, "List1", 10, 40, 150, 80);
    list->Items().Add("one");
    list->Items().Add("two");
    form.Show();
    TSpy labelSpy(label->Handle(), CN_BASE, CN_BASE + WM_USER - 1);
    TSpy listSpy(list->Handle(), CN_BASE, CN_BASE + WM_USER - 1);

    const test::TPrintedImage text = test::PrintInto(label->Handle(), WM_PRINT, kPrintAll, 120, 20);
    ::RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(Has(labelSpy.Seen, CN_CTLCOLORSTATIC));
    EXPECT_TRUE(Has(listSpy.Seen, CN_DRAWITEM));

    // The label's own answer still colours it: red text on the form's colour.
    const COLORREF face = ColorToRGB(form.Color());
    int red = 0, other = 0;
    for (int y = 0; y < text.Height; ++y)
        for (int x = 0; x < text.Width; ++x) {
            const COLORREF c = text.At(x, y);
            if (c == RGB(255, 0, 0)) ++red;
            else if (c != face) ++other;
        }
    EXPECT_GT(red, 10);
    EXPECT_EQ(text.At(118, 18), face);
    EXPECT_EQ(other, 0);  // no anti-aliasing on Wine's default GUI font; every pixel is text or face
}

TEST(Reflection, ALayerThatAnswersANotificationTakesItOverAndOneThatDeclinesLeavesItToTheParent) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    auto* label = FixedLabel(form, "Taken", 80);
    form.Show();
    OwnedBrush green(::CreateSolidBrush(RGB(0, 200, 0)));
    TWindowSubclass layer(label->Handle(), [&](TMessage& m) {
        if (m.Msg != CN_CTLCOLORSTATIC) return false;
        ::SetBkColor(reinterpret_cast<HDC>(m.WParam), RGB(0, 200, 0));
        m.Result = reinterpret_cast<LRESULT>(green.Get());
        return true;
    });
    const test::TPrintedImage taken = test::PrintInto(label->Handle(), WM_PRINT, kPrintAll, 80, 20);
    EXPECT_EQ(taken.At(78, 18), RGB(0, 200, 0));

    // A click notification nobody takes reaches the form's previous procedure
    // (DefWindowProc answers 0); a taken one runs the label's OnClick.
    int clicks = 0;
    label->OnClick = [&](TObject*) { ++clicks; };
    const WPARAM clicked = MAKEWPARAM(::GetDlgCtrlID(label->Handle()), STN_CLICKED);
    ::SendMessageW(form.Handle(), WM_COMMAND, clicked, reinterpret_cast<LPARAM>(label->Handle()));
    EXPECT_EQ(clicks, 1);
    const WPARAM unknown = MAKEWPARAM(::GetDlgCtrlID(label->Handle()), 0x7777);
    EXPECT_EQ(::SendMessageW(form.Handle(), WM_COMMAND, unknown, reinterpret_cast<LPARAM>(label->Handle())), 0);
    EXPECT_EQ(clicks, 1);
}

// A list box whose items are measured by the control: each is 30 pixels high.
class TTallItemsList : public TListBox {
public:
    using TListBox::TListBox;

protected:
    void CreateParams(TCreateParams& p) override {
        TListBox::CreateParams(p);
        p.Style |= LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS;
    }
    bool CNMeasureItem(MEASUREITEMSTRUCT* mis) override {
        mis->itemHeight = 30;
        return true;
    }
};

TEST(Reflection, AMeasureItemFoundByTheChildsIdReachesTheChild) {
    TForm form(nullptr);
    auto* list = MakeControl<TTallItemsList>(&form, &form, "List1", 10, 10, 150, 100);
    list->Items().Add("one");
    form.Show();
    TSpy spy(list->Handle(), CN_MEASUREITEM, CN_MEASUREITEM);
    list->Items().Add("two");
    EXPECT_EQ(spy.Seen, std::vector<UINT>{CN_MEASUREITEM});
    EXPECT_EQ(::SendMessageW(list->Handle(), LB_GETITEMHEIGHT, 1, 0), 30);
    EXPECT_EQ(::SendMessageW(list->Handle(), LB_GETITEMHEIGHT, 0, 0), 30);
}

// Records the notices that reach a control's WndProc, window or not.
class TNoticePanel : public TPanel {
public:
    using TPanel::TPanel;
    std::vector<UINT> Seen;
    std::vector<std::pair<WPARAM, LPARAM>> Params;
    void WndProc(TMessage& m) override {
        if (m.Msg >= CM_BASE && m.Msg < CM_BASE + 0x100 && m.Msg != CM_INVALIDATE) {
            Seen.push_back(m.Msg);
            Params.emplace_back(m.WParam, m.LParam);
        }
        TPanel::WndProc(m);
    }
};

TEST(Notices, TheSettersAnnounceTheirChangesThroughTheWindow) {
    struct Case {
        const char* what;
        UINT notice;
        bool onlyOnChange;  // the same value again sends nothing
        std::function<void(TNoticePanel&)> change;
    };
    const std::vector<Case> cases = {
        {"hide", CM_VISIBLECHANGED, true, [](TNoticePanel& p) { p.SetVisible(false); }},
        {"disable", CM_ENABLEDCHANGED, true, [](TNoticePanel& p) { p.SetEnabled(false); }},
        {"text", CM_TEXTCHANGED, true, [](TNoticePanel& p) { p.SetText("other"); }},
        {"font", CM_FONTCHANGED, false, [](TNoticePanel& p) { p.Font().SetColor(clRed); }},
        {"colour", CM_COLORCHANGED, false, [](TNoticePanel& p) { p.SetColor(clRed); }},
    };
    for (const Case& c : cases) {
        TForm form(nullptr);
        auto* panel = MakeControl<TNoticePanel>(&form, &form, "Panel1", 0, 0, 50, 50, "text");
        TSpy spy(panel->Handle(), CM_BASE, CM_BASE + 0xFF);
        panel->Seen.clear();
        c.change(*panel);
        EXPECT_TRUE(Has(panel->Seen, c.notice)) << c.what;
        EXPECT_TRUE(Has(spy.Seen, c.notice)) << c.what << ": a layer on the window sees it";
        if (!c.onlyOnChange) continue;
        panel->Seen.clear();
        c.change(*panel);
        EXPECT_FALSE(Has(panel->Seen, c.notice)) << c.what << " repeated";
    }
    // Without a window there is nothing to hook: the state waits for the window.
    TForm form(nullptr);
    auto* panel = MakeControl<TNoticePanel>(&form, &form, "Panel1", 0, 0, 50, 50, "text");
    for (const Case& c : cases) c.change(*panel);
    EXPECT_TRUE(panel->Seen.empty());
    EXPECT_EQ(panel->Text(), "other");
}

TEST(Notices, ShowingControlListReCreationAndInvalidationReachTheLayers) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 150);
    auto* panel = MakeControl<TNoticePanel>(&form, &form, "Panel1", 0, 0, 100, 100);
    auto* inner = MakeControl<TNoticePanel>(&form, panel, "Inner", 5, 5, 30, 30);
    form.Show();
    // Showing the form shows what it holds.
    EXPECT_TRUE(Has(panel->Seen, CM_SHOWINGCHANGED));
    EXPECT_TRUE(Has(inner->Seen, CM_SHOWINGCHANGED));
    inner->Seen.clear();
    panel->SetVisible(false);
    EXPECT_TRUE(Has(inner->Seen, CM_SHOWINGCHANGED));
    EXPECT_FALSE(inner->Showing());
    panel->SetVisible(true);

    // The parent hears of a child coming and going.
    panel->Seen.clear();
    panel->Params.clear();
    auto* added = MakeControl<TEdit>(&form, panel, "Edit1", 40, 5, 50, 20);
    ASSERT_TRUE(Has(panel->Seen, CM_CONTROLLISTCHANGE));
    EXPECT_EQ(panel->Params.back(), std::make_pair(reinterpret_cast<WPARAM>(added), LPARAM(1)));
    EXPECT_TRUE(added->HandleAllocated());  // made by then: a layer can hook it
    panel->Seen.clear();
    panel->Params.clear();
    delete added;
    ASSERT_TRUE(Has(panel->Seen, CM_CONTROLLISTCHANGE));
    EXPECT_EQ(panel->Params.back().second, 0);

    // Invalidation goes through the window, where a layer sees it.
    ::UpdateWindow(form.Handle());
    TSpy spy(panel->Handle(), CM_INVALIDATE, CM_INVALIDATE);
    panel->SetBevelOuter(TBevelCut::bvLowered);
    EXPECT_EQ(spy.Seen, std::vector<UINT>{CM_INVALIDATE});
    RECT dirty;
    EXPECT_TRUE(::GetUpdateRect(panel->Handle(), &dirty, FALSE));
}

// A panel whose re-creation a test can ask for.
class TRecreatePanel : public TNoticePanel {
public:
    using TNoticePanel::TNoticePanel;
    void Recreate() { RecreateWnd(); }
};

TEST(Notices, ReCreationRunsInTheNoticeSoALayerSeesTheNewWindowAfterPassingItOn) {
    TForm form(nullptr);
    auto* panel = MakeControl<TRecreatePanel>(&form, &form, "Panel1", 0, 0, 50, 50, "kept");
    form.Show();
    HWND old = panel->Handle();
    HWND seenAfter = nullptr;
    TWindowSubclass* layer = nullptr;
    layer = new TWindowSubclass(old, [&](TMessage& m) {
        if (m.Msg != CM_RECREATEWND) return false;
        m.Result = layer->CallNext(m);
        seenAfter = panel->Handle();
        layer->Free();
        return true;
    });
    panel->Recreate();
    EXPECT_TRUE(Has(panel->Seen, CM_RECREATEWND));
    EXPECT_NE(seenAfter, nullptr);
    EXPECT_NE(seenAfter, old);
    EXPECT_FALSE(::IsWindow(old));
    EXPECT_EQ(panel->Text(), "kept");
}

TEST(Notices, FocusEntersAndExitsThroughNoticesThatFireTheEvents) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    auto* a = MakeControl<TEdit>(&form, &form, "A", 10, 10, 80, 20);
    auto* b = MakeControl<TEdit>(&form, &form, "B", 10, 40, 80, 20);
    std::string log;
    a->OnEnter = [&](TObject*) { log += "enter a;"; };
    a->OnExit = [&](TObject*) { log += "exit a;"; };
    form.Show();
    b->SetFocus();
    TSpy spy(a->Handle(), CM_ENTER, CM_EXIT);
    log.clear();
    a->SetFocus();
    b->SetFocus();
    EXPECT_EQ(log, "enter a;exit a;");
    EXPECT_EQ(spy.Seen, (std::vector<UINT>{CM_ENTER, CM_EXIT}));
}

TEST(Notices, ValueChangesAnnounceTheControl) {
    TForm form(nullptr);
    auto* edit = MakeControl<TEdit>(&form, &form, "Edit1", 0, 0, 80, 20);
    form.Show();
    LPARAM changed = 0;
    TWindowSubclass spy(edit->Handle(), [&](TMessage& m) {
        if (m.Msg == CM_CHANGED) changed = m.LParam;
        return false;
    });
    int onChange = 0;
    edit->OnChange = [&](TObject*) { ++onChange; };
    edit->SetText("typed");
    EXPECT_EQ(changed, reinterpret_cast<LPARAM>(edit));
    EXPECT_EQ(onChange, 1);
}

TEST(MouseHover, EnterOnceOnTheFirstMoveAndLeaveOnTheLeaveMessage) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    auto* panel = MakeControl<TNoticePanel>(&form, &form, "Panel1", 10, 10, 80, 50);
    form.Show();
    HWND wnd = panel->Handle();
    POINT inside{20, 20};
    ::ClientToScreen(wnd, &inside);
    ::SetCursorPos(inside.x, inside.y);
    panel->Seen.clear();
    for (int i = 0; i < 3; ++i) ::SendMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(20 + i, 20));
    EXPECT_EQ(std::count(panel->Seen.begin(), panel->Seen.end(), CM_MOUSEENTER), 1);
    EXPECT_TRUE(panel->MouseInControl());

    // Leaving the window: the system's leave message becomes the notice.
    POINT outside{150, 80};
    ::ClientToScreen(form.Handle(), &outside);
    ::SetCursorPos(outside.x, outside.y);
    EXPECT_TRUE(test::PumpUntil([&] { return Has(panel->Seen, CM_MOUSELEAVE); }));
    EXPECT_FALSE(panel->MouseInControl());
    panel->Seen.clear();
    ::SendMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(panel->Seen, std::vector<UINT>{CM_MOUSEENTER});  // entering again
}

}  // namespace
}  // namespace ad
