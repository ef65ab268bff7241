// Wide text and hints of the class library's controls.
#include "unicode/UniControls.h"

#include "base/WinText.h"
#include "unicode/UniWideText.h"

namespace ad::uni {

TWideControlHelper::TWideControlHelper(TWinControl* control) : TComponent(control), Control(control) {}

TWideControlHelper* LookupWideControlHelper(TWinControl* control, bool create) {
    for (int i = 0; i < control->ComponentCount(); ++i)
        if (auto* helper = dynamic_cast<TWideControlHelper*>(control->Components(i))) return helper;
    return create ? new TWideControlHelper(control) : nullptr;
}

void UniControlSetText(TWinControl* control, std::wstring_view text) {
    if (control->HandleAllocated() && !::IsWindowUnicode(control->Handle())) {
        control->SetText(Narrow(text));
        return;
    }
    if (!control->HandleAllocated()) {
        control->SetWideText(std::wstring(text));
        return;
    }
    if (UniControlGetText(control) == text) return;
    control->SetWideText(std::wstring(text));
}

std::wstring UniControlGetText(TWinControl* control) {
    if (control->HandleAllocated() && !::IsWindowUnicode(control->Handle())) return Widen(control->Text());
    return control->WideText();
}

std::wstring UniControlGetHint(TWinControl* control) {
    if (TWideControlHelper* helper = LookupWideControlHelper(control, false))
        return ToWString(SyncWideFromAnsi(helper->WideHint, control->Hint));
    return Widen(control->Hint);
}

void UniControlSetHint(TWinControl* control, std::wstring_view hint) {
    TWideControlHelper* helper = LookupWideControlHelper(control, true);
    SetSyncedWideString(ToU16String(hint), helper->WideHint, control->Hint,
                        [control](const std::string& ansi) { control->Hint = ansi; });
}

std::wstring UniControlFindHint(TWinControl* control) {
    for (TWinControl* c = control; c; c = c->Parent()) {
        std::wstring hint = UniControlGetHint(c);
        if (!hint.empty()) return hint;
    }
    return {};
}

}  // namespace ad::uni
