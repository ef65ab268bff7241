// The checks on the information windows' list fields.
#include "app/lists/InfoListRules.h"

#include <gtest/gtest.h>

namespace ad {
namespace {

TEST(InfoListRulesTest, OnlyWebAddressesMayGoToTheShell) {
    const struct {
        const char* address;
        bool web;
    } cases[] = {{"http://example.org/", true},  {"HTTPS://example.org/a?b=1", true}, {"https://x", true},
                 {"https://", false},            {"http:/example.org", false},       {"file:///C:/x.exe", false},
                 {"C:\\Windows\\calc.exe", false}, {"javascript:alert(1)", false},   {"", false},
                 {"-", false},                   {"https://a b", false},             {"http://a\r\nb", false},
                 {" https://example.org", false}};
    for (const auto& c : cases) EXPECT_EQ(IsWebAddress(c.address), c.web) << c.address;
    EXPECT_FALSE(HasLink("-"));
    EXPECT_FALSE(HasLink(""));
    EXPECT_TRUE(HasLink("https://example.org"));
}

TEST(InfoListRulesTest, IndexesFromAListStayInsideTheirRange) {
    const struct {
        const char* field;
        int count;
        int index;
    } cases[] = {{"0", 3, 0},   {"2", 3, 2},    {" 1 ", 3, 1}, {"3", 3, -1},           {"-1", 3, -1},
                 {"", 3, -1},   {"x", 3, -1},   {"1x", 3, -1}, {"99999999999999", 3, -1}, {"0", 0, -1},
                 {"+1", 3, -1}, {"007", 8, 7}};
    for (const auto& c : cases) EXPECT_EQ(ListIndex(c.field, c.count), c.index) << c.field << " of " << c.count;
}

TEST(InfoListRulesTest, DonationAmountIsTheFieldValueWhenAboveZero) {
    EXPECT_EQ(DonationAmount(20), 20);
    EXPECT_EQ(DonationAmount(0), 5);
    EXPECT_EQ(DonationAmount(-5), 5);
}

}  // namespace
}  // namespace ad
