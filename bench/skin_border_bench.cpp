// The extended border's costs under Wine, side by side in one run: moving a
// skinned form with its border window (the border window only follows, no
// image is handed over) next to resizing it (a new image for the layered
// window), per step, with the images handed over counted; and the show and
// hide animation of an 850 x 574 form: frames shown next to frames planned,
// and the time taken next to the time asked for. The skin is the program's
// built-in one. Prints one table.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>

#include "bench/BenchTiming.h"
#include "bench/SkinBenchSetup.h"
#include "framework/Forms.h"
#include "skin/engine/win/SkinEngineLinks.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/forms/SkBorderForm.h"
#include "skin/forms/SkinFormAnimation.h"
#include "skin/forms/SkinProvider.h"

using namespace ad;
using namespace ad::skin;
using namespace ad::skin::forms;
using ad::bench::Millis;

namespace {

void PumpPending() { Application->ProcessMessages(); }

// Pumps until done() or the time is up (the animations run on timer ticks).
template <class F>
bool PumpUntil(F done, int limitMs) {
    const auto start = std::chrono::steady_clock::now();
    while (!done()) {
        if (Millis(start) > limitMs) return false;
        MSG msg;
        if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        } else {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }
    return true;
}

struct TStepFigures {
    double MsPerStep = 0;
    size_t Images = 0;
};

TStepFigures Steps(TForm& form, TSkBorderForm& border, bool resize, int count) {
    const size_t images = border.ImageUpdates();
    const int left = form.Left(), top = form.Top(), width = form.Width(), height = form.Height();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 1; i <= count; ++i) {
        if (resize) form.SetBounds(left, top, width + (i % 20), height + (i % 20));
        else form.SetBounds(left + (i % 40), top + (i % 30), width, height);
        PumpPending();
    }
    TStepFigures f;
    f.MsPerStep = Millis(start) / count;
    f.Images = border.ImageUpdates() - images;
    form.SetBounds(left, top, width, height);
    PumpPending();
    return f;
}

}  // namespace

int main() {
    TApplication application;
    std::unique_ptr<TSkinManager> manager = bench::StartBuiltInSkin();
    if (!manager) return 1;
    manager->SetExtendedBorders(true);

    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(60, 40, 850, 574);
    form->SetCaption("Appdeck - border benchmark");
    form->Show();
    PumpPending();
    TSkinProvider* provider = TSkinProvider::OfWindow(form->Handle());
    TSkBorderForm* border = provider ? provider->BorderForm() : nullptr;
    if (!border || !border->Handle()) {
        std::printf("the form has no border window\n");
        return 1;
    }
    constexpr int kSteps = 200;
    const TStepFigures moves = Steps(*form, *border, false, kSteps);
    const TStepFigures sizes = Steps(*form, *border, true, kSteps);
    std::printf("%-44s %12s %12s\n", "850 x 574 form with its border window", "ms per step", "images");
    std::printf("%-44s %12.3f %12zu\n", "move (200 steps)", moves.MsPerStep, moves.Images);
    std::printf("%-44s %12.3f %12zu\n", "resize (200 steps)", sizes.MsPerStep, sizes.Images);

    // The show and hide animations, 300 ms each, fading and zooming.
    form->Hide();
    PumpPending();
    manager->Effects.AllowAnimation = true;
    manager->AnimEffects.FormShow = {true, 300, atAero};
    manager->AnimEffects.FormHide = {true, 300, atAero};
    std::printf("\n%-44s %8s %8s %10s %10s\n", "animation (300 ms asked)", "planned", "shown", "ms taken",
                "ms asked");
    for (const bool showing : {true, false}) {
        const auto start = std::chrono::steady_clock::now();
        if (showing) form->Show();
        else form->Hide();
        TSkFormAnimationRun* run = provider->FormAnimation.get();
        if (!run || !run->Animation) {
            std::printf("%-44s no animation ran\n", showing ? "show" : "hide");
            continue;
        }
        const size_t planned = run->Planned;
        size_t shown = 0;
        PumpUntil(
            [&] {
                TSkFormAnimationRun* r = provider->FormAnimation.get();
                if (r && r->Animation) shown = r->Animation->FramesShown();
                return !r || !r->Animation || !r->Animation->Running();
            },
            5000);
        if (provider->FormAnimation && provider->FormAnimation->Animation)
            shown = provider->FormAnimation->Animation->FramesShown();
        std::printf("%-44s %8zu %8zu %10.1f %10d\n", showing ? "show (zoom and fade)" : "hide (zoom and fade)", planned,
                    shown, Millis(start), 300);
        PumpPending();
    }
    form.reset();
    manager.reset();
    InstallSkinEngineLinks({});
    return 0;
}
