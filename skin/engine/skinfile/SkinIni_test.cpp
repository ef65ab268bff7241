// Tests of the in-memory skin INI: case-sensitive names, order, duplicates, and
// the integer, Boolean and version rules; and the overlay text reader.
#include "skin/engine/skinfile/SkinIni.h"

#include <gtest/gtest.h>

namespace ad::skin {
namespace {

std::vector<std::string> SectionNames(const TSkinIni& ini) {
    std::vector<std::string> r;
    for (const auto& s : ini.Sections()) r.push_back(s.Name);
    return r;
}

std::vector<std::string> KeyNames(const TSkinIni& ini, const std::string& section) {
    std::vector<std::string> r;
    if (const TSkinIniSection* s = ini.FindSection(section))
        for (const auto& k : s->Keys) r.push_back(k.first);
    return r;
}

TEST(SkinIni, NamesAreCaseSensitiveAndKeepTheirOrder) {
    const TSkinIni ini(
        "\xEF\xBB\xBF[GLOBALINFO]\r\nVERSION=8.45\r\n[Button]\nCOLOR=1\rcolor=2\r\n[BUTTON]\nCOLOR=3\n[ZED]\n[ALPHA]\n");
    EXPECT_EQ(SectionNames(ini), (std::vector<std::string>{"GLOBALINFO", "Button", "BUTTON", "ZED", "ALPHA"}));
    EXPECT_EQ(ini.SectionIndexOf("BUTTON"), 2);
    EXPECT_EQ(ini.SectionIndexOf("button"), -1);
    EXPECT_EQ(ini.ReadString("Button", "COLOR", "-"), "1");
    EXPECT_EQ(ini.ReadString("Button", "color", "-"), "2");
    EXPECT_EQ(ini.ReadString("Button", "Color", "-"), "-");
    EXPECT_EQ(ini.ReadString("BUTTON", "COLOR", "-"), "3");
    EXPECT_EQ(ini.ReadString("button", "COLOR", "-"), "-");
    EXPECT_EQ(KeyNames(ini, "Button"), (std::vector<std::string>{"COLOR", "color"}));
    EXPECT_TRUE(ini.SectionExists("ZED"));
    EXPECT_TRUE(KeyNames(ini, "ZED").empty());
}

TEST(SkinIni, LinesCommentsBlanksAndDuplicates) {
    const TSkinIni ini(
        "LOST=1\n"                 // before the first section: dropped
        "  [ A ]  \n"              // blanks around the header and the name
        "; KEY=comment\n"
        "no equals sign\n"
        "=no name\n"
        "  KEY  =  some value  \n"
        "KEY=second\n"             // the first of duplicate keys wins
        "EMPTY=\n"
        "Q=\"quoted\"\n"
        "EQ=a=b\n"
        "[B]\n"
        "X=1\n"
        "[A]\n"                    // a later block of the same name is ignored whole
        "KEY=third\n"
        "NEW=1\n");
    EXPECT_EQ(SectionNames(ini), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(KeyNames(ini, "A"), (std::vector<std::string>{"KEY", "EMPTY", "Q", "EQ"}));
    EXPECT_EQ(ini.ReadString("A", "KEY", "-"), "some value");
    EXPECT_TRUE(ini.ValueExists("A", "EMPTY"));
    EXPECT_EQ(ini.ReadString("A", "EMPTY", "-"), "");
    EXPECT_EQ(ini.ReadString("A", "Q", "-"), "\"quoted\"");
    EXPECT_EQ(ini.ReadString("A", "EQ", "-"), "a=b");
    EXPECT_FALSE(ini.ValueExists("A", "NEW"));
    EXPECT_FALSE(ini.ValueExists("A", "LOST"));
    EXPECT_EQ(ini.Find("NONE", "KEY"), nullptr);

    const std::vector<uint8_t> bytes{'[', 'S', ']', '\n', 'K', '=', '7'};
    EXPECT_EQ(TSkinIni(bytes).ReadInteger("S", "K", 0), 7);
    EXPECT_TRUE(TSkinIni("").Sections().empty());
}

TEST(SkinIni, IntegerBooleanAndFloatRules) {
    const struct {
        const char* value;
        int integer;  // with default -99
        bool boolean; // with default true
    } cases[] = {
        {"12", 12, false},      {" 12 ", 12, false},   {"-5", -5, false},      {"0x10", 16, false},
        {"0X1f", 31, false},    {"$10", 16, false},    {"0x", -99, false},     {"", -99, false},
        {"abc", -99, false},    {"12a", -99, false},   {"99999999999", -99, false},
        {"16777215", 16777215, false}, {"1", 1, true}, {"TRUE", -99, true},    {"true", -99, false},
        {"True", -99, false},   {"0", 0, false},       {"YES", -99, false},    {" TRUE", -99, true},
    };
    for (const auto& c : cases) {
        const TSkinIni ini(std::string("[S]\nK=") + c.value + "\n");
        EXPECT_EQ(ini.ReadInteger("S", "K", -99), c.integer) << c.value;
        EXPECT_EQ(ini.ReadBool("S", "K", true), c.boolean) << c.value;
    }
    const TSkinIni empty("[S]\n");
    EXPECT_EQ(empty.ReadInteger("S", "K", -99), -99);
    EXPECT_TRUE(empty.ReadBool("S", "K", true));
    EXPECT_FALSE(empty.ReadBool("S", "K", false));

    const struct {
        const char* value;
        double version;
    } versions[] = {{"8.45", 8.45}, {" 11.5 ", 11.5}, {"12", 12},    {"-1.5", -1.5}, {"+2", 2},
                    {".5", 0.5},    {"1e1", 10},       {"8,45", 0},  {"inf", 0},     {"nan", 0},
                    {"", 0},        {"0x10", 0},       {"1e999", 0}, {"8.4.5", 0},   {"-", 0}};
    for (const auto& v : versions)
        EXPECT_DOUBLE_EQ(ReadSkinVersion(TSkinIni(std::string("[GLOBALINFO]\nVERSION=") + v.value)), v.version)
            << v.value;
    EXPECT_DOUBLE_EQ(ReadSkinVersion(TSkinIni("[globalinfo]\nVERSION=9")), 0);
}

TEST(SkinIni, OverlayText) {
    const TIniTextSections s = ParseOverlayText(
        "; a comment = x\n"
        "[MY SECTION]\n"
        "PARENT CLASS = button\n"
        "   ; an indented comment\n"
        "Glow = 0x1F\n"
        "[Other]\n"
        "COLOR=$FF\n");
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].first, "MYSECTION");
    EXPECT_EQ(FindOverlayValue(s[0].second, "PARENTCLASS").value_or("-"), "button");
    EXPECT_EQ(FindOverlayValue(s[0].second, "parentclass").value_or("-"), "button");
    const auto glow = FindOverlayValue(s[0].second, "GLOW");
    ASSERT_TRUE(glow.has_value());
    int v = 0;
    EXPECT_TRUE(TryReadSkinInteger(*glow, v));
    EXPECT_EQ(v, 31);
    EXPECT_EQ(s[0].second.size(), 2u);  // the ";" line went
    EXPECT_FALSE(FindOverlayValue(s[1].second, "GLOW").has_value());
    EXPECT_EQ(FindOverlayValue(s[1].second, "COLOR").value_or("-"), "$FF");
}

}  // namespace
}  // namespace ad::skin
