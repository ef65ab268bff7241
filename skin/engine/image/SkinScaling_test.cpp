// Tests of the manager's scaling rules and its version switch.
#include "skin/engine/image/SkinScaling.h"

#include <gtest/gtest.h>

namespace ad::skin {
namespace {

TEST(SkinScaling, LevelOfDpi) {
    for (auto [dpi, level] : {std::pair{0, 0}, {96, 0}, {119, 0}, {120, 1}, {143, 1}, {144, 2}, {192, 2}})
        EXPECT_EQ(ScaleLevelOfDpi(dpi), level) << dpi;
}

TEST(SkinScaling, ScaleIntPerModeAndIndex) {
    struct Case {
        TSkScaleMode mode;
        int autoLevel, value, index, expected;
    } cases[] = {
        {smOldMode, 2, 30, 0, 30}, {smOldMode, 2, 30, 1, 30},  // unchanged at every DPI
        {sm150, 0, 30, 0, 45},     {sm150, 0, 30, 1, 37},      // 30 * 125 / 100
        {sm150, 0, 30, 2, 30},     {sm125, 0, 30, 0, 37},
        {sm125, 0, 30, 1, 30},     {sm100, 2, 30, 0, 30},
        {smAuto, 1, 30, 0, 37},    {smAuto, 2, -30, 0, -45},   // toward zero
        {sm150, 0, 2147483647, 0, 2147483647},                 // clamped
    };
    for (const Case& c : cases) {
        const int level = ScaleLevelOf(c.mode, c.autoLevel);
        EXPECT_EQ(ScaleIntFor(c.mode, level, c.value, c.index), c.expected)
            << int(c.mode) << " " << c.value << " " << c.index;
    }
}

TEST(SkinScaling, VersionSwitch) {
    EXPECT_TRUE(AsksSkinVersion({"-traymode", "/SkVer"}));
    EXPECT_FALSE(AsksSkinVersion({"/skver2", "skver", "-skver"}));
    EXPECT_FALSE(AsksSkinVersion({}));
}

}  // namespace
}  // namespace ad::skin
