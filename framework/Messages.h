// The class library's own window messages: the notices a control gets when
// one of its properties changes (CM_*, numbered from 0xB000) and the
// notifications a parent hands back to the child they concern (CN_*, 0xBC00
// plus the window message). Anything that hooks a control's window (a
// subclass, a skinning layer) sees them like any other message.
#pragma once

#include <windows.h>

namespace ad {

constexpr UINT CM_BASE = 0xB000;

// Sent by the class library (to the control itself unless said otherwise).
// Only a control with a window gets them (nothing can hook it before).
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;     // wParam: the new Visible
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;     // Enabled changed (also for EnableWindow on the window)
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;       // Color or ParentColor changed
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;        // the font (own or the parent's) changed
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;        // the text differs from before
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;         // the mouse came over the window
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;         // the mouse left the window
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 25;     // shown or hidden with its parents
constexpr UINT CM_ENTER = CM_BASE + 26;              // the focus came to the control (fires OnEnter)
constexpr UINT CM_EXIT = CM_BASE + 27;               // the focus left the control (fires OnExit)
constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 44;  // to the parent: wParam the child, lParam 1 inserted, 0 removed
constexpr UINT CM_HINTSHOW = CM_BASE + 48;           // by the application: lParam a THintInfo*, non-zero keeps it hidden
constexpr UINT CM_RECREATEWND = CM_BASE + 51;        // its handler makes the window again: passed on, the window is new
constexpr UINT CM_INVALIDATE = CM_BASE + 52;         // Invalidate(): the handler invalidates the window
constexpr UINT CM_CHANGED = CM_BASE + 55;            // the control's value changed (lParam: the control)
constexpr UINT CM_BIDIMODECHANGED = CM_BASE + 60;    // BiDiMode changed
constexpr UINT CM_MENUCHANGED = CM_BASE + 21;        // to a form: its menu bar was set, taken off or made again

// Read by skinning layers but never sent here, for the reason given:
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;          // dialog keys go through TForm::IsDialogKey, not messages
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;        // no form-wide active-control tracking
constexpr UINT CM_UIACTIVATE = CM_BASE + 41;         // no in-place activation of embedded objects
constexpr UINT CM_UNDOCKCLIENT = CM_BASE + 57;       // no docking
constexpr UINT CM_FLOAT = CM_BASE + 58;              // no docking
constexpr UINT CM_ACTIONUPDATE = CM_BASE + 63;       // no action lists

// Reflected notifications: the parent sends CN_BASE + msg, with the original
// wParam and lParam, to the child's window; the child's WndProc hands them to
// its CN* virtuals, and what none of them takes goes back to the parent's
// previous window procedure.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;

}  // namespace ad
