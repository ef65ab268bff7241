// The update check's file side: which links may reach the shell, and reading
// the reply's section from its file in whatever encoding it was stored.
#include "app/forms/UpdateCheck.h"

#include <gtest/gtest.h>

#include "app/lists/InfoListRules.h"
#include "testsupport/TestUtils.h"

namespace ad {
namespace {

TEST(UpdateVersionTest, OnlyWebAddressesMayBeOpened) {
    for (const char* link : {"http://dl.example.org/a.zip", "https://dl.example.org/a.zip", "HTTPS://X.ORG/"})
        EXPECT_TRUE(IsWebAddress(link)) << link;
    for (const char* link : {"", "http://", "https://", "file:///C:/Windows/notepad.exe", "C:\\Windows\\notepad.exe",
                             "calc.exe", "javascript:alert(1)", " http://x.org", "ftp://x.org/a"})
        EXPECT_FALSE(IsWebAddress(link)) << link;
}

TEST(UpdateReplyTest, TheSectionsVersionAndLinkWithDashForNoVersion) {
    test::TempDir dir;
    const std::string file = dir.Write("update.ini",
                                       "[38]\r\nVersion=9.9\r\n[39]\r\nVersion=2016.9\r\nDLink=https://x.org/a\r\n"
                                       "[40]\r\nDLink=https://x.org/b\r\n[41]\r\nVersion=\r\n");
    TUpdateReply reply = ReadUpdateReply(file, "39");
    EXPECT_EQ(reply.Version, "2016.9");
    EXPECT_EQ(reply.DLink, "https://x.org/a");
    EXPECT_EQ(ReadUpdateReply(file, "40").Version, "-");
    EXPECT_EQ(ReadUpdateReply(file, "41").Version, "-");  // an empty version is none
    EXPECT_EQ(ReadUpdateReply(file, "42").Version, "-");
    EXPECT_EQ(ReadUpdateReply(dir.File("missing.ini"), "39").Version, "-");
    // A reply saved as UTF-16 gives its texts in the ANSI code page.
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("[39]\r\nVersion=2.1\r\nDLink=https://x.org/c\r\n")) utf16 += {c, '\0'};
    const std::string wide = dir.Write("wide.ini", utf16);
    EXPECT_EQ(ReadUpdateReply(wide, "39").Version, "2.1");
    EXPECT_EQ(ReadUpdateReply(wide, "39").DLink, "https://x.org/c");
}

}  // namespace
}  // namespace ad
