// Tests of the skin engine's word, INI-text, rectangle, number and path helpers.
#include "skin/engine/image/SkinUtils.h"

#include <gtest/gtest.h>

namespace ad::skin {
namespace {

TEST(SkinUtils, AddPathSeparator) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {{"C", "C:\\"}, {"c:\\Skins/", "c:\\Skins\\"}, {"", ""}, {"c:\\Skins\\", "c:\\Skins\\"},
                 {"c:\\Skins", "c:\\Skins\\"}};
    for (const auto& c : cases) EXPECT_EQ(AddPathSeparator(c.in), c.out) << c.in;
}

TEST(SkinUtils, Words) {
    const struct {
        int n;
        const char* text;
        const char* seps;
        const char* word;
        int pos;
    } cases[] = {{4, "!CLOSE.PNG!1!0!4!0000", "!", "4", 16},
                 {4, "^0057^0001", "^", "", 0},
                 {1, "^0057^0001", "^", "0057", 2},
                 {2, ";;a;;b;", ";", "b", 6},
                 {1, "", ";", "", 0},
                 {3, "a b,c", " ,", "c", 5}};
    for (const auto& c : cases) {
        EXPECT_EQ(NthWord(c.n, c.text, c.seps), c.word) << c.text;
        EXPECT_EQ(NthWordPos(c.n, c.text, c.seps), c.pos) << c.text;
    }
    EXPECT_EQ(CountWords(";;a;;b;", ";"), 2);
    EXPECT_EQ(CountWords("", ";"), 0);
    EXPECT_EQ(CountWords("abc", ";"), 1);
}

TEST(SkinUtils, StripAndReplace) {
    EXPECT_EQ(StripChar("a-b--c-", '-'), "abc");
    std::string result = "x:";
    ReplaceAllText("aXbXXc", "X", "yy", result);
    EXPECT_EQ(result, "x:ayybyyyyc");
    result.clear();
    ReplaceAllText("abab", "ab", "", result);
    EXPECT_EQ(result, "");
}

TEST(SkinUtils, IniText) {
    TIniTextSections sections;
    sections.push_back({"stale", {}});
    SplitIniText("dropped=1\r\n; comment\n\n[GLOBALINFO]\nVERSION=11.0\nHEX=0x10\nBARE=0x\n"
                 "BAD=12a\nEMPTY=\n[BUTTON]\nSTATES=3\nCOLOR=$FF",
                 sections);
    ASSERT_EQ(sections.size(), 2u);
    EXPECT_EQ(sections[0].first, "GLOBALINFO");
    EXPECT_EQ(sections[0].second.size(), 5u);
    EXPECT_EQ(IniTextReadString(sections, "GLOBALINFO", "d", "VERSION"), "11.0");
    EXPECT_EQ(IniTextReadString(sections, "GLOBALINFO", "d", "EMPTY"), "");
    EXPECT_EQ(IniTextReadString(sections, "GLOBALINFO", "d", "MISSING"), "d");
    EXPECT_EQ(IniTextReadString(sections, "NOSECTION", "d", "VERSION"), "d");
    EXPECT_EQ(IniTextReadString(sections, "GLOBALINFO", "d", "dropped"), "d");
    const struct {
        const char* section;
        const char* key;
        int value;
    } ints[] = {{"GLOBALINFO", "HEX", 16}, {"GLOBALINFO", "BARE", -7}, {"GLOBALINFO", "BAD", -7},
                {"GLOBALINFO", "EMPTY", -7}, {"BUTTON", "STATES", 3}, {"BUTTON", "COLOR", 255},
                {"BUTTON", "MISSING", -7}};
    for (const auto& c : ints) EXPECT_EQ(IniTextReadInteger(sections, c.section, -7, c.key), c.value) << c.key;
}

TEST(SkinUtils, Rectangles) {
    TRect reversed{10, 10, 4, 2};
    EXPECT_EQ(RectWidth(reversed), -6);
    EXPECT_EQ(RectWidth(reversed, true), 0);
    EXPECT_EQ(RectHeight(reversed), -8);
    EXPECT_EQ(RectHeight(reversed, true), 0);
    EXPECT_EQ(RectSize(reversed), (TPoint{0, 0}));
    EXPECT_EQ(ShiftRect({1, 2, 3, 4}, 2), (TRect{3, 4, 5, 6}));
    EXPECT_EQ(OffsetRectXY({1, 2, 3, 4}, 1, -1), (TRect{2, 1, 4, 3}));
    EXPECT_EQ(IntersectRects({0, 0, 10, 10}, {5, -5, 20, 8}), (TRect{5, 0, 10, 8}));
    EXPECT_TRUE(RectsOverlap({0, 0, 10, 10}, {9, 9, 12, 12}));
    EXPECT_FALSE(RectsOverlap({0, 0, 10, 10}, {10, 0, 12, 12}));
    EXPECT_FALSE(RectsOverlap({0, 0, 10, 10}, {2, 2, 2, 5}));
    EXPECT_TRUE(RectInsideRect({0, 0, 10, 10}, {0, 0, 10, 10}));
    EXPECT_FALSE(RectInsideRect({0, 0, 10, 10}, {0, 0, 11, 10}));
}

TEST(SkinUtils, Numbers) {
    const int values[] = {3, 5, 7, 9};
    EXPECT_TRUE(ValueInArray(values, 7, 1, 2));
    EXPECT_FALSE(ValueInArray(values, 3, 1, 3));
    EXPECT_FALSE(ValueInArray(values, 5, 2, 1));
    EXPECT_EQ(ClampInt(-5, 0, 10), 0);
    EXPECT_EQ(ClampInt(15, 0, 10), 10);
    EXPECT_TRUE(IndexInRange(0, 3, 0));
    EXPECT_FALSE(IndexInRange(3, 3, 0));
    EXPECT_TRUE(ValueBetween(5, 10, 1, true));
    EXPECT_FALSE(ValueBetween(5, 10, 1, false));
    EXPECT_TRUE(ValueBetween(10, 1, 10, false));
}

}  // namespace
}  // namespace ad::skin
