// Button glyph painting: state choice, grey, blend and tone, keyed 24-bit
// strips and 32-bit strips with alpha.
#include "skin/controls/skGlyphPaint.h"

#include <algorithm>

#include "framework/Buttons.h"
#include "framework/Handles.h"
#include "skin/controls/skAlphaImageList.h"
#include "skin/controls/skBitBtn.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/image/SkinAlphaDraw.h"
#include "skin/engine/win/SkinDataMessages.h"
#include "skin/engine/win/SkinDib.h"
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

int ImageCountOf(const TImageList* list) { return list ? list->Count() : 0; }
int ListImageWidth(const TImageList* list) { return list ? list->Width() : 0; }
int ListImageHeight(const TImageList* list) { return list ? list->Height() : 0; }

namespace {

// Runs draw on a 32-bit copy of the device context's rect (its top-left at
// (0, 0) of the copy), then copies the result back.
template <class Draw>
void OnCanvasCopy(HDC canvas, const TRect& rect, Draw&& draw) {
    const int w = rect.Width(), h = rect.Height();
    if (!canvas || w <= 0 || h <= 0) return;
    TDibSection32 copy(w, h);
    if (copy.View().Empty()) return;
    OwnedMemoryDC dc(::CreateCompatibleDC(canvas));
    if (!dc) return;
    SelectObjectScope selected(dc.Get(), copy.Handle());
    ::BitBlt(dc.Get(), 0, 0, w, h, canvas, rect.Left, rect.Top, SRCCOPY);
    ::GdiFlush();
    draw(copy.View());
    ::GdiFlush();
    ::BitBlt(canvas, rect.Left, rect.Top, w, h, dc.Get(), 0, 0, SRCCOPY);
}

constexpr uint32_t kFuchsiaPixel = 0xFF00FF;  // the same in colour and pixel order

// A cell of a strip without alpha: keyed by the cell's bottom-left pixel.
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
    // The key is a pixel; the copy takes a colour.
    CopyBitmapKeyed(p.DstBmp, view, p.ImgRect.Left, TColor(SwapRedBlue(key) & 0xFFFFFF), p.ImgRect.Top);
}

// An image of a plain image list: drawn over the list's background colour
// (fuchsia without one) into a temporary bitmap, then copied or blended
// leaving that colour out.
void DrawPlainListImage(const TSkGlyphDrawParams& p, int blend) {
    TImageList& list = *p.Images;
    const int w = list.Width(), h = list.Height();
    if (w <= 0 || h <= 0 || !list.Handle()) return;
    TDibSection32 image(w, h);
    const TImageView32 view = image.View();
    if (view.Empty()) return;
    const COLORREF listBack = ::ImageList_GetBkColor(list.Handle());
    const uint32_t key = listBack == CLR_NONE ? kFuchsiaPixel : SwapRedBlue(listBack & 0xFFFFFF);
    FillRect32(view, {0, 0, w, h}, TColor(SwapRedBlue(key)), 0);
    {
        OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
        SelectObjectScope selected(dc.Get(), image.Handle());
        ::ImageList_Draw(list.Handle(), p.ImageIndex, dc.Get(), 0, 0, ILD_NORMAL);
        ::GdiFlush();
    }
    // Compared as pixels: the drawing leaves the alpha bytes as they come.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) view.Pixel(x, y)[3] = 0;
    const TRect all{0, 0, w, h};
    if (p.Enabled) {
        if (p.State == 0 && p.Grayed) GrayscaleBitmapKeyed(view, GetPixel32(view, 0, 0));
        if (p.State != 0 || blend < 1) CopyBitmapKeyed(p.DstBmp, view, p.ImgRect.Left, TColor(kFuchsiaPixel), p.ImgRect.Top);
        else BlendRectKeyed(p.DstBmp, p.ImgRect.Left, p.ImgRect.Top, kFuchsiaPixel,
                            uint8_t(std::min(100, blend) * 255 / 100), all, view);
        return;
    }
    if (p.Grayed) GrayscaleBitmapKeyed(view, kFuchsiaPixel);
    if (p.DisabledGlyphKind & dgBlended) BlendRectKeyed(p.DstBmp, p.ImgRect.Left, p.ImgRect.Top, kFuchsiaPixel, 127, all, view);
    else CopyBitmapKeyed(p.DstBmp, view, p.ImgRect.Left, TColor(kFuchsiaPixel), p.ImgRect.Top);
}

}  // namespace

void DrawImageListGlyph(TSkGlyphDrawParams p) {
    if (!p.Grayed) p.ToneColor = skNoColor;
    const TSkinManager* manager = DefaultManager();
    const bool stdOrder = manager && manager->Options.StdGlyphsOrder;
    const bool fromList = p.Images && p.ImageIndex >= 0 && p.ImageIndex < ImageCountOf(p.Images);
    const bool fromGlyph = !fromList && p.Glyph && p.Glyph->Width() > 0 && p.Glyph->Height() > 0;
    if (!fromList && !fromGlyph) return;
    auto* alphaList = fromList ? dynamic_cast<TSkinAlphaImageList*>(p.Images) : nullptr;
    if (p.DstBmp.Empty()) {
        // Without a cache: a plain list draws itself; anything else is drawn
        // as into a cache, on a copy of the canvas under the glyph.
        if (!p.Canvas) return;
        if (fromList && !alphaList) {
            p.Images->Draw(p.Canvas, p.ImageIndex, p.ImgRect.Left, p.ImgRect.Top);
            return;
        }
        const int width = fromList ? ListImageWidth(p.Images) / std::max(1, p.NumGlyphs)
                                   : p.Glyph->Width() / std::max(1, p.NumGlyphs);
        const int height = fromList ? ListImageHeight(p.Images) : p.Glyph->Height();
        // A reflection goes below the glyph: half its height more.
        const TRect area{p.ImgRect.Left, p.ImgRect.Top, p.ImgRect.Left + width,
                         p.ImgRect.Top + height + (p.Reflected ? height / 2 : 0)};
        OnCanvasCopy(p.Canvas, area, [&](const TImageView32& view) {
            TSkGlyphDrawParams onCopy = p;
            onCopy.DstBmp = view;
            onCopy.Canvas = nullptr;
            onCopy.ImgRect = {0, 0, width, height};
            DrawImageListGlyph(onCopy);
        });
        return;
    }
    if (fromList) {
        int blend = p.State == 0 ? p.Blend : 0;
        if (!p.Enabled && (p.DisabledGlyphKind & dgBlended)) blend = std::max(50, blend);
        if (!alphaList) {
            DrawPlainListImage(p, p.Blend);
            return;
        }
        // The list's image: its cell by state, blended by its alpha.
        const int cell = GlyphCellIndex(p.State, p.NumGlyphs, p.Enabled, stdOrder);
        DrawListImage(*alphaList, p.DstBmp, p.ImgRect.Left, p.ImgRect.Top, p.Reflected, p.NumGlyphs, cell,
                      uint32_t(p.ToneColor), blend, p.ImageIndex);
        return;
    }
    const int cell = GlyphCellIndex(p.State, p.NumGlyphs, p.Enabled, stdOrder);
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
