// The manager's (or a provider's) 23 lists of class names, one per adapter
// kind, that say which controls of a form get a window adapter, and the one
// lookup from a class name to the first kind whose list names it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace ad::skin {

// The adapter kinds, in the order of the lists.
enum TSkAdapterKind : int {
    akEdit, akButton, akBitBtn, akCheckBox, akComboBox, akGrid, akGroupBox, akListView, akPanel, akTreeView,
    akWWEdit, akGridEh, akVirtualTree, akPageControl, akTabControl, akToolBar, akStatusBar, akSpeedButton,
    akScrollControl, akUpDown, akScrollBar, akStaticText, akNativePaint
};
constexpr int kAdapterKindCount = 23;

// The list property of each kind ("ThirdEdits", ...).
extern const std::array<const char*, kAdapterKindCount> kThirdPartyListNames;

// The lists as texts of names, one a line (blank lines and surrounding
// blanks ignored; names compare case-sensitively). A kind with several lists
// naming a class: the first list wins.
class TSkThirdPartyList {
public:
    // The defaults: only ThirdButtons names a class ("TButton").
    TSkThirdPartyList();
    // Lists that name nothing (a form's own lists until it is given some).
    static TSkThirdPartyList None();

    const std::string& Text(TSkAdapterKind kind) const { return texts_[size_t(kind)]; }
    void SetText(TSkAdapterKind kind, std::string text);
    // True when any list names a class.
    bool HasAny() const;
    // The kind of the first list naming the class, none when no list does.
    std::optional<TSkAdapterKind> KindOf(std::string_view className) const;

private:
    void Rebuild() const;
    std::array<std::string, kAdapterKindCount> texts_;
    mutable std::unordered_map<std::string, TSkAdapterKind> lookup_;
    mutable bool dirty_ = true;
};

}  // namespace ad::skin
