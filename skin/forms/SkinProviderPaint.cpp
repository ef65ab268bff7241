// The provider's painting: the cache image composed once, copied to the window
// by the paint handlers. (First cut: the image is the form's section colour;
// the full composition replaces it.)
#include "skin/forms/SkinProvider.h"

namespace ad::skin::forms {

bool TSkinProvider::PrepareCache() {
    if (!SkinData || !form_ || !form_->HandleAllocated()) return true;
    if (!SkinData->CacheImage) SkinData->CacheImage = std::make_unique<TSkinCacheImage>();
    SkinData->CacheImage->SetSize(ImageWidth(), ImageHeight());
    LayoutTitle();
    framePending_ = false;
    SkinData->BgChanged = false;
    imageReady_ = true;
    return true;
}

bool TSkinProvider::CacheSizeChanged() {
    if (!SkinData || !SkinData->CacheImage) return true;
    return SkinData->CacheImage->Width() != ImageWidth() || SkinData->CacheImage->Height() != ImageHeight();
}

void TSkinProvider::PaintNonClient() {
    if (!drawNonClientArea_) return;
    if (!SkinData || !SkinData->CacheImage || SkinData->BgChanged || CacheSizeChanged()) PrepareCache();
    if (regionPending_ && !regionBusy_ && (HasBorder() || IsIconic())) {
        CollectMaskRects();
        UpdateFormRegion(false, true);
    }
}
void TSkinProvider::PaintFrameFromCache(HDC) {}
void TSkinProvider::PaintClient(HDC, bool) {}
void TSkinProvider::PaintClientMessage(TMessage& m) { CallPrevious(m); }
void TSkinProvider::PaintClientTo(HDC) {}
void TSkinProvider::PaintGrip(HDC) {}
void TSkinProvider::RepaintFrame() {}
void TSkinProvider::PaintCaptionButton(int) {}
void TSkinProvider::PaintCaptionButtons(int) {}
void TSkinProvider::SetHotElement(int id, bool) { hotElement_ = id; }
void TSkinProvider::SetPressedElement(int id) {
    hotElement_ = id;
    pressed_ = id > 0;
}
void TSkinProvider::PaintTitleIcon() {}
void TSkinProvider::SaveButtonArea(int, bool) {}
void TSkinProvider::RestoreButtonArea(int) {}
void TSkinProvider::ShowTitleCover() {}
void TSkinProvider::HideTitleCover() {}
void TSkinProvider::StopButtonAnimations() {
    for (TSkCaptionElement& e : elements_) e.Animation.reset();
    for (TSkinTitleButton& b : TitleButtons) b.Animation.reset();
}

}  // namespace ad::skin::forms
