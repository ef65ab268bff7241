// The speed-button handler: the glyph and caption layout table, a held-down
// button drawn pressed, and the hook given back on skin removal, when the
// handler goes (whatever the button's geometry) and when the button goes.
#include "skin/adapters/SkSpeedButtonHandler.h"

#include <gtest/gtest.h>

#include "framework/Forms.h"
#include "framework/PrintTestKit.h"
#include "skin/adapters/AdapterTestKit.h"

namespace ad::skin::adapters {
namespace {

using namespace test;
using ad::test::PrintInto;

TEST(SkSpeedButtonHandler, GlyphAndCaptionFollowLayoutMarginAndSpacing) {
    // A 60 x 40 button, a 16 x 16 glyph, a 20 x 10 caption, spacing 4.
    struct Case {
        const char* name;
        int layout, margin;
        bool glyph, text, shift;
        TRect expectedGlyph, expectedCaption;  // only the parts present are compared
    };
    const Case cases[] = {
        {"left, centred, both", glLeft, -1, true, true, false, {10, 12, 26, 28}, {30, 15, 50, 25}},
        {"left, margin 4, both", glLeft, 4, true, true, false, {4, 12, 20, 28}, {24, 15, 44, 25}},
        {"right, centred, both", glRight, -1, true, true, false, {34, 12, 50, 28}, {10, 15, 30, 25}},
        {"right, margin 4, both", glRight, 4, true, true, false, {40, 12, 56, 28}, {16, 15, 36, 25}},
        {"top, centred, both", glTop, -1, true, true, false, {22, 5, 38, 21}, {20, 25, 40, 35}},
        {"top, margin 4, both", glTop, 4, true, true, false, {22, 4, 38, 20}, {20, 24, 40, 34}},
        {"bottom, centred, both", glBottom, -1, true, true, false, {22, 19, 38, 35}, {20, 5, 40, 15}},
        {"bottom, margin 4, both", glBottom, 4, true, true, false, {22, 20, 38, 36}, {20, 6, 40, 16}},
        {"left, centred, glyph", glLeft, -1, true, false, false, {22, 12, 38, 28}, {}},
        {"left, margin 4, glyph", glLeft, 4, true, false, false, {4, 12, 20, 28}, {}},
        {"right, centred, glyph", glRight, -1, true, false, false, {22, 12, 38, 28}, {}},
        {"right, margin 4, glyph", glRight, 4, true, false, false, {40, 12, 56, 28}, {}},
        {"top, centred, glyph", glTop, -1, true, false, false, {22, 12, 38, 28}, {}},
        {"top, margin 4, glyph", glTop, 4, true, false, false, {22, 4, 38, 20}, {}},
        {"bottom, centred, glyph", glBottom, -1, true, false, false, {22, 12, 38, 28}, {}},
        {"bottom, margin 4, glyph", glBottom, 4, true, false, false, {22, 20, 38, 36}, {}},
        {"left, centred, caption", glLeft, -1, false, true, false, {}, {20, 15, 40, 25}},
        {"left, margin 4, caption", glLeft, 4, false, true, false, {}, {4, 15, 24, 25}},
        {"right, centred, caption", glRight, -1, false, true, false, {}, {20, 15, 40, 25}},
        {"right, margin 4, caption", glRight, 4, false, true, false, {}, {36, 15, 56, 25}},
        {"top, centred, caption", glTop, -1, false, true, false, {}, {20, 15, 40, 25}},
        {"top, margin 4, caption", glTop, 4, false, true, false, {}, {20, 4, 40, 14}},
        {"bottom, centred, caption", glBottom, -1, false, true, false, {}, {20, 15, 40, 25}},
        {"bottom, margin 4, caption", glBottom, 4, false, true, false, {}, {20, 26, 40, 36}},
        {"left, pressed", glLeft, -1, true, true, true, {11, 13, 27, 29}, {31, 16, 51, 26}},
        {"top, pressed: the caption keeps its row", glTop, -1, true, true, true, {23, 6, 39, 22}, {21, 25, 41, 35}},
    };
    for (const Case& c : cases) {
        const TSkSpeedButtonPlacement p = SpeedButtonLayout({60, 40}, c.glyph ? TSize{16, 16} : TSize{},
                                                            c.text ? TSize{20, 10} : TSize{}, c.layout, c.margin, 4,
                                                            c.shift);
        if (c.glyph) {
            EXPECT_EQ(p.Glyph, c.expectedGlyph) << c.name;
        } else {
            EXPECT_EQ(p.Glyph.Width(), 0) << c.name;
        }
        if (c.text) {
            EXPECT_EQ(p.Caption, c.expectedCaption) << c.name;
        }
    }
}

// A form with one speed button, its skin data and a handler on it.
struct TSpeedButtonFixture {
    explicit TSpeedButtonFixture(TSkinManager& manager) : Manager(manager) {
        Form.SetBounds(40, 40, 240, 160);
        Button = new TSpeedButton(&Form);
        Button->SetParent(&Form);
        Button->SetBounds(20, 20, 60, 30);
        Button->GroupIndex = 1;
        Form.Show();
        Data = std::make_unique<TSkinCommonData>(Button, true);
        Data->ControlKind = 230;
        Data->Loading = false;
        Data->SetSkinManager(&manager);
        Handler = std::make_unique<TSkSpeedButtonHandler>(Button, "SPEEDBUTTON", &manager, Data.get());
    }
    COLORREF Centre() {
        return PrintInto(Button->Handle(), WM_PRINTCLIENT, PRF_CLIENT, Button->Width(), Button->Height())
            .At(Button->Width() / 2, 3);
    }
    TSkinManager& Manager;
    TForm Form{nullptr};
    TSpeedButton* Button = nullptr;
    std::unique_ptr<TSkinCommonData> Data;
    std::unique_ptr<TSkSpeedButtonHandler> Handler;
};

TEST(SkSpeedButtonHandler, AHeldDownButtonIsDrawnPressed) {
    TAdapterSkinFixture skin;
    TSpeedButtonFixture f(skin.Manager);
    EXPECT_EQ(f.Data->SkinSection(), "SPEEDBUTTON");
    EXPECT_EQ(f.Centre(), kSpeedNormal);
    f.Button->SetDown(true);
    EXPECT_EQ(f.Button->State(), TButtonState::bsExclusive);
    EXPECT_EQ(f.Handler->PaintState(), 2);
    EXPECT_EQ(f.Centre(), kSpeedPressed);
    f.Button->SetDown(false);
    EXPECT_EQ(f.Centre(), kSpeedNormal);
    EXPECT_EQ(SendSkinCommand(f.Button->Handle(), SKC_ISSKINNED), 1);
}

TEST(SkSpeedButtonHandler, TheHookIsGivenBackOnSkinRemovalAndWhenTheHandlerGoesWhateverTheGeometry) {
    TAdapterSkinFixture skin;
    {
        TSpeedButtonFixture f(skin.Manager);
        ::SendMessageW(f.Button->Handle(), SKM_SKINCMD, SkinCommandWParam(SKC_SKINREMOVED),
                       reinterpret_cast<LPARAM>(&skin.Manager));
        EXPECT_TRUE(f.Handler->Detached());
        EXPECT_NE(f.Centre(), kSpeedNormal);
        EXPECT_NE(SendSkinCommand(f.Button->Handle(), SKC_ISSKINNED), 1);
    }
    {
        // Left equal to Width, Top to Height and Tag to Left: still given back.
        TSpeedButtonFixture f(skin.Manager);
        f.Button->SetBounds(30, 24, 30, 24);
        f.Button->Tag = 30;
        ASSERT_EQ(f.Centre(), kSpeedNormal);
        f.Handler.reset();
        EXPECT_NE(f.Centre(), kSpeedNormal);
        EXPECT_NE(SendSkinCommand(f.Button->Handle(), SKC_ISSKINNED), 1);
        f.Button->SetDown(true);  // the button works on without the handler
        EXPECT_TRUE(f.Button->Down());
    }
    EXPECT_EQ(TSkSpeedButtonHandler::LiveCount(), 0);
}

TEST(SkSpeedButtonHandler, AButtonThatGoesTakesTheHookWithIt) {
    TAdapterSkinFixture skin;
    TSpeedButtonFixture f(skin.Manager);
    delete f.Button;
    EXPECT_TRUE(f.Handler->Detached());
    EXPECT_EQ(f.Handler->Button(), nullptr);
    f.Handler.reset();  // nothing left to touch
    EXPECT_EQ(TSkSpeedButtonHandler::LiveCount(), 0);
}

}  // namespace
}  // namespace ad::skin::adapters
