// Image values of the skin INI: the key values that cut masks out of the master
// bitmap or name image files of their own. Parsing turns one value (with its
// section, key and the scale level) into a description of the mask it makes;
// the loader then finds the bitmaps and fills the mask table. Portable.
//
// Forms, by the first character of the upper-cased value (positions 1-based):
//   "^" long form: 2-5, 7-10, 12-15, 17-20 rectangle; 22-25, 27-30, 32-35,
//       37-40 borders left, top, right, bottom; 42 image count; 44 mask type;
//       46 draw flags; 48 uniform border; draw mode = 4th "!"-separated word
//       (0 when absent, at most 4). All four borders 0: a non-zero uniform
//       border is used for all four, otherwise the borders are computed.
//   "@" short form: 2-5, 7-10, 12-15, 17-20 rectangle; 22 image count; 24 mask
//       type; flags 0, draw mode 2, no borders.
//   "!" image file: "!"-separated words file name, image count, mask type,
//       draw mode (at most 4), borders left, top, right, bottom, draw flags.
//       Missing words 2-4 give 1, 0 and 1; with fewer than 5 words the borders
//       are computed, with 5 to 8 the missing border words are 0; fewer than 9
//       words: flags 0. The mask covers the whole image.
//   "~" glyph: rectangle as above; 22-23 draw flags; 25 mask type when the value
//       has 25 characters or more; image count 1, draw mode 1; a value longer
//       than 26 characters names its own image file in its 7th "~" word.
//   other values containing ".BMP" or ".JPG": a file name; the mask covers the
//       whole image, image count 1, mask type 0, draw mode 1, computed borders.
// Computed borders: left = right = width div (image count * 3), top = bottom =
// height div (mask type * 3 + 3); 0 when the divisor is not positive.
//
// Scale variants: keys named with "*" are not masks of their own when their
// value is "^" or "!"; at scale level 1 (2) the plain key of such a value reads
// key + "*125" ("*150") first: a long form takes its value in place (same key
// name), an image file takes a non-empty value and keeps the suffix in its key
// name. "@" values make masks under their full key name.
//
// Malformed values are skipped (no mask; Problem says why), never read past
// their end: a fixed-width field must lie inside the value and hold only the
// digits 0-9 (no sign, no blank), so a long form needs 48 characters, a short
// form 24 and a glyph 23; a "!" word must be a decimal (or "$"/"0x" hex)
// integer in range: image count, mask type and borders 0..32767, draw mode 0 or
// more, flags 0..65535; a "!" value needs a file name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "skin/engine/skinfile/SkinIni.h"
#include "skin/engine/skinfile/SkinRecords.h"

namespace ad::skin {

enum class TSkinValueForm : uint8_t {
    None,       // not an image value, or a scale variant read through its plain key
    Long,       // "^"
    Short,      // "@"
    FileParams, // "!"
    Glyph,      // "~"
    PlainFile,  // a file name
};

struct TSkinImageValue {
    TSkinValueForm Form = TSkinValueForm::None;
    bool Skipped = false;    // an image value with malformed fields: no mask
    std::string Problem;     // why it was skipped
    std::string SectionName;
    int32_t SectionIndex = -1;
    std::string KeyName;     // the mask's key name (a kept scale suffix included)
    std::string Value;       // the upper-cased value that was parsed
    std::string FileName;    // the mask's own image file; empty: the master bitmap
    bool WholeImage = false;      // the rectangle is the whole image of FileName (SetImageSize)
    bool ComputedBorders = false; // the borders follow from the rectangle (computed by SetImageSize)
    TRect R;
    int16_t ImageCount = 1;
    int16_t MaskType = 0;
    int16_t BorderWidth = 0;  // uniform border
    uint16_t DrawFlags = 0;
    uint8_t DrawMode = dmNinePart;
    int16_t WL = 0, WT = 0, WR = 0, WB = 0;

    bool MakesMask() const { return Form != TSkinValueForm::None && !Skipped; }
};

// "*125" at level 1, "*150" at level 2, empty otherwise.
std::string_view ScaleKeySuffix(int scaleLevel);

// One key's value; ini supplies the scale variants (same section). SectionIndex stays -1.
TSkinImageValue ParseSkinImageValue(const TSkinIni& ini, std::string_view section, std::string_view key,
                                    std::string_view value, int scaleLevel);

// The long form alone (SH_MASK, LO_MASK): false with Problem set when malformed.
bool ParseLongFormValue(std::string_view upperValue, TSkinImageValue& out);

// Every image value of the skin in section order, then key order, with the
// section index set (GLOBALINFO's MASTERBITMAP is not one); skipped values
// are included, values of form None are not.
std::vector<TSkinImageValue> ReadSkinImageValues(const TSkinIni& ini, int scaleLevel);

// For whole-image forms: the rectangle becomes (0, 0, width, height); computed
// borders are worked out from it.
void SetImageSize(TSkinImageValue& v, int width, int height);
// left = right = width div (count * 3), top = bottom = height div (type * 3 + 3).
void ComputeMaskBorders(TSkinImageValue& v);

// The mask record of a value (no bitmap; corner type and frame size are the loader's).
TSkinMaskData MakeSkinMaskData(const TSkinImageValue& v);

}  // namespace ad::skin
