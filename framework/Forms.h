// Forms and the application object. A form is described in code: its
// constructor builds its components and binds their events. Secondary windows
// are created on demand and shown modally; the application runs the message
// loop (with dialog keys) and is the one place where exceptions caught at a
// callback boundary are shown.
#pragma once

#include <windows.h>

#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "base/Geometry.h"
#include "framework/Controls.h"
#include "base/Exception.h"
#include "framework/ExceptionBarrier.h"
#include "framework/UtilityWindow.h"

namespace ad {

constexpr int mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY,
              mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO, mrClose = 8;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum class TPosition { poDesigned, poScreenCenter, poMainFormCenter, poOwnerFormCenter };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
// fsStayOnTop keeps the form above other windows; the MDI styles are stored
// for the layers that read them (no MDI frame or child windows are made).
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TButton;
class TMainMenu;

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* AOwner);
    ~TForm() override;

    // Shows the form modally: other windows of the application are disabled
    // until ModalResult becomes non-zero or the form closes. Returns ModalResult.
    int ShowModal();
    bool Modal() const { return modal_; }
    void Close();
    // Frees the form once the current message is done. Releasing again before
    // then changes nothing; deleting the form first cancels the release.
    void Release();
    void SetVisible(bool visible) override;
    // Shows the form like SetVisible(true) but leaves the active window and
    // the foreground alone (overlays over another form).
    void ShowNoActivate();
    void SetClientSize(int width, int height) override;

    TWindowState WindowState();
    void SetWindowState(TWindowState state);
    void SetIcon(OwnedIcon&& icon);  // the form keeps it
    void SetIcon(IconRef icon);      // borrowed: the caller keeps it alive

    int ModalResult = mrNone;
    bool KeyPreview = false;
    TFormBorderStyle BorderStyle = TFormBorderStyle::bsSizeable;
    TBorderIcons BorderIcons = biSystemMenu | biMinimize | biMaximize;
    TPosition Position = TPosition::poDesigned;

    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);
    // The whole window at a constant opacity (a layered window) while on.
    bool AlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlend(bool on);
    BYTE AlphaBlendValue() const { return alphaBlendValue_; }
    void SetAlphaBlendValue(BYTE value);
    // The menu bar shown under the caption (null: none); its items' clicks
    // come through WM_COMMAND. The form does not own it.
    TMainMenu* Menu() const;
    void SetMenu(TMainMenu* menu);

    // The buttons that Enter and Esc press (see TButton::Default and Cancel).
    TButton* DefaultButton();
    TButton* CancelButton();

    TNotifyEvent OnCreate;  // fired by CreateForm / DoCreate after the constructor; an
                            // exception from it goes to the error box, the form stays
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    void DoCreate();
    // Handles the dialog keys of a keyboard message for a window of this form
    // (default and cancel buttons, Tab and arrow navigation, mnemonics).
    bool IsDialogKey(MSG& msg);

    TCanvas Canvas;  // valid during OnPaint

protected:
    void CreateParams(TCreateParams& params) override;
    void AfterCreateWnd() override;
    void BeforeDestroyWnd() override;
    // Key preview: the form's key events see its controls' keys first; a modal
    // form with key preview closes on an Esc that nothing took.
    bool PreviewKeyDown(TWinControl* target, WORD& key, TShiftState shift) override;
    bool PreviewKeyPress(TWinControl* target, wchar_t& key) override;
    void PreviewKeyUp(TWinControl* target, WORD& key, TShiftState shift) override;
    bool UnhandledKeyDown(TWinControl* target, WORD& key, TShiftState shift) override;
    void WndProc(TMessage& m) override;
    bool PaintsItself() const override { return true; }
    void Paint(HDC dc, const RECT& clip) override;
    bool CloseQuery();

private:
    void DoClose(TCloseAction& action);
    void CenterOn(HWND other);
    void ApplyIcon();
    void ApplyAlphaBlend();
    void ApplyMenu();
    void ShowForm(bool activate);

    TFormStyle formStyle_ = TFormStyle::fsNormal;
    TComponentLink<TMainMenu> menu_;
    bool alphaBlend_ = false;
    BYTE alphaBlendValue_ = 255;
    bool modal_ = false;
    bool shownOnce_ = false;
    HeldIcon icon_;
};

// The form a control sits on (the control itself for a form), or null.
TForm* GetParentForm(TWinControl* control);

// Creates a form and fires its OnCreate, like the class library's form factory.
template <class T, class... Args>
T* CreateForm(TComponent* owner, Args&&... args) {
    auto* f = new T(owner, std::forward<Args>(args)...);
    f->DoCreate();
    return f;
}

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception_ptr& E)>;

// CM_HINTSHOW (framework/Messages.h): the application sends it (Perform) to a
// control whose hint is about to show; lParam points to the THintInfo, which
// the control may change. A non-zero result keeps the hint from showing.

