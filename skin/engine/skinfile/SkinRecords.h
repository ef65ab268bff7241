// Records of a loaded skin: one per section of the skin INI, one per image
// value (a mask cut from the master bitmap or an image file of its own), the
// image-file table, the GLOBALINFO values, the two outer-effect records and
// the palette. The INI readers fill them; the skin tables keep and look them
// up; all painting code reads them.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/image/SkinGradients.h"
#include "skin/engine/image/SkinTypes.h"

namespace ad::skin {

// Visual states of a section.
enum TSkinStateIndex : int { ssNormal = 0, ssHot = 1, ssPressed = 2 };
constexpr int kSkinStateCount = 3;

// One visual state of a section.
struct TSkinGenState {
    int32_t GlowSize = 0;         // GSIZE
    int32_t ImagePercent = 0;     // IMAGEPERCENT: share of the texture
    int32_t TextureIndex = -1;    // mask of PATTERN / HOTPATTERN / PATTERN2, -1 none
    int32_t Transparency = 0;     // TRANSPARENCY, percent
    int32_t GradientPercent = 0;  // GRADIENTPERCENT: share of the gradient
    TColor Color = 0xFFFFFF;      // COLOR
    TColor GlowColor = 0xFFFFFF;  // GCOL
    TColor FontColor = 0;         // FONTCOLOR
    // Text outline colours TCLEFT, TCTOP, TCRIGHT, TCBOTTOM; -1 none.
    TColor OutlineLeft = -1, OutlineTop = -1, OutlineRight = -1, OutlineBottom = -1;
    TSkinGradArray GradientArray;  // GRADIENTDATA
};

// Thin-frame kinds of a section (worked out after loading).
constexpr int32_t kNoBorderMask = -2;   // the section has no border mask
constexpr int32_t kThinEditFrame = -1;  // EDIT/ALPHAEDIT whose border mask is 1 pixel on every side

// One INI section.
struct TSkinGeneralData {
    std::string ParentClass;  // PARENTCLASS
    std::string ClassName;    // the section's name
    std::array<TSkinGenState, kSkinStateCount> Props;
    bool UseState2 = false;       // USESTATE2 was 1
    bool GiveOwnFont = false;     // GIVEOWNFONT
    bool ReservedBoolean = false; // RESERVEDBOOLEAN
    int32_t States = 3;           // STATES (1 normal, 2 with hot, 3 with pressed)
    int32_t ThinFrameKind = 0;    // kNoBorderMask, kThinEditFrame or 0
    int32_t Glow = 0;             // GLOW
    int32_t GlowMargin = 0;       // GLOWMARGIN
    int32_t Reserved1 = 0, Reserved2 = 0;
    int32_t BorderIndex = -1;     // mask of BORDERSMASK
    int32_t ImgTopLeft = -1, ImgTopRight = -1, ImgBottomLeft = -1, ImgBottomRight = -1;
    int32_t Reserved3 = 0, Reserved4 = 0;
    int32_t OuterMode = 2;        // OUTERMODE
    int32_t OuterMask = -1;       // mask of OUTERMASK
    int32_t OuterOpacity = 200;   // OUTOPACITY
    int32_t OuterOffsetL = 0, OuterOffsetT = 0, OuterOffsetR = 0, OuterOffsetB = 0;  // OUTOFFSL/T/R/B
};

// Draw modes of a mask.
enum TSkinDrawMode : uint8_t {
    dmNinePart = 0,  // frame of nine parts (borders, corners, centre)
    dmTexture = 1,   // texture or whole image
    dmGlyph = 2,     // small glyph
    dmImage3 = 3,
    dmImage4 = 4,
};

// Draw flags of a mask.
constexpr uint16_t kMaskStretch = 1;       // stretch instead of tile
constexpr uint16_t kMaskNoNormalImage = 2; // no image for the normal state

// Corner transparency of a nine-part mask.
enum TSkinCornerType : uint8_t { ctOpaque = 0, ctFuchsiaCorner = 1, ctNotTested = 2 };

// One image value: a rectangle in the master bitmap, or an image of its own.
struct TSkinMaskData {
    // The mask's own image (shared with the image-file table when it came from
    // a file); null: the rectangle lies in the master bitmap.
    std::shared_ptr<TBitmap32> Bmp;
    std::string ClassName;     // section name
    std::string PropertyName;  // key name
    TRect R;                   // rectangle in the image
    int16_t ImageCount = 1;    // state images side by side
    int16_t MaskType = 0;      // 0 plain, 1 lower half is alpha, n: height in n + 1 parts
    int16_t BorderWidth = 0;   // uniform border
    uint16_t DrawFlags = 0;    // kMaskStretch, kMaskNoNormalImage
    uint8_t DrawMode = dmNinePart;
    int16_t WL = 0, WT = 0, WR = 0, WB = 0;  // border widths left, top, right, bottom
    uint8_t CornerType = ctOpaque;
    int32_t SectionIndex = -1;
    int32_t Width = 0, Height = 0;  // frame size, worked out after loading
};

// One loaded image file; several masks may share it.
struct TSkinImageFile {
    std::string FileName;
    int32_t Flag = 0;
    std::shared_ptr<TBitmap32> Bitmap;
};

// Outer effect of forms (GLOBALINFO SH_... and LO_...). Colours, widths and
// offsets are in the order left, right, top, bottom as the keys are named.
struct TSkinOuterEffect {
    std::array<TColor, 4> Colors{};    // *_COLORL, R, T, B
    std::array<int32_t, 4> Widths{-1, -1, -1, -1};  // *_WIDTHL, R, T, B
    std::array<int32_t, 4> Offsets{};  // *_OFFSETL, R, T, B
    int32_t Source = 2;                // *_SOURCE
    int32_t Opacity = 0;               // *_OPACITY
    int32_t MaskIndex = -1;            // *_MASK (source 1), generated mask, or -1
};

// Glow images of a title button.
struct TSkinTitleGlow {
    int32_t Count = 0;   // <name>GLOW
    int32_t Margin = 0;  // <name>GLOWMARGIN (scaled)
};

// GLOBALINFO values (defaults as a skin without the keys gets them; the
// system-dependent ones are filled in by the reader).
struct TSkinGlobalInfo {
    double Version = 0;
    std::string Author, Description;
    std::string MasterBitmap;
    TColor Color = skBtnFaceColor;  // face colour of forms and buttons
    TColor FontColor = 0;
    TColor TCBottom = 0xFF0000, TCTop = 0x0000FF;
    TColor BorderColor = 0;
    int32_t BorderWidth = 4;
    int32_t TitleHeight = 30;
    int32_t MaxHeight = 30;
    int32_t CenterOffset = 0;
    int32_t FormOffset = 0;  // default: the system frame width
    int32_t BorderMode = 0;
    int32_t BrightMin = -50, BrightMax = 50;
    int32_t AlignOffset = 0, AlignOffsetR = 0, AlignOffsetT = 0, AlignOffsetB = 0;
    int32_t BISpace = 0;
    int32_t BIVAlign = 0, BIRight = 0, BILeft = 0, BITop = 0, BIKeepHue = 0;
    bool AeroBlur = false;
    // BICLOSEALONE, BICONCLOSE, BICONMAX, BICONMIN, BICONNORM.
    std::array<TSkinTitleGlow, 5> TitleGlows{};
    TColor Shadow1Color = 0;
    int32_t Shadow1Offset = 0, Shadow1Blur = -1, Shadow1Transparency = 0;
    int32_t ComboMargin = 2, SliderMargin = 1;
    TColor EditTextOk = 0x008000, EditTextWarn = 0x008484;
    std::array<TColor, 3> EditTextAlert{0x0000FF, 0x8597D9, 0x4AB28F};
    TColor EditBgOk = 0x6CC2A5, EditBgWarn = 0x40FFFF;
    std::array<TColor, 3> EditBgAlert{0x95A7E9, 0x8597D9, 0x4AB28F};
    std::array<TColor, 3> EditTextHighlight{0, 0, 0};  // EDITTEXT_H1..H3
    // Set only when the skin names them with a readable number; otherwise derived from the edit colours.
    bool HasEditTextInv = false, HasEditBgInv = false, HasEditBgOdd = false, HasEditBgEven = false;
    TColor EditTextInv = 0, EditBgInv = 0, EditBgOdd = 0, EditBgEven = 0;
    int32_t TabsCovering = 0;        // TABTOP
    int32_t RibbonTabsCovering = 0;  // RIBBONTAB
    TSkinOuterEffect Shadow;         // SH_...
    TSkinOuterEffect Outer;          // LO_...
};

// Palette entries.
enum TSkinPaletteIndex : int {
    pcMainColor = 0,          // face colour of forms and buttons
    pcLabelText = 1,          // label and form text
    pcTCBottom = 2,
    pcTCTop = 3,
    pcEditText = 4,
    pcEditBG = 5,
    pcSelectionBG = 6,        // unfocused
    pcSelectionText = 7,      // unfocused
    pcSelectionBGFocused = 8,
    pcSelectionTextFocused = 9,
    pcEditBG_Inverted = 10,
    pcEditText_Inverted = 11,
    pcEditBG_OddRow = 12,
    pcEditBG_EvenRow = 13,
    pcEditText_Ok = 14,
    pcEditText_Warning = 15,
    pcEditText_Alert = 16,    // three slots
    pcEditBG_Ok = 19,
    pcEditBG_Warning = 20,
    pcEditBG_Alert = 21,      // three slots
    pcEditText_Highlight1 = 24,
    pcEditText_Highlight2 = 25,
    pcEditText_Highlight3 = 26,
    pcBorder = 27,
    pcHintBG = 28,
    pcHintText = 29,
};
constexpr int kSkinPaletteSize = 30;
using TSkinPalette = std::array<TColor, kSkinPaletteSize>;

}  // namespace ad::skin
