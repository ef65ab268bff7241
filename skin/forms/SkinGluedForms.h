// The process's list of glued forms: each pair names a form that moves with
// its master form and its place relative to the master. A form that goes
// away takes every pair it belongs to with it.
#pragma once

#include <vector>

#include "framework/Forms.h"

namespace ad::skin::forms {

struct TSkGluedPair {
    TComponentLink<TForm> Glued;
    TComponentLink<TForm> Master;
    int OffsetX = 0, OffsetY = 0;  // the glued form's position relative to the master's
};

// The pairs (pairs whose forms are gone are dropped on every read).
std::vector<TSkGluedPair>& GluedPairs();
// Adds the pair, or updates the offsets of the one already there.
void GlueForm(TForm* glued, TForm* master, int offsetX, int offsetY);
// Removes every pair whose glued form is form (a form the user moves itself).
void UnglueForm(TForm* form);
// Removes every pair form is part of, as glued form or as master (a form being destroyed).
void ForgetGluedForm(TForm* form);

}  // namespace ad::skin::forms
