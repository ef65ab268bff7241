// The File Hash report without a window: labels, the lines of checked items in
// list order with lower-case digests, unreadable files and stopping.
#include "app/forms/HashReport.h"

#include <gtest/gtest.h>

#include "base/Exception.h"
#include "base/StrUtils.h"
#include "hash/Digest.h"
#include "hash/Hashes.h"
#include "testsupport/TestUtils.h"

namespace ad {
namespace {

THashChecks Checks(std::initializer_list<int> items) {
    THashChecks c{};
    for (int i : items) c[static_cast<size_t>(i)] = true;
    return c;
}

TEST(HashReport, LabelsArePaddedToElevenCharactersBeforeTheColon) {
    const char* expected[kHashItemCount] = {
        "CRC32      : ", "MD4        : ", "MD5        : ", "RIPEMD-128 : ", "RIPEMD-160 : ", "SHA-1      : ",
        "SHA-256    : ", "SHA-384    : ", "SHA-512    : ", "Tiger-128  : ", "Tiger-160  : ", "Tiger-192  : ",
    };
    for (int i = 0; i < kHashItemCount; ++i) EXPECT_EQ(HashLabel(kHashItems[static_cast<size_t>(i)]), expected[i]);
    EXPECT_EQ(HashFileLine("C:\\Tools\\a.exe"), "Filename   : C:\\Tools\\a.exe");
}

TEST(HashReport, CheckedItemsGiveLowerCaseDigestsInListOrder) {
    test::TempDir dir;
    const std::string file = dir.Write("abc.txt", "abc");
    std::vector<std::string> lines{"kept"};
    THashChecks all;
    all.fill(true);
    ASSERT_TRUE(AppendHashLines(file, all, {}, lines));
    ASSERT_EQ(lines.size(), 1u + kHashItemCount);
    EXPECT_EQ(lines[0], "kept");
    EXPECT_EQ(lines[1], "CRC32      : 352441c2");
    EXPECT_EQ(lines[3], "MD5        : 900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(lines[12], "Tiger-192  : f258c1e88414ab2a527ab541ffc5b8bf935f7b951c132951");
    for (int i = 1; i < kHashItemCount; ++i) {
        const std::string text = Digest::Text(static_cast<DigestKind>(i - 1), "abc", 3);
        EXPECT_EQ(lines[static_cast<size_t>(i) + 1], HashLabel(kHashItems[static_cast<size_t>(i)]) + AsciiLowerCase(text));
    }
    // The SHA-256 line holds the hash the online scan link is made of.
    std::string scan;
    FileSHA256(file, 1024, scan);
    EXPECT_EQ(lines[7], "SHA-256    : " + AsciiLowerCase(scan));

    lines.clear();
    ASSERT_TRUE(AppendHashLines(file, Checks({11, 0, 9}), {}, lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"CRC32      : 352441c2", "Tiger-128  : f258c1e88414ab2a527ab541ffc5b8bf",
                                               "Tiger-192  : f258c1e88414ab2a527ab541ffc5b8bf935f7b951c132951"}));
    lines.clear();
    ASSERT_TRUE(AppendHashLines(file, THashChecks{}, {}, lines));
    EXPECT_TRUE(lines.empty());
}

TEST(HashReport, AnUnreadableFileWritesCrc32AsZeroAndRaisesForTheDigests) {
    test::TempDir dir;
    const std::string missing = dir.File("gone.exe");
    const struct {
        THashChecks checked;
        std::vector<std::string> lines;
        bool raises;
    } cases[] = {
        {Checks({0}), {"CRC32      : 00000000"}, false},
        {Checks({0, 2, 6}), {"CRC32      : 00000000"}, true},
        {Checks({1}), {}, true},
        {THashChecks{}, {}, false},
    };
    for (const auto& c : cases) {
        std::vector<std::string> lines;
        bool raised = false;
        try {
            AppendHashLines(missing, c.checked, {}, lines);
        } catch (const EFOpenError& e) {
            raised = true;
            EXPECT_NE(std::string(e.what()).find("gone.exe"), std::string::npos) << e.what();
        }
        EXPECT_EQ(raised, c.raises);
        EXPECT_EQ(lines, c.lines);
    }
}

TEST(HashReport, StoppedWorkAddsNoLines) {
    test::TempDir dir;
    const std::string file = dir.Write("big.bin", std::string(size_t(12) << 20, 'x'));  // several blocks
    std::vector<std::string> lines;
    THashChecks all;
    all.fill(true);
    EXPECT_FALSE(AppendHashLines(file, all, [] { return true; }, lines));
    EXPECT_TRUE(lines.empty());
}

}  // namespace
}  // namespace ad
