// System colours where there is no Windows: the default scheme's values.
#include <array>
#include <cstddef>

#include "base/Color.h"

namespace ad {

namespace {
// The 31 system colours of the default scheme, 0x00BBGGRR.
constexpr std::array<uint32_t, 31> kDefaultSysColors = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, 0x000000, 0x000000, 0xB4B4B4,
    0xFCF7F4, 0xABABAB, 0xFF9933, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D, 0x000000, 0x544E43, 0xFFFFFF, 0x696969,
    0xE3E3E3, 0x000000, 0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xFF9933, 0xF0F0F0};
}  // namespace

uint32_t PlatformSysColor(int index) {
    return index >= 0 && index < static_cast<int>(kDefaultSysColors.size())
               ? kDefaultSysColors[static_cast<std::size_t>(index)]
               : 0;
}

}  // namespace ad
