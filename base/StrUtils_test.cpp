// Path and string text helpers.
#include "base/StrUtils.h"

#include <gtest/gtest.h>

namespace ad {
namespace {

TEST(PathText, SplitsFileNames) {
    struct Case {
        const char* in;
        const char* path;
        const char* dir;
        const char* name;
        const char* ext;
    } cases[] = {
        {"C:\\Tools\\app.exe", "C:\\Tools\\", "C:\\Tools", "app.exe", ".exe"},
        {"C:\\app.exe", "C:\\", "C:\\", "app.exe", ".exe"},
        {"README", "", "", "README", ""},
        {"C:\\a.b\\file", "C:\\a.b\\", "C:\\a.b", "file", ""},
        {"archive.tar.gz", "", "", "archive.tar.gz", ".gz"},
        {"D:name.txt", "D:", "D:", "name.txt", ".txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(ExtractFilePath(c.in), c.path);
        EXPECT_EQ(ExtractFileDir(c.in), c.dir);
        EXPECT_EQ(ExtractFileName(c.in), c.name);
        EXPECT_EQ(ExtractFileExt(c.in), c.ext);
    }
    EXPECT_EQ(ChangeFileExt("C:\\x\\a.exe", ".ini"), "C:\\x\\a.ini");
    EXPECT_EQ(ChangeFileExt("C:\\x.y\\a", ".ini"), "C:\\x.y\\a.ini");
    EXPECT_EQ(ExtractFileDrive("\\\\srv\\share\\dir\\f"), "\\\\srv\\share");
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\x"), "C:\\x\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\x\\"), "C:\\x\\");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\x\\"), "C:\\x");
}

TEST(IntText, ParsesLikeTheClassLibrary) {
    struct Case {
        const char* in;
        bool ok;
        int value;
    } cases[] = {
        {"0", true, 0},         {"  42 ", true, 42},         {"-17", true, -17},
        {"+5", true, 5},        {"$FF", true, 255},          {"0x10", true, 16},
        {"$FFFFFFFF", true, -1}, {"2147483647", true, 2147483647}, {"-2147483648", true, -2147483647 - 1},
        {"2147483648", false, 0}, {"", false, 0},            {"12a", false, 0},
        {"1.5", false, 0},      {"-", false, 0},             {"$", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        int v = 0;
        EXPECT_EQ(TryStrToInt(c.in, v), c.ok);
        if (c.ok) {
            EXPECT_EQ(v, c.value);
        }
        EXPECT_EQ(StrToIntDef(c.in, 99), c.ok ? c.value : 99);
    }
}

TEST(StringText, TrimCaseAndReplace) {
    EXPECT_EQ(Trim("  a b \t\r\n"), "a b");
    EXPECT_EQ(AsciiLowerCase("-TrayMode"), "-traymode");
    EXPECT_TRUE(AsciiSameText("ABC", "abc"));
    EXPECT_FALSE(AsciiSameText("ABC", "abcd"));
    EXPECT_EQ(StringReplaceAll("a&b&&c", "&", "&&"), "a&&b&&&&c");
    EXPECT_EQ(IntToHex(0x1A, 4), "001A");
}

}  // namespace
}  // namespace ad
