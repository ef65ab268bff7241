// The launcher's skinned controls under Wine, each next to a peer measured in
// the same run: a full repaint of the main window (every child, painted at
// once) in the program's skin with the controls' caches warm and cold, next to
// the same window with the skin off; and one frame of a skinned button's hover
// fade next to the repaint of a native button that a hover would ask for.
// Prints one table.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "app/StartUp.h"
#include "app/forms/SkinnedControls.h"
#include "app/forms/TfrmAppdeck.h"
#include "bench/BenchTiming.h"
#include "framework/Forms.h"
#include "skin/engine/win/SkThreadedTimer.h"
#include "skin/engine/win/SkinCommonData.h"
#include "skin/engine/win/SkinEngineLinks.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/forms/SkinProvider.h"
#include "testsupport/TempFolder.h"

using namespace ad;
using ad::bench::Best;
using ad::bench::Millis;

namespace {

void PumpPending() { Application->ProcessMessages(); }

// The window and every child painted now.
double FullRepaint(HWND wnd) {
    const auto start = std::chrono::steady_clock::now();
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return Millis(start);
}

// Every skinned control's cache (and the form's) is rebuilt at its next paint.
int MarkCachesCold(TForm& form) {
    int marked = 0;
    for (int i = 0; i < form.ComponentCount(); ++i) {
        TComponent* c = form.Components(i);
        skin::TSkinCommonData* data = nullptr;
        if (auto* b = dynamic_cast<TSkinBitBtn*>(c)) data = &b->SkinData;
        else if (auto* p = dynamic_cast<TSkinPanel*>(c)) data = &p->SkinData;
        else if (auto* e = dynamic_cast<TSkinEdit*>(c)) data = &e->SkinData;
        else if (auto* s = dynamic_cast<TSkinScrollBar*>(c)) data = &s->SkinData;
        if (!data) continue;
        data->BgChanged = true;
        ++marked;
    }
    if (auto* provider = skin::forms::TSkinProvider::OfWindow(form.Handle())) provider->SkinData->BgChanged = true;
    return marked;
}

void MainWindowRepaint(const std::string& base) {
    std::unique_ptr<TfrmAppdeck> form(CreateForm<TfrmAppdeck>(nullptr, base));
    form->Show();
    PumpPending();
    const HWND wnd = form->Handle();
    FullRepaint(wnd);  // warm-up: every cache made
    const double warm = Best(20, [&] { return FullRepaint(wnd); });
    int controls = 0;
    const double cold = Best(20, [&] {
        controls = MarkCachesCold(*form);
        return FullRepaint(wnd);
    });
    form->SkinManager().SetActive(false);
    PumpPending();
    FullRepaint(wnd);
    const double off = Best(20, [&] { return FullRepaint(wnd); });
    std::printf("%-52s %9.3f ms %9.3f ms  (ratio %.2f)\n", "main window full repaint, warm caches / skin off", warm, off,
                off > 0 ? warm / off : 0.0);
    std::printf("%-52s %9.3f ms %9.3f ms  (ratio %.2f)\n",
                ("  cold caches (" + std::to_string(controls) + " controls) / skin off").c_str(), cold, off,
                off > 0 ? cold / off : 0.0);
    form.reset();
    PumpPending();
}

void HoverFrame() {
    // A manager of its own with fades allowed: the program's turns them off.
    skin::TSkinManager manager(nullptr);
    skin::RegisterBuiltInSkin(manager);
    manager.SetSkinName(skin::kBuiltInSkinName);
    TForm form(nullptr);
    form.SetBounds(40, 40, 300, 160);
    form.SetCaption("Hover");
    auto* skinned = new TSkinBitBtn(&form);
    skinned->SetParent(&form);
    skinned->SetBounds(10, 10, 120, 28);
    skinned->SetCaption("Launch");
    auto* native = new TButton(&form);
    native->Tag |= skin::kNoSkinTag;  // the system's own button
    native->SetParent(&form);
    native->SetBounds(10, 50, 120, 28);
    native->SetCaption("Launch");
    form.Show();
    PumpPending();

    // The frames of hover fades, each step timed on its own; between fades the
    // mouse leaves and the button is painted in its normal state again.
    int frames = 0;
    double total = 0, best = 1e300;
    for (int fade = 0; fade < 40; ++fade) {
        skinned->Perform(CM_MOUSEENTER, 0, 0);
        skin::TSkThreadedTimer* timer = skinned->SkinData.FadeTimer.get();
        while (timer && timer->Enabled()) {
            const auto t = std::chrono::steady_clock::now();
            timer->Tick();
            const double ms = Millis(t);
            total += ms;
            best = std::min(best, ms);
            ++frames;
        }
        skinned->SkinData.StopFade();
        skinned->Perform(CM_MOUSELEAVE, 0, 0);
        skinned->SkinData.StopFade();
        skinned->SkinData.FadeTimer.reset();  // each fade starts as the first one did
        skinned->Repaint();
        PumpPending();
    }
    const double nativeRepaint = Best(200, [&] {
        const auto t = std::chrono::steady_clock::now();
        ::RedrawWindow(native->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return Millis(t);
    });
    if (frames == 0) {
        std::printf("%-52s no fade ran\n", "hover fade frame");
        return;
    }
    std::printf("%-52s %9.3f ms %9.3f ms  (%d frames, mean %.3f ms)\n",
                "hover fade frame of a skinned button / native repaint", best, nativeRepaint, frames, total / frames);
    form.Hide();
    PumpPending();
}

}  // namespace

int main() {
    TApplication application;
    application.Initialize();
    application.Title = "Appdeck skinned controls benchmark";
    StartUpProgram();
    const test::TempDir base;  // the main window's folder, removed at the end
    std::printf("%-52s %12s %12s\n", "launcher's skinned controls (Wine, best of runs)", "skinned", "peer");
    MainWindowRepaint(base.Path());
    HoverFrame();
    std::fflush(stdout);
    skin::InstallSkinEngineLinks({});
    return 0;
}
