// TTrayIcon: an icon with a tip in the notification area. The shell's mouse
// messages reach it through its owner form's window, which it hooks through
// the subclass chain, and become the component's events.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "framework/Forms.h"
#include "framework/Handles.h"
#include "framework/Menus.h"
#include "framework/WindowSubclass.h"

namespace ad {

class TTrayIcon : public TComponent {
public:
    explicit TTrayIcon(TComponent* AOwner);
    ~TTrayIcon() override;  // removes the icon and unhooks the owner's window

    const std::string& Tip() const { return tip_; }
    void SetTip(const std::string& tip);
    HICON Icon() const { return icon_.Get(); }
    void SetIcon(IconRef icon);  // copies the icon
    TPopupMenu* PopupMenu = nullptr;

    TNotifyEvent OnClick, OnDblClick, OnMouseDown, OnMouseMove, OnMouseUp;

    bool AddIcon() { return NotifyShell(NIM_ADD); }
    bool DeleteIcon() { return NotifyShell(NIM_DELETE); }
    bool NotifyShell(DWORD command);
    // The record NotifyShell hands to the shell.
    NOTIFYICONDATAW NotifyData();
    int IconId() const { return iconId_; }
    UINT CallbackMessage() const { return WM_USER + static_cast<UINT>(iconId_); }

private:
    void Hook();
    bool HandleOwnerMessage(TMessage& m);

    TForm* form_;
    int iconId_ = 1;
    std::string tip_;
    OwnedIcon icon_;
    std::unique_ptr<TWindowSubclass> hook_;
};

}  // namespace ad
