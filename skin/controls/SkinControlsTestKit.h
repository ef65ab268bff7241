// Test support of the skinned controls: a fixture skin with flat colours per
// state (buttons of one, three and four states, one with a frame whose
// corners are key-coloured, panels, labels, an edit and scroll-bar parts),
// the default manager that loads it, a shown form to hold the controls, and
// the pixels a control paints through its own WM_PRINT.
#pragma once

#include <windows.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "framework/Forms.h"
#include "framework/ParentBackground.h"
#include "framework/PrintTestKit.h"
#include "skin/engine/testkit/AszTestWriter.h"
#include "skin/engine/testkit/BmpTestWriter.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/forms/SkinFormServices.h"
#include "testsupport/TempFolder.h"

namespace ad::skin::controls::test {

// Colours of the fixture's sections (0x00BBGGRR).
constexpr TColor kButtonNormal = 0xD0D0D0, kButtonHot = 0xF0C080, kButtonPressed = 0x806040;
constexpr TColor kButtonFont = 0x000080, kButtonHotFont = 0x008000, kButtonPressedFont = 0xFFFFFF;
constexpr TColor kPanelColor = 0x60A0E0, kPanelLowColor = 0x4080C0, kGroupColor = 0x90B0D0;
constexpr TColor kFormColor = 0xC0C0C0, kPanelFont = 0x0000C0;
constexpr TColor kEditColor = 0xE0FFFF, kEditFont = 0x800000;
constexpr uint32_t kKey = 0xFF00FF;
constexpr int kFrameSide = 12, kFrameBorder = 3;  // one state of FRAMEDBUTTON's mask

// One 12 x 12 frame per state: a dark border, the inside key-coloured (the
// body shows), and the corner pixel with its two edge neighbours key-coloured.
inline std::vector<uint32_t> ButtonFramePixels(int states) {
    const int w = kFrameSide * states;
    std::vector<uint32_t> px(size_t(w * kFrameSide));
    for (int y = 0; y < kFrameSide; ++y)
        for (int x = 0; x < w; ++x) {
            const int fx = x % kFrameSide;
            const int cx = fx < kFrameSide / 2 ? fx : kFrameSide - 1 - fx;
            const int cy = y < kFrameSide / 2 ? y : kFrameSide - 1 - y;
            const bool corner = cx + cy <= 1;
            const bool edge = cx < kFrameBorder || cy < kFrameBorder;
            px[size_t(y * w + x)] = corner ? kKey : edge ? 0x303030u : kKey;
        }
    return px;
}

inline std::string StateKeys(TColor normal, TColor hot, TColor pressed, TColor font, TColor hotFont,
                             TColor pressedFont) {
    return "USESTATE2=1\r\nCOLOR=" + std::to_string(normal) + "\r\nHOTCOLOR=" + std::to_string(hot) + "\r\nCOLOR2=" +
           std::to_string(pressed) + "\r\nFONTCOLOR=" + std::to_string(font) + "\r\nHOTFONTCOLOR=" +
           std::to_string(hotFont) + "\r\nFONTCOLOR2=" + std::to_string(pressedFont) + "\r\n";
}

inline std::vector<uint8_t> ControlsSkin() {
    const std::string states = StateKeys(kButtonNormal, kButtonHot, kButtonPressed, kButtonFont, kButtonHotFont,
                                         kButtonPressedFont);
    const std::string ini =
        "[GLOBALINFO]\r\nVERSION=10\r\nCOLOR=" + std::to_string(kFormColor) + "\r\nMASTERBITMAP=M.BMP\r\n"
        "[FORM]\r\nSTATES=1\r\nCOLOR=" + std::to_string(kFormColor) + "\r\n"
        "[BUTTON]\r\nSTATES=4\r\n" + states +
        "[BUTTON3]\r\nSTATES=3\r\n" + states +
        "[BUTTON1]\r\nSTATES=1\r\n" + states +
        "[FRAMEDBUTTON]\r\nSTATES=3\r\n" + states + "BORDERSMASK=!FB.BMP!3!0!0!3!3!3!3\r\n"
        "[PANEL]\r\nSTATES=1\r\nCOLOR=" + std::to_string(kPanelColor) + "\r\nFONTCOLOR=" + std::to_string(kPanelFont) + "\r\n"
        "[PANEL_LOW]\r\nSTATES=1\r\nCOLOR=" + std::to_string(kPanelLowColor) + "\r\nFONTCOLOR=0\r\n"
        "[GROUPBOX]\r\nSTATES=1\r\nCOLOR=" + std::to_string(kGroupColor) + "\r\nFONTCOLOR=0\r\n"
        "[EDIT]\r\nSTATES=1\r\nCOLOR=" + std::to_string(kEditColor) + "\r\nFONTCOLOR=" + std::to_string(kEditFont) + "\r\n"
        "[TRANSPARENT]\r\nSTATES=1\r\nTRANSPARENCY=100\r\n";
    return asztest::Pack({{"OPTIONS.DAT", asztest::Text(ini)},
                          {"M.BMP", bmptest::SolidBmp(4, 4, 0x336699)},
                          {"FB.BMP", bmptest::Bmp(3 * kFrameSide, kFrameSide, ButtonFramePixels(3))}});
}

// The default manager with the fixture skin loaded, no animations, and the
// program's painter of what lies beneath windowless stand-ins (labels).
class TControlsSkinFixture {
public:
    TControlsSkinFixture() {
        previousPainter_ = SetParentBackgroundPainter(skin::forms::PaintSkinnedParentBackground);
        const std::vector<uint8_t> skin = ControlsSkin();
        std::ofstream(dir_.Path() + "Controls.asz", std::ios::binary)
            .write(reinterpret_cast<const char*>(skin.data()), std::streamsize(skin.size()));
        Manager = std::make_unique<TSkinManager>(nullptr);
        Manager->Effects.AllowAnimation = false;
        Manager->SetSkinDirectory(dir_.Path().substr(0, dir_.Path().size() - 1));
        Manager->SetSkinName("Controls");
    }
    ~TControlsSkinFixture() { SetParentBackgroundPainter(previousPainter_); }
    TControlsSkinFixture(const TControlsSkinFixture&) = delete;
    TControlsSkinFixture& operator=(const TControlsSkinFixture&) = delete;
    std::unique_ptr<TSkinManager> Manager;

private:
    ad::test::TempDir dir_;
    TParentBackgroundPainter previousPainter_;
};

// A shown form for the controls, at (40, 40).
struct TControlsFormFixture : TControlsSkinFixture {
    TControlsFormFixture() {
        Form.SetBounds(40, 40, 360, 240);
        Form.SetCaption("Controls");
        Form.Show();
    }
    ~TControlsFormFixture() { Form.Hide(); }
    template <class T>
    T* Add(TWinControl* parent, int x, int y, int w, int h, const std::string& caption = "") {
        auto* c = new T(&Form);
        c->SetParent(parent ? parent : &Form);
        c->SetBounds(x, y, w, h);
        if (!caption.empty()) c->SetCaption(caption);
        return c;
    }
    TForm Form{nullptr};
};

// A shown form without a skin manager, and a control placed on it.
struct TPlainFormFixture {
    TPlainFormFixture() {
        Form.SetBounds(40, 40, 200, 120);
        Form.Show();
    }
    ~TPlainFormFixture() { Form.Hide(); }
    template <class T>
    T* Add(int x, int y, int w, int h) {
        auto* c = new T(&Form);
        c->SetParent(&Form);
        c->SetBounds(x, y, w, h);
        return c;
    }
    TForm Form{nullptr};
};

// What the control paints through its own WM_PRINT.
inline ad::test::TPrintedImage Printed(TWinControl* control) {
    return ad::test::PrintInto(control->Handle(), WM_PRINT, PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND,
                               control->Width(), control->Height());
}

inline COLORREF Rgb(TColor color) { return COLORREF(color & 0xFFFFFF); }

// Pixels of the colour inside r (clipped to the image).
inline int CountColour(const ad::test::TPrintedImage& image, const RECT& r, TColor color) {
    int n = 0;
    for (int y = std::max(0L, r.top); y < std::min(long(image.Height), r.bottom); ++y)
        for (int x = std::max(0L, r.left); x < std::min(long(image.Width), r.right); ++x)
            if (image.At(x, y) == Rgb(color)) ++n;
    return n;
}

}  // namespace ad::skin::controls::test
