// The base streams and files by name, on both platforms: memory streams over
// owned and borrowed bytes, the single-byte helpers, whole-file reads and the
// atomic save (replaces, refuses read-only targets and folders, leaves no
// temporary file behind).
#include "base/Streams.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "base/Files.h"
#include "testsupport/TempFolder.h"

namespace ad {
namespace {

namespace fs = std::filesystem;

// Files in a test folder, the temporary files of a save included.
size_t CountFiles(const test::TempDir& dir) {
    const fs::path path = test::PathOfName(dir.Path());
    return size_t(std::distance(fs::directory_iterator(path), fs::directory_iterator()));
}

std::string Content(const std::string& name) {
    std::ifstream f(test::PathOfName(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

TEST(MemoryStream, OwnedAndBorrowedBytes) {
    TMemoryStream s(std::vector<uint8_t>{1, 2, 3});
    EXPECT_EQ(s.Position(), 0);
    EXPECT_EQ(s.Remaining(), 3);
    uint8_t b = 0;
    ASSERT_TRUE(s.ReadByte(b));
    EXPECT_EQ(b, 1);
    s.Seek(0, soEnd);
    s.WriteWord(0xBBAA);
    s.WriteByte(9);
    EXPECT_EQ(s.Bytes(), (std::vector<uint8_t>{1, 2, 3, 0xAA, 0xBB, 9}));
    EXPECT_FALSE(s.ReadByte(b));
    EXPECT_EQ(s.Remaining(), 0);
    s.SetPosition(100);
    EXPECT_EQ(s.Remaining(), 0);

    const char text[] = "abcdef";
    TReadOnlyMemoryStream view(text, 6);
    view.SetPosition(4);
    char two[2];
    view.ReadBuffer(two, 2);
    EXPECT_EQ(std::string(two, 2), "ef");
    EXPECT_THROW(view.ReadBuffer(two, 1), EReadError);
    EXPECT_THROW(view.WriteByte(0), EStreamError);
    EXPECT_THROW(view.SetSize(1), EStreamError);
}

TEST(Files, ReadWholeFilesAndSaveAtomically) {
    test::TempDir dir;
    const std::string name = dir.File("a.bin");
    SaveFileAtomically(name, "\0\xFF\r\n", 4);
    EXPECT_EQ(Content(name), std::string("\0\xFF\r\n", 4));
    SaveFileAtomically(name, "new", 3);  // replaces
    EXPECT_EQ(ReadFileBytes(name), (std::vector<uint8_t>{'n', 'e', 'w'}));
    SaveFileAtomically(name, nullptr, 0);
    EXPECT_TRUE(ReadFileBytes(name).empty());
    EXPECT_EQ(CountFiles(dir), 1u);  // no temporary file left

    TMemoryStream loaded;
    loaded.WriteByte(7);
    loaded.LoadFromFile(name);
    EXPECT_EQ(loaded.Size(), 0);
    EXPECT_THROW(loaded.LoadFromFile(dir.File("absent.bin")), EFOpenError);
    EXPECT_EQ(OpenNamedFile("", "rb"), nullptr);
    try {
        ReadFileBytes(dir.File("absent.bin"));
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message.find("absent.bin"), std::string::npos);
    }
}

TEST(Files, SavingNeverReplacesAFolderOrAReadOnlyFile) {
    test::TempDir dir;
    fs::create_directory(test::PathOfName(dir.File("sub")));
    EXPECT_THROW(SaveFileAtomically(dir.File("sub"), "x", 1), EFCreateError);
    EXPECT_TRUE(fs::is_directory(test::PathOfName(dir.File("sub"))));
    EXPECT_THROW(SaveFileAtomically(dir.File("missing/x.bin"), "x", 1), EFCreateError);

    const std::string ro = dir.File("ro.bin");
    SaveFileAtomically(ro, "old", 3);
    fs::permissions(test::PathOfName(ro), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
#ifndef _WIN32
    if (::geteuid() == 0) GTEST_SKIP() << "root writes read-only files";
#endif
    EXPECT_THROW(SaveFileAtomically(ro, "new", 3), EFCreateError);
    EXPECT_EQ(Content(ro), "old");
    EXPECT_EQ(CountFiles(dir), 2u);
}

}  // namespace
}  // namespace ad
