// The tray icon component.
#include "framework/TrayIcon.h"

#include "framework/SysUtils.h"

namespace ad {

TTrayIcon::TTrayIcon(TComponent* AOwner) : TComponent(AOwner), form_(dynamic_cast<TForm*>(AOwner)) {
    if (form_) {
        iconId_ = 0;
        for (int i = 0; i < form_->ComponentCount(); ++i)
            if (dynamic_cast<TTrayIcon*>(form_->Components(i))) ++iconId_;
        if (form_->HandleAllocated()) Hook();
    }
}

TTrayIcon::~TTrayIcon() {
    BeginDestroy();
    if (form_ && form_->HandleAllocated()) DeleteIcon();
    hook_.reset();
}

void TTrayIcon::Hook() {
    if (!form_ || (hook_ && hook_->Handle() == form_->Handle())) return;
    hook_ = std::make_unique<TWindowSubclass>(form_->Handle(), [this](TMessage& m) { return HandleOwnerMessage(m); });
}

void TTrayIcon::SetTip(const std::string& tip) {
    tip_ = tip;
    NotifyShell(NIM_MODIFY);
}

void TTrayIcon::SetIcon(IconRef icon) {
    icon_.Reset(icon ? ::CopyIcon(icon.Get()) : nullptr);
    NotifyShell(NIM_MODIFY);
}

NOTIFYICONDATAW TTrayIcon::NotifyData() {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = form_ ? form_->Handle() : nullptr;
    data.uID = static_cast<UINT>(iconId_);
    data.uFlags = NIF_MESSAGE | NIF_ICON;
    data.uCallbackMessage = CallbackMessage();
    data.hIcon = icon_ ? icon_.Get() : ::LoadIconW(nullptr, IDI_WINLOGO);
    if (!tip_.empty()) {
        data.uFlags |= NIF_TIP;
        std::wstring tip = Widen(tip_).substr(0, 63);  // the tip keeps its first 63 characters
        lstrcpynW(data.szTip, tip.c_str(), 64);
    }
    return data;
}

bool TTrayIcon::NotifyShell(DWORD command) {
    if (!form_) return false;
    Hook();
    NOTIFYICONDATAW data = NotifyData();
    return ::Shell_NotifyIconW(command, &data) != FALSE;
}

bool TTrayIcon::HandleOwnerMessage(TMessage& m) {
    if (m.Msg != CallbackMessage() || Destroying()) return false;
    m.Result = 0;
    auto fire = [this](const TNotifyEvent& e) {
        if (e) e(this);
    };
    switch (static_cast<UINT>(m.LParam)) {
        case WM_MOUSEMOVE: fire(OnMouseMove); break;
        case WM_RBUTTONDOWN:
            if (PopupMenu && PopupMenu->AutoPopup) {
                ::SetForegroundWindow(form_->Handle());
                Application->ProcessMessages();
                PopupMenu->PopupComponent = form_;
                POINT pt{};
                ::GetCursorPos(&pt);
                PopupMenu->Popup(pt.x, pt.y);
                Application->ProcessMessages();
                break;
            }
            [[fallthrough]];
        case WM_LBUTTONDOWN:
        case WM_MBUTTONDOWN: fire(OnMouseDown ? OnMouseDown : OnClick); break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: fire(OnMouseUp); break;
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK: fire(OnDblClick); break;
        default: m.Result = 1; break;
    }
    return true;
}

}  // namespace ad
