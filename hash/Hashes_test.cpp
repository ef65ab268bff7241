// File digests: every routine on empty, one-byte, 1025-byte and multi-block
// files with any chunk size, the text of unreadable files and the errors
// raised, and HexDigits.
#include "hash/Hashes.h"

#include <gtest/gtest.h>

#include <climits>

#include "base/Exception.h"
#include "hash/Digest.h"
#include "testsupport/TempFolder.h"

namespace ad {
namespace {

using FileRoutine = void (*)(const std::string&, int, std::string&);

struct Routine {
    const char* name;
    FileRoutine routine;
    DigestKind kind;
};

const Routine kRoutines[] = {
    {"MD4", FileMD4, DigestKind::MD4},
    {"MD5", FileMD5, DigestKind::MD5},
    {"RIPEMD-128", FileRIPEMD128, DigestKind::RIPEMD128},
    {"RIPEMD-160", FileRIPEMD160, DigestKind::RIPEMD160},
    {"SHA-1", FileSHA1, DigestKind::SHA1},
    {"SHA-256", FileSHA256, DigestKind::SHA256},
    {"SHA-384", FileSHA384, DigestKind::SHA384},
    {"SHA-512", FileSHA512, DigestKind::SHA512},
    {"Tiger-128", FileTiger128, DigestKind::Tiger128},
    {"Tiger-160", FileTiger160, DigestKind::Tiger160},
    {"Tiger-192", FileTiger192, DigestKind::Tiger192},
};

std::string HashFile(FileRoutine routine, const std::string& file, int chunk = 1024) {
    std::string text = "stale";
    routine(file, chunk, text);
    return text;
}

std::string Expected(DigestKind kind, const std::string& content) {
    return Digest::Text(kind, content.data(), content.size());
}

TEST(FileDigests, SmallFilesGiveTheDigestOfTheirWholeContent) {
    test::TempDir dir;
    const std::string contents[] = {"", "a", std::string(1023, 'a'), std::string(1024, 'a'), std::string(1025, 'a')};
    for (const Routine& r : kRoutines) {
        for (const std::string& content : contents) {
            const std::string file = dir.Write("f.bin", content);
            EXPECT_EQ(HashFile(r.routine, file), Expected(r.kind, content)) << r.name << " size " << content.size();
        }
    }
    // Published digests of the same files, tying the file path to the vectors.
    EXPECT_EQ(HashFile(FileMD5, dir.Write("e.bin", "")), "D41D8CD98F00B204E9800998ECF8427E");
    EXPECT_EQ(HashFile(FileSHA256, dir.Write("one.bin", "a")),
              "CA978112CA1BBDCAFAC231B39A23DC4DA786EFF8147C4E72B9807785AFEE48BB");
    EXPECT_EQ(HashFile(FileSHA256, dir.Write("k.bin", std::string(1025, 'a'))),
              "4A82297889EB505CF6B5CBDF69977AFAB4632D6557539782F657BD7DC78091A5");
    EXPECT_EQ(HashFile(FileTiger192, dir.Write("abc.txt", "abc")), "F258C1E88414AB2A527AB541FFC5B8BF935F7B951C132951");
    std::string text;
    FileTiger(dir.File("abc.txt"), 160, 1024, text);
    EXPECT_EQ(text, "F258C1E88414AB2A527AB541FFC5B8BF935F7B95");
}

// A file of several read blocks; chunk sizes of 0 or less (which must not hang),
// tiny and huge ones all give the same digest.
TEST(FileDigests, AnyChunkSizeGivesTheSameDigest) {
    test::TempDir dir;
    std::string content(3 * 1024 * 1024 + 77, '\0');
    for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>((i * 2654435761u) >> 11);
    const std::string file = dir.Write("big.bin", content);
    for (const Routine& r : kRoutines) {
        const std::string expected = Expected(r.kind, content);
        for (int chunk : {1024, 0, -1, INT_MIN, 1, 65521, 1 << 20, INT_MAX})
            EXPECT_EQ(HashFile(r.routine, file, chunk), expected) << r.name << " chunk " << chunk;
    }
}

// A missing file: the text is the digest of no data, then EFOpenError names
// the file. A folder cannot be read either (it fails on open or on the first
// read, depending on the system).
TEST(FileDigests, UnreadableFilesLeaveTheEmptyDigestAndRaise) {
    test::TempDir dir;
    const std::string missing = dir.File("missing.bin");
    for (const Routine& r : kRoutines) {
        std::string text = "stale";
        try {
            r.routine(missing, 1024, text);
            ADD_FAILURE() << r.name << ": no exception";
        } catch (const EFOpenError& e) {
            EXPECT_EQ(e.FileName, missing);
            EXPECT_NE(e.Message.find(missing), std::string::npos) << e.Message;
        }
        EXPECT_EQ(text, Expected(r.kind, "")) << r.name;

        text = "stale";
        EXPECT_THROW(r.routine(dir.Folder(), 1024, text), EStreamError) << r.name;
        EXPECT_EQ(text, Expected(r.kind, "")) << r.name;
    }
}

TEST(FileDigests, TigerTakesOnlyItsThreeWidths) {
    test::TempDir dir;
    const std::string file = dir.Write("abc.txt", "abc");
    std::string text;
    for (int bits : {0, 64, 127, 256}) EXPECT_THROW(FileTiger(file, bits, 1024, text), EConvertError) << bits;
}

#ifndef _WIN32
// File names are passed through as bytes (the Windows build converts them from
// the ANSI code page; see FileSource_win_test.cpp).
TEST(FileDigests, NonAsciiFileName) {
    test::TempDir dir;
    const std::string file = dir.Write("caf\xC3\xA9 \xE9t\xE9.txt", "abc");
    EXPECT_EQ(HashFile(FileMD5, file), "900150983CD24FB0D6963F7D28E17F72");
}
#endif

TEST(HexDigits, ExactlyCountDigitsOfTheLowEnd) {
    struct Case {
        int count;
        uint64_t value;
        const char* expected;
    };
    const Case cases[] = {
        {8, 0, "00000000"},
        {8, 0xCBF43926, "CBF43926"},
        {8, 0xABC, "00000ABC"},
        {4, 0x12345678, "5678"},
        {1, 0xF, "F"},
        {16, 0x0123456789ABCDEFull, "0123456789ABCDEF"},
        {18, 0xFFFFFFFFFFFFFFFFull, "00FFFFFFFFFFFFFFFF"},
        {0, 0x1234, ""},
        {-3, 0x1234, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(HexDigits(c.count, c.value), c.expected) << c.count << " " << c.value;
}

}  // namespace
}  // namespace ad
