// Small routines every window adapter uses: where a window lies in its
// parent, a frame refresh, the system fonts and the font an adapter writes
// with, and whether a control's skin shows a hot look at all.
#pragma once

#include <windows.h>

#include <string>

#include "base/Geometry.h"
#include "framework/Handles.h"
#include "skin/engine/win/SkinCommonData.h"

namespace ad::skin::adapters {

class TSkMainWnd;

// A window's place: its screen rectangle, its parent and the parent's screen
// rectangle, its size (never negative) and its top-left corner in the
// parent's client coordinates.
struct TSkWindowGeometry {
    HWND Parent = nullptr;
    TRect WindowRect;
    TRect ParentRect;
    TPoint Size;
    TPoint PosInParent;
};
TSkWindowGeometry GetWindowGeometry(HWND wnd);

// A window's text (UTF-8); empty without one.
std::string GetWndText(HWND wnd);

// With frameChange the frame is worked out again (SetWindowPos with
// SWP_FRAMECHANGED, nothing else moving); otherwise it is only repainted.
void RefreshFrame(HWND wnd, bool frameChange);

// The system font of a kind: 1 caption, 2 small caption, 3 menu, 4 status,
// any other value the message font; null when the metrics cannot be read.
OwnedFont CreateSystemFont(int kind);

// The font an adapter writes with: the class-library control's font, else
// the window's own (WM_GETFONT; a charset-less ANSI font is widened to the
// default charset), else the system message font. Made fonts are owned.
class TSkAdapterFont {
public:
    explicit TSkAdapterFont(const TSkMainWnd& adapter);
    HFONT Get() const { return borrowed_ ? borrowed_ : owned_.Get(); }

private:
    HFONT borrowed_ = nullptr;
    OwnedFont owned_;
};

// Whether the control's section can look hot: a manager, a valid section
// with a border mask, and more than one state (in the section or in the
// mask); with checkOptions, not for kinds that never highlight (unless the
// edit-hover switch is on for them) nor with the manager's NoMouseHover.
bool CanShowHotState(const TSkinCommonData& data, bool checkOptions);

}  // namespace ad::skin::adapters
