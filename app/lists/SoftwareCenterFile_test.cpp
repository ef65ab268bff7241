// The Software Center's catalogue: which sections become entries, in what
// order and with which values, and what damaged files give.
#include "app/lists/SoftwareCenterFile.h"

#include <gtest/gtest.h>

namespace ad {
namespace {

TEST(SoftwareCenterFileTest, SectionsWithADownloadAddressBecomeEntriesInFileOrder) {
    const std::string text =
        "[Zip Tool]\r\nDesc=Packs files\r\nVer=2.1\r\nCategory=Utilities\r\nDLink=http://d.example/zip\r\n"
        "HLink=http://h.example/zip\r\nRating=4\r\nLastUpdate=2016-08-01\r\nSize=12.5\r\n"
        "[No Download]\r\nDesc=skipped\r\nDLink=\r\nRating=5\r\n"
        "[Paint]\r\nDLink=\"http://d.example/paint\"\r\nRating=$3\r\nSize=  7  \r\n"
        "[Only Page]\r\nHLink=http://h.example/only\r\n";
    const TSoftwareCenterList list = ReadSoftwareCenter(text);
    EXPECT_EQ(list.Encoding, TTextFileEncoding::Ansi);
    ASSERT_EQ(list.Entries.size(), 2u);
    const TSoftwareEntry& zip = list.Entries[0];
    EXPECT_EQ(zip.Name, "Zip Tool");
    EXPECT_EQ(zip.Desc, "Packs files");
    EXPECT_EQ(zip.Ver, "2.1");
    EXPECT_EQ(zip.Category, "Utilities");
    EXPECT_EQ(zip.DLink, "http://d.example/zip");
    EXPECT_EQ(zip.HLink, "http://h.example/zip");
    EXPECT_EQ(zip.LastUpdate, "2016-08-01");
    EXPECT_EQ(zip.Rating, 4);
    EXPECT_DOUBLE_EQ(zip.Size, 12.5);
    const TSoftwareEntry& paint = list.Entries[1];
    EXPECT_EQ(paint.Name, "Paint");
    EXPECT_EQ(paint.DLink, "http://d.example/paint");  // quotes are removed as the profile functions do
    EXPECT_EQ(paint.Desc, "");
    EXPECT_EQ(paint.Rating, 3);
    EXPECT_DOUBLE_EQ(paint.Size, 7);
}

TEST(SoftwareCenterFileTest, SizeReadsWithAPointWhateverTheLocale) {
    const struct {
        const char* text;
        double size;
    } cases[] = {{"12.5", 12.5}, {" 0.25 ", 0.25}, {"3", 3},   {"", 0},    {"12,5", 0},  {"abc", 0},
                 {"1.2.3", 0},   {"-4", 0},        {"inf", 0}, {"nan", 0}, {"1e400", 0}, {".5", 0.5}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(ParseSoftwareSize(c.text), c.size) << c.text;
}

TEST(SoftwareCenterFileTest, EmptyDamagedAndUnicodeFilesGiveWhatTheyHold) {
    EXPECT_TRUE(ReadSoftwareCenter("").Entries.empty());
    EXPECT_TRUE(ReadSoftwareCenter(std::string("\0\xFF[\r\n=\n[", 7)).Entries.empty());
    // Rating and Size that are no numbers read as 0; the entry stays.
    auto bad = ReadSoftwareCenter("[A]\nDLink=x\nRating=lots\nSize=big\n");
    ASSERT_EQ(bad.Entries.size(), 1u);
    EXPECT_EQ(bad.Entries[0].Rating, 0);
    EXPECT_EQ(bad.Entries[0].Size, 0);
    // A UTF-16 file (as Notepad saves "Unicode") reads as UTF-8 text.
    std::u16string wide = u"[Caf\u00e9]\r\nDLink=http://d.example/\r\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t c : wide) bytes += {char(c & 0xFF), char(c >> 8)};
    auto uni = ReadSoftwareCenter(bytes);
    EXPECT_EQ(uni.Encoding, TTextFileEncoding::Utf16LE);
    ASSERT_EQ(uni.Entries.size(), 1u);
    EXPECT_EQ(uni.Entries[0].Name, "Caf\xC3\xA9");
}

}  // namespace
}  // namespace ad
