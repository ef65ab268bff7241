// Window helpers and animations of skinned windows: the process-wide
// animation-running flag (controls hold back painting while it is set), work
// areas, layered-window alpha and images, animations of a layered window
// drawn frame by frame on a 10 ms timer (so the GUI thread is never held for
// more than one frame), and the hint popup.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "skin/engine/skinfile/SkinAnimation.h"
#include "skin/engine/win/SkinDib.h"
#include "skin/engine/win/SkinEngineLinks.h"

namespace ad::skin {

// Sets the animation-running flag (SkinAnimationRunning) for its lifetime and
// gives back what it was, on every path out; nested scopes end in order.
class TAnimationRunningScope {
public:
    TAnimationRunningScope();
    ~TAnimationRunningScope();
    TAnimationRunningScope(const TAnimationRunningScope&) = delete;
    TAnimationRunningScope& operator=(const TAnimationRunningScope&) = delete;

private:
    bool previous_;
};

TPoint GetCursorPoint();
HWND RootWindow(HWND wnd);
std::string GetWndClassName(HWND wnd);  // at most 128 characters
TRect GetClientRectInWindow(HWND wnd);   // the client area in window coordinates
// The work area of the first monitor whose work area holds the point; empty when none.
TRect GetWorkAreaAt(TPoint point);
TRect GetWindowWorkArea(HWND wnd);  // of the window's monitor

// on with layered windows available: WS_EX_LAYERED added (true only when it
// was missing) and the constant alpha set; off: WS_VISIBLE and WS_EX_LAYERED
// taken away, false.
bool SetWindowAlpha(HWND wnd, bool on, uint8_t alpha);
// Shows a 32-bit premultiplied image as the window's layered content at the
// constant alpha (null: a transparent image of the window's size); makes the
// window layered first when it is not.
bool SetLayeredImage(HWND wnd, const TDibSection32* image, uint8_t alpha, TPoint sourceOrigin = {});

// Frames of a layered window drawn one per timer tick: the image stretched
// into each frame's rectangle (or shown as it is) at the frame's alpha. The
// animation-running flag is held from Start until the last frame or the
// animation's end, whichever comes first; OnFinished runs once after the
// last frame.
class TSkLayeredAnimation {
public:
    TSkLayeredAnimation(HWND window, const TImageView32& image, std::vector<TAnimationFrame> frames);
    ~TSkLayeredAnimation();
    TSkLayeredAnimation(const TSkLayeredAnimation&) = delete;
    TSkLayeredAnimation& operator=(const TSkLayeredAnimation&) = delete;

    std::function<void()> OnFinished;
    // Draws the first frame now and the others on the timer.
    void Start();
    // Draws every remaining frame now (the application is terminating).
    void RunToEnd();
    bool Running() const { return running_; }
    // Frames drawn so far (late ticks skip frames whose time has passed).
    size_t FramesShown() const { return shown_; }
    // The milliseconds the frames are paced by; tests put a clock of their own in.
    static inline uint64_t (*Clock)() = nullptr;
    static constexpr unsigned kFrameMs = 10;

private:
    void Step();
    void Finish();
    static uint64_t Now();

    HWND window_;
    TDibSection32 image_, work_;
    std::vector<TAnimationFrame> frames_;
    size_t next_ = 0;
    size_t shown_ = 0;
    uint64_t start_ = 0;
    bool running_ = false;
    std::unique_ptr<TTimer> timer_;
    std::unique_ptr<TAnimationRunningScope> flag_;
};

// The hide animation of a layered window showing image: alpha falls to 0 over
// time (mode 1 also zooms in); with no steps nothing is shown. Returns the
// running animation (null with no steps); the caller keeps it until OnFinished.
std::unique_ptr<TSkLayeredAnimation> RunHideAnimation(HWND window, const TImageView32& image, int time, int mode,
                                                      int alpha, std::function<void()> onFinished);
// The show animation of a layered window: alpha and size grow over time.
std::unique_ptr<TSkLayeredAnimation> RunShowAnimation(HWND window, const TImageView32& image, int time, int mode,
                                                      int alpha, bool dialog, std::function<void()> onFinished);

// A hint of text near point through the application's hint window class:
// at most 800 pixels wide, at point + (8, 16), kept inside the work area.
// Null for an empty text or without a hint window class. The caller frees it.
std::unique_ptr<TAppHintWindow> PopupHintText(const std::string& text, TPoint point);

}  // namespace ad::skin
