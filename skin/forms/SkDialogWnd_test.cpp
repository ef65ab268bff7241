// Standard dialogs skinned through the creation hook, on real dialogs: a
// message box without owner gets the dialog adapter and, once it shows, its
// children's adapters; an owned one, a vetoed one and a third one at once
// stay native. The dialog adapter's own hit test and dialog brush, and the
// children's adapters by window class and style.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/adapters/SkButtonWnds.h"
#include "skin/adapters/SkStaticWnds.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/win/SkinMessaging.h"
#include "skin/engine/win/SkinWindowAnimation.h"
#include "skin/forms/SkDialogChildren.h"
#include "skin/forms/SkDialogWnd.h"
#include "skin/forms/SkinFormsTestKit.h"

namespace ad::skin::forms {
namespace {

using namespace test;
using adapters::TSkMainWnd;

bool HasAdapter(HWND wnd) { return ::GetPropW(wnd, kSkinAdapterProp) != nullptr; }

// What a dialog looked like at its first activation.
struct TDialogSeen {
    bool Seen = false;
    bool Adapted = false;
    int ChildrenAtCreation = -1;  // when the dialog's window was being made
    LONG_PTR Style = 0;
    LRESULT CloseHit = -100;
    struct Child {
        std::string ClassName;
        std::string Text;
        TSkMainWnd* Adapter;
    };
    std::vector<Child> Children;
};

// A CBT hook over the skin's: at a dialog's first activation it records the
// dialog (the skin hook has run by then) and ends it with IDOK.
class TDialogProbe {
public:
    TDialogProbe() {
        current_ = this;
        hook_ = ::SetWindowsHookExW(WH_CBT, &TDialogProbe::Hook, nullptr, ::GetCurrentThreadId());
        // A dialog the hook missed is ended all the same.
        timer_ = ::SetTimer(nullptr, 0, 5000, &TDialogProbe::Fallback);
    }
    ~TDialogProbe() {
        ::KillTimer(nullptr, timer_);
        ::UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    TDialogProbe(const TDialogProbe&) = delete;
    TDialogProbe& operator=(const TDialogProbe&) = delete;

    TDialogSeen Seen;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        const LRESULT result = ::CallNextHookEx(current_->hook_, code, wParam, lParam);
        HWND wnd = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_CREATEWND && current_->Seen.ChildrenAtCreation < 0 && GetWndClassName(wnd) == "#32770")
            current_->Seen.ChildrenAtCreation = ::GetWindow(wnd, GW_CHILD) ? 1 : 0;
        if (code == HCBT_ACTIVATE && !current_->Seen.Seen && GetWndClassName(wnd) == "#32770") {
            TDialogSeen& seen = current_->Seen;
            seen.Seen = true;
            seen.Adapted = HasAdapter(wnd);
            seen.Style = ::GetWindowLongPtrW(wnd, GWL_STYLE);
            if (auto* dialog = dynamic_cast<TSkDialogWnd*>(TSkMainWnd::GetAdapter(wnd))) {
                const TRect r = dialog->CloseRect();
                seen.CloseHit = HitAt(wnd, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
            }
            for (HWND child = ::GetTopWindow(wnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
                wchar_t text[256] = {};
                ::GetWindowTextW(child, text, 256);
                seen.Children.push_back({GetWndClassName(child), Narrow(text), TSkMainWnd::GetAdapter(child)});
            }
            ::PostMessageW(wnd, WM_COMMAND, IDOK, 0);
        }
        return result;
    }
    static BOOL CALLBACK EndDialogs(HWND wnd, LPARAM) {
        if (GetWndClassName(wnd) == "#32770") ::PostMessageW(wnd, WM_COMMAND, IDOK, 0);
        return TRUE;
    }
    static void CALLBACK Fallback(HWND, UINT, UINT_PTR, DWORD) {
        ::EnumThreadWindows(::GetCurrentThreadId(), &TDialogProbe::EndDialogs, 0);
    }

    static inline TDialogProbe* current_ = nullptr;
    HHOOK hook_ = nullptr;
    UINT_PTR timer_ = 0;
};

TDialogSeen ShowMessageBox(HWND owner) {
    TDialogProbe probe;
    ::MessageBoxW(owner, L"The text of the box", L"Skinned box", MB_OK);
    return probe.Seen;
}

TEST(SkinnedDialogs, AnOwnerlessMessageBoxAndItsChildrenAreAdaptedOnceItShows) {
    TFormSkinFixture skin;
    const int adaptersBefore = TSkMainWnd::LiveCount();
    const TDialogSeen seen = ShowMessageBox(nullptr);
    ASSERT_TRUE(seen.Seen);
    EXPECT_EQ(seen.ChildrenAtCreation, 0) << "the dialog is taken before it has children";
    EXPECT_TRUE(seen.Adapted);
    EXPECT_FALSE(seen.Style & WS_SYSMENU) << "the system's own buttons are off";
    EXPECT_EQ(seen.CloseHit, HTCLOSE);
    int buttons = 0, texts = 0;
    for (const auto& child : seen.Children) {
        if (child.ClassName == "Button") {
            ++buttons;
            EXPECT_NE(dynamic_cast<adapters::TSkBtnWnd*>(child.Adapter), nullptr) << child.Text;
        }
        if (child.ClassName == "Static" && child.Text == "The text of the box") {
            ++texts;
            EXPECT_NE(dynamic_cast<adapters::TSkStaticWnd*>(child.Adapter), nullptr);
        }
    }
    EXPECT_GE(buttons, 1);
    EXPECT_EQ(texts, 1);
    // The box went: its provider and adapters go at the next purge.
    PurgeProviderList();
    EXPECT_EQ(ProviderListCount(), 0);
    EXPECT_EQ(TSkMainWnd::LiveCount(), adaptersBefore);
}

TEST(SkinnedDialogs, OwnedAndVetoedMessageBoxesStayNative) {
    TFormSkinFixture skin;
    auto owner = ShownForm();
    TDialogSeen seen = ShowMessageBox(owner->Handle());
    ASSERT_TRUE(seen.Seen);
    EXPECT_FALSE(seen.Adapted);
    EXPECT_TRUE(seen.Style & WS_SYSMENU);
    for (const auto& child : seen.Children) EXPECT_EQ(child.Adapter, nullptr) << child.ClassName;

    int asked = 0;
    skin.Manager->OnSysDlgInit = [&](HWND wnd, bool& allow) {
        ++asked;
        EXPECT_EQ(GetWndClassName(wnd), "#32770");
        allow = false;
    };
    seen = ShowMessageBox(nullptr);
    skin.Manager->OnSysDlgInit = nullptr;
    ASSERT_TRUE(seen.Seen);
    EXPECT_GE(asked, 1);
    EXPECT_FALSE(seen.Adapted);
    for (const auto& child : seen.Children) EXPECT_EQ(child.Adapter, nullptr) << child.ClassName;
    EXPECT_EQ(ProviderListCount(), 0);
    owner->Hide();
}

// A modeless dialog from an empty template, visible or not.
struct TEmptyDialog {
    struct alignas(4) Template {
        DLGTEMPLATE Header;
        WORD Menu = 0, Class = 0, Title = 0;
    };
    static INT_PTR CALLBACK Proc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }
    explicit TEmptyDialog(bool visible) {
        Template t{};
        t.Header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | (visible ? WS_VISIBLE : 0);
        t.Header.x = 20;
        t.Header.y = 20;
        t.Header.cx = 120;
        t.Header.cy = 60;
        wnd = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), &t.Header, nullptr, &Proc, 0);
    }
    ~TEmptyDialog() {
        if (::IsWindow(wnd)) ::DestroyWindow(wnd);
    }
    TEmptyDialog(const TEmptyDialog&) = delete;
    TEmptyDialog& operator=(const TEmptyDialog&) = delete;
    HWND wnd = nullptr;
};

