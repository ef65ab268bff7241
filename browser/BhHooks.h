// The browser host's process-wide focus helpers: a thread mouse hook that
// moves the keyboard focus into the browser under the mouse when the wheel
// turns, and a focus control that gives the focus back to a browser control
// that is the active control of the active form. TBhControl carries both,
// with the URLMON feature switches; TBrowserHostUnit is the browser host's
// start-up and shutdown.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "browser/BhTools.h"
#include "framework/Component.h"
#include "framework/Controls.h"
#include "framework/Handles.h"

namespace ad::browser {

// The message a browser control receives when it should take the focus back;
// wParam is the control the sender meant, which the receiver only compares
// with itself.
inline constexpr UINT WM_BH_REFOCUS = 1092;

// A wheel message about to be handled: the point, the window under it; Skip
// set leaves the message alone.
using TMouseWheelEvent = std::function<void(POINT Point, HWND Window, bool& Skip, const MOUSEHOOKSTRUCT& Hook)>;

// One instance per process, shared by its users: Acquire makes it on first
// use, ReleaseShared frees it when the last user lets go.
template <class T>
class TSharedInstance {
public:
    static T* Acquire() {
        if (!instance_) instance_ = new T();
        ++uses_;
        return instance_;
    }
    static void ReleaseShared() {
        if (uses_ == 0 || --uses_ > 0) return;
        delete instance_;
        instance_ = nullptr;
    }
    static T* Instance() { return instance_; }

private:
    static inline T* instance_ = nullptr;
    static inline int uses_ = 0;
};

// The one WH_MOUSE hook of the GUI thread, shared by every user (counted).
class TBHMouseHook : public TSharedInstance<TBHMouseHook> {
public:

    TMouseWheelEvent OnMouseWheel;
    bool ActiveFormOnly = false;

    // The hook's work for one wheel message: true when it was swallowed (the
    // focus then moved to the window under the point).
    bool HandleWheel(const MOUSEHOOKSTRUCT& hook);
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    HHOOK Hook() const { return hook_.Get(); }

private:
    friend class TSharedInstance<TBHMouseHook>;
    TBHMouseHook();
    ~TBHMouseHook() = default;
    OwnedHook hook_;
};

// A browser control as the focus control sees it.
class TBhFocusTarget {
public:
    virtual ~TBhFocusTarget() = default;
    // The control whose window gets WM_BH_REFOCUS.
    virtual TWinControl* FocusTargetControl() = 0;
    // Whether the control is the active control of form.
    virtual bool IsActiveControlOf(TWinControl* form) = 0;
};

// The one focus helper of the process: watches activation and position changes
// of the thread's windows and posts WM_BH_REFOCUS to the browser control that
// is the active control of the active form but has lost the focus.
class TBHFocusControl : public TSharedInstance<TBHFocusControl> {
public:
    void Register(TBhFocusTarget* target);
    void Unregister(TBhFocusTarget* target);
    // One check: posts WM_BH_REFOCUS when a target needs it; returns that target.
    TBhFocusTarget* Check();

private:
    friend class TSharedInstance<TBHFocusControl>;
    TBHFocusControl();
    ~TBHFocusControl() = default;
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    OwnedHook hook_;
    std::vector<TBhFocusTarget*> targets_;
};

class TMouseWheelFix {
public:
    ~TMouseWheelFix() { SetActive(false); }
    bool Active() const { return hook_ != nullptr; }
    void SetActive(bool value);
    bool ActiveFormOnly = false;
    TMouseWheelEvent OnMouseWheel;  // the wheel handler handed to the hook

private:
    TBHMouseHook* hook_ = nullptr;
};

class TFocusControl {
public:
    ~TFocusControl() { SetActive(false); }
    bool Active() const { return focus_ != nullptr; }
    void SetActive(bool value);

private:
    TBHFocusControl* focus_ = nullptr;
};

class TBhControl : public TComponent {
public:
    explicit TBhControl(TComponent* AOwner);
    ~TBhControl() override;

    TMouseWheelFix& MouseWheelFix() { return mouseWheelFix_; }
    TFocusControl& FocusControl() { return focusControl_; }
    TMouseWheelEvent OnMouseWheel;
    // Hands OnMouseWheel to the wheel fix (and to its hook while active).
    void Loaded();

    TInternetFeatures InternetFeatures() const { return features_; }
    // Writes each switch to URLMON for this process (nothing for an empty set).
    void SetInternetFeatures(TInternetFeatures features);

private:
    TMouseWheelFix mouseWheelFix_;
    TFocusControl focusControl_;
    TInternetFeatures features_;
};

// The browser host's start-up and shutdown: the first saves the FPU control
// word, initialises OLE and activates a TBhControl's focus control and wheel
// fix; the second undoes each of its own changes (the process's proxy, the
// click sound, the FPU word, OLE, the hooks and the loaded libraries).
class TBrowserHostUnit {
public:
    TBrowserHostUnit();
    ~TBrowserHostUnit();
    TBrowserHostUnit(const TBrowserHostUnit&) = delete;
    TBrowserHostUnit& operator=(const TBrowserHostUnit&) = delete;
    TBhControl& Control() { return *control_; }

private:
    bool oleInitialized_ = false;
    std::unique_ptr<TBhControl> control_;
};

}  // namespace ad::browser
