// The class-name lists of the window adapters and their lookup.
#include "skin/engine/skinfile/SkinThirdParty.h"

namespace ad::skin {

const std::array<const char*, kAdapterKindCount> kThirdPartyListNames = {
    "ThirdEdits",       "ThirdButtons",       "ThirdBitBtns",     "ThirdCheckBoxes",   "ThirdComboBoxes",
    "ThirdGrids",       "ThirdGroupBoxes",    "ThirdListViews",   "ThirdPanels",       "ThirdTreeViews",
    "ThirdWWEdits",     "ThirdGridEh",        "ThirdVirtualTrees", "ThirdPageControl", "ThirdTabControl",
    "ThirdToolBar",     "ThirdStatusBar",     "ThirdSpeedButton", "ThirdScrollControl", "ThirdUpDown",
    "ThirdScrollBar",   "ThirdStaticText",    "ThirdNativePaint"};

TSkThirdPartyList::TSkThirdPartyList() {
    texts_.fill(" ");
    texts_[akButton] = "TButton";
}

TSkThirdPartyList TSkThirdPartyList::None() {
    TSkThirdPartyList lists;
    lists.texts_.fill(std::string());
    lists.dirty_ = true;
    return lists;
}

void TSkThirdPartyList::SetText(TSkAdapterKind kind, std::string text) {
    texts_[size_t(kind)] = std::move(text);
    dirty_ = true;
}

bool TSkThirdPartyList::HasAny() const {
    Rebuild();
    return !lookup_.empty();
}

std::optional<TSkAdapterKind> TSkThirdPartyList::KindOf(std::string_view className) const {
    Rebuild();
    const auto it = lookup_.find(std::string(className));
    if (it == lookup_.end()) return std::nullopt;
    return it->second;
}

void TSkThirdPartyList::Rebuild() const {
    if (!dirty_) return;
    lookup_.clear();
    for (int kind = 0; kind < kAdapterKindCount; ++kind) {
        const std::string& text = texts_[size_t(kind)];
        size_t start = 0;
        while (start <= text.size()) {
            size_t end = text.find_first_of("\r\n", start);
            if (end == std::string::npos) end = text.size();
            std::string_view line(text.data() + start, end - start);
            const size_t first = line.find_first_not_of(" \t");
            if (first != std::string_view::npos) {
                line = line.substr(first, line.find_last_not_of(" \t") - first + 1);
                // The first list naming a class keeps it.
                lookup_.emplace(std::string(line), TSkAdapterKind(kind));
            }
            start = end + 1;
        }
    }
    dirty_ = false;
}

}  // namespace ad::skin
