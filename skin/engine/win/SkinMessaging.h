// Sending and broadcasting the skin engine's private message between windows
// and controls, and asking a parent for its background. Every result is an
// LRESULT: some answers are objects (a provider, an adapter, skin data).
#pragma once

#include <windows.h>

#include "framework/Controls.h"
#include "skin/engine/skinfile/SkinMessages.h"

namespace ad::skin {

// Window properties of skinned windows.
inline constexpr const wchar_t* kSkinDataProp = L"SKSDATA";    // the control's skin data
inline constexpr const wchar_t* kSkinAdapterProp = L"SKSBSC";  // an attached window adapter

// What the "SKSDATA" property of a window points at: the skin data of its
// control, through which a message reaches the control's own window procedure
// without the subclassing chain.
class TSkinWindowData {
public:
    virtual ~TSkinWindowData() = default;
    // Runs the control's saved window procedure; false when none is saved.
    virtual bool CallSavedWindowProc(TMessage& m) = 0;
};
void SetSkinWindowData(HWND wnd, TSkinWindowData* data);  // null removes it
TSkinWindowData* GetSkinWindowData(HWND wnd);

// The saved window procedure of the window's skin data when there is one, else SendMessage.
LRESULT SendAdapterMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT SendSkinCommand(HWND wnd, int command, LPARAM lParam = 0);
// 0 without sending for a control being destroyed or without a window.
LRESULT SendControlCommand(TWinControl* control, int command, LPARAM lParam = 0);
// True only for an answer of exactly 1.
bool WindowAnswersCommand(HWND wnd, int command);
bool IsSkinnedWindow(HWND wnd);
bool IsControlSkinned(TWinControl* control);
// The colour a child sees under itself (clFuchsia without a control or window).
TColor GetControlColor(TWinControl* control);
TColor GetWindowColor(HWND wnd);
LRESULT SetWindowRedraw(HWND wnd, bool redraw);

// The message to every child control in turn: a child being destroyed ends the
// walk; the walk descends into children that are neither skinned nor claimed
// (the engine links' broadcast claim).
void BroadcastToChildren(TWinControl* control, TMessage& m);
// A copy of the message to every direct child window of wnd.
void BroadcastToChildWindows(HWND wnd, const TMessage& m);
// SKC_ENDUPDATEREDRAW to every child window with the WS_CHILD style.
void RepaintChildWindows(HWND wnd);

// The form colour of the default manager (clBtnFace without one); the
// manager provides it.
TColor DefaultFormColor();

// Asks the window for the background under a child. True when it answered;
// otherwise, with paint set and the request's PaintIntoDC asked, the window
// paints itself into the request's DC, else the answer becomes the default
// form colour (Kind 1).
bool GetParentBgByHandle(TSkParentBgRequest& request, HWND wnd, bool paint);
// The same asked of a control (a child's parent) through its window; a
// control without a window, or one being destroyed, gives the default form
// colour and false.
bool GetParentBg(TSkParentBgRequest& request, TWinControl* control, bool paint);
// What lies under a window in its parent window, as a painting background: an
// image answer points at the window's own position in the parent's image. A
// window without a parent gets the default record (no image, clFuchsia).
TSkBgCacheRef GetWindowParentBgRef(HWND window);

}  // namespace ad::skin
