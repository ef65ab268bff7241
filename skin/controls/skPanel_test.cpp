// The skinned panel: the section its bevel names, its custom colour, and the
// background it hands to a skinned button inside it.
#include "skin/controls/skPanel.h"

#include <gtest/gtest.h>

#include "framework/Handles.h"
#include "skin/controls/SkinControlsTestKit.h"
#include "skin/controls/skBitBtn.h"
#include "skin/engine/skinfile/SkinMessages.h"

namespace ad::skin::controls {
namespace {

using namespace test;

TEST(SkinPanel, TheOuterBevelChoosesTheSectionAtRunTime) {
    TControlsFormFixture f;
    auto* panel = f.Add<TSkinPanel>(nullptr, 10, 10, 120, 80);
    panel->SetBevelOuter(TBevelCut::bvNone);
    EXPECT_EQ(Printed(panel).At(60, 40), Rgb(kFormColor));  // see-through: the form shows
    panel->SetBevelOuter(TBevelCut::bvRaised);
    EXPECT_EQ(Printed(panel).At(60, 40), Rgb(kPanelColor));
    panel->SetBevelOuter(TBevelCut::bvLowered);
    EXPECT_EQ(Printed(panel).At(60, 40), Rgb(kPanelLowColor));
    panel->SetBevelOuter(TBevelCut::bvSpace);
    EXPECT_EQ(Printed(panel).At(60, 40), Rgb(kGroupColor));
}

TEST(SkinPanel, CustomColorPaintsTheBodyInColor) {
    TControlsFormFixture f;
    auto* panel = f.Add<TSkinPanel>(nullptr, 10, 10, 120, 80);
    panel->SetColor(0x123456);
    panel->SkinData.SetCustomColor(true);
    EXPECT_EQ(Printed(panel).At(60, 40), Rgb(0x123456));
}

// A panel holding a button whose mask has key-coloured corners.
struct TPanelWithButton : TControlsFormFixture {
    TPanelWithButton() { Button->SkinData.SetSkinSection("FRAMEDBUTTON"); }
    TSkinPanel* Panel = Add<TSkinPanel>(nullptr, 10, 10, 200, 100);
    TSkinBitBtn* Button = Add<TSkinBitBtn>(Panel, 20, 20, 90, 30, "Run");
};

TEST(SkinPanel, AChildButtonsCornersShowThePanel) {
    TPanelWithButton f;
    TSkinBitBtn* button = f.Button;
    Printed(f.Panel);
    const auto image = Printed(button);
    const int w = button->Width(), h = button->Height();
    for (POINT corner : {POINT{0, 0}, POINT{w - 1, 0}, POINT{0, h - 1}, POINT{w - 1, h - 1}})
        EXPECT_EQ(image.At(corner.x, corner.y), Rgb(kPanelColor)) << corner.x << "," << corner.y;
    EXPECT_EQ(image.At(w / 2, 4), Rgb(kButtonNormal));
}

// The engine's broadcast stops at a skinned window: the panel hands a skin
// change on to its children.
TEST(SkinPanel, ItsChildrenLearnThatTheSkinWentAndCame) {
    TPanelWithButton f;
    TSkinPanel* panel = f.Panel;
    TSkinBitBtn* button = f.Button;
    Printed(button);
    auto hasRegion = [&] {
        OwnedRegion region(CreateRectRgn(0, 0, 0, 0));
        return GetWindowRgn(button->Handle(), region.Get()) != ERROR;
    };
    ASSERT_TRUE(hasRegion());
    auto tell = [&](int command) {
        SendMessageW(panel->Handle(), SKM_SKINCMD, SkinCommandWParam(command), reinterpret_cast<LPARAM>(f.Manager.get()));
    };
    f.Manager->SetActive(false);
    tell(SKC_SKINREMOVED);
    EXPECT_FALSE(hasRegion());
    EXPECT_LT(button->SkinData.SkinIndex, 0);
    f.Manager->SetActive(true);
    tell(SKC_SKINLOADED);
    EXPECT_GE(button->SkinData.SkinIndex, 0);
}

TEST(SkinPanel, WithoutASkinItIsAPlainPanel) {
    TPlainFormFixture f;
    auto* panel = f.Add<TSkinPanel>(10, 10, 100, 60);
    panel->SetBorderWidth(3);
    const RECT inner = panel->InnerRect();
    EXPECT_EQ(inner.left, 1 + 3);
    EXPECT_EQ(inner.right, 100 - 1 - 3);
    EXPECT_FALSE(panel->SkinData.IsSkinActive());
    EXPECT_EQ(Printed(panel).At(50, 30), GetSysColor(COLOR_BTNFACE));
}

}  // namespace
}  // namespace ad::skin::controls
