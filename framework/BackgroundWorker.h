// TBackgroundWorker: runs one piece of work (OnWork) on a thread of its own and
// reports its end on the GUI thread (OnWorkComplete, with whether it was
// cancelled). Cancellation is cooperative: the owner asks, the work polls
// CancellationPending between its items and calls AcceptCancellation (or asks
// StopRequested, which does both).
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>

#include "framework/Component.h"
#include "base/Exception.h"
#include "framework/Handles.h"
#include "framework/UtilityWindow.h"

namespace ad {

AD_DECLARE_EXCEPTION(EBackgroundWorker, Exception);

class TBackgroundWorker;
using TWorkEvent = std::function<void(TBackgroundWorker* Worker)>;
using TWorkCompleteEvent = std::function<void(TBackgroundWorker* Worker, bool Cancelled)>;
using TWorkProgressEvent = std::function<void(TBackgroundWorker* Worker, int PercentDone)>;
using TWorkFeedbackEvent = std::function<void(TBackgroundWorker* Worker, int FeedbackID, int FeedbackValue)>;

// Messages the work posts to the worker's hidden window.
constexpr UINT WM_WORKER_FEEDBACK = WM_USER + 1;
constexpr UINT WM_WORKER_FEEDBACK_WAIT = WM_USER + 2;
constexpr UINT WM_WORKER_PROGRESS = WM_USER + 3;
constexpr UINT WM_WORKER_PROGRESS_WAIT = WM_USER + 4;
constexpr UINT WM_WORKER_SYNCHRONIZE = WM_USER + 5;
constexpr UINT WM_WORKER_DONE = WM_USER + 6;

class TBackgroundWorker : public TComponent {
public:
    explicit TBackgroundWorker(TComponent* AOwner);
    // Destroyed while working, the run is cancelled and waited for (the work
    // must not go on against freed state), and the owner's omission is shown
    // in the error box.
    ~TBackgroundWorker() override;

    bool IsWorking() const { return working_; }
    DWORD WorkerThreadID() const { return threadId_; }
    // Raises EBackgroundWorker when a run is going on.
    void Start();
    // Asks the work to stop; returns IsWorking().
    bool Cancel();
    // Handles only this worker's messages until the run has ended; returns IsWorking() (false).
    bool WaitFor();
    // Cancels a run that is going on and waits until it has ended; nothing when idle.
    void CancelAndWait();
    // Called by the work when it sees CancellationPending; raises on any other thread.
    void AcceptCancellation();
    bool CancellationPending() const { return cancellationPending_; }
    // For the work's polls: true, with the cancellation accepted, when a stop
    // was asked for; false otherwise.
    bool StopRequested();
    bool Cancelled() const { return cancelled_; }

    // Reports from the work, handled on the GUI thread; the ...Wait variants and
    // Synchronize return once the GUI thread has handled them.
    void ReportFeedback(int id, int value);
    void ReportFeedbackWait(int id, int value);
    void ReportProgress(int percent);
    void ReportProgressWait(int percent);
    void Synchronize(const std::function<void()>& call);

    int Priority = THREAD_PRIORITY_NORMAL;
    // Set, the worker's thread initialises COM before the work and
    // uninitialises it after: for work that asks the shell or uses COM objects.
    bool InitializesCom = false;
    TWorkEvent OnWork;
    TWorkCompleteEvent OnWorkComplete;
    TWorkProgressEvent OnWorkProgress;
    TWorkFeedbackEvent OnWorkFeedback;

protected:
    virtual void DoWork();
    virtual void DoWorkComplete(bool cancelled);
    virtual void DoWorkProgress(int percent);
    virtual void DoWorkFeedback(int id, int value);

private:
    static unsigned __stdcall ThreadBody(void* self);
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void FinishRun();
    void PostAndWait(UINT msg, WPARAM wParam, LPARAM lParam, const OwnedKernelHandle& event);

    std::unique_ptr<TUtilityWindow> window_;
    OwnedKernelHandle thread_;
    OwnedKernelHandle syncEvent_, feedbackEvent_, progressEvent_;
    std::atomic<DWORD> threadId_{0};
    std::atomic<bool> working_{false};
    std::atomic<bool> cancellationPending_{false};
    std::atomic<bool> cancelled_{false};
};

}  // namespace ad
