// A skinned MDI parent: its Window menu lists the children itself, the
// MDI client paints its area in the form's colour and scrolls only when a
// dragged thumb is released, and a maximised child's buttons are hit in the
// menu line.
#include <gtest/gtest.h>

#include <string>

#include "framework/WindowSubclass.h"
#include "skin/forms/SkinFormsTestKit.h"
#include "skin/forms/SkinMDIForm.h"

namespace ad::skin::forms {
namespace {

using namespace test;

constexpr UINT kFirstChildId = 0xFF00;
constexpr UINT kCascadeId = 0x4001;

const wchar_t* ChildClass() {
    static const wchar_t* name = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefMDIChildProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = L"AdTestMdiChild";
        ::RegisterClassW(&wc);
        return L"AdTestMdiChild";
    }();
    return name;
}

// A skinned form with a menu bar (File, Window) holding an MDI client of three children.
struct TMdiParent {
    TMdiParent() {
        form = std::make_unique<TForm>(nullptr);
        form->SetFormStyle(TFormStyle::fsMDIForm);
        menu = new TMainMenu(form.get());
        menu->Items().Add("&File");
        menu->Items().Add("&Window")->Add("&Cascade");
        form->SetMenu(menu);
        form->SetBounds(60, 60, 480, 360);
        form->SetCaption("MDI parent");
        form->Show();
        ad::test::PumpPending();
        wnd = form->Handle();
        provider = ProviderOf(*form);
        CLIENTCREATESTRUCT ccs{::GetSubMenu(menu->Handle(), 1), kFirstChildId};
        RECT r{};
        ::GetClientRect(wnd, &r);
        client = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                   WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, 0, r.right,
                                   r.bottom, wnd, nullptr, ::GetModuleHandleW(nullptr), &ccs);
        for (const wchar_t* title : {L"First", L"Second", L"Hidden"}) children.push_back(NewChild(title));
        ::ShowWindow(children[2], SW_HIDE);
        ::SendMessageW(client, WM_MDIACTIVATE, WPARAM(children[1]), 0);
        ad::test::PumpPending();
    }
    ~TMdiParent() { form->Hide(); }
    HWND NewChild(const wchar_t* title) {
        MDICREATESTRUCTW mcs{};
        mcs.szClass = ChildClass();
        mcs.szTitle = title;
        mcs.hOwner = ::GetModuleHandleW(nullptr);
        mcs.x = mcs.y = CW_USEDEFAULT;
        mcs.cx = 160;
        mcs.cy = 100;
        mcs.style = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
        return reinterpret_cast<HWND>(::SendMessageW(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    }
    HMENU WindowMenu() const { return ::GetSubMenu(menu->Handle(), 1); }

    TFormSkinFixture skin;
    std::unique_ptr<TForm> form;
    TMainMenu* menu = nullptr;
    HWND wnd = nullptr;
    TSkinProvider* provider = nullptr;
    HWND client = nullptr;
    std::vector<HWND> children;
};

struct TMenuEntry {
    std::wstring Text;
    UINT Id;
    bool Separator, Checked;
};

std::vector<TMenuEntry> Entries(HMENU menu) {
    std::vector<TMenuEntry> entries;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 128;
        ::GetMenuItemInfoW(menu, UINT(i), TRUE, &info);
        entries.push_back({text, info.wID, (info.fType & MFT_SEPARATOR) != 0, (info.fState & MFS_CHECKED) != 0});
    }
    return entries;
}

TEST(SkinMDIForm, TheWindowMenuListsTheVisibleChildrenOnceWithTheActiveOneChecked) {
    TMdiParent p;
    ASSERT_NE(p.provider, nullptr);
    ASSERT_NE(p.client, nullptr);
    TSkinMDIForm* support = p.provider->MDISupport();
    ASSERT_NE(support, nullptr);
    EXPECT_EQ(support->ClientHandle(), p.client);
    support->WindowMenuIndex = 1;
    HMENU popup = p.WindowMenu();
    // What the system may have added stands in for its own list.
    ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(popup, MF_STRING, kFirstChildId + 7, L"1 Stale");

    for (int open = 0; open < 2; ++open) {
        EXPECT_EQ(::SendMessageW(p.wnd, WM_INITMENUPOPUP, WPARAM(popup), MAKELPARAM(1, FALSE)), 0);
        const std::vector<TMenuEntry> entries = Entries(popup);
        ASSERT_EQ(entries.size(), 4u) << "open " << open;
        EXPECT_EQ(entries[0].Text, L"&Cascade");  // the form's own item stays
        EXPECT_TRUE(entries[1].Separator);
        // Topmost first: the active child, then the other visible one.
        EXPECT_EQ(entries[2].Text, L"Second");
        EXPECT_TRUE(entries[2].Checked);
        EXPECT_EQ(entries[3].Text, L"First");
        EXPECT_FALSE(entries[3].Checked);
    }

    // Choosing an entry activates its child; a stale entry does nothing.
    const UINT firstId = Entries(popup)[3].Id;
    ::SendMessageW(p.wnd, WM_COMMAND, firstId, 0);
    EXPECT_EQ(support->ActiveChild(), p.children[0]);
    ::SendMessageW(p.wnd, WM_COMMAND, kWindowItemFirst + 40, 0);
    EXPECT_EQ(support->ActiveChild(), p.children[0]);

    // Another popup goes on to the form untouched; the system menu's size command is greyed.
    HMENU other = ::GetSubMenu(p.menu->Handle(), 0);
    const int before = ::GetMenuItemCount(other);
    ::SendMessageW(p.wnd, WM_INITMENUPOPUP, WPARAM(other), MAKELPARAM(0, FALSE));
    EXPECT_EQ(::GetMenuItemCount(other), before);
    HMENU system = ::GetSystemMenu(p.wnd, FALSE);
    ::EnableMenuItem(system, SC_SIZE, MF_BYCOMMAND | MF_ENABLED);
    ::SendMessageW(p.wnd, WM_INITMENUPOPUP, WPARAM(system), MAKELPARAM(0, TRUE));
    EXPECT_TRUE(::GetMenuState(system, SC_SIZE, MF_BYCOMMAND) & MF_GRAYED);
}

TEST(SkinMDIForm, TheClientPaintsTheFormColourAndScrollsOnlyOnTheThumbsRelease) {
    TMdiParent p;
    ASSERT_NE(p.provider, nullptr);
    std::vector<int> reached;  // scroll codes that reach the client's own procedure
    TWindowSubclass spy(p.client, [&](TMessage& m) {
        if (m.Msg == WM_VSCROLL) reached.push_back(LOWORD(m.WParam));
        return false;
    });
    ASSERT_NE(p.provider->MDISupport(), nullptr);
    TSkMDIWnd* adapter = p.provider->MDISupport()->Adapter();
    ASSERT_NE(adapter, nullptr);

    ::SendMessageW(p.client, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 5), 0);
    ::SendMessageW(p.client, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 9), 0);
    ::SendMessageW(p.client, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 9), 0);
    ::SendMessageW(p.client, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(reached, (std::vector<int>{SB_THUMBPOSITION, SB_LINEDOWN}));
    EXPECT_EQ(SendSkinCommand(p.client, SKC_LOCKREDRAW, SB_THUMBTRACK), 1);
    EXPECT_EQ(SendSkinCommand(p.client, SKC_LOCKREDRAW, SB_LINEDOWN), 0);

    // The area in the form's colour (the fixture has no MDIAREA section).
    RECT r{};
    ::GetClientRect(p.client, &r);
    HDC screen = ::GetDC(nullptr);
    OwnedMemoryDC dc(::CreateCompatibleDC(screen));
    OwnedBitmap bitmap(::CreateCompatibleBitmap(screen, r.right, r.bottom));
    ::ReleaseDC(nullptr, screen);
    SelectObjectScope select(dc.Get(), bitmap.Get());
    EXPECT_EQ(::SendMessageW(p.client, WM_ERASEBKGND, WPARAM(dc.Get()), 0), 1);
    EXPECT_EQ(::GetPixel(dc.Get(), r.right / 2, r.bottom - 3), COLORREF(ColorToRGB(p.provider->FormColor())));
    ::SetPixel(dc.Get(), 5, 5, RGB(1, 2, 3));
    EXPECT_EQ(::SendMessageW(p.client, WM_PRINT, WPARAM(dc.Get()), PRF_CLIENT), 0);
    EXPECT_EQ(::GetPixel(dc.Get(), 5, 5), COLORREF(ColorToRGB(p.provider->FormColor())));

    // With a maximised child the client paints nothing of its own.
    ::SendMessageW(p.client, WM_MDIMAXIMIZE, WPARAM(p.children[1]), 0);
    ad::test::PumpPending();
    EXPECT_TRUE(adapter->ChildMaximised());
    ::SetPixel(dc.Get(), 5, 5, RGB(1, 2, 3));
    EXPECT_EQ(::SendMessageW(p.client, WM_ERASEBKGND, WPARAM(dc.Get()), 0), 1);
    EXPECT_EQ(::GetPixel(dc.Get(), 5, 5), RGB(1, 2, 3));
}

