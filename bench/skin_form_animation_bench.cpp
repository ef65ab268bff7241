// The minimise animation of a skinned 850 x 574 form under Wine, next to
// peers measured in the same run: one step of the animation (shrink the
// form's image into the frame and show it in the layered window) next to
// showing the same frame unchanged in that window; and the whole animation
// on its 10 ms timer, steps shown next to steps planned and its time next to
// the planned time. The skin is the program's built-in one. Prints one table.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>

#include "bench/BenchTiming.h"
#include "bench/SkinBenchSetup.h"
#include "framework/Forms.h"
#include "skin/engine/win/SkinDib.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/engine/win/SkinWindowAnimation.h"
#include "skin/forms/SkGlowForm.h"
#include "skin/forms/SkMinTimer.h"
#include "skin/forms/SkinProvider.h"

using namespace ad;
using namespace ad::skin;
using namespace ad::skin::forms;
using ad::bench::Best;
using ad::bench::Millis;

namespace {

void PumpPending() { Application->ProcessMessages(); }

// A taskbar along the bottom of the screen, so that every run aims at the same point.
TSkTaskbarInfo BottomTaskbar(HWND) { return {true, {0, 770, 1280, 800}, {}}; }

bool CompositionOn() { return true; }

}  // namespace

int main() {
    TApplication application;
    auto manager = ad::bench::StartBuiltInSkin();
    if (!manager) return 1;
    manager->Effects.AllowAnimation = true;
    manager->AnimEffects.Minimizing.Time = 120;
    SkinCompositionEnabled = CompositionOn;
    TSkMinTimer::TaskbarSeam = BottomTaskbar;

    auto form = std::make_unique<TForm>(nullptr);
    form->SetCaption("Appdeck - benchmark");
    form->SetBounds(100, 60, 850, 574);
    form->Show();
    PumpPending();
    TSkinProvider* provider = TSkinProvider::OfWindow(form->Handle());
    if (!provider) {
        std::printf("no provider\n");
        return 1;
    }
    ::SendMessageW(form->Handle(), WM_NCHITTEST, 0, 0);
    ::RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    PumpPending();

    std::printf("%-48s %12s %12s\n", "minimise animation 850x574 (Wine)", "animation", "peer");
    // One step, by hand: each run starts a new minimise and times its second step.
    const double step = Best(10, [&] {
        provider->StartMinimizeAnimation();
        auto* timer = dynamic_cast<TSkMinTimer*>(provider->AnimationTimer());
        timer->SetEnabled(false);
        const auto t = std::chrono::steady_clock::now();
        timer->Step();
        const double ms = Millis(t);
        while (timer->Step()) {
        }
        return ms;
    });
    TSkGlowForm window(nullptr);
    window.SetBounds(100, 60, 850, 574);
    TDibSection32 frame(850, 574);
    const double show = Best(10, [&] {
        const auto t = std::chrono::steady_clock::now();
        SetLayeredImage(window.Handle(), &frame, 200);
        return Millis(t);
    });
    std::printf("%-48s %9.3f ms %9.3f ms\n", "one step / the frame shown as it is", step, show);

    // The whole animation on its timer: steps and time against the plan.
    double total = 0;
    {
        const auto t = std::chrono::steady_clock::now();
        provider->StartMinimizeAnimation();
        auto* timer = dynamic_cast<TSkMinTimer*>(provider->AnimationTimer());
        while (timer->Enabled() && Millis(t) < 2000) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            PumpPending();
        }
        total = Millis(t);
        // The opacity reaches 0 at step Steps - 1, which ends the animation without a frame.
        std::printf("%-48s %9d    %9d\n", "frames shown / frames planned", timer->FramesShown(), timer->Steps() - 2);
    }
    std::printf("%-48s %9.3f ms %9.3f ms\n", "animation time / planned time", total,
                double(manager->AnimEffects.Minimizing.Time));
    form->Hide();
    TSkMinTimer::TaskbarSeam = nullptr;
    InstallSkinEngineLinks({});
    return 0;
}
