// The generated built-in skin: it loads without a problem, covers every
// section and mask the launcher's windows paint, and paints a set of sections
// (set AD_SKIN_PREVIEW to a PNG file name to keep the picture).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "skin/engine/skinfile/SkinLoader.h"
#include "skin/engine/paint/SkinMaskPaint.h"
#include "skin/engine/paint/SkinSectionPaint.h"
#include "skin/engine/tools/ImageFileWriters.h"

namespace ad::skin {
namespace {

std::vector<uint8_t> BuiltInSkinBytes() {
    std::ifstream f(std::string(AD_BUILTIN_SKIN_DIR) + "/Appdeck.asz", std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

TLoadedSkin LoadBuiltIn(TSkinStoredSkins& stored) {
    const std::vector<uint8_t> bytes = BuiltInSkinBytes();
    stored.AddFromData("Appdeck", bytes.data(), bytes.size());
    TSkinLoadOptions o;
    o.SkinName = "Appdeck";
    o.SkinDirectory = "no such folder";
    o.InternalSkins = &stored;
    return LoadSkinByName(o, DiskSkinFiles());
}

TEST(BuiltInSkin, LoadsAndCoversWhatTheLauncherPaints) {
    if (BuiltInSkinBytes().empty()) GTEST_SKIP() << "the generated skin is not reachable from here";
    TSkinStoredSkins stored;
    const TLoadedSkin s = LoadBuiltIn(stored);
    ASSERT_EQ(s.Source, TSkinSource::Stored);
    EXPECT_TRUE(s.Problems.empty()) << s.Problems.front();
    const TSkinTables& t = *s.Tables;
    for (const char* name : {"FORM", "FORMTITLE", "BUTTON", "EDIT", "PANEL", "GROUPBOX", "CHECKBOX", "LISTVIEW",
                             "COLHEADER", "SCROLLBAR1H", "SCROLLBAR1V", "SCROLLSLIDERH", "SCROLLSLIDERV", "MENUITEM",
                             "MAINMENU", "MENULINE", "STATUSBAR", "TABTOP", "TABSHEET", "COMBOBOX", "COMBOBTN", "HINT",
                             "SELECTION"})
        EXPECT_GE(t.SectionIndexOf(name), 0) << name;
    for (const char* name : {"BUTTON", "EDIT", "PANEL", "GROUPBOX", "TABTOP", "SCROLLSLIDERH", "HINT"})
        EXPECT_TRUE(t.IsValidMaskIndex(t.Section(t.SectionIndexOf(name)).BorderIndex)) << name;
    const TSkinCommonMasks& m = t.CommonMasks;
    for (int i : {m.BoxUnchecked, m.BoxChecked, m.BoxGrayed, m.RadioUnchecked, m.RadioChecked,
                  m.TitleButtons[tbClose], m.TitleButtons[tbMax], m.TitleButtons[tbMin], m.TitleButtons[tbNorm],
                  m.ScrollButtons[0].GlyphIndex, m.ComboBtn.GlyphIndex})
        EXPECT_TRUE(t.IsValidMaskIndex(i));
    EXPECT_EQ(t.Mask(t.Section(t.SectionIndexOf("BUTTON")).BorderIndex).CornerType, ctFuchsiaCorner);
}

TEST(BuiltInSkin, HasEverythingAFormsFramePaints) {
    if (BuiltInSkinBytes().empty()) GTEST_SKIP() << "the generated skin is not reachable from here";
    TSkinStoredSkins stored;
    const TLoadedSkin s = LoadBuiltIn(stored);
    const TSkinTables& t = *s.Tables;
    const int form = t.SectionIndexOf("FORM"), title = t.SectionIndexOf("FORMTITLE");
    ASSERT_GE(form, 0);
    ASSERT_GE(title, 0);
    for (int section : {form, title}) {
        ASSERT_TRUE(t.IsValidMaskIndex(t.Section(section).BorderIndex)) << section;
        const TSkinMaskData& frame = t.Mask(t.Section(section).BorderIndex);
        EXPECT_EQ(frame.ImageCount, 2) << section;  // active and inactive
        EXPECT_EQ(frame.CornerType, ctFuchsiaCorner) << section;  // round corners cut from the region
    }
    EXPECT_EQ(t.Mask(t.Section(form).BorderIndex).WL, 4);
    const int bar = t.FindMaskInSection(form, "TITLEBAR");
    ASSERT_TRUE(t.IsValidMaskIndex(bar));
    EXPECT_EQ(t.Mask(bar).MaskType, 1);  // blends over the title through its alpha part
    const TSkinCommonMasks& m = t.CommonMasks;
    for (int kind = tbCloseAlone; kind <= tbSmallHelp; ++kind)
        EXPECT_TRUE(t.IsValidMaskIndex(m.TitleButtons[size_t(kind)])) << kind;
    EXPECT_NE(m.TitleButtons[tbCloseAlone], m.TitleButtons[tbClose]);  // its own, no fallback
    EXPECT_EQ(MaskFrameSize(t.Mask(m.TitleButtons[tbSmallClose])).X, 12);
    EXPECT_EQ(MaskFrameSize(t.Mask(m.TitleButtons[tbHelp])).X, 16);
    ASSERT_TRUE(t.IsValidMaskIndex(m.GripImage));
    EXPECT_EQ(MaskFrameSize(t.Mask(m.GripImage)).X, 12);
}

TEST(BuiltInSkin, PaintsASetOfSections) {
    if (BuiltInSkinBytes().empty()) GTEST_SKIP() << "the generated skin is not reachable from here";
    TSkinStoredSkins stored;
    const TLoadedSkin s = LoadBuiltIn(stored);
    const TSkinTables& t = *s.Tables;
    TBitmap32 b(360, 150);
    const TImageView32 v = b.View();
    auto section = [&](const char* name, TRect r, int state) {
        const int i = t.SectionIndexOf(name);
        PaintSectionBackground(v, r, {r.Left, r.Top}, skNoBackground, i, state, kNoCustomColor, -1, -1, t);
        if (t.IsValidMaskIndex(t.Section(i).BorderIndex))
            DrawMaskNineGrid(v, r, MakeBgCacheRefFromBitmap(v, 0, 0), true, state, t.Mask(t.Section(i).BorderIndex), t);
    };
    section("FORM", {0, 0, 360, 150}, 0);
    section("FORMTITLE", {0, 0, 360, 28}, 0);
    const int bar = t.FindMaskInSection(t.SectionIndexOf("FORM"), "TITLEBAR");
    DrawMaskNineGrid(v, {276, 0, 360, 28}, skNoBackground, false, 0, t.Mask(bar), t);
    for (int k = 0; k < 3; ++k) DrawMaskState(v, {296 + 20 * k, 6}, 0, MakeBgCacheRefFromBitmap(v, 0, 0),
                                              t.Mask(t.CommonMasks.TitleButtons[k == 0 ? tbMin : k == 1 ? tbMax : tbClose]), 1, t);
    DrawMaskState(v, {346, 136}, 0, MakeBgCacheRefFromBitmap(v, 0, 0), t.Mask(t.CommonMasks.GripImage), 1, t);
    for (int st = 0; st < 3; ++st) section("BUTTON", {10 + 90 * st, 40, 90 + 90 * st, 65}, st);
    section("EDIT", {10, 75, 170, 97}, 0);
    section("EDIT", {180, 75, 340, 97}, 1);
    section("PANEL", {10, 105, 170, 140}, 0);
    section("GROUPBOX", {180, 105, 260, 140}, 0);
    DrawMaskState(v, {270, 110}, 0, MakeBgCacheRefFromBitmap(v, 0, 0), t.Mask(t.CommonMasks.BoxChecked), 1, t);
    DrawMaskState(v, {290, 110}, 1, MakeBgCacheRefFromBitmap(v, 0, 0), t.Mask(t.CommonMasks.RadioChecked), 1, t);
    section("SCROLLSLIDERH", {310, 110, 350, 122}, 1);

    // The hot button is lighter blue than the normal one, the pressed one darker.
    const uint32_t normal = GetPixel32(v, 50, 52), hot = GetPixel32(v, 140, 52), pressed = GetPixel32(v, 230, 52);
    EXPECT_NE(normal, hot);
    EXPECT_NE(hot, pressed);
    EXPECT_NE(GetPixel32(v, 10, 40) & 0xFFFFFF, 0xFF00FFu);  // key corners never show

    if (const char* file = std::getenv("AD_SKIN_PREVIEW")) {
        std::vector<uint32_t> px;
        for (int y = 0; y < v.Height; ++y)
            for (int x = 0; x < v.Width; ++x) px.push_back(GetPixel32(v, x, y) | 0xFF000000u);
        const auto png = tools::PngFileRgba(v.Width, v.Height, px);
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    }
}

}  // namespace
}  // namespace ad::skin