// A window that shows the application's hints (made by a THintWindowClass).
class TAppHintWindow {
public:
    virtual ~TAppHintWindow() = default;
    // The window rectangle, at (0, 0), the hint needs when lines wrap at MaxWidth.
    virtual TRect CalcHintRect(int MaxWidth, const std::string& AHint, void* AData) = 0;
    // Shows the hint at Rect (screen coordinates) without activating the window.
    virtual void ActivateHintData(const TRect& Rect, const std::string& AHint, void* AData) = 0;
    // Hides the hint.
    virtual void ReleaseHint() = 0;
    virtual HWND WindowHandle() = 0;
};
// Makes a hint window; two hints with the same class share one window.
using THintWindowClass = std::unique_ptr<TAppHintWindow> (*)();

struct THintInfo {
    TWinControl* HintControl = nullptr;
    THintWindowClass HintWindowClass = nullptr;
    TPoint HintPos;  // screen position of the window's top left corner
    int HintMaxWidth = 0;
    std::string HintStr;
    void* HintData = nullptr;
};

using TShowHintEvent = std::function<void(std::string& HintStr, bool& CanShow, THintInfo& HintInfo)>;

// The part of a hint before "|" (all of it when there is none), and the part after.
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    void Initialize();
    // Creates the main form (the first form created becomes the main form).
    template <class T>
    T* CreateForm() {
        T* f = ad::CreateForm<T>(this);
        if (!MainForm) MainForm = f;
        return f;
    }
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    void ProcessMessages();
    void HandleMessage();  // waits for one message and processes it
    bool ProcessMessage(MSG& msg);  // false for WM_QUIT
    void Minimize();
    void Restore();

    // The standard error box: shows E's message (or hands it to OnException).
    // From another thread the exception is posted to the GUI thread.
    void HandleException(std::exception_ptr e);
    void ShowException(const std::exception_ptr& e);
    static std::string ExceptionMessage(const std::exception_ptr& e);
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);

    HWND Handle() const { return utility_ ? utility_->Handle() : nullptr; }
    // A hidden top-level window (made on first use) that owns top-level
    // overlays: Handle() is message-only and cannot own windows. Owned windows
    // stay out of the taskbar and go with the application.
    HWND OverlayOwner();
    DWORD MainThreadId() const { return mainThreadId_; }

    std::string Title;
    IconRef Icon;  // shared (a loaded resource icon): borrowed
    TForm* MainForm = nullptr;
    TExceptionEvent OnException;
    // Stand-ins for the modal boxes (message box, input box), used by tests;
    // when unset, the real boxes show.
    std::function<int(const std::string& text, const std::string& caption, UINT flags)> OnMessageBox;
    std::function<bool(const std::string& caption, const std::string& prompt, std::string& value)> OnInputQuery;
    // Sees every message taken from the queue before it is dispatched; setting
    // Handled keeps it from being dispatched.
    std::function<void(MSG& Msg, bool& Handled)> OnMessage;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    // Hints: when the mouse rests HintPause ms on a control whose hint (or its
    // nearest parent's) is not empty, the short part shows in a window made by
    // HintWindowClass (none: no hint window shows). Hint holds the long part
    // of the hint of the control under the mouse.
    bool ShowHint = true;
    int HintPause = 500;
    THintWindowClass HintWindowClass = nullptr;
    std::string Hint;
    TShowHintEvent OnShowHint;
    // Shows the hint of Control now, for the mouse at CursorPos (screen).
    void ActivateHint(TWinControl* Control, POINT CursorPos);
    void CancelHint();
    // The control the mouse last moved over (null when it is gone).
    TWinControl* MouseControl() const { return hintWnd_ ? TWinControl::FromHandle(hintWnd_) : nullptr; }
    // The window showing hints, or null before the first hint.
    TAppHintWindow* HintWindow() const { return hintWindow_.get(); }

    // Replaces how OpenURL opens an address (tests record it instead of starting a browser).
    std::function<void(const std::string& url)> OnOpenURL;

private:
    friend class TForm;
    bool HandleUtilityMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Forms released and not yet freed: the posted message frees only a form
    // still found here, so one deleted or released twice meanwhile is safe.
    void ScheduleRelease(TForm* form);
    void CancelRelease(TForm* form) noexcept;

    void TrackHintMouse(const MSG& msg);

    HWND hintWnd_ = nullptr;  // the window under the mouse (a control may die meanwhile)
    std::unique_ptr<TAppHintWindow> hintWindow_;
    THintWindowClass hintWindowClass_ = nullptr;
    bool terminated_ = false;
    bool oleInitialized_ = false;
    DWORD mainThreadId_;
    std::unique_ptr<TUtilityWindow> utility_;
    std::unique_ptr<TUtilityWindow> overlayOwner_;
    std::vector<TForm*> releasing_;
    std::mutex pendingLock_;
    std::deque<std::exception_ptr> pending_;
    CallbackExceptionSink previousSink_ = nullptr;
};

// The application object (the class library's global).
extern TApplication* Application;

// Opens an address in the user's browser: the shell's "open" with SW_SHOW, or the
// application's OnOpenURL when one is set. False when the shell could not open it.
bool OpenURL(const std::string& url);

}  // namespace ad
