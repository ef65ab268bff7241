// Test support of the skinned menus: a fixture skin whose menu sections each
// have a colour of their own (frame, icon column, item states, caption
// items, divider, a two-state check glyph), loaded by a default manager with
// the form skinning's links, and the popup-menu window found while open.
#pragma once

#include <windows.h>

#include <fstream>
#include <memory>
#include <string>

#include "framework/Menus.h"
#include "skin/engine/testkit/AszTestWriter.h"
#include "skin/engine/testkit/BmpTestWriter.h"
#include "skin/engine/win/SkinEngineLinks.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/forms/SkinHook.h"
#include "skin/forms/SkinMenus.h"
#include "testsupport/TempFolder.h"

namespace ad::skin::forms::test {

// Colours with equal red and blue: the same value as a TColor and as 0xRRGGBB.
constexpr TColor kMenuFrame = 0xE0E0E0, kMenuBorder = 0x505050, kIcoLine = 0xC8C8C8;
constexpr TColor kItemNormal = 0xF8F8F8, kItemSelected = 0x30B030, kItemText = 0x101010, kItemSelectedText = 0xFFFFFF;
constexpr TColor kCaptionItem = 0x906090, kDivider = 0x707070;
constexpr TColor kCheckNormal = 0x802080, kCheckSelected = 0xC040C0;
constexpr int kCheckSize = 10, kMenuBorderWidth = 3;

inline std::vector<uint8_t> MenuSkin() {
    auto c = [](TColor colour) { return std::to_string(colour); };
    const std::string ini =
        "[GLOBALINFO]\r\nVERSION=10\r\nCOLOR=12632256\r\nMASTERBITMAP=M.BMP\r\n"
        "[MAINMENU]\r\nSTATES=1\r\nCOLOR=" + c(kMenuFrame) + "\r\nBORDERSMASK=!MB.BMP!1!0!0!3!3!3!3\r\n"
        "[ICOLINE]\r\nSTATES=1\r\nCOLOR=" + c(kIcoLine) + "\r\n"
        "[MENUITEM]\r\nSTATES=2\r\nCOLOR=" + c(kItemNormal) + "\r\nHOTCOLOR=" + c(kItemSelected) +
        "\r\nFONTCOLOR=" + c(kItemText) + "\r\nHOTFONTCOLOR=" + c(kItemSelectedText) + "\r\nCHECK=!CK.BMP!2\r\n"
        "[MENUCAPTION]\r\nSTATES=1\r\nCOLOR=" + c(kCaptionItem) + "\r\nFONTCOLOR=16777215\r\n"
        "[DIVIDER]\r\nSTATES=1\r\nCOLOR=" + c(kDivider) + "\r\n"
        "[EXTRALINE]\r\nSTATES=1\r\nCOLOR=4210752\r\nFONTCOLOR=16777215\r\n";
    // The border mask: 9 x 9, a 3-pixel border of the border colour.
    std::vector<uint32_t> border(81);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x) border[size_t(y * 9 + x)] = (x < 3 || x > 5 || y < 3 || y > 5) ? kMenuBorder : kMenuFrame;
    std::vector<uint32_t> check(size_t(2 * kCheckSize * kCheckSize));
    for (int y = 0; y < kCheckSize; ++y)
        for (int x = 0; x < 2 * kCheckSize; ++x)
            check[size_t(y * 2 * kCheckSize + x)] = x < kCheckSize ? kCheckNormal : kCheckSelected;
    return asztest::Pack({{"OPTIONS.DAT", asztest::Text(ini)},
                          {"M.BMP", bmptest::SolidBmp(4, 4, 0x336699)},
                          {"MB.BMP", bmptest::Bmp(9, 9, border)},
                          {"CK.BMP", bmptest::Bmp(2 * kCheckSize, kCheckSize, check)}});
}

// The default manager with the menu skin and the form skinning's links.
class TMenuSkinFixture {
public:
    TMenuSkinFixture() {
        TSkinEngineLinks links;
        AddFormSkinningLinks(links);
        InstallSkinEngineLinks(links);
        const std::vector<uint8_t> skin = MenuSkin();
        std::ofstream(dir_.Path() + "Menus.asz", std::ios::binary)
            .write(reinterpret_cast<const char*>(skin.data()), std::streamsize(skin.size()));
        Manager = std::make_unique<TSkinManager>(nullptr);
        Manager->Effects.AllowAnimation = false;
        Manager->SetSkinDirectory(dir_.Path().substr(0, dir_.Path().size() - 1));
        Manager->SetSkinName("Menus");
    }
    ~TMenuSkinFixture() {
        Manager.reset();
        InstallSkinEngineLinks({});
    }
    TMenuSkinFixture(const TMenuSkinFixture&) = delete;
    TMenuSkinFixture& operator=(const TMenuSkinFixture&) = delete;
    TSkinableMenus& Menus() { return *dynamic_cast<TSkinableMenus*>(Manager->SkinableMenus()); }

    std::unique_ptr<TSkinManager> Manager;

private:
    ad::test::TempDir dir_;
};

// The open popup-menu window of this thread, null when none.
inline HWND OpenPopupWindow() {
    HWND found = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND wnd, LPARAM data) -> BOOL {
            char name[16] = {};
            ::GetClassNameA(wnd, name, sizeof name);
            if (std::string(name) == "#32768" && ::IsWindowVisible(wnd)) {
                *reinterpret_cast<HWND*>(data) = wnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace ad::skin::forms::test
