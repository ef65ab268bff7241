// The window adapters' cost under Wine, next to a peer measured in the same
// run: giving a shown form's 100 controls (push, bitmap, speed buttons,
// check boxes and labels, every class listed) their adapters and speed-button
// handlers, next to creating the same form's controls without a skin; and
// create to first paint of that form skinned next to unskinned. The skin is
// the program's built-in one. Prints one table.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "bench/BenchTiming.h"
#include "bench/SkinBenchSetup.h"
#include "framework/Buttons.h"
#include "framework/ComCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "skin/adapters/SkMainWnd.h"
#include "skin/engine/win/SkinEngineLinks.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/forms/SkinHook.h"
#include "skin/forms/SkinProvider.h"

using namespace ad;
using namespace ad::skin;
using namespace ad::skin::forms;
using ad::bench::Best;
using ad::bench::Millis;

namespace {

void PumpPending() { Application->ProcessMessages(); }

template <class T>
void Add(TForm* form, int i, const std::string& caption) {
    auto* control = new T(form);
    control->SetParent(form);
    control->SetBounds(10 + (i % 5) * 150, 10 + (i / 5) * 30, 140, 24);
    control->SetCaption(caption + " " + std::to_string(i));
}

// A form of 100 controls, 20 of each listed kind; shown when asked.
std::unique_ptr<TForm> MakeForm(bool show) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 780, 660);
    form->SetCaption("Appdeck - adapters benchmark");
    for (int i = 0; i < 100; ++i) {
        switch (i % 5) {
            case 0: Add<TButton>(form.get(), i, "Button"); break;
            case 1: Add<TBitBtn>(form.get(), i, "Bit button"); break;
            case 2: Add<TSpeedButton>(form.get(), i, "Speed"); break;
            case 3: Add<TCheckBox>(form.get(), i, "Check"); break;
            default: Add<TLabel>(form.get(), i, "Label"); break;
        }
    }
    form->Handle();
    if (show) {
        form->Show();
        ::UpdateWindow(form->Handle());
        PumpPending();
    }
    return form;
}

double Timed(bool show) {
    const auto start = std::chrono::steady_clock::now();
    auto form = MakeForm(show);
    const double ms = Millis(start);
    form->Hide();
    PumpPending();
    return ms;
}

}  // namespace

int main() {
    TApplication application;
    auto manager = ad::bench::StartBuiltInSkin();
    if (!manager) return 1;
    manager->ThirdParty.SetText(akButton, "TButton");
    manager->ThirdParty.SetText(akBitBtn, "TBitBtn");
    manager->ThirdParty.SetText(akSpeedButton, "TSpeedButton");
    manager->ThirdParty.SetText(akCheckBox, "TCheckBox");
    manager->ThirdParty.SetText(akStaticText, "TLabel");

    std::printf("%-48s %12s %12s\n", "window adapters (Wine), 100 controls", "skinned", "peer");
    Timed(true);  // warm-up: classes registered, fonts loaded
    auto form = MakeForm(true);
    TSkinProvider* provider = TSkinProvider::OfWindow(form->Handle());
    if (!provider || !provider->CtrlAdapter()) {
        std::printf("no provider\n");
        return 1;
    }
    int adapted = 0;
    const double adapt = Best(10, [&] {
        provider->RemoveAdapter();
        const auto t = std::chrono::steady_clock::now();
        provider->CreateAdapter();
        const double ms = Millis(t);
        adapted = provider->CtrlAdapter()->ItemCount() + provider->CtrlAdapter()->GraphItemCount();
        return ms;
    });
    form.reset();
    PumpPending();
    const double skinnedShow = Best(5, [] { return Timed(true); });
    manager.reset();  // no manager, no hook: plain forms
    PumpPending();
    const double create = Best(10, [] { return Timed(false); });
    const double unskinnedShow = Best(5, [] { return Timed(true); });
    std::printf("%-48s %9.3f ms %9.3f ms\n", "adapting the form's controls / creating them", adapt, create);
    std::printf("%-48s %9d\n", "  controls given an adapter or handler", adapted);
    std::printf("%-48s %9.3f ms %9.3f ms  (ratio %.2f)\n", "create to first paint / unskinned", skinnedShow,
                unskinnedShow, unskinnedShow > 0 ? skinnedShow / unskinnedShow : 0.0);
    InstallSkinEngineLinks({});
    return 0;
}
