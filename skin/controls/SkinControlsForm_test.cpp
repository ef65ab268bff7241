// A form holding every skinned control in the fixture skin: what a person
// looks at (saved as a screenshot when AD_SCREENSHOT_DIR is set), and the
// pixels of each control where the form shows them.
#include <gtest/gtest.h>

#include <cstring>

#include "skin/controls/SkinControlsTestKit.h"
#include "skin/controls/skBitBtn.h"
#include "skin/controls/skEdit.h"
#include "skin/controls/skLabel.h"
#include "skin/controls/skPanel.h"
#include "skin/controls/skScrollBar.h"
#include "testsupport/GuiTest.h"

namespace ad::skin::controls {
namespace {

using namespace test;

TEST(SkinControlsForm, EveryControlPaintsFromTheSkinOnOneForm) {
    TControlsFormFixture f;
    f.Form.SetBounds(40, 40, 420, 340);
    auto* panel = f.Add<TSkinPanel>(nullptr, 10, 10, 390, 110);
    auto* run = f.Add<TSkinBitBtn>(panel, 10, 10, 100, 30, "Run");
    TBitmap32 glyph(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const uint32_t px = (x - 8) * (x - 8) + (y - 8) * (y - 8) < 40 ? 0xFF2060C0u : 0u;
            std::memcpy(glyph.View().Pixel(x, y), &px, 4);
        }
    run->SetGlyph(glyph);
    auto* framed = f.Add<TSkinBitBtn>(panel, 120, 10, 100, 30, "Framed");
    framed->SkinData.SetSkinSection("FRAMEDBUTTON");
    auto* down = f.Add<TSkinBitBtn>(panel, 230, 10, 100, 30, "Down");
    down->SetDown(true);
    auto* slot = f.Add<TSkinLabel>(panel, 10, 60, 150, 20, "A slot label");
    auto* fx = f.Add<TSkinLabelFX>(nullptr, 20, 130, 10, 10, "About: shadowed");
    TSkinLabelFX::TShadow shadow;
    shadow.AlphaValue = 175;
    shadow.BlurCount = 2;
    fx->SetShadow(shadow);
    auto* left = f.Add<TSkinBitBtn>(panel, 180, 55, 200, 40, "Left, top");
    left->SetGlyph(glyph);
    left->SetAlignment(taLeftJustify);
    left->SetVerticalAlignment(taAlignTop);
    auto* sectioned = f.Add<TSkinLabel>(nullptr, 240, 130, 150, 20, "On its own section");
    sectioned->SetSkinSection("PANEL_LOW");
    auto* edit = f.Add<TSkinEdit>(nullptr, 120, 170, 270, 24);
    edit->Name = "edtWallet";
    edit->SetText("1BvBMSEYstWetqTFn5Au4m4GFg7xJaNVN2");
    edit->BoundLabel.SetCaption("Wallet");
    edit->BoundLabel.SetActive(true);
    auto* bar = f.Add<TSkinScrollBar>(nullptr, 20, 210, 300, 17);
    bar->SetMax(360);
    bar->SetPosition(120);
    auto* greyed = f.Add<TSkinScrollBar>(nullptr, 20, 240, 300, 17);
    greyed->SetMax(360);
    greyed->SetPosition(240);
    greyed->SetDisabledKind(dkGrayed);
    greyed->SetEnabled(false);
    f.Form.SetFocus();
    RedrawWindow(f.Form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ad::test::SaveScreenshot(f.Form.Handle(), "skinned_controls_form");

    EXPECT_EQ(Printed(panel).At(380, 100), Rgb(kPanelColor));
    EXPECT_EQ(Printed(run).At(2, 2), Rgb(kButtonNormal));
    EXPECT_EQ(Printed(down).At(50, 2), Rgb(kButtonPressed));
    EXPECT_EQ(slot->GetLabelColor(), kPanelFont);
    EXPECT_EQ(Printed(edit).At(0, 0), Rgb(kEditColor));
    ASSERT_NE(edit->BoundLabel.Label(), nullptr);
    EXPECT_LT(edit->BoundLabel.Label()->Left() + edit->BoundLabel.Label()->Width(), edit->Left());
    EXPECT_EQ(Printed(sectioned).At(sectioned->Width() - 1, 1), Rgb(kPanelLowColor));
    EXPECT_TRUE(bar->SkinnedWindow());
}

}  // namespace
}  // namespace ad::skin::controls