LRESULT CALLBACK PlainProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(wnd, msg, wParam, lParam);
}

TEST(SkinnedDialogs, AThirdVisibleDialogIsRefusedUnlessItHoldsANativeToolBar) {
    TFormSkinFixture skin;
    {
        TEmptyDialog first(true), second(true), third(true);
        ASSERT_TRUE(first.wnd && second.wnd && third.wnd);
        EXPECT_TRUE(HasAdapter(first.wnd));
        EXPECT_TRUE(HasAdapter(second.wnd));
        EXPECT_FALSE(HasAdapter(third.wnd));
        EXPECT_EQ(CountVisibleSkinnedDialogs(), 2);

        // One with a tool bar among its descendants is taken at its next activation
        // (a dialog made invisible is activated once while it is made).
        WNDCLASSW wc{};
        wc.lpfnWndProc = &PlainProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ToolbarWindow32";
        ::RegisterClassW(&wc);
        TEmptyDialog withBar(false);
        EXPECT_FALSE(HasAdapter(withBar.wnd));
        HWND panel = ::CreateWindowExW(0, L"Static", L"", WS_CHILD, 0, 0, 50, 20, withBar.wnd, nullptr, nullptr, nullptr);
        ::CreateWindowExW(0, L"ToolbarWindow32", L"", WS_CHILD, 0, 0, 50, 20, panel, nullptr, wc.hInstance, nullptr);
        EXPECT_TRUE(HasDescendantOfClass(withBar.wnd, "toolbarwindow32"));
        ::ShowWindow(withBar.wnd, SW_SHOW);
        ::SetActiveWindow(first.wnd);
        ::SetActiveWindow(withBar.wnd);
        ad::test::PumpPending();
        EXPECT_TRUE(HasAdapter(withBar.wnd));
        EXPECT_EQ(CountVisibleSkinnedDialogs(), 3);
        ::DestroyWindow(withBar.wnd);
        ::UnregisterClassW(L"ToolbarWindow32", wc.hInstance);
    }
    PurgeProviderList();
    EXPECT_EQ(ProviderListCount(), 0);
}

