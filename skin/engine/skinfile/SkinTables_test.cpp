// Tests of the skin tables: frame sizes, first-match lookups and parent chains
// (cycles included), the common indexes and their fallbacks, the palette and
// synthetic sections, scaled masks, corner transparency and the colour
// transforms. Skins are built in memory.
#include "skin/engine/skinfile/SkinTables.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "skin/engine/image/SkinUtils.h"

namespace ad::skin {
namespace {

TSkinGeneralData MakeSection(const std::string& name, const std::string& parent = "", int states = 3) {
    TSkinGeneralData s;
    s.ClassName = name;
    s.ParentClass = parent;
    s.States = states;
    return s;
}

// A mask in the master bitmap, as the "@" form gives it.
int AddShort(TSkinTables& t, const std::string& section, const std::string& key, TRect r, int count = 1,
             int type = 0, uint8_t mode = dmGlyph) {
    return t.AddMask(t.SectionIndexOf(section), section, key, r, count, type, 0, mode);
}

std::vector<uint8_t> Bytes(const TBitmap32& b) {
    return std::vector<uint8_t>(b.Data(), b.Data() + size_t(b.Width()) * size_t(b.Height()) * 4);
}

std::shared_ptr<TBitmap32> Filled(int w, int h, uint32_t pixel) {
    auto b = std::make_shared<TBitmap32>(w, h);
    TImageView32 v = b->View();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixel32(v, x, y, pixel);
    return b;
}

uint32_t Px(const TBitmap32& b, int x, int y) {
    TBitmap32& m = const_cast<TBitmap32&>(b);
    return GetPixel32(m.View(), x, y);
}

// System colours with a distinct value per index.
bool FakeSysColor(int index, uint32_t& color) {
    color = 0x010101u * uint32_t(index);
    return true;
}
class SysColors {
public:
    SysColors() : previous_(SetSysColorResolver(FakeSysColor)) {}
    ~SysColors() { SetSysColorResolver(previous_); }

private:
    TSysColorResolver previous_;
};

// ---------------------------------------------------------------------------

TEST(SkinTables, FrameSizes) {
    struct Case {
        TRect R;
        int Count, Type, W, H;
    } cases[] = {
        {{0, 0, 30, 20}, 3, 0, 10, 20},   // @0000@0000@0030@0020@3@0
        {{0, 0, 10, 40}, 1, 1, 10, 20},   // lower half alpha
        {{0, 0, 10, 40}, 1, 3, 10, 10},   // four parts
        {{5, 5, 36, 16}, 2, 0, 15, 11},   // integer division
        {{0, 0, 30, 20}, 0, 0, 0, 20},    // no image count: no frame width
        {{0, 0, 30, 20}, 1, -1, 30, 0},
    };
    for (const Case& c : cases) {
        TSkinMaskData m;
        m.R = c.R;
        m.ImageCount = int16_t(c.Count);
        m.MaskType = int16_t(c.Type);
        EXPECT_EQ(MaskFrameSize(m), (TPoint{c.W, c.H})) << c.Count << "/" << c.Type;
    }
    // PostProcessSkin stores them.
    TSkinTables t;
    t.AddSection(MakeSection("BUTTON"));
    int i = AddShort(t, "BUTTON", "GLYPHMASK", {0, 0, 30, 20}, 3, 0);
    t.PostProcessSkin();
    EXPECT_EQ(t.Mask(i).Width, 10);
    EXPECT_EQ(t.Mask(i).Height, 20);
}

TEST(SkinTables, ImageCountZeroFillsBorders) {
    TSkinTables t;
    t.AddSection(MakeSection("PANEL"));
    const int plain = AddShort(t, "PANEL", "A", {0, 0, 30, 20}, 0);
    const int uniform = AddShort(t, "PANEL", "B", {0, 0, 30, 20}, 0);
    t.Mask(uniform).BorderWidth = 5;
    const int preset = AddShort(t, "PANEL", "C", {0, 0, 30, 20}, 0);
    t.Mask(preset).WL = 3;
    const int counted = AddShort(t, "PANEL", "D", {0, 0, 30, 20}, 2);
    t.PostProcessSkin();

    const TSkinMaskData& a = t.Mask(plain);
    EXPECT_EQ(a.WT, 20);
    EXPECT_EQ(a.WB, 20);
    EXPECT_EQ(a.WL, 0);  // frame width was 0
    EXPECT_EQ(a.WR, 0);
    EXPECT_EQ(a.ImageCount, 1);
    EXPECT_EQ(a.Width, 30);
    const TSkinMaskData& b = t.Mask(uniform);
    EXPECT_EQ((std::array<int, 4>{b.WL, b.WT, b.WR, b.WB}), (std::array<int, 4>{5, 5, 5, 5}));
    EXPECT_EQ(t.Mask(preset).WL, 3);
    EXPECT_EQ(t.Mask(preset).WR, 0);
    const TSkinMaskData& d = t.Mask(counted);
    EXPECT_EQ((std::array<int, 4>{d.WL, d.WT, d.WR, d.WB}), (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(d.Width, 15);
}

TEST(SkinTables, SectionIndexIsFirstMatch) {
    TSkinTables t;
    t.AddSection(MakeSection("EDIT"));
    t.AddSection(MakeSection("BUTTON"));
    t.AddSection(MakeSection("EDIT"));
    EXPECT_EQ(t.SectionIndexOf("EDIT"), 0);
    EXPECT_EQ(t.SectionIndexOf("BUTTON"), 1);
    EXPECT_EQ(t.SectionIndexOf("edit"), -1);  // exact compare
    EXPECT_EQ(t.SectionIndexOf(""), -1);
    EXPECT_TRUE(t.IsValidSectionIndex(2));
    EXPECT_FALSE(t.IsValidSectionIndex(3));
    EXPECT_FALSE(t.IsValidSectionIndex(-1));

    // Renaming keeps the index in step.
    TSkinGeneralData renamed = t.Section(0);
    renamed.ClassName = "MEMO";
    t.ReplaceSection(0, renamed);
    EXPECT_EQ(t.SectionIndexOf("EDIT"), 2);
    EXPECT_EQ(t.SectionIndexOf("MEMO"), 0);
    t.ClearSections();
    EXPECT_EQ(t.SectionIndexOf("MEMO"), -1);
}

TEST(SkinTables, MaskLookupsAreFirstMatch) {
    TSkinTables t;
    t.AddSection(MakeSection("BUTTON"));
    const int glyph = AddShort(t, "BUTTON", "PATTERN", {0, 0, 4, 4}, 1, 0, dmGlyph);
    const int texture = AddShort(t, "BUTTON", "PATTERN", {4, 0, 8, 4}, 1, 0, dmTexture);
    const int texture2 = AddShort(t, "BUTTON", "PATTERN", {8, 0, 12, 4}, 1, 0, dmTexture);
    (void)texture2;
    EXPECT_EQ(t.FindMaskInSection(0, "PATTERN"), glyph);
    EXPECT_EQ(t.FindMaskByNames("BUTTON", "PATTERN"), glyph);
    EXPECT_EQ(t.FindTextureMask(0, "BUTTON", "PATTERN"), texture);
    EXPECT_EQ(t.FindTextureMaskInSection(0, "PATTERN"), texture);
    EXPECT_EQ(t.FindMaskByNames("BUTTON", "HOTPATTERN"), -1);
    EXPECT_EQ(t.FindMaskByNames("EDIT", "PATTERN"), -1);

    // Removing the first makes the next one first; indexes shift.
    t.RemoveMask(glyph);
    EXPECT_EQ(t.FindMaskInSection(0, "PATTERN"), 0);
    EXPECT_EQ(t.Mask(0).R.Left, 4);
    EXPECT_EQ(t.FindTextureMask(0, "BUTTON", "PATTERN"), 0);
    EXPECT_TRUE(t.IsValidMaskIndex(1));
    EXPECT_FALSE(t.IsValidMaskIndex(2));

    t.ClearImages();
    EXPECT_EQ(t.FindMaskInSection(0, "PATTERN"), -1);
    EXPECT_EQ(t.MaskCount(), 0);
}

TEST(SkinTables, ParentChainsAndCycles) {
    TSkinTables t;
    const int self = t.AddSection(MakeSection("SELF", "SELF"));
    const int a = t.AddSection(MakeSection("A", "B"));
    const int b = t.AddSection(MakeSection("B", "A"));
    const int x = t.AddSection(MakeSection("X", "Y"));
    const int y = t.AddSection(MakeSection("Y", "Z"));
    const int z = t.AddSection(MakeSection("Z", "X"));
    const int child = t.AddSection(MakeSection("CHILD", "Z"));
    const int orphan = t.AddSection(MakeSection("ORPHAN", "MISSING"));
    const int inB = AddShort(t, "B", "BORDERSMASK", {0, 0, 3, 3});
    const int inZ = AddShort(t, "Z", "PATTERN", {0, 0, 3, 3}, 1, 0, dmTexture);
    (void)orphan;

    // Absent masks: every walk ends.
    for (int s : {self, a, b, x, y, z, child, orphan}) {
        EXPECT_EQ(t.FindMaskInSection(s, "NONE"), -1) << s;
        EXPECT_EQ(t.FindMaskUpChain(s, t.Section(s).ClassName, "NONE"), -1) << s;
        EXPECT_EQ(t.FindTextureMask(s, t.Section(s).ClassName, "NONE"), -1) << s;
        EXPECT_EQ(t.FindTextureMaskInSection(s, "NONE"), -1) << s;
    }
    // Present masks are found through the cycle's other members.
    EXPECT_EQ(t.FindMaskInSection(a, "BORDERSMASK"), inB);
    EXPECT_EQ(t.FindMaskInSection(b, "BORDERSMASK"), inB);
    EXPECT_EQ(t.FindTextureMaskInSection(x, "PATTERN"), inZ);
    EXPECT_EQ(t.FindTextureMask(x, "X", "PATTERN"), inZ);
    EXPECT_EQ(t.FindTextureMask(child, "CHILD", "PATTERN"), inZ);
    EXPECT_EQ(t.FindMaskInSection(y, "PATTERN"), inZ);
    // Indexes outside the table.
    for (int bad : {-1, -5, t.SectionCount(), 1000}) {
        EXPECT_EQ(t.FindMaskInSection(bad, "BORDERSMASK"), -1);
        EXPECT_EQ(t.FindMaskUpChain(bad, "A", "BORDERSMASK"), -1);
        EXPECT_EQ(t.FindTextureMaskInSection(bad, "PATTERN"), -1);
    }
    // By names, an index outside the table still finds the named section's own mask only.
    EXPECT_EQ(t.FindTextureMask(-1, "Z", "PATTERN"), inZ);
    EXPECT_EQ(t.FindTextureMask(-1, "X", "PATTERN"), -1);
}

TEST(SkinTables, FindMaskUpChainStopsAtFromName) {
    TSkinTables t;
    const int g = t.AddSection(MakeSection("GLOBALINFO"));
    const int base = t.AddSection(MakeSection("BASE"));
    const int mid = t.AddSection(MakeSection("MID", "BASE"));
    const int leaf = t.AddSection(MakeSection("LEAF", "MID"));
    const int onBase = AddShort(t, "BASE", "GLYPHMASK", {0, 0, 2, 2});
    const int onGlobal = AddShort(t, "GLOBALINFO", "BOXCHECKED", {0, 0, 2, 2});
    (void)base;

    EXPECT_EQ(t.FindMaskUpChain(leaf, "LEAF", "GLYPHMASK"), onBase);
    EXPECT_EQ(t.FindMaskUpChain(leaf, "MID", "GLYPHMASK"), -1);   // the first parent is FromName
    EXPECT_EQ(t.FindMaskUpChain(mid, "BASE", "GLYPHMASK"), -1);
    EXPECT_EQ(t.FindMaskUpChain(leaf, "BASE", "GLYPHMASK"), onBase);  // only the first step compares FromName
    EXPECT_EQ(t.FindMaskUpChain(g, "GLOBALINFO", "BOXCHECKED"), onGlobal);
    EXPECT_EQ(t.FindGlobalMask("BOXCHECKED"), onGlobal);
    EXPECT_EQ(t.FindMaskInSection(leaf, "GLYPHMASK"), onBase);
}

// ---------------------------------------------------------------------------
// Palette and synthetic sections

TEST(SkinTables, PaletteWithoutSelectionOrMenuItemUsesSystemHighlight) {
    SysColors sys;
    TSkinTables t;
    t.GlobalInfo.Color = 0x112233;
    t.GlobalInfo.FontColor = 0x445566;
    t.GlobalInfo.BorderColor = 0x010203;
    t.AddSection(MakeSection("GLOBALINFO"));
    t.BuildPalette();
    const TSkinPalette& p = t.Palette;
    EXPECT_EQ(p[pcSelectionBG], 0x0D0D0D);
    EXPECT_EQ(p[pcSelectionBGFocused], 0x0D0D0D);
    EXPECT_EQ(p[pcSelectionText], 0x0E0E0E);
    EXPECT_EQ(p[pcSelectionTextFocused], 0x0E0E0E);
    EXPECT_EQ(p[pcEditText], 0x080808);
    EXPECT_EQ(p[pcEditBG], 0x050505);
    EXPECT_EQ(p[pcHintBG], 0x181818);
    EXPECT_EQ(p[pcHintText], 0x171717);
    EXPECT_EQ(p[pcBorder], 0x010203);
    EXPECT_EQ(t.FormColor(), 0x112233);
    EXPECT_EQ(t.LabelTextColor(), 0x445566);
    EXPECT_EQ(t.SelectionColor(true), 0x0D0D0D);
    EXPECT_EQ(t.SelectionTextColor(false), 0x0E0E0E);
    // Derived edit colours: inverted, odd rows, even rows a blend.
    EXPECT_EQ(p[pcEditBG_Inverted], 0x080808);
    EXPECT_EQ(p[pcEditText_Inverted], 0x050505);
    EXPECT_EQ(p[pcEditBG_OddRow], 0x050505);
    EXPECT_EQ(p[pcEditBG_EvenRow], TColor(BlendTwoColors(0x080808, 0x050505, 13)));
    EXPECT_EQ(p[pcEditText_Alert + 1], 0x8597D9);
    // The default face colour is a system colour and comes resolved.
    TSkinTables d;
    d.BuildPalette();
    EXPECT_EQ(d.FormColor(), 0x0F0F0F);
}

TEST(SkinTables, PaletteSelectionRules) {
    SysColors sys;
    auto withSections = [](std::vector<TSkinGeneralData> sections) {
        TSkinTables t;
        t.SetSections(std::move(sections));
        t.BuildPalette();
        return t.Palette;
    };
    TSkinGeneralData menu = MakeSection("MENUITEM");
    menu.Props[ssHot].Color = 0x00AA00;
    menu.Props[ssHot].FontColor = 0x0000BB;
    TSkinGeneralData sel = MakeSection("SELECTION");
    sel.Props[ssNormal].Color = 0x111111;
    sel.Props[ssNormal].FontColor = 0x222222;
    sel.Props[ssHot].Color = 0x333333;
    sel.Props[ssHot].FontColor = 0x444444;

    TSkinPalette p = withSections({menu});
    EXPECT_EQ(p[pcSelectionText], 0x0000BB);
    EXPECT_EQ(p[pcSelectionTextFocused], 0x0000BB);  // entry 9 := entry 7
    EXPECT_EQ(p[pcSelectionBG], 0x00AA00);
    EXPECT_EQ(p[pcSelectionBGFocused], 0x00AA00);

    TSkinGeneralData menuNoText = menu;
    menuNoText.Props[ssHot].FontColor = 0xFF00FF;
    p = withSections({menuNoText});
    EXPECT_EQ(p[pcSelectionText], 0x0E0E0E);
    EXPECT_EQ(p[pcSelectionTextFocused], 0x0E0E0E);
    EXPECT_EQ(p[pcSelectionBG], 0x00AA00);

    p = withSections({sel, menu});
    EXPECT_EQ((std::array<TColor, 4>{p[6], p[7], p[8], p[9]}),
              (std::array<TColor, 4>{0x111111, 0x222222, 0x333333, 0x444444}));

    TSkinGeneralData selOneState = sel;
    selOneState.States = 1;
    p = withSections({selOneState});
    EXPECT_EQ((std::array<TColor, 4>{p[6], p[7], p[8], p[9]}),
              (std::array<TColor, 4>{0x111111, 0x222222, 0x111111, 0x222222}));

    // A fuchsia selection text falls back to the menu item's hot colours.
    TSkinGeneralData selFuchsia = sel;
    selFuchsia.Props[ssNormal].FontColor = 0xFF00FF;
    p = withSections({selFuchsia, menu});
    EXPECT_EQ((std::array<TColor, 4>{p[6], p[7], p[8], p[9]}),
              (std::array<TColor, 4>{0x00AA00, 0x0000BB, 0x00AA00, 0x0000BB}));

    // EDIT and HINT sections.
    TSkinGeneralData edit = MakeSection("EDIT"), hint = MakeSection("HINT");
    edit.Props[ssNormal].Color = 0xABCDEF;
    edit.Props[ssNormal].FontColor = 0x123456;
    hint.Props[ssNormal].Color = 0x00FFFF;
    hint.Props[ssNormal].FontColor = 0x000001;
    p = withSections({edit, hint});
    EXPECT_EQ(p[pcEditText], 0x123456);
    EXPECT_EQ(p[pcEditBG], 0xABCDEF);
    EXPECT_EQ(p[pcHintBG], 0x00FFFF);
    EXPECT_EQ(p[pcHintText], 0x000001);
}

TEST(SkinTables, SyntheticSections) {
    TSkinTables t;
    t.GlobalInfo.Color = 0x102030;
    t.GlobalInfo.FontColor = 0x405060;
    t.AddSection(MakeSection("GLOBALINFO"));
    t.BuildPalette();
    t.AddSyntheticSections();
    const int tr = t.SectionIndexOf("TRANSPARENT"), mc = t.SectionIndexOf("MAINCOLOR");
    ASSERT_GE(tr, 0);
    ASSERT_GE(mc, 0);
    for (int s : {tr, mc}) {
        EXPECT_TRUE(t.Section(s).ParentClass.empty());
        EXPECT_EQ(t.Section(s).States, 1);
        for (const TSkinGenState& st : t.Section(s).Props) {
            EXPECT_EQ(st.FontColor, 0x405060);
            EXPECT_EQ((std::array<TColor, 4>{st.OutlineLeft, st.OutlineTop, st.OutlineRight, st.OutlineBottom}),
                      (std::array<TColor, 4>{-1, -1, -1, -1}));
            EXPECT_EQ(st.Transparency, s == tr ? 100 : 0);
            EXPECT_EQ(st.Color, s == tr ? 0xFFFFFF : 0x102030);
        }
    }
    // A skin's own sections stay.
    TSkinTables own;
    TSkinGeneralData mine = MakeSection("TRANSPARENT", "", 2);
    own.AddSection(mine);
    own.AddSyntheticSections();
    EXPECT_EQ(own.SectionCount(), 2);
    EXPECT_EQ(own.Section(own.SectionIndexOf("TRANSPARENT")).States, 2);
}

// ---------------------------------------------------------------------------
// Common indexes

TEST(SkinTables, CommonSectionIndexesInOrder) {
    TSkinTables t;
    t.AddSection(MakeSection("GLOBALINFO"));
    for (int k = kSkinCommonSectionCount - 1; k >= 0; k -= 3) t.AddSection(MakeSection(kSkinCommonSectionNames[size_t(k)]));
    t.ResolveCommonSections();
    EXPECT_EQ(t.GlobalInfoIndex, 0);
    for (int k = 0; k < kSkinCommonSectionCount; ++k)
        EXPECT_EQ(t.CommonIndexes[size_t(k)], t.SectionIndexOf(kSkinCommonSectionNames[size_t(k)])) << k;
    EXPECT_STREQ(kSkinCommonSectionNames[csHint], "HINT");
    EXPECT_STREQ(kSkinCommonSectionNames[csDividerV], "DIVIDERV");
    EXPECT_EQ(t.CommonIndexes[csDividerV], 1);
    EXPECT_EQ(t.CommonIndexes[csMenuCaption], -1);
}

TEST(SkinTables, SpinButtonFallbacks) {
    struct Case {
        std::vector<std::string> Sections;
        std::array<const char*, 4> Expected;
    } cases[] = {
        {{"BUTTON"}, {"BUTTON", "BUTTON", "BUTTON", "BUTTON"}},
        {{"BUTTON", "UPDOWNBTN"}, {"UPDOWNBTN", "UPDOWNBTN", "UPDOWNBTN", "UPDOWNBTN"}},
        {{"BUTTON", "UPDOWNBTN", "UPDOWNBTN_TOP", "UPDOWNBTNRIGHT"}, {"UPDOWNBTN", "UPDOWNBTN_TOP", "UPDOWNBTNRIGHT", "UPDOWNBTN"}},
        {{"UPDOWNBTN_RIGHT", "UPDOWNBTN_LEFT", "UPDOWNBTN_BOTTOM"}, {"UPDOWNBTN_LEFT", "", "", "UPDOWNBTN_BOTTOM"}},
        {{}, {"", "", "", ""}},
    };
    for (const Case& c : cases) {
        TSkinTables t;
        for (const std::string& s : c.Sections) t.AddSection(MakeSection(s));
        t.ResolveCommonSections();
        for (int k = 0; k < 4; ++k) {
            const int s = t.CommonMasks.SpinButtons[size_t(k)].SectionIndex;
            EXPECT_EQ(s < 0 ? std::string() : t.Section(s).ClassName, c.Expected[size_t(k)]) << k;
        }
    }
}

TEST(SkinTables, SectionRecordsTakeMasksFromTheChain) {
    TSkinTables t;
    t.AddSection(MakeSection("GLOBALINFO"));
    t.AddSection(MakeSection("BUTTON"));
    t.AddSection(MakeSection("TABTOP", "BUTTON"));
    t.AddSection(MakeSection("TRACKBAR"));
    t.AddSection(MakeSection("COMBOBOX"));
    const int border = AddShort(t, "BUTTON", "BORDERSMASK", {0, 0, 9, 9});
    const int pattern = AddShort(t, "TABTOP", "PATTERN", {0, 0, 9, 9}, 1, 0, dmTexture);
    const int hot = AddShort(t, "BUTTON", "HOTPATTERN", {0, 0, 9, 9}, 1, 0, dmTexture);
    const int spinBorder = border;
    const int slider = AddShort(t, "TRACKBAR", "SLIDERMASK", {0, 0, 5, 5});
    const int sliderV = AddShort(t, "TRACKBAR", "SLIDERVMASK", {0, 0, 5, 5});
    const int tickH = AddShort(t, "TRACKBAR", "TICKHORZ", {0, 0, 5, 5});
    const int tickV = AddShort(t, "TRACKBAR", "TICKVERT", {0, 0, 5, 5});
    const int channel = AddShort(t, "TRACKBAR", "SLIDERCHANNEL", {0, 0, 5, 5});
    const int comboGlyph = AddShort(t, "COMBOBOX", "GLYPHMASK", {0, 0, 5, 5});
    t.ResolveCommonSections();

    const TSkinSectionRecord& tab = t.CommonMasks.Tabs[trTop];
    EXPECT_EQ(tab.SectionIndex, 2);
    EXPECT_EQ(tab.BorderIndex, border);
    EXPECT_EQ(tab.TextureIndex, pattern);
    EXPECT_EQ(tab.HotTextureIndex, hot);
    EXPECT_EQ(t.CommonMasks.Tabs[trLeft].SectionIndex, -1);
    EXPECT_EQ(t.CommonMasks.SpinButtons[0].BorderIndex, spinBorder);
    const auto& tb = t.CommonMasks.TrackBars;
    EXPECT_EQ(tb[0].SliderIndex, sliderV);
    EXPECT_EQ(tb[1].SliderIndex, slider);
    EXPECT_EQ(tb[0].TickIndex, tickH);
    EXPECT_EQ(tb[1].TickIndex, tickV);
    EXPECT_EQ(tb[0].ChannelIndex, channel);
    EXPECT_EQ(tb[1].ProgressIndex, -1);
    EXPECT_EQ(t.CommonMasks.ComboBoxGlyph, comboGlyph);
}

TEST(SkinTables, TitleButtonFallbacksAndGlows) {
    TSkinTables t;
    t.AddSection(MakeSection("GLOBALINFO"));
    const int close = AddShort(t, "GLOBALINFO", "BICONCLOSE", {0, 0, 10, 10});
    const int max = AddShort(t, "GLOBALINFO", "BICONMAX", {10, 0, 20, 10});
    const int smin = AddShort(t, "GLOBALINFO", "SICONMIN", {20, 0, 30, 10});
    const int min = AddShort(t, "GLOBALINFO", "BICONMIN", {30, 0, 40, 10});
    const int glow0 = AddShort(t, "GLOBALINFO", "BICONCLOSEGLOW0", {0, 10, 10, 20});
    const int glow1 = AddShort(t, "GLOBALINFO", "BICONCLOSEGLOW1", {10, 10, 20, 20});
    t.GlobalInfo.TitleGlows[tbClose] = {2, 7};
    t.GlobalInfo.TitleGlows[tbMax] = {1, 3};
    t.ResolveCommonSections();

    const auto& b = t.CommonMasks.TitleButtons;
    EXPECT_EQ(b[tbClose], close);
    EXPECT_EQ(b[tbCloseAlone], close);
    EXPECT_EQ(b[tbSmallClose], close);
    EXPECT_EQ(b[tbSmallMax], max);
    EXPECT_EQ(b[tbSmallMin], smin);
    EXPECT_EQ(b[tbMin], min);
    EXPECT_EQ(b[tbSmallHelp], -1);
    EXPECT_EQ(b[tbUnused], -1);
    const auto& g = t.CommonMasks.TitleGlows;
    EXPECT_EQ(g[tbClose].Masks, (std::vector<int32_t>{glow0, glow1}));
    EXPECT_EQ(g[tbClose].Margin, 7);
    EXPECT_EQ(g[tbCloseAlone].Masks, g[tbClose].Masks);  // fell back with its glows
    EXPECT_EQ(g[tbCloseAlone].Margin, 7);
    EXPECT_EQ(g[tbMax].Masks, (std::vector<int32_t>{-1}));
}

// ---------------------------------------------------------------------------
// Scaled masks

TEST(SkinTables, ScaledMaskIndexPrefersSuffixedMask) {
    TSkinTables t;
    t.AddSection(MakeSection("GLOBALINFO"));
    t.MasterBitmap = Filled(40, 20, 0xFF336699);
    const int plain = AddShort(t, "GLOBALINFO", "GRIPIMAGE", {0, 0, 8, 6});
    const int big = AddShort(t, "GLOBALINFO", "GRIPIMAGE*125", {8, 0, 18, 7});
    t.ScaleLevel = 1;
    EXPECT_EQ(t.ScaledMaskIndex("GRIPIMAGE", -1, false), big);
    EXPECT_EQ(t.Mask(plain).R, (TRect{0, 0, 8, 6}));
    EXPECT_FALSE(t.Mask(plain).Bmp);
    t.ScaleLevel = 0;
    EXPECT_EQ(t.ScaledMaskIndex("GRIPIMAGE", -1, false), plain);
    EXPECT_FALSE(t.Mask(plain).Bmp);
    t.ScaleLevel = 2;  // no *150 mask: the plain one is rescaled
    EXPECT_EQ(t.ScaledMaskIndex("GRIPIMAGE", -1, false), plain);
    EXPECT_EQ(t.Mask(plain).R, (TRect{0, 0, 12, 18}));
    EXPECT_EQ(t.ScaledMaskIndex("MISSING", -1, false), -1);
}

TEST(SkinTables, ScaledMaskIndexRescalesWithAlphaHalf) {
    TSkinTables t;
    t.AddSection(MakeSection("GLOBALINFO"));
    t.AddSection(MakeSection("MENUITEM"));
    t.Palette[pcMainColor] = 0x112233;
    // Two 8 x 6 images: the first all clFuchsia, the second opaque blue.
    t.MasterBitmap = std::make_shared<TBitmap32>(20, 10);
    TImageView32 mv = t.MasterBitmap->View();
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 16; ++x) SetPixel32(mv, x, y, x < 8 ? skKeyColor : 0xFF0000FFu);
    const int m = AddShort(t, "MENUITEM", "GLYPHMASK", {0, 0, 16, 6}, 2, 0);
    t.ScaleLevel = 1;
    EXPECT_EQ(t.ScaledMaskIndex("GLYPHMASK", 1, false), m);
    const TSkinMaskData& s = t.Mask(m);
    ASSERT_TRUE(s.Bmp);
    // ScaleInt(8) = 10 per image, ScaleInt(6) = 7 per part, two parts.
    EXPECT_EQ(s.Bmp->Width(), 20);
    EXPECT_EQ(s.Bmp->Height(), 14);
    EXPECT_EQ(s.R, (TRect{0, 0, 20, 14}));
    EXPECT_EQ(s.MaskType, 1);
    EXPECT_EQ(s.ImageCount, 2);
    EXPECT_EQ(MaskFrameSize(s), (TPoint{10, 7}));
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 10; ++x) {
            EXPECT_EQ(Px(*s.Bmp, x, y), SwapRedBlue(0x112233)) << x << "," << y;  // face colour, alpha 0
            EXPECT_EQ(Px(*s.Bmp, x, y + 7), 0xFFFFFFFFu);                         // white below
            EXPECT_EQ(Px(*s.Bmp, x + 10, y), 0xFF0000FFu);
            EXPECT_EQ(Px(*s.Bmp, x + 10, y + 7), 0xFF000000u);
        }
    // The master stays as it was; a second lookup does not rescale again.
    EXPECT_EQ(GetPixel32(mv, 0, 0), skKeyColor);
    EXPECT_EQ(t.ScaledMaskIndex("GLYPHMASK", 1, false), m);
    EXPECT_EQ(t.Mask(m).Bmp->Width(), 20);
    t.ResolveCommonSections();
    EXPECT_EQ(t.CommonMasks.MenuItem.GlyphIndex, m);
    EXPECT_EQ(t.Mask(m).Bmp->Height(), 14);
}

TEST(SkinTables, ScaledMaskIndexCopiesAndKeepsAlphaMasks) {
    TSkinTables t;
    t.AddSection(MakeSection("GLOBALINFO"));
    t.MasterBitmap = Filled(12, 8, 0xFF808080u);
    const int alpha = AddShort(t, "GLOBALINFO", "BICONCLOSEGLOW0", {0, 0, 12, 8}, 3, 1);
    t.ScaleLevel = 2;
    const int copy = t.ScaledMaskIndex("BICONCLOSEGLOW0", -1, true);
    ASSERT_NE(copy, alpha);
    EXPECT_FALSE(t.Mask(alpha).Bmp);
    EXPECT_EQ(t.Mask(alpha).R, (TRect{0, 0, 12, 8}));
    const TSkinMaskData& c = t.Mask(copy);
    EXPECT_EQ(c.MaskType, 1);
    EXPECT_EQ(c.Bmp->Width(), 18);   // 3 x ScaleInt(4)
    EXPECT_EQ(c.Bmp->Height(), 12);  // 2 x ScaleInt(4)
    EXPECT_EQ(c.PropertyName, "BICONCLOSEGLOW0");
    EXPECT_EQ(Px(*c.Bmp, 7, 7), 0xFF808080u);
    // The original is still first under its names; the copy is remembered.
    EXPECT_EQ(t.FindGlobalMask("BICONCLOSEGLOW0"), alpha);
    EXPECT_EQ(t.ScaledMaskIndex("BICONCLOSEGLOW0", -1, true), copy);
    EXPECT_EQ(t.MaskCount(), 2);
}

// ---------------------------------------------------------------------------
// Post-processing

TEST(SkinTables, CornerTransparency) {
    struct Case {
        TPoint Fuchsia;
        uint8_t Expected;
    } cases[] = {
        {{-1, -1}, ctOpaque}, {{0, 0}, ctFuchsiaCorner}, {{9, 1}, ctFuchsiaCorner}, {{1, 9}, ctFuchsiaCorner},
        {{8, 8}, ctFuchsiaCorner}, {{5, 5}, ctOpaque},  {{2, 0}, ctOpaque},  // between the corners
        {{10, 0}, ctOpaque},  // second state image
    };
    for (const Case& c : cases) {
        TSkinTables t;
        t.AddSection(MakeSection("BUTTON"));
        t.MasterBitmap = Filled(20, 10, 0xFF404040u);
        if (c.Fuchsia.X >= 0) SetPixel32(t.MasterBitmap->View(), c.Fuchsia.X, c.Fuchsia.Y, skKeyColor);
        const int m = AddShort(t, "BUTTON", "BORDERSMASK", {0, 0, 20, 10}, 2, 0, dmNinePart);
        TSkinMaskData& d = t.Mask(m);
        d.WL = d.WT = d.WR = d.WB = 2;
        t.UpdateCornerType(m);
        EXPECT_EQ(t.Mask(m).CornerType, c.Expected) << c.Fuchsia.X << "," << c.Fuchsia.Y;
    }
    // The huge button's frame is not tested; neither is a corner area beyond the image.
    TSkinTables t;
    t.AddSection(MakeSection("BUTTON_HUGE"));
    t.MasterBitmap = Filled(4, 4, skKeyColor);
    t.ResolveCommonSections();
    const int huge = AddShort(t, "BUTTON_HUGE", "BORDERSMASK", {0, 0, 4, 4}, 1, 0, dmNinePart);
    EXPECT_EQ(t.CornerTypeOf(t.Mask(huge)), ctNotTested);
    const int outside = AddShort(t, "BUTTON_HUGE", "OTHER", {2, 2, 40, 40}, 1, 0, dmNinePart);
    t.Mask(outside).WL = t.Mask(outside).WT = t.Mask(outside).WR = t.Mask(outside).WB = 30;
    EXPECT_EQ(t.CornerTypeOf(t.Mask(outside)), ctFuchsiaCorner);
}

TEST(SkinTables, PostProcessSkinLinksMasksAndThinFrames) {
    TSkinTables t;
    t.AddSection(MakeSection("GLOBALINFO"));
    t.AddSection(MakeSection("EDIT"));
    t.AddSection(MakeSection("ALPHAEDIT", "", 3));
    t.AddSection(MakeSection("BUTTON"));
    t.AddSection(MakeSection("PANEL"));
    TSkinGeneralData pressed = MakeSection("PRESSED", "BUTTON");
    pressed.UseState2 = true;
    t.AddSection(pressed);
    auto frame = [&](const char* section, int l, int tp, int r, int b) {
        const int i = AddShort(t, section, "BORDERSMASK", {0, 0, 9, 9}, 1, 0, dmNinePart);
        TSkinMaskData& m = t.Mask(i);
        m.WL = int16_t(l), m.WT = int16_t(tp), m.WR = int16_t(r), m.WB = int16_t(b);
        return i;
    };
    const int editFrame = frame("EDIT", 1, 1, 1, 1);
    frame("ALPHAEDIT", 1, 2, 1, 1);
    const int buttonFrame = frame("BUTTON", 1, 1, 1, 1);
    const int pattern = AddShort(t, "BUTTON", "PATTERN", {0, 0, 4, 4}, 1, 0, dmTexture);
    const int hot = AddShort(t, "BUTTON", "HOTPATTERN", {0, 0, 4, 4}, 1, 0, dmTexture);
    const int pattern2 = AddShort(t, "PRESSED", "PATTERN2", {0, 0, 4, 4}, 1, 0, dmTexture);
    const int corner = AddShort(t, "PANEL", "IMGBTMRIGHT", {0, 0, 4, 4});
    const int outer = AddShort(t, "PANEL", "OUTERMASK", {0, 0, 4, 4});
    t.PostProcessSkin();

    EXPECT_EQ(t.Section(1).BorderIndex, editFrame);
    EXPECT_EQ(t.Section(1).ThinFrameKind, kThinEditFrame);
    EXPECT_EQ(t.Section(2).ThinFrameKind, 0);
    EXPECT_EQ(t.Section(3).ThinFrameKind, 0);  // thin, but not an edit
    EXPECT_EQ(t.Section(4).ThinFrameKind, kNoBorderMask);
    EXPECT_EQ(t.Section(0).ThinFrameKind, 0);  // GLOBALINFO is left alone
    EXPECT_EQ(t.Section(4).ImgBottomRight, corner);
    EXPECT_EQ(t.Section(4).OuterMask, outer);
    EXPECT_EQ(t.Section(4).ImgTopLeft, -1);
    const TSkinGeneralData& b = t.Section(3);
    EXPECT_EQ(b.Props[ssNormal].TextureIndex, pattern);
    EXPECT_EQ(b.Props[ssHot].TextureIndex, hot);
    EXPECT_EQ(b.Props[ssPressed].TextureIndex, hot);  // without USESTATE2
    const TSkinGeneralData& p = t.Section(5);
    EXPECT_EQ(p.BorderIndex, buttonFrame);            // inherited
    EXPECT_EQ(p.Props[ssNormal].TextureIndex, pattern);
    EXPECT_EQ(p.Props[ssPressed].TextureIndex, pattern2);
}

TEST(SkinTables, ExtendedBorders) {
    TSkinTables t;
    t.AddSection(MakeSection("GLOBALINFO"));
    TBitmap32 active(3, 3), inactive(2, 2);
    t.ResolveCommonSections();
    t.PrepareExtendedBorders(true, &active, &inactive);
    ASSERT_TRUE(t.ExtBorderActive && t.ExtBorderInactive);
    EXPECT_EQ(t.ExtBorderActive->Width(), 3);
    EXPECT_EQ(t.ExtBorderInactive->Width(), 2);
    EXPECT_EQ(t.ExtBorderInsets, (TRect{9, 9, 9, 9}));
    t.PrepareExtendedBorders(false, &active, &inactive);
    EXPECT_FALSE(t.ExtBorderActive);
    EXPECT_EQ(t.ExtBorderInsets, (TRect{}));

    // An EXBORDER mask of two images: inactive first, active second.
    t.MasterBitmap = std::make_shared<TBitmap32>(20, 8);
    TImageView32 mv = t.MasterBitmap->View();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 20; ++x) SetPixel32(mv, x, y, x < 10 ? 0xFF000001u : 0xFF000002u);
    const int ex = AddShort(t, "GLOBALINFO", "EXBORDER", {0, 0, 20, 8}, 2, 0, dmNinePart);
    t.Mask(ex).WL = 12, t.Mask(ex).WT = 14, t.Mask(ex).WR = 13, t.Mask(ex).WB = 15;
    t.GlobalInfo.FormOffset = 4;
    t.ResolveCommonSections();
    t.PrepareExtendedBorders(true, &active, &inactive);
    EXPECT_EQ(t.ExtBorderInsets, (TRect{8, 10, 9, 11}));
    ASSERT_EQ(t.ExtBorderInactive->Width(), 10);
    EXPECT_EQ(Px(*t.ExtBorderInactive, 9, 7), 0xFF000001u);
    EXPECT_EQ(Px(*t.ExtBorderActive, 0, 0), 0xFF000002u);
    t.GlobalInfo.BorderMode = 1;
    t.Mask(ex).ImageCount = 1;
    t.PrepareExtendedBorders(true, nullptr, nullptr);
    EXPECT_EQ(t.ExtBorderInsets, (TRect{4, 4, 4, 4}));
    EXPECT_EQ(t.ExtBorderActive->Width(), 20);
    EXPECT_EQ(Px(*t.ExtBorderActive, 15, 0), 0xFF000002u);
}

// ---------------------------------------------------------------------------
// Colour transforms

// A small skin with colours, a gradient, a master bitmap and an image file.
TSkinTables ColourfulSkin() {
    TSkinTables t;
    t.AddSection(MakeSection("GLOBALINFO"));
    TSkinGeneralData b = MakeSection("BUTTON");
    for (TSkinGenState& st : b.Props) {
        st.Color = 0x3366CC;
        st.FontColor = 0x0000FF;
        st.GlowColor = 0x00FF00;
        st.OutlineLeft = 0x804020;
        st.GradientPercent = 50;
        st.GradientArray = {{0xFF0000, 0x00FF00, 100, 0, }};
    }
    b.Props[ssPressed].GradientPercent = 0;
    t.AddSection(b);
    t.GlobalInfo.Color = 0x20A040;
    t.GlobalInfo.Shadow1Color = 0x0080FF;
    t.MasterBitmap = std::make_shared<TBitmap32>(16, 16);
    TImageView32 mv = t.MasterBitmap->View();
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            SetPixel32(mv, x, y, (x + y) % 5 == 0 ? skKeyColor : 0xFF000000u | uint32_t(x * 16) << 16 | uint32_t(y * 16) << 8 | 0x40u);
    TSkinImageFile f;
    f.FileName = "PICTURE.PNG";
    f.Bitmap = Filled(4, 4, 0x80C04020u);
    t.ImageFiles.push_back(f);
    t.GlobalInfo.Version = 10;
    return t;
}

TEST(SkinTables, ZeroTransformsLeaveEverything) {
    TSkinTables t = ColourfulSkin();
    const std::vector<uint8_t> master = Bytes(*t.MasterBitmap), file = Bytes(*t.ImageFiles[0].Bitmap);
    const std::vector<TSkinGeneralData> sections = t.Sections();
    t.FinishSections();
    EXPECT_EQ(Bytes(*t.MasterBitmap), master);
    EXPECT_EQ(Bytes(*t.ImageFiles[0].Bitmap), file);
    TSkinPalette built = t.Palette;
    t.BuildPalette();
    EXPECT_EQ(t.Palette, built);
    for (size_t i = 0; i < sections.size(); ++i)
        for (int s = 0; s < kSkinStateCount; ++s) {
            const TSkinGenState &a = sections[i].Props[size_t(s)], &b = t.Section(int(i)).Props[size_t(s)];
            EXPECT_EQ(std::memcmp(&a.Color, &b.Color, sizeof(TColor) * 7), 0);
            ASSERT_EQ(a.GradientArray.size(), b.GradientArray.size());
            for (size_t g = 0; g < a.GradientArray.size(); ++g) {
                EXPECT_EQ(a.GradientArray[g].Color1, b.GradientArray[g].Color1);
                EXPECT_EQ(a.GradientArray[g].Color2, b.GradientArray[g].Color2);
            }
        }
    EXPECT_EQ(t.GlobalInfo.Shadow1Color, 0x0080FF);
}

TEST(SkinTables, HueShiftsColoursAndKeepsKeyAndNone) {
    TSkinTables t = ColourfulSkin();
    t.BuildPalette();
    const TSkinPalette before = t.Palette;
    t.ApplyHue(120);
    const TSkinGenState& n = t.Section(1).Props[ssNormal];
    EXPECT_EQ(n.FontColor, ShiftColorHue(120, 0x0000FF));
    EXPECT_EQ(n.Color, ShiftColorHue(120, 0x3366CC));
    EXPECT_EQ(n.OutlineTop, -1);
    EXPECT_EQ(n.GradientArray[0].Color1, ShiftColorHue(120, 0xFF0000));
    EXPECT_EQ(t.Section(1).Props[ssPressed].GradientArray[0].Color1, 0xFF0000);  // share 0: left alone
    EXPECT_EQ(t.GlobalInfo.Shadow1Color, ShiftColorHue(120, 0x0080FF));
    EXPECT_EQ(t.Palette[pcMainColor], ShiftColorHue(120, before[pcMainColor]));
    EXPECT_EQ(t.Palette[pcTCTop], before[pcTCTop]);
    EXPECT_EQ(t.Palette[pcEditText_Ok], before[pcEditText_Ok]);
    TImageView32 mv = t.MasterBitmap->View();
    EXPECT_EQ(GetPixel32(mv, 0, 0), skKeyColor);
    EXPECT_EQ(GetPixel32(mv, 3, 1), ShiftHue(120, 0xFF000000u | 3 * 16 << 16 | 16 << 8 | 0x40u));
    EXPECT_EQ(Px(*t.ImageFiles[0].Bitmap, 0, 0), ShiftHue(120, 0x80C04020u));
}

TEST(SkinTables, KeepHueKeepsTitleButtons) {
    for (int keep : {0, 1, 2}) {
        TSkinTables t = ColourfulSkin();
        t.GlobalInfo.BIKeepHue = keep;
        AddShort(t, "GLOBALINFO", "BICONCLOSE", {0, 0, 4, 4});
        AddShort(t, "GLOBALINFO", "BICONMAX", {4, 0, 8, 4});
        AddShort(t, "GLOBALINFO", "BICONCLOSEGLOW0", {8, 0, 12, 4});
        TSkinMaskData own;
        own.SectionIndex = 0;
        own.ClassName = "GLOBALINFO";
        own.PropertyName = "SICONCLOSE";
        own.Bmp = t.ImageFiles[0].Bitmap;
        own.R = {0, 0, 4, 4};
        t.AddMask(own);
        const TBitmap32 master = *t.MasterBitmap;
        const std::vector<uint8_t> file = Bytes(*t.ImageFiles[0].Bitmap);
        t.ApplyHue(90);
        auto same = [&](int x0, int x1) {
            for (int y = 0; y < 4; ++y)
                for (int x = x0; x < x1; ++x)
                    if (Px(master, x, y) != Px(*t.MasterBitmap, x, y)) return false;
            return true;
        };
        EXPECT_EQ(same(0, 4), keep >= 1) << keep;   // BICONCLOSE
        EXPECT_EQ(same(4, 8), keep == 1) << keep;   // BICONMAX only for 1
        EXPECT_EQ(same(8, 12), keep >= 1) << keep;  // its first glow image
        EXPECT_FALSE(same(12, 16)) << keep;
        EXPECT_EQ(Bytes(*t.ImageFiles[0].Bitmap) == file, keep >= 1) << keep;
    }
}

TEST(SkinTables, SaturationAndBrightness) {
    TSkinTables t = ColourfulSkin();
    t.BuildPalette();
    t.ApplySaturation(-100);  // amount -255: grey
    const TColor c = t.Section(1).Props[ssNormal].Color;
    EXPECT_EQ(c & 0xFF, (c >> 8) & 0xFF);
    EXPECT_EQ(c & 0xFF, (c >> 16) & 0xFF);
    EXPECT_EQ(c, TColor(SwapRedBlue(AdjustSaturation(-255, SwapRedBlue(0x3366CC)))));
    EXPECT_EQ(t.Section(1).Props[ssNormal].OutlineTop, -1);
    EXPECT_EQ(GetPixel32(t.MasterBitmap->View(), 0, 0), skKeyColor);
    const uint32_t grey = GetPixel32(t.MasterBitmap->View(), 3, 1);
    EXPECT_EQ(grey & 0xFF, (grey >> 8) & 0xFF);

    TSkinTables b = ColourfulSkin();
    TImageView32 mv = b.MasterBitmap->View();
    const int alphaMask = AddShort(b, "BUTTON", "BORDERSMASK", {0, 0, 6, 8}, 1, 1);
    const int ownAlpha = AddShort(b, "BUTTON", "OTHER", {8, 0, 12, 8}, 1, 1);
    b.Mask(ownAlpha).Bmp = Filled(16, 16, 0);  // its alpha half lies in its own image
    (void)alphaMask;
    const TBitmap32 before = *b.MasterBitmap;
    b.ApplyBrightness(60);
    int changedTop = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 6; ++x) {
            if (y >= 4) EXPECT_EQ(GetPixel32(mv, x, y), Px(before, x, y)) << x << "," << y;
            else changedTop += GetPixel32(mv, x, y) != Px(before, x, y);
        }
    EXPECT_GT(changedTop, 0);
    EXPECT_NE(GetPixel32(mv, 9, 5), Px(before, 9, 5));  // own image: the master pixel is not put back
    EXPECT_EQ(GetPixel32(mv, 0, 0), skKeyColor);
    // The PNG image file is brightened and premultiplied again.
    uint32_t expected = AdjustBrightness(0x80C04020u, 60);
    TBitmap32 one(1, 1);
    SetPixel32(one.View(), 0, 0, expected);
    PremultiplyBitmap(one.View(), true);
    EXPECT_EQ(Px(*b.ImageFiles[0].Bitmap, 2, 2), Px(one, 0, 0));
    EXPECT_EQ(b.Section(1).Props[ssNormal].FontColor, TColor(AdjustBrightness(0x0000FF, 60)));
}

