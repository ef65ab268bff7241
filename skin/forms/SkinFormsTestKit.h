// Test support of the form skinning: fixture skins with a frame whose corners
// are cut (fuchsia), title buttons of their own size and a size grip, a
// manager that loads them with the form skinning's engine links installed,
// and shown forms of a given border style.
#pragma once

#include <windows.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "framework/Forms.h"
#include "framework/Menus.h"
#include "skin/engine/testkit/AszTestWriter.h"
#include "skin/engine/testkit/BmpTestWriter.h"
#include "skin/engine/win/SkinEngineLinks.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/forms/SkinHook.h"
#include "skin/forms/SkinProvider.h"
#include "testsupport/GuiTest.h"
#include "testsupport/TempFolder.h"

namespace ad::skin::forms::test {

constexpr uint32_t kKey = 0xFF00FF;  // cut out of the region
constexpr int kButtonW = 25, kButtonH = 17;  // one state of a title button
constexpr int kGrip = 10;
constexpr int kFrameSide = 12, kFrameBorder = 4;  // a frame state of FORM's BORDERSMASK
constexpr TColor kFormColor = 0xC0E0F0, kOtherFormColor = 0x405060;
constexpr TColor kLabelColor = 0x00336699;
constexpr TColor kActiveTitleColor = 0x00A06040;
constexpr TColor kTitleItemColor = 0x00307050, kTitleItemHotColor = 0x0040A070;

// A frame state of 12 x 12: grey border, white inside, the three pixels of
// each corner (the corner and its two neighbours on the edges) key-coloured.
inline std::vector<uint32_t> FramePixels(int states) {
    const int w = kFrameSide * states;
    std::vector<uint32_t> px(size_t(w * kFrameSide));
    for (int y = 0; y < kFrameSide; ++y)
        for (int x = 0; x < w; ++x) {
            const int fx = x % kFrameSide;
            const bool edge = fx < kFrameBorder || fx >= kFrameSide - kFrameBorder || y < kFrameBorder ||
                              y >= kFrameSide - kFrameBorder;
            const int cx = fx < kFrameSide / 2 ? fx : kFrameSide - 1 - fx;
            const int cy = y < kFrameSide / 2 ? y : kFrameSide - 1 - y;
            const bool corner = cx + cy <= 1 || (cx == 2 && cy == 0) || (cx == 0 && cy == 2);
            px[size_t(y * w + x)] = corner ? kKey : edge ? 0x808080u : 0xFFFFFFu;
        }
    return px;
}

// withMasks: FORM has its frame mask; formColor: FORM's colour when active
// (its second state; inactive it is a little lighter or darker).
inline std::vector<uint8_t> FormSkin(bool withMasks, TColor formColor = kFormColor) {
    std::string ini =
        "[GLOBALINFO]\r\nVERSION=10\r\nCOLOR=12632256\r\nMASTERBITMAP=M.BMP\r\nTITLEHEIGHT=30\r\nMAXHEIGHT=0\r\n"
        "BORDERWIDTH=6\r\n"
        "BICLOSEALONE=!CL.BMP!3\r\nBICONCLOSE=!CL.BMP!3\r\nBICONMAX=!MX.BMP!3\r\nBICONMIN=!MN.BMP!3\r\n"
        "BICONNORM=!NM.BMP!3\r\nSICONCLOSE=!CL.BMP!3\r\nSICONMAX=!MX.BMP!3\r\nSICONMIN=!MN.BMP!3\r\n"
        "SICONNORM=!NM.BMP!3\r\nGRIPIMAGE=!GR.BMP!1\r\n"
        "[LABEL]\r\nSTATES=1\r\nFONTCOLOR=" + std::to_string(kLabelColor) + "\r\n"
        "[FORM]\r\nSTATES=2\r\nCOLOR=" + std::to_string(formColor ^ 0x202020) + "\r\nHOTCOLOR=" +
        std::to_string(formColor) + "\r\n";
    if (withMasks) ini += "BORDERSMASK=!FB.BMP!2!0!0!4!4!4!4\r\n";
    // The title's inactive (normal) and active (hot) states differ.
    ini += "[FORMTITLE]\r\nSTATES=2\r\nCOLOR=8421504\r\nHOTCOLOR=" + std::to_string(kActiveTitleColor) + "\r\n";
    // The title bar component's buttons.
    ini += "[TB_BTN]\r\nSTATES=2\r\nCOLOR=" + std::to_string(kTitleItemColor) + "\r\nHOTCOLOR=" +
           std::to_string(kTitleItemHotColor) + "\r\nFONTCOLOR=16777215\r\n";
    // Normal, hot and pressed frames side by side, each a shade of its own.
    auto button = [](uint32_t colour) {
        std::vector<uint32_t> px(size_t(3 * kButtonW * kButtonH));
        for (int y = 0; y < kButtonH; ++y)
            for (int x = 0; x < 3 * kButtonW; ++x) px[size_t(y * 3 * kButtonW + x)] = colour + uint32_t(x / kButtonW) * 0x10;
        return bmptest::Bmp(3 * kButtonW, kButtonH, px);
    };
    return asztest::Pack({{"OPTIONS.DAT", asztest::Text(ini)},
                          {"M.BMP", bmptest::SolidBmp(4, 4, 0x336699)},
                          {"CL.BMP", button(0xC03020)},
                          {"MX.BMP", button(0x20A040)},
                          {"MN.BMP", button(0x2050C0)},
                          {"NM.BMP", button(0x808000)},
                          {"GR.BMP", bmptest::SolidBmp(kGrip, kGrip, 0x404040)},
                          {"FB.BMP", bmptest::Bmp(2 * kFrameSide, kFrameSide, FramePixels(2))}});
}

// The default manager with a fixture skin and the form skinning's links: every
// form activated while it lives gets a provider.
class TFormSkinFixture {
public:
    explicit TFormSkinFixture(bool withMasks = true) {
        TSkinEngineLinks links;
        AddFormSkinningLinks(links);
        InstallSkinEngineLinks(links);
        Write("Forms", FormSkin(true));
        Write("Plain", FormSkin(false));
        Write("Other", FormSkin(true, kOtherFormColor));
        Manager = std::make_unique<TSkinManager>(nullptr);
        Manager->Effects.AllowAnimation = false;
        Manager->SetSkinDirectory(dir_.Path().substr(0, dir_.Path().size() - 1));
        Manager->SetSkinName(withMasks ? "Forms" : "Plain");
    }
    ~TFormSkinFixture() {
        Manager.reset();  // its hooks come off through the links
        InstallSkinEngineLinks({});
    }
    TFormSkinFixture(const TFormSkinFixture&) = delete;
    TFormSkinFixture& operator=(const TFormSkinFixture&) = delete;

