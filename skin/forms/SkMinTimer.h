// The form animations on the engine's timer: TSkMinTimer shrinks a form's
// image towards its taskbar button (or the taskbar's edge) and fading out
// when it is minimised, and grows it back when it is restored; TSkMoveTimer
// fades a form while it is dragged. Both run one step per 10 ms, catch up by
// elapsed time when ticks come late, and never wait on the GUI thread; tests
// call Step() directly.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "base/Geometry.h"
#include "skin/engine/win/SkThreadedTimer.h"
#include "skin/engine/win/SkinCacheImage.h"
#include "skin/engine/win/SkinDib.h"
#include "skin/forms/SkTaskbarButton.h"

namespace ad::skin::forms {

class TSkinProvider;
class TSkGlowForm;

// The taskbar as the minimise animation sees it.
struct TSkTaskbarInfo {
    bool Present = false;            // a window of class "Shell_TrayWnd" exists
    TRect Rect;                      // its window rectangle
    std::optional<TRect> Button;     // the application's button, when found
};

// The taskbar's edge: 1 left, 2 top, 4 right, 8 bottom.
int TaskbarEdge(const TRect& taskbar);
// Where a form shrinks to: the button when found, else an empty rectangle at
// one point of the taskbar's inner edge level with the form's centre; an
// empty rectangle at (0, 0) without a taskbar.
TRect TaskbarTarget(const TRect& form, const TSkTaskbarInfo& taskbar);
// The taskbar of this desktop, with the button searched only without composition.
TSkTaskbarInfo CurrentTaskbar(HWND appWnd, bool composition);

// A timer stepping an animation by elapsed time: each tick runs the steps
// due since the start (at least one), never more than are left, and shows
// only the last of them.
class TSkPacedTimer : public TSkThreadedTimer {
public:
    explicit TSkPacedTimer(TComponent* owner);
    // One step; false when the animation is over.
    virtual bool Step() = 0;
    // One step that shows nothing (a late tick catching up); false when over.
    virtual bool Skip() { return Step(); }
    // Restarts the pacing clock (the next tick counts from now).
    void RestartPacing();
    // Milliseconds since the pacing started (tests put a clock in).
    static inline std::function<uint64_t()> Clock;

private:
    void PacedTick();
    uint64_t start_ = 0;
    int done_ = 0;
};

class TSkMinTimer : public TSkPacedTimer {
public:
    // Set up for the provider's form: a minimise when its state has 0x100,
    // a restore when it has 0x400.
    explicit TSkMinTimer(TSkinProvider* provider);
    ~TSkMinTimer() override;

    // Computes the rectangles and steps again (a new minimise or restore).
    void Prepare();
    bool Step() override;
    bool Skip() override;

    int Steps() const { return steps_; }
    // Frames shown since the last Prepare.
    int FramesShown() const { return framesShown_; }
    bool Growing() const { return growing_; }
    double Alpha() const { return alpha_; }
    uint8_t StartAlpha() const { return startAlpha_; }
    const TRect& FormRect() const { return formRect_; }
    const TRect& TargetRect() const { return target_; }
    TRect CurrentRect() const;
    int Edge() const { return edge_; }
    // The window the frames are shown in (null once the animation ended).
    HWND AnimationWindow() const;
    // True while a restore is under way (a minimise then keeps its image).
    bool InRestore() const { return growing_ && Enabled(); }

    // The form's image the frames are made of.
    std::unique_ptr<TSkinCacheImage> FormImage;
    // Where the taskbar is (tests put one in; default: CurrentTaskbar).
    static inline std::function<TSkTaskbarInfo(HWND appWnd)> TaskbarSeam;

private:
    // The geometry and opacity one step on; false when that ended the animation.
    bool Advance();
    void ShowFrame();
    void EndRestore();
    void EndMinimize();

    TSkinProvider* provider_;
    HWND wnd_ = nullptr;
    std::unique_ptr<TSkGlowForm> snapshot_;
    std::unique_ptr<TDibSection32> frame_;
    double alpha_ = 255, alphaStep_ = 0;
    uint8_t startAlpha_ = 255, endAlpha_ = 0;
    int steps_ = 1;
    TRect formRect_, target_;
    double left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
    double dx_ = 0, dy_ = 0, dw_ = 0, dh_ = 0;
    int edge_ = 0;
    bool growing_ = false;
    bool busy_ = false;
    int framesShown_ = 0;
};

// The alpha at the form's end of the minimise animation: the form's own
// opacity, a quarter of it under composition when the animation takes time.
uint8_t MinimizeEdgeAlpha(uint8_t formAlpha, bool composition, int time);

class TSkMoveTimer : public TSkPacedTimer {
public:
    // Fades the form from its opacity towards target in steps of step.
    TSkMoveTimer(TComponent* owner, HWND form, double current, uint8_t target, double step);
    bool Step() override;
    double Alpha() const { return alpha_; }

private:
    HWND wnd_;
    double alpha_;
    uint8_t target_;
    double step_;
};

}  // namespace ad::skin::forms
