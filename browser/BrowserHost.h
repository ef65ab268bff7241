// TBrowserHost: the browser host control a form places. Over TCustomBrowserHost
// it adds HTML given as a string list (HTMLCode), navigation with a busy wait,
// the user agent, the option objects, the rules for the browser's own dialog
// boxes, arrow keys in folder views, and the focus hand-back through the focus
// control. Under Wine without its HTML engine, pages do not render: the
// control is made and embedded, but navigation has no document to show.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "browser/BhCore.h"
#include "browser/BhHooks.h"
#include "browser/BhOptions.h"
#include "framework/Forms.h"
#include "framework/StringList.h"
#include "framework/WindowSubclass.h"

namespace ad::browser {

// What the dialog-box rules do to one window that becomes active.
struct TDialogRuleResult {
    bool Qualifies = false;
    bool Close = false;          // posted WM_CLOSE
    bool SetIcon = false;        // the application's small icon
    bool CaptionChanged = false;
    std::wstring Caption;        // the new caption when changed
};
// The rules for a window of class className and caption, with its extended
// style, that this host's form or browser owns (ownedByHost); windows that
// belong to anyone else never qualify.
TDialogRuleResult DecideDialogRules(const std::wstring& className, const std::wstring& caption, DWORD exStyle,
                                    bool ownedByHost, const TDialogBoxes& dialogs, const TDisableErrors& errors);
// Removes the first "Microsoft " and replaces the first "Internet Explorer".
std::wstring ReplaceBrowserCaption(std::wstring caption, const std::wstring& newCaption);

class TBrowserHost : public TCustomBrowserHost, public TBhFocusTarget {
public:
    explicit TBrowserHost(TComponent* AOwner);
    ~TBrowserHost() override;

    // Run-time set-up once the properties are set (what loading a form does):
    // measurement system, script-error and FPU settings, the parent-form hook,
    // the proxy, the click sound, and the first HTMLCode load.
    void Loaded();

    // --- options ---
    std::string About() const { return about_; }
    void SetAbout(const std::string&) {}
    std::wstring HostCSS;
    std::wstring HostNS;
    bool EnableMessageHandler = true;
    TIEPopupMenuItems DisabledPopupMenuItems;
    TDisableErrors DisableErrors;
    TDialogBoxes DialogBoxes;
    TPrintOptions PrintOptions;
    TProxySettings ProxySettings;
    TVisualEffects VisualEffects;
    int MeasurementSystem() const { return measurement_; }

    TStringList& HTMLCode() { return htmlCode_; }
    void SetHTMLCode(const TStrings* lines);  // copies; null changes nothing
    // Loads HTMLCode: a single address line is navigated to, anything else is
    // loaded into the document. 0 on success, 1 when saving or loading failed.
    int LoadHTMLCode();

    bool Silent();
    void SetSilent(bool value);
    bool RegisterAsDropTarget();
    void SetRegisterAsDropTarget(bool value);
    bool RegisterAsBrowser();
    void SetRegisterAsBrowser(bool value);
    bool HostVisible() const { return hostVisible_; }
    void SetHostVisible(bool value);

    std::string UserAgent() const { return userAgent_; }
    void SetUserAgent(const std::string& value);
    TUserAgentMode UserAgentMode() const { return userAgentMode_; }
    void SetUserAgentMode(TUserAgentMode value);

    // --- navigation ---
    // An existing directory is navigated as "file:///" + path; an empty address
    // does nothing. With waitMs (or -1 for no limit) the busy wait follows.
    void Navigate(const std::string& address, int waitMs = 0);
    // Waits until the browser's ReadyState is complete; false when it stopped
    // early (time-out in ms when not 0, Cancel, StopWaiting, termination).
    bool BusyWait(DWORD timeoutMs);
    void StopWaiting() { stopRequested_ = true; }

    // The arrow keys in a folder view: true when the key was taken.
    bool FolderViewKey(WORD key, TShiftState shift);
    // Applies the dialog-box rules to a window that is becoming active.
    void ApplyDialogRules(HWND dialog);

    // --- events ---
    TCloseQueryEvent OnCloseQuery;
    std::function<void(TObject*, TMessage& Msg, bool& Handled)> OnMessage;
    std::function<void(TObject*, DWORD StyleEx, const std::wstring& OldCaption, std::wstring& NewCaption,
                       bool& Cancel)>
        OnShowDialog;
    std::function<void(TObject*, DWORD AStartTime, DWORD& TimeOut, bool& Cancel)> OnBusyWait;
    TNotifyEvent OnVisible;
    std::function<void(TObject*, WORD& Key, WORD ScanCode, TShiftState Shift, bool& Handled)> OnKeyDown;
    std::function<void(TObject*, WORD& Key, WORD ScanCode, TShiftState Shift)> OnKeyUp;
    std::function<void(TObject*, TMouseButton Button, TShiftState Shift, int X, int Y)> OnClick;
    std::function<void(TObject*, TStrings& HTMLCode, bool& Handled)> OnHTMLCodeChange;

    // TBhFocusTarget
    TWinControl* FocusTargetControl() override { return this; }
    bool IsActiveControlOf(TWinControl* form) override;

    // The answers the browser host adds.
    bool MenuFilterWanted() override;
    void FilterMenu(DWORD id, HMENU menu, IUnknown* context) override;
    void CompleteHostInfo(DOCHOSTUIINFO& info) override;

protected:
    void WndProc(TMessage& m) override;
    void AfterCreateWnd() override;
    void DocumentActivated() override;

private:
    void TakeFocusBack();
    void FocusLeft(HWND newFocus);
    void ApplyUserAgentMode();
    void InstallChildHooks();
    bool ChildMessage(TMessage& m);
    void HookParentForm();

    std::string about_;
    TStringList htmlCode_;
    bool hostVisible_ = true;
    std::string userAgent_;
    std::string appliedAgent_;   // the agent the current mode was applied for
    std::string registryAgent_;  // the agent whose registry token we wrote
    TUserAgentMode userAgentMode_ = TUserAgentMode::uaDefault;
    int measurement_ = 2;
    bool silent_ = true;
    bool registerAsDropTarget_ = true;
    bool registerAsBrowser_ = false;
    bool childHooksDead_ = false;
    bool activating_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    ComPtr<IInternetSecurityManager> securityManager_;
    ComPtr<IInternetZoneManager> zoneManager_;
    bool loaded_ = false;
    bool waiting_ = false;
    bool stopRequested_ = false;
    bool activeControl_ = false;
    std::vector<std::unique_ptr<TWindowSubclass>> childHooks_;
    std::unique_ptr<TWindowSubclass> formHook_;
};

}  // namespace ad::browser
