// Menu items with wide captions and shortcut texts.
#include "unicode/UniMenus.h"

#include <vector>

#include "framework/SysUtils.h"
#include "unicode/UniControls.h"
#include "unicode/UniWideText.h"

namespace ad::uni {

std::wstring WideShortCutToText(WORD shortCut) { return ShortCutToTextW(shortCut); }

std::wstring TUniMenuItem::WideCaption() { return ToWString(MenuCaptionText(wideCaption_, Caption)); }

void TUniMenuItem::SetWideCaption(std::wstring_view caption) {
    SetSyncedWideString(ToU16String(caption), wideCaption_, Caption, [this](const std::string& s) { Caption = s; });
}

std::wstring TUniMenuItem::WideHint() { return ToWString(SyncWideFromAnsi(wideHint_, Hint)); }

void TUniMenuItem::SetWideHint(std::wstring_view hint) {
    SetSyncedWideString(ToU16String(hint), wideHint_, Hint, [this](const std::string& s) { Hint = s; });
}

std::wstring TUniMenuItem::MenuText() {
    std::wstring text = WideCaption();
    if (Count() == 0 && ShortCut != 0) {
        const std::wstring keys = WideShortCutToText(ShortCut);
        if (!keys.empty()) text += L"\t" + keys;
    }
    return text;
}

void TUniMenuItem::UpdateMenuItem(HMENU menu, UINT position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    if (!::GetMenuItemInfoW(menu, position, TRUE, &info) || (info.fType & (MFT_BITMAP | MFT_SEPARATOR | MFT_OWNERDRAW)))
        return;
    std::wstring text = MenuText();
    wchar_t shown[1024] = {};
    const int n = ::GetMenuStringW(menu, position, shown, 1024, MF_BYPOSITION);
    if (std::wstring_view(shown, static_cast<size_t>(n > 0 ? n : 0)) == text) return;
    info.fMask = MIIM_STRING;
    info.dwTypeData = text.data();
    if (!::SetMenuItemInfoW(menu, position, TRUE, &info)) RaiseLastOSError();
}

bool TUniMenuItem::ReadProperty(std::string_view name, TUniValueReader& reader) {
    const std::vector<TWideProperty> wide = {
        {"Caption", false, [this](const std::u16string& s) { SetWideCaption(ToWString(s)); }, nullptr},
        {"Hint", false, [this](const std::u16string& s) { SetWideHint(ToWString(s)); }, nullptr}};
    return ReadWidePropertyExtra(name, reader, wide);
}

}  // namespace ad::uni
