// A small skin taken the whole way: packed bytes → INI entry → sections,
// GLOBALINFO values and image values → the skin tables with their common
// indexes, frame sizes, corner transparency and palette. Catches mismatches
// between the readers and the tables that their own tests cannot see.
#include <gtest/gtest.h>

#include "skin/engine/testkit/AszTestWriter.h"
#include "skin/engine/skinfile/SkinImageValue.h"
#include "skin/engine/skinfile/SkinIni.h"
#include "skin/engine/skinfile/SkinSectionReader.h"
#include "skin/engine/skinfile/SkinTables.h"
#include "skin/engine/skinfile/skPackedSkin.h"

namespace ad::skin {
namespace {

const char* const kOptions =
    "[GLOBALINFO]\r\n"
    "VERSION=11.0\r\n"
    "MASTERBITMAP=MASTER.BMP\r\n"
    "COLOR=15790320\r\n"
    "FONTCOLOR=0\r\n"
    "BORDERCOLOR=8421504\r\n"
    "[BUTTON]\r\n"
    "STATES=3\r\n"
    "USESTATE2=1\r\n"
    "COLOR=14737632\r\n"
    "HOTCOLOR=15790320\r\n"
    "COLOR2=12632256\r\n"
    "BORDERSMASK=^0000^0000^0030^0020^0003^0003^0003^0003^3^0^0^0\r\n"
    "[EDIT]\r\n"
    "STATES=2\r\n"
    "COLOR=16777215\r\n"
    "BORDERSMASK=^0032^0000^0038^0004^0001^0001^0001^0001^2^0^1^1\r\n"
    "[PANEL]\r\n"
    "GRADIENTPERCENT=100\r\n"
    "GRADIENTDATA=16777215;14737632;100;0;0\r\n"
    "[PANEL_LOW]\r\n"
    "PARENTCLASS=PANEL\r\n"
    "[SELECTION]\r\n"
    "STATES=2\r\n"
    "COLOR=13395456\r\n"
    "HOTCOLOR=13395456\r\n"
    "FONTCOLOR=16777215\r\n"
    "HOTFONTCOLOR=16777215\r\n";

// 64 x 32 master: three 10 x 20 button frames with fuchsia corners at (0, 0),
// two 3 x 4 edit frames at (32, 0), grey elsewhere.
std::shared_ptr<TBitmap32> MakeMaster() {
    auto bmp = std::make_shared<TBitmap32>(64, 32);
    const TImageView32 v = bmp->View();
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x) SetPixel32(v, x, y, 0xFF808080u);
    for (int frame = 0; frame < 3; ++frame) {
        const int left = frame * 10;
        for (int y : {0, 19})
            for (int x : {left, left + 9}) SetPixel32(v, x, y, skKeyColor);
    }
    return bmp;
}

// What loading does with the readers' results, in its order.
TSkinTables LoadTables(const std::vector<uint8_t>& packed) {
    TSkSkinConvertor convertor;
    EXPECT_TRUE(ReadPackedSkinEntries(convertor, packed.data(), packed.size())) << convertor.LastError;
    EXPECT_TRUE(convertor.IniStream);
    const TSkinIni ini(*convertor.IniStream);

    TSkinTables tables;
    tables.MasterBitmap = MakeMaster();
    for (const TSkinImageValue& v : ReadSkinImageValues(ini, 0)) {
        if (!v.MakesMask()) continue;
        const int i = tables.AddMask(MakeSkinMaskData(v));
        if (tables.Mask(i).DrawMode == dmNinePart) tables.UpdateCornerType(i);
    }
    tables.GlobalInfo = ReadSkinGlobalInfo(ini, 0);
    tables.SetSections(ReadSkinSections(ini));
    tables.FinishSections();
    tables.ResolveCommonSections();
    return tables;
}

TEST(SkinLoadChain, MinimalPackedSkinFillsTheTables) {
    using namespace asztest;
    const Bytes packed = Pack({{"OPTIONS.DAT", Text(kOptions)}, {"MASTER.BMP", Bytes(16, 0)}});
    TSkinTables t = LoadTables(packed);

    EXPECT_DOUBLE_EQ(t.GlobalInfo.Version, 11.0);
    EXPECT_EQ(t.GlobalInfo.MasterBitmap, "MASTER.BMP");

    // Sections in INI order, then the synthetic ones.
    ASSERT_GE(t.SectionCount(), 6);
    EXPECT_EQ(t.Section(0).ClassName, "GLOBALINFO");
    EXPECT_EQ(t.SectionIndexOf("PANEL_LOW"), 4);
    EXPECT_GE(t.SectionIndexOf("TRANSPARENT"), 6);
    EXPECT_GE(t.SectionIndexOf("MAINCOLOR"), 6);
    EXPECT_EQ(t.CommonIndexes[kSkinCommonSectionCount - 1], -1);  // DIVIDERV absent

    const int button = t.SectionIndexOf("BUTTON");
    const TSkinGeneralData& b = t.Section(button);
    EXPECT_EQ(b.Props[ssPressed].Color, 12632256);  // USESTATE2=1 reads COLOR2
    ASSERT_TRUE(t.IsValidMaskIndex(b.BorderIndex));
    const TSkinMaskData& bm = t.Mask(b.BorderIndex);
    EXPECT_EQ(bm.ImageCount, 3);
    EXPECT_EQ(MaskFrameSize(bm), (TPoint{10, 20}));
    EXPECT_EQ(bm.CornerType, ctFuchsiaCorner);
    EXPECT_EQ(b.ThinFrameKind, 0);

    const TSkinGeneralData& e = t.Section(t.SectionIndexOf("EDIT"));
    ASSERT_TRUE(t.IsValidMaskIndex(e.BorderIndex));
    EXPECT_EQ(t.Mask(e.BorderIndex).CornerType, ctOpaque);
    EXPECT_EQ(e.ThinFrameKind, kThinEditFrame);
    EXPECT_EQ(e.Props[ssPressed].Color, e.Props[ssHot].Color);  // no USESTATE2: pressed copies hot

    // PANEL_LOW inherits the gradient; its frame comes from nowhere.
    const TSkinGeneralData& low = t.Section(t.SectionIndexOf("PANEL_LOW"));
    ASSERT_EQ(low.Props[ssNormal].GradientArray.size(), 1u);
    EXPECT_EQ(low.Props[ssNormal].GradientPercent, 100);
    EXPECT_EQ(low.ThinFrameKind, kNoBorderMask);

    // Palette from GLOBALINFO, EDIT and SELECTION.
    EXPECT_EQ(t.FormColor(), 15790320);
    EXPECT_EQ(t.EditBackColor(), 16777215);
    EXPECT_EQ(t.SelectionColor(true), 13395456);
    EXPECT_EQ(t.SelectionTextColor(false), 16777215);
    EXPECT_EQ(t.Palette[pcBorder], 8421504);
}

TEST(SkinLoadChain, CyclicParentsAndMalformedValuesStillLoad) {
    using namespace asztest;
    const std::string text =
        "[GLOBALINFO]\r\nVERSION=9\r\n"
        "[A]\r\nPARENTCLASS=B\r\nBORDERSMASK=^0000^0000\r\n"   // cut short: no mask
        "[B]\r\nPARENTCLASS=A\r\nGLYPHMASK=@0000@0000@0004@0004@1@0\r\n";
    TSkinTables t = LoadTables(Pack({{"options.DAT", Text(text)}}));
    const int a = t.SectionIndexOf("A");
    ASSERT_GE(a, 0);
    EXPECT_EQ(t.Section(a).BorderIndex, -1);
    EXPECT_EQ(t.FindMaskInSection(a, "GLYPHMASK"), t.FindMaskByNames("B", "GLYPHMASK"));
    EXPECT_EQ(t.FindMaskInSection(a, "NOSUCHKEY"), -1);
}


// Found by fuzzing: a glow count as large as a colour value made resolving the
// title buttons look up and store one glow mask per unit of the count.
TEST(SkinLoadChain, HugeGlowCountIsBoundedByTheMasksTheSkinHolds) {
    using namespace asztest;
    const std::string text =
        "[GLOBALINFO]\r\nVERSION=10\r\nBICONMINGLOW=12632256\r\nBICONCLOSEGLOW=2147483647\r\n"
        "BICONMAXGLOW=1\r\nBICONMAXGLOW0=@0000@0000@0004@0004@1@0\r\n";
    TSkinTables t = LoadTables(Pack({{"OPTIONS.DAT", Text(text)}}));
    const auto& g = t.CommonMasks.TitleGlows;
    EXPECT_LE(g[tbMin].Masks.size(), size_t(t.MaskCount()));
    EXPECT_LE(g[tbClose].Masks.size(), size_t(t.MaskCount()));
    ASSERT_EQ(g[tbMax].Masks.size(), 1u);
    EXPECT_EQ(g[tbMax].Masks[0], t.FindGlobalMask("BICONMAXGLOW0"));
}

}  // namespace
}  // namespace ad::skin
