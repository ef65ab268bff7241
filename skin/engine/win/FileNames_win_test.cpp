// Windows only: every skin-engine reader and writer that takes a file name
// opens a file in a folder whose ANSI name has letters beyond ASCII (names are
// converted to UTF-16 before opening).
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>

#include "skin/engine/testkit/AszTestWriter.h"
#include "skin/engine/testkit/PngTestWriter.h"
#include "skin/engine/image/SkinAlphaDraw.h"
#include "skin/engine/skinfile/SkinStoredSkins.h"
#include "skin/engine/image/skPNG.h"
#include "skin/engine/skinfile/skPackedSkin.h"
#include "testsupport/TempFolder.h"

namespace ad::skin {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes SmallPng() {
    pngtest::Image img;
    img.Width = 3;
    img.Height = 2;
    img.ColorType = 6;
    img.Sample = [](int x, int y, int c) { return uint32_t(c == 3 ? 255 : 10 * c + x + y); };
    return pngtest::Write(img);
}

// Written and read through the wide name, not through the code under test.
void WriteWide(const std::string& name, const Bytes& bytes) {
    std::ofstream(test::PathOfName(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Bytes ReadWide(const std::string& name) {
    std::ifstream f(test::PathOfName(name), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

TEST(SkinFileNames, ReadersAndWritersOpenAnsiNamesBeyondAscii) {
    test::TempDir dir;
    const std::string folder = test::MakeNonAsciiFolder(dir);
    if (folder.empty()) GTEST_SKIP() << "the ANSI code page cannot hold the test name";
    const Bytes png = SmallPng();
    const Bytes packed = asztest::Pack({{"options.DAT", asztest::Text("[GLOBALINFO]\r\n")}});
    struct Reader {
        const char* name;
        const Bytes& content;  // written to folder + "r\xE9sum\xE9" first
        std::function<std::string(const std::string& file)> read;  // what it read, in short
        std::string expected;
    } readers[] = {
        {"PNG graphic", png,
         [](const std::string& file) {
             TPNGGraphic g;
             g.LoadFromFile(file);
             return std::to_string(g.Width) + "x" + std::to_string(g.Height);
         },
         "3x2"},
        {"PNG into a bitmap", png,
         [](const std::string& file) {
             TBitmap32 bmp;
             LoadPngFileToBitmap(bmp, file);
             return std::to_string(bmp.Width()) + "x" + std::to_string(bmp.Height());
         },
         "3x2"},
        {"packed skin", packed,
         [](const std::string& file) {
             TSkSkinConvertor c;
             if (!OpenPackedSkinFile(file, c) || !c.IniStream) return std::string("not read");
             return std::string(c.IniStream->begin(), c.IniStream->end());
         },
         "[GLOBALINFO]\r\n"},
        {"stored skin data, read and saved", packed,
         [&folder](const std::string& file) {
             TSkinStoredSkin skin;
             skin.LoadDataFromFile(file);
             const std::string copy = folder + "copie \xE9t\xE9.asz";
             skin.SaveDataToFile(copy);
             return std::to_string(skin.Data().size()) + (ReadWide(copy) == skin.Data() ? " same" : " different");
         },
         std::to_string(packed.size()) + " same"},
    };
    for (const Reader& r : readers) {
        SCOPED_TRACE(r.name);
        const std::string file = folder + "r\xE9sum\xE9";
        WriteWide(file, r.content);
        EXPECT_EQ(r.read(file), r.expected);
    }
}

}  // namespace
}  // namespace ad::skin