    std::unique_ptr<TSkinManager> Manager;

private:
    void Write(const std::string& name, const std::vector<uint8_t>& skin) {
        std::ofstream(dir_.Path() + name + ".asz", std::ios::binary)
            .write(reinterpret_cast<const char*>(skin.data()), std::streamsize(skin.size()));
    }
    ad::test::TempDir dir_;
};

// A form of the given style, shown (and so activated) at (60, 60).
inline std::unique_ptr<TForm> ShownForm(TFormBorderStyle style = TFormBorderStyle::bsSizeable, int width = 320,
                                        int height = 220) {
    auto form = std::make_unique<TForm>(nullptr);
    form->BorderStyle = style;
    form->SetBounds(60, 60, width, height);
    form->SetCaption("Skinned form");
    form->Show();
    ad::test::PumpPending();
    return form;
}

// A shown form with a menu bar of two items, "&File" and "&Help" (the form owns the menu).
inline std::unique_ptr<TForm> ShownFormWithMenu(TMainMenu*& menu) {
    auto form = std::make_unique<TForm>(nullptr);
    menu = new TMainMenu(form.get());
    menu->Items().Add("&File");
    menu->Items().Add("&Help");
    form->SetMenu(menu);
    form->SetBounds(60, 60, 320, 220);
    form->Show();
    ad::test::PumpPending();
    return form;
}

// A later activation of the window: another form comes and goes first.
inline void ActivateAgain(HWND wnd) {
    TForm other(nullptr);
    other.SetBounds(100, 100, 200, 120);
    other.Show();
    ad::test::PumpPending();
    ::SetActiveWindow(wnd);
    ad::test::PumpPending();
    other.Hide();
}

inline TSkinProvider* ProviderOf(TForm& form) {
    return form.HandleAllocated() ? TSkinProvider::OfWindow(form.Handle()) : nullptr;
}

// A fixture skin and one shown form with the provider the hook gave it
// (null when it got none); the form is hidden again at the end.
struct TSkinnedForm {
    explicit TSkinnedForm(TFormBorderStyle style = TFormBorderStyle::bsSizeable, int width = 320, int height = 220,
                          bool withMasks = true)
        : skin(withMasks), form(ShownForm(style, width, height)), wnd(form->Handle()), provider(ProviderOf(*form)) {}
    ~TSkinnedForm() { form->Hide(); }
    // The frame painted (and the region applied) now.
    void PaintFrame() const { ::RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW); }
    TFormSkinFixture skin;
    std::unique_ptr<TForm> form;
    HWND wnd;
    TSkinProvider* provider;
};

// Screen point of window-image point (x, y) of the form.
inline LPARAM ScreenPoint(HWND wnd, int x, int y) {
    RECT r{};
    ::GetWindowRect(wnd, &r);
    return MAKELPARAM(r.left + x, r.top + y);
}

inline LRESULT HitAt(HWND wnd, int x, int y) { return ::SendMessageW(wnd, WM_NCHITTEST, 0, ScreenPoint(wnd, x, y)); }

inline LONG_PTR StyleOf(HWND wnd) { return ::GetWindowLongPtrW(wnd, GWL_STYLE); }

}  // namespace ad::skin::forms::test
