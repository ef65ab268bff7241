// The glued-forms list.
#include "skin/forms/SkinGluedForms.h"

#include <algorithm>

namespace ad::skin::forms {

std::vector<TSkGluedPair>& GluedPairs() {
    static std::vector<TSkGluedPair> pairs;
    std::erase_if(pairs, [](const TSkGluedPair& p) { return !p.Glued.Get() || !p.Master.Get(); });
    return pairs;
}

void GlueForm(TForm* glued, TForm* master, int offsetX, int offsetY) {
    if (!glued || !master || glued == master) return;
    auto& pairs = GluedPairs();
    for (TSkGluedPair& p : pairs)
        if (p.Glued.Get() == glued && p.Master.Get() == master) {
            p.OffsetX = offsetX;
            p.OffsetY = offsetY;
            return;
        }
    pairs.push_back({glued, master, offsetX, offsetY});
}

void UnglueForm(TForm* form) {
    std::erase_if(GluedPairs(), [form](const TSkGluedPair& p) { return p.Glued.Get() == form; });
}

void ForgetGluedForm(TForm* form) {
    std::erase_if(GluedPairs(), [form](const TSkGluedPair& p) { return p.Glued.Get() == form || p.Master.Get() == form; });
}

}  // namespace ad::skin::forms
