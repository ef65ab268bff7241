// TSkDialogWnd: the adapter of a standard dialog the program does not own as
// a form. It paints the dialog's frame, title band, icon, caption text and
// caption buttons from the skin's dialog sections, answers the hit test for
// its own buttons, and fills the client with the skin's form colour. The
// window's own system buttons are turned off while the adapter is attached.
#pragma once

#include <windows.h>

#include "base/Geometry.h"
#include "framework/Handles.h"
#include "skin/adapters/SkScrollWnd.h"

namespace ad::skin::forms {

class TSkProvider;

class TSkDialogWnd : public adapters::TSkScrollWnd {
public:
    // Reads the window's styles and takes the system buttons off.
    void UpdateFromWindow();
    // The own hit test at a point relative to the window's top-left corner:
    // HTERROR on a zoomed dialog's outer edge (a click there is not passed
    // through), 0 where the dialog's own procedure decides.
    LRESULT HitTest(TPoint point);
    // The close button closes (the window has a system menu and its class lets it close).
    bool CanClose() const;
    // The client is left to the dialog's own painting (cleared for dialogs
    // with edits, combo boxes or lists).
    bool SkipClientPaint = true;
    int BorderKind = 1;  // 0 modal frame, 2 popup without caption and border, 3 sizeable or other
    TSkProvider* Provider = nullptr;
    // The close button's rectangle relative to the window (empty without one).
    TRect CloseRect() const;
    int TopOffset() const;
    int BorderWidth() const;
    // Brushes made for WM_CTLCOLORDLG (one, kept while the colour stays).
    int BrushesMade() const { return brushesMade_; }

protected:
    TSkDialogWnd(HWND wnd, TSkinCommonData* skinData, TSkinManager* manager, const adapters::TSkSkinParams& params);
    friend class adapters::TSkMainWnd;
    void InitAdapter() override;
    void RestoreWindow() override;
    void WndProc(TMessage& m) override;

private:
    bool PrepareCache();
    void PaintFrame();
    void PaintCaption(const TImageView32& image, int titleSection, int state);
    void UpdateRegion();
    void SetHotButton(int code);
    HFONT CaptionFont();

    LONG_PTR style_ = 0;
    LONG_PTR exStyle_ = 0;
    bool hadSysMenu_ = false;
    bool isActive_ = true;
    int hotButton_ = 0;
    bool pressed_ = false;
    bool cacheValid_ = false;
    OwnedBrush brush_;
    TColor brushColor_ = clFuchsia;
    int brushesMade_ = 0;
    OwnedFont captionFont_;
    TPoint regionSize_{-1, -1};  // the window size the region was made for
    bool regionSet_ = false;
};

}  // namespace ad::skin::forms
