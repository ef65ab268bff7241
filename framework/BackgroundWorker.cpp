// The background worker component.
#include "framework/BackgroundWorker.h"

#include <process.h>

#include <optional>

#include "framework/ComScope.h"
#include "framework/ExceptionBarrier.h"
#include "framework/SysUtils.h"

namespace ad {

TBackgroundWorker::TBackgroundWorker(TComponent* AOwner) : TComponent(AOwner) {
    window_ = std::make_unique<TUtilityWindow>(
        [this](UINT msg, WPARAM w, LPARAM l, LRESULT& r) { return HandleMessage(msg, w, l, r); });
}

TBackgroundWorker::~TBackgroundWorker() {
    BeginDestroy();
    if (!working_) return;
    CancelAndWait();
    HandleCallbackException(std::make_exception_ptr(
        EBackgroundWorker(Format("Before closing the application, '%s' must be stopped", Name.c_str()))));
}

void TBackgroundWorker::Start() {
    if (working_)
        throw EBackgroundWorker(Format("The background worker named '%s' is already running", Name.c_str()));
    cancelled_ = false;
    cancellationPending_ = false;
    for (OwnedKernelHandle* e : {&syncEvent_, &feedbackEvent_, &progressEvent_})
        e->Reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    working_ = true;
    unsigned id = 0;
    HANDLE h = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &TBackgroundWorker::ThreadBody, this, 0, &id));
    if (!h) {
        DWORD error = ::GetLastError();
        FinishRun();
        RaiseOSError(error ? error : ERROR_NOT_ENOUGH_MEMORY);
    }
    thread_.Reset(h);
    threadId_ = id;
}

unsigned __stdcall TBackgroundWorker::ThreadBody(void* param) {
    auto* self = static_cast<TBackgroundWorker*>(param);
    self->threadId_ = ::GetCurrentThreadId();
    ::SetThreadPriority(::GetCurrentThread(), self->Priority);
    HWND window = self->window_->Handle();
    try {
        std::optional<TComScope> com;
        if (self->InitializesCom) com.emplace();
        self->DoWork();
    } catch (...) {
        // A failing work ends as cancelled; its error goes to the error box.
        self->cancelled_ = true;
        self->cancellationPending_ = false;
        HandleCallbackException(std::current_exception());
    }
    ::PostMessageW(window, WM_WORKER_DONE, self->cancelled_ ? 1 : 0, 0);
    return 0;
}

bool TBackgroundWorker::Cancel() {
    if (working_) cancellationPending_ = true;
    return working_;
}

void TBackgroundWorker::CancelAndWait() {
    if (Cancel()) WaitFor();
}

bool TBackgroundWorker::WaitFor() {
    HWND window = window_->Handle();
    while (working_) {
        MSG msg;
        if (::PeekMessageW(&msg, window, 0, 0, PM_REMOVE)) {
            ::DispatchMessageW(&msg);
            continue;
        }
        // Nothing for this window yet: sleep until something is posted or the thread ends.
        HANDLE h = thread_.Get();
        ::MsgWaitForMultipleObjects(h ? 1 : 0, h ? &h : nullptr, FALSE, 50, QS_POSTMESSAGE);
    }
    return working_;
}

void TBackgroundWorker::AcceptCancellation() {
    if (::GetCurrentThreadId() != threadId_)
        throw EBackgroundWorker(
            Format("You must call '%s.%s' only inside the OnWork event handler", Name.c_str(), "AcceptCancellation"));
    cancelled_ = true;
    cancellationPending_ = false;
}

bool TBackgroundWorker::StopRequested() {
    if (!cancellationPending_) return false;
    AcceptCancellation();
    return true;
}

void TBackgroundWorker::FinishRun() {
    if (thread_) ::WaitForSingleObject(thread_.Get(), INFINITE);
    thread_.Reset();
    threadId_ = 0;
    syncEvent_.Reset();
    feedbackEvent_.Reset();
    progressEvent_.Reset();
    working_ = false;
}

void TBackgroundWorker::PostAndWait(UINT msg, WPARAM wParam, LPARAM lParam, const OwnedKernelHandle& event) {
    if (::PostMessageW(window_->Handle(), msg, wParam, lParam)) ::WaitForSingleObject(event.Get(), INFINITE);
}

void TBackgroundWorker::ReportFeedback(int id, int value) {
    ::PostMessageW(window_->Handle(), WM_WORKER_FEEDBACK, static_cast<WPARAM>(id), value);
}
void TBackgroundWorker::ReportFeedbackWait(int id, int value) {
    PostAndWait(WM_WORKER_FEEDBACK_WAIT, static_cast<WPARAM>(id), value, feedbackEvent_);
}
void TBackgroundWorker::ReportProgress(int percent) {
    ::PostMessageW(window_->Handle(), WM_WORKER_PROGRESS, static_cast<WPARAM>(percent), 0);
}
void TBackgroundWorker::ReportProgressWait(int percent) {
    PostAndWait(WM_WORKER_PROGRESS_WAIT, static_cast<WPARAM>(percent), 0, progressEvent_);
}
void TBackgroundWorker::Synchronize(const std::function<void()>& call) {
    PostAndWait(WM_WORKER_SYNCHRONIZE, reinterpret_cast<WPARAM>(&call), 0, syncEvent_);
}

bool TBackgroundWorker::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    // The work waits for the ...WAIT messages: it is released even when a handler fails.
    struct Signal {
        HANDLE event;
        ~Signal() {
            if (event) ::SetEvent(event);
        }
    };
    switch (msg) {
        case WM_WORKER_FEEDBACK:
            DoWorkFeedback(static_cast<int>(wParam), static_cast<int>(lParam));
            return true;
        case WM_WORKER_FEEDBACK_WAIT: {
            Signal s{feedbackEvent_.Get()};
            DoWorkFeedback(static_cast<int>(wParam), static_cast<int>(lParam));
            return true;
        }
        case WM_WORKER_PROGRESS:
            DoWorkProgress(static_cast<int>(wParam));
            return true;
        case WM_WORKER_PROGRESS_WAIT: {
            Signal s{progressEvent_.Get()};
            DoWorkProgress(static_cast<int>(wParam));
            return true;
        }
        case WM_WORKER_SYNCHRONIZE: {
            Signal s{syncEvent_.Get()};
            if (auto* call = reinterpret_cast<const std::function<void()>*>(wParam); call && *call) (*call)();
            return true;
        }
        case WM_WORKER_DONE:
            FinishRun();
            DoWorkComplete(wParam != 0);
            return true;
        default: return false;
    }
}

void TBackgroundWorker::DoWork() {
    if (OnWork) OnWork(this);
}
void TBackgroundWorker::DoWorkComplete(bool cancelled) {
    if (OnWorkComplete && !Destroying()) OnWorkComplete(this, cancelled);
}
void TBackgroundWorker::DoWorkProgress(int percent) {
    if (OnWorkProgress && !Destroying()) OnWorkProgress(this, percent);
}
void TBackgroundWorker::DoWorkFeedback(int id, int value) {
    if (OnWorkFeedback && !Destroying()) OnWorkFeedback(this, id, value);
}

}  // namespace ad