// A captioned top-level window of a class of its own with the dialog adapter.
struct TAdaptedWindow {
    explicit TAdaptedWindow(const wchar_t* className, UINT classStyle) : className_(className) {
        WNDCLASSW wc{};
        wc.style = classStyle;
        wc.lpfnWndProc = &PlainProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = className;
        ::RegisterClassW(&wc);
        wnd = ::CreateWindowExW(0, className, L"Adapted", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX, 40, 40,
                                260, 160, nullptr, nullptr, wc.hInstance, nullptr);
        UpdateDialogAdapter(wnd, adapter);
        adapter->UpdateFromWindow();
        ::ShowWindow(wnd, SW_SHOWNA);
        ad::test::PumpPending();
    }
    ~TAdaptedWindow() {
        adapter.reset();
        ::DestroyWindow(wnd);
        ::UnregisterClassW(className_, ::GetModuleHandleW(nullptr));
    }
    TAdaptedWindow(const TAdaptedWindow&) = delete;
    TAdaptedWindow& operator=(const TAdaptedWindow&) = delete;

    LRESULT HitAtCentre(const TRect& r) const { return HitAt(wnd, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

    HWND wnd = nullptr;
    adapters::TSkAdapterPtr<TSkDialogWnd> adapter;

private:
    const wchar_t* className_;
};

TEST(SkinnedDialogs, TheCloseButtonAnswersItsHitUnlessTheClassCannotClose) {
    TFormSkinFixture skin;
    {
        TAdaptedWindow closable(L"TClosableDialog", 0);
        const TRect close = closable.adapter->CloseRect();
        ASSERT_FALSE(IsEmpty(close));
        EXPECT_EQ(close.Right - close.Left, kButtonW);
        EXPECT_EQ(closable.HitAtCentre(close), HTCLOSE);
        // The client and the title left of the buttons are the window's own.
        EXPECT_EQ(HitAt(closable.wnd, 130, 120), HTCLIENT);
        EXPECT_EQ(HitAt(closable.wnd, 100, closable.adapter->TopOffset() / 2), HTCAPTION);
        // A zoomed dialog's outer edge is an error, not a place to click through.
        ::ShowWindow(closable.wnd, SW_MAXIMIZE);
        EXPECT_EQ(HitAt(closable.wnd, 0, 0), HTERROR);
        EXPECT_EQ(HTERROR, -2);
    }
    TAdaptedWindow noClose(L"TNoCloseDialog", CS_NOCLOSE);
    const TRect close = noClose.adapter->CloseRect();
    ASSERT_FALSE(IsEmpty(close));
    EXPECT_NE(noClose.HitAtCentre(close), HTCLOSE);
    EXPECT_FALSE(noClose.adapter->CanClose());
}

// Pixels of a dialog (0xRRGGBB): in its adapter's image and on the screen.
struct TDialogPixels {
    static uint32_t Rgb(TColor c) { return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu); }
    static uint32_t Cache(TSkDialogWnd& adapter, int x, int y) {
        return GetPixel32(adapter.SkinData()->CacheImage->View(), x, y) & 0xFFFFFFu;
    }
    static uint32_t Screen(HWND wnd, int x, int y) {
        RECT r{};
        ::GetWindowRect(wnd, &r);
        HDC screen = ::GetDC(nullptr);
        const COLORREF c = ::GetPixel(screen, r.left + x, r.top + y);
        ::ReleaseDC(nullptr, screen);
        return Rgb(TColor(c));
    }
};

TEST(SkinnedDialogs, TheTitleBandAndCaptionButtonsArePaintedFromTheSkinByState) {
    TFormSkinFixture skin;
    TAdaptedWindow window(L"TPaintedDialog", 0);
    TSkDialogWnd& adapter = *window.adapter;
    const int titleY = adapter.TopOffset() / 2;
    const TRect close = adapter.CloseRect();
    const TPoint closeAt{(close.Left + close.Right) / 2, (close.Top + close.Bottom) / 2};
    struct Case {
        const char* name;
        BOOL active;
        uint32_t title;
    } cases[] = {{"active", TRUE, TDialogPixels::Rgb(kActiveTitleColor)}, {"inactive", FALSE, 0x808080u}};
    for (const Case& c : cases) {
        ::SendMessageW(window.wnd, WM_NCACTIVATE, c.active, 0);
        ::RedrawWindow(window.wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        ad::test::PumpPending();
        EXPECT_EQ(TDialogPixels::Cache(adapter, 150, titleY), c.title) << c.name;
        EXPECT_EQ(TDialogPixels::Screen(window.wnd, 150, titleY), c.title) << c.name;
    }
    // Active, the close glyph is drawn in full: normal, then hot when pointed at.
    ::SendMessageW(window.wnd, WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(TDialogPixels::Cache(adapter, closeAt.X, closeAt.Y), 0xC03020u);
    EXPECT_EQ(HitAt(window.wnd, closeAt.X, closeAt.Y), HTCLOSE);
    EXPECT_EQ(TDialogPixels::Cache(adapter, closeAt.X, closeAt.Y), 0xC03030u);
    ad::test::PumpPending();  // the screen shows a paint once the queue is through
    EXPECT_EQ(TDialogPixels::Screen(window.wnd, closeAt.X, closeAt.Y), 0xC03030u);
}

// The commands a dialog received.
std::vector<WPARAM>* g_commands = nullptr;
INT_PTR CALLBACK RecordingProc(HWND, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_COMMAND && g_commands) g_commands->push_back(LOWORD(wParam));
    return msg == WM_INITDIALOG;
}

TEST(SkinnedDialogs, TheSkinnedCloseButtonClosesTheDialogWithoutTheSystemsButtons) {
    TFormSkinFixture skin;
    std::vector<WPARAM> commands;
    g_commands = &commands;
    TEmptyDialog::Template t{};
    t.Header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
    t.Header.cx = 120;
    t.Header.cy = 60;
    HWND wnd = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), &t.Header, nullptr, &RecordingProc, 0);
    ad::test::PumpPending();
    auto* adapter = dynamic_cast<TSkDialogWnd*>(TSkMainWnd::GetAdapter(wnd));
    ASSERT_NE(adapter, nullptr);
    EXPECT_FALSE(StyleOf(wnd) & WS_SYSMENU);
    const TRect close = adapter->CloseRect();
    const LPARAM at = ScreenPoint(wnd, (close.Left + close.Right) / 2, (close.Top + close.Bottom) / 2);
    ::SendMessageW(wnd, WM_NCLBUTTONDOWN, HTCLOSE, at);
    ::SendMessageW(wnd, WM_NCLBUTTONUP, HTCLOSE, at);
    ad::test::PumpPending();
    EXPECT_EQ(commands, std::vector<WPARAM>{IDCANCEL}) << "the close reaches the dialog as a cancel";
    // Let go of the window, it has its system buttons back.
    PurgeProviderList();
    FreeProviderList();
    EXPECT_TRUE(StyleOf(wnd) & WS_SYSMENU);
    EXPECT_FALSE(HasAdapter(wnd));
    ::DestroyWindow(wnd);
    g_commands = nullptr;
}

