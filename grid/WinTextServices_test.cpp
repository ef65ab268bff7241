// Tests of the Windows text and GUID services: code-page round trips, locale
// comparison, settings read from the locale, pattern conversion, GUIDs, and
// the services as the defaults of a store made without any.
#include "grid/WinTextServices.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "framework/Handles.h"
#include "grid/CellConvert.h"
#include "grid/CellStore.h"
#include "grid/Columns.h"
#include "grid/DrawRoutines.h"
#include "grid/GridTestSupport.h"

namespace ad::grid {
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

// The locale is read once per process, so the store is checked in a child
// run of this program (AD_GRID_LOCALE_CHILD set) after the user's locale has
// been given a comma decimal and a day.month.year date.
TEST(WinDefaultServicesChild, StoreFormatsThroughTheUserLocale) {
    if (!std::getenv("AD_GRID_LOCALE_CHILD")) GTEST_SKIP() << "run by WinTextServicesTest.StoreDefaultsFollowTheUserLocale";
    gridtest::TKindColumns columns;
    columns.Add(4);  // float
    columns.Add(3);  // date-time
    columns.Add(6);  // GUID
    TCells store(nullptr, &columns);
    EXPECT_NE(dynamic_cast<TWinTextServices*>(&store.TextServices()), nullptr);
    EXPECT_NE(dynamic_cast<TWinGuidSource*>(&store.GuidSource()), nullptr);
    for (int k = 0; k < 3; ++k) store.AppendColumn();
    store.AddRows(1);
    store.GetCell(0, 0)->SetAsFloat(2.5);
    EXPECT_EQ(store.GetCell(0, 0)->AsString(), u"2,5");
    store.GetCell(0, 0)->SetAsString(u"1234,25");
    EXPECT_EQ(store.GetCell(0, 0)->AsFloat(), 1234.25);
    store.GetCell(1, 0)->SetAsDateTime(45000.25);  // 15 March 2023, 6:00
    EXPECT_EQ(store.GetCell(1, 0)->AsString().substr(0, 10), u"15.03.2023");
    EXPECT_EQ(LocalSettings().DecimalSeparator(), u',');  // what the number editors accept
    TRgNumberColumn number;
    EXPECT_TRUE(number.IsEditKey(u','));
    EXPECT_FALSE(number.IsEditKey(u'.'));
    EXPECT_EQ(store.GetCell(2, 0)->AsString().size(), 38u);
}

// Sets a locale value for the lifetime of the scope.
class TLocaleValueScope {
public:
    TLocaleValueScope(LCTYPE type, const wchar_t* value) : type_(type) {
        wchar_t buf[128] = {};
        if (::GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buf, 128) > 0) old_ = buf;
        ok_ = ::SetLocaleInfoW(LOCALE_USER_DEFAULT, type, value) != 0;
    }
    ~TLocaleValueScope() {
        if (ok_) ::SetLocaleInfoW(LOCALE_USER_DEFAULT, type_, old_.c_str());
    }
    TLocaleValueScope(const TLocaleValueScope&) = delete;
    TLocaleValueScope& operator=(const TLocaleValueScope&) = delete;
    bool Ok() const { return ok_; }

private:
    LCTYPE type_;
    std::wstring old_;
    bool ok_ = false;
};

TEST(WinTextServicesTest, StoreDefaultsFollowTheUserLocale) {
    TLocaleValueScope decimal(LOCALE_SDECIMAL, L",");
    TLocaleValueScope dateSeparator(LOCALE_SDATE, L".");
    TLocaleValueScope shortDate(LOCALE_SSHORTDATE, L"dd.MM.yyyy");
    ASSERT_TRUE(decimal.Ok() && dateSeparator.Ok() && shortDate.Ok());

    wchar_t exe[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameW(nullptr, exe, MAX_PATH), 0u);
    std::wstring command = L"\"" + std::wstring(exe) +
                           L"\" --gtest_filter=WinDefaultServicesChild.* --gtest_brief=1";
    ASSERT_TRUE(::SetEnvironmentVariableW(L"AD_GRID_LOCALE_CHILD", L"1"));
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    BOOL started = ::CreateProcessW(exe, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    ::SetEnvironmentVariableW(L"AD_GRID_LOCALE_CHILD", nullptr);
    ASSERT_TRUE(started);
    OwnedKernelHandle process(pi.hProcess), thread(pi.hThread);
    ASSERT_EQ(::WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
    DWORD code = 1;
    ::GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 0u) << "the child run's store did not follow the user's locale";
}

}  // namespace
}  // namespace ad::grid
