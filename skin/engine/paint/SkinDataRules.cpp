// Control kind sets, section choice, mask flags, colour blend and see-through
// rules of the skin data.
#include "skin/engine/paint/SkinDataRules.h"

#include <algorithm>
#include <bitset>
#include <initializer_list>
#include <utility>

#include "skin/engine/image/SkinBitmaps.h"

namespace ad::skin {
namespace {

using TKindBits = std::bitset<256>;
using TRanges = std::initializer_list<std::pair<int, int>>;

TKindBits Kinds(TRanges ranges) {
    TKindBits bits;
    for (const auto& [from, to] : ranges)
        for (int k = from; k <= to; ++k) bits.set(size_t(k));
    return bits;
}

const TKindBits& KindBits(TSkinKindSet set) {
    static const TKindBits ownBg =
        Kinds({{51, 51}, {54, 54}, {56, 59}, {74, 74}, {110, 110}, {141, 141}, {143, 143}, {151, 151}, {161, 161},
               {226, 226}});
    static const TKindBits sets[] = {
        Kinds({{19, 19}, {51, 74}, {110, 110}, {141, 161}}),                    // ksNoHover
        Kinds({{2, 18}, {76, 85}, {132, 140}, {231, 231}}),                     // ksEdit
        ownBg,                                                                  // ksOwnBg
        Kinds({{2, 18}, {76, 84}, {132, 140}, {231, 231}}),                     // ksFocusColor
        Kinds({{92, 94}}) | ownBg,                                              // ksNoGlow
        Kinds({{7, 8}, {10, 10}, {14, 14}, {78, 78}, {83, 83}, {85, 85}, {231, 231}}),  // ksFrame
    };
    return sets[set];
}

const TKindBits& AskControlKinds() {
    static const TKindBits bits =
        Kinds({{2, 10}, {12, 14}, {32, 34}, {51, 51}, {53, 54}, {57, 59}, {74, 76}, {78, 78}, {81, 85}, {92, 94},
               {132, 141}, {143, 143}, {151, 151}, {161, 161}, {165, 165}, {226, 226}});
    return bits;
}

bool gEditHover = false;

bool ModeIn(int mode, std::initializer_list<int> modes) {
    return std::find(modes.begin(), modes.end(), mode) != modes.end();
}

const TSkinMaskData* BorderMaskOf(const TSkinTables& skin, int sectionIndex) {
    if (!skin.IsValidSectionIndex(sectionIndex)) return nullptr;
    const int m = skin.Section(sectionIndex).BorderIndex;
    return skin.IsValidMaskIndex(m) ? &skin.Mask(m) : nullptr;
}

}  // namespace

bool KindInSet(TSkinKindSet set, int kind) { return kind >= 0 && kind < 256 && KindBits(set).test(size_t(kind)); }

bool EditHoverEnabled() { return gEditHover; }
void SetEditHoverEnabled(bool on) { gEditHover = on; }

TKindSection SectionForKind(int kind) {
    if (kind >= 0 && kind < 256 && AskControlKinds().test(size_t(kind))) return {TSectionChoice::AskControl, nullptr};
    switch (kind) {
        case 18: return {TSectionChoice::FixedName, "COMBOBOX"};
        case 19: return {TSectionChoice::FixedName, "BAR"};
        case 20: return {TSectionChoice::FixedName, "BARTITLE"};
        case 50:
        case 152: return {TSectionChoice::FixedName, "CHECKBOX"};
        case 56: return {TSectionChoice::FixedName, "DRAGBAR"};
        case 98: return {TSectionChoice::FixedName, "TOOLBUTTON"};
        case 230: return {TSectionChoice::FixedName, "EDIT"};
        default: return {TSectionChoice::ClassName, nullptr};
    }
}

uint16_t ComputeMaskFlags(const TSkinTables* skin, int sectionIndex) {
    if (!skin || skin->MaskCount() == 0) return 0;
    const TSkinMaskData* mask = BorderMaskOf(*skin, sectionIndex);
    if (!mask) return 0;
    const int mode = mask->DrawMode;
    uint16_t flags = 0;
    if (ModeIn(mode, {1, 4, 5, 8, 9, 11, 12})) flags |= 0x04;
    if (ModeIn(mode, {0, 1, 3, 5, 10, 12})) flags |= 0x10;
    if (ModeIn(mode, {0, 1, 7, 9, 10, 12})) flags |= 0x40;
    if (ModeIn(mode, {0, 1, 2, 4, 10, 11})) flags |= 0x20;
    if (ModeIn(mode, {0, 1, 6, 8, 10, 11})) flags |= 0x80;
    const TSkinGradArray& gradient = skin->Section(sectionIndex).Props[0].GradientArray;
    if (!gradient.empty()) {
        switch (gradient.front().Mode) {
            case 0: flags |= 2; break;
            case 1: flags |= 1; break;
            case 2: flags |= 3; break;
            default: break;
        }
    }
    return flags;
}

TColor BlendParentColor(TColor own, TColor parent, int transparency) {
    const uint32_t c = SkinColorToRGB(own), p = SkinColorToRGB(parent);
    const int w = transparency * 255 / 100;
    uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int cc = int((c >> shift) & 0xFF), pc = int((p >> shift) & 0xFF);
        result |= uint32_t(std::clamp(cc + (pc - cc) * w / 256, 0, 255)) << shift;
    }
    return TColor(result);
}

