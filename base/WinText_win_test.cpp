// The conversions at the Windows boundary: code pages, UTF-8 and the two
// UTF-16 string types, with text that needs more than ASCII.
#include "base/WinText.h"

#include <gtest/gtest.h>

namespace ad {
namespace {

TEST(WinTextTest, CodePagesConvertBothWays) {
    struct Case {
        unsigned codePage;
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {1252, "caf\xE9 \x80", u"caf\u00E9 \u20AC"},
        {437, "\x82\xDB", u"\u00E9\u2588"},
        {65001, "\xE2\x82\xAC\xF0\x9F\x98\x80", u"\u20AC\U0001F600"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CodePageToUtf16(c.bytes, c.codePage), c.text) << c.codePage;
        EXPECT_EQ(Utf16ToCodePage(c.text, c.codePage), c.bytes) << c.codePage;
    }
    EXPECT_EQ(Utf16ToCodePage(u"\u4E2D", 1252), "?");  // no byte form: the default character
    EXPECT_EQ(CodePageToUtf16("abc", 12345), u"");     // no such code page
    EXPECT_EQ(Utf16ToCodePage(u"abc", 12345), "");
    EXPECT_EQ(CodePageToUtf16("", 1252), u"");
}

TEST(WinTextTest, AnsiAndUtf8AgreeWithTheWideForms) {
    const std::string ansi = "Appdeck 1.0";
    EXPECT_EQ(AnsiToUtf16(ansi), ToU16String(Widen(ansi)));
    EXPECT_EQ(Utf16ToAnsi(u"Appdeck 1.0"), Narrow(L"Appdeck 1.0"));
    EXPECT_EQ(Utf8ToWide("\xC3\xA9"), L"\u00E9");
    EXPECT_EQ(WideToUtf8(L"\u00E9"), "\xC3\xA9");
    // The same code units, lone surrogates and NULs included.
    const std::u16string units(u"a\0\xD800\U0001F600z", 6);
    EXPECT_EQ(ToWString(units).size(), units.size());
    EXPECT_EQ(ToU16String(ToWString(units)), units);
}

}  // namespace
}  // namespace ad
