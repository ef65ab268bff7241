// Tests of the skin data's window-free rules: kind sets, the section a kind
// paints with, mask flags by draw mode and gradient, the parent colour blend,
// the see-through sample of a border mask and the see-through kind.
#include "skin/engine/paint/SkinDataRules.h"

#include <gtest/gtest.h>

#include <cstring>

namespace ad::skin {
namespace {

TEST(SkinDataRules, KindSets) {
    struct Case {
        TSkinKindSet set;
        int kind;
        bool in;
    } cases[] = {
        {ksNoHover, 19, true},     {ksNoHover, 51, true},    {ksNoHover, 74, true},    {ksNoHover, 75, false},
        {ksNoHover, 110, true},    {ksNoHover, 141, true},   {ksNoHover, 161, true},   {ksNoHover, 162, false},
        {ksEdit, 2, true},         {ksEdit, 18, true},       {ksEdit, 85, true},       {ksEdit, 86, false},
        {ksEdit, 231, true},       {ksFocusColor, 84, true}, {ksFocusColor, 85, false}, {ksOwnBg, 55, false},
        {ksOwnBg, 56, true},       {ksOwnBg, 226, true},     {ksNoGlow, 93, true},     {ksNoGlow, 51, true},
        {ksNoGlow, 95, false},     {ksFrame, 10, true},      {ksFrame, 9, false},      {ksFrame, 231, true},
        {ksNoHover, 256, false},   {ksEdit, -1, false},      {ksFrame, 1000, false},
    };
    for (const Case& c : cases) EXPECT_EQ(KindInSet(c.set, c.kind), c.in) << c.set << " kind " << c.kind;
}

TEST(SkinDataRules, SectionForKind) {
    struct Case {
        int kind;
        TSectionChoice choice;
        const char* name;
    } cases[] = {
        {18, TSectionChoice::FixedName, "COMBOBOX"},  {19, TSectionChoice::FixedName, "BAR"},
        {20, TSectionChoice::FixedName, "BARTITLE"},  {50, TSectionChoice::FixedName, "CHECKBOX"},
        {152, TSectionChoice::FixedName, "CHECKBOX"}, {56, TSectionChoice::FixedName, "DRAGBAR"},
        {98, TSectionChoice::FixedName, "TOOLBUTTON"}, {230, TSectionChoice::FixedName, "EDIT"},
        {2, TSectionChoice::AskControl, nullptr},     {10, TSectionChoice::AskControl, nullptr},
        {165, TSectionChoice::AskControl, nullptr},   {226, TSectionChoice::AskControl, nullptr},
        {11, TSectionChoice::ClassName, nullptr},     {0, TSectionChoice::ClassName, nullptr},
        {55, TSectionChoice::ClassName, nullptr},     {400, TSectionChoice::ClassName, nullptr},
    };
    for (const Case& c : cases) {
        const TKindSection s = SectionForKind(c.kind);
        EXPECT_EQ(s.Choice, c.choice) << "kind " << c.kind;
        if (c.name) {
            EXPECT_STREQ(s.Name, c.name) << "kind " << c.kind;
        }
    }
}

// A skin with one section ("BTN") and, when asked, a border mask of two
// 10 x 10 frames whose middle pixels are given.
struct TSkinFixture {
    TSkinTables Skin;
    int Section = -1;
    int Mask = -1;

