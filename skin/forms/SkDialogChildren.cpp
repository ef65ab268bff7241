// Dialog children by window class.
#include "skin/forms/SkDialogChildren.h"

#include <algorithm>
#include <cctype>

#include "skin/adapters/SkButtonWnds.h"
#include "skin/adapters/SkComboWnds.h"
#include "skin/adapters/SkEditWnd.h"
#include "skin/adapters/SkListViewWnd.h"
#include "skin/adapters/SkStaticWnds.h"
#include "skin/engine/win/SkinMessaging.h"
#include "skin/engine/win/SkinWindowAnimation.h"
#include "skin/forms/SkDialogWnd.h"
#include "skin/forms/SkinHook.h"

namespace ad::skin::forms {

namespace {

using K = TSkDialogChildKind;

// Statics by their type: pictures get the picture adapter (a sunken edge the
// edge adapter), drawn-by-owner and plain grey or white rectangles stay
// native, and every other type, text and frames, keeps what it shows.
TSkDialogChildChoice StaticChoice(LONG_PTR style, LONG_PTR exStyle) {
    const LONG_PTR type = style & SS_TYPEMASK;
    if (type == SS_ICON || type == SS_BITMAP || type == SS_ENHMETAFILE)
        return (exStyle & WS_EX_STATICEDGE) ? TSkDialogChildChoice{K::Edge, "EDIT"} : TSkDialogChildChoice{K::Icon};
    if (type == SS_OWNERDRAW || type == SS_GRAYRECT || type == SS_WHITERECT) return {};
    return {K::Static};
}

// Buttons by their type (the low four bits), whatever flags go with it.
TSkDialogChildChoice ButtonChoice(LONG_PTR style) {
    switch (style & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_AUTORADIOBUTTON: return {K::CheckBox};
        case BS_GROUPBOX: return {K::GroupBox, "GROUPBOX"};
        case BS_OWNERDRAW: return {};
        case BS_SPLITBUTTON:
        case BS_DEFSPLITBUTTON:
        case BS_COMMANDLINK:
        case BS_DEFCOMMANDLINK: return {};  // drawn by the system's own look
        default: return {K::Button};
    }
}

}  // namespace

TSkDialogChildChoice ChooseDialogChildAdapter(const std::string& name, LONG_PTR style, LONG_PTR exStyle,
                                              bool visible) {
    if (name == "static") return StaticChoice(style, exStyle);
    if (name == "edit") return visible ? TSkDialogChildChoice{K::Edit, "EDIT", true} : TSkDialogChildChoice{K::None, "", true};
    if (name == "button") return ButtonChoice(style);
    if (name == "combobox") return {K::ComboBox, "COMBOBOX", true};
    if (name == "combolbox") return {K::Edit, "COMBOBOX", true};
    if (name == "comboboxex32") return {K::ComboBox, "COMBOBOX", true};
    if (name == "syslistview32") return {K::ListView, "EDIT"};
    if (name == "listbox") return {K::Edit, "EDIT", true};
    if (name == "link window" || name == "syslink") return {K::Link};
    return {};
}

bool CreateDialogChildAdapters(TSkProvider& provider, HWND wnd) {
    if (!wnd) return false;
    if (IsSkinnedWindow(wnd)) return true;
    std::string name = GetWndClassName(wnd);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    const LONG_PTR style = ::GetWindowLongPtrW(wnd, GWL_STYLE);
    const LONG_PTR exStyle = ::GetWindowLongPtrW(wnd, GWL_EXSTYLE);
    const TSkDialogChildChoice choice = ChooseDialogChildAdapter(name, style, exStyle, ::IsWindowVisible(wnd) != 0);
    if (choice.ClearsSkipClientPaint && provider.DialogAdapter) provider.DialogAdapter->SkipClientPaint = false;
    if (choice.Kind == K::None) return true;

    TSkinManager* manager = DefaultManager();
    adapters::TSkSkinParams params;
    params.SkinSection = choice.Section;
    params.UseSkinColor = false;
    params.UseSkinFontColor = false;
    adapters::AdaptingDialogChildren = true;
    adapters::TSkAdapterPtr<adapters::TSkMainWnd> adapter;
    using adapters::TSkMainWnd;
    switch (choice.Kind) {
        case K::Static: adapter = TSkMainWnd::Create<adapters::TSkStaticWnd>(wnd, nullptr, manager, params); break;
        case K::Icon: adapter = TSkMainWnd::Create<adapters::TSkIconWnd>(wnd, nullptr, manager, params); break;
        case K::Edge: adapter = TSkMainWnd::Create<adapters::TSkEdgeWnd>(wnd, nullptr, manager, params); break;
        case K::Link: adapter = TSkMainWnd::Create<adapters::TSkLinkWnd>(wnd, nullptr, manager, params); break;
        case K::Edit: adapter = TSkMainWnd::Create<adapters::TSkEditWnd>(wnd, nullptr, manager, params); break;
        case K::Button: adapter = TSkMainWnd::Create<adapters::TSkBtnWnd>(wnd, nullptr, manager, params); break;
        case K::CheckBox: adapter = TSkMainWnd::Create<adapters::TSkCheckBoxWnd>(wnd, nullptr, manager, params); break;
        case K::GroupBox: adapter = TSkMainWnd::Create<adapters::TSkGroupBoxWnd>(wnd, nullptr, manager, params); break;
        case K::ComboBox: adapter = TSkMainWnd::Create<adapters::TSkComboBoxWnd>(wnd, nullptr, manager, params); break;
        case K::ListView: adapter = TSkMainWnd::Create<adapters::TSkListViewWnd>(wnd, nullptr, manager, params); break;
        case K::None: break;
    }
    adapters::AdaptingDialogChildren = false;
    if (adapter) provider.ChildAdapters.push_back(std::move(adapter));
    return true;
}

}  // namespace ad::skin::forms
