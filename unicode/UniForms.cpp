// The application's wide title and hint.
#include "unicode/UniForms.h"

#include "base/WinText.h"
#include "unicode/UniControls.h"
#include "unicode/UniHintWindow.h"
#include "unicode/UniWideText.h"

namespace ad::uni {

TUniApplication::TUniApplication(TApplication* application) : TComponent(application), application_(application) {
    if (!application_->HintWindowClass) {
        application_->HintWindowClass = &PlainHintWindowClass;
        installedHintWindow_ = true;
    }
}

TUniApplication::~TUniApplication() {
    if (installedHintWindow_ && application_->HintWindowClass == &PlainHintWindowClass) {
        application_->CancelHint();
        application_->HintWindowClass = nullptr;
    }
}

std::wstring TUniApplication::Hint() {
    if (TWinControl* control = application_->MouseControl()) {
        std::u16string hint = WideLongHint(ToU16String(UniControlFindHint(control)));
        if (!hint.empty() && Narrow(ToWString(hint)) == application_->Hint) wideHint_ = std::move(hint);
    }
    return ToWString(SyncWideFromAnsi(wideHint_, application_->Hint));
}

void TUniApplication::SetHint(std::wstring_view hint) {
    SetSyncedWideString(ToU16String(hint), wideHint_, application_->Hint,
                        [this](const std::string& s) { application_->Hint = s; });
}

std::wstring TUniApplication::Title() { return ToWString(SyncWideFromAnsi(wideTitle_, application_->Title)); }

void TUniApplication::SetTitle(std::wstring_view title) {
    SetSyncedWideString(ToU16String(title), wideTitle_, application_->Title,
                        [this](const std::string& s) { application_->Title = s; });
    if (HWND wnd = application_->Handle()) {
        const std::wstring text(title);
        ::DefWindowProcW(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

}  // namespace ad::uni
