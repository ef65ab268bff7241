// The frame sizes of a skinned window, over the window and its extended-border
// window (null without one), so that forms and dialogs share them: border
// widths, caption heights and what the skin adds to them. Without a border
// window the skin's BORDERWIDTH does not count: the system frame does.
#pragma once

#include <windows.h>

#include "framework/Forms.h"
#include "skin/engine/skinfile/SkinTables.h"

namespace ad::skin::forms {

class TSkBorderForm;

// System metrics read once: SM_CXFRAME, SM_CXDLGFRAME, SM_CYCAPTION, SM_CYSMCAPTION, SM_CXPADDEDBORDER.
struct TSkSystemFrame {
    int CxFrame = 4, CxDlgFrame = 3, CyCaption = 19, CySmCaption = 16, CxPaddedBorder = 0;
};
const TSkSystemFrame& SystemFrame();

// The skin tables a border window paints with (null without one or without a skin).
const TSkinTables* BorderSkin(const TSkBorderForm* border);

int FormBorderWidth(HWND wnd, const TSkBorderForm* border, bool useSkin);
int FormTopBorder(HWND wnd, const TSkBorderForm* border, bool useSkin);
// SM_CYSMCAPTION for a (sizeable) tool window that is not minimised, else SM_CYCAPTION.
int SysCaptionHeight(TForm* form);
int SysCaptionHeightFor(TFormBorderStyle style, bool iconic);
int SkinTitleHeight(const TSkBorderForm* border, bool ownerZoomed);
int SkinBorderWidth(const TSkBorderForm* border);
int ExtraTitleHeight(const TSkBorderForm* border);
int ExtraBorderWidth(const TSkBorderForm* border);
// The system's caption font (the default GUI font when the system gives none).
LOGFONTW SystemCaptionFont();
// The icon size for a caption of h pixels: 1, 8, 16, 24 or 32.
int IconSizeFor(int h);

}  // namespace ad::skin::forms