TEST(SkinnedDialogs, TheDialogBrushIsMadeOnceOverRepeatedRequests) {
    TFormSkinFixture skin;
    TAdaptedWindow window(L"TBrushDialog", 0);
    const long gdiBefore = LiveGdiObjects();
    const LRESULT first = ::SendMessageW(window.wnd, WM_CTLCOLORDLG, 0, 0);
    ASSERT_NE(first, 0);
    for (int i = 0; i < 200; ++i) EXPECT_EQ(::SendMessageW(window.wnd, WM_CTLCOLORDLG, 0, 0), first);
    EXPECT_EQ(window.adapter->BrushesMade(), 1);
    EXPECT_LE(LiveGdiObjects(), gdiBefore + 1);
    LOGBRUSH brush{};
    ASSERT_TRUE(::GetObjectW(reinterpret_cast<HBRUSH>(first), sizeof(brush), &brush));
    EXPECT_EQ(brush.lbColor, ColorToRGB(skin.Manager->FormColor()));
}

// A dialog whose children are made in WM_INITDIALOG, as a template's are.
struct TDialogWithChildren {
    static INT_PTR CALLBACK Proc(HWND wnd, UINT msg, WPARAM, LPARAM lParam) {
        if (msg != WM_INITDIALOG) return FALSE;
        const bool withEdit = lParam != 0;
        auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int y) {
            ::CreateWindowExW(0, cls, text, WS_CHILD | style, 10, y, 150, 20, wnd, nullptr, nullptr, nullptr);
        };
        child(L"Button", L"Text on the left", WS_VISIBLE | BS_AUTOCHECKBOX | BS_LEFTTEXT, 10);
        child(L"Static", L"Simple", WS_VISIBLE | SS_SIMPLE, 40);
        child(L"Button", L"Press", WS_VISIBLE | BS_PUSHBUTTON, 70);
        if (withEdit) child(L"Edit", L"hidden", ES_LEFT, 100);
        return TRUE;
    }
    explicit TDialogWithChildren(bool withEdit) {
        TEmptyDialog::Template t{};
        t.Header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        t.Header.cx = 140;
        t.Header.cy = 90;
        wnd = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), &t.Header, nullptr, &Proc, withEdit);
    }
    ~TDialogWithChildren() { ::DestroyWindow(wnd); }
    TDialogWithChildren(const TDialogWithChildren&) = delete;
    TDialogWithChildren& operator=(const TDialogWithChildren&) = delete;

    TSkMainWnd* AdapterOf(const wchar_t* text) const {
        for (HWND child = ::GetTopWindow(wnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            wchar_t buffer[64] = {};
            ::GetWindowTextW(child, buffer, 64);
            if (std::wstring(buffer) == text) return TSkMainWnd::GetAdapter(child);
        }
        return nullptr;
    }
    HWND wnd = nullptr;
};

