// Font style bits and horizontal and vertical text alignment, as every control and cell of
// the system stores them. Portable.
#pragma once

#include <cstdint>

namespace ad {

// Font style bits; a set of them is a TFontStyles.
enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TVerticalAlignment : uint8_t { taAlignTop, taAlignBottom, taVerticalCenter };

}  // namespace ad
