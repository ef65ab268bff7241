// The form branch of the window-creation hook: every form of the program gets
// its skin provider at its first activation (never at creation, when the
// window is not yet known as a form), unless it opts out with Tag bit 0x100,
// its class is one of the excluded popup classes (compared case-sensitively),
// or the default manager's skinning rules leave its kind out. The framework's
// own worker and tray windows are no forms and are never given one.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <vector>

#include "framework/Component.h"
#include "skin/adapters/SkMainWnd.h"
#include "framework/Forms.h"
#include "skin/engine/win/SkinEngineLinks.h"
#include "skin/forms/SkDialogWnd.h"

namespace ad::skin::forms {

class TSkinProvider;

// Skinned dialogs visible at once before a further one is refused (unless it
// holds a native tool bar).
inline constexpr int kMaxVisibleDialogs = 2;

// The form classes that never get a provider.
inline constexpr std::array<const char*, 7> kExcludedFormClasses{
    "TApplication",         "TfcPopup",         "TcxComboBoxPopupWindow", "TcxCustomPopupWindow",
    "TdxPopupEditForm",     "TcxDateEditPopupWindow", "TcxGridFilterPopup"};
// Equal (case-sensitively) to an excluded class name.
bool IsExcludedFormClass(const char* className);

// The object that skins one window: for a form it makes the form's run-time
// provider (which stays with the form) and goes at the next purge; for a
// standard dialog it holds the dialog's adapter and its children's adapters
// for as long as the dialog lives.
class TSkProvider : public TComponent {
public:
    explicit TSkProvider(TComponent* owner);
    ~TSkProvider() override;
    void InitForForm(TForm* form);
    // Subclasses the dialog; false when it could not be skinned.
    bool InitForDialog(HWND wnd);
    // Adapts every child window of wnd, depth first; false at the first failure.
    bool AdaptChildren(HWND wnd);
    // The dialog's children are made before it shows, after the dialog
    // itself: they are adapted once, at its first show or activation.
    void AdaptChildrenOnce();
    bool ChildrenAdapted() const { return childrenAdapted_; }

    HWND Wnd = nullptr;
    TSkinProvider* SkinProvider = nullptr;  // the form's; not owned
    adapters::TSkAdapterPtr<TSkDialogWnd> DialogAdapter;
    std::vector<adapters::TSkAdapterPtr<adapters::TSkMainWnd>> ChildAdapters;

private:
    bool childrenAdapted_ = false;
};

// The WH_CBT hook's work (the engine calls it after the next hook answered).
void SkinHookProc(int code, WPARAM wParam, LPARAM lParam);
// Gives a top-level window its skinning; false when refused.
bool AttachProviderToWindow(HWND wnd);
// Frees the providers in the list that have done their work.
void PurgeProviderList();
// Frees every provider and the list (the hooks came off).
void FreeProviderList();
TSkProvider* FindProvider(HWND wnd);
// The framework form behind the window (not one being destroyed), or null.
TForm* FindFormByHandle(HWND wnd);
// Live entries of the list (leak checks).
int ProviderListCount();
// Visible skinned dialogs (after a purge).
int CountVisibleSkinnedDialogs();
// A descendant window of wnd has the class name (lower case).
bool HasDescendantOfClass(HWND wnd, const char* lowerName);
// Makes the dialog's adapter with an active default manager, drops it without.
void UpdateDialogAdapter(HWND wnd, adapters::TSkAdapterPtr<TSkDialogWnd>& adapter);

// The form skinning's engine links: the creation hook and the clean-up when
// the hooks come off. The program adds its other links and installs them.
void AddFormSkinningLinks(TSkinEngineLinks& links);

}  // namespace ad::skin::forms
