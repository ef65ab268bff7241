// A control's section body, state corners and border corners.
#include "skin/engine/win/SkinDataPaint.h"

#include "skin/engine/paint/SkinMaskPaint.h"
#include "skin/engine/paint/SkinSectionPaint.h"
#include "skin/engine/win/SkinCacheImage.h"
#include "skin/engine/win/SkinMessaging.h"

namespace ad::skin {

namespace {

TColor CustomColorOf(const TSkinCommonData& data) {
    return data.CustomColor() ? TColor(SkinColorToRGB(data.OwnerColor())) : kNoCustomColor;
}

bool Meets(const TImageView32& bitmap, const TRect& rect) {
    return !bitmap.Empty() && !IsEmpty(IntersectRects(rect, {0, 0, bitmap.Width, bitmap.Height}));
}

}  // namespace

void PaintDataSectionBody(TSkinCommonData& data, const TSkBgCacheRef& background, int state,
                          const TImageView32& bitmap, TPoint offset, const TRect& rect) {
    const TSkinTables* skin = data.Skin();
    if (!skin || !Meets(bitmap, rect)) return;
    PaintSectionBackground(bitmap, rect, offset, background, data.SkinIndex, state, CustomColorOf(data),
                           data.HotPatternIndex, data.PatternIndex, *skin);
}

void PaintStateCorners(TSkinCommonData& data, const TSkBgCacheRef& background, bool fillBorder, int hotTextureIndex,
                       int textureIndex, const TImageView32& bitmap, TPoint offset, const TRect& rect, int state) {
    const TSkinTables* skin = data.Skin();
    if (!skin || !skin->IsValidSectionIndex(data.SkinIndex) || !Meets(bitmap, rect)) return;
    PaintSectionBorders(bitmap, rect, offset, background, data.SkinIndex, state, hotTextureIndex, textureIndex, *skin,
                        CustomColorOf(data), fillBorder);
    const TSkinGeneralData& section = skin->Section(data.SkinIndex);
    const int clamped = std::clamp(state, 0, std::max(0, section.States - 1));
    const bool border = skin->IsValidMaskIndex(section.BorderIndex) &&
                        !(clamped == 0 && (skin->Mask(section.BorderIndex).DrawFlags & kMaskNoNormalImage));
    if (!border && section.Props[size_t(std::min(clamped, 2))].Transparency != 0) return;
    data.ApplyColorAdjust(bitmap, -1);
}

bool PaintStateCornersWnd(TSkinCommonData& data, TWinControl* control, int hotTextureIndex, int textureIndex,
                          bool fillBorder, const TImageView32& bitmap, TPoint offset, const TRect& rect, int state) {
    TSkParentBgRequest r;
    GetParentBg(r, control ? control->Parent() : nullptr, false);
    if (r.Kind == pbNotReady) return false;
    TSkBgCacheRef background = MakeBgCacheRef(r);
    if (r.Kind == pbImage && control) {
        background.X += control->Left();
        background.Y += control->Top();
    }
    const TSkinTables* skin = data.Skin();
    if (!skin || !skin->IsValidSectionIndex(data.SkinIndex) || !Meets(bitmap, rect)) return true;
    const TSkinGeneralData& section = skin->Section(data.SkinIndex);
    state = std::clamp(state, 0, std::max(0, section.States - 1));
    PaintSectionBackground(bitmap, rect, offset, background, data.SkinIndex, state, CustomColorOf(data),
                           hotTextureIndex, textureIndex, *skin);
    if (skin->IsValidMaskIndex(section.BorderIndex))
        DrawMaskNineGrid(bitmap, rect, background, fillBorder, state, skin->Mask(section.BorderIndex), *skin);
    DrawSectionCorners(bitmap, rect, data.SkinIndex, state, *skin);
    return true;
}

void PaintBorderCorners(TSkinCommonData& data, int state, int corners) {
    const TSkinTables* skin = data.Skin();
    if (!skin || !data.CacheImage || data.CacheImage->Empty() || !skin->IsValidMaskIndex(data.BorderIndex)) return;
    if (!data.OwnerParent() && !(data.OwnerWindow && GetParent(data.OwnerWindow))) return;
    const TImageView32 cache = data.CacheImage->View();
    DrawMaskCorners(cache, {0, 0, cache.Width, cache.Height}, data.GetParentBgRef(), state, corners,
                    skin->Mask(data.BorderIndex), *skin);
}

}  // namespace ad::skin
