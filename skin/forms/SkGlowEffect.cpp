// The process-wide glow list and the glow windows.
#include "skin/forms/SkGlowEffect.h"

#include <algorithm>

#include "framework/Forms.h"
#include "skin/engine/image/SkinAlphaDraw.h"
#include "skin/engine/image/SkinFadeMath.h"
#include "skin/engine/paint/SkinMaskPaint.h"
#include "skin/engine/win/SkThreadedTimer.h"
#include "skin/engine/win/SkinGdiPaint.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/engine/win/SkinWindowAnimation.h"
#include "skin/forms/SkGlowForm.h"

namespace ad::skin::forms {

namespace {

// Slots stay where they are until the list is cleared: owners keep indexes.
std::vector<std::unique_ptr<TSkGlowEffect>>& GlowList() {
    static std::vector<std::unique_ptr<TSkGlowEffect>> list;
    return list;
}

bool gFreeingGlow = false;

// Neither activated nor re-ordered among owners, no changing notice.
constexpr UINT kPlaceFlags = SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;

void FreeForm(std::unique_ptr<TSkGlowForm>& form) {
    if (!form) return;
    const bool saved = gFreeingGlow;
    gFreeingGlow = true;
    form.reset();
    gFreeingGlow = saved;
}

}  // namespace

TSkGlowEffect::TSkGlowEffect(TSkinCommonData* ownerData, TSkinManager* manager)
    : Manager(manager), OwnerData(ownerData) {}

TSkGlowEffect::~TSkGlowEffect() {
    Destroying = true;
    FreeForm(GlowForm);
}

void TSkGlowEffect::MakeBitmap(int width, int height) {
    GlowBitmap = std::make_unique<TDibSection32>(std::max(1, width), std::max(1, height));
    const TSkinTables* skin = Manager ? Manager->Skin() : nullptr;
    const TImageView32 view = GlowBitmap->View();
    if (view.Empty()) return;
    if (skin && MaskIndex >= 0 && skin->IsValidMaskIndex(MaskIndex))
        DrawMaskNineGrid(view, {0, 0, view.Width, view.Height}, skNoBackground, false, 0, skin->Mask(MaskIndex), *skin);
    if (OwnerData) OwnerData->ApplyColorAdjust(view, -1);
}

void TSkGlowEffect::Show(const TRect& rect, HWND ownerWindow, int alpha) {
    if (GlowForm) return;
    const TSkinTables* skin = Manager ? Manager->Skin() : nullptr;
    if (!skin || !skin->IsValidMaskIndex(MaskIndex)) return;
    const TSkinMaskData& mask = skin->Mask(MaskIndex);
    GlowForm = std::make_unique<TSkGlowForm>(nullptr);
    const int width = rect.Width() + mask.WL + mask.WR - 2 * Margin;
    const int height = rect.Height() + mask.WT + mask.WB - 2 * Margin;
    MakeBitmap(width, height);
    GlowForm->SetBounds(rect.Left + Margin - mask.WL, rect.Top + Margin - mask.WT, width, height);
    // Topmost over a topmost owner or without an owner control; else directly above the owner.
    HWND after = HWND_TOPMOST;
    const bool ownerTopmost = ownerWindow && (::GetWindowLongPtrW(ownerWindow, GWL_EXSTYLE) & WS_EX_TOPMOST);
    if (ownerWindow && !ownerTopmost && OwnerData && OwnerData->OwnerControl) {
        HWND above = ::GetWindow(ownerWindow, GW_HWNDPREV);
        after = above ? above : HWND_TOP;
    }
    HWND wnd = GlowForm->Handle();
    if (!wnd) return;
    ::SetWindowLongPtrW(wnd, GWL_EXSTYLE, ::GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_TRANSPARENT);
    ::SetWindowPos(wnd, after, rect.Left + Margin - mask.WL, rect.Top + Margin - mask.WT, 0, 0, kPlaceFlags);
    SetLayeredImage(wnd, GlowBitmap.get(), uint8_t(std::clamp(alpha, 0, 255)));
    GlowForm->ShowNoActivate();
}

namespace glow {

static int CreateGlowFromMask(const TRect& rect, int maskIndex, TSkinCommonData* ownerData, HWND ownerWindow, int alpha,
                       int margin) {
    auto effect = std::make_unique<TSkGlowEffect>(ownerData, ownerData->SkinManager());
    effect->MaskIndex = maskIndex;
    effect->Margin = margin;
    TSkGlowEffect* glow = effect.get();
    GlowList().push_back(std::move(effect));
    glow->Show(rect, ownerWindow, alpha);
    return int(GlowList().size()) - 1;
}

int CreateGlow(const TRect& rect, const std::string& section, const std::string& mask, TSkinCommonData* ownerData,
               HWND ownerWindow, int alpha, int margin) {
    if (!LayeredWindowsAvailable() || !ownerData || ::GetCapture()) return -1;
    TSkinManager* manager = ownerData->SkinManager();
    const TSkinTables* skin = manager ? manager->Skin() : nullptr;
    if (!skin) return -1;
    const int index = skin->FindMaskByNames(section, mask + "0");
    if (!skin->IsValidMaskIndex(index)) return -1;
    return CreateGlowFromMask(rect, index, ownerData, ownerWindow, alpha, margin);
}

int CreateGlowFromFrames(const TRect& rect, const std::vector<int>& masks, TSkinCommonData* ownerData,
                         HWND ownerWindow, int alpha, int margin) {
    if (!LayeredWindowsAvailable() || !ownerData || ::GetCapture() || masks.empty() || masks.front() < 0) return -1;
    return CreateGlowFromMask(rect, masks.front(), ownerData, ownerWindow, alpha, margin);
}

void HideGlow(int& index, bool fade) {
    auto& list = GlowList();
    if (index < 0 || index >= int(list.size()) || !list[size_t(index)]) return;
    TSkGlowEffect& glow = *list[size_t(index)];
    TSkinCommonData* data = glow.OwnerData;
    const bool terminating = Application && Application->Terminated();
    if (fade && data && data->OwnerControl && glow.Manager && glow.Manager->Effects.AllowAnimation && !terminating &&
        &data->GlowIndex == &index && (!data->FadeTimer || !data->FadeTimer->Enabled())) {
        // Faded out on the owner's timer; its last step removes the glow.
        EnsureFadeTimer(data, kFadeOut);
        if (TSkThreadedTimer* timer = data->FadeTimer.get()) {
            timer->IsGlowFade = true;
            StartFade(data, 0, false, kFadeOut, GlowFadeStep);
            timer->Fade.Level = 255;
            timer->DoStep();
            return;
        }
    }
    list[size_t(index)].reset();
    index = -1;
    if (data && data->FadeTimer && data->FadeTimer->IsGlowFade) data->FadeTimer->SetEnabled(false);
}

void SetGlowAlpha(int index, int alpha) {
    auto& list = GlowList();
    if (index < 0 || index >= int(list.size()) || !list[size_t(index)]) return;
    TSkGlowEffect& glow = *list[size_t(index)];
    if (glow.GlowForm && glow.GlowForm->HandleAllocated() && glow.GlowBitmap)
        SetLayeredImage(glow.GlowForm->Handle(), glow.GlowBitmap.get(), uint8_t(std::clamp(alpha, 0, 255)));
}

void ClearAllGlows(bool /*freeForms: the forms always go with their effects, none is shared*/) {
    if (gFreeingGlow) return;
    auto& list = GlowList();
    // Taken out first: freeing a form may come back here.
    std::vector<std::unique_ptr<TSkGlowEffect>> taken;
    taken.swap(list);
    gFreeingGlow = true;
    for (auto& glow : taken) {
        if (!glow) continue;
        if (glow->OwnerData) glow->OwnerData->GlowIndex = -1;
        glow.reset();
    }
    gFreeingGlow = false;
}

int LiveGlowCount() {
    const auto& list = GlowList();
    return int(std::count_if(list.begin(), list.end(), [](const auto& g) { return g != nullptr; }));
}

TSkGlowEffect* GlowAt(int index) {
    auto& list = GlowList();
    return index >= 0 && index < int(list.size()) ? list[size_t(index)].get() : nullptr;
}

}  // namespace glow

TSkinGlowServices GlowServices() {
    TSkinGlowServices s;
    s.Create = [](const TRect& rect, const std::string& section, const std::string& mask, TSkinCommonData* data,
                  HWND parent, int alpha, int margin) {
        return glow::CreateGlow(rect, section, mask, data, parent, alpha, margin);
    };
    s.Hide = [](int& slot, bool animated) { glow::HideGlow(slot, animated); };
    s.SetAlpha = [](int index, int alpha) { glow::SetGlowAlpha(index, alpha); };
    s.ClearAll = [](bool freeForms) { glow::ClearAllGlows(freeForms); };
    return s;
}

}  // namespace ad::skin::forms
