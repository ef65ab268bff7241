// The hint window: a tooltip-style popup that shows one hint text in
// the system's info colours, placed by a screen rectangle, shown without
// taking activation and kept above other windows; and the helpers that hand it
// wide text (converted to the window's 8-bit text), size it and release it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "base/Geometry.h"
#include "framework/Controls.h"

namespace ad {

class THintWindow : public TWinControl {
public:
    explicit THintWindow(TComponent* AOwner);

    // Places the window at Rect (screen coordinates, moved inside the screen
    // when it reaches past an edge), takes the text and shows it on top
    // without activating it.
    virtual void ActivateHint(const TRect& Rect, const std::string& AHint);
    // The window rectangle, at (0, 0), that the text needs when lines wrap at
    // MaxWidth pixels. AData is for descendants; this class does not read it.
    virtual TRect CalcHintRect(int MaxWidth, const std::string& AHint, void* AData);
    // Destroys the window; the next ActivateHint makes a new one.
    void ReleaseHandle() { DestroyHandle(); }

    // Pixels between the frame and the text on every side.
    static constexpr int TextMargin = 2;

    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void WMEraseBkgnd(TMessage& m) override { m.Result = 1; }
    bool PaintsItself() const override { return true; }
    void Paint(HDC dc, const RECT& clip) override;
};

// Converts the text to the system's code page and shows the hint; nothing
// without a window.
void ActivateWideHint(THintWindow* HintWindow, const TRect& Rect, std::u16string_view Text);
// The hint's rectangle for the text; empty without a window.
TRect CalcWideHintRect(THintWindow* HintWindow, int MaxWidth, std::u16string_view Text, void* Data);
// Releases the hint's window handle when there is one; the object stays.
void ReleaseHintWindow(THintWindow*& HintWindow);
// The control's form exists, has a window, and is the active window.
bool IsParentFormActive(TWinControl* Control);

}  // namespace ad
