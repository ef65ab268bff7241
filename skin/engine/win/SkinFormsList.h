// The process-wide list of forms that carry a skin provider, and the
// broadcasts of the private skin message that reach every skinned window
// through it: to the application's forms and their children, and to the
// listed forms. Also the freezing of forms while a skin changes under an
// animation (drawing off, back on however the change ends).
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "framework/Forms.h"

namespace ad::skin {

void AddSkinnedForm(TForm* form);
// Takes every entry of form out of the list (nothing for an unlisted form).
void RemoveSkinnedForm(TForm* form);
const std::vector<TForm*>& SkinnedForms();

// For every listed form that is visible, top-level, not minimised and has a
// window, and whose provider answers SKC_GETPROVIDER: proc(form, provider).
void ForEachSkinnedForm(const std::function<void(TForm* form, LRESULT provider)>& proc);

// The message to the application's forms from the last to the first (those
// not being destroyed and not skinned themselves) and their children, then
// to the listed forms. Forms freed by a handler on the way are not visited.
void BroadcastToForms(TMessage& m);
// The message to every listed form not being destroyed and its children.
void BroadcastToSkinnedForms(TMessage& m);

// Drawing of the listed visible forms held back (WM_SETREDRAW 0) for a skin
// change, and given back with a full redraw when the scope ends, whatever
// way it ends. Nothing is frozen while the application is minimised or when
// the change is not animated.
class TSkinChangeFreeze {
public:
    explicit TSkinChangeFreeze(bool animated);
    ~TSkinChangeFreeze();
    TSkinChangeFreeze(const TSkinChangeFreeze&) = delete;
    TSkinChangeFreeze& operator=(const TSkinChangeFreeze&) = delete;
    const std::vector<HWND>& Frozen() const { return frozen_; }

private:
    std::vector<HWND> frozen_;
};

}  // namespace ad::skin
