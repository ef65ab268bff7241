// The tray icon: its record for the shell, its callback messages, and the
// events the shell's mouse messages become.
#include "framework/TrayIcon.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/ExtCtrls.h"
#include "framework/SysUtils.h"

namespace ad {
namespace {

TEST(TrayIcon, EachIconOfAFormHasItsOwnCallbackMessage) {
    TForm form(nullptr);
    auto* first = new TTrayIcon(&form);
    auto* second = new TTrayIcon(&form);
    EXPECT_EQ(first->CallbackMessage(), 1025u);
    EXPECT_EQ(second->CallbackMessage(), 1026u);
    EXPECT_TRUE(first->AddIcon());
    EXPECT_TRUE(first->DeleteIcon());
}

TEST(TrayIcon, TheShellRecordCarriesTheTipAndAFallbackIcon) {
    TForm form(nullptr);
    auto* tray = new TTrayIcon(&form);
    NOTIFYICONDATAW data = tray->NotifyData();
    EXPECT_EQ(data.hIcon, ::LoadIconW(nullptr, IDI_WINLOGO));  // no icon of its own
    EXPECT_FALSE(data.uFlags & NIF_TIP);
    EXPECT_EQ(data.hWnd, form.Handle());
    tray->SetTip(std::string(100, 'x'));
    data = tray->NotifyData();
    EXPECT_TRUE(data.uFlags & NIF_TIP);
    EXPECT_EQ(std::wstring(data.szTip), std::wstring(63, L'x'));
    HICON icon = ::LoadIconW(nullptr, IDI_INFORMATION);
    tray->SetIcon(IconRef(icon));
    EXPECT_NE(tray->Icon(), nullptr);
    EXPECT_NE(tray->Icon(), icon);  // a copy of its own
    EXPECT_EQ(tray->NotifyData().hIcon, tray->Icon());
}

TEST(TrayIcon, MouseMessagesBecomeEvents) {
    struct Case {
        UINT mouse;
        bool withMouseDown;
        const char* fired;
    } cases[] = {
        {WM_LBUTTONDOWN, false, "click"},    {WM_LBUTTONDOWN, true, "down"},   {WM_MBUTTONDOWN, false, "click"},
        {WM_RBUTTONDOWN, false, "click"},    {WM_LBUTTONUP, false, "up"},      {WM_RBUTTONUP, false, "up"},
        {WM_LBUTTONDBLCLK, false, "dbl"},    {WM_RBUTTONDBLCLK, false, "dbl"}, {WM_MOUSEMOVE, false, "move"},
        {WM_MOUSEWHEEL, false, ""},
    };
    TForm form(nullptr);
    auto* tray = new TTrayIcon(&form);
    ASSERT_TRUE(tray->AddIcon());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mouse);
        std::string fired;
        tray->OnClick = [&](TObject*) { fired += "click"; };
        tray->OnDblClick = [&](TObject*) { fired += "dbl"; };
        tray->OnMouseUp = [&](TObject*) { fired += "up"; };
        tray->OnMouseMove = [&](TObject*) { fired += "move"; };
        tray->OnMouseDown = nullptr;
        if (c.withMouseDown) tray->OnMouseDown = [&](TObject*) { fired += "down"; };
        LRESULT r = ::SendMessageW(form.Handle(), tray->CallbackMessage(), 0, c.mouse);
        EXPECT_EQ(fired, c.fired);
        EXPECT_EQ(r, *c.fired ? 0 : 1);
    }
    tray->DeleteIcon();
}

TEST(TrayIcon, ARightPressPopsUpTheMenuWhenAutoPopupIsOn) {
    TForm form(nullptr);
    form.Show();
    auto* tray = new TTrayIcon(&form);
    TPopupMenu menu(nullptr);
    menu.Items().Add("Restore");
    int popups = 0, clicks = 0;
    menu.OnPopup = [&](TObject*) { popups++; };
    tray->OnClick = [&](TObject*) { clicks++; };
    tray->PopupMenu = &menu;
    TTimer closer(nullptr);
    closer.SetInterval(50);
    closer.OnTimer = [&](TObject*) { ::EndMenu(); };
    ::SendMessageW(form.Handle(), tray->CallbackMessage(), 0, WM_RBUTTONDOWN);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(menu.PopupComponent, &form);
    EXPECT_EQ(clicks, 0);
    menu.AutoPopup = false;  // then the press is a click
    ::SendMessageW(form.Handle(), tray->CallbackMessage(), 0, WM_RBUTTONDOWN);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace ad
