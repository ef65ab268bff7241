// The update server's reply and the version rule: the section's values in any
// encoding, what damaged replies give, and which version counts as newer.
#include "app/lists/UpdateReply.h"

#include <gtest/gtest.h>

#include <string>

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

TEST(UpdateReplyTest, TheSectionsVersionAndLinkWithDashForNoVersion) {
    const std::string text = "[38]\r\nVersion=9.9\r\n[39]\r\nversion = 2016.9 \r\nDLink=\"https://x.org/a\"\r\n"
                             "[40]\r\nDLink=https://x.org/b\r\n[41]\r\nVersion=\r\n[39]\r\nVersion=1.0\r\n";
    TUpdateReply reply = ParseUpdateReply(text, "39");
    EXPECT_EQ(reply.Version, "2016.9");  // names ignore case; the first section of a name counts
    EXPECT_EQ(reply.DLink, "https://x.org/a");
    EXPECT_EQ(reply.Encoding, TTextFileEncoding::Ansi);
    EXPECT_EQ(ParseUpdateReply(text, "40").Version, "-");
    EXPECT_EQ(ParseUpdateReply(text, "40").DLink, "https://x.org/b");
    EXPECT_EQ(ParseUpdateReply(text, "41").Version, "-");  // an empty version is none
    EXPECT_EQ(ParseUpdateReply(text, "42").Version, "-");
}

TEST(UpdateReplyTest, UnicodeAndDamagedRepliesGiveWhatTheyHold) {
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("[39]\r\nVersion=2.1\r\n")) utf16 += {c, '\0'};
    TUpdateReply wide = ParseUpdateReply(utf16, "39");
    EXPECT_EQ(wide.Version, "2.1");
    EXPECT_EQ(wide.Encoding, TTextFileEncoding::Utf16LE);
    EXPECT_EQ(ParseUpdateReply("\xEF\xBB\xBF[39]\nVersion=3\n", "39").Version, "3");

    const std::string damaged[] = {
        "",
        std::string("[39]\r\nVer\0sion=2\r\n", 18),  // a NUL ends the name
        "[39\r\nVersion=2\r\n",                      // no closing bracket: no section
        "\xFF\xFE[",                                  // an odd UTF-16 length
        "<html><body>404 Not Found</body></html>",
        std::string(100000, '['),
    };
    for (const std::string& bytes : damaged) {
        TUpdateReply reply = ParseUpdateReply(bytes, "39");
        EXPECT_EQ(reply.Version, "-") << bytes.substr(0, 40);
        EXPECT_EQ(reply.DLink, "") << bytes.substr(0, 40);
    }
}

}  // namespace
}  // namespace ad
