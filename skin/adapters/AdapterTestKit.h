// Test support of the window adapters: a fixture skin with flat colours per
// state for the sections the adapters paint (BUTTON with three states,
// BUTTON4 with four, CHECKBOX, GROUPBOX, TRANSPARENT, SPEEDBUTTON, EDIT and
// COMBOBOX with two, the scroll-bar tracks, arrows, thumbs and the combo
// button with three) and one colour per check glyph, a
// manager that loads it, a plain host window for foreign controls, and a
// plain form section for skinned forms holding adapted controls; attaching
// an adapter in one call.
#pragma once

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "framework/WindowSubclass.h"
#include "skin/adapters/SkMainWnd.h"
#include "skin/engine/testkit/AszTestWriter.h"
#include "skin/engine/testkit/BmpTestWriter.h"
#include "skin/engine/win/SkinManager.h"
#include "testsupport/TempFolder.h"

namespace ad::skin::adapters::test {

// Section colours (TColor, as the skin stores them).
constexpr TColor kButtonNormal = 0x00C08040, kButtonHot = 0x0040C080, kButtonPressed = 0x008040C0;
constexpr TColor kButton4Default = 0x00205070;
constexpr TColor kCheckBoxColor = 0x00D0E0F0, kGroupBoxColor = 0x00A0B0C0, kFormColor = 0x00E8E0D8;
constexpr TColor kTextColor = 0x00000080;
constexpr TColor kStaticTextColor = 0x00106020;
constexpr TColor kSpeedNormal = 0x00B0A090, kSpeedHot = 0x0090B0A0, kSpeedPressed = 0x00A090B0;
constexpr TColor kSpeedText = 0x00400000;
constexpr TColor kEditNormal = 0x00F0F8FF, kEditHot = 0x00D0FFD0, kEditFontColor = 0x00600000;
// Scroll parts: the track before and after the thumb, arrows and thumb; the
// pressed state is state 2 of each.
constexpr TColor kTrackBefore = 0x00B0A090, kTrackAfter = 0x0090A0B0, kTrackPressed = 0x00304050;
constexpr TColor kArrowNormal = 0x00607080, kArrowHot = 0x00708090, kArrowPressed = 0x00203040;
constexpr TColor kThumbNormal = 0x00406080, kThumbHot = 0x00507090, kThumbPressed = 0x00102030;
// Glyph colours (0x00RRGGBB in the images; the TColor is their mirror).
constexpr uint32_t kBoxUnchecked = 0xE00000, kBoxChecked = 0x00E000, kBoxGrayed = 0x0000E0;
constexpr uint32_t kRadioUnchecked = 0xE0E000, kRadioChecked = 0x00E0E0;
constexpr int kGlyph = 13;

inline TColor GlyphColor(uint32_t rgb) { return TColor(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | (rgb >> 16)); }

inline std::vector<uint8_t> AdapterSkin() {
    auto c = [](TColor colour) { return std::to_string(colour); };
    auto threeStates = [&](const char* name, TColor normal, TColor hot, TColor pressed) {
        return std::string("[") + name + "]\r\nSTATES=3\r\nUSESTATE2=1\r\nCOLOR=" + c(normal) + "\r\nHOTCOLOR=" +
               c(hot) + "\r\nCOLOR2=" + c(pressed) + "\r\nFONTCOLOR=0\r\nHOTFONTCOLOR=0\r\n";
    };
    auto scrollSections = [&] {
        std::string out;
        for (const char* name : {"SCROLLBAR1H", "SCROLLBAR1V"}) out += threeStates(name, kTrackBefore, kTrackBefore, kTrackPressed);
        for (const char* name : {"SCROLLBAR2H", "SCROLLBAR2V"}) out += threeStates(name, kTrackAfter, kTrackAfter, kTrackPressed);
        for (const char* name : {"SCROLLBTNLEFT", "SCROLLBTNTOP", "SCROLLBTNRIGHT", "SCROLLBTNBOTTOM"})
            out += threeStates(name, kArrowNormal, kArrowHot, kArrowPressed);
        for (const char* name : {"SCROLLSLIDERH", "SCROLLSLIDERV"}) out += threeStates(name, kThumbNormal, kThumbHot, kThumbPressed);
        return out;
    };
    const std::string ini =
        "[GLOBALINFO]\r\nVERSION=10\r\nCOLOR=12632256\r\nMASTERBITMAP=M.BMP\r\nTITLEHEIGHT=26\r\nBORDERWIDTH=4\r\n"
        "BOXUNCHECKED=!BU.BMP!3\r\nBOXCHECKED=!BC.BMP!3\r\nBOXGRAYED=!BG.BMP!3\r\n"
        "RADIOUNCHECKED=!RU.BMP!3\r\nRADIOCHECKED=!RC.BMP!3\r\n"
        "[BUTTON]\r\nSTATES=3\r\nUSESTATE2=1\r\nCOLOR=" + c(kButtonNormal) + "\r\nHOTCOLOR=" + c(kButtonHot) +
        "\r\nCOLOR2=" + c(kButtonPressed) + "\r\nFONTCOLOR=" + c(kTextColor) + "\r\n"
        "[BUTTON4]\r\nSTATES=4\r\nUSESTATE2=1\r\nCOLOR=" + c(kButtonNormal) + "\r\nHOTCOLOR=" + c(kButtonHot) +
        "\r\nCOLOR2=" + c(kButtonPressed) + "\r\n"
        "[CHECKBOX]\r\nSTATES=2\r\nCOLOR=" + c(kCheckBoxColor) + "\r\nHOTCOLOR=" + c(kCheckBoxColor) +
        "\r\nFONTCOLOR=" + c(kTextColor) + "\r\n"
        "[GROUPBOX]\r\nSTATES=1\r\nCOLOR=" + c(kGroupBoxColor) + "\r\nFONTCOLOR=" + c(kTextColor) + "\r\n"
        "[EDIT]\r\nSTATES=2\r\nCOLOR=" + c(kEditNormal) + "\r\nHOTCOLOR=" + c(kEditHot) +
        "\r\nFONTCOLOR=" + c(kEditFontColor) + "\r\nHOTFONTCOLOR=" + c(kEditFontColor) + "\r\n" +
        scrollSections() +
        "[COMBOBOX]\r\nSTATES=2\r\nCOLOR=" + c(kEditNormal) + "\r\nHOTCOLOR=" + c(kEditHot) +
        "\r\nFONTCOLOR=" + c(kEditFontColor) + "\r\nHOTFONTCOLOR=" + c(kEditFontColor) + "\r\n" +
        threeStates("COMBOBTN", kArrowNormal, kArrowHot, kArrowPressed) +
        "[FORM]\r\nSTATES=2\r\nCOLOR=" + c(kFormColor) + "\r\nHOTCOLOR=" + c(kFormColor) + "\r\n"
        "[TRANSPARENT]\r\nSTATES=1\r\nTRANSPARENCY=100\r\nFONTCOLOR=" + c(kStaticTextColor) + "\r\n"
        "[SPEEDBUTTON]\r\nSTATES=3\r\nUSESTATE2=1\r\nCOLOR=" + c(kSpeedNormal) + "\r\nHOTCOLOR=" + c(kSpeedHot) +
        "\r\nCOLOR2=" + c(kSpeedPressed) + "\r\nFONTCOLOR=" + c(kSpeedText) + "\r\nHOTFONTCOLOR=" + c(kSpeedText) +
        "\r\nFONTCOLOR2=" + c(kSpeedText) + "\r\n"
        "[FORMTITLE]\r\nSTATES=2\r\nCOLOR=8421504\r\nHOTCOLOR=10506304\r\nFONTCOLOR=16777215\r\n"
        "HOTFONTCOLOR=16777215\r\n";
    auto glyph = [](uint32_t rgb) { return bmptest::SolidBmp(3 * kGlyph, kGlyph, rgb); };
    return asztest::Pack({{"OPTIONS.DAT", asztest::Text(ini)},
                          {"M.BMP", bmptest::SolidBmp(4, 4, 0x336699)},
                          {"BU.BMP", glyph(kBoxUnchecked)},
                          {"BC.BMP", glyph(kBoxChecked)},
                          {"BG.BMP", glyph(kBoxGrayed)},
                          {"RU.BMP", glyph(kRadioUnchecked)},
                          {"RC.BMP", glyph(kRadioChecked)}});
}

// The default manager with the adapter skin (or another fixture skin) loaded.
class TAdapterSkinFixture {
public:
    explicit TAdapterSkinFixture(const std::vector<uint8_t>& skin = AdapterSkin()) {
        std::ofstream(dir_.Path() + "Adapters.asz", std::ios::binary)
            .write(reinterpret_cast<const char*>(skin.data()), std::streamsize(skin.size()));
        Manager.Effects.AllowAnimation = false;
        Manager.SetSkinDirectory(dir_.Path().substr(0, dir_.Path().size() - 1));
        Manager.SetSkinName("Adapters");
    }
    ad::test::TempDir dir_;
    TSkinManager Manager{nullptr};
};

// An adapter of class T on the window (for the control, when given), in the
// section given or its own default.
template <class T>
TSkAdapterPtr<T> AttachAdapter(HWND wnd, TSkinManager& manager, TWinControl* control = nullptr,
                                 const std::string& section = {}) {
    TSkSkinParams params;
    params.Control = control;
    params.SkinSection = section;
    return TSkMainWnd::Create<T>(wnd, nullptr, &manager, params);
}

// What the screen shows at a point of a window's client area.
inline COLORREF ScreenPixel(HWND wnd, int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(wnd, &p);
    WindowDC screen(nullptr);
    return ::GetPixel(screen.Get(), p.x, p.y);
}

// A shown top-level window (no skin of its own) to hold foreign controls.
class THostWindow {
public:
    THostWindow(int width = 300, int height = 200) {
        wnd_ = ::CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, width,
                                 height, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ::ShowWindow(wnd_, SW_SHOWNOACTIVATE);
    }
    ~THostWindow() { ::DestroyWindow(wnd_); }
    THostWindow(const THostWindow&) = delete;
    THostWindow& operator=(const THostWindow&) = delete;
    HWND Handle() const { return wnd_; }
    // A visible child of a system class, in the default GUI font.
    HWND AddChild(const wchar_t* className, DWORD style, DWORD exStyle, int x, int y, int w, int h) const {
        HWND child = ::CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h, wnd_,
                                       nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ::SendMessageW(child, WM_SETFONT, WPARAM(::GetStockObject(DEFAULT_GUI_FONT)), 0);
        return child;
    }
    // A visible child of the system's button class.
    HWND AddButton(DWORD style, const wchar_t* text, int x, int y, int w, int h) const {
        HWND child = ::CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, wnd_, nullptr,
                                       ::GetModuleHandleW(nullptr), nullptr);
        ::SendMessageW(child, WM_SETFONT, WPARAM(::GetStockObject(DEFAULT_GUI_FONT)), 0);
        return child;
    }

private:
    HWND wnd_ = nullptr;
};

// Hooked on a window: records what reaches it and passes everything on
// (below an adapter when hooked before it).
struct TSpy {
    explicit TSpy(HWND wnd)
        : Hook(std::make_unique<TWindowSubclass>(wnd, [this](TMessage& m) {
              Seen.push_back(m);
              return false;
          })) {}
    bool Saw(UINT msg) const {
        return std::any_of(Seen.begin(), Seen.end(), [&](const TMessage& m) { return m.Msg == msg; });
    }
    std::vector<TMessage> Seen;
    std::unique_ptr<TWindowSubclass> Hook;
};

}  // namespace ad::skin::adapters::test
