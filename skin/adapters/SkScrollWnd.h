// TSkScrollWnd: the adapter base of every window whose standard scroll bars
// are replaced by skinned ones. It reserves the bars' space in the window's
// non-client area itself, paints bars, corner and size grip from the skin's
// scroll sections, answers hit tests for them and runs the mouse (arrows,
// page areas, thumb drag, hover) with its own capture and timers, sending
// the window the ordinary WM_HSCROLL and WM_VSCROLL.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/Geometry.h"
#include "skin/adapters/SkMainWnd.h"
#include "skin/controls/skScrollParts.h"
#include "skin/engine/win/SkinCacheImage.h"

namespace ad::skin::adapters {

class TSkScrollWnd;

// Flags of a bar.
constexpr uint16_t kBarArrowsDisabled = 3;  // both arrows disabled (bits 1 and 2)
constexpr uint16_t kBarFirstArrowOff = 1;
constexpr uint16_t kBarSecondArrowOff = 2;
constexpr uint16_t kBarEnabledWhenScrolls = 4;
constexpr uint16_t kBarInStyle = 8;  // the window style has the bar

// Timers on the adapted window.
constexpr UINT_PTR kScrollHoverTimer = 0xFFF2;       // every 20 ms while the mouse is over a bar
constexpr UINT_PTR kScrollFirstRepeatTimer = 0xFFFD; // 300 ms after an arrow or track press
constexpr UINT_PTR kScrollRepeatTimer = 0xFFFE;      // every 55 ms after that

// One skinned bar of an adapted window.
struct TSkScrollBar {
    uint16_t Flags = 0;
    int Kind = 0;  // SB_HORZ or SB_VERT
    int DefaultWidth = -1, DefaultButtonSize = -1;
    int EndInset = 0, StartInset = 0;
    int MinThumbSize = controls::kMinThumbSize;
    bool HasStartInset = false, HasEndInset = false;
    TSkScrollWnd* Adapter = nullptr;
    bool Visible = false;  // the space is reserved (decided on each WM_NCCALCSIZE)
    SCROLLINFO ScrollInfo{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};

    bool Vertical() const { return Kind == SB_VERT; }
    controls::TScrollRange Range() const;
};

// The mouse over the bars: one record for the process, since one bar at a
// time is hovered, pressed or dragged.
struct TSkScrollMouse {
    int TrackedBar = -1;  // SB_HORZ / SB_VERT of the pressed or dragged bar, -1 none
    int HotBar = -1;
    int HotPart = controls::spNone;
    int PressedPart = controls::spNone;
    HWND Window = nullptr;  // the window under the mouse or holding the press
    UINT ScrollMsg = 0;     // WM_HSCROLL or WM_VSCROLL of the tracked bar
    UINT_PTR HoverTimer = 0, RepeatTimer = 0;
    int LastPos = 0;        // the last thumb position sent
    TRect HotRect;          // the hot bar (screen), watched by the hover timer
    TRect DragBar;          // the bar (screen) when the drag started, less its insets
    int DragOffset = 0;     // the mouse inside the thumb
    int DragThumb = 0;      // the thumb's length
    int DragThumbStart = 0; // the thumb's start along the bar, in bar coordinates
};
const TSkScrollMouse& ScrollMouse();

class TSkScrollWnd : public TSkMainWnd {
public:
    TSkScrollBar& HorzBar() { return horz_; }
    TSkScrollBar& VertBar() { return vert_; }
    TSkScrollBar& Bar(int kind) { return kind == SB_VERT ? vert_ : horz_; }
    bool Tracking() const { return tracking_; }
    bool Scrolling() const { return scrolling_; }
    bool LeftScrollBar() const { return leftScrollBar_; }
    bool EdgesKnown() const { return edgesKnown_; }
    int LeftEdge() const { return leftEdge_; }
    int TopEdge() const { return topEdge_; }

    // Re-reads both bars' scroll info of a visible window that is not
    // updating; repaints them when asked (and no window animation runs).
    void RefreshScrollInfo(bool repaint);
    // A bar's thickness (thickness) or arrow length.
    int ScrollMetric(const TSkScrollBar& bar, bool thickness) const;
    // The bar's rectangle in screen coordinates (empty when not visible).
    TRect BarRect(const TSkScrollBar& bar) const;
    // The corner square between two visible bars, screen coordinates.
    TRect CornerRect() const;
    bool ScrollBarEnabled(const TSkScrollBar& bar) const;
    // The parts of the bar at its rectangle's size (bar coordinates).
    controls::TScrollGeometry Geometry(const TSkScrollBar& bar, const TRect& rect) const;
    // The part at a screen point of the bar; none when the thumb does not fit.
    int PartAt(const TSkScrollBar& bar, TPoint screen) const;
    // Paints the visible bars and the corner into dc (the window DC when null).
    void PaintScrollBars(HDC dc);

protected:
    ~TSkScrollWnd() override;
    TSkScrollWnd(HWND wnd, TSkinCommonData* skinData, TSkinManager* manager, const TSkSkinParams& params);
    friend class TSkMainWnd;

    std::unique_ptr<TSkinCommonData> CreateSkinData() override;
    void InitAdapter() override;
    void WndProc(TMessage& m) override;

    // The window's rectangle on the screen.
    TRect WindowRect() const;
    void SetScrolling(bool on) { scrolling_ = on; }
    bool StyleChanging() const { return styleChanging_; }
    void SetStyleChanging(bool on) { styleChanging_ = on; }
    // The scroll message through the redraw lock (SKC_LOCKREDRAW / UNLOCKREDRAW).
    void SendScrollMessage(UINT msg, int code, int pos);
    // A release keeps the capture (a drop-down list does) and is not passed on.
    virtual bool KeepsCaptureOnRelease() const { return false; }

private:
    void NcCalcSize(TMessage& m);
    void NcHitTest(TMessage& m);
    void NcMouseMove(TMessage& m);
    void NcButtonDown(TMessage& m);
    void MouseMove(TMessage& m);
    void ButtonUp(TMessage& m);
    void Timer(TMessage& m);
    // Ends a press or drag as a release does; releaseCapture false when the
    // capture is already gone.
    void EndPress(bool releaseCapture);
    void PaintBar(TSkScrollBar& bar, HDC dc, int forcedThumbStart, int pressedPart);
    void PaintCorner(HDC dc);
    // The bar image sized for a part of the window at a screen rectangle:
    // where it lies in the window and the parent's background under it.
    bool PrepareBarImage(const TRect& screen, TPoint& at, TSkBgCacheRef& bg);
    void TrackPressed(TPoint screen);
    bool InGripCorner() const;
    void SkinCommand(TMessage& m);
    // Timers off and the shared mouse record cleared when it is this window's.
    void ForgetMouse();

    TSkScrollBar horz_, vert_;
    bool tracking_ = false;
    bool scrolling_ = false;
    bool leftScrollBar_ = false;
    bool edgesKnown_ = false;
    bool styleChanging_ = false;
    int leftEdge_ = -1, rightEdge_ = 0, topEdge_ = 0, bottomEdge_ = 0;
    TSkinCacheImage barImage_;  // one bar or the corner at a time, kept between paints
};

// The horizontal (0) or vertical (1) bar of the window's scrolling adapter.
TSkScrollBar* GetScrollBarObject(HWND wnd, int which);
// Sets the minimum thumb length of the horizontal (0), vertical (1) or both
// (3) bars; false when the window has no scrolling adapter.
bool SetMinThumbSize(HWND wnd, int which, int size);

}  // namespace ad::skin::adapters
