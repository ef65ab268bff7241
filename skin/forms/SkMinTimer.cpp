// The minimise, restore and move animations.
#include "skin/forms/SkMinTimer.h"

#include <algorithm>
#include <cmath>

#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/skinfile/SkinMessages.h"
#include "skin/engine/win/SkinDwm.h"
#include "skin/engine/win/SkinGdiPaint.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/engine/win/SkinMessaging.h"
#include "skin/engine/win/SkinWindowAnimation.h"
#include "skin/forms/SkGlowForm.h"
#include "skin/forms/SkinGluedForms.h"
#include "skin/forms/SkinProvider.h"

namespace ad::skin::forms {

namespace {

constexpr unsigned kStepInterval = 10;
// Placed without moving, sizing, activating or redrawing.
constexpr UINT kPlaceFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOOWNERZORDER | 0x200;
// Tries of taking WS_EX_LAYERED off before giving up.
constexpr int kStyleTries = 3;

uint64_t Now() { return TSkPacedTimer::Clock ? TSkPacedTimer::Clock() : ::GetTickCount64(); }

void RemoveLayered(HWND wnd) {
    for (int i = 0; i < kStyleTries; ++i) {
        const LONG_PTR style = ::GetWindowLongPtrW(wnd, GWL_EXSTYLE);
        if (!(style & WS_EX_LAYERED)) return;
        ::SetWindowLongPtrW(wnd, GWL_EXSTYLE, style & ~LONG_PTR(WS_EX_LAYERED));
    }
}

TRect WindowRectOf(HWND wnd) {
    RECT r{};
    ::GetWindowRect(wnd, &r);
    return {r.left, r.top, r.right, r.bottom};
}

TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

}  // namespace

// ---- The taskbar target ----

int TaskbarEdge(const TRect& t) {
    if (t.Top != 0) return t.Left >= -4 && t.Left <= 0 ? 8 : 4;
    if (t.Left != 0) return 4;
    return t.Height() < t.Width() ? 2 : 1;
}

TRect TaskbarTarget(const TRect& form, const TSkTaskbarInfo& taskbar) {
    if (!taskbar.Present) return {};
    if (taskbar.Button) return *taskbar.Button;
    const TRect& t = taskbar.Rect;
    const TPoint c = Centre(form);
    TPoint p;
    switch (TaskbarEdge(t)) {
        case 1: p = {t.Right, c.Y}; break;
        case 2: p = {c.X, t.Bottom}; break;
        case 4: p = {t.Left, c.Y}; break;
        default: p = {c.X, t.Top}; break;
    }
    return {p.X, p.Y, p.X, p.Y};
}

TSkTaskbarInfo CurrentTaskbar(HWND appWnd, bool composition) {
    TSkTaskbarInfo info;
    HWND tray = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    if (!tray) return info;
    info.Present = true;
    info.Rect = WindowRectOf(tray);
    if (!composition) info.Button = FindTaskbarButtonRect(appWnd);
    return info;
}

uint8_t MinimizeEdgeAlpha(uint8_t formAlpha, bool composition, int time) {
    if (!composition) return formAlpha;
    return time > 10 ? uint8_t(formAlpha >> 2) : formAlpha;
}

// ---- Pacing ----

TSkPacedTimer::TSkPacedTimer(TComponent* owner) : TSkThreadedTimer(owner, false) {
    SetInterval(kStepInterval);
    SetOnTimer([this](TObject*) { PacedTick(); });
    RestartPacing();
}

void TSkPacedTimer::RestartPacing() {
    start_ = Now();
    done_ = 0;
}

void TSkPacedTimer::PacedTick() {
    // The steps due by now, at least one: a late tick catches up instead of
    // stretching the animation, and no step ever waits.
    const uint64_t elapsed = Now() - start_;
    const int due = std::max(1, int(elapsed / kStepInterval) - done_);
    const std::shared_ptr<const bool> alive = LifeToken();
    for (int i = 0; i < due && *alive && Enabled(); ++i) {
        ++done_;
        if (!(i + 1 < due ? Skip() : Step())) break;
    }
}

// ---- TSkMinTimer ----

TSkMinTimer::TSkMinTimer(TSkinProvider* provider) : TSkPacedTimer(provider), provider_(provider) {
    TForm* form = provider ? provider->OwnerForm() : nullptr;
    wnd_ = form && form->HandleAllocated() ? form->Handle() : nullptr;
    Prepare();
}

TSkMinTimer::~TSkMinTimer() = default;

void TSkMinTimer::Prepare() {
    if (!provider_ || !wnd_) return;
    TForm* form = provider_->OwnerForm();
    TSkinManager* manager = provider_->Manager();
    const int time = manager ? manager->AnimEffects.Minimizing.Time : 0;
    const bool composition = SkinCompositionEnabled ? SkinCompositionEnabled() : IsCompositionEnabled();
    growing_ = (provider_->FormState() & kFsRestoring) != 0;
    steps_ = std::max(1, time / 10);
    startAlpha_ = MinimizeEdgeAlpha(form->AlphaBlend() ? form->AlphaBlendValue() : 255, composition, time);
    endAlpha_ = 0;
    // A minimised form is restored to where it was (its own rectangle is the icon's).
    if (!::IsIconic(wnd_)) {
        formRect_ = WindowRectOf(wnd_);
    } else if (IsEmpty(formRect_)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        ::GetWindowPlacement(wnd_, &placement);
        const RECT& n = placement.rcNormalPosition;
        formRect_ = {n.left, n.top, n.right, n.bottom};
    }
    HWND app = Application && Application->MainForm == form ? Application->Handle() : wnd_;
    const TSkTaskbarInfo taskbar = TaskbarSeam ? TaskbarSeam(app) : CurrentTaskbar(app, composition);
    edge_ = taskbar.Present ? TaskbarEdge(taskbar.Rect) : 0;
    target_ = TaskbarTarget(formRect_, taskbar);
    const TPoint fc = Centre(formRect_), tc = Centre(target_);
    dx_ = double(tc.X - fc.X) / steps_;
    dy_ = double(tc.Y - fc.Y) / steps_;
    dw_ = double(formRect_.Width() - target_.Width()) / (2.0 * steps_);
    dh_ = double(formRect_.Height() - target_.Height()) / (2.0 * steps_);
    alphaStep_ = double(startAlpha_ - endAlpha_) / std::max(1, steps_ - 1);
    // A minimise starts at the form and its opacity; a restore grows from the
    // target and from transparent, so that its steps lead back to the form.
    const TRect& from = growing_ ? target_ : formRect_;
    left_ = from.Left;
    top_ = from.Top;
    right_ = from.Right;
    bottom_ = from.Bottom;
    alpha_ = growing_ ? endAlpha_ : startAlpha_;
    framesShown_ = 0;
    frame_ = std::make_unique<TDibSection32>(formRect_.Width(), formRect_.Height());
    if (!snapshot_) {
        snapshot_ = std::make_unique<TSkGlowForm>(nullptr);
        snapshot_->SetBounds(formRect_.Left, formRect_.Top, formRect_.Width(), formRect_.Height());
        snapshot_->Handle();  // the window the frames go to
    }
    RestartPacing();
}

TRect TSkMinTimer::CurrentRect() const {
    return {int(std::lround(left_)), int(std::lround(top_)), int(std::lround(right_)), int(std::lround(bottom_))};
}

HWND TSkMinTimer::AnimationWindow() const { return snapshot_ && snapshot_->HandleAllocated() ? snapshot_->Handle() : nullptr; }

bool TSkMinTimer::Step() {
    if (!Advance()) return false;
    ShowFrame();
    return true;
}

bool TSkMinTimer::Skip() { return Advance(); }

bool TSkMinTimer::Advance() {
    if (busy_ || !provider_) return false;
    busy_ = true;
    struct TBusy {
        bool& flag;
        ~TBusy() { flag = false; }
    } busy{busy_};
    const uint32_t state = provider_->FormState();
    if (state & kFsMinimizing) growing_ = false;
    else if (state & kFsRestoring) growing_ = true;
    if (!snapshot_ || !::IsWindow(wnd_)) {
        SetEnabled(false);
        return false;
    }
    if (growing_) {
        left_ -= dx_ + dw_;
        right_ -= dx_ - dw_;
        top_ -= dy_ + dh_;
        bottom_ -= dy_ - dh_;
        alpha_ = std::min(alpha_ + alphaStep_, 255.0);
        if (alpha_ >= startAlpha_) {
            EndRestore();
            return false;
        }
    } else {
        left_ += dx_ + dw_;
        right_ += dx_ - dw_;
        top_ += dy_ + dh_;
        bottom_ += dy_ - dh_;
        alpha_ = std::max(alpha_ - alphaStep_, 0.0);
        if (alpha_ <= 0) {
            EndMinimize();
            return false;
        }
    }
    return true;
}

void TSkMinTimer::ShowFrame() {
    if (!frame_ || frame_->View().Empty()) return;
    ++framesShown_;
    const TImageView32 view = frame_->View();
    FillRect32(view, {0, 0, view.Width, view.Height}, 0, 0);
    const TRect r = CurrentRect();
    const int w = std::max(r.Width(), 0), h = std::max(r.Height(), 0);
    const int x = (view.Width - w) / 2, y = (view.Height - h) / 2;
    if (FormImage && !FormImage->Empty() && w > 0 && h > 0) {
        OwnedMemoryDC target(::CreateCompatibleDC(nullptr)), source(::CreateCompatibleDC(nullptr));
        SelectObjectScope t(target.Get(), frame_->Handle()), s(source.Get(), FormImage->Handle());
        ::SetStretchBltMode(target.Get(), COLORONCOLOR);
        ::StretchBlt(target.Get(), x, y, w, h, source.Get(), 0, 0, FormImage->Width(), FormImage->Height(), SRCCOPY);
        ::GdiFlush();
        SetRectAlpha(view, {x, y, x + w, y + h}, 255);
    }
    HWND anim = AnimationWindow();
    const TPoint c = Centre(r);
    ::SetWindowPos(anim, nullptr, c.X - view.Width / 2, c.Y - view.Height / 2, view.Width, view.Height,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    SetLayeredImage(anim, frame_.get(), uint8_t(std::lround(alpha_)));
    // Just below the taskbar.
    if (HWND tray = ::FindWindowW(L"Shell_TrayWnd", nullptr)) ::SetWindowPos(anim, tray, 0, 0, 0, 0, kPlaceFlags);
    if (!::IsWindowVisible(anim)) ::ShowWindow(anim, SW_SHOWNOACTIVATE);
}

void TSkMinTimer::EndRestore() {
    SetEnabled(false);
    TForm* form = provider_->OwnerForm();
    ::ShowWindow(wnd_, ::IsZoomed(wnd_) ? SW_SHOWMAXIMIZED : SW_SHOWNOACTIVATE);
    if (form->AlphaBlend()) ::SetLayeredWindowAttributes(wnd_, 0, form->AlphaBlendValue(), LWA_ALPHA);
    else RemoveLayered(wnd_);
    provider_->noPaint_ = false;
    provider_->SetFormState(provider_->FormState() & ~kFsRestoring);
    if (provider_->SkinData) provider_->SkinData->BgChanged = true;
    ::RedrawWindow(wnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    growing_ = false;
    if (snapshot_) snapshot_->Hide();
    if (form->Enabled() && ::IsWindowVisible(wnd_)) ::SetActiveWindow(wnd_);
    if (provider_->FormState() & kFsDisabledBlend) provider_->UpdateDisabledBlend();
    if (Application && Application->OnRestore) Application->OnRestore(Application);
}

void TSkMinTimer::EndMinimize() {
    SetEnabled(false);
    provider_->noPaint_ = false;
    provider_->ClearHotElement();
    provider_->SetFormState(provider_->FormState() & ~kFsMinimizing);
    RemoveLayered(wnd_);
    if (snapshot_) {
        const TImageView32 view = frame_ ? frame_->View() : TImageView32{};
        if (!view.Empty()) FillRect32(view, {0, 0, view.Width, view.Height}, 0, 0);
        snapshot_->Hide();
    }
    growing_ = true;
}

// ---- TSkMoveTimer ----

TSkMoveTimer::TSkMoveTimer(TComponent* owner, HWND form, double current, uint8_t target, double step)
    : TSkPacedTimer(owner), wnd_(form), alpha_(current), target_(target), step_(step) {}

bool TSkMoveTimer::Step() {
    if (!::IsWindow(wnd_)) {
        SetEnabled(false);
        return false;
    }
    const auto shown = uint8_t(std::clamp(std::lround(alpha_), 0L, 255L));
    SetWindowAlpha(wnd_, true, shown);
    // The forms glued to this one fade with it.
    if (TSkinProvider* provider = TSkinProvider::OfWindow(wnd_))
        for (const TSkGluedPair& pair : GluedPairs())
            if (pair.Master.Get() == provider->OwnerForm() && pair.Glued.Get() && pair.Glued->HandleAllocated())
                SendSkinCommand(pair.Glued->Handle(), SKC_SETFORMALPHA, shown);
    if (alpha_ > target_) {
        alpha_ -= step_;
        return true;
    }
    SetEnabled(false);
    return false;
}

}  // namespace ad::skin::forms
