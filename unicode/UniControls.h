// Wide text of any control of the class-library layer: its text (caption)
// and its hint as UTF-16. The layer's windows are Unicode windows, so the
// text lives in the window (or, before it exists, in the control) in full;
// the wide hint is kept by a helper component that the control owns, beside
// the control's ANSI Hint, which code that knows nothing of wide text may
// change meanwhile (the ANSI side then wins). Windows only.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "base/WinText.h"
#include "framework/Controls.h"

namespace ad::uni {

// The class library's notice that a control's text changed.
constexpr UINT CM_TEXTCHANGED = 0xB012;

// The wide forms of a control's properties; owned by the control.
class TWideControlHelper : public TComponent {
public:
    explicit TWideControlHelper(TWinControl* control);
    TWinControl* Control;
    std::u16string WideCaption;
    std::u16string WideHint;
};

// The control's helper; a new one when there is none and create is set,
// else null.
TWideControlHelper* LookupWideControlHelper(TWinControl* control, bool create);

// Sets the control's whole text. A window that is not a Unicode window gets
// the ANSI form. With a window the text is set only when it differs, and
// CM_TEXTCHANGED follows; before the window exists the text is kept for it.
void UniControlSetText(TWinControl* control, std::wstring_view text);
// The control's whole text, as many characters as the window gives.
std::wstring UniControlGetText(TWinControl* control);

std::wstring UniControlGetHint(TWinControl* control);
void UniControlSetHint(TWinControl* control, std::wstring_view hint);
// The hint of the control or, when empty, of its nearest parent that has one.
std::wstring UniControlFindHint(TWinControl* control);

}  // namespace ad::uni
