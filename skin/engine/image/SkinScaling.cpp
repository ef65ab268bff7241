// Scaling rules and the version switch of the skin manager.
#include "skin/engine/image/SkinScaling.h"

#include "base/StrUtils.h"
#include "skin/engine/image/SkinUtils.h"

namespace ad::skin {

int ScaleLevelOfDpi(int dpi) {
    if (dpi >= 144) return 2;
    if (dpi >= 120) return 1;
    return 0;
}

int ScaleLevelOf(TSkScaleMode mode, int autoLevel) {
    if (mode == smOldMode) return 0;
    if (mode == smAuto) return autoLevel;
    return int(mode);
}

int ScaleIntFor(TSkScaleMode mode, int level, int value, int index) {
    static const int percents[3] = {100, 125, 150};
    if (mode == smOldMode) return value;
    if (index == 0) {
        if (level == 1) return ClampToInt(int64_t(value) + value / 4);
        if (level == 2) return ClampToInt(int64_t(value) + value / 2);
        return value;
    }
    if (index > 0 && index < level && level <= 2) return ClampToInt(int64_t(value) * percents[index] / 100);
    return value;
}

bool AsksSkinVersion(const std::vector<std::string>& arguments) {
    for (const std::string& a : arguments)
        if (AsciiSameText(a, "/skver")) return true;
    return false;
}

}  // namespace ad::skin
