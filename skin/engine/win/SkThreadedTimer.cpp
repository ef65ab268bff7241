// The fade timer and the state-change animations.
#include "skin/engine/win/SkThreadedTimer.h"

#include <algorithm>
#include <cmath>

#include "framework/Forms.h"
#include "skin/engine/win/SkinCommonData.h"
#include "skin/engine/win/SkinDataMessages.h"
#include "skin/engine/win/SkinManager.h"

namespace ad::skin {

TSkThreadedTimer::TSkThreadedTimer(TComponent* AOwner) : TComponent(AOwner) {
    if (Application && Application->Terminated()) return;
    enabled_ = true;
    interval_ = 1000;
    inner_ = std::make_unique<TTimer>(nullptr);
    inner_->SetEnabled(false);
    inner_->SetInterval(interval_);
    inner_->OnTimer = [this](TObject*) {
        if (!inner_ || !inner_->Enabled() || inTick_ || destroying_) return;
        inTick_ = true;
        struct TReset {
            bool& flag;
            ~TReset() { flag = false; }
        } reset{inTick_};
        TimerTick();
    };
}

TSkThreadedTimer::TSkThreadedTimer(TComponent* AOwner, bool installStep) : TSkThreadedTimer(AOwner) {
    SetEnabled(false);
    OwnerComponent = AOwner;
    if (installStep) SetOnTimer([this](TObject*) { DoStep(); });
}

TSkThreadedTimer::~TSkThreadedTimer() {
    enabled_ = false;
    if (inner_) inner_->SetEnabled(false);
    if (Data && Data->FadeTimer == this) Data->FadeTimer = nullptr;
    if (!destroying_) {
        destroying_ = true;
        inner_.reset();
        TargetImage.reset();
        WorkImage.reset();
        StartImage.reset();
    }
}

void TSkThreadedTimer::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    UpdateTimer();
}

void TSkThreadedTimer::SetInterval(unsigned value) {
    if (value == interval_) return;
    interval_ = value;
    if (inner_) inner_->SetInterval(value);
    UpdateTimer();
}

void TSkThreadedTimer::SetOnTimer(TNotifyEvent value) {
    onTimer_ = std::move(value);
    UpdateTimer();
}

void TSkThreadedTimer::SetThreadPriority(TThreadPriority value) {
    if (value == priority_) return;
    priority_ = value;
    UpdateTimer();
}

void TSkThreadedTimer::UpdateTimer() {
    if (!inner_) return;
    inner_->SetEnabled(false);
    if (interval_ != 0 && enabled_ && (onTimer_ || StepCallback)) {
        inner_->SetInterval(interval_);
        inner_->SetEnabled(true);
    }
}

bool TSkThreadedTimer::InnerTimerActive() const { return inner_ && inner_->Enabled() && inner_->Interval() != 0; }

void TSkThreadedTimer::Tick() {
    if (!InnerTimerActive() || inTick_ || destroying_) return;
    inTick_ = true;
    TimerTick();
    inTick_ = false;
}

void TSkThreadedTimer::TimerTick() {
    if (destroying_ || !enabled_) return;
    if (StepCallback) {
        ++Fade.Counter;
        if (Fade.Counter > Fade.StepCount) SetEnabled(false);
        else StepCallback(Data, Fade.Counter);
    } else if (onTimer_) {
        onTimer_(this);
    }
}

void TSkThreadedTimer::DoStep() {
    if (!enabled_ || !StepCallback || destroying_) return;
    if (!StepCallback(Data, Fade.Counter)) {
        SetEnabled(false);
        Fade.Kind = kFadeNone;
    }
}

// ---- Fades ---------------------------------------------------------------------------

int EnsureFadeTimer(TSkinCommonData* data, int kind) {
    if (data->FadeTimer) return FadeStepsLeft(data->FadeTimer->Fade);
    auto* timer = new TSkThreadedTimer(data->OwnerControl, true);
    timer->Data = data;
    if (kind == kFadeOut) timer->Fade.Level = 255;
    data->FadeTimer = timer;
    return 0;
}

void CopyImageRect(std::unique_ptr<TSkinCacheImage>& target, const TSkinCacheImage& source, const TRect& rect) {
    if (!target) target = std::make_unique<TSkinCacheImage>();
    if (!target->SetSize(rect.Width(), rect.Height()) || target->Empty() || source.Empty()) return;
    GdiFlush();
    const TImageView32 t = target->View(), s = source.View();
    for (int y = 0; y < t.Height; ++y) {
        const int sy = rect.Top + y;
        if (sy < 0 || sy >= s.Height) continue;
        for (int x = 0; x < t.Width; ++x) {
            const int sx = rect.Left + x;
            if (sx >= 0 && sx < s.Width) SetPixel32(t, x, y, GetPixel32(s, sx, sy));
        }
    }
}

void StartFade(TSkinCommonData* data, int stepsLeft, bool fast, int kind, TSkFadeStepCallback callback) {
    TSkThreadedTimer* timer = data ? data->FadeTimer : nullptr;
    if (!timer) return;
    timer->SetEnabled(false);
    timer->Data = data;
    const int oldKind = timer->Fade.Kind;
    StartFadeMath(timer->Fade, stepsLeft, fast, kind, timer->WorkImage != nullptr);
    if ((kind == kFadeToState || (kind == kFadeIn && oldKind == kFadeToState)) && timer->WorkImage)
        CopyImageRect(timer->StartImage, *timer->WorkImage,
                      {0, 0, timer->WorkImage->Width(), timer->WorkImage->Height()});
    timer->SetInterval(10);
    timer->StepCallback = std::move(callback);
    timer->SetEnabled(true);
}

