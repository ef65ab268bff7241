// The number editors' rules: cleaning and limiting, reading and formatting
// values, the key filter, pasting and spin steps.
#include "grid/NumberRules.h"

#include <gtest/gtest.h>

#include <string>

namespace ad::grid {
namespace {

std::string Narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }

TEST(NumberRulesTest, CleaningAndLimiting) {
    struct Case {
        std::string name;
        double min, max;
        std::u16string text;
        bool allowFloat, allowSigns;
        double want;
    } cases[] = {
        {"digits pass", 0, 0, u"1a2b3", true, true, 123},
        {"a lone minus is 0", 0, 0, u"-", true, true, 0},
        {"a sign after the first character goes", 0, 0, u"1-2+3", true, true, 123},
        {"no signs: the sign goes", 0, 0, u"-12", true, false, 12},
        {"second separator goes", 0, 0, u"1.2.3", true, true, 1.23},
        {"no floats: separators go", 0, 0, u"1.5", false, true, 15},
        {"empty gives Min", 3, 9, u"abc", true, true, 3},
        {"above Max", 1, 10, u"25", true, true, 10},
        {"below Min", 1, 10, u"-4", true, true, 1},
        {"Min alone does not send values to 0 first", 1, 0, u"25", true, true, 25},
        {"Max alone: Min 0 is a limit too", 0, 5, u"-7", true, true, 0},
        {"a lone separator is no number: Min", 2, 0, u".", true, true, 2},
        {"sign and separator: Min", 2, 0, u"-.", true, true, 2},
        {"backspace kept, no number: Min", 2, 0, u"1\b2", true, true, 2},
    };
    for (const Case& c : cases) {
        TNumberEditRules rules;
        rules.Min = c.min;
        rules.Max = c.max;
        EXPECT_EQ(rules.CleanNumberValue(c.text, c.allowFloat, c.allowSigns), c.want) << c.name;
    }
    TNumberEditRules rules;
    EXPECT_EQ(rules.CleanNumberText(u"x1.50y", true, true), u"1.5");
}

TEST(NumberRulesTest, ReadingTheValue) {
    TNumberEditRules rules;
    rules.Min = 1;
    rules.Max = 10;
    EXPECT_EQ(rules.ReadValue(u"25").Value, 10);
    EXPECT_EQ(rules.LastGood, 10);
    EXPECT_EQ(rules.ReadValue(u"abc").Value, 1);  // empty clean text gives Min
    // A text that still is no number reads as the last good value.
    rules.ReadValue(u"7");
    EXPECT_EQ(rules.ReadValue(u"-.").Value, 7);
    // The null text and the value 0.
    rules.NullText = u"none";
    TNumberEditRules::TRead r = rules.ReadValue(u"none");
    EXPECT_EQ(r.Value, 0);
    EXPECT_TRUE(r.ShowZero);
    EXPECT_EQ(rules.FormatValue(0), u"none");
    EXPECT_EQ(rules.ReadValue(u"").Value, 1);  // no text: Min
    TNumberEditRules plain;
    EXPECT_TRUE(plain.ReadValue(u"").ShowZero);  // both empty
}

TEST(NumberRulesTest, FormattingTheValue) {
    struct Case {
        std::string name;
        int precision;
        TRgNumberEditOptions options;
        double value;
        std::u16string want;
    } cases[] = {
        {"precision 2", 2, eoAllowFloat, 3, u"3.00"},
        {"precision 0 shows the general form", 0, eoAllowFloat, 2.5, u"2.5"},
        {"no floats: no decimals", 2, eoAllowSigns, 2.4, u"2"},
        {"negative", 1, eoAllowFloat | eoAllowSigns, -1.25, u"-1.2"},
        {"precision over 18 is 18", 40, eoAllowFloat, 0.5, u"0.500000000000000000"},
        {"negative precision is 0", -3, eoAllowFloat, 0.75, u"0.75"},
        {"18 significant digits at most", 10, eoAllowFloat, 123456789012.5, u"123456789012.500000"},
    };
    for (const Case& c : cases) {
        TNumberEditRules rules;
        rules.SetPrecision(c.precision);
        rules.Options = c.options;
        EXPECT_EQ(Narrow(rules.FormatValue(c.value)), Narrow(c.want)) << c.name;
    }
    TNumberEditRules around;
    around.TextBefore = u"$ ";
    around.TextAfter = u" net";
    around.Format.DecimalSeparator = u',';
    EXPECT_EQ(around.FormatValue(4.5), u"$ 4,50 net");
    around.Options = eoAllowSigns;
    EXPECT_EQ(around.FormatValue(4.5), u"4");  // text around the number only with floats
}

TEST(NumberRulesTest, TypedKeys) {
    struct Case {
        std::string name;
        TRgNumberEditOptions options;
        char16_t key;
        std::u16string text;
        int selStart, selLength;
        bool passes;
    } cases[] = {
        {"digit", eoAllowFloat, u'7', u"12", 2, 0, true},
        {"letter", eoAllowFloat, u'x', u"12", 2, 0, false},
        {"backspace", eoAllowFloat, 8, u"12", 2, 0, true},
        {"Ctrl+V", eoAllowFloat, 22, u"12", 2, 0, true},
        {"Ctrl+Z", eoAllowFloat, 26, u"12", 2, 0, false},
        {"first separator", eoAllowFloat, u'.', u"12", 2, 0, true},
        {"second separator refused", eoAllowFloat, u'.', u"1.2", 3, 0, false},
        {"separator over a selection holding the first", eoAllowFloat, u'.', u"1.2", 1, 2, true},
        {"separator without floats", eoAllowSigns, u'.', u"12", 2, 0, false},
        {"sign at the start", eoAllowSigns, u'-', u"12", 0, 0, true},
        {"sign not at the start", eoAllowSigns, u'-', u"12", 1, 0, false},
        {"second sign", eoAllowSigns, u'+', u"-12", 0, 0, false},
        {"sign over a selected sign", eoAllowSigns, u'+', u"-12", 0, 1, true},
        {"sign without eoAllowSigns", eoAllowFloat, u'-', u"12", 0, 0, false},
        {"anything with eoAllowAll", eoAllowAll, u'x', u"12", 2, 0, true},
        {"nothing with eoDisableTyping", eoDisableTyping | eoAllowAll, u'1', u"12", 2, 0, false},
    };
    for (const Case& c : cases) {
        TNumberEditRules rules;
        rules.Options = c.options;
        EXPECT_EQ(rules.KeyPressPasses(c.key, c.text, c.selStart, c.selLength), c.passes) << c.name;
    }
    TNumberEditRules rules;
    EXPECT_TRUE(rules.KeyDownPasses(nkDelete));
    rules.Options |= eoDisableTyping;
    EXPECT_FALSE(rules.KeyDownPasses(nkDelete));
    EXPECT_FALSE(rules.KeyDownPasses(nkBack));
    EXPECT_TRUE(rules.KeyDownPasses(0x25));
}

TEST(NumberRulesTest, Pasting) {
    struct Case {
        std::string name;
        std::u16string clip, text;
        int selStart, selLength;
        std::u16string want;
        int caret;
    } cases[] = {
        {"into an empty edit", u"1a2b3", u"", 0, 0, u"123", 0},
        {"over a selection", u"9", u"1234", 1, 2, u"194", 1},
        {"separator with one outside the selection", u"2.5", u"1.0", 3, 0, u"1.025", 3},
        {"sign only at the start", u"-5", u"12", 2, 0, u"125", 2},
        {"sign at the start", u"-5", u"12", 0, 0, u"-512", 0},
        {"nothing that is a number: Min", u"-.", u"", 0, 0, u"0", 0},
        {"selection past the end is clipped", u"4", u"12", 1, 99, u"14", 1},
    };
    for (const Case& c : cases) {
        TNumberEditRules rules;
        TNumberEditRules::TPaste p = rules.Paste(c.clip, c.text, c.selStart, c.selLength);
        EXPECT_TRUE(p.Done) << c.name;
        EXPECT_EQ(Narrow(p.Text), Narrow(c.want)) << c.name;
        EXPECT_EQ(p.Caret, c.caret) << c.name;
    }
    TNumberEditRules disabled;
    disabled.Options |= eoDisablePaste;
    EXPECT_FALSE(disabled.Paste(u"1", u"", 0, 0).Done);
}

TEST(NumberRulesTest, SpinSteps) {
    TNumberEditRules rules;
    EXPECT_EQ(rules.SpinTarget(1, sdUp, 0.5), 1.5);
    EXPECT_EQ(rules.SpinTarget(0, sdDown, 1), -1);
    rules.Options = eoAllowFloat;  // no signs
    EXPECT_FALSE(rules.SpinTarget(0, sdDown, 1));
    rules.Min = 1;
    rules.Max = 10;
    EXPECT_FALSE(rules.SpinTarget(10, sdUp, 1));
    EXPECT_FALSE(rules.SpinTarget(1.5, sdDown, 1));
    EXPECT_EQ(rules.SpinTarget(9, sdUp, 1), 10);
    rules.Max = 0;  // Min alone: no upper limit
    EXPECT_EQ(rules.SpinTarget(10, sdUp, 1), 11);
    EXPECT_FALSE(rules.SpinTarget(1, sdNone, 1));
    EXPECT_EQ(SpinHalfAt(4, 20), sdUp);
    EXPECT_EQ(SpinHalfAt(10, 20), sdDown);
}

}  // namespace
}  // namespace ad::grid
