// The MDI client adapter and the MDI support of a skinned MDI parent.
#include "skin/forms/SkinMDIForm.h"

#include <algorithm>

#include "framework/Forms.h"
#include "framework/Handles.h"
#include "skin/engine/skinfile/SkinMessages.h"
#include "skin/engine/win/SkinMessaging.h"
#include "skin/engine/win/SkinUtilsWin.h"
#include "skin/forms/SkinProvider.h"

namespace ad::skin::forms {

namespace {

constexpr int kClientEdge = 2;

// The client area of the MDI client in the form's window image.
TRect ClientInFormImage(HWND client, TSkinProvider& provider) {
    RECT r{};
    ::GetWindowRect(client, &r);
    const TPoint origin = provider.WindowOrigin();
    return {r.left - origin.X, r.top - origin.Y, r.right - origin.X, r.bottom - origin.Y};
}

}  // namespace

// ---- TSkMDIWnd ----

TSkMDIWnd::TSkMDIWnd(HWND client, TSkinProvider* provider) : client_(client), provider_(provider) {
    subclass_ = std::make_unique<TWindowSubclass>(client, [this](TMessage& m) { return WndProc(m); });
}

TSkMDIWnd::~TSkMDIWnd() { subclass_.reset(); }

bool TSkMDIWnd::ChildMaximised() const {
    BOOL maximised = FALSE;
    return ::SendMessageW(client_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised)) && maximised;
}

