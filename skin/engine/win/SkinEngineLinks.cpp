// The links the form and control skinning fill in, with do-nothing defaults.
#include "skin/engine/win/SkinEngineLinks.h"

#include <utility>

namespace ad::skin {
namespace {

TSkinGlowServices& Glows() {
    static TSkinGlowServices services;
    return services;
}

TSkinContainerTest& ContainerTest() {
    static TSkinContainerTest test;
    return test;
}

bool gAnimationRunning = false;
bool gProviderNoAnimation = false;

}  // namespace

void SetSkinGlowServices(TSkinGlowServices services) { Glows() = std::move(services); }

int CreateGlow(const TRect& screenRect, const std::string& section, const std::string& mask, TSkinCommonData* data,
               HWND parent, int alpha, int margin) {
    return Glows().Create ? Glows().Create(screenRect, section, mask, data, parent, alpha, margin) : -1;
}

void HideGlow(int& slot, bool animated) {
    if (slot < 0) return;
    if (Glows().Hide) Glows().Hide(slot, animated);
    slot = -1;
}

void SetGlowAlpha(int index, int alpha) {
    if (index >= 0 && Glows().SetAlpha) Glows().SetAlpha(index, alpha);
}

void SetSkinContainerTest(TSkinContainerTest test) { ContainerTest() = std::move(test); }
bool IsSkinContainer(const TWinControl* control) { return control && ContainerTest() && ContainerTest()(control); }

bool SkinAnimationRunning() { return gAnimationRunning; }
void SetSkinAnimationRunning(bool running) { gAnimationRunning = running; }
bool ProviderNoAnimation() { return gProviderNoAnimation; }
void SetProviderNoAnimation(bool on) { gProviderNoAnimation = on; }

}  // namespace ad::skin
