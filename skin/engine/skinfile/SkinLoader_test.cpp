// Tests of skin loading over files held in memory: the skin directory rules,
// which source wins, shared image files, scale variants, versions, missing or
// misplaced images, packed skins without INI, stored skins, the outer-effect
// masks and reloading from decoded images.
#include "skin/engine/skinfile/SkinLoader.h"

#include <gtest/gtest.h>

#include <map>

#include "skin/engine/testkit/AszTestWriter.h"
#include "skin/engine/testkit/BmpTestWriter.h"
#include "skin/engine/testkit/PngTestWriter.h"

namespace ad::skin {
namespace {

using Bytes = std::vector<uint8_t>;

class TMemoryFiles : public TSkinFiles {
public:
    std::map<std::string, Bytes> Files;
    mutable int Reads = 0;
    bool Exists(const std::string& name) const override { return Files.count(name) > 0; }
    Bytes Read(const std::string& name) const override {
        ++Reads;
        auto it = Files.find(name);
        if (it == Files.end()) throw ESkinLoadError("no file " + name);
        return it->second;
    }
};

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

const std::string kApp = "C:\\Apps\\X\\";
const std::string kDir = "C:\\Apps\\X\\Skins\\";

TSkinLoadOptions Options(const std::string& name) {
    TSkinLoadOptions o;
    o.SkinName = name;
    o.SkinDirectory = "Skins";
    o.AppFolder = kApp;
    return o;
}

uint32_t Px(TBitmap32& b, int x, int y) { return GetPixel32(b.View(), x, y); }

TEST(SkinLoader, SkinDirectoryPath) {
    struct Case {
        const char* dir;
        const char* expected;
    } cases[] = {
        {"..\\Skins", "C:\\Apps\\Skins\\"},
        {"Skins", "C:\\Apps\\X\\Skins\\"},
        {".", "C:\\Apps\\X\\"},
        {".\\Skins", "C:\\Apps\\X\\Skins\\"},
        {"./Skins", "C:\\Apps\\X\\Skins\\"},
        {"D:\\Skins", "D:\\Skins\\"},
        {"D:\\Skins/", "D:\\Skins\\"},
        {"\\\\server\\share", "\\\\server\\share\\"},
    };
    for (const Case& c : cases) EXPECT_EQ(SkinDirectoryPath(c.dir, kApp), c.expected) << c.dir;
}

const char* const kFolderIni =
    "[GLOBALINFO]\r\nVERSION=10.5\r\nMASTERBITMAP=MASTER.BMP\r\n"
    "[BUTTON]\r\nBORDERSMASK=^0000^0000^0012^0004^0001^0001^0001^0001^3^0^0^0\r\n"
    "PATTERN=TEX.BMP\r\nHOTPATTERN=TEX.BMP\r\n"
    "[PANEL]\r\nPATTERN=NOSUCH.BMP\r\nGLYPHMASK=@0060@0000@0070@0010@1@0\r\n";

void AddFolderSkin(TMemoryFiles& fs, const std::string& name, const std::string& ini = kFolderIni) {
    fs.Files[kDir + name + "\\Options.dat"] = Text(ini);
    fs.Files[kDir + name + "\\MASTER.BMP"] = bmptest::SolidBmp(16, 8, 0x808080);
    fs.Files[kDir + name + "\\TEX.BMP"] = bmptest::SolidBmp(4, 4, 0x00FF00);
}

TEST(SkinLoader, FolderSkinSharesImagesAndDropsWhatIsMissingOrMisplaced) {
    TMemoryFiles fs;
    AddFolderSkin(fs, "Blue");
    const TLoadedSkin s = LoadSkinByName(Options("Blue"), fs);
    ASSERT_EQ(s.Source, TSkinSource::Folder);
    EXPECT_EQ(s.SkinPath, kDir + "Blue\\");
    TSkinTables& t = *s.Tables;
    EXPECT_DOUBLE_EQ(t.GlobalInfo.Version, 10.5);
    ASSERT_EQ(t.MasterBitmap->Width(), 16);
    EXPECT_EQ(Px(*t.MasterBitmap, 0, 0), 0xFF808080u);  // 24-bit: made opaque

    const int button = t.SectionIndexOf("BUTTON");
    ASSERT_TRUE(t.IsValidMaskIndex(t.Section(button).BorderIndex));
    const int pattern = t.FindMaskInSection(button, "PATTERN"), hot = t.FindMaskInSection(button, "HOTPATTERN");
    ASSERT_GE(pattern, 0);
    ASSERT_GE(hot, 0);
    EXPECT_EQ(t.Mask(pattern).Bmp, t.Mask(hot).Bmp);  // one file, one bitmap
    EXPECT_EQ(t.ImageFiles.size(), 1u);
    EXPECT_EQ(t.Mask(pattern).R, (TRect{0, 0, 4, 4}));

    // The missing file and the glyph reaching past the master bitmap make no mask.
    const int panel = t.SectionIndexOf("PANEL");
    EXPECT_EQ(t.FindMaskInSection(panel, "PATTERN"), -1);
    EXPECT_EQ(t.FindMaskInSection(panel, "GLYPHMASK"), -1);
    EXPECT_EQ(s.Problems.size(), 2u);
}

TEST(SkinLoader, SourcePrecedence) {
    TMemoryFiles fs;
    AddFolderSkin(fs, "Blue");
    fs.Files[kDir + "Blue.asz"] = asztest::Pack({{"Options.dat", Text("[GLOBALINFO]\r\nVERSION=9.5\r\n")}});
    TSkinStoredSkins stored;
    const Bytes red = asztest::Pack({{"OPTIONS.DAT", Text("[GLOBALINFO]\r\nVERSION=9.25\r\n")}});
    stored.AddFromData("Red", red.data(), red.size());
    TSkinLoadOptions o = Options("Blue");
    o.InternalSkins = &stored;

    TLoadedSkin s = LoadSkinByName(o, fs);  // the packed file beats the folder
    EXPECT_EQ(s.Source, TSkinSource::Packed);
    EXPECT_DOUBLE_EQ(s.Tables->GlobalInfo.Version, 9.5);
    EXPECT_EQ(s.SkinPath, kDir);

    fs.Files.erase(kDir + "Blue.asz");
    EXPECT_EQ(LoadSkinByName(o, fs).Source, TSkinSource::Folder);

    o.SkinName = "Green";  // unknown: the first stored skin, under its own name
    s = LoadSkinByName(o, fs);
    EXPECT_EQ(s.Source, TSkinSource::Stored);
    EXPECT_EQ(s.SkinName, "Red");
    EXPECT_DOUBLE_EQ(s.Tables->GlobalInfo.Version, 9.25);

    o.InternalSkins = nullptr;  // nothing at all
    s = LoadSkinByName(o, fs);
    EXPECT_EQ(s.Source, TSkinSource::None);
    EXPECT_FALSE(s.Tables);
}

TEST(SkinLoader, BrokenSourcesRaise) {
    TMemoryFiles fs;
    fs.Files[kDir + "Bad.asz"] = asztest::Pack({{"MASTER.BMP", Bytes(10, 1)}});
    try {
        LoadSkinByName(Options("Bad"), fs);
        FAIL() << "no error";
    } catch (const ESkinLoadError& e) {
        EXPECT_STREQ(e.what(),
                     "Internal format error in the \"Bad\" skin. Please, update this skin to latest version.");
    }
    fs.Files[kDir + "Bad.asz"] = Text("not a packed skin at all");
    EXPECT_THROW(LoadSkinByName(Options("Bad"), fs), ESkinLoadError);

    TSkinStoredSkins stored;
    stored.Add().Name = "Empty";
    TSkinLoadOptions o = Options("Empty");
    o.InternalSkins = &stored;
    EXPECT_THROW(LoadSkinByName(o, fs), ESkinLoadError);
}

TEST(SkinLoader, VersionWarningOnlyAboveWhatTheEngineSupports) {
    for (auto [version, warns] : {std::pair{"12", true}, {"11.99", false}, {"8.0", false}}) {
        TMemoryFiles fs;
        fs.Files[kDir + "V.asz"] =
            asztest::Pack({{"OPTIONS.DAT", Text(std::string("[GLOBALINFO]\r\nVERSION=") + version + "\r\n")}});
        const TLoadedSkin s = LoadSkinByName(Options("V"), fs);
        EXPECT_EQ(s.VersionWarning, warns) << version;
        EXPECT_TRUE(s.Tables) << version;
    }
}

TEST(SkinLoader, ScaleVariantsOfImageFiles) {
    TMemoryFiles fs;
    const std::string ini =
        "[GLOBALINFO]\r\nVERSION=10\r\n"
        "[EDIT]\r\nBORDERSMASK=!E.BMP!1!0!0!2!2!2!2\r\nBORDERSMASK*125=!E125.BMP!1!0!0!3!3!3!3\r\n";
    fs.Files[kDir + "S.asz"] = asztest::Pack({{"OPTIONS.DAT", Text(ini)},
                                             {"E.BMP", bmptest::SolidBmp(8, 8, 0x0000FF)},
                                             {"E125.BMP", bmptest::SolidBmp(10, 10, 0x0000FF)}});
    TSkinLoadOptions o = Options("S");
    for (int level : {0, 1}) {
        o.ScaleLevel = level;
        const TLoadedSkin s = LoadSkinByName(o, fs);
        const TSkinTables& t = *s.Tables;
        const int edit = t.SectionIndexOf("EDIT");
        const int m = t.FindMaskInSection(edit, level ? "BORDERSMASK*125" : "BORDERSMASK");
        ASSERT_GE(m, 0) << level;
        EXPECT_EQ(t.Mask(m).R.Right, level ? 10 : 8);
        EXPECT_EQ(t.Mask(m).WL, level ? 3 : 2);
    }
}

TEST(SkinLoader, OuterEffectMasks) {
    TMemoryFiles fs;
    const std::string ini =
        "[GLOBALINFO]\r\nVERSION=10\r\nMASTERBITMAP=M.BMP\r\n"
        "SH_SOURCE=1\r\nSH_MASK=^0000^0000^0006^0006^0002^0002^0002^0002^1^0^0^0\r\n"
        "LO_SOURCE=2\r\nLO_COLORL=255\r\nLO_COLORT=65280\r\nLO_WIDTHL=-1\r\n";
    fs.Files[kDir + "O.asz"] =
        asztest::Pack({{"OPTIONS.DAT", Text(ini)}, {"M.BMP", bmptest::SolidBmp(8, 8, 0x123456)}});
    TBitmap32 blur(6, 6);
    SetPixel32(blur.View(), 2, 3, 0x80000000u);
    TSkinLoadOptions o = Options("O");
    o.Blur5 = &blur;
    const TLoadedSkin s = LoadSkinByName(o, fs);
    const TSkinTables& t = *s.Tables;
    ASSERT_TRUE(t.IsValidMaskIndex(t.GlobalInfo.Shadow.MaskIndex));
    EXPECT_EQ(t.Mask(t.GlobalInfo.Shadow.MaskIndex).R, (TRect{0, 0, 6, 6}));
    const int lo = t.GlobalInfo.Outer.MaskIndex;
    ASSERT_TRUE(t.IsValidMaskIndex(lo));
    const TSkinMaskData& m = t.Mask(lo);
    EXPECT_EQ(m.R, (TRect{0, 0, 6, 12}));
    EXPECT_EQ(m.MaskType, 1);
    EXPECT_EQ(m.WL, 3);
    EXPECT_EQ(t.GlobalInfo.Outer.Widths[0], 3);  // -1 became half the blur width
    TBitmap32& b = *m.Bmp;
    EXPECT_EQ(Px(b, 0, 3) & 0xFFFFFF, 0xFF0000u);  // left band: colour 255 (red)
    EXPECT_EQ(Px(b, 3, 0) & 0xFFFFFF, 0x00FF00u);  // top band: green
    EXPECT_EQ(Px(b, 2, 6 + 3), 0x80000000u);       // lower half: the blur image
}

TEST(SkinLoader, ReloadFromTheCacheGivesTheSamePixelsWithoutReading) {
    TMemoryFiles fs;
    AddFolderSkin(fs, "Blue");
    pngtest::Image png;
    png.Width = png.Height = 4;
    png.ColorType = 6;  // colour with alpha: premultiplied on every load
    fs.Files[kDir + "Blue\\Options.dat"] =
        Text(std::string(kFolderIni) + "[FORM]\r\nPATTERN=P.PNG\r\n");
    fs.Files[kDir + "Blue\\P.PNG"] = pngtest::Write(png);
    TSkinImageCache cache;
    TSkinLoadOptions o = Options("Blue");
    o.Cache = &cache;
    LoadSkinByName(o, fs);
    const int readsAfterFirst = fs.Reads;

    o.HueOffset = 120;
    o.Saturation = -30;
    const TLoadedSkin cached = LoadSkinByName(o, fs);
    EXPECT_EQ(fs.Reads, readsAfterFirst);
    o.Cache = nullptr;
    const TLoadedSkin fresh = LoadSkinByName(o, fs);
    ASSERT_EQ(cached.Tables->MaskCount(), fresh.Tables->MaskCount());
    auto bytes = [](const TBitmap32& b) { return Bytes(b.Data(), b.Data() + size_t(b.Width()) * b.Height() * 4); };
    EXPECT_EQ(bytes(*cached.Tables->MasterBitmap), bytes(*fresh.Tables->MasterBitmap));
    for (int i = 0; i < fresh.Tables->MaskCount(); ++i) {
        const auto& a = cached.Tables->Mask(i).Bmp;
        const auto& b = fresh.Tables->Mask(i).Bmp;
        ASSERT_EQ(bool(a), bool(b));
        if (a) {
            EXPECT_EQ(bytes(*a), bytes(*b)) << i;
        }
    }
    EXPECT_EQ(cached.Tables->Section(1).Props[0].Color, fresh.Tables->Section(1).Props[0].Color);
}

}  // namespace
}  // namespace ad::skin
