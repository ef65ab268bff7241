// A skinned control's caption drawn through its skin data: in the font
// colour of its section's state (adjusted by the control's tone, hue and
// saturation), with the section's outlines when disabled, its glow behind the
// text in the control's cache, underlined on web buttons, and in the classic
// engraved look when the control is not skinned.
#pragma once

#include <windows.h>

#include <string>

#include "skin/engine/win/SkinCommonData.h"

namespace ad::skin {

// Draws text into rect of dc with the DrawText format; the DC's font is used
// and its state is restored afterwards. state is the control's visual state
// (0 normal, 1 hot, 2 pressed).
void DrawDataText(HDC dc, const std::string& text, bool enabled, bool underline, TSkinCommonData& data,
                  UINT format, const TRect& rect, int state = 0);
inline void PaintRectTextData(HDC dc, const std::string& text, bool enabled, bool underline, TSkinCommonData& data,
                              UINT format, const TRect& rect, int state = 0) {
    DrawDataText(dc, text, enabled, underline, data, format, rect, state);
}

}  // namespace ad::skin
