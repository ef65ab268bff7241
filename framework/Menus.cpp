// Menu items, popup menus, menu bars and their owner drawing.
#include "framework/Menus.h"

#include <algorithm>
#include <unordered_set>

#include "framework/ExceptionBarrier.h"
#include "framework/Forms.h"
#include "framework/SysUtils.h"
#include "framework/WinGeometry.h"

namespace ad {

namespace {

// Items alive on this thread: a menu's item data is trusted only when it
// names one of them (the items of a menu may go while the system menu lives).
std::unordered_set<const TMenuItem*>& LiveItems() {
    static std::unordered_set<const TMenuItem*> items;
    return items;
}

// The system's menu font, bold when asked.
OwnedFont MenuFont(bool bold) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    if (bold) metrics.lfMenuFont.lfWeight = FW_BOLD;
    return OwnedFont(::CreateFontIndirectW(&metrics.lfMenuFont));
}

}  // namespace

std::wstring ShortCutToTextW(WORD shortCut) {
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
    if (keyText.empty() && key != 0) {
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

std::string ShortCutToText(WORD shortCut) { return Narrow(ShortCutToTextW(shortCut)); }

// --- TMenuItem -----------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) { LiveItems().insert(this); }

TMenuItem::~TMenuItem() {
    LiveItems().erase(this);
    // Freed on its own (not by Clear): the parent forgets it.
    if (TMenuItem* parent = Parent()) std::erase(parent->items_, this);
}

int TMenuItem::MenuIndex() const {
    TMenuItem* parent = Parent();
    if (!parent) return -1;
    for (size_t i = 0; i < parent->items_.size(); ++i)
        if (parent->items_[i] == this) return static_cast<int>(i);
    return -1;
}

void TMenuItem::Clear() {
    std::vector<TMenuItem*> old;
    old.swap(items_);
    for (auto it = old.rbegin(); it != old.rend(); ++it) delete *it;
}

void TMenuItem::Click() {
    if (OnClick) OnClick(this);
}

std::wstring TMenuItem::MenuText() {
    std::wstring text = Widen(Caption);
    if (Count() == 0 && ShortCut != 0) {
        const std::wstring keys = ShortCutToTextW(ShortCut);
        if (!keys.empty()) text += L"\t" + keys;
    }
    return text;
}

TMenuItem* TMenuItem::Parent() const { return dynamic_cast<TMenuItem*>(Owner()); }

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* item = this;
    while (TMenuItem* parent = item->Parent()) item = parent;
    return dynamic_cast<TMenu*>(item->Owner());
}

bool TMenuItem::OwnerDrawn() const {
    if (OnAdvancedDrawItem || OnDrawItem) return true;
    const TMenu* menu = GetParentMenu();
    return menu && menu->OwnerDraw;
}

TMenuItem* TMenuItem::FromItemData(ULONG_PTR data) {
    auto* item = reinterpret_cast<TMenuItem*>(data);
    if (!item || !LiveItems().count(item) || item->Destroying()) return nullptr;
    return item;
}

bool TMenuItem::HandleOwnerDrawMessage(UINT msg, LPARAM lParam) {
    if (!lParam) return false;
    if (msg == WM_MEASUREITEM) {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (mis->CtlType != ODT_MENU) return false;
        TMenuItem* item = FromItemData(mis->itemData);
        if (!item) return false;
        // The menu keeps one measuring DC: a popup of many items is measured item by item.
        OwnedMemoryDC own;
        TMenu* menu = item->GetParentMenu();
        HDC dc = menu ? menu->MeasureDC() : nullptr;
        if (!dc) {
            own.Reset(::CreateCompatibleDC(nullptr));
            dc = own.Get();
        }
        TCanvas canvas(dc);
        int width = static_cast<int>(mis->itemWidth), height = static_cast<int>(mis->itemHeight);
        Guarded([&] { item->MeasureItem(canvas, width, height); });
        mis->itemWidth = static_cast<UINT>(std::max(width, 0));
        mis->itemHeight = static_cast<UINT>(std::max(height, 0));
        return true;
    }
    if (msg == WM_DRAWITEM) {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (dis->CtlType != ODT_MENU) return false;
        TMenuItem* item = FromItemData(dis->itemData);
        if (!item) return false;
        TCanvas canvas(dis->hDC);
        SavedDCState saved(dis->hDC);
        const TMenuItem* parent = item->Parent();
        const bool topLevel = parent && !parent->Parent() && dynamic_cast<TMainMenu*>(parent->Owner());
        Guarded([&] { item->AdvancedDrawItem(canvas, FromRECT(dis->rcItem), dis->itemState, topLevel); });
        return true;
    }
    return false;
}

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
    if (IsLine()) {
        width = 0;
        height = ::GetSystemMetrics(SM_CYMENU) / 2;
    } else {
        OwnedFont font = MenuFont(Default);
        SelectObjectScope selected(canvas.Handle(), font.Get());
        const std::wstring text = MenuText();
        RECT r{0, 0, 0, 0};
        ::DrawTextW(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &r,
                    DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
        const bool top = Parent() && !Parent()->Parent() && dynamic_cast<TMainMenu*>(Parent()->Owner());
        const int check = ::GetSystemMetrics(SM_CXMENUCHECK);
        width = top ? r.right + 12 : r.right + 2 * check + 8;
        height = std::max<int>(r.bottom + 4, ::GetSystemMetrics(SM_CYMENU) - 1);
    }
    if (OnMeasureItem) OnMeasureItem(this, canvas, width, height);
}

void TMenuItem::AdvancedDrawItem(TCanvas& canvas, const TRect& rect, TOwnerDrawState state, bool topLevel) {
    if (OnAdvancedDrawItem) OnAdvancedDrawItem(this, canvas, rect, state);
    else if (OnDrawItem) OnDrawItem(this, canvas, rect, (state & odSelected) != 0);
    else DrawDefault(canvas, rect, state, topLevel);
}

void TMenuItem::DrawDefault(TCanvas& canvas, const TRect& rect, TOwnerDrawState state, bool topLevel) {
    HDC dc = canvas.Handle();
    RECT r = ToRECT(rect);
    const bool selected = (state & odSelected) != 0;
    ::FillRect(dc, &r, ::GetSysColorBrush(selected && !IsLine() ? COLOR_HIGHLIGHT : COLOR_MENU));
    if (IsLine()) {
        RECT line{r.left, (r.top + r.bottom) / 2 - 1, r.right, (r.top + r.bottom) / 2 + 1};
        ::DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const int check = topLevel ? 6 : ::GetSystemMetrics(SM_CXMENUCHECK) + 4;
    if (Checked && !topLevel) {
        RECT box{r.left + 2, r.top, r.left + check, r.bottom};
        ::DrawFrameControl(dc, &box, DFC_MENU, RadioItem ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    }
    OwnedFont font = MenuFont(Default || (state & odDefault));
    SelectObjectScope selectedFont(dc, font.Get());
    ::SetBkMode(dc, TRANSPARENT);
    const bool disabled = (state & (odDisabled | odGrayed)) != 0;
    ::SetTextColor(dc, ::GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    std::wstring text = MenuText();
    std::wstring keys;
    if (const size_t tab = text.find(L'\t'); tab != std::wstring::npos) {
        keys = text.substr(tab + 1);
        text.resize(tab);
    }
    const UINT hide = (state & odNoAccel) ? DT_HIDEPREFIX : 0;
    RECT textRect{r.left + check, r.top, r.right - 4, r.bottom};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
                DT_SINGLELINE | DT_VCENTER | hide | (topLevel ? DT_CENTER : 0));
    if (!keys.empty())
        ::DrawTextW(dc, keys.c_str(), static_cast<int>(keys.size()), &textRect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
}

// --- Menus ---------------------------------------------------------------------

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), root_(new TMenuItem(this)) {}

HDC TMenu::MeasureDC() {
    if (!measureDC_) measureDC_.Reset(::CreateCompatibleDC(nullptr));
    return measureDC_.Get();
}

void TMenu::AppendItems(HMENU menu, TMenuItem& parent, std::vector<TMenuItem*>& commands) {
    for (TMenuItem* item : parent.items_) {
        if (!item->Visible) continue;
        const bool ownerDrawn = item->OwnerDrawn();
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(item);
        info.fType = ownerDrawn ? MFT_OWNERDRAW : 0;
        if (item->IsLine()) {
            info.fType |= MFT_SEPARATOR;
            ::InsertMenuItemW(menu, static_cast<UINT>(::GetMenuItemCount(menu)), TRUE, &info);
            continue;
        }
        std::wstring text = item->MenuText();
        info.fMask |= MIIM_STRING;
        info.dwTypeData = text.data();
        info.fType |= (item->RadioItem ? MFT_RADIOCHECK : 0) |
                      (item->Break == TMenuBreak::mbBreak ? MFT_MENUBREAK : 0) |
                      (item->Break == TMenuBreak::mbBarBreak ? MFT_MENUBARBREAK : 0);
        info.fState = (item->Enabled ? 0 : MFS_GRAYED) | (item->Checked ? MFS_CHECKED : 0) |
                      (item->Default ? MFS_DEFAULT : 0);
        if (item->Count() > 0) {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = ::CreatePopupMenu();
            AppendItems(info.hSubMenu, *item, commands);
        } else {
            commands.push_back(item);
            info.wID = static_cast<UINT>(commands.size());
        }
        if (item->Bitmap && !ownerDrawn) {
            info.fMask |= MIIM_BITMAP;
            info.hbmpItem = item->Bitmap.Get();
        }
        ::InsertMenuItemW(menu, static_cast<UINT>(::GetMenuItemCount(menu)), TRUE, &info);
    }
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

OwnedMenu TPopupMenu::BuildMenu(std::vector<TMenuItem*>& commands) {
    OwnedMenu menu(::CreatePopupMenu());
    commands.clear();
    AppendItems(menu.Get(), *root_, commands);
    return menu;
}

HWND TPopupMenu::OwnerWindow() const {
    if (auto* control = dynamic_cast<TWinControl*>(PopupComponent)) return control->Handle();
    return Application ? Application->Handle() : nullptr;
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    std::vector<TMenuItem*> commands;
    OwnedMenu menu = BuildMenu(commands);
    UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON;
    if (MenuAnimation & maNone) flags |= TPM_NOANIMATION;
    if (MenuAnimation & maLeftToRight) flags |= TPM_HORPOSANIMATION;
    if (MenuAnimation & maRightToLeft) flags |= TPM_HORNEGANIMATION;
    if (MenuAnimation & maTopToBottom) flags |= TPM_VERPOSANIMATION;
    if (MenuAnimation & maBottomToTop) flags |= TPM_VERNEGANIMATION;
    // Commands are taken from the returned id: the owner hears the menu's
    // opening, selection and owner-draw messages, but no WM_COMMAND.
    UINT id = static_cast<UINT>(::TrackPopupMenuEx(menu.Get(), flags, x, y, OwnerWindow(), nullptr));
    if (id >= 1 && id <= commands.size()) {
        // An item freed while the menu showed is not run.
        if (TMenuItem* item = TMenuItem::FromItemData(reinterpret_cast<ULONG_PTR>(commands[id - 1]))) item->Click();
    }
}

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}

TMainMenu::~TMainMenu() {
    // A window still showing the bar would destroy it with itself: take it off first.
    if (shownIn_ && ::IsWindow(shownIn_) && ::GetMenu(shownIn_) == menu_.Get()) ::SetMenu(shownIn_, nullptr);
}

HMENU TMainMenu::Handle() {
    if (!menu_) {
        menu_.Reset(::CreateMenu());
        commands_.clear();
        AppendItems(menu_.Get(), *root_, commands_);
    }
    return menu_.Get();
}

void TMainMenu::Rebuild() {
    const bool shown = shownIn_ && ::IsWindow(shownIn_) && ::GetMenu(shownIn_) == menu_.Get();
    OwnedMenu old = std::move(menu_);
    if (shown) {
        ::SetMenu(shownIn_, Handle());
        ::DrawMenuBar(shownIn_);
        if (TWinControl* form = TWinControl::FromHandle(shownIn_)) form->SendNotice(CM_MENUCHANGED);
    }
}

TMenuItem* TMainMenu::FindCommand(UINT id) const {
    if (id < 1 || id > commands_.size()) return nullptr;
    return TMenuItem::FromItemData(reinterpret_cast<ULONG_PTR>(commands_[id - 1]));
}

}  // namespace ad
