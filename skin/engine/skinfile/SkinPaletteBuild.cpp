// The palette of a loaded skin (GLOBALINFO values, the EDIT, SELECTION,
// MENUITEM and HINT sections, system colours where the skin is silent) and the
// synthetic TRANSPARENT and MAINCOLOR sections added after it.
#include "skin/engine/skinfile/SkinTables.h"

namespace ad::skin {

namespace {

// System colour indexes the palette falls back to.
constexpr int kSysWindow = 5;
constexpr int kSysWindowText = 8;
constexpr int kSysHighlight = 13;
constexpr int kSysHighlightText = 14;
constexpr int kSysInfoText = 23;
constexpr int kSysInfoBk = 24;

constexpr TColor kFuchsia = clFuchsia;

TColor SysColor(int index) { return TColor(SkinColorToRGB(SystemColor(index))); }

// A system colour constant as its RGB value; any other value (-1 "none" included) unchanged.
TColor Resolved(TColor c) {
    return (uint32_t(c) & 0xFFFFFF00u) == 0xFF000000u ? TColor(SkinColorToRGB(c)) : c;
}

}  // namespace

void TSkinTables::BuildPalette() {
    TSkinPalette& p = Palette;
    const TSkinGlobalInfo& g = GlobalInfo;
    p[pcMainColor] = Resolved(g.Color);
    p[pcLabelText] = Resolved(g.FontColor);
    p[pcTCBottom] = Resolved(g.TCBottom);
    p[pcTCTop] = Resolved(g.TCTop);

    if (const int edit = SectionIndexOf("EDIT"); edit >= 0) {
        p[pcEditText] = Resolved(Section(edit).Props[ssNormal].FontColor);
        p[pcEditBG] = Resolved(Section(edit).Props[ssNormal].Color);
    } else {
        p[pcEditText] = SysColor(kSysWindowText);
        p[pcEditBG] = SysColor(kSysWindow);
    }

    if (const int sel = SectionIndexOf("SELECTION"); sel >= 0) {
        const TSkinGeneralData& s = Section(sel);
        const TSkinGenState& focused = s.States < 2 ? s.Props[ssNormal] : s.Props[ssHot];
        p[pcSelectionBG] = Resolved(s.Props[ssNormal].Color);
        p[pcSelectionText] = Resolved(s.Props[ssNormal].FontColor);
        p[pcSelectionBGFocused] = Resolved(focused.Color);
        p[pcSelectionTextFocused] = Resolved(focused.FontColor);
    } else {
        p[pcSelectionBG] = p[pcSelectionText] = p[pcSelectionBGFocused] = p[pcSelectionTextFocused] = -1;
    }
    if (p[pcSelectionText] == -1 || p[pcSelectionText] == kFuchsia) {
        if (const int menu = SectionIndexOf("MENUITEM"); menu >= 0) {
            const TSkinGenState& hot = Section(menu).Props[ssHot];
            TColor text = Resolved(hot.FontColor);
            if (text == -1 || text == kFuchsia) text = SysColor(kSysHighlightText);
            p[pcSelectionText] = text;
            p[pcSelectionBG] = p[pcSelectionBGFocused] = Resolved(hot.Color);
        } else {
            p[pcSelectionText] = p[pcSelectionTextFocused] = SysColor(kSysHighlightText);
            p[pcSelectionBG] = p[pcSelectionBGFocused] = SysColor(kSysHighlight);
        }
        p[pcSelectionTextFocused] = p[pcSelectionText];
    }

    const TColor editText = p[pcEditText], editBg = p[pcEditBG];
    p[pcEditBG_Inverted] = g.HasEditBgInv ? Resolved(g.EditBgInv) : editText;
    p[pcEditText_Inverted] = g.HasEditTextInv ? Resolved(g.EditTextInv) : editBg;
    p[pcEditBG_OddRow] = g.HasEditBgOdd ? Resolved(g.EditBgOdd) : editBg;
    p[pcEditBG_EvenRow] = g.HasEditBgEven ? Resolved(g.EditBgEven)
                                          : TColor(BlendTwoColors(uint32_t(editText), uint32_t(editBg), 13));
    p[pcEditText_Ok] = Resolved(g.EditTextOk);
    p[pcEditText_Warning] = Resolved(g.EditTextWarn);
    p[pcEditBG_Ok] = Resolved(g.EditBgOk);
    p[pcEditBG_Warning] = Resolved(g.EditBgWarn);
    for (int k = 0; k < 3; ++k) {
        p[size_t(pcEditText_Alert + k)] = Resolved(g.EditTextAlert[size_t(k)]);
        p[size_t(pcEditBG_Alert + k)] = Resolved(g.EditBgAlert[size_t(k)]);
        p[size_t(pcEditText_Highlight1 + k)] = Resolved(g.EditTextHighlight[size_t(k)]);
    }
    p[pcBorder] = Resolved(g.BorderColor);

    if (const int hint = SectionIndexOf("HINT"); hint >= 0) {
        p[pcHintBG] = Resolved(Section(hint).Props[ssNormal].Color);
        p[pcHintText] = Resolved(Section(hint).Props[ssNormal].FontColor);
    } else {
        p[pcHintBG] = SysColor(kSysInfoBk);
        p[pcHintText] = SysColor(kSysInfoText);
    }
}

void TSkinTables::AddSyntheticSections() {
    auto synthetic = [&](const char* name, int transparency, TColor color) {
        if (SectionIndexOf(name) >= 0) return;
        TSkinGeneralData s;
        s.ClassName = name;
        s.States = 1;
        for (TSkinGenState& st : s.Props) {
            st.Transparency = transparency;
            st.Color = color;
            st.FontColor = Palette[pcLabelText];
            st.OutlineLeft = st.OutlineTop = st.OutlineRight = st.OutlineBottom = -1;
        }
        AddSection(std::move(s));
    };
    synthetic("TRANSPARENT", 100, 0xFFFFFF);
    synthetic("MAINCOLOR", 0, Palette[pcMainColor]);
}

void TSkinTables::FinishSections() {
    BuildPalette();
    AddSyntheticSections();
    ApplyHue(HueOffset);
    ApplySaturation(Saturation);
    ApplyBrightness(Brightness);
}

}  // namespace ad::skin
