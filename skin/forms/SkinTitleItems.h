// The small objects a skin provider owns for its title: the added title text,
// the form header band, the system menu's extra sub-menu, the title icon and
// the user's title buttons (hit codes 1000 + index, laid out right of the
// system buttons).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Bitmap32.h"
#include "base/Geometry.h"
#include "framework/Controls.h"
#include "framework/Graphics.h"
#include "framework/Menus.h"
#include "skin/engine/win/SkThreadedTimer.h"

namespace ad::skin::forms {

// Text drawn after the form's caption, in its own font.
struct TSkAddedTitle {
    TFont Font;
    std::string Text;
    bool ShowMainCaption = true;
};

// A band of the FORMHEADER section below the title.
struct TSkFormHeader {
    int AdditionalHeight = 0;
};

// An extra sub-menu of the skinned system menu.
struct TSkSysSubMenu {
    std::string Caption;
    TPopupMenu* PopupMenu = nullptr;
    int Position = 0;
};

// The icon at the left of the title.
struct TSkinTitleIcon {
    std::shared_ptr<TBitmap32> Glyph;  // empty: the form's icon
    int Height = 0;                    // 0: from the caption height
    int Width = 0;
    bool Visible = true;
};

// A user button in the title, right of the system buttons.
struct TSkinTitleButton {
    bool Enabled = true;
    std::shared_ptr<TBitmap32> Glyph;
    std::string Hint;
    std::string Name;
    bool UseSkinData = true;
    bool Visible = true;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    // Run-time state.
    int State = 0;  // 0 normal, 1 hot, 2 pressed
    TRect Rect;     // window-image coordinates, set by the title layout
    int GlyphKind = 12;
    std::unique_ptr<TSkThreadedTimer> Animation;
};

using TSkinTitleButtons = std::vector<TSkinTitleButton>;

}  // namespace ad::skin::forms
