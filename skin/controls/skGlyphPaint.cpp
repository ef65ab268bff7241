// Button glyph painting: state choice, grey, blend and tone, keyed 24-bit
// strips and 32-bit strips with alpha.
#include "skin/controls/skGlyphPaint.h"

#include <algorithm>

#include "framework/Buttons.h"
#include "skin/controls/skAlphaImageList.h"
#include "skin/controls/skBitBtn.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/win/SkinDataMessages.h"
#include "skin/engine/win/SkinManager.h"

namespace ad::skin::controls {

int GlyphCellIndex(int state, int numGlyphs, bool enabled, bool stdOrder) {
    numGlyphs = std::max(1, numGlyphs);
    if (stdOrder) {
        if (state == 1) state = 0;
        if (state != 0 && numGlyphs < 3) state = 0;
        if (state == 0 && !enabled) state = 1;
    }
    return std::clamp(state, 0, numGlyphs - 1);
}

void FillGlyphBackground(TSkinCommonData& data, TSkGlyphDrawParams& params) {
    params.SkinManager = data.SkinManager();
    params.DstBmp = data.CacheImage ? data.CacheImage->View() : TImageView32{};
    params.SkinIndex = data.SkinIndex;
    const TSkinTables* skin = data.Skin();
    TWinControl* control = data.OwnerControl;
    if (params.State == 0 && skin && control && control->Parent() && skin->IsValidSectionIndex(data.SkinIndex) &&
        skin->Section(data.SkinIndex).Props[0].Transparency == 100)
        params.SkinIndex = ParentSectionForState(control, data.SkinIndex, params.SkinManager, 0);
    if (data.CustomColor() && control) params.ToneColor = TColor(ColorToRGB(control->Color()));
    else if (skin && skin->IsValidSectionIndex(params.SkinIndex))
        params.ToneColor = skin->Section(params.SkinIndex).Props[0].Color;
    else params.ToneColor = 0xFFFFFF;
    if (data.HUEOffset != 0) params.ToneColor = ShiftColorHue(data.HUEOffset, params.ToneColor);
}

namespace {

// The glyph drawn on a device context (no skin): its image by alpha or key.
void DrawOnCanvas(const TSkGlyphDrawParams& p, int cell) {
    if (!p.Canvas || !p.Glyph) return;
    DrawGlyphImage(p.Canvas, *p.Glyph, p.NumGlyphs, cell, p.ImgRect.Left, p.ImgRect.Top);
}

void DrawKeyedCell(const TSkGlyphDrawParams& p, TBitmap32& strip, int cell, int width) {
    TBitmap32 image(width, strip.Height());
    const TImageView32 view = image.View();
    const TImageView32 source = strip.View();
    for (int y = 0; y < view.Height; ++y)
        std::copy_n(source.Pixel(cell * width, y), 4 * size_t(width), view.Pixel(0, y));
    const uint32_t key = GetPixel32(view, 0, view.Height - 1);
    const bool blendDisabled = !p.Enabled && (p.DisabledGlyphKind & dgBlended);
    if (p.Grayed || (!p.Enabled && (p.DisabledGlyphKind & dgGrayed))) GrayscaleBitmapKeyed(view, key);
    const int blend = blendDisabled ? std::max(50, p.Blend) : p.State == 0 ? p.Blend : 0;
    if (blend > 0) {
        BlendRectKeyed(p.DstBmp, p.ImgRect.Left, p.ImgRect.Top, key, uint8_t(std::min(100, blend) * 255 / 100),
                       {0, 0, view.Width, view.Height}, view);
        return;
    }
    CopyBitmapKeyed(p.DstBmp, view, p.ImgRect.Left, TColor(key & 0xFFFFFF), p.ImgRect.Top);
}

}  // namespace

void DrawImageListGlyph(TSkGlyphDrawParams p) {
    if (!p.Grayed) p.ToneColor = skNoColor;
    const TSkinManager* manager = DefaultManager();
    const bool stdOrder = manager && manager->Options.StdGlyphsOrder;
    if (p.Images && p.ImageIndex >= 0 && p.ImageIndex < p.Images->ItemCount()) {
        // The list's image: its cell by state, blended by its alpha.
        int blend = p.State == 0 ? p.Blend : 0;
        if (!p.Enabled && (p.DisabledGlyphKind & dgBlended)) blend = std::max(50, blend);
        const int cell = GlyphCellIndex(p.State, p.NumGlyphs, p.Enabled, stdOrder);
        if (!p.DstBmp.Empty()) {
            DrawListImage(*p.Images, p.DstBmp, p.ImgRect.Left, p.ImgRect.Top, p.Reflected, p.NumGlyphs, cell,
                          uint32_t(p.ToneColor), blend, p.ImageIndex);
        } else if (p.Canvas) {
            p.Images->Draw(p.Canvas, p.ImageIndex, p.ImgRect.Left, p.ImgRect.Top);
        }
        return;
    }
    if (!p.Glyph || p.Glyph->Width() <= 0 || p.Glyph->Height() <= 0) return;
    const int cell = GlyphCellIndex(p.State, p.NumGlyphs, p.Enabled, stdOrder);
    if (p.DstBmp.Empty()) {
        DrawOnCanvas(p, cell);
        return;
    }
    TBitmap32 strip = *p.Glyph;
    const int width = strip.Width() / std::max(1, p.NumGlyphs);
    if (width <= 0) return;
    if (GlyphIsKeyed(strip)) {
        DrawKeyedCell(p, strip, cell, width);
        return;
    }
    int blend = p.State == 0 ? p.Blend : 0;
    if (!p.Enabled && (p.DisabledGlyphKind & dgBlended)) blend = std::max(50, blend);
    TColor tone = p.ToneColor;
    if (!p.Enabled && (p.DisabledGlyphKind & dgGrayed) && tone == skNoColor) tone = 0x808080;
    const TRect target{p.ImgRect.Left, p.ImgRect.Top, p.ImgRect.Left + width, p.ImgRect.Top + strip.Height()};
    BlendImageRect(target, {cell * width, 0, cell * width + width, strip.Height()}, p.DstBmp, p.Reflected,
                   std::clamp(blend, 0, 100), tone, false, skNoBackground, strip.View());
}

void DrawBtnGlyph(TSkinBitBtn& button, HDC canvas) {
    const bool listGlyph = button.ImageListGlyph();
    if (!listGlyph && button.Glyph().Width() <= 0) return;
    TSkGlyphDrawParams p;
    p.Glyph = &button.Glyph();
    if (listGlyph) {
        p.Images = button.Images();
        p.ImageIndex = button.ImageIndex();
    }
    p.ImgRect = button.GlyphRect();
    p.NumGlyphs = button.NumGlyphs();
    p.Enabled = button.Enabled();
    p.Blend = button.Blend();
    p.Down = button.Down();
    p.State = button.CurrentState();
    p.Reflected = button.Reflected();
    p.DisabledGlyphKind = button.DisabledGlyphKind();
    const bool disabledGrey = !p.Enabled && (button.DisabledKind() & dkGrayed);
    const TSkinManager* manager = button.SkinData.SkinManager();
    if (p.State != 0) p.Grayed = false;
    else if (manager) p.Grayed = button.Grayed() || manager->Effects.DiscoloredGlyphs || disabledGrey;
    else p.Grayed = button.Grayed() || disabledGrey;
    if (!p.Enabled && (p.DisabledGlyphKind & dgGrayed)) p.Grayed = true;
    FillGlyphBackground(button.SkinData, p);
    if (button.GlyphColorTone() != kNoGlyphTone) {
        p.Grayed = true;
        p.ToneColor = button.GlyphColorTone();
    }
    if (canvas || p.SkinIndex < 0) {
        p.DstBmp = {};
        p.Canvas = canvas;
    }
    DrawImageListGlyph(p);
}

}  // namespace ad::skin::controls
