// TWinControl: the windowed control of the class-library layer. Properties live
// in the object and are applied to the window when it exists; the window is
// made on demand (when shown or when its handle is asked for) from a window
// class named after the control's class ("TButton"), superclassing the system
// control it wraps. Every window has one message entry point, WndProc, which
// hands messages to virtual handlers named after them; whatever a handler does
// not take goes to the previous window procedure. Notifications that the system
// sends to a parent (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM,
// WM_MEASUREITEM, WM_H/VSCROLL) are reflected to the child control they concern
// as CN_* messages sent to its window, and property changes are announced with
// CM_* notices (framework/Messages.h), so that layers hooking a control's
// window see both.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/Graphics.h"
#include "framework/Messages.h"
#include "framework/MouseHover.h"

namespace ad {

struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

enum TShiftFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TShiftState = unsigned;
TShiftState KeyboardShiftState();

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// What kind of control this is, as layers above read it: it holds other
// controls; it paints all of its rectangle (nothing of the parent shows).
enum TControlStyleFlag : unsigned { csAcceptsControls = 1, csOpaque = 2 };
using TControlStyle = unsigned;
// What the control is doing now: its window is being made; it paints into a
// copy (an image of it is being taken); its form is still being built (inside
// the form's constructor, until the form is created or first shown).
enum TControlStateFlag : unsigned { csCreating = 1, csPaintCopy = 2, csLoading = 4 };
using TControlState = unsigned;
// Reading order and alignment: left to right; right to left (text, alignment
// and scroll bar); right-to-left text and scroll bar with left alignment; only
// the text right to left.
enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

class TPopupMenu;

using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, wchar_t& Key)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

// What a control asks of its window when the window is made.
struct TCreateParams {
    std::wstring WinClassName;  // our class name, e.g. L"TButton"
    std::wstring BaseClassName; // system class to superclass; empty: a plain window
    std::wstring Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    UINT ClassStyle = CS_DBLCLKS;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
};

class TWinControl : public TComponent {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    // --- window ---
    HWND Handle();  // makes the window (and its parents') when needed
    bool HandleAllocated() const { return handle_ != nullptr; }
    void DestroyHandle();
    static TWinControl* FromHandle(HWND wnd);  // our control behind a window, or null

