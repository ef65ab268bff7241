// Grid, extended grid and virtual tree adapters.
#include "skin/adapters/SkGridWnds.h"

#include <algorithm>

#include "base/Color.h"
#include "framework/Messages.h"
#include "skin/adapters/SkAdapterPaint.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/paint/SkinDataRules.h"
#include "skin/engine/skinfile/SkinMessages.h"

namespace ad::skin::adapters {

namespace {

constexpr TColor kBlack = 0x000000, kWhite = 0xFFFFFF;

TColor Blend(TColor a, TColor b, int weight) { return TColor(BlendTwoColors(a, b, uint8_t(weight)) & 0xFFFFFF); }

// The grid's own colours, by published property.
const TSkGridProp kGridProps[] = {
    {"FixedColor", [](const TSkGridPalette& p) -> int64_t { return p.Form; }},
    {"TitleFont.Color", [](const TSkGridPalette& p) -> int64_t { return p.Text; }},
    {"FixedFont.Color", [](const TSkGridPalette& p) -> int64_t { return p.Text; }, "ControlLook"},
    {"GridFixedLineColor", [](const TSkGridPalette& p) -> int64_t { return p.Border; }, "ControlLook"},
    {"GridLineColor", [](const TSkGridPalette& p) -> int64_t { return Blend(p.EditBack, p.EditText, 180); },
     "ControlLook"},
    {"ControlLook.FixedGradientFrom", [](const TSkGridPalette& p) -> int64_t { return Blend(p.Form, p.EditBack, 127); },
     {}, -1, true},
    {"ControlLook.FixedGradientTo", [](const TSkGridPalette& p) -> int64_t { return p.Form; }, {}, -1, true},
    {"ControlLook.FixedGradientMirrorFrom",
     [](const TSkGridPalette& p) -> int64_t { return Blend(p.Form, kBlack, 243); }, {}, -1, true},
    {"ControlLook.FixedGradientMirrorTo", [](const TSkGridPalette& p) -> int64_t { return Blend(p.Form, kWhite, 230); },
     {}, -1, true},
    {"SelectionColor", [](const TSkGridPalette& p) -> int64_t { return p.Selection; }, "ControlLook"},
    {"SelectionTextColor", [](const TSkGridPalette& p) -> int64_t { return p.SelectionText; }, "ControlLook"},
    {"GridStyle.Title.StartColor", [](const TSkGridPalette& p) -> int64_t { return Blend(p.Form, p.EditBack, 127); },
     {}, -1, true},
    {"GridStyle.Title.EndColor", [](const TSkGridPalette& p) -> int64_t { return p.Form; }, {}, -1, true},
    {"LineColors.FixedColor", [](const TSkGridPalette& p) -> int64_t { return p.Border; }},
    {"LineColors.DataColor", [](const TSkGridPalette& p) -> int64_t { return Blend(p.EditBack, p.EditText, 205); }},
    {"LineColors.ShadowColor", [](const TSkGridPalette& p) -> int64_t { return Blend(p.EditBack, p.EditText, 205); }},
    {"FooterColor", [](const TSkGridPalette& p) -> int64_t { return p.Global; }},
    {"FooterCellColor", [](const TSkGridPalette& p) -> int64_t { return p.Global; }},
    {"TitleColor", [](const TSkGridPalette& p) -> int64_t { return p.Global; }, {}, -1, true},
    {"IndicatorIconColor", [](const TSkGridPalette& p) -> int64_t { return p.SectionFont; }},
};

TColor FaceBlend(const TSkGridPalette& p) { return Blend(kWhite, p.Form, 26); }

// What the extended grid sets besides.
const TSkGridProp kGridEhProps[] = {
    {"GridLineParams.BrightColor", [](const TSkGridPalette& p) -> int64_t { return Blend(kWhite, p.EditBack, 51); }},
    {"GridLineParams.DataHorzColor", [](const TSkGridPalette& p) -> int64_t { return Blend(p.EditText, p.EditBack, 51); }},
    {"GridLineParams.DataVertColor", [](const TSkGridPalette& p) -> int64_t { return Blend(p.EditText, p.EditBack, 51); }},
    {"GridLineParams.DarkColor", [](const TSkGridPalette& p) -> int64_t { return Blend(kBlack, p.Form, 77); }},
    {"IndicatorParams.Color", [](const TSkGridPalette& p) -> int64_t { return p.Form; }},
    {"IndicatorParams.HorzLines", [](const TSkGridPalette&) -> int64_t { return 0; }},
    {"IndicatorParams.VertLines", [](const TSkGridPalette&) -> int64_t { return 0; }},
    {"IndicatorParams.FillStyle", [](const TSkGridPalette&) -> int64_t { return 2; }},
    {"TitleParams.Color", [](const TSkGridPalette& p) -> int64_t { return p.Form; }},
    {"TitleParams.SecondColor", [](const TSkGridPalette& p) -> int64_t { return FaceBlend(p); }},
    {"TitleParams.FillStyle", [](const TSkGridPalette&) -> int64_t { return 3; }},
    {"TitleParams.VertLineColor", [](const TSkGridPalette& p) -> int64_t { return p.Border; }},
    {"DataGrouping.Color", [](const TSkGridPalette& p) -> int64_t { return FaceBlend(p); }, "DataGrouping.ParentColor",
     1},
    {"RowCategories.Color", [](const TSkGridPalette& p) -> int64_t { return FaceBlend(p); }},
    {"RowCategories.Font.Color", [](const TSkGridPalette& p) -> int64_t { return p.Text; }},
    {"RowDetailPanel.Color", [](const TSkGridPalette& p) -> int64_t { return p.Form; }},
    // Only when the two saved row colours differ (ApplySkinColors).
    {"EvenRowColor", [](const TSkGridPalette& p) -> int64_t { return p.EvenRow; }},
    {"OddRowColor", [](const TSkGridPalette& p) -> int64_t { return p.OddRow; }},
};

const TSkGridProp kVirtualTreeProps[] = {
    {"VETColors.CompressedTextColor", [](const TSkGridPalette& p) -> int64_t { return p.SectionFont; }},
    {"VETColors.FileTextColor", [](const TSkGridPalette& p) -> int64_t { return p.SectionFont; }},
    {"VETColors.FolderTextColor", [](const TSkGridPalette& p) -> int64_t { return p.SectionFont; }},
    {"Colors.FocusedSelectionBorderColor", [](const TSkGridPalette& p) -> int64_t { return p.Selection; }},
    {"Colors.FocusedSelectionColor", [](const TSkGridPalette& p) -> int64_t { return p.Selection; }},
    {"Colors.HotColor", [](const TSkGridPalette& p) -> int64_t { return p.EditText; }},
    {"Colors.UnfocusedSelectionBorderColor",
     [](const TSkGridPalette& p) -> int64_t { return Blend(p.Selection, p.EditBack, 127); }},
    {"Colors.UnfocusedSelectionColor",
     [](const TSkGridPalette& p) -> int64_t { return Blend(p.Selection, p.EditBack, 127); }},
    {"Colors.SelectionTextColor", [](const TSkGridPalette& p) -> int64_t { return p.SelectionText; }},
    {"PaintInfoColumn.Color", [](const TSkGridPalette& p) -> int64_t { return p.Form; }},
    {"PaintInfoColumn.Style", [](const TSkGridPalette&) -> int64_t { return 1; }},
    {"Header.Color", [](const TSkGridPalette& p) -> int64_t { return p.EditBack; }},
    {"Header.Font.Color", [](const TSkGridPalette& p) -> int64_t { return p.LabelText; }},
};

bool Applies(const TComponent* control, const TSkGridProp& prop) {
    if (!control->HasPublishedProp(prop.Path)) return false;
    if (prop.Needs.empty()) return true;
    if (!control->HasPublishedProp(prop.Needs)) return false;
    return prop.NeedsValue < 0 || GetOrdPropByName(control, prop.Needs) == prop.NeedsValue;
}

}  // namespace

bool SetPropValueByName(TComponent* control, std::string_view path, int64_t value) {
    return control && control->HasPublishedProp(path) && control->SetPublishedOrdProp(path, value);
}

TColor GetColorPropByName(const TComponent* control, std::string_view path) {
    int64_t value = 0;
    if (!control || !control->GetPublishedOrdProp(path, value)) return 0;
    return TColor(ColorToRGB(TColor(value)));
}

int64_t GetOrdPropByName(const TComponent* control, std::string_view path) {
    int64_t value = 0;
    if (!control || !control->GetPublishedOrdProp(path, value)) return 0;
    return value;
}

// ---- Grid ----

std::span<const TSkGridProp> TSkGridWnd::Props() const { return kGridProps; }

TSkGridPalette TSkGridWnd::Palette() const {
    TSkGridPalette p;
    const TSkinCommonData& data = *SkinData();
    const TSkinTables* skin = data.Skin();
    if (!skin) return p;
    p.Form = skin->FormColor();
    p.Text = skin->Palette[pcLabelText];
    p.Border = skin->Palette[pcBorder];
    p.EditBack = skin->EditBackColor();
    p.EditText = skin->EditTextColor();
    p.Selection = skin->SelectionColor(true);
    p.SelectionText = skin->SelectionTextColor(true);
    p.LabelText = skin->LabelTextColor();
    p.EvenRow = skin->Palette[13];
    p.OddRow = skin->Palette[12];
    if (skin->IsValidSectionIndex(skin->GlobalInfoIndex)) p.Global = skin->Section(skin->GlobalInfoIndex).Props[0].Color;
    p.SectionFont = SectionFontColor(data, ColorState());
    return p;
}

std::optional<int64_t> TSkGridWnd::Saved(std::string_view path) const {
    for (const auto& [savedPath, value] : saved_)
        if (savedPath == path) return value;
    return std::nullopt;
}

void TSkGridWnd::SaveColors() {
    TSkEditWnd::SaveColors();
    saved_.clear();
    const TWinControl* control = Control();
    if (!control) return;
    for (const TSkGridProp& prop : Props()) {
        int64_t value = 0;
        if (!control->GetPublishedOrdProp(prop.Path, value)) continue;
        // "No colour" cannot be put back as a colour: the face colour stands for it.
        if (prop.NoColorIsFace && TColor(value) == clNone) value = clBtnFace;
        saved_.emplace_back(prop.Path, value);
    }
}

// Puts back what was saved, by name: a descendant's table may be gone by the time the base frees.
void TSkGridWnd::RestoreWindow() {
    TSkEditWnd::RestoreWindow();
    TWinControl* control = Control();
    if (!control || control->Destroying()) return;
    for (const auto& [path, value] : saved_) SetPropValueByName(control, path, value);
}

void TSkGridWnd::ApplySkinColors() {
    TSkEditWnd::ApplySkinColors();
    TWinControl* control = Control();
    if (!control || !SkinData()->Skin()) return;
    const TSkGridPalette palette = Palette();
    for (const TSkGridProp& prop : Props())
        if (prop.Path != "EvenRowColor" && prop.Path != "OddRowColor" && Applies(control, prop))
            SetPropValueByName(control, prop.Path, prop.Value(palette));
}

void TSkGridWnd::WndProc(TMessage& m) {
    if (!SkinActive() || Destroyed()) {
        TSkEditWnd::WndProc(m);
        return;
    }
    HWND wnd = WindowHandle();
    switch (m.Msg) {
        case WM_ERASEBKGND:
            SkinData()->Updating = SkinData()->QueryUpdating();
            m.Result = 1;
            return;
        case WM_VSCROLL: {
            const TWinControl* control = Control();
            if (!control || !control->HasPublishedProp("DataSource")) break;
            // A data grid scrolls by the record the thumb stands at.
            const int trackPos = VertBar().ScrollInfo.nTrackPos;
            const int code = LOWORD(m.WParam);
            if (code == SB_THUMBPOSITION || code == SB_THUMBTRACK) {
                SCROLLINFO info{};
                info.cbSize = sizeof(info);
                info.fMask = SIF_POS;
                info.nPos = trackPos;
                ::SetScrollInfo(wnd, SB_VERT, &info, FALSE);
            } else if (code == SB_ENDSCROLL && control->ClassName() != "TwwDBGrid") {
                SendScrollMessage(WM_VSCROLL, SB_THUMBPOSITION, trackPos);
            }
            break;
        }
        default: break;
    }
    TSkEditWnd::WndProc(m);
    switch (m.Msg) {
        case WM_PAINT: RefreshScrollInfo(true); break;
        case WM_WINDOWPOSCHANGED:
            if (::IsWindowVisible(wnd)) SendMsg(WM_NCPAINT, 0, 0);
            break;
        default: break;
    }
}

// ---- Grid with the extended property set ----

std::span<const TSkGridProp> TSkGridEhWnd::Props() const {
    static const std::vector<TSkGridProp> all = [] {
        std::vector<TSkGridProp> props(std::begin(kGridProps), std::end(kGridProps));
        props.insert(props.end(), std::begin(kGridEhProps), std::end(kGridEhProps));
        return props;
    }();
    return all;
}

void TSkGridEhWnd::ApplySkinColors() {
    TSkGridWnd::ApplySkinColors();
    TWinControl* control = Control();
    if (!control || !SkinData()->Skin()) return;
    // Alternating rows keep alternating: only rows that differed get the skin's pair.
    const std::optional<int64_t> even = Saved("EvenRowColor"), odd = Saved("OddRowColor");
    if (!even || !odd || *even == *odd) return;
    const TSkGridPalette palette = Palette();
    SetPropValueByName(control, "EvenRowColor", palette.EvenRow);
    SetPropValueByName(control, "OddRowColor", palette.OddRow);
}

// ---- Virtual tree ----

std::span<const TSkGridProp> TSkVirtualTreeViewWnd::Props() const { return kVirtualTreeProps; }

void TSkVirtualTreeViewWnd::WndProc(TMessage& m) {
    if (!SkinActive() || Destroyed()) {
        TSkEditWnd::WndProc(m);
        return;
    }
    HWND wnd = WindowHandle();
    switch (m.Msg) {
        case WM_ERASEBKGND: m.Result = 1; return;
        case WM_HSCROLL:
        case WM_VSCROLL: {
            const bool vertical = m.Msg == WM_VSCROLL;
            if (LOWORD(m.WParam) == SB_THUMBTRACK) {
                // The tree reads the track position from the window's scroll info.
                SCROLLINFO info{};
                info.cbSize = sizeof(info);
                info.fMask = SIF_TRACKPOS;
                info.nTrackPos = (vertical ? VertBar() : HorzBar()).ScrollInfo.nTrackPos;
                ::SetScrollInfo(wnd, vertical ? SB_VERT : SB_HORZ, &info, FALSE);
            }
            if (!vertical) break;
            ::SendMessageW(wnd, WM_SETREDRAW, FALSE, 0);
            TSkEditWnd::WndProc(m);
            ::SendMessageW(wnd, WM_SETREDRAW, TRUE, 0);
            ::RedrawWindow(wnd, nullptr, nullptr, 0x585);
            return;
        }
        default: break;
    }
    TSkEditWnd::WndProc(m);
}

}  // namespace ad::skin::adapters
