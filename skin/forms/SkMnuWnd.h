// TSkMnuWnd: the adapter of an open popup-menu window ("#32768"). The items
// are drawn by the skinned menus; the adapter paints the window's frame and
// background from the popup's frame bitmap and makes the window layered for
// the menu's alpha. A new popup window starts fully transparent and becomes
// visible once painted. The adapters live in one list; when the last popup
// window goes, the list and the popups' frames are freed, after the closing
// window's handler has returned.
#pragma once

#include <windows.h>

#include <memory>

#include "skin/adapters/SkScrollWnd.h"

namespace ad::skin::forms {

class TSkMnuWnd : public adapters::TSkScrollWnd {
public:
    // The window was painted since it showed (SKC_MENUPAINTED).
    bool Painted() const { return painted_; }

protected:
    TSkMnuWnd(HWND wnd, TSkinCommonData* skinData, TSkinManager* manager, const adapters::TSkSkinParams& params);
    friend class adapters::TSkMainWnd;
    void InitAdapter() override;
    void WndProc(TMessage& m) override;

private:
    // The window takes the menu's alpha (255: not layered) once it has been painted.
    void ApplyAlpha();
    // The frame image: the popup's frame bitmap, else a cache of the section.
    const TSkinCacheImage* FrameImage();
    void Closed();

    bool painted_ = false;
    bool framePainted_ = false;
    bool sizing_ = false;  // guards the layered switch during WM_WINDOWPOSCHANGING
    TSkinCacheImage own_;
};

// Gives a popup-menu window being made its adapter (the creation hook calls it
// when skinned popups are on); the adapter joins the list.
TSkMnuWnd* AttachMenuWindowAdapter(HWND wnd);
// Frees every menu-window adapter and the list (the hooks came off), and a
// list left by a last popup that closed since.
void FreeMenuWindowAdapters();
// Frees a list that the last popup's closing left for later (called before
// new popups are adapted and by the hook).
void PurgeClosedMenuWindowAdapters();
// Adapters in the list, alive or closed (leak checks).
int MenuWindowAdapterCount();

}  // namespace ad::skin::forms
