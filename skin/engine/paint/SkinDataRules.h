// The window-free rules of a skinned control's skin data: the fixed sets of
// control kinds, the section a kind paints with, what a section's border mask
// and gradient need (mask flags), the background colour blended with the
// parent's, whether a section lets its parent show through, and where that is
// sampled in the border mask. Portable.
#pragma once

#include <cstdint>
#include <functional>

#include "skin/engine/skinfile/SkinTables.h"

namespace ad::skin {

// Fixed sets over control kinds (a kind above 255, or below 0, is in none).
enum TSkinKindSet : int {
    ksNoHover,      // no highlight on mouse over
    ksEdit,         // highlighted on mouse over only with the edit-hover switch
    ksOwnBg,        // never reuse the cache image when see-through
    ksFocusColor,   // take the section's state colours on focus and hover
    ksNoGlow,       // no hover glow (the own-background kinds too)
    ksFrame,        // recompute the window frame on a skin refresh
};
bool KindInSet(TSkinKindSet set, int kind);

// The process-wide edit-hover switch (off unless the program turns it on).
bool EditHoverEnabled();
void SetEditHoverEnabled(bool on);

// How a control without a section name finds its section.
enum class TSectionChoice {
    AskControl,  // the control answers SKC_GETSKININDEX
    FixedName,   // Name
    ClassName,   // the owner's class name, upper-cased
};
struct TKindSection {
    TSectionChoice Choice = TSectionChoice::ClassName;
    const char* Name = nullptr;
};
TKindSection SectionForKind(int kind);

// What the section's border mask needs by its draw mode (bits 0x04, 0x10,
// 0x20, 0x40, 0x80) and its first gradient entry by its kind (low two bits:
// vertical 2, horizontal 1, four corners 3); 0 without a border mask.
uint16_t ComputeMaskFlags(const TSkinTables* skin, int sectionIndex);

// own blended toward parent by a transparency in percent: per channel
// own + (parent - own) * w / 256, w = transparency * 255 / 100. Colour order,
// system colours resolved first.
TColor BlendParentColor(TColor own, TColor parent, int transparency);

// The state a section's colours are read for: 1 only when a state above 0 is
// asked and the section has more than one state.
int ColorStateOf(const TSkinTables& skin, int sectionIndex, int state);
// The state lowered to the section's state count minus 1 and to at most 2.
int ClampSectionState(const TSkinTables& skin, int sectionIndex, int state);

// True when a child painting state over the section sees the section's parent
// rather than the section itself: by transparency without a border mask, by
// the mask's draw mode, or by the top bit of the red byte of the mask pixel in
// the middle of the state's frame. False for an invalid index.
bool SectionSeeThroughPixel(const TSkinTables& skin, int sectionIndex, int state);

// The see-through kind of a section: 0 opaque, 1 see-through, 2 not known yet.
struct TSeeThroughContext {
    bool OuterEffectsOn = false;           // a windowed or provider owner with outer effects
    bool ProviderWithTitleBar = false;     // the owner is a provider painting its own title bar
    bool HasParent = false;
    bool ParentHasHandle = false;
    bool ParentSkinned = false;
    std::function<int()> ParentState;      // the parent's SKC_SKINSTATE answer (skinned parents)
};
int SeeThroughKindOf(const TSkinTables* skin, int sectionIndex, const TSeeThroughContext& context);

}  // namespace ad::skin
