// What a skinned form hands to desktop composition (its taskbar thumbnail and
// live preview, from its own image), and the link of a preview program to the
// skin editor, which then sends its skin to the linked form.
#pragma once

#include <windows.h>

#include "base/Geometry.h"

namespace ad::skin::forms {

class TSkinProvider;

// The size of a sourceWidth x sourceHeight image fitted into a maxWidth x
// maxHeight box with its aspect ratio kept; 0 x 0 when a side is 0.
TSize FitThumbnail(int sourceWidth, int sourceHeight, int maxWidth, int maxHeight);
// The form's image fitted into the box for the taskbar thumbnail; false
// without composition support, for an empty box or without an image.
bool SetIconicThumbnail(HWND window, TSkinProvider& provider, int maxWidth, int maxHeight);
// The form's whole image with its children for the live preview.
bool SetLivePreviewBitmap(HWND window, TSkinProvider& provider);
// The taskbar's top window (class "Shell_TrayWnd"), null when none.
HWND FindTaskbarWindow();

// The editor link is wanted: the program's first argument is "/acpreview".
bool SkinEditorPreviewWanted();
void SetSkinEditorPreviewWanted(bool on);
// Links window to a running skin editor, once per process and only the main
// form (or any window while the main form has none): the editor (a top window
// titled "Skin Editor") is asked at most 101 times, each ask bounded by a
// timeout so that a hung window cannot stop the program, until it answers 1.
// Returns the last answer - 1, or (as a number) window when nothing was asked.
LRESULT LinkToSkinEditor(HWND window);

}  // namespace ad::skin::forms