TEST(SkinnedDialogs, ADialogsChildrenAreAdaptedAtItsFirstShowByClassAndStyle) {
    TFormSkinFixture skin;
    for (bool withEdit : {false, true}) {
        TDialogWithChildren dialog(withEdit);
        ASSERT_TRUE(HasAdapter(dialog.wnd));
        // The dialog is activated once while it is made, after WM_INITDIALOG
        // made its children; the show adapts any left.
        ::ShowWindow(dialog.wnd, SW_SHOW);
        ad::test::PumpPending();
        EXPECT_NE(dynamic_cast<adapters::TSkCheckBoxWnd*>(dialog.AdapterOf(L"Text on the left")), nullptr);
        EXPECT_NE(dynamic_cast<adapters::TSkBtnWnd*>(dialog.AdapterOf(L"Press")), nullptr);
        TSkMainWnd* simple = dialog.AdapterOf(L"Simple");
        EXPECT_NE(dynamic_cast<adapters::TSkStaticWnd*>(simple), nullptr);
        EXPECT_EQ(dynamic_cast<adapters::TSkIconWnd*>(simple), nullptr) << "a simple static shows its text";
        auto* adapter = dynamic_cast<TSkDialogWnd*>(TSkMainWnd::GetAdapter(dialog.wnd));
        ASSERT_NE(adapter, nullptr);
        // An edit, even a hidden one, lets the dialog paint its own client.
        EXPECT_EQ(dialog.AdapterOf(L"hidden"), nullptr);
        if (withEdit) EXPECT_FALSE(adapter->SkipClientPaint);
        else EXPECT_EQ(adapter->SkipClientPaint, LOBYTE(LOWORD(::GetVersion())) > 5);
        // A second show or activation adapts nothing twice.
        const int adapters = TSkMainWnd::LiveCount();
        ActivateAgain(dialog.wnd);
        EXPECT_EQ(TSkMainWnd::LiveCount(), adapters);
    }
}

