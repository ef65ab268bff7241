// TUniCustomHintWindow: the hint window that shows a control's wide hint.
// The hint machinery works on the ANSI hint (the ANSI form of the short part
// of the control's wide hint); when the hint to show is still that form, the
// window shows the wide short hint, otherwise (a handler changed the hint)
// the ANSI hint as it is. Windows only.
#pragma once

#include <string>

#include "base/Geometry.h"
#include "framework/Forms.h"
#include "framework/HintWindow.h"

namespace ad::uni {

// The ANSI hint the hint machinery shows for a control: the ANSI form of the
// short part of its wide hint (or its nearest parent's).
std::string WideControlAnsiHint(TWinControl* hintControl);
// The text a hint window shows for the ANSI hint of a control.
std::wstring WideHintText(const std::string& ansiHint, TWinControl* hintControl);

class TUniCustomHintWindow : public THintWindow {
public:
    explicit TUniCustomHintWindow(TComponent* AOwner);

    // Shows the hint at Rect with the wide text for ansiHint.
    void ActivateHintData(const TRect& Rect, const std::string& ansiHint, TWinControl* hintControl);
    // The window rectangle the wide text needs when lines wrap at MaxWidth.
    TRect CalcWideHintRect(int MaxWidth, const std::wstring& text);

    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    bool activating_ = false;
};

// The application's hint windows: the plain one (ANSI text) and the one of
// wide hints. A marked hint (see MarkWideHint) in the wide one shows the wide
// short hint of its control.
std::unique_ptr<TAppHintWindow> PlainHintWindowClass();
std::unique_ptr<TAppHintWindow> UniHintWindowClass();

// The hint-show step of a Unicode control: a hint bound for the plain or the
// wide window goes to the wide one, is marked (its data is the record) and
// its text becomes the ANSI form of the wide short hint. Other window
// classes are left as they are.
void MarkWideHint(THintInfo& info);

}  // namespace ad::uni
