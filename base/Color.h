// Colours as the whole system stores them: 0x00BBGGRR, where a set high byte
// names a system colour by its low byte (its index for GetSysColor). Portable.
#pragma once

#include <cstdint>

namespace ad {

using TColor = int32_t;

// A colour that stands for the system colour with this index.
constexpr TColor SystemColor(int index) { return static_cast<TColor>(0xFF000000u | static_cast<uint32_t>(index)); }
constexpr bool IsSystemColor(TColor color) { return (static_cast<uint32_t>(color) & 0xFF000000u) == 0xFF000000u; }

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;
// A colour value as 0x00BBGGRR. A value with any bit of its high byte set
// names a system colour by its low byte, as the system reads it (clNone thus
// reads as index 255: black); others pass unchanged.
uint32_t ColorToRGB(TColor color);
// The system colour with this index as 0x00BBGGRR: the installed resolver's
// answer where it gives one, else the platform's own colour.
uint32_t SysColorToRGB(int index);
// The platform's own colour: GetSysColor on Windows, the default scheme's
// values elsewhere (0 for an index it does not know).
uint32_t PlatformSysColor(int index);
// Answers some system colours in place of the platform (the skin engine
// answers from the skin's palette); false leaves an index to the platform.
// Installing returns the resolver it replaces, which the new one may ask in
// turn; there is one for the whole process.
using TSysColorResolver = bool (*)(int index, uint32_t& color);
TSysColorResolver SetSysColorResolver(TSysColorResolver resolver);

// An absent colour.
constexpr TColor clNone = 0x1FFFFFFF;

// System colours (indexes of GetSysColor).
constexpr TColor clScrollBar = SystemColor(0), clBackground = SystemColor(1), clActiveCaption = SystemColor(2),
                 clInactiveCaption = SystemColor(3), clMenu = SystemColor(4), clWindow = SystemColor(5),
                 clWindowFrame = SystemColor(6), clMenuText = SystemColor(7), clWindowText = SystemColor(8),
                 clCaptionText = SystemColor(9), clActiveBorder = SystemColor(10),
                 clInactiveBorder = SystemColor(11), clAppWorkSpace = SystemColor(12),
                 clHighlight = SystemColor(13), clHighlightText = SystemColor(14), clBtnFace = SystemColor(15),
                 clBtnShadow = SystemColor(16), clGrayText = SystemColor(17), clBtnText = SystemColor(18),
                 clInactiveCaptionText = SystemColor(19), clBtnHighlight = SystemColor(20),
                 cl3DDkShadow = SystemColor(21), cl3DLight = SystemColor(22), clInfoText = SystemColor(23),
                 clInfoBk = SystemColor(24), clHotLight = SystemColor(26);

}  // namespace ad
