// Menu items with wide captions and shortcut texts.
#include "unicode/UniMenus.h"

#include <vector>

#include "framework/SysUtils.h"
#include "unicode/UniControls.h"
#include "unicode/UniWideText.h"

namespace ad::uni {

std::wstring WideShortCutToText(WORD shortCut) {
    static const struct {
        WORD key;
        const wchar_t* name;
    } names[] = {
        {VK_BACK, L"BkSp"}, {VK_TAB, L"Tab"},   {VK_RETURN, L"Enter"}, {VK_ESCAPE, L"Esc"},  {VK_SPACE, L"Space"},
        {VK_PRIOR, L"PgUp"}, {VK_NEXT, L"PgDn"}, {VK_END, L"End"},      {VK_HOME, L"Home"},   {VK_LEFT, L"Left"},
        {VK_UP, L"Up"},      {VK_RIGHT, L"Right"}, {VK_DOWN, L"Down"},  {VK_INSERT, L"Ins"},  {VK_DELETE, L"Del"},
    };
    const WORD key = shortCut & 0xFF;
    std::wstring keyText;
    for (const auto& n : names)
        if (n.key == key) keyText = n.name;
    if (keyText.empty() && key >= VK_F1 && key <= VK_F24) keyText = L"F" + std::to_wstring(key - VK_F1 + 1);
    if (keyText.empty()) {
        const bool charKey = (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') ||
                             (key >= VK_NUMPAD0 && key <= VK_NUMPAD9);
        if (charKey) {
            wchar_t c = static_cast<wchar_t>(::MapVirtualKeyW(key, MAPVK_VK_TO_CHAR) & 0xFFFF);
            // A digit the layout puts elsewhere, but which maps back to its key, keeps its own character.
            if (key >= '0' && key <= '9' && c != key && (::VkKeyScanW(static_cast<wchar_t>(key)) & 0xFF) == key)
                c = static_cast<wchar_t>(key);
            if (c) keyText.assign(1, c);
        } else {
            wchar_t name[64];
            const LONG scan = static_cast<LONG>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
            const int n = ::GetKeyNameTextW(scan, name, 64);
            if (n > 0) keyText.assign(name, static_cast<size_t>(n));
        }
    }
    if (keyText.empty()) return {};
    std::wstring text;
    if (shortCut & scShift) text += L"Shift+";
    if (shortCut & scCtrl) text += L"Ctrl+";
    if (shortCut & scAlt) text += L"Alt+";
    return text + keyText;
}

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
