// Tests of the skin list over an in-memory skin folder: the kinds, the
// case-sensitive ".asz" rule, folders without "Options.dat", a missing folder,
// and preview trailers with honest, missing and lying sizes.
#include "skin/engine/skinfile/SkinList.h"

#include <gtest/gtest.h>

#include <map>

#include "skin/engine/testkit/AszTestWriter.h"

namespace ad::skin {
namespace {

// Files by full name; a folder exists when some file lies in it or it is listed.
class MemoryFolder : public TSkinFolderSource {
public:
    std::map<std::string, std::vector<uint8_t>> Files;
    std::map<std::string, std::vector<TSkinDirEntry>> Listings;

    bool FolderExists(const std::string& folder) override { return Listings.count(folder) > 0; }
    std::vector<TSkinDirEntry> Entries(const std::string& folder) override { return Listings[folder]; }
    bool FileExists(const std::string& name) override { return Files.count(name) > 0; }
    bool ReadFile(const std::string& name, std::vector<uint8_t>& bytes) override {
        auto it = Files.find(name);
        if (it == Files.end()) return false;
        bytes = it->second;
        return true;
    }
};

MemoryFolder SkinsFolder() {
    MemoryFolder fs;
    fs.Listings["c:\\Skins\\"] = {{".", true},          {"..", true},         {"Zeta", true},
                                  {"NoOptions", true},  {"Blue.asz", false},  {"Blue.ASZ", false},
                                  {"Red.asz.bak", false}, {"Gold.asz", false}, {".hidden.asz", false},
                                  {"My.asz.asz", false}};
    fs.Files["c:\\Skins\\Zeta\\Options.dat"] = {};
    return fs;
}

TEST(SkinList, KindsChooseFoldersPackedFilesOrBoth) {
    MemoryFolder fs = SkinsFolder();
    const std::vector<std::string> stored{"Stored"};
    struct Case {
        int Kind;
        std::vector<std::string> Names;
    } cases[] = {
        {slFolders, {"Stored", "Zeta"}},
        {slPacked, {"Blue", "Gold", "My.asz", "Stored"}},
        {slFoldersAndPacked, {"Blue", "Gold", "My.asz", "Stored", "Zeta"}},
        {3, {"Stored"}},
    };
    for (const Case& c : cases) {
        std::string first;
        EXPECT_EQ(ListSkins(stored, "c:\\Skins\\", c.Kind, fs, first), c.Names) << "kind " << c.Kind;
        EXPECT_EQ(first, "Stored");
    }
}

TEST(SkinList, FirstNameIsTheFirstFoundBeforeSorting) {
    MemoryFolder fs = SkinsFolder();
    std::string first;
    ListSkins({}, "c:\\Skins\\", slFoldersAndPacked, fs, first);
    EXPECT_EQ(first, "Zeta");
}

TEST(SkinList, AMissingFolderListsTheStoredSkinsOnly) {
    MemoryFolder fs;
    std::string first = "old";
    EXPECT_EQ(ListSkins({"B", "A"}, "c:\\Gone\\", slFoldersAndPacked, fs, first), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(first, "B");
    EXPECT_TRUE(ListSkins({}, "c:\\Gone\\", slFoldersAndPacked, fs, first).empty());
    EXPECT_EQ(first, "");
}

TEST(SkinList, PackedNamesNeedTheLowerCaseExtension) {
    struct Case {
        const char* File;
        bool Packed;
        const char* Name;
    } cases[] = {{"Blue.asz", true, "Blue"}, {"Blue.ASZ", false, ""},   {"Blue.Asz", false, ""},
                 {".asz", false, ""},        {"a.asz.asz", true, "a.asz"}, {"Blue.aszx", false, ""}};
    for (const Case& c : cases) {
        std::string name;
        EXPECT_EQ(PackedSkinName(c.File, name), c.Packed) << c.File;
        if (c.Packed) {
            EXPECT_EQ(name, c.Name);
        }
    }
}

TEST(SkinList, PreviewTrailerIsReadWithinTheData) {
    using asztest::Bytes;
    const Bytes png{0x89, 'P', 'N', 'G', 1, 2, 3};
    Bytes packed = asztest::Pack({{"Options.dat", asztest::Text("[GLOBALINFO]")}}, "ASzf", png);
    std::vector<uint8_t> preview;
    ASSERT_TRUE(ReadPreview(preview, packed.data(), packed.size()));
    EXPECT_EQ(preview, png);

    const Bytes plain = asztest::Pack({{"Options.dat", asztest::Text("[GLOBALINFO]")}});
    EXPECT_FALSE(ReadPreview(preview, plain.data(), plain.size()));

    // A size larger than what follows is not believed.
    Bytes lying = packed;
    lying[lying.size() - png.size() - 4] = 0xFF;
    lying[lying.size() - png.size() - 1] = 0x7F;
    EXPECT_FALSE(ReadPreview(preview, lying.data(), lying.size()));
    Bytes negative = packed;
    negative[negative.size() - png.size() - 1] = 0x80;
    EXPECT_FALSE(ReadPreview(preview, negative.data(), negative.size()));
    // The tag at the very end, without its size.
    const std::string cut = "xxpreviewimg\x01";
    EXPECT_FALSE(ReadPreview(preview, reinterpret_cast<const uint8_t*>(cut.data()), cut.size()));
}

}  // namespace
}  // namespace ad::skin
