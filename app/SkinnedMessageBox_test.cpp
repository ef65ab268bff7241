// A message box of the program (no owner) in the program's own skin: the
// dialog and its button and text are adapted, the system's buttons are off,
// and the box is saved for people to look at (AD_SCREENSHOT_DIR).
#include <windows.h>

#include <gtest/gtest.h>

#include "app/StartUp.h"
#include "skin/adapters/SkMainWnd.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/engine/win/SkinWindowAnimation.h"
#include "skin/forms/SkinHook.h"
#include "testsupport/GuiTest.h"

namespace ad {
namespace {

struct TBoxSeen {
    bool Adapted = false;
    bool SysMenu = true;
    int Children = 0, AdaptedChildren = 0;
};

TBoxSeen* g_seen = nullptr;

BOOL CALLBACK LookAtBox(HWND wnd, LPARAM) {
    if (skin::GetWndClassName(wnd) != "#32770" || !::IsWindowVisible(wnd)) return TRUE;
    g_seen->Adapted = skin::adapters::TSkMainWnd::GetAdapter(wnd) != nullptr;
    g_seen->SysMenu = ::GetWindowLongPtrW(wnd, GWL_STYLE) & WS_SYSMENU;
    for (HWND child = ::GetTopWindow(wnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(child)) continue;
        ++g_seen->Children;
        if (skin::adapters::TSkMainWnd::GetAdapter(child)) ++g_seen->AdaptedChildren;
    }
    test::SaveScreenshot(wnd, "skinned_message_box");
    ::PostMessageW(wnd, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK LookAtBoxLater(HWND, UINT, UINT_PTR, DWORD) {
    ::EnumThreadWindows(::GetCurrentThreadId(), &LookAtBox, 0);
}

TEST(SkinnedMessageBox, AnOwnerlessBoxWearsTheProgramsSkin) {
    StartUpProgram();
    skin::TSkinManager manager(nullptr);
    manager.Effects.AllowAnimation = false;
    skin::RegisterBuiltInSkin(manager);
    manager.SetSkinName(skin::kBuiltInSkinName);
    TBoxSeen seen;
    g_seen = &seen;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 400, &LookAtBoxLater);
    ::MessageBoxW(nullptr, L"Appdeck could not find the program \"Notes\".", L"Appdeck",
                  MB_OKCANCEL | MB_ICONWARNING);
    ::KillTimer(nullptr, timer);
    g_seen = nullptr;
    EXPECT_TRUE(seen.Adapted);
    EXPECT_FALSE(seen.SysMenu);
    EXPECT_GE(seen.Children, 3);  // two buttons and the text, the icon
    EXPECT_EQ(seen.AdaptedChildren, seen.Children);
    skin::forms::PurgeProviderList();
    EXPECT_EQ(skin::forms::ProviderListCount(), 0);
}

}  // namespace
}  // namespace ad
