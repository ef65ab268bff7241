// Platform flags, copying wide results into a caller's buffer, error text.
#include "unicode/UniSysUtils.h"

#include <gtest/gtest.h>

#include <string>

namespace ad::uni {
namespace {

TEST(UniSysUtils, PlatformFlagsByVersion) {
    struct Case {
        unsigned id, major, minor;
        bool unicode, xp, w2003, vista;
    } cases[] = {
        {1, 4, 10, false, false, false, false},  // a 9x system
        {2, 5, 0, true, false, false, false},
        {2, 5, 1, true, true, false, false},
        {2, 5, 2, true, true, true, false},
        {2, 6, 0, true, true, true, true},
        {2, 10, 0, true, true, true, true},
    };
    for (const Case& c : cases) {
        const TUniPlatform p = PlatformOf(c.id, c.major, c.minor);
        EXPECT_EQ(p.UnicodePlatform, c.unicode) << c.major << "." << c.minor;
        EXPECT_EQ(p.WinXPOrLater, c.xp) << c.major << "." << c.minor;
        EXPECT_EQ(p.Win2003OrLater, c.w2003) << c.major << "." << c.minor;
        EXPECT_EQ(p.VistaOrLater, c.vista) << c.major << "." << c.minor;
    }
}

TEST(UniSysUtils, CopyWideResultFlagTable) {
    struct Case {
        const char16_t* result;
        size_t n;
        unsigned flags;
        size_t returned;
        std::u16string buffer;  // the characters up to the terminator (all n without one)
    } cases[] = {
        {u"abc", 4, 0, 3, u"abc"},                              // fits with its terminator
        {u"", 1, 0, 0, u""},
        {u"abcd", 4, 0, 5, u"####"},                            // too small, no flag: untouched
        {u"abcdef", 4, crfTruncate, 4, u"abcd"},                // no terminator
        {u"abcd", 4, crfExactFitLosesTerminator, 5, u"abc"},    // exactly n long
        {u"abcde", 4, crfExactFitLosesTerminator, 6, u"####"},  // longer: flag 1 does not apply
        {u"abcde", 4, crfEmptyWhenTooSmall, 6, u""},
        {u"C:\\ab\\cdef", 8, crfCutAtLastBackslash, 11, u"C:\\ab\\"},
        {u"C:\\abcdefg", 4, crfCutAtLastBackslash, 11, u"C:\\"},
        {u"abcdefg", 4, crfCutAtLastBackslash, 8, u""},
        {u"abcdef", 4, crfTruncate | crfEmptyWhenTooSmall, 4, u"abcd"},  // truncation first
    };
    for (const Case& c : cases) {
        std::u16string buf(c.n, u'#');
        const size_t r = CopyWideResult(c.result, buf.data(), c.n, c.flags);
        EXPECT_EQ(r, c.returned) << "flags " << c.flags << " n " << c.n;
        const size_t zero = buf.find(u'\0');
        EXPECT_EQ(buf.substr(0, zero), c.buffer) << "flags " << c.flags << " n " << c.n;
    }
}

TEST(UniSysUtils, UnspecifiedErrorNamesCodeAndSource) {
    EXPECT_EQ(UnspecifiedErrorText(123456, "system"), "Unspecified error (123456) from system.");
}

}  // namespace
}  // namespace ad::uni
