// The show and hide animations of skinned forms over the layered animation
// of the skin engine.
#include "skin/forms/SkinFormAnimation.h"

#include "framework/Forms.h"
#include "skin/engine/image/SkinAlphaDraw.h"
#include "skin/engine/skinfile/SkinAnimation.h"
#include "skin/forms/SkBorderForm.h"
#include "skin/forms/SkGlowForm.h"
#include "skin/forms/SkGlowEffect.h"
#include "skin/forms/SkinProvider.h"

namespace ad::skin::forms {

namespace {

// Redrawn whole: invalidate, erase, all children, now, frame (0x585).
constexpr UINT kRedrawAll = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;
constexpr UINT kUnderFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

void MakeAnimationWindow(HWND window, bool topmost, const RECT& bounds) {
    ::SetWindowLongPtrW(window, GWL_EXSTYLE,
                        ::GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_NOACTIVATE | WS_EX_LAYERED);
    ::SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_TOP, bounds.left, bounds.top, bounds.right - bounds.left,
                   bounds.bottom - bounds.top, SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

// The run is freed after the frame that ended it (it may not go inside its own timer).
void ReleaseRun(TSkinProvider& provider) {
    if (HWND wnd = provider.Wnd()) ::PostMessageW(wnd, FormAnimationDoneMessage(), 0, 0);
}

void EndShow(TSkinProvider& provider) {
    TSkFormAnimationRun* run = provider.FormAnimation.get();
    HWND wnd = provider.Wnd();
    provider.SetShowAnimationRunning(false);
    if (!run || !wnd) return;
    TForm* form = provider.OwnerForm();
    // The form shows itself again, under the animation window.
    if (form && form->AlphaBlend()) SetWindowAlpha(wnd, true, form->AlphaBlendValue());
    else ::SetWindowLongPtrW(wnd, GWL_EXSTYLE, ::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_LAYERED));
    if (run->Window && run->Window->HandleAllocated())
        ::SetWindowPos(wnd, run->Window->Handle(), 0, 0, 0, 0, kUnderFlags);
    if (TSkBorderForm* border = provider.BorderForm()) {
        border->Animating = false;
        border->ApplyRegion();
        provider.SkinData->BgChanged = true;
        border->UpdateBorderWindow(true);
    }
    ::RedrawWindow(wnd, nullptr, nullptr, kRedrawAll);
    run->Window.reset();
    ReleaseRun(provider);
    if (provider.OnAfterAnimation) provider.OnAfterAnimation(0);
}

void EndHide(TSkinProvider& provider) {
    TSkFormAnimationRun* run = provider.FormAnimation.get();
    if (!run) return;
    if (HWND wnd = provider.Wnd()) {
        TForm* form = provider.OwnerForm();
        if (form && form->AlphaBlend()) SetWindowAlpha(wnd, true, form->AlphaBlendValue());
        else ::SetWindowLongPtrW(wnd, GWL_EXSTYLE, ::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_LAYERED));
    }
    if (TSkBorderForm* border = provider.BorderForm()) {
        border->Animating = false;
        border->FreeBorderWindow();
    }
    run->Window.reset();
    provider.SetFormState(provider.FormState() & ~kFsHideImage);
    ReleaseRun(provider);
    if (provider.OnAfterAnimation) provider.OnAfterAnimation(1);
}

// The window the frames go to, placed over the form (bounds): the border
// window (its region off meanwhile) or, without one, a new glow form whose
// image has the corners the form's region cuts made transparent.
HWND TakeAnimationWindow(TSkinProvider& provider, TSkFormAnimationRun& run, TSkinCacheImage& image, RECT& bounds) {
    ::GetWindowRect(provider.Wnd(), &bounds);
    HWND window = nullptr;
    if (TSkBorderForm* border = provider.BorderForm(); border && border->Handle()) {
        window = border->Handle();
        bounds.left -= border->LeftOffset();
        bounds.top -= border->TopOffset();
        ::SetWindowRgn(window, nullptr, FALSE);
        border->Animating = true;
        run.OnBorder = true;
    } else {
        const TImageView32 view = image.View();
        for (const TRect& r : provider.MaskRects()) FillRect32(view, r, 0, 0);
        run.Window = std::make_unique<TSkGlowForm>(nullptr);
        window = run.Window->Handle();
    }
    bounds.right = bounds.left + image.Width();
    bounds.bottom = bounds.top + image.Height();
    return window;
}

// The run goes to the provider and draws its first frame now, the others on
// the timer (all at once when the program ends).
void Launch(TSkinProvider& provider, std::unique_ptr<TSkFormAnimationRun> run, HWND window,
            const TSkinCacheImage& image, std::vector<TAnimationFrame> frames, std::function<void()> onFinished) {
    run->Planned = frames.size();
    run->Animation = std::make_unique<TSkLayeredAnimation>(window, image.View(), std::move(frames));
    run->Animation->OnFinished = std::move(onFinished);
    provider.FormAnimation = std::move(run);
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    provider.FormAnimation->Animation->Start();
    if (Application && Application->Terminated()) FinishFormAnimation(provider);
}

}  // namespace

