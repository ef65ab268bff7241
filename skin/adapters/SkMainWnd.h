// TSkMainWnd: the base of every window adapter. An adapter takes over the
// procedure of one window the skin library did not make (a standard control
// of the class library, a child of another program's window) through the
// subclass chain, keeps the skin data it paints with on the window
// ("SKSDATA") and itself under "SKSBSC", and answers the skin message's
// common commands. Descendants paint; the window keeps its behaviour.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "framework/Controls.h"
#include "framework/WindowSubclass.h"
#include "skin/engine/win/SkinCommonData.h"
#include "skin/engine/win/SkinManager.h"

namespace ad::skin::adapters {

// What the adapter manager tells a new adapter.
struct TSkSkinParams {
    TWinControl* Control = nullptr;  // the class-library control, null for a foreign window
    std::string SkinSection;         // empty: the adapter's default
    bool UseSkinColor = true;        // the skin's colour (the data's CustomColor off)
    bool UseSkinFontColor = true;    // the skin's font colour (CustomFont off)
    int VertScrollWidth = -1, HorzScrollWidth = -1, VertButtonSize = -1, HorzButtonSize = -1;
};

class TSkMainWnd;

// On while a standard dialog's children are being adapted: the adapters
// made then are marked as dialog children.
extern bool AdaptingDialogChildren;

// Frees an adapter: the window gets its procedure back, then the adapter's
// whole RestoreWindow runs once (the most derived one: a destructor could
// only reach its own class's), then the object goes.
struct TSkAdapterFree {
    void operator()(TSkMainWnd* adapter) const;
};
template <class T>
using TSkAdapterPtr = std::unique_ptr<T, TSkAdapterFree>;

class TSkMainWnd {
public:
    TSkMainWnd(const TSkMainWnd&) = delete;
    TSkMainWnd& operator=(const TSkMainWnd&) = delete;

    // Makes an adapter of class T and attaches it to the window; skinData may
    // be null (the adapter then makes and owns its own).
    template <class T>
    static TSkAdapterPtr<T> Create(HWND wnd, TSkinCommonData* skinData, TSkinManager* manager,
                                   const TSkSkinParams& params) {
        TSkAdapterPtr<T> adapter(new T(wnd, skinData, manager, params));
        adapter->Start(params);
        return adapter;
    }

    // The adapter attached to a window, null when none.
    static TSkMainWnd* GetAdapter(HWND wnd);
    // Adapters alive in the process (leak checks).
    static int LiveCount();

    // The adapter's window procedure, called directly (SendMsg).
    LRESULT SendMsg(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    HWND WindowHandle() const { return wnd_; }
    TSkinCommonData* SkinData() const { return skinData_; }
    TSkinManager* SkinManager() const { return manager_; }
    // The window procedure is given back (the window went or the adapter let go).
    bool Destroyed() const { return destroyed_; }
    bool ColorsApplied() const { return colorsApplied_; }
    const std::string& Caption() const { return caption_; }
    TWinControl* Control() const { return control_.Get(); }

protected:
    TSkMainWnd(HWND wnd, TSkinCommonData* skinData, TSkinManager* manager, const TSkSkinParams& params);
    // Only TSkAdapterFree destroys an adapter (after its free step).
    virtual ~TSkMainWnd();
    friend struct TSkAdapterFree;

    // The steps descendants change, called in this order while attaching.
    virtual void InitAdapter();
    // The skin data an adapter makes when it is given none (owned by the adapter).
    virtual std::unique_ptr<TSkinCommonData> CreateSkinData();
    virtual void SaveColors() {}
    // Puts back what the adapter changed in the window (its colours); the base
    // takes the skin data off the window when the adapter owns it.
    virtual void RestoreWindow();
    virtual void ApplySkinColors() { colorsApplied_ = true; }
    // Every message of the window comes here first; TSkMainWnd::WndProc is
    // the common handling (pass on what is not taken with CallOldProc).
    virtual void WndProc(TMessage& m);

    // The message to the procedures below the adapter; m.Result gets the answer.
    void CallOldProc(TMessage& m);
    // The message handled by the procedures below with the window's redraw
    // off around it (the window then paints nothing by itself).
    void CallOldProcSilently(TMessage& m);
    // WM_SETREDRAW sent to the window itself: inside a handler the subclass
    // chain must be entered anew, or the layers below would be skipped for
    // the rest of the message being handled.
    void SetRedraw(bool on) { ::SendMessageW(wnd_, WM_SETREDRAW, on ? TRUE : FALSE, 0); }
    // Readies the data's cache: the section over the parent's background
    // (the hot state when focused), a disabled edit's text; false while the
    // parent is not ready (the data is then marked updating).
    bool PrepareAdapterCache(bool outline);
    // The cache's corners under the border mask's key pixels take what the
    // parent shows there (state picks the mask's column).
    void FillTransparentCorners(int state);
    bool SkinActive() const;
    // Made for a child of a standard dialog: keeps the window's visual style
    // and paints no corners of its own.
    bool DialogChild = false;
    // The data was made by this adapter (not given to it).
    bool OwnsSkinData() const { return ownSkinData_ != nullptr; }
    // The adapter measures the window's frame itself: once it has let go of
    // a live window, the frame is measured again without it.
    void SetReframeOnDetach() { reframeOnDetach_ = true; }

private:
    void Start(const TSkSkinParams& params);
    // The free step: gives the window back and restores it once.
    void Release();
    void Detach();
    void HandleSkinCommand(TMessage& m);
    void PaintDisabledEditText();

    HWND wnd_;
    TSkinCommonData* skinData_;
    std::unique_ptr<TSkinCommonData> ownSkinData_;
    TSkinManager* manager_;
    TComponentLink<TWinControl> control_;
    std::unique_ptr<TWindowSubclass> subclass_;
    std::string caption_;
    bool destroyed_ = false;
    bool colorsApplied_ = false;
    bool themeTurnedOff_ = false;
    bool reframeOnDetach_ = false;
};

}  // namespace ad::skin::adapters
