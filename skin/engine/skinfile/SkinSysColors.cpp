// The palette's stand-ins for system colours and pen colours.
#include "skin/engine/skinfile/SkinSysColors.h"

#include "skin/engine/image/SkinBitmaps.h"

namespace ad::skin {

namespace {

constexpr int kShadowWeight = 205;  // palette 0 kept against black or white
constexpr int kGridWeight = 38;

TColor Blend(TColor a, TColor b, int weight) {
    return TColor(BlendTwoColors(SkinColorToRGB(a), SkinColorToRGB(b), uint8_t(weight)) & 0x00FFFFFFu);
}

}  // namespace

std::optional<TColor> SubstituteSysColor(int index, const TSkinPalette& palette, TColor frameColor) {
    switch (index) {
        case 5: return palette[pcEditBG];                     // COLOR_WINDOW
        case 6: return palette[pcBorder];                     // COLOR_WINDOWFRAME
        case 8: return palette[pcEditText];                   // COLOR_WINDOWTEXT
        case 11: return frameColor;                           // COLOR_INACTIVEBORDER
        case 13: return palette[pcSelectionBGFocused];        // COLOR_HIGHLIGHT
        case 14: return palette[pcSelectionTextFocused];      // COLOR_HIGHLIGHTTEXT
        case 16:                                              // COLOR_BTNSHADOW
        case 21: return Blend(palette[pcMainColor], clBlack, kShadowWeight);  // COLOR_3DDKSHADOW
        case 22: return Blend(palette[pcMainColor], clWhite, kShadowWeight);  // COLOR_3DLIGHT
        default: return std::nullopt;
    }
}

TColor SubstitutePenColor(TColor color, const TSkinPalette& palette, TColor frameColor) {
    switch (color) {
        case 8: return color;  // a window-text pen keeps its colour
        case 15: return palette[pcMainColor];
        case 0xC0C0C0:
        case 0xF0F0F0: return Blend(palette[pcEditText], palette[pcEditBG], kGridWeight);
        default: return SubstituteSysColor(color, palette, frameColor).value_or(color);
    }
}

}  // namespace ad::skin
