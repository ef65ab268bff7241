// The skinned labels: the colour a label takes from what it lies on, the
// shadow's margins and the place the text keeps, the blur, and rotation.
#include "skin/controls/skLabel.h"

#include <gtest/gtest.h>

#include "skin/controls/SkinControlsTestKit.h"
#include "skin/controls/skPanel.h"

namespace ad::skin::controls {
namespace {

using namespace test;

TSkinLabelFX::TShadow NoShadow() {
    TSkinLabelFX::TShadow none;
    none.Mode = TSkinShadowMode::smNone;
    return none;
}

TEST(SkinLabel, TakesTheFontColourOfTheSectionItLiesOn) {
    TControlsFormFixture f;
    auto* panel = f.Add<TSkinPanel>(nullptr, 10, 10, 200, 100);
    auto* label = f.Add<TSkinLabel>(panel, 10, 10, 80, 20, "Slot");
    label->Font().SetColor(0x00FF00);
    EXPECT_EQ(label->GetLabelColor(), kPanelFont);
    label->SetUseSkinColor(false);
    EXPECT_EQ(label->GetLabelColor(), TColor(0x00FF00));
    label->SetUseSkinColor(true);
    label->SetEnabled(false);  // mixed toward the panel: 100 of 255 of the text colour
    const TColor mixed = label->GetLabelColor();
    EXPECT_NEAR(int(mixed & 0xFF), (0xC0 * 100 + 0xE0 * 155) / 255, 2);
}

TEST(SkinLabel, PaintsItsOwnSectionUnderItsText) {
    TControlsFormFixture f;
    auto* label = f.Add<TSkinLabel>(nullptr, 10, 10, 80, 20, "Slot");
    const int w = label->Width(), h = label->Height();
    EXPECT_NE(Printed(label).At(w - 1, h - 1), Rgb(kPanelColor));  // no section: what lies beneath shows
    label->SetSkinSection("PANEL");
    const auto image = Printed(label);
    EXPECT_EQ(image.At(w - 1, h - 1), Rgb(kPanelColor));
    EXPECT_GT(CountColour(image, RECT{0, 0, w, h}, kPanelFont), 0);  // the text in the section's font colour
}

TEST(SkinLabelFX, ShadowMargins) {
    struct Case {
        int distance, blur, leftTop, rightBottom;
    };
    const Case cases[] = {{1, 4, -3, 5}, {0, 0, 0, 0}, {5, 2, 0, 7}, {-2, 4, -6, 2}};
    for (const Case& c : cases) {
        const TShadowMargins m = ShadowMarginsFor(c.distance, c.blur);
        EXPECT_EQ(m.LeftTop, c.leftTop) << c.distance << "/" << c.blur;
        EXPECT_EQ(m.RightBottom, c.rightBottom) << c.distance << "/" << c.blur;
    }
}

// A skin with a label shadow gives it to labels in the skin mode, with their own strength.
TEST(SkinLabelFX, TheSkinsShadowServesTheSkinMode) {
    TControlsFormFixture f;
    TSkinGlobalInfo& info = f.Manager->Skin()->GlobalInfo;
    info.Shadow1Color = 0x203040;
    info.Shadow1Offset = 2;
    info.Shadow1Blur = 3;
    auto* label = f.Add<TSkinLabelFX>(nullptr, 50, 40, 10, 10, "About");
    TSkinLabelFX::TShadow own;  // the skin mode, alpha 150
    own.AlphaValue = 150;
    label->SetShadow(own);
    TSkinLabelFX::TShadow used = label->EffectiveShadow();
    EXPECT_EQ(used.Color, TColor(0x203040));
    EXPECT_EQ(used.Distance, 2);
    EXPECT_EQ(used.BlurCount, 3);
    EXPECT_EQ(used.AlphaValue, 150);
    EXPECT_EQ(label->OffsetKeeper().LeftTop, -1);  // min(0, 2 - 3)
    EXPECT_EQ(label->OffsetKeeper().RightBottom, 5);

    own.Mode = TSkinShadowMode::smCustom;  // its own shadow whatever the skin has
    label->SetShadow(own);
    used = label->EffectiveShadow();
    EXPECT_EQ(used.BlurCount, 4);
    EXPECT_EQ(used.Distance, 1);

    info.Shadow1Blur = -1;  // a skin without a label shadow: the label's own
    own.Mode = TSkinShadowMode::smSkin1;
    label->SetShadow(own);
    EXPECT_EQ(label->EffectiveShadow().BlurCount, 4);
}

TEST(SkinLabelFX, TheTextKeepsItsPlaceWhileTheMarginsChange) {
    TControlsFormFixture f;
    auto* label = f.Add<TSkinLabelFX>(nullptr, 50, 40, 10, 10, "About");
    const TSkinLabelFX::TShadow none = NoShadow();
    label->SetShadow(none);
    label->AdjustBounds();
    const int plainWidth = label->Width();
    EXPECT_EQ(label->Left(), 50);

    TSkinLabelFX::TShadow shadow;  // distance 1, blur 4
    label->SetShadow(shadow);
    EXPECT_EQ(label->Left(), 47);
    EXPECT_EQ(label->Top(), 37);
    EXPECT_EQ(label->Width(), plainWidth + 8);
    EXPECT_EQ(label->OffsetKeeper().LeftTop, -3);

    label->SetShadow(none);
    EXPECT_EQ(label->Left(), 50);
    EXPECT_EQ(label->Width(), plainWidth);
}

TEST(SkinLabelFX, NoBlurOrNoShadowColourDrawsPlainText) {
    TControlsFormFixture f;
    auto* plain = f.Add<TSkinLabelFX>(nullptr, 20, 20, 10, 10, "About");
    const TSkinLabelFX::TShadow none = NoShadow();
    plain->SetShadow(none);
    const auto reference = Printed(plain);

    TSkinLabelFX::TShadow noBlur;
    noBlur.Distance = 0;
    noBlur.BlurCount = 0;
    plain->SetShadow(noBlur);
    EXPECT_EQ(Printed(plain).Pixels, reference.Pixels);
    TSkinLabelFX::TShadow noColour;
    noColour.Distance = 0;
    noColour.BlurCount = 0;
    noColour.Color = skNoColor;
    plain->SetShadow(noColour);
    EXPECT_EQ(Printed(plain).Pixels, reference.Pixels);
}

TEST(SkinLabelFX, TheShadowDarkensAroundTheText) {
    TControlsFormFixture f;
    auto* label = f.Add<TSkinLabelFX>(nullptr, 20, 20, 10, 10, "About");
    TSkinLabelFX::TShadow shadow;
    shadow.AlphaValue = 175;
    shadow.BlurCount = 2;
    label->SetShadow(shadow);
    const auto image = Printed(label);
    const COLORREF background = image.At(0, 0);  // the blur does not reach the far corner
    // The bottom-right margin lies outside the text: only the shadow reaches it.
    const int margin = label->OffsetKeeper().RightBottom;
    int darker = 0;
    for (int y = 0; y < image.Height; ++y)
        for (int x = image.Width - margin; x < image.Width; ++x)
            if (GetRValue(image.At(x, y)) < GetRValue(background)) ++darker;
    EXPECT_GT(darker, 0);
}

TEST(SkinLabelFX, AnAngleTurnsWordWrapOffAndTurnsTheBox) {
    TControlsFormFixture f;
    auto* label = f.Add<TSkinLabelFX>(nullptr, 20, 20, 10, 10, "About the program");
    const TSkinLabelFX::TShadow none = NoShadow();
    label->SetShadow(none);
    label->SetWordWrap(true);
    label->AdjustBounds();
    const int w = label->Width(), h = label->Height();
    label->SetAngle(90);
    EXPECT_FALSE(label->WordWrap());
    EXPECT_NEAR(label->Width(), h, 1);
    EXPECT_NEAR(label->Height(), w, 1);
}

TEST(SkinLabelFX, BlurSpreadsTheMaskToItsNeighbours) {
    const std::vector<uint8_t> mask = {0, 0, 0, 0, 255, 0, 0, 0, 0};  // 3 x 3, one pixel in the middle
    std::vector<uint8_t> buffer;
    BlurShadowMask(buffer, mask, 3, 3, 1);
    const size_t stride = 5;
    EXPECT_GT(buffer[2 * stride + 2], 0);  // the middle, mixed with its neighbours
    EXPECT_GT(buffer[3 * stride + 2], 0);  // below it: reached in the same pass (in place)
    EXPECT_EQ(buffer[1 * stride + 1], 0);  // a corner above: visited before the middle
}

}  // namespace
}  // namespace ad::skin::controls
