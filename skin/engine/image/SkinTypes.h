// Special colours of the skin engine's portable core and the byte-order
// helpers between colour order (red in byte 0) and pixel order (blue in byte 0).
#pragma once

#include <cstdint>

#include "base/Color.h"
#include "base/Geometry.h"

namespace ad::skin {

// Special colour values of the skin engine.
constexpr uint32_t skKeyColor = 0x00FF00FF;    // transparent key (clFuchsia, alpha 0)
constexpr TColor skNoColor = 0x1FFFFFFF;       // an absent colour, key or tone
constexpr TColor skBtnFaceColor = static_cast<TColor>(0xFF00000Fu);  // fallback background

// Exchanges bytes 0 and 2 of a colour or pixel value; bytes 1 and 3 stay.
constexpr uint32_t SwapRedBlue(uint32_t v) {
    return (v & 0xFF00FF00u) | ((v & 0xFFu) << 16) | ((v >> 16) & 0xFFu);
}
constexpr uint32_t SwapColor(uint32_t v) { return SwapRedBlue(v); }

// A colour value as 0x00BBGGRR: system colours (high byte 0xFF) through
// base's SysColorToRGB, others unchanged (skNoColor stays skNoColor).
uint32_t SkinColorToRGB(TColor color);

}  // namespace ad::skin
