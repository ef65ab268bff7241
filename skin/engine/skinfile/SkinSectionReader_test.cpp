// Tests of section reading (states, copy rules, caps, inheritance and its
// cycles, gradients), GLOBALINFO values and the CommonSections overlay.
#include "skin/engine/skinfile/SkinSectionReader.h"

#include <gtest/gtest.h>

#include <climits>

namespace ad::skin {
namespace {

// System colours answered with a recognisable value per index.
bool TestSysColor(int index, uint32_t& color) {
    color = 0x100000u + uint32_t(index);
    return true;
}

class SkinSectionReader : public ::testing::Test {
protected:
    void SetUp() override { previous_ = SetSysColorResolver(TestSysColor); }
    void TearDown() override {
        SetSysColorResolver(previous_);
        SetSkinFrameWidthLookup(nullptr);
    }

private:
    TSysColorResolver previous_ = nullptr;
};

TEST_F(SkinSectionReader, DefaultsOfAnEmptySection) {
    const TSkinIni ini("[EMPTY]\n");
    const TSkinGeneralData d = ReadSkinSection(ini, "EMPTY");
    EXPECT_EQ(d.ClassName, "EMPTY");
    EXPECT_EQ(d.ParentClass, "");
    EXPECT_EQ(d.States, 3);
    EXPECT_FALSE(d.UseState2);
    EXPECT_FALSE(d.GiveOwnFont);
    EXPECT_FALSE(d.ReservedBoolean);
    EXPECT_EQ(d.Glow, 0);
    EXPECT_EQ(d.GlowMargin, 0);
    EXPECT_EQ(d.OuterMode, 2);
    EXPECT_EQ(d.OuterOpacity, 200);
    EXPECT_EQ(d.OuterOffsetL + d.OuterOffsetT + d.OuterOffsetR + d.OuterOffsetB, 0);
    EXPECT_EQ(d.BorderIndex, -1);
    for (const TSkinGenState& s : d.Props) {
        EXPECT_EQ(s.Color, 0xFFFFFF);
        EXPECT_EQ(s.FontColor, 0);
        EXPECT_EQ(s.OutlineLeft, -1);
        EXPECT_EQ(s.OutlineTop, -1);
        EXPECT_EQ(s.OutlineRight, -1);
        EXPECT_EQ(s.OutlineBottom, -1);
        EXPECT_EQ(s.GlowColor, 0xFFFFFF);
        EXPECT_EQ(s.GlowSize, 0);
        EXPECT_EQ(s.GradientPercent, 0);
        EXPECT_TRUE(s.GradientArray.empty());
        EXPECT_EQ(s.ImagePercent, 0);
        EXPECT_EQ(s.Transparency, 0);
        EXPECT_EQ(s.TextureIndex, -1);
    }
}

TEST_F(SkinSectionReader, StatesAndTheirKeys) {
    const TSkinIni ini(
        "[B]\n"
        "STATES=3\nUSESTATE2=1\n"
        "COLOR=1\nFONTCOLOR=2\nTCLEFT=3\nTCTOP=4\nTCRIGHT=5\nTCBOTTOM=6\nGCOL=7\nGSIZE=8\nGRADIENTPERCENT=9\n"
        "IMAGEPERCENT=10\nTRANSPARENCY=11\n"
        "HOTCOLOR=21\nHOTFONTCOLOR=22\nHOTTCLEFT=23\nHOTTCTOP=24\nHOTTCRIGHT=25\nHOTTCBOTTOM=26\nHGCOL=27\n"
        "HGSIZE=28\nHOTGRADIENTPERCENT=29\nHOTIMAGEPERCENT=30\nHOTTRANSPARENCY=31\nHOTGRADIENTDATA=1;2;30;0;0\n"
        "COLOR2=41\nFONTCOLOR2=42\nTCLEFT2=43\nTCTOP2=44\nTCRIGHT2=45\nTCBOTTOM2=46\nGCOL2=47\nGSIZE2=48\n"
        "GRADIENTPERCENT2=49\nIMAGEPERCENT2=50\nTRANSPARENCY2=51\n");
    const TSkinGeneralData d = ReadSkinSection(ini, "B");
    EXPECT_TRUE(d.UseState2);
    for (int i = 0; i < 3; ++i) {
        const TSkinGenState& s = d.Props[size_t(i)];
        const int b = i * 20;
        SCOPED_TRACE(i);
        EXPECT_EQ(s.Color, b + 1);
        EXPECT_EQ(s.FontColor, b + 2);
        EXPECT_EQ(s.OutlineLeft, b + 3);
        EXPECT_EQ(s.OutlineTop, b + 4);
        EXPECT_EQ(s.OutlineRight, b + 5);
        EXPECT_EQ(s.OutlineBottom, b + 6);
        EXPECT_EQ(s.GlowColor, b + 7);
        EXPECT_EQ(s.GlowSize, b + 8);
        EXPECT_EQ(s.ImagePercent, b + 10);
        EXPECT_EQ(s.Transparency, b + 11);
    }
    // Without gradient text the share is 0; with it the share stays.
    EXPECT_EQ(d.Props[ssNormal].GradientPercent, 0);
    EXPECT_EQ(d.Props[ssPressed].GradientPercent, 0);
    EXPECT_EQ(d.Props[ssHot].GradientPercent, 29);
    ASSERT_EQ(d.Props[ssHot].GradientArray.size(), 1u);
    EXPECT_EQ(d.Props[ssHot].GradientArray[0].Percent, 30);
}

TEST_F(SkinSectionReader, CopyRulesForHotAndPressed) {
    const TSkinIni ini(
        "[EDIT]\nSTATES=2\nCOLOR=16777215\nFONTCOLOR=0\nHOTCOLOR=5\nCOLOR2=9\n"
        "BORDERSMASK=^0013^0045^0019^0049^0001^0002^0001^0001^2^0^1^1\nOUTERMODE=1\n"
        "[ONE]\nSTATES=1\nCOLOR=7\nHOTCOLOR=8\nUSESTATE2=1\nCOLOR2=9\n"
        "[TWO]\nSTATES=3\nUSESTATE2=2\nHOTCOLOR=8\nCOLOR2=9\n"
        "[ZERO]\nSTATES=0\nCOLOR=7\nHOTCOLOR=8\n");
    const TSkinGeneralData edit = ReadSkinSection(ini, "EDIT");
    EXPECT_EQ(edit.States, 2);
    EXPECT_EQ(edit.OuterMode, 1);
    EXPECT_EQ(edit.Props[ssNormal].Color, 0xFFFFFF);
    EXPECT_EQ(edit.Props[ssHot].Color, 5);
    EXPECT_EQ(edit.Props[ssPressed].Color, 5);  // USESTATE2 missing: copies hot

    const TSkinGeneralData one = ReadSkinSection(ini, "ONE");
    EXPECT_EQ(one.Props[ssHot].Color, 7);       // STATES 1: hot copies normal, HOTCOLOR unread
    EXPECT_EQ(one.Props[ssPressed].Color, 9);   // USESTATE2 1 still reads the pressed keys
    const TSkinGeneralData two = ReadSkinSection(ini, "TWO");
    EXPECT_FALSE(two.UseState2);
    EXPECT_EQ(two.Props[ssPressed].Color, 8);   // USESTATE2 2: copies hot
    EXPECT_EQ(ReadSkinSection(ini, "ZERO").Props[ssHot].Color, 7);
}

TEST_F(SkinSectionReader, CapsBooleansAndUnreadableNumbers) {
    const struct {
        const char* text;
        int states, glow, margin, opacity, offs, mode;
        bool ownFont, reserved;
    } cases[] = {
        {"STATES=300\nGLOW=999\nGLOWMARGIN=256\nOUTOPACITY=1000\nOUTOFFSL=300\nOUTERMODE=999\n", 255, 255, 255, 255,
         255, 999, false, false},
        {"STATES=255\nGLOW=-4\nOUTOPACITY=0x80\nGIVEOWNFONT=TRUE\nRESERVEDBOOLEAN=1\n", 255, -4, 0, 128, 0, 2, true,
         true},
        {"STATES=abc\nGLOW=\nGIVEOWNFONT=true\nRESERVEDBOOLEAN=yes\n", 3, 0, 0, 200, 0, 2, false, false},
        {"GIVEOWNFONT=True\nRESERVEDBOOLEAN=0\n", 3, 0, 0, 200, 0, 2, false, false},
    };
    for (const auto& c : cases) {
        const TSkinIni ini(std::string("[S]\n") + c.text);
        const TSkinGeneralData d = ReadSkinSection(ini, "S");
        SCOPED_TRACE(c.text);
        EXPECT_EQ(d.States, c.states);
        EXPECT_EQ(d.Glow, c.glow);
        EXPECT_EQ(d.GlowMargin, c.margin);
        EXPECT_EQ(d.OuterOpacity, c.opacity);
        EXPECT_EQ(d.OuterOffsetL, c.offs);
        EXPECT_EQ(d.OuterMode, c.mode);
        EXPECT_EQ(d.GiveOwnFont, c.ownFont);
        EXPECT_EQ(d.ReservedBoolean, c.reserved);
    }
}

TEST_F(SkinSectionReader, InheritanceThroughParentClass) {
    const TSkinIni ini(
        "[C]\nGLOW=400\nGSIZE=3\nGIVEOWNFONT=TRUE\n"
        "[B]\nPARENTCLASS=C\nCOLOR=5\nFONTCOLOR=-16777201\nTCLEFT=-1\nTCTOP=-2\nSTATES=1\n"
        "[A]\nPARENTCLASS=B\nHOTCOLOR=9\n"
        "[OWN]\nPARENTCLASS=B\nFONTCOLOR=-16777201\n"
        "[LOWER]\nPARENTCLASS=b\n"
        "[MISSING]\nPARENTCLASS=NOWHERE\nCOLOR=1\n");
    const TSkinGeneralData a = ReadSkinSection(ini, "A");
    EXPECT_EQ(a.ParentClass, "B");
    EXPECT_EQ(a.Props[ssNormal].Color, 5);
    EXPECT_EQ(a.Props[ssNormal].FontColor, 0x10000F);   // inherited system colour resolved
    EXPECT_EQ(a.Props[ssNormal].OutlineLeft, -1);       // "none" stays none
    EXPECT_EQ(a.Props[ssNormal].OutlineTop, -2);
    EXPECT_EQ(a.Props[ssNormal].GlowSize, 3);           // two levels up
    EXPECT_EQ(a.Glow, 255);                             // inherited, then capped
    EXPECT_TRUE(a.GiveOwnFont);
    EXPECT_EQ(a.States, 1);
    EXPECT_EQ(a.Props[ssHot].Color, 5);                 // STATES 1 (inherited) copies normal
    // The section's own value is used as written.
    EXPECT_EQ(ReadSkinSection(ini, "OWN").Props[ssNormal].FontColor, -16777201);
    EXPECT_EQ(ReadSkinSection(ini, "B").Props[ssNormal].FontColor, -16777201);
    // Names compare exactly; a missing parent gives the defaults.
    EXPECT_EQ(ReadSkinSection(ini, "LOWER").Props[ssNormal].Color, 0xFFFFFF);
    EXPECT_EQ(ReadSkinSection(ini, "MISSING").States, 3);
    // A name the INI lacks gives the defaults.
    EXPECT_EQ(ReadSkinSection(ini, "NONE").Props[ssNormal].Color, 0xFFFFFF);
}

TEST_F(SkinSectionReader, ParentCyclesEnd) {
    const TSkinIni ini(
        "[SELF]\nPARENTCLASS=SELF\n"
        "[A]\nPARENTCLASS=B\nCOLOR=1\n"
        "[B]\nPARENTCLASS=A\nFONTCOLOR=2\n"
        "[X]\nPARENTCLASS=Y\n[Y]\nPARENTCLASS=Z\nGLOW=7\n[Z]\nPARENTCLASS=X\nGSIZE=4\n"
        "[D]\nPARENTCLASS=X\n");
    const TSkinGeneralData self = ReadSkinSection(ini, "SELF");
    EXPECT_EQ(self.ParentClass, "SELF");
    EXPECT_EQ(self.Props[ssNormal].Color, 0xFFFFFF);
    const TSkinGeneralData a = ReadSkinSection(ini, "A"), b = ReadSkinSection(ini, "B");
    EXPECT_EQ(a.Props[ssNormal].FontColor, 2);
    EXPECT_EQ(b.Props[ssNormal].Color, 1);
    EXPECT_EQ(a.Props[ssNormal].GlowSize, 0);
    const TSkinGeneralData d = ReadSkinSection(ini, "D");
    EXPECT_EQ(d.Glow, 7);
    EXPECT_EQ(d.Props[ssNormal].GlowSize, 4);
    EXPECT_EQ(ReadSkinSections(ini).size(), 7u);
}

TEST_F(SkinSectionReader, GradientTexts) {
    const struct {
        const char* data;  // nullptr: no key
        int percent;
        size_t entries;
    } cases[] = {
        {"N/A", 50, 0},                       // three characters: parsed (no complete entry)
        {"255;65280;100;0;0", 50, 1},
        {"255;65280;60;0;0;1;2;40;0;0", 50, 2},
        {"-", 0, 0},
        {"", 0, 0},
        {"ab", 0, 0},
        {"1;2;x;0;0", 0, 0},                  // a malformed number: no gradient for this state
        {nullptr, 0, 0},
    };
    for (const auto& c : cases) {
        std::string text = "[S]\nGRADIENTPERCENT=50\nCOLOR=3\n";
        if (c.data) text += std::string("GRADIENTDATA=") + c.data + "\n";
        text += "HOTCOLOR=4\n[T]\nCOLOR=6\n";
        const TSkinIni ini(text);
        SCOPED_TRACE(c.data ? c.data : "(none)");
        const auto sections = ReadSkinSections(ini);
        ASSERT_EQ(sections.size(), 2u);
        EXPECT_EQ(sections[0].Props[ssNormal].GradientPercent, c.percent);
        EXPECT_EQ(sections[0].Props[ssNormal].GradientArray.size(), c.entries);
        EXPECT_EQ(sections[0].Props[ssNormal].Color, 3);
        EXPECT_EQ(sections[0].Props[ssHot].Color, 4);
        EXPECT_EQ(sections[1].Props[ssNormal].Color, 6);
    }
}

TEST_F(SkinSectionReader, GlobalInfoDefaults) {
    const TSkinGlobalInfo g = ReadSkinGlobalInfo(TSkinIni("[GLOBALINFO]\n"), 0);
    EXPECT_EQ(g.Version, 0);
    EXPECT_EQ(g.Color, 0x10000F);  // the system button face
    EXPECT_EQ(g.TCBottom, 0xFF0000);
    EXPECT_EQ(g.TCTop, 0x0000FF);
    EXPECT_EQ(g.BorderWidth, 4);
    EXPECT_EQ(g.TitleHeight, 30);
    EXPECT_EQ(g.MaxHeight, 30);
    EXPECT_EQ(g.FormOffset, 4);
    EXPECT_EQ(g.BrightMin, -50);
    EXPECT_EQ(g.BrightMax, 50);
    EXPECT_EQ(g.Shadow1Blur, -1);
    EXPECT_EQ(g.ComboMargin, 2);
    EXPECT_EQ(g.SliderMargin, 1);
    EXPECT_EQ(g.Shadow.Colors, (std::array<TColor, 4>{0, 0, 0, 0}));
    EXPECT_EQ(g.Shadow.Widths, (std::array<int32_t, 4>{-1, -1, -1, -1}));
    EXPECT_EQ(g.Shadow.Offsets, (std::array<int32_t, 4>{3, 3, 2, 5}));
    EXPECT_EQ(g.Shadow.Source, 2);
    EXPECT_EQ(g.Shadow.Opacity, 60);
    EXPECT_EQ(g.Outer.Colors, (std::array<TColor, 4>{0xFFFFFF, 0xFFFFFF, 0, 0xFFFFFF}));
    EXPECT_EQ(g.Outer.Offsets, (std::array<int32_t, 4>{2, 2, 2, 4}));
    EXPECT_EQ(g.Outer.Opacity, 200);
    EXPECT_EQ(g.EditTextOk, 0x008000);
    EXPECT_EQ(g.EditTextWarn, 0x008484);
    EXPECT_EQ(g.EditTextAlert, (std::array<TColor, 3>{0x0000FF, 0x8597D9, 0x4AB28F}));
    EXPECT_EQ(g.EditBgOk, 0x6CC2A5);
    EXPECT_EQ(g.EditBgWarn, 0x40FFFF);
    EXPECT_EQ(g.EditBgAlert, (std::array<TColor, 3>{0x95A7E9, 0x8597D9, 0x4AB28F}));
    // Without an EDIT section the edit colours are the system window text (8) and window (5) colours.
    EXPECT_FALSE(g.HasEditBgEven);
    EXPECT_EQ(g.EditTextInv, 0x100005);
    EXPECT_EQ(g.EditBgInv, 0x100008);
    EXPECT_EQ(g.EditBgOdd, 0x100005);
    EXPECT_EQ(g.EditBgEven, TColor(BlendTwoColors(0x100008, 0x100005, 13)));
    EXPECT_EQ(g.TabsCovering, 0);

    SetSkinFrameWidthLookup([] { return 8; });
    EXPECT_EQ(ReadSkinGlobalInfo(TSkinIni(""), 0).FormOffset, 8);
}

TEST_F(SkinSectionReader, GlobalInfoValues) {
    const TSkinIni ini(
        "[GLOBALINFO]\nVERSION=11.5\nAUTHOR=Someone\nDESCRIPTION=A skin\nMASTERBITMAP=Master.bmp\nCOLOR=123\n"
        "ALIGNOFFSET=3\nALIGNOFFSETT=9\nAEROBLUR=2\nBICONMAXGLOW=4\nEDITTEXT_ALERT=255\nEDITBG_EVEN=77\n"
        "SH_COLORT=5\nSH_WIDTHB=6\nSH_OFFSETL=7\nSH_SOURCE=1\nLO_OPACITY=9\nFORMOFFSET=2\n"
        "[EDIT]\nCOLOR=16777215\nFONTCOLOR=0\n"
        "[TABTOP]\nTABSCOVERING=2\n[RIBBONTAB]\nTABSCOVERING=3\n");
    const TSkinGlobalInfo g = ReadSkinGlobalInfo(ini, 0);
    EXPECT_DOUBLE_EQ(g.Version, 11.5);
    EXPECT_EQ(g.Author, "Someone");
    EXPECT_EQ(g.Description, "A skin");
    EXPECT_EQ(g.MasterBitmap, "Master.bmp");
    EXPECT_EQ(g.Color, 123);
    EXPECT_EQ(g.FormOffset, 2);
    EXPECT_EQ(g.AlignOffset, 3);
    EXPECT_EQ(g.AlignOffsetR, 3);
    EXPECT_EQ(g.AlignOffsetT, 9);
    EXPECT_EQ(g.AlignOffsetB, 3);
    EXPECT_TRUE(g.AeroBlur);
    EXPECT_EQ(g.TitleGlows[2].Count, 4);
    EXPECT_EQ(g.EditTextAlert, (std::array<TColor, 3>{255, 255, 255}));
    EXPECT_EQ(g.Shadow.Colors[2], 5);
    EXPECT_EQ(g.Shadow.Widths[3], 6);
    EXPECT_EQ(g.Shadow.Offsets[0], 7);
    EXPECT_EQ(g.Shadow.Source, 1);
    EXPECT_EQ(g.Outer.Opacity, 9);
    EXPECT_EQ(g.TabsCovering, 2);
    EXPECT_EQ(g.RibbonTabsCovering, 3);
    // Edit colours from the EDIT section; EDITBG_EVEN as named.
    EXPECT_TRUE(g.HasEditBgEven);
    EXPECT_EQ(g.EditBgEven, 77);
    EXPECT_FALSE(g.HasEditTextInv);
    EXPECT_EQ(g.EditTextInv, 0xFFFFFF);
    EXPECT_EQ(g.EditBgInv, 0);
    EXPECT_EQ(g.EditBgOdd, 0xFFFFFF);

    // A missing EDITBG_EVEN: black text blended into a white background with weight 13.
    const TSkinGlobalInfo computed = ReadSkinGlobalInfo(TSkinIni("[EDIT]\nCOLOR=16777215\nFONTCOLOR=0\n"), 0);
    EXPECT_EQ(computed.EditBgEven, 0xF1F1F1);
}

// The four edit colours derived from EDIT unless the skin names them with a
// number: an unreadable value is derived like a missing one, not read as 0.
TEST_F(SkinSectionReader, EditColoursNamedOrDerived) {
    const struct {
        const char* value;  // nullptr: no key
        bool named;
        TColor number;
    } values[] = {
        {nullptr, false, 0}, {"x", false, 0}, {"", false, 0}, {"12a", false, 0}, {"0", true, 0}, {"0x10", true, 16},
    };
    // Derived from black text on a white background: text-inverted = background, background-inverted = text,
    // odd rows = background, even rows = the text blended into the background with weight 13.
    const struct {
        const char* key;
        bool TSkinGlobalInfo::*has;
        TColor TSkinGlobalInfo::*color;
        TColor derived;
    } keys[] = {
        {"EDITTEXT_INV", &TSkinGlobalInfo::HasEditTextInv, &TSkinGlobalInfo::EditTextInv, 0xFFFFFF},
        {"EDITBG_INV", &TSkinGlobalInfo::HasEditBgInv, &TSkinGlobalInfo::EditBgInv, 0},
        {"EDITBG_ODD", &TSkinGlobalInfo::HasEditBgOdd, &TSkinGlobalInfo::EditBgOdd, 0xFFFFFF},
        {"EDITBG_EVEN", &TSkinGlobalInfo::HasEditBgEven, &TSkinGlobalInfo::EditBgEven, 0xF1F1F1},
    };
    for (const auto& k : keys)
        for (const auto& v : values) {
            std::string text = "[GLOBALINFO]\n";
            if (v.value) text += std::string(k.key) + "=" + v.value + "\n";
            text += "[EDIT]\nCOLOR=16777215\nFONTCOLOR=0\n";
            SCOPED_TRACE(std::string(k.key) + "=" + (v.value ? v.value : "(none)"));
            const TSkinGlobalInfo g = ReadSkinGlobalInfo(TSkinIni(text), 0);
            EXPECT_EQ(g.*k.has, v.named);
            EXPECT_EQ(g.*k.color, v.named ? v.number : k.derived);
        }
}

TEST_F(SkinSectionReader, ScaledGlobalValues) {
    const struct {
        const char* text;
        int level, title, max, center, bispace, margin;
    } cases[] = {
        {"TITLEHEIGHT=0\n", 0, 30, 30, 0, 0, 0},
        {"TITLEHEIGHT=-5\nMAXHEIGHT=-1\n", 0, 30, 30, 0, 0, 0},
        {"TITLEHEIGHT=0\n", 2, 45, 45, 0, 0, 0},
        {"", 1, 37, 37, 0, 0, 0},
        {"TITLEHEIGHT=40\nMAXHEIGHT=20\nCENTEROFFSET=10\nBISPACE=10\nBICONCLOSEGLOWMARGIN=4\n", 0, 40, 20, 10, 10, 4},
        {"TITLEHEIGHT=40\nMAXHEIGHT=20\nCENTEROFFSET=10\nBISPACE=10\nBICONCLOSEGLOWMARGIN=4\n", 1, 50, 25, 12, 12, 5},
        {"TITLEHEIGHT=40\nMAXHEIGHT=20\nCENTEROFFSET=10\nBISPACE=10\nBICONCLOSEGLOWMARGIN=4\n", 2, 60, 30, 15, 15, 6},
        {"TITLEHEIGHT=40\nTITLEHEIGHT*125=33\nTITLEHEIGHT*150=44\n", 0, 40, 40, 0, 0, 0},
        {"TITLEHEIGHT=40\nTITLEHEIGHT*125=33\nTITLEHEIGHT*150=44\n", 1, 33, 33, 0, 0, 0},
        {"TITLEHEIGHT=40\nTITLEHEIGHT*150=44\n", 1, 50, 50, 0, 0, 0},
        {"TITLEHEIGHT=40\nTITLEHEIGHT*150=44\n", 2, 44, 44, 0, 0, 0},
        {"TITLEHEIGHT=40\nTITLEHEIGHT*150=x\n", 2, 60, 60, 0, 0, 0},
        {"TITLEHEIGHT=2147483647\nCENTEROFFSET=-2147483648\nBISPACE=2147483647\n", 2, INT_MAX, INT_MAX, INT_MIN,
         INT_MAX, 0},
    };
    for (const auto& c : cases) {
        const TSkinGlobalInfo g = ReadSkinGlobalInfo(TSkinIni(std::string("[GLOBALINFO]\n") + c.text), c.level);
        SCOPED_TRACE(std::string(c.text) + " level " + std::to_string(c.level));
        EXPECT_EQ(g.TitleHeight, c.title);
        EXPECT_EQ(g.MaxHeight, c.max);
        EXPECT_EQ(g.CenterOffset, c.center);
        EXPECT_EQ(g.BISpace, c.bispace);
        EXPECT_EQ(g.TitleGlows[1].Margin, c.margin);
    }
}

TEST_F(SkinSectionReader, CommonSectionsOverlay) {
    const TSkinIni ini(
        "[Button]\nSTATES=3\nCOLOR=100\nHOTCOLOR=101\nGLOW=2\nGIVEOWNFONT=1\nOUTERMODE=1\nUSESTATE2=1\nCOLOR2=102\n"
        "GRADIENTDATA=1;2;100;0;0\nGRADIENTPERCENT=40\n"
        "[EDIT]\nCOLOR=200\nFONTCOLOR=201\nOUTERMODE=0\nGLOW=3\n");
    std::vector<TSkinGeneralData> sections = ReadSkinSections(ini);
    ApplyCommonSections(sections,
                        "; overlay\n"
                        "[MY BUTTON]\n"
                        "PARENTCLASS = button\n"
                        "COLOR = 0x00FF00\n"
                        "GLOW=0X10\n"
                        "[EDIT]\n"
                        "FONTCOLOR=5\n"
                        "STATES=0x1\n"
                        "[Small]\n"
                        "PARENTCLASS=BUTTON\n"
                        "STATES=1\n"
                        "GRADIENTDATA=-\n"
                        "GIVEOWNFONT=true\n");
    ASSERT_EQ(sections.size(), 4u);
    const TSkinGeneralData& edit = sections[1];
    EXPECT_EQ(edit.ClassName, "EDIT");
    EXPECT_EQ(edit.ParentClass, "-1");
    EXPECT_EQ(edit.OuterMode, 0);                     // not an overlay field: stays
    EXPECT_EQ(edit.States, 1);
    EXPECT_EQ(edit.Props[ssNormal].FontColor, 5);
    EXPECT_EQ(edit.Props[ssNormal].Color, 0xFFFFFF);  // from the empty record, not the skin's EDIT
    EXPECT_EQ(edit.Glow, 0);
    EXPECT_EQ(edit.Props[ssHot].FontColor, 5);        // STATES 1 copies normal

    const TSkinGeneralData& mine = sections[2];
    EXPECT_EQ(mine.ClassName, "MYBUTTON");
    EXPECT_EQ(mine.ParentClass, "BUTTON");
    EXPECT_EQ(mine.States, 3);
    EXPECT_EQ(mine.Props[ssNormal].Color, 0x00FF00);
    EXPECT_EQ(mine.Props[ssHot].Color, 101);
    EXPECT_EQ(mine.Props[ssPressed].Color, 102);      // Button has USESTATE2
    EXPECT_EQ(mine.Glow, 16);
    EXPECT_TRUE(mine.GiveOwnFont);
    EXPECT_EQ(mine.OuterMode, 1);                     // a new section starts from its default section
    EXPECT_EQ(mine.Props[ssNormal].GradientPercent, 40);
    EXPECT_EQ(mine.Props[ssNormal].GradientArray.size(), 1u);

    const TSkinGeneralData& small = sections[3];
    EXPECT_EQ(small.ClassName, "Small");
    EXPECT_EQ(small.States, 1);
    EXPECT_FALSE(small.GiveOwnFont);
    EXPECT_EQ(small.Props[ssNormal].GradientPercent, 0);
    EXPECT_TRUE(small.Props[ssNormal].GradientArray.empty());
    EXPECT_EQ(small.Props[ssHot].Color, 100);

    std::vector<TSkinGeneralData> none = ReadSkinSections(ini);
    ApplyCommonSections(none, "");
    EXPECT_EQ(none.size(), 2u);
}

}  // namespace
}  // namespace ad::skin