// Hue leaves the gradient of a state whose gradient share is 0 alone;
// saturation and brightness change every state's gradient. Saturation values
// beyond -100..100 count as the ends of the range.
TEST(SkinTables, TransformsOfGradientColours) {
    const struct {
        const char* name;
        void (*apply)(TSkinTables&);
        uint32_t (*pixel)(uint32_t);  // the change in pixel order
        bool unsharedChanges;         // whether a gradient of share 0 changes
    } cases[] = {
        {"hue", [](TSkinTables& t) { t.ApplyHue(120); }, [](uint32_t v) { return ShiftHue(120, v); }, false},
        {"saturation", [](TSkinTables& t) { t.ApplySaturation(-100); },
         [](uint32_t v) { return AdjustSaturation(-255, v); }, true},
        {"saturation below the range", [](TSkinTables& t) { t.ApplySaturation(INT_MIN); },
         [](uint32_t v) { return AdjustSaturation(-255, v); }, true},
        {"saturation above the range", [](TSkinTables& t) { t.ApplySaturation(INT_MAX); },
         [](uint32_t v) { return AdjustSaturation(255, v); }, true},
        {"brightness", [](TSkinTables& t) { t.ApplyBrightness(60); },
         [](uint32_t v) { return AdjustBrightness(v, 60); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TSkinTables t = ColourfulSkin();
        // Colours that every one of the changes moves.
        for (TSkinGenState& st : t.Section(1).Props) st.GradientArray[0] = {0x3366CC, 0x408060, 100, 0};
        c.apply(t);
        auto changed = [&](TColor colour) { return TColor(SwapRedBlue(c.pixel(SwapRedBlue(uint32_t(colour)))) & 0xFFFFFF); };
        ASSERT_NE(changed(0x3366CC), 0x3366CC);
        ASSERT_NE(changed(0x408060), 0x408060);
        const TSkinGradient& shared = t.Section(1).Props[ssNormal].GradientArray[0];
        EXPECT_EQ(shared.Color1, changed(0x3366CC));
        EXPECT_EQ(shared.Color2, changed(0x408060));
        const TSkinGradient& unshared = t.Section(1).Props[ssPressed].GradientArray[0];
        EXPECT_EQ(unshared.Color1, c.unsharedChanges ? changed(0x3366CC) : 0x3366CC);
        EXPECT_EQ(unshared.Color2, c.unsharedChanges ? changed(0x408060) : 0x408060);
        EXPECT_EQ(t.Section(1).Props[ssPressed].Color, changed(0x3366CC));
    }
}

}  // namespace
}  // namespace ad::skin