TEST(SkinnedDialogs, ChildrenAreChosenByClassAndStyle) {
    using K = TSkDialogChildKind;
    struct Case {
        const char* name;
        const char* className;
        LONG_PTR style, exStyle;
        bool visible;
        K kind;
        bool clearsSkip;
    } cases[] = {
        {"push button", "button", BS_PUSHBUTTON, 0, true, K::Button, false},
        {"default button with an icon", "button", BS_DEFPUSHBUTTON | BS_ICON, 0, true, K::Button, false},
        {"check box with its text on the left", "button", BS_AUTOCHECKBOX | BS_LEFTTEXT, 0, true, K::CheckBox, false},
        {"radio button with its text on the left", "button", BS_AUTORADIOBUTTON | BS_LEFTTEXT, 0, true, K::CheckBox, false},
        {"three-state box", "button", BS_AUTO3STATE, 0, true, K::CheckBox, false},
        {"group box", "button", BS_GROUPBOX, 0, true, K::GroupBox, false},
        {"owner-drawn button", "button", BS_OWNERDRAW, 0, true, K::None, false},
        {"text static", "static", SS_LEFT, 0, true, K::Static, false},
        {"simple static keeps its text", "static", SS_SIMPLE, 0, true, K::Static, false},
        {"black frame stays a frame", "static", SS_BLACKFRAME, 0, true, K::Static, false},
        {"icon static", "static", SS_ICON, 0, true, K::Icon, false},
        {"icon static with a sunken edge", "static", SS_ICON, WS_EX_STATICEDGE, true, K::Edge, false},
        {"bitmap static", "static", SS_BITMAP, 0, true, K::Icon, false},
        {"grey rectangle", "static", SS_GRAYRECT, 0, true, K::None, false},
        {"owner-drawn static", "static", SS_OWNERDRAW, 0, true, K::None, false},
        {"edit", "edit", ES_LEFT, 0, true, K::Edit, true},
        {"invisible edit", "edit", ES_LEFT, 0, false, K::None, true},
        {"list box", "listbox", 0, 0, true, K::Edit, true},
        {"combo box", "combobox", CBS_DROPDOWN, 0, true, K::ComboBox, true},
        {"list view", "syslistview32", 0, 0, true, K::ListView, false},
        {"link", "syslink", 0, 0, true, K::Link, false},
        {"unknown class", "msctls_hotkey32", 0, 0, true, K::None, false},
    };
    for (const Case& c : cases) {
        const TSkDialogChildChoice choice = ChooseDialogChildAdapter(c.className, c.style, c.exStyle, c.visible);
        EXPECT_EQ(choice.Kind, c.kind) << c.name;
        EXPECT_EQ(choice.ClearsSkipClientPaint, c.clearsSkip) << c.name;
    }
}

}  // namespace
}  // namespace ad::skin::forms
