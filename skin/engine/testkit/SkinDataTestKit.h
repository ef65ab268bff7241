// Test support for the skin data's window tests: a packed test skin loaded
// by a manager, a skinned panel that paints its section through its skin data
// and records the commands it gets, and a shown form to hold such panels.
#pragma once

#include <windows.h>

#include <fstream>
#include <string>
#include <type_traits>
#include <vector>

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "skin/engine/testkit/AszTestWriter.h"
#include "skin/engine/testkit/BmpTestWriter.h"
#include "skin/engine/win/SkinControlBorder.h"
#include "skin/engine/win/SkinDataMessages.h"
#include "skin/engine/win/SkinDataText.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/engine/paint/SkinMaskPaint.h"
#include "skin/engine/paint/SkinSectionPaint.h"
#include "testsupport/TempFolder.h"

namespace ad::skin::datatest {

// A skin whose sections cover the cases: opaque panels (one with a gradient,
// so it answers with its image), a see-through panel, a half transparent
// black one, an edit with a hot state, a framed one, a glowing one, a text
// section with an outline, one whose text glows and a web button.
inline std::vector<uint8_t> TestSkin() {
    const std::string ini =
        "[GLOBALINFO]\r\nVERSION=10\r\nCOLOR=12632256\r\nMASTERBITMAP=M.BMP\r\n"
        "[PANEL]\r\nSTATES=1\r\nCOLOR=13158600\r\n"
        "[GRADPANEL]\r\nSTATES=1\r\nCOLOR=13158600\r\nGRADIENTPERCENT=100\r\n"
        "GRADIENTDATA=16744448;16777215;100;0;0\r\n"
        "[SEETHRU]\r\nSTATES=1\r\nTRANSPARENCY=100\r\n"
        "[HALF]\r\nSTATES=1\r\nCOLOR=0\r\nTRANSPARENCY=50\r\n"
        "[EDIT]\r\nSTATES=2\r\nCOLOR=16777215\r\nHOTCOLOR=14811135\r\nFONTCOLOR=0\r\nHOTFONTCOLOR=255\r\n"
        "[FRAMED]\r\nSTATES=3\r\nCOLOR=15790320\r\nBORDERSMASK=!B.BMP!3!0!0!3!3!3!3\r\n"
        "[GLOWING]\r\nSTATES=2\r\nCOLOR=15790320\r\nGLOW=1\r\nGLOWMARGIN=4\r\n"
        "[TEXT]\r\nSTATES=1\r\nCOLOR=15790320\r\nFONTCOLOR=255\r\nTCLEFT=65280\r\n"
        "[GLOWTEXT]\r\nSTATES=1\r\nCOLOR=15790320\r\nFONTCOLOR=0\r\nGSIZE=3\r\nGCOL=16711680\r\n"
        "[WEBBUTTON]\r\nSTATES=1\r\nCOLOR=15790320\r\nFONTCOLOR=16711680\r\n";
    // Three 9 x 9 frames: a 3-pixel border (blue, green, red by state) round white.
    std::vector<uint32_t> frame(27 * 9);
    const uint32_t borders[3] = {0xFF2050C0u, 0xFF20A040u, 0xFFC03020u};
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 27; ++x) {
            const int fx = x % 9;
            const bool edge = fx < 3 || fx >= 6 || y < 3 || y >= 6;
            frame[size_t(y * 27 + x)] = edge ? borders[x / 9] : 0xFFFFFFFFu;
        }
    return asztest::Pack({{"OPTIONS.DAT", asztest::Text(ini)},
                          {"M.BMP", bmptest::SolidBmp(4, 4, 0x336699)},
                          {"B.BMP", bmptest::Bmp(27, 9, frame)}});
}

// A manager with the test skin loaded, the default manager while it lives.
class TSkinFixture {
public:
    TSkinFixture() {
        std::ofstream(dir_.Path() + "Test.asz", std::ios::binary)
            .write(reinterpret_cast<const char*>(skin_.data()), std::streamsize(skin_.size()));
        Manager.SetSkinDirectory(dir_.Path().substr(0, dir_.Path().size() - 1));
        Manager.SetSkinName("Test");
        Manager.Effects.AllowAnimation = false;
    }
    TSkinManager Manager{nullptr};

private:
    test::TempDir dir_;
    std::vector<uint8_t> skin_ = TestSkin();
};

