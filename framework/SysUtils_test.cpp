// Operating-system helpers: OS errors, text conversion, files and folders.
#include "framework/SysUtils.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "testsupport/TestUtils.h"

namespace ad {
namespace {

TEST(SysUtils, OSErrorCarriesTheCodeAndTheSystemText) {
    EOSError e(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(e.ErrorCode, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    std::string text = SysErrorMessage(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), '\n');
    EXPECT_NE(e.Message.find(text), std::string::npos);
    EXPECT_NE(e.Message.find("Code: 2."), std::string::npos);
    ::SetLastError(ERROR_ACCESS_DENIED);
    try {
        RaiseLastOSError();
        FAIL();
    } catch (const EOSError& raised) {
        EXPECT_EQ(raised.ErrorCode, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    }
}

TEST(SysUtils, AnsiAndWideConversionRoundTrips) {
    std::string ansi = Narrow(L"Caf\u00e9 \u00fcber");  // both letters exist in the ANSI code page here
    EXPECT_EQ(Widen(ansi), L"Caf\u00e9 \u00fcber");
    EXPECT_EQ(WideToUtf8(L"\u00e9"), "\xc3\xa9");
    EXPECT_EQ(Utf8ToWide("\xc3\xa9"), L"\u00e9");
    EXPECT_EQ(Widen(""), L"");
    EXPECT_TRUE(AnsiSameText(Narrow(L"\u00c9T\u00c9"), Narrow(L"\u00e9t\u00e9")));
    EXPECT_EQ(AnsiLowerCase("ABC"), "abc");
}

TEST(SysUtils, FilesAndFolders) {
    test::TempDir dir;
    std::string deep = dir.Path() + "a\\b\\c";
    EXPECT_FALSE(DirectoryExists(deep));
    EXPECT_TRUE(ForceDirectories(deep + "\\"));
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_TRUE(ForceDirectories(deep));  // already there
    EXPECT_FALSE(FileExists(deep));       // a folder is not a file

    std::string file = dir.File("x.dat");
    test::WriteFileBytes(file, "12345");
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(DirectoryExists(file));
    EXPECT_EQ(FileSize(file), 5);
    EXPECT_FALSE(ForceDirectories(file + "\\sub"));  // a file stands in the way

    test::WriteFileBytes(dir.File("y.dat"), "");
    auto names = FindFiles(dir.Path() + "*.dat");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"x.dat", "y.dat"}));

    EXPECT_TRUE(RenameFile(file, dir.File("z.dat")));
    EXPECT_FALSE(FileExists(file));
    EXPECT_TRUE(RemoveFile(dir.File("z.dat")));
    EXPECT_EQ(FileSize(dir.File("z.dat")), -1);
}

TEST(SysUtils, ProgramNameAndEnvironment) {
    EXPECT_EQ(AsciiLowerCase(ExtractFileName(ParamStr(0))), "framework_test.exe");
    EXPECT_EQ(ParamStr(1000), "");
    ::SetEnvironmentVariableW(L"AD_TEST_VAR", L"value 1");
    EXPECT_EQ(GetEnvVar("AD_TEST_VAR"), "value 1");
    EXPECT_EQ(GetEnvVar("AD_TEST_VAR_MISSING"), "");
}

}  // namespace
}  // namespace ad
