// Tests of the scroll-bar model against a recording host: scroll codes and
// their limits, position rules, what reaches the window, the apply guard and
// the roll arithmetic.
#include "grid/ScrollBar.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

namespace ad::grid {
namespace {

class TFakeHost : public IScrollHost {
public:
    bool HostHandleAllocated() override { return HasWindow; }
    bool HostEnabled() override { return WindowEnabled; }
    void HostSetScrollInfo(int bar, int min, int max, int page, int pos, bool disableNoScroll) override {
        Log.push_back("info " + std::to_string(bar) + " " + std::to_string(min) + ".." + std::to_string(max) + " p" +
                      std::to_string(page) + " @" + std::to_string(pos) + (disableNoScroll ? " keep" : ""));
        Track = pos;
        if (OnSetInfo) OnSetInfo();
    }
    int HostGetTrackPos(int) override { return Track; }
    void HostShowScrollBar(int bar, bool show) override {
        Log.push_back((show ? "show " : "hide ") + std::to_string(bar));
    }
    void HostEnableArrows(int bar, bool enable) override {
        Log.push_back((enable ? "enable " : "disable ") + std::to_string(bar));
    }
    void HostSendScroll(TScrollBarKind kind, int code) override {
        Log.push_back("send " + std::to_string(kind) + " " + std::to_string(code));
    }
    int GetHorzScrollDelta(int o, int n) override { return (o - n) * 10; }
    int GetVertScrollDelta(int o, int n) override { return (o - n) * 20; }
    void ScrollContent(TRgCustomScrollBar*, int dx, int dy) override {
        Log.push_back("scroll " + std::to_string(dx) + "," + std::to_string(dy));
    }
    void BarScrolled(TRgCustomScrollBar* bar) override { Reported.push_back(bar->Position()); }

