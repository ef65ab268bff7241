// The provider's geometric companions of a moving form: snapping to other
// forms and to the work area, the forms glued to it that follow its moves,
// and the translucent cover shown over it while it is disabled.
#include <algorithm>

#include "skin/engine/skinfile/SkinMessages.h"
#include "skin/engine/win/SkinFormsList.h"
#include "skin/engine/win/SkinMessaging.h"
#include "skin/engine/win/SkinWindowAnimation.h"
#include "skin/forms/SkGlowForm.h"
#include "skin/forms/SkinFormMetrics.h"
#include "skin/forms/SkinGluedForms.h"
#include "skin/forms/SkinProvider.h"

namespace ad::skin::forms {

namespace {

TRect WindowRectOfForm(TForm* form) {
    RECT r{};
    ::GetWindowRect(form->Handle(), &r);
    return {r.left, r.top, r.right, r.bottom};
}

// The skinned forms other than this one that are shown, with a window.
std::vector<TForm*> OtherShownForms(TForm* self) {
    std::vector<TForm*> forms;
    for (TForm* form : SkinnedForms())
        if (form && form != self && !form->Destroying() && form->HandleAllocated() && ::IsWindowVisible(form->Handle()))
            forms.push_back(form);
    return forms;
}

}  // namespace

TSkOuterOffsets TSkinProvider::OuterOffsets() {
    if (!borderForm_) return {};
    const TSkinTables* skin = Skin();
    const TSkinGlobalInfo info = skin ? skin->GlobalInfo : TSkinGlobalInfo{};
    const int extra = ExtraBorderWidth(borderForm_.get());
    return {extra + info.AlignOffset, ExtraTitleHeight(borderForm_.get()) + info.AlignOffsetT, extra + info.AlignOffsetR,
            extra + info.AlignOffsetB};
}

void TSkinProvider::SnapToEdges(int& x, int& y) {
    if (!form_ || !form_->HandleAllocated() || (formState_ & kFsGluedMove)) return;
    // A form the user moves itself is no longer glued.
    UnglueForm(form_);
    std::vector<TRect> others;
    for (TForm* other : OtherShownForms(form_))
        if (!IsGluedChild(other)) others.push_back(WindowRectOfForm(other));
    const TPoint snapped = SnapPosition(x, y, WindowRectOfForm(form_), GetWindowWorkArea(form_->Handle()), others,
                                        OuterOffsets(), SnapBuffer);
    x = snapped.X;
    y = snapped.Y;
}

void TSkinProvider::UpdateGluedForms() {
    if (!form_ || !form_->HandleAllocated() || GluedForms.empty()) return;
    const TSkOuterOffsets outer = OuterOffsets();
    const TRect self = OuterRect(outer, WindowRectOfForm(form_), true);
    for (const std::string& name : GluedForms)
        for (TForm* other : OtherShownForms(form_)) {
            if (other->Name != name) continue;
            const TRect r = OuterRect(outer, WindowRectOfForm(other), true);
            if (RectsTouch(self, r)) GlueForm(other, form_, r.Left - self.Left, r.Top - self.Top);
        }
}

void TSkinProvider::MoveGluedForms(bool useBorderWindow) {
    (void)useBorderWindow;  // the border window sits where the outer offsets say
    if (!form_ || !form_->HandleAllocated() || (formState_ & kFsGluedMove) || GluedForms.empty()) return;
    const TSkOuterOffsets outer = OuterOffsets();
    const TRect self = OuterRect(outer, WindowRectOfForm(form_), true);
    // The pairs are copied: a moved form's handlers may change the list.
    const std::vector<TSkGluedPair> pairs = GluedPairs();
    for (const std::string& name : GluedForms)
        for (const TSkGluedPair& pair : pairs) {
            TForm* glued = pair.Glued.Get();
            if (pair.Master.Get() != form_ || !glued || glued->Name != name || !glued->HandleAllocated()) continue;
            HWND wnd = glued->Handle();
            SendSkinCommand(wnd, SKC_GLUEDMOVE, 1);
            // The offsets were taken between the grown rectangles: the glued
            // window sits inside its own grown rectangle by the same offsets.
            glued->SetBounds(self.Left + pair.OffsetX + outer.Left, self.Top + pair.OffsetY + outer.Top, glued->Width(),
                             glued->Height());
            if (::IsWindow(wnd)) SendSkinCommand(wnd, SKC_GLUEDMOVE, 0);
        }
}

bool TSkinProvider::IsGluedChild(TForm* form) const {
    for (const TSkGluedPair& p : GluedPairs())
        if (p.Glued.Get() == form && p.Master.Get() == form_) return true;
    return false;
}

void TSkinProvider::UpdateDisabledBlend() {
    if (!form_ || !form_->HandleAllocated()) return;
    HWND wnd = form_->Handle();
    if (form_->Enabled() || DisabledBlendValue == 255 || !::IsWindowVisible(wnd)) {
        disabledCover_.reset();
        SetFormState(formState_ & ~kFsDisabledBlend);
        return;
    }
    if (!disabledCover_) {
        disabledCover_ = std::make_unique<TSkGlowForm>(form_);
        disabledCover_->Position = TPosition::poDesigned;
        disabledCover_->SetEnabled(false);
        disabledCover_->SetAlphaBlend(true);
    }
    TSkGlowForm& cover = *disabledCover_;
    cover.SetColor(DisabledBlendColor);
    cover.SetAlphaBlendValue(BYTE(255 - DisabledBlendValue));
    const TRect r = WindowRectOfForm(form_);
    if (borderForm_) {
        const int extra = ExtraBorderWidth(borderForm_.get()), title = ExtraTitleHeight(borderForm_.get());
        cover.SetBounds(r.Left - extra - 1, r.Top - title - 1, r.Width() + 2 * extra + 2, r.Height() + title + extra + 2);
    } else {
        cover.SetBounds(r.Left, r.Top, r.Width(), r.Height());
    }
    // Owned by the form, the cover stays just above it.
    if (HWND(::GetWindowLongPtrW(cover.Handle(), GWLP_HWNDPARENT)) != wnd)
        ::SetWindowLongPtrW(cover.Handle(), GWLP_HWNDPARENT, LONG_PTR(wnd));
    cover.ShowNoActivate();
    SetFormState(formState_ | kFsDisabledBlend);
}

}  // namespace ad::skin::forms
