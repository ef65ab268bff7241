// Tests of the skin editor's record: the marker, records shorter than the
// full size (any process can send one), texts that fill their fields, and the
// files an editor skin loads from.
#include "skin/engine/skinfile/SkinEditorData.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace ad::skin {
namespace {

std::vector<uint8_t> Record(uint32_t marker, const std::string& name, const std::string& dir, const std::string& ini) {
    std::vector<uint8_t> r(kEditorRecordSize, 0);
    std::memcpy(r.data(), &marker, 4);
    std::memcpy(r.data() + 4, name.data(), std::min(name.size(), kEditorNameSize));
    std::memcpy(r.data() + 4 + kEditorNameSize, dir.data(), std::min(dir.size(), kEditorDirSize));
    std::memcpy(r.data() + 4 + kEditorNameSize + kEditorDirSize, ini.data(), std::min(ini.size(), kEditorIniSize));
    return r;
}

TEST(EditorData, ARecordIsReadWithinTheSizeItCameWith) {
    ASSERT_EQ(kEditorRecordSize, 30645u);
    TSkinEditorData d;
    const auto full = Record(kEditorMarker, "Blue", "c:\\Skins", "[GLOBALINFO]\r\nVERSION=11\r\n");
    ASSERT_TRUE(ReadEditorData(full.data(), full.size(), d));
    EXPECT_EQ(d.SkinName, "Blue");
    EXPECT_EQ(d.SkinDirectory, "c:\\Skins");
    EXPECT_EQ(d.IniText, "[GLOBALINFO]\r\nVERSION=11\r\n");

    // Another marker, or too short to hold one: not the editor's.
    const auto other = Record(0xA401, "Blue", "", "");
    EXPECT_FALSE(ReadEditorData(other.data(), other.size(), d));
    EXPECT_FALSE(ReadEditorData(full.data(), 3, d));
    EXPECT_FALSE(ReadEditorData(nullptr, 100, d));

    // A record cut short after the name: what is missing reads as empty, and
    // nothing beyond the given bytes is touched (the sanitizers watch this copy).
    std::vector<uint8_t> shortRecord(full.begin(), full.begin() + 4 + 6);
    ASSERT_TRUE(ReadEditorData(shortRecord.data(), shortRecord.size(), d));
    EXPECT_EQ(d.SkinName, "Blue");
    EXPECT_EQ(d.IniText, "");

    // Texts without their zero end at their field; a longer record is cut to the record.
    const auto filled = Record(kEditorMarker, std::string(200, 'n'), std::string(600, 'd'), std::string(40000, 'i'));
    std::vector<uint8_t> longer = filled;
    longer.resize(50000, 'x');
    ASSERT_TRUE(ReadEditorData(longer.data(), longer.size(), d));
    EXPECT_EQ(d.SkinName, std::string(128, 'n'));
    EXPECT_EQ(d.SkinDirectory, std::string(512, 'd'));
    EXPECT_EQ(d.IniText, std::string(30001, 'i'));
}

TEST(EditorData, AnEditorSkinStandsInForItsFoldersOptions) {
    TSkinEditorData d{"Blue", "c:\\Skins", "[GLOBALINFO]"};
    EXPECT_FALSE(EditorSkinActive());
    SetEditorSkin(&d);
    const TSkinFiles& files = SkinFilesForLoading();
    EXPECT_TRUE(files.Exists("c:\\Skins\\Blue\\OPTIONS.DAT"));
    EXPECT_FALSE(files.Exists("c:\\Skins\\Blue.asz"));
    const std::vector<uint8_t> ini = files.Read("c:\\Skins\\Blue\\Options.dat");
    EXPECT_EQ(std::string(ini.begin(), ini.end()), "[GLOBALINFO]");
    SetEditorSkin(nullptr);
    EXPECT_FALSE(EditorSkinActive());
    EXPECT_FALSE(SkinFilesForLoading().Exists("c:\\Skins\\Blue\\Options.dat"));
}

}  // namespace
}  // namespace ad::skin
