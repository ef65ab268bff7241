// Colour values to 0x00BBGGRR: system colours from the installed resolver or
// the platform.
#include "base/Color.h"

#include <utility>

namespace ad {

namespace {
TSysColorResolver g_sysColorResolver = nullptr;
}  // namespace

TSysColorResolver SetSysColorResolver(TSysColorResolver resolver) {
    return std::exchange(g_sysColorResolver, resolver);
}

uint32_t SysColorToRGB(int index) {
    if (uint32_t resolved = 0; g_sysColorResolver && g_sysColorResolver(index, resolved))
        return resolved & 0x00FFFFFFu;
    return PlatformSysColor(index);
}

uint32_t ColorToRGB(TColor color) {
    const uint32_t c = static_cast<uint32_t>(color);
    if (c & 0xFF000000u) return SysColorToRGB(static_cast<int>(c & 0xFF));
    return c;
}

}  // namespace ad
