// Wide text beside its ANSI form, hint parts and hot-key marks.
#include "unicode/UniWideText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unicode/UniConvert.h"
#include "unicode/UniSysUtils.h"

namespace ad::uni {
namespace {

TEST(UniWideText, HintSplitTable) {
    struct Case {
        std::u16string hint, shortHint, longHint;
    } cases[] = {
        {u"Open|Opens a file", u"Open", u"Opens a file"},
        {u"Open", u"Open", u"Open"},
        {u"", u"", u""},
        {u"|long", u"", u"long"},
        {u"short|", u"short", u""},
        {u"a|b|c", u"a", u"b|c"},
        {u"\u4E2D\u6587|\U0001F600", u"\u4E2D\u6587", u"\U0001F600"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WideShortHint(c.hint), c.shortHint);
        EXPECT_EQ(WideLongHint(c.hint), c.longHint);
    }
}

// The ANSI side of a property, with a record of what its setter saw.
struct AnsiSide {
    std::string value;
    std::vector<std::string> calls;
    std::function<void(const std::string&)> Setter() {
        return [this](const std::string& s) {
            calls.push_back(s);
            value = s;
        };
    }
};

TEST(UniWideText, SyncedWideStringFollowsTheAnsiSide) {
    AnsiSide ansi;
    std::u16string wide;
    SetSyncedWideString(u"\u4E2D", wide, ansi.value, ansi.Setter());
    EXPECT_EQ(wide, u"\u4E2D");
    EXPECT_EQ(ansi.value, "?");
    // The same value again changes nothing.
    SetSyncedWideString(u"\u4E2D", wide, ansi.value, ansi.Setter());
    EXPECT_EQ(ansi.calls.size(), 1u);
    // Another text with the same ANSI form: the setter first sees an empty text.
    SetSyncedWideString(u"\u6587", wide, ansi.value, ansi.Setter());
    EXPECT_EQ(ansi.calls, (std::vector<std::string>{"?", "", "?"}));
    EXPECT_EQ(SyncWideFromAnsi(wide, ansi.value), u"\u6587");
    // The ANSI side changed behind the wide one's back: the ANSI text wins.
    ansi.value = "plain";
    EXPECT_EQ(SyncWideFromAnsi(wide, ansi.value), u"plain");
    EXPECT_EQ(wide, u"plain");
}

TEST(UniWideText, HotKeyMarksFollowTheAnsiCaption) {
    struct Case {
        std::u16string wide;
        std::string ansi;
        std::u16string synced;
    } cases[] = {
        {u"&File \u00E9", "Fil&e \xE9", u"Fil&e \u00E9"},
        {u"F&ile", "File", u"File"},
        {u"File", "&File", u"&File"},
        {u"Save && &Quit", "Save && Qui&t", u"Save && Qui&t"},
        {u"\u4E2D&x", "?x&", u"\u4E2Dx&"},
    };
    for (const Case& c : cases) {
        if (WideToAnsi(u"\u00E9") != "\xE9" && c.ansi.find('\xE9') != std::string::npos) continue;
        EXPECT_EQ(SyncHotKeyPosition(c.wide, c.ansi), c.synced) << c.ansi;
        std::u16string wide = c.wide;
        EXPECT_EQ(MenuCaptionText(wide, c.ansi), c.synced) << c.ansi;
    }
    EXPECT_THROW(SyncHotKeyPosition(u"Open", "Close"), EUniInternalError);
}

TEST(UniWideText, CaptionThatCannotBeSyncedReadsAsTheAnsiText) {
    // Differing beyond the marks: no error, the ANSI caption shows.
    std::u16string wide = u"&Open \u4E2D";
    EXPECT_EQ(MenuCaptionText(wide, "&Close"), u"&Close");
    EXPECT_EQ(wide, u"&Close");
    // Unchanged ANSI side: the wide caption stays, marks and all.
    wide = u"&Open \u4E2D";
    EXPECT_EQ(MenuCaptionText(wide, "&Open ?"), u"&Open \u4E2D");
}

}  // namespace
}  // namespace ad::uni
