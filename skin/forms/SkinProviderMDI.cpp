// The provider's side of an MDI parent: its MDI support made on demand, the
// buttons of a maximised child in the menu line (hit codes 101 to 103, drawn
// with the small caption glyphs) and the popup-menu notice, which lists the
// children in the Window menu. The system menu's size command stays greyed
// while skinned popups are on: the skinned frame sizes the form itself.
#include <algorithm>

#include "skin/engine/paint/SkinMaskPaint.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/forms/SkinFormMetrics.h"
#include "skin/forms/SkinMDIForm.h"
#include "skin/forms/SkinProvider.h"

namespace ad::skin::forms {

TSkinMDIForm* TSkinProvider::MDISupport() {
    if (!IsMDIForm() || !form_->HandleAllocated()) return nullptr;
    if (mdiForm_ && mdiForm_->ClientHandle() && mdiForm_->Adapter() &&
        mdiForm_->Adapter()->Handle() != mdiForm_->ClientHandle())
        mdiForm_.reset();  // the client window was made again
    if (!mdiForm_) {
        auto support = std::make_unique<TSkinMDIForm>(this);
        if (!support->ClientHandle()) return nullptr;
        mdiForm_ = std::move(support);
    }
    mdiForm_->Start();
    return mdiForm_.get();
}

bool TSkinProvider::MDIChildButtonsVisible() {
    if (!form_ || !form_->Menu() || !MDISupport()) return false;
    bool maximised = false;
    HWND child = mdiForm_->ActiveChild(&maximised);
    return child && maximised && (::GetWindowLongPtrW(child, GWL_STYLE) & WS_SYSMENU);
}

void TSkinProvider::LayoutMDIButtons() {
    const TSkShadowMargins shadow = ShadowMargins();
    const int w = ImageWidth(), b = BorderWidthTotal(true), bw = MDIButtonWidth(), bh = MDIButtonHeight();
    const int y = TopBorderTotal(true) + CaptionHeight(true) + shadow.Top + (MenuLineHeight() - bh) / 2 +
                  (std::max(1, MenuLineCount()) - 1) * MenuLineHeight();
    auto place = [&](TSkCaptionElementId id, int x) { Element(id).Rect = {x, y, x + bw, y + bh}; };
    place(ceMdiMin, w - b - 3 * bw - shadow.Right - 3);
    place(ceMdiRestore, w - b - 2 * bw - shadow.Right - 2);
    place(ceMdiClose, w - b - bw - shadow.Right - 1);
}

int TSkinProvider::MenuLineHit(TPoint point) {
    if (!MDIChildButtonsVisible()) return HTMENU;
    LayoutMDIButtons();
    for (TSkCaptionElementId id : {ceMdiClose, ceMdiRestore, ceMdiMin})
        if (Contains(Element(id).Rect, point)) return Element(id).HitCode;
    return HTMENU;
}

void TSkinProvider::PaintMDIButtons(const TImageView32& image) {
    if (!MDIChildButtonsVisible()) return;
    LayoutMDIButtons();
    HWND child = mdiForm_->ActiveChild();
    const LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
    Element(ceMdiRestore).GlyphKind = tbSmallNorm;
    DrawCaptionElement(image, Element(ceMdiMin).Rect, tbSmallMin, Element(ceMdiMin).State, false,
                       (style & WS_MINIMIZEBOX) != 0);
    DrawCaptionElement(image, Element(ceMdiRestore).Rect, tbSmallNorm, Element(ceMdiRestore).State, false,
                       (style & WS_MAXIMIZEBOX) != 0);
    DrawCaptionElement(image, Element(ceMdiClose).Rect, tbSmallClose, Element(ceMdiClose).State, false, true);
}

bool TSkinProvider::MDIButtonAllowed(int code) {
    HWND child = mdiForm_ ? mdiForm_->ActiveChild() : nullptr;
    if (!child) return false;
    const LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
    return code == kHitMdiRestore ? (style & WS_MAXIMIZEBOX) != 0 : (style & WS_MINIMIZEBOX) != 0;
}

void TSkinProvider::ReleaseMDIButton(int code) {
    HWND child = mdiForm_ ? mdiForm_->ActiveChild() : nullptr;
    if (!child) return;
    const WPARAM command = code == kHitMdiClose ? SC_CLOSE : code == kHitMdiRestore ? SC_RESTORE : SC_MINIMIZE;
    ::SendMessageW(child, WM_SYSCOMMAND, command, 0);
}

bool TSkinProvider::InitWindowMenu(TMessage& m) {
    TSkinManager* manager = Manager();
    if (!manager || !manager->SkinnedPopups()) return false;
    HMENU popup = reinterpret_cast<HMENU>(m.WParam);
    if (HIWORD(m.LParam)) {
        // The system menu: the skinned frame does the sizing.
        ::EnableMenuItem(popup, SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
        return false;
    }
    TSkinMDIForm* support = MDISupport();
    if (!support || !support->InitWindowMenu(popup)) return false;
    m.Result = 0;
    return true;
}

}  // namespace ad::skin::forms
