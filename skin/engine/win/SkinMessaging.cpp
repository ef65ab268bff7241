// Sending and broadcasting the private skin message.
#include "skin/engine/win/SkinMessaging.h"

#include <utility>
#include <vector>

#include "framework/WindowEnum.h"
#include "skin/engine/win/SkinEngineLinks.h"

namespace ad::skin {

void SetSkinWindowData(HWND wnd, TSkinWindowData* data) {
    if (data) SetPropW(wnd, kSkinDataProp, reinterpret_cast<HANDLE>(data));
    else RemovePropW(wnd, kSkinDataProp);
}

TSkinWindowData* GetSkinWindowData(HWND wnd) {
    return wnd ? reinterpret_cast<TSkinWindowData*>(GetPropW(wnd, kSkinDataProp)) : nullptr;
}

LRESULT SendAdapterMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (TSkinWindowData* data = GetSkinWindowData(wnd)) {
        TMessage m{msg, wParam, lParam, 0};
        if (data->CallSavedWindowProc(m)) return m.Result;
    }
    return SendMessageW(wnd, msg, wParam, lParam);
}

LRESULT SendSkinCommand(HWND wnd, int command, LPARAM lParam) {
    return SendAdapterMessage(wnd, SKM_SKINCMD, SkinCommandWParam(command), lParam);
}

LRESULT SendControlCommand(TWinControl* control, int command, LPARAM lParam) {
    if (!control || control->Destroying() || !control->HandleAllocated()) return 0;
    return SendSkinCommand(control->Handle(), command, lParam);
}

bool WindowAnswersCommand(HWND wnd, int command) { return SendSkinCommand(wnd, command, 0) == 1; }

bool IsSkinnedWindow(HWND wnd) {
    if (!wnd) return false;
    return GetPropW(wnd, kSkinDataProp) || GetPropW(wnd, kSkinAdapterProp) ||
           WindowAnswersCommand(wnd, SKC_ISSKINNED);
}

bool IsControlSkinned(TWinControl* control) {
    if (!control) return false;
    if (!control->HandleAllocated()) return control->Perform(SKM_SKINCMD, SkinCommandWParam(SKC_ISSKINNED), 0) == 1;
    return IsSkinnedWindow(control->Handle());
}

TColor GetControlColor(TWinControl* control) {
    if (!control) return 0xFF00FF;
    if (IsControlSkinned(control))
        return TColor(SkinColorToRGB(TColor(SendControlCommand(control, SKC_GETBGCOLOR, 0xFF00FF))));
    return TColor(SkinColorToRGB(control->Color()));
}

TColor GetWindowColor(HWND wnd) {
    if (!wnd) return 0xFF00FF;
    return TColor(SkinColorToRGB(TColor(SendSkinCommand(wnd, SKC_GETBGCOLOR, 0xFF00FF))));
}

LRESULT SetWindowRedraw(HWND wnd, bool redraw) { return SendAdapterMessage(wnd, WM_SETREDRAW, redraw ? 1 : 0, 0); }

void BroadcastToChildren(TWinControl* control, TMessage& m) {
    if (!control) return;
    for (int i = 0; i < control->ControlCount(); ++i) {  // the count is read again every step
        TWinControl* child = control->Controls(i);
        if (child->Destroying()) return;
        if (!child->HandleAllocated()) {
            child->Perform(m.Msg, m.WParam, m.LParam);
            continue;
        }
        m.Result = SendAdapterMessage(child->Handle(), m.Msg, m.WParam, m.LParam);
        if (i >= control->ControlCount() || control->Controls(i) != child) continue;  // it went away
        if (!IsSkinnedWindow(child->Handle()) && !IsBroadcastClaimed(child)) BroadcastToChildren(child, m);
    }
}

void BroadcastToChildWindows(HWND wnd, const TMessage& m) {
    for (HWND child : ChildWindows(wnd))
        if (GetParent(child) == wnd) SendAdapterMessage(child, m.Msg, m.WParam, m.LParam);
}

void RepaintChildWindows(HWND wnd) {
    for (HWND child = GetWindow(wnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) SendSkinCommand(child, SKC_ENDUPDATEREDRAW, 0);
}

bool GetParentBgByHandle(TSkParentBgRequest& r, HWND wnd, bool paint) {
    const uint8_t askedPaint = r.PaintIntoDC;
    r.Kind = pbNone;
    r.PaintIntoDC = paint ? 1 : 0;
    r.Borders = {};
    SendSkinCommand(wnd, SKC_GETPARENTBG, reinterpret_cast<LPARAM>(&r));
    if (r.Kind != pbNone) return true;
    if (askedPaint && r.DC) {
        HDC dc = static_cast<HDC>(r.DC);
        const int saved = SaveDC(dc);
        POINT old{};
        OffsetViewportOrgEx(dc, -r.OffsetX, -r.OffsetY, &old);
        const TRect d{r.DestRect.Left + r.OffsetX, r.DestRect.Top + r.OffsetY, r.DestRect.Right + r.OffsetX,
                      r.DestRect.Bottom + r.OffsetY};
        IntersectClipRect(dc, d.Left, d.Top, d.Right, d.Bottom);
        SendMessageW(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        SendMessageW(wnd, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        RestoreDC(dc, saved);
        return false;
    }
    r.Color = DefaultFormColor();
    r.Kind = pbColor;
    return false;
}

bool GetParentBg(TSkParentBgRequest& r, TWinControl* control, bool paint) {
    if (control && !control->Destroying() && control->HandleAllocated())
        return GetParentBgByHandle(r, control->Handle(), paint);
    r.Kind = pbColor;
    r.Color = DefaultFormColor();
    return false;
}

TSkBgCacheRef GetWindowParentBgRef(HWND window) {
    const HWND parent = window ? GetParent(window) : nullptr;
    if (!parent) return {};
    TSkParentBgRequest r;
    GetParentBgByHandle(r, parent, false);
    TSkBgCacheRef ref = MakeBgCacheRef(r);
    if (r.Kind == pbImage) {
        // The answer starts at the parent's client origin: the window lies further in.
        RECT bounds{};
        GetWindowRect(window, &bounds);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bounds), 2);
        ref.X += bounds.left;
        ref.Y += bounds.top;
    }
    return ref;
}

}  // namespace ad::skin
