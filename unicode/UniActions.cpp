// Actions with wide captions and hints, and their links.
#include "unicode/UniActions.h"

#include "base/WinText.h"
#include "framework/ComCtrls.h"
#include "framework/ListView.h"
#include "framework/StdCtrls.h"
#include "unicode/UniControls.h"
#include "unicode/UniMenus.h"
#include "unicode/UniWideText.h"

namespace ad::uni {

void TUniAction::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (OnChange) OnChange(this);
}

void TUniAction::SetHint(const std::string& hint) {
    Hint = hint;
    if (OnChange) OnChange(this);
}

std::wstring TUniAction::WideValue(std::u16string& wide, const std::string& ansi, const Setting& setting) {
    if (setting.active && ansi == setting.ansi) return ToWString(setting.wide);
    return ToWString(SyncWideFromAnsi(wide, ansi));
}

void TUniAction::SetWideValue(std::wstring_view value, std::u16string& wide, Setting& setting,
                              std::string& ansiField) {
    struct Scope {
        Setting& s;
        ~Scope() { s = Setting{}; }
    } scope{setting};
    setting.active = true;
    setting.wide = ToU16String(value);
    setting.ansi = Narrow(value);
    SetSyncedWideString(ToU16String(value), wide, ansiField, [this, &ansiField](const std::string& s) {
        if (&ansiField == &caption_) SetCaption(s);
        else SetHint(s);
    });
}

std::wstring TUniAction::WideCaption() { return WideValue(wideCaption_, caption_, settingCaption_); }
void TUniAction::SetWideCaption(std::wstring_view caption) {
    SetWideValue(caption, wideCaption_, settingCaption_, caption_);
}
std::wstring TUniAction::WideHint() { return WideValue(wideHint_, Hint, settingHint_); }
void TUniAction::SetWideHint(std::wstring_view hint) { SetWideValue(hint, wideHint_, settingHint_, Hint); }

void TUniAction::Assign(TUniAction& source) {
    SetWideCaption(source.WideCaption());
    SetWideHint(source.WideHint());
}

void TUniAction::AssignFromControl(TWinControl* control) {
    SetWideCaption(UniControlGetText(control));
    SetWideHint(UniControlGetHint(control));
}

TUniActionLinkKind ActionLinkKindOf(TComponent* client) {
    if (dynamic_cast<TMenuItem*>(client)) return TUniActionLinkKind::MenuItem;
    if (dynamic_cast<TListView*>(client)) return TUniActionLinkKind::ListView;
    if (dynamic_cast<TSpeedButton*>(client)) return TUniActionLinkKind::SpeedButton;
    if (dynamic_cast<TButton*>(client) || dynamic_cast<TButtonControl*>(client)) return TUniActionLinkKind::Button;
    if (dynamic_cast<TWinControl*>(client)) return TUniActionLinkKind::WinControl;
    return TUniActionLinkKind::Control;
}

// The wide caption and hint of a menu item, its own or its ANSI ones widened.
static std::wstring MenuCaption(TMenuItem* item) {
    if (auto* uni = dynamic_cast<TUniMenuItem*>(item)) return uni->WideCaption();
    return Widen(item->Caption);
}

static std::wstring MenuHint(TMenuItem* item) {
    if (auto* uni = dynamic_cast<TUniMenuItem*>(item)) return uni->WideHint();
    return Widen(item->Hint);
}

bool IsCaptionLinked(TComponent* client, TUniAction& action) {
    if (auto* item = dynamic_cast<TMenuItem*>(client)) {
        const std::u16string a = StripHotKeys(ToU16String(MenuCaption(item)));
        const std::u16string b = StripHotKeys(ToU16String(action.WideCaption()));
        return SystemCodec().CompareText(a, b) == 0;
    }
    if (auto* control = dynamic_cast<TWinControl*>(client)) return action.WideCaption() == UniControlGetText(control);
    return false;
}

bool IsHintLinked(TComponent* client, TUniAction& action) {
    if (auto* item = dynamic_cast<TMenuItem*>(client)) return MenuHint(item) == action.WideHint();
    if (auto* control = dynamic_cast<TWinControl*>(client)) return action.WideHint() == UniControlGetHint(control);
    return false;
}

void ActionChange(TWinControl* control, TUniAction& action, bool checkDefaults) {
    const std::wstring text = UniControlGetText(control);
    if (!checkDefaults || text.empty() || text == Widen(control->Name)) UniControlSetText(control, action.WideCaption());
    if (!checkDefaults || UniControlGetHint(control).empty()) UniControlSetHint(control, action.WideHint());
}

}  // namespace ad::uni
