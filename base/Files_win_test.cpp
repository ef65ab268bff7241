// Windows only: the base's files by name (whole reads, atomic saves, memory
// streams) open 8-bit names in a folder whose ANSI name has letters beyond
// ASCII: the names are converted to UTF-16 before opening.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "base/Files.h"
#include "base/Streams.h"
#include "base/WinText.h"
#include "testsupport/TempFolder.h"

namespace ad {
namespace {

TEST(FileNames, ReadersAndWritersOpenAnsiNamesBeyondAscii) {
    test::TempDir dir;
    const std::string folder = test::MakeNonAsciiFolder(dir);
    if (folder.empty()) GTEST_SKIP() << "the ANSI code page cannot hold the test name";
    const std::string file = folder + "r\xE9sum\xE9.bin";
    struct Case {
        const char* name;
        std::function<void(const std::string&)> write;
        std::function<std::string(const std::string&)> read;
    } cases[] = {
        {"atomic save, whole read", [](const std::string& f) { SaveFileAtomically(f, "abc", 3); },
         [](const std::string& f) {
             const std::vector<uint8_t> bytes = ReadFileBytes(f);
             return std::string(bytes.begin(), bytes.end());
         }},
        {"memory streams",
         [](const std::string& f) {
             TMemoryStream s;
             s.WriteBuffer("abc", 3);
             s.SaveToFile(f);
         },
         [](const std::string& f) {
             TMemoryStream s;
             s.LoadFromFile(f);
             return std::string(static_cast<const char*>(s.Memory()), size_t(s.Size()));
         }},
        {"open by name",
         [](const std::string& f) {
             std::FILE* out = OpenNamedFile(f, "wb");
             ASSERT_NE(out, nullptr);
             std::fputs("abc", out);
             std::fclose(out);
         },
         [](const std::string& f) {
             std::FILE* in = OpenNamedFile(f, "r");
             if (in == nullptr) return std::string("not opened");
             char text[8] = {};
             std::fgets(text, sizeof text, in);
             std::fclose(in);
             return std::string(text);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.write(file);
        EXPECT_TRUE(std::filesystem::exists(test::PathOfName(file)));
        EXPECT_EQ(c.read(file), "abc");
        std::filesystem::remove(test::PathOfName(file));
    }
}

// A reader does not keep others from renaming or deleting the file it reads.
TEST(FileNames, AFileOpenForReadingCanBeRenamedAndDeleted) {
    test::TempDir dir;
    const std::string file = dir.File("open.txt"), renamed = dir.File("renamed.txt");
    SaveFileAtomically(file, "old", 3);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> reader(OpenNamedFile(file, "rb"), &std::fclose);
    ASSERT_TRUE(reader);
    EXPECT_TRUE(::MoveFileW(Widen(file).c_str(), Widen(renamed).c_str()));
    EXPECT_TRUE(::DeleteFileW(Widen(renamed).c_str()));
    char text[4] = {};
    EXPECT_EQ(std::fread(text, 1, 3, reader.get()), 3u);
    EXPECT_EQ(std::string(text), "old");  // the reader keeps the file it opened
}

}  // namespace
}  // namespace ad
