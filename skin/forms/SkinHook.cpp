// The form branch of the window-creation hook and the transient providers it
// keeps until the next activation.
#include "skin/forms/SkinHook.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "skin/engine/win/SkinDwm.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/engine/win/SkinMessaging.h"
#include "skin/engine/win/SkinWindowAnimation.h"
#include "skin/adapters/SkAdapterUnit.h"
#include "skin/engine/skinfile/SkinMessages.h"
#include "skin/forms/SkDialogChildren.h"
#include "skin/forms/SkGlowEffect.h"
#include "skin/forms/SkGlowForm.h"
#include "skin/forms/SkMnuWnd.h"
#include "skin/forms/SkinMenus.h"
#include "skin/forms/SkinProvider.h"

namespace ad::skin::forms {

namespace {

// The transient providers; entries are null after a provider took itself out.
std::unique_ptr<std::vector<TSkProvider*>>& ProviderList() {
    static std::unique_ptr<std::vector<TSkProvider*>> list;
    return list;
}

constexpr WORD kDialogAtom = 0x8002;
constexpr WORD kPopupMenuAtom = 0x8000;
constexpr char kUtilityWindowClass[] = "TPUtilWindow";
constexpr char kDialogClass[] = "#32770";
constexpr char kHostClass[] = "NativeHWNDHost";

bool ApplicationGone() { return !Application || Application->Destroying(); }

void FreeAllProviders() {
    auto& list = ProviderList();
    if (!list) return;
    while (!list->empty()) {
        TSkProvider* entry = list->front();
        list->erase(list->begin());
        delete entry;
    }
}

// A standard dialog without owner gets its provider when the rules, the
// count of visible skinned dialogs and the program let it.
bool AttachProviderToDialog(HWND wnd, const std::string& className) {
    if (className != kDialogClass && className != kHostClass) return true;
    if (::GetParent(wnd)) return true;
    TSkinManager* manager = DefaultManager();
    if (!(manager->SkinningRules & srStdDialogs)) return false;
    if (CountVisibleSkinnedDialogs() >= kMaxVisibleDialogs && !HasDescendantOfClass(wnd, "toolbarwindow32"))
        return false;
    bool allow = true;
    if (manager->OnSysDlgInit) manager->OnSysDlgInit(wnd, allow);
    if (!allow) return false;
    auto provider = std::make_unique<TSkProvider>(nullptr);
    provider->Wnd = wnd;
    if (!provider->InitForDialog(wnd)) return allow;
    auto& list = ProviderList();
    if (!list) list = std::make_unique<std::vector<TSkProvider*>>();
    list->push_back(provider.release());
    return allow;
}

// The default manager's rules let this kind of form be skinned: message
// forms with the standard dialogs, every other form with the standard forms.
bool RulesAllowForm(const std::string& className) {
    const TSkSkinningRules rules = DefaultManager()->SkinningRules;
    return className == "TMessageForm" ? (rules & srStdDialogs) != 0 : (rules & srStdForms) != 0;
}

}  // namespace

bool IsExcludedFormClass(const char* className) {
    if (!className) return false;
    for (const char* excluded : kExcludedFormClasses)
        if (std::strcmp(excluded, className) == 0) return true;
    return false;
}

TSkProvider::TSkProvider(TComponent* owner) : TComponent(owner) {}

TSkProvider::~TSkProvider() {
    if (auto& list = ProviderList())
        for (TSkProvider*& entry : *list)
            if (entry == this) entry = nullptr;
    ChildAdapters.clear();
    DialogAdapter.reset();
}

void UpdateDialogAdapter(HWND wnd, adapters::TSkAdapterPtr<TSkDialogWnd>& adapter) {
    TSkinManager* manager = DefaultManager();
    const adapters::TSkAdapterFunctions& functions = adapters::AdapterFunctions();
    if (manager && manager->Active()) {
        if (functions.UninitializeFlatSB) functions.UninitializeFlatSB(wnd);
        if (adapter && adapter->Destroyed()) adapter.reset();
        if (!adapter) {
            adapters::TSkSkinParams params;
            params.SkinSection = "DIALOG";
            params.UseSkinColor = false;
            params.UseSkinFontColor = false;
            adapter = adapters::TSkMainWnd::Create<TSkDialogWnd>(wnd, nullptr, manager, params);
        }
    } else {
        if (adapter) adapter.reset();
        if (functions.InitializeFlatSB) functions.InitializeFlatSB(wnd);
    }
}

bool TSkProvider::InitForDialog(HWND wnd) {
    Wnd = wnd;
    ChildAdapters.clear();
    TSkinManager* manager = DefaultManager();
    if (DialogAdapter || !manager || !manager->Active()) return true;
    UpdateDialogAdapter(wnd, DialogAdapter);
    if (!DialogAdapter) return false;
    DialogAdapter->Provider = this;
    // A dialog being made has no children yet: they come at its first show.
    if (::GetWindow(wnd, GW_CHILD)) AdaptChildrenOnce();
    if (!DialogAdapter) return false;
    DialogAdapter->UpdateFromWindow();
    SendSkinCommand(wnd, SKC_SKINLOADED, reinterpret_cast<LPARAM>(manager));
    return true;
}

bool TSkProvider::AdaptChildren(HWND wnd) {
    for (HWND child = ::GetTopWindow(wnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!AdaptChildren(child)) return false;
        if ((::GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) && !CreateDialogChildAdapters(*this, child))
            return false;
    }
    return true;
}

void TSkProvider::AdaptChildrenOnce() {
    if (childrenAdapted_ || !DialogAdapter || DialogAdapter->Destroyed()) return;
    childrenAdapted_ = true;
    if (!AdaptChildren(Wnd)) {
        ChildAdapters.clear();
        return;
    }
    DialogAdapter->UpdateFromWindow();
    ::RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void TSkProvider::InitForForm(TForm* form) {
    SkinProvider = TSkinProvider::CreateRuntime(form);
    SkinProvider->SetUseGlobalColor(false);
    Wnd = form->Handle();
    if (IsCompositionEnabled()) {
        SkinProvider->AfterLoad();
        ::RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ::SendMessageW(Wnd, WM_NCPAINT, 0, 0);
    } else if (!::IsDebuggerPresent()) {
        ::UpdateWindow(Wnd);
        ::RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    }
    SkinProvider->MakeSkinMenu = false;
}

void PurgeProviderList() {
    auto& list = ProviderList();
    if (!list) return;
    // A form's provider has done its work once the form has its own provider;
    // a dialog's once its window went.
    for (size_t i = list->size(); i-- > 0;) {
        TSkProvider* entry = (*list)[i];
        if (entry && entry->DialogAdapter && !entry->DialogAdapter->Destroyed()) continue;
        list->erase(list->begin() + ptrdiff_t(i));
        delete entry;
    }
}

int CountVisibleSkinnedDialogs() {
    PurgeProviderList();
    const auto& list = ProviderList();
    if (!list) return 0;
    int count = 0;
    for (const TSkProvider* entry : *list) {
        if (!entry || entry->SkinProvider) continue;
        HWND wnd = entry->DialogAdapter ? entry->DialogAdapter->WindowHandle() : entry->Wnd;
        if (::IsWindowVisible(wnd)) ++count;
    }
    return count;
}

bool HasDescendantOfClass(HWND wnd, const char* lowerName) {
    for (HWND child = ::GetTopWindow(wnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        std::string name = GetWndClassName(child);
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        if (name == lowerName || HasDescendantOfClass(child, lowerName)) return true;
    }
    return false;
}

void FreeProviderList() {
    FreeAllProviders();
    ProviderList().reset();
}

int ProviderListCount() {
    const auto& list = ProviderList();
    return list ? int(list->size()) : 0;
}

TSkProvider* FindProvider(HWND wnd) {
    const auto& list = ProviderList();
    if (!list || ApplicationGone()) return nullptr;
    for (TSkProvider* entry : *list)
        if (entry && entry->Wnd == wnd) return entry;
    return nullptr;
}

TForm* FindFormByHandle(HWND wnd) {
    auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(wnd));
    return form && !form->Destroying() ? form : nullptr;
}

bool AttachProviderToWindow(HWND wnd) {
    if (!DefaultManager() || ApplicationGone() || !wnd || IsSkinnedWindow(wnd)) return false;
    const std::string className = GetWndClassName(wnd);
    const LONG_PTR style = ::GetWindowLongPtrW(wnd, GWL_STYLE);
    if ((style & (WS_POPUP | WS_BORDER)) == WS_POPUP) return false;
    if (FindProvider(wnd)) return false;
    TForm* form = FindFormByHandle(wnd);
    if (!form) return AttachProviderToDialog(wnd, className);
    if (form->Tag & kNoSkinTag) return false;
    // A form still being built is taken at a later activation.
    if (form->ControlState() & csLoading) return true;
    if (IsExcludedFormClass(className.c_str())) return false;
    if (!RulesAllowForm(className)) return false;
    auto& list = ProviderList();
    if (!list) list = std::make_unique<std::vector<TSkProvider*>>();
    auto* provider = new TSkProvider(form);
    list->push_back(provider);
    provider->InitForForm(form);
    provider->SkinProvider->MakeSkinMenu = false;
    return true;
}

void SkinHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (ApplicationGone()) return;
    // The adapters of popups that closed since are done with.
    PurgeClosedMenuWindowAdapters();
    if (code == HCBT_ACTIVATE) {
        PurgeProviderList();
        HWND wnd = reinterpret_cast<HWND>(wParam);
        // A dialog taken at its creation gets its children's adapters now.
        if (TSkProvider* provider = FindProvider(wnd)) provider->AdaptChildrenOnce();
        AttachProviderToWindow(wnd);
        return;
    }
    if (code != HCBT_CREATEWND || !wParam || !lParam) return;
    HWND wnd = reinterpret_cast<HWND>(wParam);
    const CREATESTRUCTW* cs = reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs;
    if (!cs) return;
    const auto classValue = reinterpret_cast<uintptr_t>(cs->lpszClass);
    if (classValue < 0x10000) {
        if (classValue == kDialogAtom) AttachProviderToWindow(wnd);
        if (classValue == kPopupMenuAtom && DefaultManager() && DefaultManager()->SkinnedPopups())
            AttachMenuWindowAdapter(wnd);
        return;
    }
    const std::string className = GetWndClassName(wnd);
    if (className == kUtilityWindowClass || cs->dwExStyle == 0 || cs->style == 0) return;
    TForm* main = Application->MainForm;
    if (main && (!main->HandleAllocated() || main->Handle() == wnd)) return;
    if (::GetParent(wnd)) return;
    // A form being made is taken at its first activation, when its window is
    // complete: of the windows being made only standard dialogs can be taken.
    if (className != kDialogClass && className != kHostClass) return;
    AttachProviderToWindow(wnd);
}

void AddFormSkinningLinks(TSkinEngineLinks& links) {
    links.CreationHook = SkinHookProc;
    AddMenuSkinningLinks(links);
    links.Glows = GlowServices();
    links.OnHooksRemoved = [previous = links.OnHooksRemoved] {
        FreeMenuWindowAdapters();
        FreeProviderList();
        if (previous) previous();
    };
}

}  // namespace ad::skin::forms
