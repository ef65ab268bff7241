// Windows only: a file whose ANSI name has characters beyond ASCII opens (the
// name is converted to UTF-16 before opening).
#include <gtest/gtest.h>

#include <cstdio>

#include "base/WinText.h"
#include "hash/CRC32.h"
#include "hash/Hashes.h"
#include "hash/TestFiles.h"

namespace ad {
namespace {

TEST(FileDigests, AnsiFileNameBeyondAscii) {
    const std::wstring wideName = L"caf\u00e9 \u00e9t\u00e9.txt";
    const std::string ansiName = Narrow(wideName);
    if (Widen(ansiName) != wideName) GTEST_SKIP() << "the ANSI code page cannot hold the test name";
    test::TempFolder dir;
    const std::wstring widePath = (dir.Path() / wideName).wstring();
    std::FILE* f = _wfopen(widePath.c_str(), L"wb");
    ASSERT_NE(f, nullptr);
    std::fputs("abc", f);
    std::fclose(f);
    const std::string ansiPath = Narrow(dir.Path().wstring()) + "\\" + ansiName;
    std::string text;
    FileMD5(ansiPath, 1024, text);
    EXPECT_EQ(text, "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(FileCRC32(ansiPath), 0x352441C2U);
}

}  // namespace
}  // namespace ad
