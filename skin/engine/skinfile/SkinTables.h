// The tables of a loaded skin: sections, masks, image files, the master
// bitmap, the GLOBALINFO values, the palette and the common indexes that
// painting needs all the time. Lookups by name are first-match and go through
// hash maps kept in step with every change made through this class; parent
// chains are walked with a visited list, so cyclic PARENTCLASS names end.
// The colour transforms (hue, saturation, brightness) and the palette build
// live in SkinTransforms.cpp and SkinPaletteBuild.cpp.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <functional>
#include <initializer_list>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/skinfile/SkinRecords.h"
#include "skin/engine/image/SkinTypes.h"

namespace ad::skin {

// The 42 sections painting looks up once per load, in this order.
enum TSkinCommonSection : int {
    csMenuItem, csCheckBox, csSpeedButton, csSpeedButtonSmall, csToolButton, csTransparent, csGroupBox,
    csDivider, csWebButton, csButton, csButtonHuge, csToolBar, csEdit, csGauge, csSelection, csStatusBar,
    csPanel, csPanelLow, csTrackBar, csColHeader, csProgressV, csDragBar, csGripH, csGripV, csProgressH,
    csTabSheet, csMenuBtn, csUpDownBtn, csComboBox, csCaption, csMenuLine, csMainMenu, csSplitter,
    csSliderOff, csSliderOn, csThumbOff, csThumbOn, csComboBtn, csFormTitle, csHint, csMenuCaption,
    csDividerV,
};
constexpr int kSkinCommonSectionCount = 42;
extern const std::array<const char*, kSkinCommonSectionCount> kSkinCommonSectionNames;

// Title-button masks (GLOBALINFO), in this order; the last entry is unused.
enum TSkinTitleButton : int {
    tbCloseAlone, tbClose, tbMax, tbMin, tbNorm, tbHelp, tbSmallClose, tbSmallMax, tbSmallMin, tbSmallNorm,
    tbSmallHelp, tbTitleButton, tbUnused,
};
constexpr int kSkinTitleButtonCount = 13;
extern const std::array<const char*, kSkinTitleButtonCount - 1> kSkinTitleButtonNames;

// Glow images of one of the first five title buttons.
struct TSkinTitleGlowMasks {
    std::vector<int32_t> Masks;  // <name>GLOW0, <name>GLOW1, ...
    int32_t Margin = 0;
};

// A section painting uses often, with its frame, glyph and textures.
struct TSkinSectionRecord {
    int32_t SectionIndex = -1;
    int32_t BorderIndex = -1;      // BORDERSMASK
    int32_t GlyphIndex = -1;       // GLYPHMASK
    int32_t TextureIndex = -1;     // PATTERN
    int32_t HotTextureIndex = -1;  // HOTPATTERN
};

// Masks of one track-bar orientation (section TRACKBAR).
struct TSkinTrackBarRecord {
    int32_t SectionIndex = -1;
    int32_t BorderIndex = -1;      // BORDERSMASK
    int32_t TickIndex = -1;        // TICKHORZ / TICKVERT
    int32_t ProgressIndex = -1;    // PROGHORZ / PROGVERT
    int32_t ChannelIndex = -1;     // SLIDERCHANNEL
    int32_t SliderIndex = -1;      // SLIDERVMASK or SLIDERMASK
    int32_t TextureIndex = -1;     // PATTERN
    int32_t HotTextureIndex = -1;  // HOTPATTERN
};

// Tab records: four groups (first, last, middle, single) of four sides
// (left, top, right, bottom).
enum TSkinTabRecord : int {
    trLeftFirst, trTopFirst, trRightFirst, trBottomFirst,
    trLeftLast, trTopLast, trRightLast, trBottomLast,
    trLeftMiddle, trTopMiddle, trRightMiddle, trBottomMiddle,
    trLeft, trTop, trRight, trBottom,
};

// Masks and section records looked up once per load.
struct TSkinCommonMasks {
    std::array<int32_t, kSkinTitleButtonCount> TitleButtons{};
    std::array<TSkinTitleGlowMasks, 5> TitleGlows;
    int32_t BoxUnchecked = -1, BoxChecked = -1, BoxGrayed = -1;
    int32_t SmallUnchecked = -1, SmallChecked = -1, SmallGrayed = -1;
    int32_t RadioUnchecked = -1, RadioChecked = -1;
    int32_t ExBorder = -1, GripImage = -1, GripHorz = -1, GripVert = -1;
    TSkinSectionRecord MenuItem, ComboBtn;
    int32_t ComboBoxGlyph = -1;  // COMBOBOX's GLYPHMASK
    std::array<TSkinSectionRecord, 16> Tabs;
    std::array<TSkinSectionRecord, 2> ScrollSliders;  // H, V
    std::array<TSkinSectionRecord, 4> ScrollButtons;  // left, top, right, bottom
    std::array<TSkinSectionRecord, 4> ScrollBars;     // 1H, 1V, 2H, 2V
    std::array<TSkinSectionRecord, 4> SpinButtons;    // left, top, right, bottom
    std::array<TSkinTrackBarRecord, 2> TrackBars;

