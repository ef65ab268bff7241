// TSkSpeedButtonHandler: skins a speed button of the class library by
// hooking its window procedure: the button is painted from "SPEEDBUTTON"
// ("SPEEDBUTTON_SMALL" when flat) in the state it shows (pressed while down),
// hot while the mouse is over it, with its glyph and caption laid out as the
// button asks. The hook goes when the button's window goes, when the skin is
// removed or when the handler is freed, whatever the button's geometry.
#pragma once

#include <memory>
#include <string>

#include "framework/ComCtrls.h"
#include "framework/WindowSubclass.h"
#include "skin/adapters/SkSpeedButtonLayout.h"
#include "skin/engine/win/SkinCommonData.h"
#include "skin/engine/win/SkinManager.h"

namespace ad::skin::adapters {

class TSkSpeedButtonHandler {
public:
    // Hooks the button; data is the button's skin data (kept by the caller,
    // it outlives the handler); section is used when the data has none.
    TSkSpeedButtonHandler(TSpeedButton* button, const std::string& section, TSkinManager* manager,
                          TSkinCommonData* data);
    ~TSkSpeedButtonHandler();
    TSkSpeedButtonHandler(const TSkSpeedButtonHandler&) = delete;
    TSkSpeedButtonHandler& operator=(const TSkSpeedButtonHandler&) = delete;

    // The hook is gone (the window went, or the skin was removed).
    bool Detached() const { return !subclass_; }
    TSpeedButton* Button() const { return button_.Get(); }
    // 0 normal, 1 hot, 2 pressed (down).
    int PaintState();
    // Glyph and caption inside the button for its current state.
    TSkSpeedButtonPlacement Placement();
    // Renders the button into its data's cache; false when nothing was drawn.
    bool Render();
    // Handlers alive in the process (leak checks).
    static int LiveCount();

private:
    bool Proc(TMessage& m);
    void Paint(HDC given);
    void Repaint();
    void Restore();

    TComponentLink<TSpeedButton> button_;
    TSkinManager* manager_;
    TSkinCommonData* data_;
    std::unique_ptr<TWindowSubclass> subclass_;
};

}  // namespace ad::skin::adapters