int ColorStateOf(const TSkinTables& skin, int sectionIndex, int state) {
    return state > 0 && skin.IsValidSectionIndex(sectionIndex) && skin.Section(sectionIndex).States > 1 ? 1 : 0;
}

int ClampSectionState(const TSkinTables& skin, int sectionIndex, int state) {
    if (!skin.IsValidSectionIndex(sectionIndex)) return 0;
    return std::clamp(state, 0, std::clamp(skin.Section(sectionIndex).States - 1, 0, kSkinStateCount - 1));
}

bool SectionSeeThroughPixel(const TSkinTables& skin, int sectionIndex, int state) {
    if (!skin.IsValidSectionIndex(sectionIndex)) return false;
    const int c = ClampSectionState(skin, sectionIndex, state);
    const int transparency = skin.Section(sectionIndex).Props[size_t(c)].Transparency;
    const TSkinMaskData* mask = BorderMaskOf(skin, sectionIndex);
    if (transparency <= 50 || !mask) return transparency > 50;
    const bool paintsCentre = mask->DrawFlags & 4, noNormal = mask->DrawFlags & 2;
    if (c == 0 ? (!paintsCentre || noNormal) : !paintsCentre) return true;
    if (mask->ImageCount <= 0) return false;
    // The frame sampled is the state's, limited to the images the mask holds.
    const int image = std::min(c, mask->ImageCount - 1);
    TBitmap32* bitmap = skin.MaskImage(*mask);
    if (!bitmap) return false;
    const TPoint frame = MaskFrameSize(*mask);
    const int x = mask->R.Left + image * frame.X + frame.X / 2;
    const int y = mask->R.Bottom - frame.Y / 2;
    if (x < 0 || y < 0 || x >= bitmap->Width() || y >= bitmap->Height()) return false;
    return (GetPixel32(bitmap->View(), x, y) & 0x80) != 0;
}

int SeeThroughKindOf(const TSkinTables* skin, int sectionIndex, const TSeeThroughContext& context) {
    if (!skin || !skin->IsValidSectionIndex(sectionIndex)) return 1;
    if (context.OuterEffectsOn) return 0;
    const TSkinGeneralData& section = skin->Section(sectionIndex);
    if (const TSkinMaskData* mask = BorderMaskOf(*skin, sectionIndex))
        if ((mask->DrawFlags & 4) || mask->MaskType == 1) return 0;
    const TSkinGenState& normal = section.Props[0];
    if (normal.Transparency == 100) {
        if (skin->IsValidMaskIndex(normal.TextureIndex) && skin->Mask(normal.TextureIndex).DrawMode == 10) return 0;
        if (!context.HasParent) return 0;
        if (!context.ParentHasHandle) return 2;
        if (context.ParentSkinned) return context.ParentState ? context.ParentState() : 1;
        return 1;
    }
    if (normal.Transparency != 0 || normal.GlowSize != 0 || normal.ImagePercent != 0) return 0;
    const bool corners = section.ImgTopLeft >= 0 || section.ImgTopRight >= 0 || section.ImgBottomLeft >= 0 ||
                         section.ImgBottomRight >= 0;
    return !context.ProviderWithTitleBar && !corners ? 1 : 0;
}

}  // namespace ad::skin