    TSkinCommonMasks() { TitleButtons.fill(-1); }
};

// Frame width and height of a mask (one state image, one part of its height).
TPoint MaskFrameSize(const TSkinMaskData& mask);
// A size at a scale level (0: 100 %, 1: 125 %, 2: 150 %), rounding toward zero,
// clamped to the int range.
int ScaleIntAtLevel(int value, int level);

class TSkinTables {
public:
    // ---- Values of the loaded skin (no side effects on the indexes) ----
    TSkinGlobalInfo GlobalInfo;
    std::shared_ptr<TBitmap32> MasterBitmap;
    std::vector<TSkinImageFile> ImageFiles;
    TSkinPalette Palette{};
    std::array<int32_t, kSkinCommonSectionCount> CommonIndexes{};
    int32_t GlobalInfoIndex = -1;
    TSkinCommonMasks CommonMasks;
    int ScaleLevel = 0;   // 0, 1 or 2
    int HueOffset = 0;    // degrees
    int Saturation = 0;   // -100..100
    int Brightness = 0;   // -100..100
    // Whether desktop composition is on when image files are premultiplied again.
    bool CompositionEnabled = true;
    // The extended-border images and their insets (PrepareExtendedBorders).
    std::unique_ptr<TBitmap32> ExtBorderActive, ExtBorderInactive;
    TRect ExtBorderInsets;

    TSkinTables() { CommonIndexes.fill(-1); }

    // ---- Sections ----
    const std::vector<TSkinGeneralData>& Sections() const { return sections_; }
    int SectionCount() const { return int(sections_.size()); }
    const TSkinGeneralData& Section(int i) const { return sections_[size_t(i)]; }
    // Changing ClassName through this reference needs ReindexSections().
    TSkinGeneralData& Section(int i) { return sections_[size_t(i)]; }
    int AddSection(TSkinGeneralData section);
    void ReplaceSection(int i, TSkinGeneralData section);
    void SetSections(std::vector<TSkinGeneralData> sections);
    void ClearSections();
    void ReindexSections();

    int SectionIndexOf(std::string_view name) const;
    bool IsValidSectionIndex(int i) const { return i >= 0 && i < SectionCount(); }

    // ---- Masks ----
    const std::vector<TSkinMaskData>& Masks() const { return masks_; }
    int MaskCount() const { return int(masks_.size()); }
    const TSkinMaskData& Mask(int i) const { return masks_[size_t(i)]; }
    // Changing names, section index or draw mode through this reference needs ReindexMasks().
    TSkinMaskData& Mask(int i) { return masks_[size_t(i)]; }
    bool IsValidMaskIndex(int i) const { return i >= 0 && i < MaskCount(); }

    // Appends a mask; borders and the rest start at 0. Returns its index.
    int AddMask(int sectionIndex, const std::string& sectionName, const std::string& keyName, const TRect& r,
                int imageCount, int maskType, uint16_t drawFlags, uint8_t drawMode);
    int AddMask(TSkinMaskData mask);
    void RemoveMask(int i);
    void ReindexMasks();
    // Masks, image files, master bitmap and the rescaling memory.
    void ClearImages();

    // The image a mask is cut from: its own bitmap or the master bitmap (null when neither).
    TBitmap32* MaskImage(const TSkinMaskData& mask) const;

