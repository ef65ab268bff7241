// The skinned form's costs under Wine, each next to a peer measured in the
// same run: composing the provider's window image (PrepareCache) at 850 x 574
// and 1920 x 1080 next to a plain fill of an image of the same size; 10,000
// WM_NCHITTEST messages to a skinned form next to the same to an unskinned
// one; and the time from creating a form with a launcher-like set of controls
// to its first painted frame, skinned next to unskinned. The skin is the
// program's built-in one. Prints one table.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "bench/BenchTiming.h"
#include "bench/SkinBenchSetup.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "framework/WindowSubclass.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/win/SkinCacheImage.h"
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

// A form like the launcher's main window: a caption, buttons and labels.
std::unique_ptr<TForm> MakeForm(int width, int height) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, width, height);
    form->SetCaption("Appdeck - benchmark");
    for (int i = 0; i < 30; ++i) {
        auto* button = new TButton(form.get());
        button->SetParent(form.get());
        button->SetBounds(10 + (i % 6) * 130, 40 + (i / 6) * 60, 120, 28);
        button->SetCaption("Button " + std::to_string(i));
        auto* label = new TLabel(form.get());
        label->SetParent(form.get());
        label->SetBounds(10 + (i % 6) * 130, 70 + (i / 6) * 60, 120, 18);
        label->SetCaption("Label " + std::to_string(i));
    }
    return form;
}

// Shown, and pumped until its first paint is done.
double ShowAndPaint(int width, int height) {
    const auto start = std::chrono::steady_clock::now();
    auto form = MakeForm(width, height);
    form->Show();
    ::UpdateWindow(form->Handle());
    PumpPending();
    const double ms = Millis(start);
    form->Hide();
    PumpPending();
    return ms;
}

double HitTests(HWND wnd, int count) {
    RECT r{};
    ::GetWindowRect(wnd, &r);
    const LPARAM points[] = {MAKELPARAM(r.left + 2, (r.top + r.bottom) / 2), MAKELPARAM(r.right - 12, r.top + 12),
                             MAKELPARAM((r.left + r.right) / 2, r.top + 10), MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2)};
    const auto start = std::chrono::steady_clock::now();
    LRESULT sum = 0;
    for (int i = 0; i < count; ++i) sum += ::SendMessageW(wnd, WM_NCHITTEST, 0, points[i & 3]);
    const double ms = Millis(start);
    if (sum == 42) std::printf(" ");
    return ms;
}

}  // namespace

int main() {
    TApplication application;
    auto manager = ad::bench::StartBuiltInSkin();
    if (!manager) return 1;

    std::printf("%-44s %12s %12s\n", "skinned forms (Wine)", "skinned", "peer");
    // The window image at two sizes next to a plain fill of an image of that size.
    for (const auto& [w, h] : {std::pair{850, 574}, std::pair{1920, 1080}}) {
        auto form = std::make_unique<TForm>(nullptr);
        form->SetCaption("Appdeck - benchmark");
        // The screen may be smaller than the image asked for: the limits let the window be that size.
        TWindowSubclass limits(form->Handle(), [](TMessage& m) {
            if (m.Msg != WM_GETMINMAXINFO) return false;
            auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
            info->ptMaxTrackSize = POINT{4096, 4096};
            return false;
        });
        form->SetBounds(0, 0, w, h);
        form->Show();
        PumpPending();
        TSkinProvider* p = TSkinProvider::OfWindow(form->Handle());
        if (!p) {
            std::printf("no provider\n");
            return 1;
        }
        ::SendMessageW(form->Handle(), WM_NCHITTEST, 0, 0);
        const double compose = Best(10, [&] {
            p->SkinData->BgChanged = true;
            const auto t = std::chrono::steady_clock::now();
            p->PrepareCache();
            return Millis(t);
        });
        TSkinCacheImage plain(p->SkinData->CacheImage->Width(), p->SkinData->CacheImage->Height());
        const double fill = Best(10, [&] {
            const auto t = std::chrono::steady_clock::now();
            FillRect32(plain.View(), {0, 0, plain.Width(), plain.Height()}, 0xC0C0C0, 255);
            return Millis(t);
        });
        std::printf("%-44s %9.3f ms %9.3f ms\n",
                    ("PrepareCache " + std::to_string(plain.Width()) + "x" + std::to_string(plain.Height()) +
                     " / plain fill").c_str(),
                    compose, fill);
        if (w == 850) {
            auto plainForm = std::make_unique<TForm>(nullptr);
            plainForm->Tag = 0x100;  // never skinned
            plainForm->SetBounds(0, 0, w, h);
            plainForm->Show();
            PumpPending();
            const double skinned = Best(5, [&] { return HitTests(form->Handle(), 10000); });
            const double native = Best(5, [&] { return HitTests(plainForm->Handle(), 10000); });
            std::printf("%-44s %9.3f ms %9.3f ms\n", "10,000 WM_NCHITTEST / unskinned form", skinned, native);
            std::printf("%-44s %9.3f us %9.3f us\n", "  per message", skinned / 10.0, native / 10.0);
            // What the provider's hit test costs itself, next to the message path alone.
            RECT r{};
            ::GetWindowRect(form->Handle(), &r);
            const double direct = Best(5, [&] {
                const auto t = std::chrono::steady_clock::now();
                int sum = 0;
                for (int i = 0; i < 10000; ++i) sum += p->HitTest({r.left + 2 + (i & 63), r.top + 10});
                if (sum == 42) std::printf(" ");
                return Millis(t);
            });
            const double path = Best(5, [&] {
                const auto t = std::chrono::steady_clock::now();
                for (int i = 0; i < 10000; ++i) ::SendMessageW(form->Handle(), WM_NULL, 0, 0);
                return Millis(t);
            });
            std::printf("%-44s %9.3f us %9.3f us\n", "  HitTest itself / WM_NULL to the same form", direct / 10.0,
                        path / 10.0);
        }
    }

    // Start to the first painted window: skinned, then without a skin manager.
    ShowAndPaint(850, 574);  // warm-up: classes registered, fonts loaded
    const double skinned = Best(5, [] { return ShowAndPaint(850, 574); });
    manager.reset();  // no manager, no hook: plain forms
    PumpPending();
    const double unskinned = Best(5, [] { return ShowAndPaint(850, 574); });
    std::printf("%-44s %9.3f ms %9.3f ms  (ratio %.2f)\n", "create to first paint, 850x574 / unskinned", skinned,
                unskinned, unskinned > 0 ? skinned / unskinned : 0.0);
    InstallSkinEngineLinks({});
    return 0;
}
