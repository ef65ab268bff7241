// The program's own start-up gives the skin engine the system's colours,
// gradients and metrics before any skin is loaded, and the form skinning its
// hook, so that forms made later wear the skin.
#include "app/StartUp.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "framework/Forms.h"
#include "framework/ParentBackground.h"
#include "skin/engine/image/SkinGradients.h"
#include "skin/engine/image/SkinTypes.h"
#include "skin/engine/skinfile/SkinSectionReader.h"
#include "skin/engine/win/SkinDib.h"
#include "skin/engine/win/SkinEngineLinks.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/forms/SkinProvider.h"
#include "testsupport/GuiTest.h"

namespace ad {
namespace {

TEST(StartUp, WithoutASkinTheEngineUsesTheSystemsColoursGradientsAndFrameWidth) {
    StartUpProgram();
    ASSERT_EQ(skin::DefaultManager(), nullptr);
    EXPECT_EQ(skin::SkinColorToRGB(clWindowText), ::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(skin::SkinColorToRGB(clBtnFace), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(skin::SkinFrameWidth(), ::GetSystemMetrics(SM_CXFRAME));
    // A four-corner gradient is painted (without the service it would leave the pixels alone).
    skin::TDibSection32 dib(20, 20);
    ASSERT_FALSE(dib.View().Empty());
    skin::PaintGradient(dib.View(), {0, 0, 20, 20}, {{0x0000FF, 0, 0, 2}, {0x00FF00, 0, 0, 2}, {0xFF0000, 0, 0, 2}}, 0);
    EXPECT_GT((skin::GetPixel32(dib.View(), 0, 0) >> 16) & 0xFF, 200u);  // top-left red
    EXPECT_GT(skin::GetPixel32(dib.View(), 19, 19) & 0xFF, 200u);        // bottom-right blue
}

TEST(StartUp, FormsMadeAfterItWearTheProgramsSkinWhileAManagerLives) {
    StartUpProgram();
    EXPECT_TRUE(skin::SkinEngineLinks().CreationHook);
    // The stand-ins' background painter is in place (put back as it was).
    TParentBackgroundPainter painter = SetParentBackgroundPainter(nullptr);
    EXPECT_TRUE(painter);
    SetParentBackgroundPainter(painter);
    {
        skin::TSkinManager manager(nullptr);
        SetLauncherSkinEffects(manager);
        skin::RegisterBuiltInSkin(manager);
        manager.SetSkinName(skin::kBuiltInSkinName);
        TForm form(nullptr);
        form.SetBounds(60, 60, 300, 200);
        form.Show();
        test::PumpPending();
        skin::forms::TSkinProvider* provider = skin::forms::TSkinProvider::OfWindow(form.Handle());
        ASSERT_NE(provider, nullptr);
        EXPECT_TRUE(provider->Skinned());
        form.Hide();
    }
    TForm form(nullptr);
    form.SetBounds(60, 60, 300, 200);
    form.Show();
    test::PumpPending();
    EXPECT_EQ(skin::forms::TSkinProvider::OfWindow(form.Handle()), nullptr) << "no manager, no skin";
    form.Hide();
}

}  // namespace
}  // namespace ad
