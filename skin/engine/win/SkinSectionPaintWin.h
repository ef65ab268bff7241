// Section backgrounds painted onto a device context: through a temporary
// 32-bit bitmap copied to the DC, or over a copy of what the DC already shows.
#pragma once

#include <windows.h>

#include "skin/engine/win/SkinDib.h"
#include "skin/engine/paint/SkinSectionPaint.h"

namespace ad::skin {

// The section's background for the state painted into a bitmap of rect's size
// and copied to rect of the DC; the DC's state is saved and restored.
void PaintSectionToDC(HDC dc, const TRect& rect, TPoint offset, const TSkBgCacheRef& background, int sectionIndex,
                      int state, const TSkinTables& skin);

// Copies rect of the DC into bitmap (made rect's size) and paints the section
// over that copy, fillColor standing for what lies behind it. The fallback
// section is used when sectionIndex is below 0; when both are, nothing is
// painted. Returns the section used (-1 for none); the caller draws bitmap.
int PaintSectionOverDC(TDibSection32& bitmap, int sectionIndex, int fallbackIndex, HDC dc, TColor fillColor,
                       const TRect& rect, int state, const TSkinTables& skin);

}  // namespace ad::skin
