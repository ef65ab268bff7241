// TSkBaseWnd: the step between the scrolling adapter and the edit-like
// ones. It keeps the background mark and the skinned bars current when the
// window is sized, scrolled or enabled, and leaves the cursor to the
// window's own procedure.
#pragma once

#include "skin/adapters/SkScrollWnd.h"

namespace ad::skin::adapters {

class TSkBaseWnd : public TSkScrollWnd {
protected:
    using TSkScrollWnd::TSkScrollWnd;
    friend class TSkMainWnd;
    void WndProc(TMessage& m) override;
    // WM_NCPAINT (0, 0) to the window when it is visible: frame and bars again.
    void RepaintFrame();
};

}  // namespace ad::skin::adapters