    // ---- Lookups ----
    int FindMaskInSection(int sectionIndex, std::string_view keyName) const;
    int FindMaskUpChain(int sectionIndex, std::string_view fromName, std::string_view keyName) const;
    int FindTextureMask(int sectionIndex, std::string_view sectionName, std::string_view keyName) const;
    int FindTextureMaskInSection(int sectionIndex, std::string_view keyName) const;
    int FindMaskByNames(std::string_view sectionName, std::string_view keyName) const;
    // GLOBALINFO's mask of that key (the GLOBALINFO section found by name).
    int FindGlobalMask(std::string_view keyName) const;
    // At scale levels 1 and 2 the "*125"/"*150" mask, else the plain one
    // rescaled once (in place, or into an appended copy with makeCopy).
    int ScaledMaskIndex(std::string_view keyName, int sectionIndex, bool makeCopy);

    // ---- After loading ----
    // Corner transparency of a nine-part mask as it is created.
    uint8_t CornerTypeOf(const TSkinMaskData& mask) const;
    void UpdateCornerType(int maskIndex);
    // The common masks, section records and indexes, then PostProcessSkin; the
    // caller runs PrepareExtendedBorders afterwards (it owns the built-in shadows).
    void ResolveCommonSections();
    void PostProcessSkin();
    // effective: the manager is Active and extended borders are in effect.
    // The shadows are the built-in images used without an EXBORDER mask.
    void PrepareExtendedBorders(bool effective, const TBitmap32* activeShadow, const TBitmap32* inactiveShadow);

    // ---- Palette and colour transforms ----
    void BuildPalette();
    void AddSyntheticSections();
    void ApplyHue(int offset);
    void ApplySaturation(int value);
    void ApplyBrightness(int value);
    // Palette, synthetic sections, then hue, saturation and brightness with the stored values.
    void FinishSections();

    TColor FormColor() const { return Palette[pcMainColor]; }
    TColor LabelTextColor() const { return Palette[pcLabelText]; }
    TColor EditTextColor() const { return Palette[pcEditText]; }
    TColor EditBackColor() const { return Palette[pcEditBG]; }
    TColor SelectionColor(bool focused) const { return Palette[focused ? pcSelectionBGFocused : pcSelectionBG]; }
    TColor SelectionTextColor(bool focused) const {
        return Palette[focused ? pcSelectionTextFocused : pcSelectionText];
    }

private:
    // Keys of the mask maps; lookups go through the view forms without copying names.
    struct IndexKeyView {
        int32_t Section;
        std::string_view Name;
    };
    struct NamesKeyView {
        std::string_view Section;
        std::string_view Name;
    };
    struct IndexKey {
        int32_t Section;
        std::string Name;
        operator IndexKeyView() const { return {Section, Name}; }
    };
    struct NamesKey {
        std::string Section;
        std::string Name;
        operator NamesKeyView() const { return {Section, Name}; }
    };
    struct KeyHash {
        using is_transparent = void;
        size_t operator()(IndexKeyView k) const;
        size_t operator()(NamesKeyView k) const;
        size_t operator()(const IndexKey& k) const { return (*this)(IndexKeyView(k)); }
        size_t operator()(const NamesKey& k) const { return (*this)(NamesKeyView(k)); }
    };
    struct KeyEqual {
        using is_transparent = void;
        bool operator()(IndexKeyView a, IndexKeyView b) const { return a.Section == b.Section && a.Name == b.Name; }
        bool operator()(NamesKeyView a, NamesKeyView b) const { return a.Section == b.Section && a.Name == b.Name; }
    };
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    template <class Key>
    using FirstMap = std::unordered_map<Key, int32_t, KeyHash, KeyEqual>;

    void IndexMask(int i);
    int LookupBySection(int sectionIndex, std::string_view keyName, bool textureOnly) const;
    int LookupByNames(std::string_view sectionName, std::string_view keyName, bool textureOnly) const;
    int WalkChain(int sectionIndex, std::string_view fromName, std::string_view keyName, bool textureOnly) const;
    int RescaleMask(int maskIndex, bool makeCopy);
    TSkinSectionRecord SectionRecord(std::initializer_list<const char*> names, bool scaledGlyph);
    void ResolveTrackBars();
    void ResolveTitleButtons();

    std::vector<TSkinGeneralData> sections_;
    std::unordered_map<std::string, int32_t, NameHash, std::equal_to<>> sectionByName_;
    std::vector<TSkinMaskData> masks_;
    FirstMap<IndexKey> maskBySection_, textureBySection_;
    FirstMap<NamesKey> maskByNames_, textureByNames_;
    // Masks already rescaled for ScaleLevel: original index -> index of the rescaled mask.
    std::unordered_map<int32_t, int32_t> rescaled_;
};

}  // namespace ad::skin
