// The status bar's figures.
#include "app/forms/StatusInfo.h"

#include <gtest/gtest.h>

#include "base/StrUtils.h"

namespace ad {
namespace {

TEST(StatusInfo, UptimeText) {
    struct Case {
        uint64_t ms;
        const char* text;
    } cases[] = {
        {0, "0 Day(s) 0 Hour(s) 0 Minute(s) 0 Second(s)"},
        {90061999, "1 Day(s) 1 Hour(s) 1 Minute(s) 1 Second(s)"},
        {30ULL * 86400000 + 59999, "30 Day(s) 0 Hour(s) 0 Minute(s) 59 Second(s)"},
        // Past the 32-bit tick count's wrap at 49.7 days the count goes on.
        {4294967296ULL, "49 Day(s) 17 Hour(s) 2 Minute(s) 47 Second(s)"},
        {60ULL * 86400000, "60 Day(s) 0 Hour(s) 0 Minute(s) 0 Second(s)"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatUptime(c.ms), c.text) << c.ms;
}

TEST(StatusInfo, MemoryAndPowerTexts) {
    std::string memory = MemoryUsageText();
    ASSERT_TRUE(StartsText("Memory Usage : ", memory));
    int load = -1;
    ASSERT_TRUE(TryStrToInt(memory.substr(15, memory.size() - 16), load));
    EXPECT_GE(load, 0);
    EXPECT_LE(load, 100);
    EXPECT_EQ(PowerText(), "Power : 100%");  // no battery here: the unknown charge shows as 100
}

}  // namespace
}  // namespace ad
