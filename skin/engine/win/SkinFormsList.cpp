// The skinned-forms list, the form broadcasts and the skin-change freeze.
#include "skin/engine/win/SkinFormsList.h"

#include <algorithm>

#include "skin/engine/win/SkinMessaging.h"

namespace ad::skin {

namespace {

std::vector<TForm*>& List() {
    static std::vector<TForm*> forms;
    return forms;
}

bool Listed(TForm* form) { return std::find(List().begin(), List().end(), form) != List().end(); }

// Whether the form is still known: among the application's components or listed.
bool StillThere(TForm* form) {
    if (Listed(form)) return true;
    if (!Application) return false;
    for (int i = 0; i < Application->ComponentCount(); ++i)
        if (Application->Components(i) == form) return true;
    return false;
}

void SendToFormAndChildren(TForm* form, TMessage& m) {
    if (!form->HandleAllocated()) return;
    ::SendMessageW(form->Handle(), m.Msg, m.WParam, m.LParam);
    // A handler may have freed the form meanwhile: only a form still known goes on.
    if (StillThere(form) && !form->Destroying()) BroadcastToChildren(form, m);
}

bool ApplicationMinimized() {
    return Application && Application->MainForm && Application->MainForm->HandleAllocated() &&
           ::IsIconic(Application->MainForm->Handle());
}

}  // namespace

void AddSkinnedForm(TForm* form) {
    if (form) List().push_back(form);
}

void RemoveSkinnedForm(TForm* form) {
    // Every entry goes (a form listed twice must not stay behind once freed).
    std::erase(List(), form);
}

const std::vector<TForm*>& SkinnedForms() { return List(); }

void ForEachSkinnedForm(const std::function<void(TForm* form, LRESULT provider)>& proc) {
    const std::vector<TForm*> forms = List();  // handlers may change the list
    for (TForm* form : forms) {
        if (!Listed(form) || form->Destroying() || !form->HandleAllocated()) continue;
        const HWND wnd = form->Handle();
        if (!::IsWindowVisible(wnd) || ::IsIconic(wnd) || (::GetWindowLongPtrW(wnd, GWL_STYLE) & WS_CHILD)) continue;
        if (const LRESULT provider = SendSkinCommand(wnd, SKC_GETPROVIDER)) proc(form, provider);
    }
}

void BroadcastToForms(TMessage& m) {
    if (Application) {
        // Last to first; the count is read again at every step, because a
        // handler may free forms (and so shrink the list under the walk).
        // Forms move down when earlier ones go: each is visited once.
        std::vector<TForm*> visited;
        for (int i = Application->ComponentCount() - 1; i >= 0; --i) {
            if (i >= Application->ComponentCount()) continue;
            auto* form = dynamic_cast<TForm*>(Application->Components(i));
            if (!form || form->Destroying() || !form->HandleAllocated() || Listed(form)) continue;
            if (std::find(visited.begin(), visited.end(), form) != visited.end()) continue;
            visited.push_back(form);
            if (IsSkinnedWindow(form->Handle())) continue;
            SendToFormAndChildren(form, m);
        }
    }
    BroadcastToSkinnedForms(m);
}

void BroadcastToSkinnedForms(TMessage& m) {
    const std::vector<TForm*> forms = List();
    for (TForm* form : forms)
        if (Listed(form) && !form->Destroying()) SendToFormAndChildren(form, m);
}

TSkinChangeFreeze::TSkinChangeFreeze(bool animated) {
    if (!animated || ApplicationMinimized()) return;
    for (TForm* form : List()) {
        if (form->Destroying() || !form->HandleAllocated() || !::IsWindowVisible(form->Handle())) continue;
        SetWindowRedraw(form->Handle(), false);
        frozen_.push_back(form->Handle());
    }
}

TSkinChangeFreeze::~TSkinChangeFreeze() {
    for (HWND wnd : frozen_) {
        if (!::IsWindow(wnd)) continue;
        SetWindowRedraw(wnd, true);
        ::RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

}  // namespace ad::skin