    explicit TSkinFixture(bool withMask = true, uint32_t middle0 = 0x80, uint32_t middle1 = 0x00) {
        TSkinGeneralData s;
        s.ClassName = "BTN";
        Section = Skin.AddSection(s);
        if (!withMask) return;
        auto image = std::make_shared<TBitmap32>(20, 10);
        SetPixel32(image->View(), 5, 5, middle0);
        SetPixel32(image->View(), 15, 5, middle1);
        TSkinMaskData m;
        m.Bmp = image;
        m.R = {0, 0, 20, 10};
        m.ImageCount = 2;
        m.SectionIndex = Section;
        m.ClassName = "BTN";
        m.PropertyName = "BORDERSMASK";
        Mask = Skin.AddMask(m);
        Skin.Section(Section).BorderIndex = Mask;
    }
    TSkinGeneralData& S() { return Skin.Section(Section); }
    TSkinMaskData& M() { return Skin.Mask(Mask); }
};

TEST(SkinDataRules, MaskFlagsFollowTheDrawModeAndTheFirstGradient) {
    const uint16_t expected[] = {
        0x10 | 0x40 | 0x20 | 0x80,         // 0
        0x04 | 0x10 | 0x40 | 0x20 | 0x80,  // 1
        0x20,                              // 2
        0x10,                              // 3
        0x04 | 0x20,                       // 4
        0x04 | 0x10,                       // 5
        0x80,                              // 6
        0x40,                              // 7
        0x04 | 0x80,                       // 8
        0x04 | 0x40,                       // 9
        0x10 | 0x40 | 0x20 | 0x80,         // 10
        0x04 | 0x20 | 0x80,                // 11
        0x04 | 0x10 | 0x40,                // 12
        0,                                 // 13
    };
    TSkinFixture f;
    for (int mode = 0; mode < 14; ++mode) {
        f.M().DrawMode = uint8_t(mode);
        EXPECT_EQ(ComputeMaskFlags(&f.Skin, f.Section), expected[mode]) << "draw mode " << mode;
    }
    f.M().DrawMode = 13;
    for (auto [gradientMode, bits] : {std::pair{0, 2}, {1, 1}, {2, 3}, {5, 0}}) {
        f.S().Props[0].GradientArray = {TSkinGradient{0, 0, 100, gradientMode}};
        EXPECT_EQ(ComputeMaskFlags(&f.Skin, f.Section), bits) << "gradient mode " << gradientMode;
    }
    TSkinFixture noMask(false);
    noMask.S().Props[0].GradientArray = {TSkinGradient{0, 0, 100, 0}};
    EXPECT_EQ(ComputeMaskFlags(&noMask.Skin, noMask.Section), 0);
    EXPECT_EQ(ComputeMaskFlags(&f.Skin, 7), 0);
    EXPECT_EQ(ComputeMaskFlags(nullptr, 0), 0);
}

TEST(SkinDataRules, ParentColourBlendByTransparency) {
    // Half transparent black over white: weight 50 * 255 / 100 = 127 of 256.
    EXPECT_EQ(BlendParentColor(0x000000, 0xFFFFFF, 50), 0x7E7E7E);
    EXPECT_EQ(BlendParentColor(0x102030, 0xFFFFFF, 0), 0x102030);
    EXPECT_EQ(BlendParentColor(0x000000, 0xFFFFFF, 100), 0xFEFEFE);
    // Channels move apart: red up, blue down.
    EXPECT_EQ(BlendParentColor(0xFF0000, 0x0000FF, 50), 0x81007E);  // the fall rounds toward zero
}

TEST(SkinDataRules, SeeThroughSampleOfTheBorderMask) {
    TSkinFixture f(true, 0xFF000080u, 0xFF00007Fu);
    TSkinGeneralData& s = f.S();
    for (auto& p : s.Props) p.Transparency = 60;
    f.M().DrawFlags = 4;  // paints its centre: sampled
    EXPECT_TRUE(SectionSeeThroughPixel(f.Skin, f.Section, 0));
    EXPECT_FALSE(SectionSeeThroughPixel(f.Skin, f.Section, 1));
    // The section has three states, the mask two frames: the third state samples the last frame.
    EXPECT_FALSE(SectionSeeThroughPixel(f.Skin, f.Section, 2));
    EXPECT_FALSE(SectionSeeThroughPixel(f.Skin, f.Section, 9));

    struct Case {
        int transparency;
        uint16_t drawFlags;
        int imageCount;
        int state;
        bool result;
    } cases[] = {
        {50, 4, 2, 0, false},   // half transparent or less: never
        {60, 0, 2, 1, true},    // a frame without centre: the parent shows
        {60, 2 | 4, 2, 0, true}, // no normal image: state 0 shows the parent
        {60, 2 | 4, 2, 1, false},
        {60, 4, 0, 0, false},   // no images: nothing to sample
    };
    for (const Case& c : cases) {
        for (auto& p : s.Props) p.Transparency = c.transparency;
        f.M().DrawFlags = c.drawFlags;
        f.M().ImageCount = int16_t(c.imageCount);
        EXPECT_EQ(SectionSeeThroughPixel(f.Skin, f.Section, c.state), c.result)
            << c.transparency << " " << c.drawFlags << " " << c.imageCount << " " << c.state;
    }
    // A mask rectangle reaching beyond its image is not sampled outside it.
    f.M().ImageCount = 2;
    f.M().DrawFlags = 4;
    f.M().R = {0, 0, 40, 30};
    EXPECT_FALSE(SectionSeeThroughPixel(f.Skin, f.Section, 1));

    TSkinFixture noMask(false);
    noMask.S().Props[0].Transparency = 51;
    EXPECT_TRUE(SectionSeeThroughPixel(noMask.Skin, noMask.Section, 0));
    EXPECT_FALSE(SectionSeeThroughPixel(noMask.Skin, -1, 0));
}

TEST(SkinDataRules, SeeThroughKind) {
    TSkinFixture f(false);
    TSeeThroughContext none;
    EXPECT_EQ(SeeThroughKindOf(nullptr, 0, none), 1);
    EXPECT_EQ(SeeThroughKindOf(&f.Skin, 5, none), 1);
    // An opaque plain colour: see-through unless a provider paints its title or corners exist.
    EXPECT_EQ(SeeThroughKindOf(&f.Skin, f.Section, none), 1);
    TSeeThroughContext title;
    title.ProviderWithTitleBar = true;
    EXPECT_EQ(SeeThroughKindOf(&f.Skin, f.Section, title), 0);
    f.S().ImgTopLeft = 0;
    EXPECT_EQ(SeeThroughKindOf(&f.Skin, f.Section, none), 0);
    f.S().ImgTopLeft = -1;
    f.S().Props[0].ImagePercent = 20;
    EXPECT_EQ(SeeThroughKindOf(&f.Skin, f.Section, none), 0);
    f.S().Props[0].ImagePercent = 0;
    TSeeThroughContext outer;
    outer.OuterEffectsOn = true;
    EXPECT_EQ(SeeThroughKindOf(&f.Skin, f.Section, outer), 0);

    // Fully transparent: decided by the parent.
    f.S().Props[0].Transparency = 100;
    EXPECT_EQ(SeeThroughKindOf(&f.Skin, f.Section, none), 0);  // no parent
    TSeeThroughContext parent;
    parent.HasParent = true;
    EXPECT_EQ(SeeThroughKindOf(&f.Skin, f.Section, parent), 2);  // parent without window yet
    parent.ParentHasHandle = true;
    EXPECT_EQ(SeeThroughKindOf(&f.Skin, f.Section, parent), 1);  // unskinned parent
    parent.ParentSkinned = true;
    parent.ParentState = [] { return 0; };
    EXPECT_EQ(SeeThroughKindOf(&f.Skin, f.Section, parent), 0);

    TSkinFixture masked;
    masked.M().DrawFlags = 4;
    EXPECT_EQ(SeeThroughKindOf(&masked.Skin, masked.Section, none), 0);
    masked.M().DrawFlags = 0;
    masked.M().MaskType = 1;
    EXPECT_EQ(SeeThroughKindOf(&masked.Skin, masked.Section, none), 0);
}

}  // namespace
}  // namespace ad::skin