    bool HasWindow = true, WindowEnabled = true;
    int Track = 0;
    std::vector<std::string> Log;
    std::vector<int> Reported;
    std::function<void()> OnSetInfo;
};

struct Bar {
    explicit Bar(TScrollBarKind kind = sbVertical, int max = 100, int page = 10) : bar(&host) {
        bar.SetKind(kind);
        bar.BeginUpdate();
        bar.SetMax(max);
        bar.SetPageSize(page);
        bar.LargeChange = page;
        bar.SmallChange = 1;
        bar.EndUpdate();
        host.Log.clear();
        host.Reported.clear();
    }
    TFakeHost host;
    TRgScrollBar bar;
};

TEST(ScrollBarTest, ScrollCodesTable) {
    struct Case {
        int start, code, expected;
        std::uint8_t kind;
    } cases[] = {
        {50, scLineDown, 51, skLine},   {50, scLineUp, 49, skLine},      {0, scLineUp, 0, skLine},
        {50, scPageDown, 60, skPage},   {88, scPageDown, 91, skPage},    // Max - PageSize + 1
        {91, scPageDown, 91, skPage},   {5, scPageUp, 0, skPage},        {50, scTop, 0, skEnd},
        {10, scBottom, 91, skEnd},      {50, scThumbTrack, 33, skThumb},
        {50, scThumbPosition, 91, skThumb},  // a thumb past the last full page is limited too
        {50, scEndScroll, 50, skNone},  {50, 42, 50, skNone},
    };
    for (const Case& c : cases) {
        Bar b;
        b.bar.SetPosition(c.start);
        b.host.Track = c.code == scThumbTrack ? 33 : c.code == scThumbPosition ? 95 : b.host.Track;
        b.host.Reported.clear();
        b.bar.HandleScrollCode(c.code);
        EXPECT_EQ(b.bar.Position(), c.expected) << "from " << c.start << " code " << c.code;
        EXPECT_EQ(b.bar.LastScrollKind, c.kind) << c.code;
        // The position is always reported once at the end, whatever the code.
        ASSERT_FALSE(b.host.Reported.empty()) << c.code;
        EXPECT_EQ(b.host.Reported.back(), c.expected);
    }
    long long pos = 0;
    Bar b;
    b.bar.SetPosition(88);
    ASSERT_TRUE(b.bar.PositionForCode(scBottom, 0, pos));
    EXPECT_EQ(pos, 100);  // SB_BOTTOM is Max before the limit
    ASSERT_TRUE(b.bar.PositionForCode(scPageDown, 0, pos));
    EXPECT_EQ(pos, 98);
}

TEST(ScrollBarTest, PositionScrollsTheOwnerUnlessLockedOrSuppressed) {
    Bar v(sbVertical);
    v.bar.SetPosition(5);
    EXPECT_EQ(v.host.Log.back(), "scroll 0,-100");
    EXPECT_EQ(v.bar.PreviousPosition, 0);
    Bar h(sbHorizontal);
    h.bar.SetPosition(3);
    EXPECT_EQ(h.host.Log.back(), "scroll -30,0");
    EXPECT_EQ(h.bar.SystemBar, 0);
    EXPECT_EQ(v.bar.SystemBar, 1);

    v.host.Log.clear();
    v.bar.BeginUpdate();
    v.bar.SetPosition(7);
    v.bar.EndUpdate();
    v.bar.SuppressScroll = true;
    v.bar.SetPosition(9);
    for (const std::string& entry : v.host.Log) EXPECT_NE(entry.rfind("scroll", 0), 0u) << entry;
    EXPECT_EQ(v.bar.Position(), 9);

    struct Case {
        int min, value, expected;
    } limits[] = {{0, -5, 0}, {0, 500, 100}, {20, 3, 20}, {-10, -5, 0}, {0, INT_MIN, 0}};
    for (const Case& c : limits) {
        Bar b;
        b.bar.Min = c.min;
        b.bar.SetPosition(c.value);
        EXPECT_EQ(b.bar.Position(), c.expected) << c.min << " " << c.value;
    }
}

TEST(ScrollBarTest, MaxPageAndVisibility) {
    Bar b;
    b.bar.SetPosition(80);
    b.host.Log.clear();
    b.bar.SetMax(50);  // shrinks under the position: moves to Max
    EXPECT_EQ(b.bar.Position(), 50);
    EXPECT_EQ(b.host.Log.front(), "show 1");
    b.bar.SetMax(-3);
    EXPECT_EQ(b.bar.Max(), 0);
    EXPECT_FALSE(b.bar.Visible());  // fits the page and HideWhenFits
    b.bar.SetPageSize(0);
    EXPECT_EQ(b.bar.PageSize(), 1);
    b.bar.SetHideWhenFits(false);
    EXPECT_TRUE(b.bar.Visible());
    EXPECT_NE(b.host.Log.back().find(" keep"), std::string::npos);  // disabled, not hidden, by the system
    EXPECT_TRUE(b.bar.IsNeeded());

    Bar e(sbVertical, 100, 10);
    e.bar.SetPosition(90);
    EXPECT_FALSE(e.bar.AtEnd());
    e.bar.SetPosition(91);
    EXPECT_TRUE(e.bar.AtEnd());
    e.bar.First();
    EXPECT_TRUE(e.bar.AtStart());
    e.bar.Last();
    EXPECT_EQ(e.bar.Position(), 91);
    e.bar.MoveBy(-100);
    EXPECT_EQ(e.bar.Position(), 0);
    e.bar.MoveBy(INT_MAX);  // no overflow on the way
    EXPECT_EQ(e.bar.Position(), 100);
}

TEST(ScrollBarTest, StepsSendMessagesOnlyWhenTheyCanMove) {
    Bar b;
    b.bar.LineUp();  // at 0: nothing
    EXPECT_TRUE(b.host.Log.empty());
    b.bar.LineDown();
    b.bar.PageDown();
    b.bar.PageUp();
    EXPECT_EQ(b.host.Log, (std::vector<std::string>{"send 1 1", "send 1 3", "send 1 2"}));
    b.bar.SetPosition(4);
    b.host.Log.clear();
    b.bar.LineUp();
    EXPECT_EQ(b.host.Log, (std::vector<std::string>{"send 1 0"}));
    Bar empty(sbHorizontal, 0, 10);
    empty.bar.LineDown();
    empty.bar.PageDown();
    empty.bar.PageUp();
    EXPECT_TRUE(empty.host.Log.empty());
}

TEST(ScrollBarTest, ApplyPushesStateOnceAndReportsTrackChanges) {
    Bar b;
    b.bar.SetRange(200, 20, 20);
    EXPECT_EQ(b.host.Log, (std::vector<std::string>{"info 1 0..200 p20 @0", "enable 1"}));
    b.host.WindowEnabled = false;
    b.host.Log.clear();
    b.bar.Apply();
    EXPECT_EQ(b.host.Log.back(), "disable 1");
    // What the window already has is not pushed again.
    b.host.Log.clear();
    b.bar.Apply();
    b.bar.SetRange(200, 20, 20);
    EXPECT_TRUE(b.host.Log.empty());
    // A track position that differs from the model is reported with a push.
    b.host.Reported.clear();
    b.host.Track = 7;
    b.bar.SetRange(210, 20, 20);
    EXPECT_EQ(b.host.Reported, (std::vector<int>{0}));
    // Re-entry while applying is ignored; the guard is released afterwards.
    int nested = 0;
    b.host.OnSetInfo = [&] {
        ++nested;
        b.bar.Apply();
    };
    b.bar.SetRange(220, 20, 20);
    EXPECT_EQ(nested, 1);
    b.host.OnSetInfo = nullptr;
    b.host.Log.clear();
    b.bar.SetRange(230, 20, 20);
    EXPECT_EQ(b.host.Log.size(), 2u);
    // A new window gets everything again.
    b.host.Log.clear();
    b.bar.ForgetApplied();
    b.bar.Apply();
    EXPECT_EQ(b.host.Log.size(), 2u);
    // Without a window nothing is pushed.
    b.host.HasWindow = false;
    b.host.Log.clear();
    b.bar.SetRange(300, 30, 30);
    b.bar.SetVisible(true);
    EXPECT_TRUE(b.host.Log.empty());
}

TEST(ScrollBarTest, RollDirectionAndInterval) {
    struct Case {
        int dy;
        unsigned direction;
        int cursor;
        unsigned interval;
    } cases[] = {
        {0, 0, crRoll, 100},          {3, 0, crRoll, 97},           {-5, 0, crRoll, 95},
        {5, 0, crRoll, 95},           {-6, rdUp, crRollUp, 94},     {6, rdDown, crRollDown, 94},
        {50, rdDown, crRollDown, 50}, {-99, rdUp, crRollUp, 1},     {400, rdDown, crRollDown, 1},
        {INT_MIN, rdUp, crRollUp, 1},
    };
    for (const Case& c : cases) {
        int cursor = 0;
        EXPECT_EQ(RollDirectionFor(c.dy, cursor), c.direction) << c.dy;
        EXPECT_EQ(cursor, c.cursor) << c.dy;
        EXPECT_EQ(RollInterval(c.dy), c.interval) << c.dy;
    }
}

}  // namespace
}  // namespace ad::grid
