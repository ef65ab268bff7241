// Windows only: the digests of a file in a folder whose ANSI name has letters
// beyond ASCII (the name is converted to UTF-16 before opening).
#include <gtest/gtest.h>

#include <fstream>

#include "hash/CRC32.h"
#include "hash/Hashes.h"
#include "testsupport/TempFolder.h"

namespace ad {
namespace {

TEST(FileDigests, AnsiFileNameBeyondAscii) {
    test::TempDir dir;
    const std::string folder = test::MakeNonAsciiFolder(dir);
    if (folder.empty()) GTEST_SKIP() << "the ANSI code page cannot hold the test name";
    const std::string name = folder + "caf\xE9.txt";
    std::ofstream(test::PathOfName(name), std::ios::binary) << "abc";
    std::string text;
    FileMD5(name, 1024, text);
    EXPECT_EQ(text, "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(FileCRC32(name), 0x352441C2U);
}

}  // namespace
}  // namespace ad
