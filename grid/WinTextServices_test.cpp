// Tests of the Windows text and GUID services: code-page round trips, locale
// comparison, settings read from the locale, pattern conversion and GUIDs.
#include "grid/WinTextServices.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "grid/CellConvert.h"

namespace ad {
namespace {

TEST(WinTextServicesTest, CodePageRoundTripAndComparison) {
    TWinTextServices ts;
    EXPECT_EQ(ts.ToAnsi(u"Program Files"), "Program Files");
    EXPECT_EQ(ts.FromAnsi("abc"), u"abc");
    EXPECT_EQ(ts.ToAnsi(u""), "");
    // A character of the ANSI code page survives both ways.
    std::u16string accented = u"caf\u00E9";
    if (::GetACP() == 1252) {
        EXPECT_EQ(ts.ToAnsi(accented), "caf\xE9");
        EXPECT_EQ(ts.FromAnsi("caf\xE9"), accented);
    }
    EXPECT_EQ(ts.FromAnsi(ts.ToAnsi(accented)).size(), 4u);

    struct Case {
        std::u16string a, b;
        int sign;
    } cases[] = {{u"apple", u"banana", -1}, {u"B", u"a", 1},  // linguistic, not ordinal
                 {u"same", u"same", 0},    {u"", u"x", -1},   {u"a\u0000b", u"a\u0000b", 0}};
    for (const Case& c : cases) {
        int r = ts.CompareUnicode(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign);
    }
}

TEST(WinTextServicesTest, SettingsComeFromTheLocale) {
    TWinTextServices ts;
    wchar_t dec[8] = {};
    ASSERT_GT(::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, dec, 8), 1);
    EXPECT_EQ(ts.Settings().DecimalSeparator, static_cast<char16_t>(dec[0]));
    EXPECT_FALSE(ts.Settings().ShortDateFormat.empty());
    // The locale's own rules read back what they write.
    const TFormatSettings& fs = ts.Settings();
    TDateTime when = 45000.5;  // 15 March 2023, noon
    EXPECT_DOUBLE_EQ(TextToDateTime(DateTimeToText(when, fs), fs), when);
    EXPECT_DOUBLE_EQ(TextToFloat(FloatToText(2.25, fs), fs), 2.25);

    struct Case {
        std::u16string pattern, separator;
        char marker;
        std::string expected;
    } cases[] = {
        {u"dd.MM.yyyy", u".", '/', "dd/MM/yyyy"},
        {u"M/d/yyyy", u"/", '/', "M/d/yyyy"},
        {u"yyyy'\u5E74'M'\u6708'd'\u65E5'", u"-", '/', "yyyyMd"},
        {u"h:mm:ss tt", u":", ':', "h:mm:ss tt"},
        {u"HH.mm.ss", u".", ':', "HH:mm:ss"},
        {u"d' de 'MMMM", u"/", '/', "d de MMMM"},
    };
    for (const Case& c : cases) EXPECT_EQ(LocalePatternToFormat(c.pattern, c.separator, c.marker), c.expected);
}

TEST(WinTextServicesTest, GuidsAreRandomVersionFour) {
    TWinGuidSource source;
    TGuid a = source.NewGuid(), b = source.NewGuid();
    EXPECT_NE(a, b);
    EXPECT_EQ(a.Data3 >> 12, 4);
    EXPECT_EQ(a.Data4[0] & 0xC0, 0x80);
}

}  // namespace
}  // namespace ad
