// The engine's links, empty until the program installs them.
#include "skin/engine/win/SkinEngineLinks.h"

#include <utility>

#include "skin/engine/win/SkinDib.h"

namespace ad::skin {
namespace {

TSkinEngineLinks& Links() {
    static TSkinEngineLinks links;
    return links;
}

int SystemFrameWidth() { return GetSystemMetrics(SM_CXFRAME); }

bool gAnimationRunning = false;
bool gProviderNoAnimation = false;

}  // namespace

TSkinPixelServices SystemPixelServices() { return {&GdiTriangleGradientFill, &SystemFrameWidth}; }

void InstallSkinEngineLinks(TSkinEngineLinks links) {
    Links() = std::move(links);
    SetTriangleGradientFill(Links().Pixels.GradientFill);
    SetSkinFrameWidthLookup(Links().Pixels.FrameWidth);
}

const TSkinEngineLinks& SkinEngineLinks() { return Links(); }

int CreateGlow(const TRect& screenRect, const std::string& section, const std::string& mask, TSkinCommonData* data,
               HWND parent, int alpha, int margin) {
    const auto& create = Links().Glows.Create;
    return create ? create(screenRect, section, mask, data, parent, alpha, margin) : -1;
}

void HideGlow(int& slot, bool animated) {
    if (slot < 0) return;
    // The glows decide: a fading glow keeps its index until its last step.
    if (Links().Glows.Hide) Links().Glows.Hide(slot, animated);
    else slot = -1;
}

void SetGlowAlpha(int index, int alpha) {
    if (index >= 0 && Links().Glows.SetAlpha) Links().Glows.SetAlpha(index, alpha);
}

void ClearAllGlows(bool freeForms) {
    if (Links().Glows.ClearAll) Links().Glows.ClearAll(freeForms);
}

bool IsSkinContainer(const TWinControl* control) {
    return control && Links().ContainerTest && Links().ContainerTest(control);
}

bool IsBroadcastClaimed(TWinControl* control) {
    return control && Links().BroadcastClaim && Links().BroadcastClaim(control);
}

bool SkinAnimationRunning() { return gAnimationRunning; }
void SetSkinAnimationRunning(bool running) { gAnimationRunning = running; }
bool ProviderNoAnimation() { return gProviderNoAnimation; }
void SetProviderNoAnimation(bool on) { gProviderNoAnimation = on; }

}  // namespace ad::skin
