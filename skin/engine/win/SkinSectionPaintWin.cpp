// Section backgrounds onto device contexts through 32-bit DIB sections.
#include "skin/engine/win/SkinSectionPaintWin.h"

#include "skin/engine/image/SkinUtils.h"

namespace ad::skin {
namespace {

// Copies between a DIB section and a DC, either way.
void CopyDib(HDC dc, const TRect& rect, HBITMAP dib, bool toDc) {
    OwnedMemoryDC memory(CreateCompatibleDC(dc));
    if (!memory) return;
    SelectObjectScope select(memory.Get(), dib);
    const int w = RectWidth(rect), h = RectHeight(rect);
    if (toDc) BitBlt(dc, rect.Left, rect.Top, w, h, memory.Get(), 0, 0, SRCCOPY);
    else BitBlt(memory.Get(), 0, 0, w, h, dc, rect.Left, rect.Top, SRCCOPY);
}

}  // namespace

void PaintSectionToDC(HDC dc, const TRect& rect, TPoint offset, const TSkBgCacheRef& background, int sectionIndex,
                      int state, const TSkinTables& skin) {
    if (!dc || IsEmpty(rect) || !skin.IsValidSectionIndex(sectionIndex)) return;
    TDibSection32 temp(RectWidth(rect), RectHeight(rect));
    if (temp.View().Empty()) return;
    PaintSectionBackground(temp.View(), {0, 0, temp.View().Width, temp.View().Height}, offset, background,
                           sectionIndex, state, kNoCustomColor, -1, -1, skin);
    SavedDCState saved(dc);
    CopyDib(dc, rect, temp.Handle(), true);
}

int PaintSectionOverDC(TDibSection32& bitmap, int sectionIndex, int fallbackIndex, HDC dc, TColor fillColor,
                       const TRect& rect, int state, const TSkinTables& skin) {
    const int used = sectionIndex >= 0 ? sectionIndex : fallbackIndex;
    if (used < 0 || !dc || IsEmpty(rect) || !skin.IsValidSectionIndex(used)) return -1;
    const int w = RectWidth(rect), h = RectHeight(rect);
    if (bitmap.View().Width != w || bitmap.View().Height != h) bitmap = TDibSection32(w, h);
    if (bitmap.View().Empty()) return -1;
    {
        SavedDCState saved(dc);
        CopyDib(dc, rect, bitmap.Handle(), false);
    }
    TSkBgCacheRef own = MakeBgCacheRefFromBitmap(bitmap.View(), 0, 0);
    own.FillColor = fillColor;
    PaintSectionBackground(bitmap.View(), {0, 0, w, h}, {0, 0}, own, used, state, kNoCustomColor, -1, -1, skin);
    return used;
}

}  // namespace ad::skin
