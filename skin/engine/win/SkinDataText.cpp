// Captions of skinned controls drawn through their skin data.
#include "skin/engine/win/SkinDataText.h"

#include "skin/engine/win/SkinText.h"

#include <algorithm>

#include "framework/WinGeometry.h"
#include "skin/engine/win/SkinDataMessages.h"
#include "skin/engine/win/SkinManager.h"

namespace ad::skin {
namespace {

constexpr int kMaxDrawnChars = 5460;

void DrawIn(HDC dc, const std::string& text, TRect r, UINT format, TColor color, int dx = 0, int dy = 0) {
    SetTextColor(dc, ColorToRGB(color));
    RECT rc = ToRECT(Offset(r, dx, dy));
    DrawTextA(dc, text.data(), int(std::min<size_t>(text.size(), kMaxDrawnChars)), &rc, format);
}

// The section whose colours the text takes: a control on one of the first
// common sections (menu item to web button) takes what lies under it.
int TextSection(TSkinCommonData& data, const TSkinTables& skin, int state) {
    const int index = data.SkinIndex;
    if (!data.OwnerControl || !data.OwnerControl->Parent()) return index;
    for (int i = csMenuItem; i <= csWebButton; ++i)
        if (skin.CommonIndexes[size_t(i)] == index)
            return ParentSectionForState(data.OwnerControl, index, data.SkinManager(), state);
    return index;
}

}  // namespace

void DrawDataText(HDC dc, const std::string& text, bool enabled, bool underline, TSkinCommonData& data,
                  UINT format, const TRect& rect, int state) {
    if (!dc) return;
    SavedDCState saved(dc);
    SetBkMode(dc, TRANSPARENT);
    const TSkinTables* skin = data.IsSkinActive() ? data.Skin() : nullptr;
    // Web buttons underline their caption when asked.
    OwnedFont underlined;
    if (underline && skin && skin->CommonIndexes[csWebButton] == data.SkinIndex) {
        LOGFONTA lf{};
        if (GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof lf, &lf)) {
            lf.lfUnderline = TRUE;
            underlined = OwnedFont(CreateFontIndirectA(&lf));
        }
    }
    SelectObjectScope select(dc, underlined.Get());
    const TColor ownColor = data.OwnerControl ? data.OwnerControl->Font().Color() : clWindowText;
    if (!skin) {
        if (enabled) {
            DrawIn(dc, text, rect, format, ownColor);
        } else {
            DrawIn(dc, text, rect, format, clBtnHighlight, 1, 1);
            DrawIn(dc, text, rect, format, clBtnShadow);
        }
        return;
    }
    if (data.CustomFont()) {
        DrawIn(dc, text, rect, enabled ? format : format | DT_NOCLIP, ownColor);
        return;
    }
    const int section = TextSection(data, *skin, state);
    if (!skin->IsValidSectionIndex(section)) return;
    const TSkinGenState& props =
        skin->Section(section).Props[size_t(ClampSectionState(*skin, section, std::min(state, 2)))];
    auto adjust = [&](TColor c) { return AdjustControlColor(c, data.ColorTone, data.HUEOffset, data.Saturation); };
    if (props.GlowSize != 0 && data.CacheImage && !data.CacheImage->Empty()) {
        // The glow goes behind the text into the cache, clipped to the rectangle.
        const TImageView32 cache = data.CacheImage->View();
        const TRect r = IntersectRects(rect, {0, 0, cache.Width, cache.Height});
        if (!IsEmpty(r)) {
            const TImageView32 inside{cache.Pixel(r.Left, r.Top), cache.Distance, RectWidth(r), RectHeight(r)};
            TGlowMask mask;
            PaintTextGlow(inside, text, {rect.Left - r.Left, rect.Top - r.Top, rect.Right - r.Left, rect.Bottom - r.Top},
                          mask, adjust(props.GlowColor), props.GlowSize, kGlowLeft | kGlowUp | kGlowRight | kGlowDown,
                          format, static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT)));
        }
    }
    if (enabled) {
        DrawIn(dc, text, rect, format, adjust(props.FontColor));
        return;
    }
    const struct {
        TColor color;
        int dx, dy;
    } outlines[] = {{props.OutlineLeft, -1, 0}, {props.OutlineTop, 0, -1}, {props.OutlineRight, 1, 0},
                    {props.OutlineBottom, 0, 1}};
    for (const auto& o : outlines)
        if (o.color != -1) DrawIn(dc, text, rect, format | DT_NOCLIP, adjust(o.color), o.dx, o.dy);
    DrawIn(dc, text, rect, format | DT_NOCLIP, props.FontColor);
}

}  // namespace ad::skin