void StartStateFade(TSkinCommonData* data, int kind, TSkFadeStepCallback callback, bool fast) {
    if (!data) return;
    const int stepsLeft = EnsureFadeTimer(data, kind);
    TSkThreadedTimer* timer = data->FadeTimer;
    if (!timer) return;
    if (timer->Fade.Kind != kFadeNone && timer->Fade.Kind == kind) return;
    if (!data->CacheImage) return;
    if (timer->WorkImage &&
        (timer->WorkImage->Width() != data->CacheImage->Width() || timer->WorkImage->Height() != data->CacheImage->Height()))
        timer->WorkImage.reset();
    const TRect whole{0, 0, data->CacheImage->Width(), data->CacheImage->Height()};
    CopyImageRect(timer->StartImage, *data->CacheImage, whole);
    if (data->BgChanged) {
        LRESULT failed = 0;
        if (data->OwnerControl) failed = SendControlCommand(data->OwnerControl, SKC_CACHEVALID);
        else if (HWND wnd = data->OwnerHandle()) failed = SendSkinCommand(wnd, SKC_CACHEVALID);
        if (failed) timer->SetEnabled(false);
    }
    if (!data->CacheImage) return;
    CopyImageRect(timer->TargetImage, *data->CacheImage, {0, 0, data->CacheImage->Width(), data->CacheImage->Height()});
    StartFade(data, stepsLeft, fast, kind, std::move(callback));
    timer->DoStep();
}

bool FadeStep(TSkinCommonData* data, int counter) {
    (void)counter;
    TSkThreadedTimer* timer = data ? data->FadeTimer : nullptr;
    if (!timer || timer->IsDestroying()) return false;
    HWND wnd = data->OwnerHandle();
    if (!wnd || timer->Fade.StepCount <= 0 || !data->CacheImage || !timer->StartImage || !timer->TargetImage)
        return false;
    const TSkinCacheImage& cache = *data->CacheImage;
    CopyImageRect(timer->WorkImage, *timer->StartImage, {0, 0, cache.Width(), cache.Height()});
    const TFadeStepResult step = AdvanceFadeLevel(timer->Fade);
    const TImageView32 work = timer->WorkImage->View(), target = timer->TargetImage->View();
    if (!work.Empty() && !target.Empty())
        BlendBitmapConst(work, target, step.TargetWeight, {0, 0}, {0, 0, target.Width, target.Height});
    {
        WindowDC dc(wnd);
        if (dc.Get()) {
            if (GetLayout(dc.Get()) & LAYOUT_RTL) SetLayout(dc.Get(), 0);
            timer->WorkImage->Draw(dc.Get(), 0, 0, {0, 0, cache.Width(), cache.Height()});
        }
    }
    TFadeState& f = timer->Fade;
    if (f.Counter < f.StepCount) {
        if (data->GlowIndex >= 0) SetGlowAlpha(data->GlowIndex, step.Alpha);
        if (f.Kind == kFadeOut && step.Alpha < 10) {
            f.Level = 0;
            HideGlow(data->GlowIndex, false);
        }
        return true;
    }
    if (f.Kind == kFadeOut && step.Alpha > 0) {
        // Not faded out yet: the last step runs again until it is.
        if (data->GlowIndex >= 0) SetGlowAlpha(data->GlowIndex, step.Alpha);
        --f.Counter;
        return true;
    }
    const int kind = f.Kind;
    if (kind == kFadeOut) data->StopFade();
    if (kind != kFadeIn) HideGlow(data->GlowIndex, false);
    return false;
}

bool GlowFadeStep(TSkinCommonData* data, int counter) {
    TSkThreadedTimer* timer = data ? data->FadeTimer : nullptr;
    if (!timer || !data->OwnerControl || data->OwnerControl->Destroying() || timer->Fade.StepCount <= 0) return false;
    TFadeState& f = timer->Fade;
    if (counter >= f.StepCount) {
        const int kind = f.Kind;
        if (kind != kFadeIn) HideGlow(data->GlowIndex, false);
        if (kind == kFadeOut) data->StopFade();
        return false;
    }
    if (data->GlowIndex < 0) return true;
    f.Level += f.Kind == kFadeIn ? f.Step : -f.Step;
    SetGlowAlpha(data->GlowIndex, int(std::clamp(std::round(f.Level), 0.0, 255.0)));
    return true;
}

void AnimateStateChange(TSkinCommonData* data, int kind, TSkFadeStepCallback callback, bool withGlow, bool fast,
                        bool allow) {
    if (!data || !data->IsSkinActive()) return;
    TSkinManager* manager = data->SkinManager();
    const bool fade = allow && !SkinLoading() && !ProviderNoAnimation() && data->CacheImage && !data->BgChanged &&
                      manager && manager->Effects.AllowAnimation;
    if (fade) {
        if (withGlow && kind < 100 && data->GlowIndex < 0) ShowHoverGlow(data, false, nullptr, -1, false, 0);
        data->BgChanged = true;
        StartStateFade(data, kind, std::move(callback), fast);
        return;
    }
    data->InvalidateOwner(false);
    if (!withGlow) return;
    if (data->MouseAbove) {
        if (kind < 100 && data->GlowIndex < 0) ShowHoverGlow(data, false, nullptr, -1, false, 255);
    } else {
        HideGlow(data->GlowIndex, false);
    }
}

}  // namespace ad::skin
