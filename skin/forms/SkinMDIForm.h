// MDI parent forms in the skin: TSkinMDIForm ties the form's provider to the
// form's MDI client window, whose adapter TSkMDIWnd paints the MDI area and
// its frame from the skin, keeps a thumb drag from scrolling until the thumb
// is released, and refreshes the form's frame when children come, go or are
// arranged. The form's Window menu lists the children itself: the system's
// own list would be drawn unskinned.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "base/Geometry.h"
#include "framework/Menus.h"
#include "framework/WindowSubclass.h"

namespace ad::skin::forms {

class TSkinProvider;

// Window-menu entries made for the children carry this bit in their item
// data, the child's index in the low bits, and a command id from kWindowItemFirst.
constexpr ULONG_PTR kWindowItemTag = 0x200;
constexpr UINT kWindowItemFirst = 0xFE00;
constexpr int kMaxWindowItems = 0x100;

class TSkMDIWnd {
public:
    TSkMDIWnd(HWND client, TSkinProvider* provider);
    ~TSkMDIWnd();
    TSkMDIWnd(const TSkMDIWnd&) = delete;
    TSkMDIWnd& operator=(const TSkMDIWnd&) = delete;

    HWND Handle() const { return client_; }
    // The active child is maximised: the client paints neither area nor frame.
    bool ChildMaximised() const;
    // The MDI area into dc: the provider's image of it, or the form's colour.
    void PaintMDIArea(HDC dc, bool noEdge);
    // The client's 2-pixel frame (none without WS_EX_CLIENTEDGE) into its window DC.
    void PaintMDIFrame(HDC dc);

private:
    bool WndProc(TMessage& m);

    HWND client_;
    TSkinProvider* provider_;
    std::unique_ptr<TWindowSubclass> subclass_;
};

class TSkinMDIForm {
public:
    explicit TSkinMDIForm(TSkinProvider* provider);
    ~TSkinMDIForm();
    TSkinMDIForm(const TSkinMDIForm&) = delete;
    TSkinMDIForm& operator=(const TSkinMDIForm&) = delete;

    // Connects unless an adapter exists already.
    void Start();
    // A new adapter on the form's MDI client (none without an active skin).
    void Connect();
    void Disconnect();
    // The provider's frame refreshed (children or their menus changed).
    void UpdateProvider();

    TSkMDIWnd* Adapter() const { return adapter_.get(); }
    // The form's MDI client window (null when it has none).
    HWND ClientHandle() const;
    // The MDI children, topmost first.
    std::vector<HWND> Children() const;
    // The active child (null for none) and whether it is maximised.
    HWND ActiveChild(bool* maximised = nullptr) const;

    // The index, among the form's menu-bar items, of its Window menu (-1: none).
    int WindowMenuIndex = -1;
    // WM_INITMENUPOPUP of the Window menu: the system's child entries replaced
    // by the form's own, the active child checked. True when handled.
    bool InitWindowMenu(HMENU popup);
    // A child's entry was chosen: that child comes to the front (nothing for a stale index).
    void WindowItemClick(int index);
    // WM_COMMAND of a child's entry; true when it was one.
    bool HandleCommand(WPARAM wParam);

private:
    TSkinProvider* provider_;
    std::unique_ptr<TSkMDIWnd> adapter_;
};

}  // namespace ad::skin::forms
