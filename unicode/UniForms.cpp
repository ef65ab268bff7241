// The application's wide title.
#include "unicode/UniForms.h"

#include "unicode/UniControls.h"
#include "unicode/UniWideText.h"

namespace ad::uni {

TUniApplication::TUniApplication(TApplication* application) : TComponent(application), application_(application) {}

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
