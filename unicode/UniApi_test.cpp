// The layer's system calls under Wine: drawing a part of a text on both
// platforms, error text, code pages of locales, and files by wide name.
#include "unicode/UniApi.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/WinText.h"
#include "framework/FileStreams.h"
#include "testsupport/TempFolder.h"
#include "unicode/UniAnsiStrings.h"
#include "unicode/UniWideStrings.h"

namespace ad::uni {
namespace {

TEST(UniApi, DrawTextDrawsOnlyCountCharactersOnBothPlatforms) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    SIZE three{};
    ::GetTextExtentPoint32W(dc, L"abc", 3, &three);
    for (bool unicode : {true, false}) {
        TUniPlatform platform;
        platform.UnicodePlatform = unicode;
        RECT r{0, 0, 0, 0};
        const int height = UniDrawText(dc, L"abcdefgh", 3, r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX, platform);
        EXPECT_GT(height, 0) << unicode;
        EXPECT_EQ(r.right - r.left, three.cx) << unicode;
    }
    RECT all{0, 0, 0, 0};
    UniDrawText(dc, L"abcdefgh", -1, all, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_GT(all.right, three.cx);
    EXPECT_EQ(UniTextExtent(dc, L"abc").cx, three.cx);
    ::DeleteDC(dc);
}

TEST(UniApi, ErrorTextOfTheSystemOrUnspecified) {
    EXPECT_EQ(UniSysErrorMessage(ERROR_FILE_NOT_FOUND), Widen(SysErrorMessage(ERROR_FILE_NOT_FOUND)));
    EXPECT_EQ(UniSysErrorMessage(0x2000ABCD), L"Unspecified error (536914893) from system.");
}

TEST(UniApi, CodePageOfLocale) {
    EXPECT_EQ(AnsiCodePageOfLocale(MAKELCID(0x0409, SORT_DEFAULT)), 1252u);
    EXPECT_EQ(AnsiCodePageOfLocale(MAKELCID(0x0419, SORT_DEFAULT)), 1251u);
    EXPECT_EQ(AnsiCodePageOfLocale(MAKELCID(0x0439, SORT_DEFAULT)), ::GetACP());  // Hindi has none
    EXPECT_EQ(AnsiCodePageOfLocale(0x7FFF1234), ::GetACP());                       // no such locale
    EXPECT_EQ(DefaultCodePage(), static_cast<unsigned>(CP_THREAD_ACP));
    EXPECT_TRUE(UniPlatform().UnicodePlatform);
}

// A folder whose name the ANSI code page cannot hold.
struct WideFolder {
    test::TempDir dir;
    std::wstring path = Widen(dir.Path()) + L"\u4E2D\u6587 \u00E9\u263A\\";
    WideFolder() { std::filesystem::create_directory(std::filesystem::path(path)); }
};

TEST(UniApi, FileStreamByWideName) {
    WideFolder f;
    const std::wstring name = f.path + L"\u674E.txt";
    {
        TUniFileStream out(name, fmCreate);
        out.WriteBuffer("\xFF\xFE", 2);
    }
    EXPECT_EQ(std::filesystem::file_size(std::filesystem::path(name)), 2u);
    {
        TUniFileStream in(name, fmOpenRead | fmShareDenyWrite);
        EXPECT_EQ(in.Size(), 2);
        // Denying writers: a second opening for writing fails.
        EXPECT_THROW(TUniFileStream(name, fmOpenReadWrite | fmShareDenyNone), EFOpenError);
        TUniFileStream reader(name, fmOpenRead | fmShareDenyNone);
        EXPECT_EQ(reader.Size(), 2);
    }
}

TEST(UniApi, FileErrorsNameTheFullPath) {
    WideFolder f;
    const std::wstring missing = f.path + L"missing\\x.txt";
    const std::string full = Narrow(UniFullPathName(missing));
    try {
        TUniFileStream s(missing, fmOpenRead);
        ADD_FAILURE() << "opened a missing file";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.FileName, full);
        EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"" + full + "\". ", 0), 0u) << e.what();
    }
    try {
        TUniFileStream s(missing, fmCreate);
        ADD_FAILURE() << "created a file in a missing folder";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + full + "\". " +
                                             Narrow(UniSysErrorMessage(ERROR_PATH_NOT_FOUND)));
    }
}

TEST(UniApi, StringListFilesByWideName) {
    WideFolder f;
    const std::wstring name = f.path + L"Contributor.txt";
    TWideStringList list;
    list.Add(u"\u674E\u96F7\tZo\u00EB");
    list.SaveToFile(name);
    TWideStringList back;
    back.LastFileCharSet = csAnsi;
    back.LoadFromFile(name);
    EXPECT_TRUE(back.Equals(list));
    EXPECT_EQ(back.LastFileCharSet, csUnicode);
    EXPECT_THROW(back.LoadFromFile(f.path + L"none.txt"), EFOpenError);
}

TEST(UniApi, AnsiViewOfAWideList) {
    TWideStringList wide;
    wide.AddObject(u"caf\u00E9 \u4E2D", 7);
    TAnsiStringsForWideStringsAdapter ansi(wide, 1252);
    EXPECT_EQ(ansi.Count(), 1);
    EXPECT_EQ(ansi[0], "caf\xE9 ?");
    EXPECT_EQ(ansi.Objects(0), 7);
    ansi.Add("\x80uro");
    ansi.Put(0, "new");
    EXPECT_EQ(wide[0], u"new");
    EXPECT_EQ(wide[1], u"\u20ACuro");
    EXPECT_EQ(wide.Objects(0), 7);

    TAnsiStringsForWideStringsAdapter utf8(wide, 65001);
    const std::string bytes = "\xE4\xB8\xAD\r\nx";
    TReadOnlyMemoryStream in(bytes.data(), bytes.size());
    utf8.LoadFromStream(in, 65001);
    EXPECT_EQ(wide.Count(), 2);
    EXPECT_EQ(wide[0], u"\u4E2D");
    EXPECT_EQ(utf8[0], "\xE4\xB8\xAD");
    TMemoryStream out;
    utf8.SaveToStream(out, 65000);
    EXPECT_EQ(std::string(static_cast<const char*>(out.Memory()), static_cast<size_t>(out.Size())), "+Ti0\r\nx\r\n");
}

}  // namespace
}  // namespace ad::uni
