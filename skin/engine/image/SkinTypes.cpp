// System-colour resolution of the skin engine's colour values.
#include "skin/engine/image/SkinTypes.h"

namespace ad::skin {

uint32_t SkinColorToRGB(TColor color) {
    const uint32_t v = static_cast<uint32_t>(color);
    return IsSystemColor(color) ? SysColorToRGB(int(v & 0xFF)) : v;
}

}  // namespace ad::skin
