// The fade timer of skinned controls and the state-change animations. Despite
// its name TSkThreadedTimer runs no thread: it wraps a GUI-thread timer, and
// each tick runs one fade step (a cross-fade of the old look into the new one
// painted into the owner's window), so a fade never blocks the GUI thread.
// The same class without a fade drives other animations through OnTimer.
#pragma once

#include <functional>
#include <memory>

#include "framework/ExtCtrls.h"
#include "skin/engine/win/SkinCacheImage.h"
#include "skin/engine/image/SkinFadeMath.h"

namespace ad::skin {

class TSkinCommonData;

using TSkFadeStepCallback = std::function<bool(TSkinCommonData* data, int counter)>;

enum TThreadPriority : int { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TSkThreadedTimer : public TComponent {
public:
    explicit TSkThreadedTimer(TComponent* AOwner);
    // Disabled; with installStep OnTimer runs DoStep.
    TSkThreadedTimer(TComponent* AOwner, bool installStep);
    ~TSkThreadedTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned value);
    const TNotifyEvent& OnTimer() const { return onTimer_; }
    void SetOnTimer(TNotifyEvent value);
    TThreadPriority ThreadPriority() const { return priority_; }
    void SetThreadPriority(TThreadPriority value);

    // One step of the fade: the callback decides whether it goes on.
    virtual void DoStep();
    // Runs what one tick of the inner timer runs (tests and nested loops).
    void Tick();
    bool InnerTimerActive() const;

    TFadeState Fade;
    bool IsGlowFade = false;
    std::unique_ptr<TSkinCacheImage> TargetImage, WorkImage, StartImage;
    TSkinCommonData* Data = nullptr;
    TComponent* OwnerComponent = nullptr;
    TSkFadeStepCallback StepCallback;
    bool IsDestroying() const { return destroying_; }

private:
    void UpdateTimer();
    void TimerTick();

    std::unique_ptr<TTimer> inner_;
    bool enabled_ = false;
    unsigned interval_ = 1000;
    TNotifyEvent onTimer_;
    TThreadPriority priority_ = tpNormal;
    bool inTick_ = false;
    bool destroying_ = false;
};

// The steps a running fade still has; without a timer a new one owned by the
// control goes into the data's slot (level 255 for a fade out) and 0 is returned.
int EnsureFadeTimer(TSkinCommonData* data, int kind);
// target resized to rect's size (made when missing) and rect of source copied in.
void CopyImageRect(std::unique_ptr<TSkinCacheImage>& target, const TSkinCacheImage& source, const TRect& rect);
void StartFade(TSkinCommonData* data, int stepsLeft, bool fast, int kind, TSkFadeStepCallback callback);
void StartStateFade(TSkinCommonData* data, int kind, TSkFadeStepCallback callback, bool fast);
// The usual step: blends the new look over the old into the owner's window.
bool FadeStep(TSkinCommonData* data, int counter);
// The step of a glow fade: moves the glow's alpha.
bool GlowFadeStep(TSkinCommonData* data, int counter);
// The entry controls call on a state change: a fade when animation is allowed
// and possible, else an immediate repaint (and the glow at full alpha).
void AnimateStateChange(TSkinCommonData* data, int kind, TSkFadeStepCallback callback, bool withGlow, bool fast,
                        bool allow);

}  // namespace ad::skin
