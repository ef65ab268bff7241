// TUniMenuItem: a menu item with a wide caption and hint beside the ANSI
// ones, whose system menu item shows the wide caption and the shortcut in
// the keyboard's own key names. Windows only.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "framework/Menus.h"
#include "unicode/UniPropertyReader.h"

namespace ad::uni {

// "Shift+", "Ctrl+" and "Alt+" in that order, then the key: the layer's own
// names for the editing and function keys, the keyboard layout's character
// for letters and digits, and the layout's key name for the rest.
std::wstring WideShortCutToText(WORD shortCut);

class TUniMenuItem : public TMenuItem {
public:
    explicit TUniMenuItem(TComponent* AOwner) : TMenuItem(AOwner) {}

    // The wide caption; when the ANSI Caption was changed only in its "&"
    // marks, the wide caption takes the new marks; when it was changed
    // otherwise, the ANSI caption wins.
    std::wstring WideCaption();
    void SetWideCaption(std::wstring_view caption);
    std::wstring WideHint();
    void SetWideHint(std::wstring_view hint);

    // The wide caption, and for an item without sub-items a TAB and the
    // shortcut's text when it has one.
    std::wstring MenuText() override;
    // Writes MenuText into the system menu's item at position when it shows
    // another text; bitmap, separator and owner-drawn items are left alone.
    void UpdateMenuItem(HMENU menu, UINT position);

    // "CaptionW", "Caption_UTF7", "HintW", "Hint_UTF7" of a form description.
    bool ReadProperty(std::string_view name, TUniValueReader& reader);

private:
    std::u16string wideCaption_;
    std::u16string wideHint_;
};

}  // namespace ad::uni
