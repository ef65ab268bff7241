// The adapters of a standard dialog's child windows, chosen by window class
// (compared in lower case) and, for statics and buttons, by style.
#pragma once

#include <windows.h>

#include <string>

namespace ad::skin::forms {

class TSkProvider;

// The adapter a dialog child gets.
enum class TSkDialogChildKind {
    None, Static, Icon, Edge, Link, Edit, Button, CheckBox, GroupBox, ComboBox, ListView,
};

struct TSkDialogChildChoice {
    TSkDialogChildKind Kind = TSkDialogChildKind::None;
    const char* Section = "";           // empty: the adapter's own
    bool ClearsSkipClientPaint = false; // the dialog paints its own client then
};

// The choice for a child of the class (lower case) with these styles.
TSkDialogChildChoice ChooseDialogChildAdapter(const std::string& lowerClassName, LONG_PTR style, LONG_PTR exStyle,
                                              bool visible);

// Gives one child of the provider's dialog its adapter (kept in the
// provider's list); false only for no window.
bool CreateDialogChildAdapters(TSkProvider& provider, HWND wnd);

}  // namespace ad::skin::forms
