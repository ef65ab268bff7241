// The update check's rules without a window: the version comparison, which
// links may reach the shell, and reading the reply's section.
#include "app/forms/UpdateCheck.h"

#include <gtest/gtest.h>

#include "app/lists/InfoListRules.h"
#include "testsupport/TestUtils.h"

namespace ad {
namespace {

TEST(UpdateVersionTest, NewerByTheFirstThreeNumbers) {
    const struct {
        const char* latest;
        bool newer;
    } cases[] = {
        {"2016.8.1", true},  {"2016.10", true},   {"2017", true},       {"2016.9", true},   {"2017.0.0.0", true},
        {"2016.08", false},  {"2016.8", false},   {"2016.7.9", false},  {"", false},        {"abc", false},
        {"2016.8.0.5", false}, {"2015.99.99", false}, {"2016.8.x", false}, {"2016.-1", false}, {"99999999999", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsNewerVersion("2016.8", c.latest), c.newer) << c.latest;
    EXPECT_FALSE(IsNewerVersion("", "2017"));
    EXPECT_TRUE(IsNewerVersion("abc", "0.0.1"));  // a current text that is no number counts as 0
    EXPECT_TRUE(IsNewerVersion("1.2.3", "1.2.4"));
    EXPECT_FALSE(IsNewerVersion("1.2.4", "1.2.3"));
}

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
}

}  // namespace
}  // namespace ad
