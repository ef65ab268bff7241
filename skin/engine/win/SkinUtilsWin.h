// Windows helpers of the skin engine: the program's folder, directory search,
// registry numbers, the caption font, window animation, platform
// tests, message pumping and boxes, and rectangles of controls and pictures.
#pragma once

#include <windows.h>

#include <string>

#include "base/TextStyle.h"
#include "framework/Controls.h"
#include "framework/Handles.h"
#include "skin/engine/image/SkinTypes.h"

namespace ad {
class TPicture;
}  // namespace ad

namespace ad::skin {

// The program file's folder with a trailing backslash.
std::string ApplicationFolder();
bool DirExists(const std::string& dirName);

// One directory search: DirSearchFirst opens it and fills the first entry,
// DirSearchNext the next one; the search is closed by DirSearchClose, by a
// failed step or when the record goes away.
struct TDirSearch {
    std::string Name;  // the entry's name without folder
    DWORD Attr = 0;    // FILE_ATTRIBUTE_* flags
    WIN32_FIND_DATAW Data{};
    OwnedFind Handle;
};
bool DirSearchFirst(const std::string& mask, TDirSearch& search);
bool DirSearchNext(TDirSearch& search);
void DirSearchClose(TDirSearch& search);

// A REG_DWORD value; 0 when the key or the value is missing or not a number.
int ReadRegistryInteger(HKEY root, const std::string& key, const std::string& name);

// The caption font of the non-client metrics: its height, or a font made from
// it (0 / null when the system does not answer).
int CaptionFontHeight();
OwnedFont CreateCaptionFont();

// The system's minimise and restore animation of windows.
bool WindowAnimationOn();
void SetWindowAnimation(bool on);

bool OSIsXPOrNewer();  // version above 5.0
// Whether visual styles are on: the process's one theme binding (framework/Themes.h).
bool ThemesActive();

// A control that may paint now: it has a parent and a window, and is neither
// being built (its form loading), destroyed nor having its window made.
bool IsControlPaintable(TWinControl* control);
// DrawText flags for an alignment (DT_LEFT, DT_RIGHT or DT_CENTER with
// DT_EXPANDTABS and DT_VCENTER); a right-to-left control swaps left and right
// and reads right to left.
UINT TextFlagsForAlignment(const TWinControl* control, TAlignment alignment);
bool IsWow64();        // a 32-bit program on 64-bit Windows

// Processes the application's messages until the time has passed.
void PumpMessagesFor(unsigned milliseconds);
// A warning or error box with an OK button (through the application's box).
void ShowWarning(const std::string& text);
void ShowError(const std::string& text);
TMessage BuildMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT result = 0);

// Rectangles and points of messages, controls and pictures.
TPoint PointFromCoords(LPARAM coords);         // signed x and y packed as in mouse messages
TRect GraphicBoundsRect(const TPicture& picture);  // 0, 0, its width, its height
TRect ControlSizeRect(const TWinControl& control);  // 0, 0, its width, its height
TRect RectSizeRect(const TRect& r);            // 0, 0, its width, its height
TPoint BitmapSize(HBITMAP bitmap);             // width and height; 0, 0 for no bitmap
TPoint ControlPosition(const TWinControl& control);  // left and top in its parent

}  // namespace ad::skin
