// Tests of the skin engine's system constants: version code, metrics cache and
// the captions read from the system's libraries with their fallbacks.
#include "skin/engine/win/skConst.h"

#include <gtest/gtest.h>

#include "framework/Handles.h"
#include "framework/SysUtils.h"

namespace ad::skin {
namespace {

TEST(skConst, VersionCode) {
    struct Case { DWORD major, minor; int code; };
    const Case cases[] = {{5, 1, 5}, {6, 0, 6}, {6, 1, 6}, {6, 2, 8}, {6, 3, 6}, {10, 0, 10}};
    for (const Case& c : cases) EXPECT_EQ(OSVersionCodeOf(c.major, c.minor), c.code) << c.major << "." << c.minor;
    EXPECT_GE(OSVersionCode(), 5);
}

TEST(skConst, MetricsAreReadOnceAndArrowWidthKeepsItsHalf) {
    TSkinMetrics& m = SkinMetrics();
    EXPECT_EQ(m.ScrollArrowWidth, GetSystemMetrics(SM_CXHSCROLL));
    EXPECT_EQ(m.HalfScrollArrowWidth, m.ScrollArrowWidth / 2);
    EXPECT_EQ(m.FrameWidth, GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(m.DlgFrameWidth, GetSystemMetrics(SM_CXDLGFRAME));
    EXPECT_EQ(m.CaptionHeight, GetSystemMetrics(SM_CYCAPTION));
    EXPECT_EQ(m.SmallCaptionHeight, GetSystemMetrics(SM_CYSMCAPTION));
    for (int v : {m.ScrollArrowWidth, m.HalfScrollArrowWidth, m.FrameWidth, m.DlgFrameWidth, m.CaptionHeight,
                  m.SmallCaptionHeight})
        EXPECT_GT(v, 0);
    const int saved = m.ScrollArrowWidth;
    SetScrollArrowWidth(25);
    EXPECT_EQ(SkinMetrics().ScrollArrowWidth, 25);
    EXPECT_EQ(SkinMetrics().HalfScrollArrowWidth, 12);
    SetScrollArrowWidth(saved);
}

// What the system's library holds for an id, or nothing.
bool SystemString(const wchar_t* library, UINT id, std::string& text) {
    OwnedModule m(LoadLibraryExW(library, nullptr, LOAD_LIBRARY_AS_DATAFILE));
    wchar_t buffer[512];
    int n = m ? LoadStringW(m.Get(), id, buffer, 512) : 0;
    if (n <= 0) return false;
    text = Narrow(std::wstring_view(buffer, static_cast<size_t>(n)));
    return true;
}

TEST(skConst, SystemCaptionsAreTheSystemsStringsOrTheFallbacks) {
    const TSkinCaptions& c = SkinCaptions();
    for (const TCaptionSource& s : SystemCaptionSources()) {
        SCOPED_TRACE(Narrow(s.Library) + " " + std::to_string(s.Id));
        const std::string& value = c.*s.Field;
        EXPECT_FALSE(value.empty());
        std::string text;
        if (SystemString(s.Library, s.Id, text))
            EXPECT_EQ(value, text + s.Suffix);
        else
            EXPECT_EQ(value, s.Fallback);
    }
    std::string ok;
    EXPECT_EQ(c.OK, SystemString(L"user32.dll", 800, ok) ? ok : "OK");
    EXPECT_EQ(c.Calculator, "Calculator");
    EXPECT_EQ(c.InvalidDate, "Invalid date");
    EXPECT_EQ(c.Hex, "Hex - ");
}

TEST(skConst, FallbackWithoutSuffixForMissingLibraryOrId) {
    const TCaptionSource table[] = {
        {L"no-such-library-here.dll", 800, ":", "Red :", &TSkinCaptions::Red},
        {L"user32.dll", 65000, " - ", "Decimal - ", &TSkinCaptions::Decimal},
        {L"no-such-library-here.dll", 801, "", "Cancel", &TSkinCaptions::Cancel},
        {L"comdlg32.dll", 1049, ":", "Fallback", &TSkinCaptions::Root},  // found: the suffix is appended
    };
    TSkinCaptions c;
    c.Red = c.Decimal = c.Cancel = "stale";
    ReadCaptions(table, c);
    EXPECT_EQ(c.Red, "Red :");
    EXPECT_EQ(c.Decimal, "Decimal - ");
    EXPECT_EQ(c.Cancel, "Cancel");
    std::string red;
    EXPECT_EQ(c.Root, SystemString(L"comdlg32.dll", 1049, red) ? red + ":" : "Fallback");
}

}  // namespace
}  // namespace ad::skin