// A skinned panel: its window procedure gives every message to its skin data
// first and paints the section (background and border) into its cache image.
class TSkinTestPanel : public TPanel {
public:
    explicit TSkinTestPanel(TComponent* AOwner) : TPanel(AOwner) { Data.Loading = false; }
    TSkinCtrlSkinData Data{this, true};
    std::vector<int> Commands;       // skin commands that reached the window procedure
    std::vector<UINT> PassedOn;      // messages the skin data left to the panel
    int Rebuilds = 0;
    int AnswerIndex = 0;              // answer to SKC_GETSKININDEX
    int ExtraWidth = 0;               // frame inside the border
    TRect Inner;                      // inside the border, as last painted

    void WndProc(TMessage& m) override {
        if (m.Msg == SKM_SKINCMD) {
            const int command = SkinCommandOf(m.WParam);
            Commands.push_back(command);
            if (command == SKC_CACHEVALID) RebuildCache();
            if (command == SKC_GETSKININDEX) {
                m.Result = AnswerIndex;
                return;
            }
        }
        if (HandleCommonWindowMessage(m, &Data)) return;
        PassedOn.push_back(m.Msg);
        TPanel::WndProc(m);
    }

    void RebuildCache() {
        ++Rebuilds;
        const TSkinTables* skin = Data.Skin();
        Data.PrepareCacheImage();
        if (!skin || !Data.IsSkinActive() || Data.CacheImage->Empty()) return;
        const TImageView32 view = Data.CacheImage->View();
        const TSkBgCacheRef bg = Data.GetParentBgRef();
        const TRect all{0, 0, view.Width, view.Height};
        PaintSectionBackground(view, all, {0, 0}, bg, Data.SkinIndex, 0, kNoCustomColor, Data.HotPatternIndex,
                               Data.PatternIndex, *skin);
        if (skin->IsValidMaskIndex(Data.BorderIndex)) PaintControlBorder(nullptr, all, ExtraWidth, Inner, 0, Data);
        Data.BgChanged = false;
    }

protected:
    void Paint(HDC dc, const RECT& clip) override {
        if (!Data.IsSkinActive()) {
            TPanel::Paint(dc, clip);
            return;
        }
        if (Data.BgChanged || !Data.CacheImage || Data.CacheImage->Empty()) RebuildCache();
        Data.CacheImage->Draw(dc, 0, 0, {0, 0, Width(), Height()});
        if (const std::string text = Caption(); !text.empty()) {
            SelectObjectScope font(dc, EffectiveFont().Handle());
            DrawDataText(dc, text, Enabled(), false, Data, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                         {0, 0, Width(), Height()});
        }
    }
};

struct TFormFixture : TSkinFixture {
    TFormFixture() {
        Form.SetBounds(40, 40, 320, 220);
        Form.SetCaption("Skin data");
        Form.Show();
    }
    ~TFormFixture() { Form.Hide(); }
    template <class T = TSkinTestPanel>
    T* Add(TWinControl* parent, int x, int y, int w, int h, const std::string& section = "") {
        auto* p = new T(&Form);
        p->SetParent(parent);
        p->SetBounds(x, y, w, h);
        if constexpr (std::is_same_v<T, TSkinTestPanel>)
            if (!section.empty()) p->Data.SetSkinSection(section);
        return p;
    }
    TForm Form{nullptr};
};

// The panel's cache image made and filled white, to see what painting puts in.
inline TImageView32 WhiteCache(TSkinTestPanel* panel) {
    panel->Data.PrepareCacheImage();
    const TImageView32 cache = panel->Data.CacheImage->View();
    FillRect32(cache, {0, 0, cache.Width, cache.Height}, 0xFFFFFF, 255);
    return cache;
}

inline std::vector<int> Count(const std::vector<int>& commands, int command) {
    std::vector<int> found;
    for (int c : commands)
        if (c == command) found.push_back(c);
    return found;
}

}  // namespace ad::skin::datatest
