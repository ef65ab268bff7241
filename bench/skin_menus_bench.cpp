// The tray menu's cost under Wine: a popup of 2,000 programs (20 categories
// of 100, and 100 of 20) opened with one category's sub-menu, from the call
// to the sub-menu on screen (the owner's first idle notice after it opened),
// skinned next to unskinned in the same run; then the same popup opened again
// (its items' measures cached). The skin is the program's built-in one.
// Prints one table and the text measurements each opening made.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "bench/BenchTiming.h"
#include "bench/SkinBenchSetup.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/WindowSubclass.h"
#include "skin/forms/SkinMenus.h"

using namespace ad;
using namespace ad::skin;
using namespace ad::skin::forms;
using ad::bench::Millis;

namespace {

// Categories of programs, with a column break every 25 as the tray's.
void FillTray(TPopupMenu& popup, int categories, int programs) {
    popup.Items().Clear();
    for (int c = 0; c < categories; ++c) {
        TMenuItem* category = popup.Items().Add("Category " + std::to_string(c));
        for (int p = 0; p < programs; ++p) {
            TMenuItem* item = category->Add("Program " + std::to_string(c) + "-" + std::to_string(p));
            if (p > 0 && p % 25 == 0) item->Break = TMenuBreak::mbBarBreak;
        }
    }
}

// Opens the popup with its first category's sub-menu and returns the time
// until that sub-menu is on screen.
double OpenWithSubmenu(TForm& owner, TPopupMenu& popup) {
    int idles = 0;
    std::chrono::steady_clock::time_point start;
    double ms = 0;
    TWindowSubclass idle(owner.Handle(), [&](TMessage& m) {
        if (m.Msg != WM_ENTERIDLE || m.WParam != MSGF_MENU) return false;
        HWND menu = reinterpret_cast<HWND>(m.LParam);
        if (++idles == 1) {  // the popup shows: select the first category and open it
            ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
            ::PostMessageW(menu, WM_KEYDOWN, VK_RIGHT, 0);
        } else if (ms == 0) {
            ms = Millis(start);
            ::EndMenu();
        }
        m.Result = 0;
        return true;
    });
    start = std::chrono::steady_clock::now();
    popup.Popup(20, 20);
    Application->ProcessMessages();
    return ms;
}

}  // namespace

int main() {
    TApplication application;
    auto manager = ad::bench::StartBuiltInSkin();
    if (!manager) return 1;
    auto* menus = dynamic_cast<TSkinableMenus*>(manager->SkinableMenus());
    if (!menus) return 1;
    TForm owner(nullptr);
    owner.SetBounds(0, 0, 200, 100);
    owner.Show();
    Application->ProcessMessages();

    std::printf("%-40s %10s %10s %10s %9s\n", "tray menu, 2,000 programs (Wine)", "skinned", "unskinned", "ratio",
                "measures");
    for (const auto& [categories, programs] : {std::pair{20, 100}, std::pair{100, 20}}) {
        TPopupMenu popup(nullptr);
        popup.PopupComponent = &owner;
        FillTray(popup, categories, programs);
        manager->SetSkinnedPopups(false);
        menus->SetMenuSkinned(&popup, false);
        const double plain = OpenWithSubmenu(owner, popup);
        manager->SetSkinnedPopups(true);
        menus->SkinChanged();  // a first opening: no measure cached
        menus->SetMenuSkinned(&popup, true);
        const int before = menus->TextMeasureCount();
        const double skinned = OpenWithSubmenu(owner, popup);
        const int firstMeasures = menus->TextMeasureCount() - before;
        const double again = OpenWithSubmenu(owner, popup);
        const int againMeasures = menus->TextMeasureCount() - before - firstMeasures;
        char name[64];
        std::snprintf(name, sizeof name, "%d x %d, first opening (ms)", categories, programs);
        std::printf("%-40s %10.1f %10.1f %10.2f %9d\n", name, skinned, plain, plain > 0 ? skinned / plain : 0.0,
                    firstMeasures);
        std::snprintf(name, sizeof name, "%d x %d, opened again (ms)", categories, programs);
        std::printf("%-40s %10.1f %10s %10s %9d\n", name, again, "", "", againMeasures);
    }
    manager.reset();
    InstallSkinEngineLinks({});
    return 0;
}