TEST(SkinMDIForm, AMaximisedChildsButtonsAreHitInTheMenuLine) {
    TMdiParent p;
    ASSERT_NE(p.provider, nullptr);
    ASSERT_NE(p.provider->MDISupport(), nullptr);
    EXPECT_FALSE(p.provider->MDIChildButtonsVisible());
    ::SendMessageW(p.client, WM_MDIMAXIMIZE, WPARAM(p.children[1]), 0);
    p.provider->RefreshNonClient();
    ad::test::PumpPending();
    ASSERT_TRUE(p.provider->MDIChildButtonsVisible());
    p.provider->LayoutMDIButtons();

    // Right-aligned in the menu line: minimise, restore, close.
    const TRect close = p.provider->Element(ceMdiClose).Rect;
    const TRect restore = p.provider->Element(ceMdiRestore).Rect;
    const TRect minimise = p.provider->Element(ceMdiMin).Rect;
    EXPECT_EQ(close.Right, p.provider->ImageWidth() - p.provider->BorderWidthTotal() - 1);
    EXPECT_LT(restore.Right, close.Left + 1);
    EXPECT_LT(minimise.Right, restore.Left + 1);
    const int menuTop = p.provider->TopBorderTotal() + p.provider->CaptionHeight();
    EXPECT_GE(close.Top, menuTop);
    EXPECT_LE(close.Bottom, menuTop + p.provider->MenuLineHeight());
    auto centre = [](const TRect& r) { return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; };
    EXPECT_EQ(HitAt(p.wnd, centre(close).X, centre(close).Y), kHitMdiClose);
    EXPECT_EQ(HitAt(p.wnd, centre(restore).X, centre(restore).Y), kHitMdiRestore);
    EXPECT_EQ(HitAt(p.wnd, centre(minimise).X, centre(minimise).Y), kHitMdiMinimize);
    EXPECT_EQ(HitAt(p.wnd, minimise.Left - 40, centre(minimise).Y), HTMENU);

    // The restore button restores the child (the parent itself is not maximised).
    const LPARAM onRestore = ScreenPoint(p.wnd, centre(restore).X, centre(restore).Y);
    ::SendMessageW(p.wnd, WM_NCLBUTTONDOWN, kHitMdiRestore, onRestore);
    ::SendMessageW(p.wnd, WM_NCLBUTTONUP, kHitMdiRestore, onRestore);
    ad::test::PumpPending();
    EXPECT_FALSE(::IsZoomed(p.children[1]));
    EXPECT_FALSE(p.provider->MDIChildButtonsVisible());
    ::SendMessageW(p.client, WM_MDIMAXIMIZE, WPARAM(p.children[1]), 0);
    ad::test::PumpPending();
    ASSERT_TRUE(p.provider->MDIChildButtonsVisible());

    // Pressing and releasing the close button closes the active child.
    const LPARAM at = ScreenPoint(p.wnd, centre(close).X, centre(close).Y);
    ::SendMessageW(p.wnd, WM_NCLBUTTONDOWN, kHitMdiClose, at);
    ::SendMessageW(p.wnd, WM_NCLBUTTONUP, kHitMdiClose, at);
    ad::test::PumpPending();
    EXPECT_FALSE(::IsWindow(p.children[1]));
    ad::test::SaveScreenshot(p.wnd, "mdi_parent");
}

}  // namespace
}  // namespace ad::skin::forms