    // --- parent and children ---
    TWinControl* Parent() const { return parent_; }
    void SetParent(TWinControl* parent);
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TWinControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }

    // --- geometry ---
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
    RECT ClientRect();
    int ClientWidth();
    int ClientHeight();
    virtual void SetClientSize(int width, int height);
    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    // Holds back the alignment of the children until the matching
    // EnableAlign; the last EnableAlign aligns them when anything asked for it
    // meanwhile. Pairs nest.
    void DisableAlign() { ++alignDisabled_; }
    void EnableAlign();
    bool AlignDisabled() const { return alignDisabled_ > 0; }

    // --- state ---
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Showing();  // visible with every parent visible and a window made
    bool MouseInControl() const { return hover_.Over(); }
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool v);
    bool Focused();
    virtual void SetFocus();
    bool CanFocus();

    // --- text (Caption and Text are the same window text) ---
    std::string Caption() { return Text(); }
    void SetCaption(const std::string& s) { SetText(s); }
    virtual std::string Text();
    virtual void SetText(const std::string& s);
    std::wstring WideText();
    void SetWideText(const std::wstring& s);

    // --- style and state ---
    TControlStyle ControlStyle = 0;
    // The state flags: csCreating and csPaintCopy as set, csLoading while the
    // form that owns the control (or the form itself) is still being built.
    TControlState ControlState() const;
    // Sets or clears csCreating and csPaintCopy (csLoading follows the form).
    void SetControlState(TControlState flags, bool on);

    // The reading order: the parent's while ParentBiDiMode (the default),
    // else the control's own.
    TBiDiMode BiDiMode() const { return parentBiDiMode_ && parent_ ? parent_->BiDiMode() : biDiMode_; }
    // Takes the mode as the control's own (ParentBiDiMode off); a change
    // updates the window's reading-order and scroll-bar styles and is
    // announced (CM_BIDIMODECHANGED), here and in the children that follow.
    void SetBiDiMode(TBiDiMode mode);
    bool ParentBiDiMode() const { return parentBiDiMode_; }
    void SetParentBiDiMode(bool value);
    bool UseRightToLeftAlignment() const { return BiDiMode() == TBiDiMode::bdRightToLeft; }
    bool UseRightToLeftReading() const { return BiDiMode() != TBiDiMode::bdLeftToRight; }
    bool UseRightToLeftScrollBar() const {
        return BiDiMode() == TBiDiMode::bdRightToLeft || BiDiMode() == TBiDiMode::bdRightToLeftNoAlign;
    }

    // The menu a right click (or the menu key) over the control shows; none
    // by default, and a control without one leaves WM_CONTEXTMENU to its parent.
    TPopupMenu* PopupMenu() const;
    void SetPopupMenu(TPopupMenu* menu);

    // --- looks ---
    TFont& Font() { return *font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool v);
    TFont& EffectiveFont();  // own font, or the parent's while ParentFont
    TColor Color() const { return color_; }
    void SetColor(TColor c);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool v);
    TColor EffectiveColor() const;
    void Invalidate();
    void Repaint();
    void BringToFront();

    // --- events ---
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TNotifyEvent OnResize;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    // Runs OnClick (what a user's click does).
    virtual void Click();

    // The message entry point: dispatches to the handlers below; anything not
    // handled reaches DefaultHandler.
    virtual void WndProc(TMessage& m);
    // The previous window procedure (the system control's, or DefWindowProc).
    void DefaultHandler(TMessage& m);
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // Sends a notice (CM_*) through the window, so that layers hooking it
    // see it; nothing without a window (its state is read when the window
    // is made) or while the control is being destroyed.
    LRESULT SendNotice(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    // After the window exists: apply state that the window keeps itself.
    virtual void CreateWindowHandle();
    virtual void AfterCreateWnd() {}
    virtual void BeforeDestroyWnd() {}
    // Makes the window again (through CM_RECREATEWND, whose handler does it).
    void RecreateWnd();
    // Sends CM_SHOWINGCHANGED to this control and those inside it whose
    // Showing changed.
    void UpdateShowing();
    // Moves the window to the stored bounds (a combo box adds its drop-down list).
    virtual void ApplyBounds();
    void UpdateStyle(DWORD add, DWORD remove);
    void UpdateExStyle(DWORD add, DWORD remove);

    // Message handlers (one per message this layer takes).
    virtual void WMCommand(TMessage& m);
    virtual void WMNotify(TMessage& m);
    virtual void WMCtlColor(TMessage& m);
    virtual void WMDrawItem(TMessage& m);
    virtual void WMMeasureItem(TMessage& m);
    virtual void WMScroll(TMessage& m);
    virtual void WMEraseBkgnd(TMessage& m);
    // WM_PAINT; with a DC in wParam the control paints into that DC.
    virtual void WMPaint(TMessage& m);
    // Erases and paints into the given DC as the flags ask (PRF_ERASEBKGND, PRF_CLIENT).
    virtual void WMPrintClient(TMessage& m);
    virtual void WMSize(TMessage& m);
    virtual void WMMove(TMessage& m);
    virtual void WMKeyDown(TMessage& m);
    virtual void WMKeyUp(TMessage& m);
    virtual void WMChar(TMessage& m);
    virtual void WMMouseButton(TMessage& m);
    virtual void WMMouseMove(TMessage& m);
    virtual void WMSetFocus(TMessage& m);
    virtual void WMKillFocus(TMessage& m);
    virtual void WMNCDestroy(TMessage& m);

    // Reflected notifications: the CN_* messages the parent sends, handed to
    // these; true (a brush for CNCtlColor) when taken.
    virtual bool CNCommand(WORD code) { (void)code; return false; }
    virtual bool CNNotify(NMHDR* hdr, LRESULT& result) { (void)hdr; (void)result; return false; }
    virtual HBRUSH CNCtlColor(HDC dc);
    virtual bool CNDrawItem(DRAWITEMSTRUCT* dis) { (void)dis; return false; }
    virtual bool CNMeasureItem(MEASUREITEMSTRUCT* mis) { (void)mis; return false; }
    virtual bool CNScroll(UINT msg, WORD code) { (void)msg; (void)code; return false; }
    // The stand-in of a control without a window of its own: its parent shows
    // through, so its erase and colour paths paint the parent's background
    // (through the installed painter, framework/ParentBackground.h) instead of
    // a flat colour.
    virtual bool ShowsParentBackground() const { return false; }
    // Announces that the control's value changed (CM_CHANGED).
    void Changed();

    // Painting of controls that paint themselves (no system control beneath).
    virtual void Paint(HDC dc, const RECT& clip) { (void)dc; (void)clip; }
    virtual bool PaintsItself() const { return false; }

    // Keyboard events; return true when the key was consumed.
    bool DoKeyDown(WORD& key, TShiftState shift);
    bool DoKeyPress(wchar_t& key);

    // A key that reaches target (this control or one inside it) passes the
    // controls that hold it before target's own events: each hook hands it to
    // the parent unless overridden (a form with key preview takes it there).
    // True when the key was consumed.
    virtual bool PreviewKeyDown(TWinControl* target, WORD& key, TShiftState shift);
    virtual bool PreviewKeyPress(TWinControl* target, wchar_t& key);
    virtual void PreviewKeyUp(TWinControl* target, WORD& key, TShiftState shift);
    // A key down that target's own events left alone, handed up the same way.
    virtual bool UnhandledKeyDown(TWinControl* target, WORD& key, TShiftState shift);

    virtual void FontChanged();
    virtual void ColorChanged();
    void AlignControls();
    HBRUSH BackgroundBrush();

    // Shows the control's popup menu for a WM_CONTEXTMENU (lParam -1: from
    // the keyboard, at the control's top left); false when it has none.
    virtual bool DoContextPopup(TMessage& m);

    HWND handle_ = nullptr;
    bool visible_ = true;
    bool loading_ = false;  // a form under construction sets it

private:
    friend LRESULT CALLBACK ControlWndProc(HWND, UINT, WPARAM, LPARAM);
    void Attach(HWND wnd);
    void Detach();
    // Hands a parent's notification to child as CN_BASE + msg; true when
    // the child (or a layer hooking its window) took it.
    static bool ReflectToChild(TWinControl* child, TMessage& m);
    void DispatchReflected(TMessage& m);
    // Turns mouse moves and leaves into CM_MOUSEENTER / CM_MOUSELEAVE.
    void TrackMouse(UINT msg);
    void DoFontChanged();
    void DoColorChanged();
    // The reading order may have changed: window styles, notice, children.
    void BiDiModeChanged(TBiDiMode before);
    void InsertControl(TWinControl* c);
    void RemoveControl(TWinControl* c);
    void CreateChildHandles();
    void ApplyParentFont();
    void ApplyParentColor();

    TWinControl* parent_ = nullptr;
    std::vector<TWinControl*> controls_;
    WNDPROC defProc_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = TAlign::alNone;
    bool enabled_ = true;
    bool tabStop_ = false;
    std::wstring text_;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    OwnedBrush brush_;
    TColor brushColor_ = clNone;
    bool aligning_ = false;
    int alignDisabled_ = 0;
    bool alignPending_ = false;
    TControlState state_ = 0;
    TBiDiMode biDiMode_ = TBiDiMode::bdLeftToRight;
    bool parentBiDiMode_ = true;
    TComponentLink<TPopupMenu> popupMenu_;
    bool showing_ = false;
    TMouseHover hover_;
};

using TControl = TWinControl;

// A control of a form's description: owned by owner, placed in parent at the
// given bounds, with its name and (when not empty) its caption.
template <class T>
T* MakeControl(TComponent* owner, TWinControl* parent, const std::string& name, int x, int y, int w, int h,
               const std::string& caption = "") {
    T* c = new T(owner);
    c->Name = name;
    c->SetParent(parent);
    c->SetBounds(x, y, w, h);
    if (!caption.empty()) c->SetCaption(caption);
    return c;
}

}  // namespace ad
