// Actions with a wide caption and hint (TUniAction, TUniHintAction) beside
// their ANSI ones, and the rules by which an action's client (a control or a
// menu item) counts as linked to it and takes its wide values. Windows only.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "framework/Controls.h"
#include "framework/Menus.h"

namespace ad::uni {

class TUniAction : public TComponent {
public:
    explicit TUniAction(TComponent* AOwner) : TComponent(AOwner) {}

    // The ANSI caption and hint; setting one runs OnChange.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    void SetHint(const std::string& hint);

    // The wide caption and hint. While a wide value is being set, a client
    // that reads it (from OnChange) gets the value being set.
    std::wstring WideCaption();
    void SetWideCaption(std::wstring_view caption);
    std::wstring WideHint();
    void SetWideHint(std::wstring_view hint);

    // The wide caption and hint of another action, or a control's wide text
    // and hint.
    void Assign(TUniAction& source);
    void AssignFromControl(TWinControl* control);

    // Runs after the caption or hint changed (the links update their clients).
    TNotifyEvent OnChange;

private:
    struct Setting {
        bool active = false;
        std::u16string wide;
        std::string ansi;
    };
    std::wstring WideValue(std::u16string& wide, const std::string& ansi, const Setting& setting);
    void SetWideValue(std::wstring_view value, std::u16string& wide, Setting& setting,
                      std::string& ansiField);

    std::string caption_;
    std::u16string wideCaption_, wideHint_;
    Setting settingCaption_, settingHint_;
};

// An action whose hint is the application's hint.
class TUniHintAction : public TUniAction {
public:
    using TUniAction::TUniAction;
};

// The link a client gets, by its kind.
enum class TUniActionLinkKind { MenuItem, ListView, SpeedButton, ToolButton, Button, WinControl, Control };
TUniActionLinkKind ActionLinkKindOf(TComponent* client);

// A control is linked when the action's wide caption is its wide text; a
// menu item when the two captions are equal without their "&" marks and
// ignoring case. Hints are compared exactly.
bool IsCaptionLinked(TComponent* client, TUniAction& action);
bool IsHintLinked(TComponent* client, TUniAction& action);

// An action assigned to a control: the control takes the action's wide text
// unless checkDefaults is set and the control has a text of its own (neither
// empty nor its name), and the action's wide hint unless checkDefaults is set
// and the control has a hint.
void ActionChange(TWinControl* control, TUniAction& action, bool checkDefaults);

}  // namespace ad::uni