UINT FormAnimationDoneMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"AdSkinFormAnimationDone");
    return message;
}

void FinishFormAnimation(TSkinProvider& provider) {
    if (provider.FormAnimation && provider.FormAnimation->Animation) provider.FormAnimation->Animation->RunToEnd();
}

bool AnimateFormShow(TSkinProvider& provider, int time, int alpha, int mode) {
    TForm* form = provider.OwnerForm();
    HWND wnd = provider.Wnd();
    if (!form || !wnd || !provider.SkinData || ::IsIconic(wnd)) return false;
    if (form->BorderStyle == TFormBorderStyle::bsNone) mode = amGrow;
    FinishFormAnimation(provider);
    provider.FormAnimation.reset();
    provider.SkinData->BgChanged = true;
    provider.PrepareCache();
    std::unique_ptr<TSkinCacheImage> image = provider.CopyFormImage();
    if (!image || image->Empty()) return false;

    auto run = std::make_unique<TSkFormAnimationRun>();
    if (TSkBorderForm* border = provider.BorderForm()) border->CreateBorderWindow();
    RECT bounds{};
    HWND window = TakeAnimationWindow(provider, *run, *image, bounds);
    if (!window) return false;
    const bool topmost = (::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    MakeAnimationWindow(window, topmost, bounds);
    std::vector<TAnimationFrame> frames = ShowAnimationFrames(time, alpha, mode, {image->Width(), image->Height()}, false);
    provider.SetShowAnimationRunning(true);
    TSkinProvider* p = &provider;
    Launch(provider, std::move(run), window, *image, std::move(frames), [p] { EndShow(*p); });
    return true;
}

bool AnimateFormHide(TSkinProvider& provider, std::unique_ptr<TSkinCacheImage> image) {
    ClearAllGlows(false);
    TForm* form = provider.OwnerForm();
    HWND wnd = provider.Wnd();
    if (!form || !wnd || form->FormStyle() == TFormStyle::fsMDIChild || !image || image->Empty()) return false;
    TSkinManager* manager = provider.Manager();
    if (!manager) return false;
    const int alpha = form->AlphaBlend() ? form->AlphaBlendValue() : 255;
    std::vector<TAnimationFrame> frames =
        HideAnimationFrames(manager->AnimEffects.FormHide.Time, alpha, int(manager->AnimEffects.FormHide.Mode),
                            {image->Width(), image->Height()});
    if (frames.empty()) return false;
    FinishFormAnimation(provider);
    provider.FormAnimation.reset();

    auto run = std::make_unique<TSkFormAnimationRun>();
    run->Hiding = true;
    RECT bounds{};
    HWND window = TakeAnimationWindow(provider, *run, *image, bounds);
    if (!window) return false;
    MakeAnimationWindow(window, (::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, bounds);
    TSkinProvider* p = &provider;
    Launch(provider, std::move(run), window, *image, std::move(frames), [p] { EndHide(*p); });
    return true;
}

}  // namespace ad::skin::forms