void TSkMDIWnd::PaintMDIArea(HDC dc, bool noEdge) {
    RECT client{};
    ::GetClientRect(client_, &client);
    const bool edge = !noEdge && (::GetWindowLongPtrW(client_, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    TSkinCacheImage* cache = provider_->SkinData ? provider_->SkinData->CacheImage.get() : nullptr;
    const TSkinTables* skin = provider_->Skin();
    const bool fromImage = cache && !cache->Empty() && skin && skin->SectionIndexOf("MDIAREA") >= 0;
    if (fromImage) {
        if (provider_->SkinData->BgChanged) provider_->PrepareCache();
        // The client's part of the form's image (its edge is the frame's).
        const TRect place = ClientInFormImage(client_, *provider_);
        const int skip = edge ? kClientEdge : 0;
        cache->Draw(dc, 0, 0, {place.Left + skip, place.Top + skip, place.Right - skip, place.Bottom - skip});
        return;
    }
    OwnedBrush brush(::CreateSolidBrush(ColorToRGB(provider_->FormColor())));
    ::FillRect(dc, &client, brush.Get());
}

void TSkMDIWnd::PaintMDIFrame(HDC dc) {
    if (!(::GetWindowLongPtrW(client_, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) return;
    RECT r{};
    ::GetWindowRect(client_, &r);
    ::OffsetRect(&r, -r.left, -r.top);
    OwnedBrush brush(::CreateSolidBrush(ColorToRGB(provider_->FormColor())));
    for (int i = 0; i < kClientEdge; ++i) {
        ::FrameRect(dc, &r, brush.Get());
        ::InflateRect(&r, -1, -1);
    }
}

bool TSkMDIWnd::WndProc(TMessage& m) {
    if (!provider_ || !provider_->Skinned()) return false;
    auto passOn = [&] { m.Result = subclass_->CallNext(m); };
    switch (m.Msg) {
        case SKM_SKINCMD:
            switch (SkinCommandOf(m.WParam)) {
                case SKC_LOCKREDRAW: {
                    // Nothing is redrawn while the thumb is dragged or released.
                    const int code = LOWORD(m.LParam);
                    m.Result = code == SB_THUMBPOSITION || code == SB_THUMBTRACK ? 1 : 0;
                    return true;
                }
                case SKC_GETPARENTBG:
                    if (TForm* form = provider_->OwnerForm(); form && form->HandleAllocated())
                        m.Result = ::SendMessageW(form->Handle(), m.Msg, m.WParam, m.LParam);
                    return true;
                default: return false;
            }
        case WM_ERASEBKGND:
            if (m.WParam && !ChildMaximised() && !SkinAnimationRunning())
                PaintMDIArea(reinterpret_cast<HDC>(m.WParam), false);
            m.Result = 1;
            return true;
        case WM_NCPAINT:
            if (!ChildMaximised() && !SkinAnimationRunning()) {
                passOn();  // the scroll bars
                WindowDC dc(client_, WindowDC::WholeWindow{});
                if (dc.Get()) PaintMDIFrame(dc.Get());
            }
            m.Result = 0;
            return true;
        case WM_PRINT:
            // The area as the form's image has it (the client's own painting would be unskinned).
            m.Result = 0;
            if (m.WParam && !ChildMaximised()) {
                const int saved = ::SaveDC(reinterpret_cast<HDC>(m.WParam));
                PaintMDIArea(reinterpret_cast<HDC>(m.WParam), true);
                ::RestoreDC(reinterpret_cast<HDC>(m.WParam), saved);
            }
            return true;
        case WM_HSCROLL:
        case WM_VSCROLL:
            // A thumb drag scrolls nothing until the thumb is released; the
            // release scrolls the children by what the thumb moved, in the
            // client's own units (its default handling).
            if (LOWORD(m.WParam) == SB_THUMBTRACK) {
                m.Result = 0;
                return true;
            }
            return false;
        case WM_MDICREATE:
        case WM_MDIDESTROY:
        case WM_MDITILE:
        case WM_MDICASCADE:
        case WM_MDISETMENU:
        case WM_MDIMAXIMIZE:
        case WM_MDIRESTORE:
            passOn();
            if (provider_->SkinData) provider_->SkinData->BgChanged = true;
            provider_->RefreshNonClient();
            ::InvalidateRect(client_, nullptr, TRUE);
            return true;
        default: return false;
    }
}

// ---- TSkinMDIForm ----

TSkinMDIForm::TSkinMDIForm(TSkinProvider* provider) : provider_(provider) {
    if (TForm* form = provider_ ? provider_->OwnerForm() : nullptr) form->Handle();
}

TSkinMDIForm::~TSkinMDIForm() { Disconnect(); }

void TSkinMDIForm::Start() {
    if (!adapter_) Connect();
}

void TSkinMDIForm::Connect() {
    Disconnect();
    if (!provider_ || !provider_->Skinned()) return;
    if (HWND client = ClientHandle()) adapter_ = std::make_unique<TSkMDIWnd>(client, provider_);
}

void TSkinMDIForm::Disconnect() { adapter_.reset(); }

void TSkinMDIForm::UpdateProvider() {
    if (provider_) provider_->RefreshNonClient();
}

HWND TSkinMDIForm::ClientHandle() const {
    TForm* form = provider_ ? provider_->OwnerForm() : nullptr;
    if (!form || !form->HandleAllocated()) return nullptr;
    return ::FindWindowExW(form->Handle(), nullptr, L"MDIClient", nullptr);
}

std::vector<HWND> TSkinMDIForm::Children() const {
    std::vector<HWND> children;
    HWND client = ClientHandle();
    if (!client) return children;
    for (HWND w = ::GetWindow(client, GW_CHILD); w && children.size() < size_t(kMaxWindowItems);
         w = ::GetWindow(w, GW_HWNDNEXT))
        if (!::GetWindow(w, GW_OWNER)) children.push_back(w);  // not the icon titles
    return children;
}

HWND TSkinMDIForm::ActiveChild(bool* maximised) const {
    HWND client = ClientHandle();
    BOOL max = FALSE;
    HWND active = client ? reinterpret_cast<HWND>(::SendMessageW(client, WM_MDIGETACTIVE, 0, LPARAM(&max))) : nullptr;
    if (maximised) *maximised = active && max;
    return active;
}

bool TSkinMDIForm::InitWindowMenu(HMENU popup) {
    TForm* form = provider_ ? provider_->OwnerForm() : nullptr;
    TMainMenu* menu = form ? form->Menu() : nullptr;
    if (!menu || WindowMenuIndex < 0 || !popup || ::GetSubMenu(menu->Handle(), WindowMenuIndex) != popup) return false;
    const std::vector<HWND> children = Children();
    if (children.empty()) return false;
    // From the end: the entries listing children (the system's, and ours from
    // the last time) and the separators before them go; the form's own stay.
    for (int i = ::GetMenuItemCount(popup) - 1; i >= 0; --i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_DATA | MIIM_FTYPE;
        if (!::GetMenuItemInfoW(popup, UINT(i), TRUE, &info)) break;
        // The form's own entries are its menu's commands; any other entry is
        // the system's list, ours from the last time, or a separator before them.
        const bool separator = (info.fType & MFT_SEPARATOR) != 0;
        if (!separator && menu->FindCommand(info.wID)) break;
        ::DeleteMenu(popup, UINT(i), MF_BYPOSITION);
    }
    if (::GetMenuItemCount(popup) > 0) ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    HWND active = ActiveChild();
    for (size_t i = 0; i < children.size(); ++i) {
        HWND child = children[i];
        if (!::IsWindowVisible(child)) continue;
        wchar_t caption[256] = {};
        ::GetWindowTextW(child, caption, 256);
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_DATA | MIIM_STRING | MIIM_STATE;
        info.wID = kWindowItemFirst + UINT(i);
        info.dwItemData = kWindowItemTag | i;
        info.dwTypeData = caption;
        info.fState = child == active ? MFS_CHECKED : 0;
        ::InsertMenuItemW(popup, UINT(::GetMenuItemCount(popup)), TRUE, &info);
    }
    return true;
}

void TSkinMDIForm::WindowItemClick(int index) {
    const std::vector<HWND> children = Children();
    if (index < 0 || size_t(index) >= children.size()) return;
    ::SendMessageW(ClientHandle(), WM_MDIACTIVATE, WPARAM(children[size_t(index)]), 0);
}

bool TSkinMDIForm::HandleCommand(WPARAM wParam) {
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) != 0 || id < kWindowItemFirst || id >= kWindowItemFirst + kMaxWindowItems) return false;
    WindowItemClick(int(id - kWindowItemFirst));
    return true;
}

}  // namespace ad::skin::forms
