// System-colour resolution of the skin engine's colour values.
#include "skin/engine/image/SkinTypes.h"

namespace ad::skin {

namespace {
uint32_t DefaultSysColor(int) { return 0xF0F0F0; }
TSysColorLookup sysColorLookup = DefaultSysColor;
}  // namespace

void SetSysColorLookup(TSysColorLookup lookup) { sysColorLookup = lookup ? lookup : DefaultSysColor; }

uint32_t SkinColorToRGB(TColor color) {
    uint32_t v = static_cast<uint32_t>(color);
    if ((v & 0xFF000000u) == 0xFF000000u) return sysColorLookup(int(v & 0xFF)) & 0xFFFFFF;
    return v;
}

}  // namespace ad::skin
