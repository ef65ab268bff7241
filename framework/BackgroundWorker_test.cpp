// The background worker: work on its own thread, completion and reports on the
// GUI thread, cooperative cancellation, failures and misuse.
#include "framework/BackgroundWorker.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

#include "framework/Forms.h"
#include "testsupport/GuiTest.h"

namespace ad {
namespace {

class WorkerTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Application->OnException;
        Application->OnException = [this](TObject*, const std::exception_ptr& e) {
            errors.push_back(TApplication::ExceptionMessage(e));
        };
        worker = std::make_unique<TBackgroundWorker>(nullptr);
        worker->Name = "Worker";
        worker->OnWorkComplete = [this](TBackgroundWorker*, bool cancelled) {
            completions.push_back(cancelled);
            completedOn = ::GetCurrentThreadId();
        };
    }
    void TearDown() override {
        worker.reset();
        Application->OnException = saved_;
    }
    std::unique_ptr<TBackgroundWorker> worker;
    std::vector<bool> completions;
    std::vector<std::string> errors;
    DWORD completedOn = 0;

private:
    TExceptionEvent saved_;
};

TEST_F(WorkerTest, RunsTheWorkOnItsThreadAndCompletesOnTheGuiThread) {
    std::atomic<DWORD> workedOn{0};
    worker->OnWork = [&](TBackgroundWorker* w) {
        workedOn = ::GetCurrentThreadId();
        EXPECT_EQ(w->WorkerThreadID(), workedOn.load());
    };
    worker->Start();
    EXPECT_TRUE(worker->IsWorking());
    EXPECT_FALSE(worker->WaitFor());
    EXPECT_EQ(completions, std::vector<bool>{false});
    EXPECT_NE(workedOn.load(), ::GetCurrentThreadId());
    EXPECT_EQ(completedOn, ::GetCurrentThreadId());
    EXPECT_EQ(worker->WorkerThreadID(), 0u);
    EXPECT_FALSE(worker->Cancel());  // idle: nothing to cancel
    EXPECT_FALSE(worker->CancellationPending());
    // OnWorkComplete runs after the worker is idle again, so it may start the next run.
    int runs = 0;
    worker->OnWork = [&](TBackgroundWorker*) { runs++; };
    worker->OnWorkComplete = [&](TBackgroundWorker* w, bool) {
        if (runs == 1) w->Start();
    };
    worker->Start();
    EXPECT_TRUE(test::PumpUntil([&] { return runs == 2 && !worker->IsWorking(); }));
}

// What initialising COM once more answers inside the work: S_FALSE when the
// worker's thread has it already, S_OK when the work is the first to ask.
TEST_F(WorkerTest, ComIsInitialisedForTheWorkWhenAsked) {
    for (bool com : {false, true}) {
        HRESULT answer = E_FAIL;
        worker->InitializesCom = com;
        worker->OnWork = [&](TBackgroundWorker*) {
            answer = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            if (SUCCEEDED(answer)) ::CoUninitialize();
        };
        worker->Start();
        worker->WaitFor();
        EXPECT_EQ(answer, com ? S_FALSE : S_OK) << com;
    }
}

TEST_F(WorkerTest, CancellationIsCooperative) {
    struct Case {
        bool accepts;
        bool pollsStopRequested;  // instead of CancellationPending + AcceptCancellation
        bool expectCancelled;
        bool cancelAndWait;  // one call instead of Cancel + WaitFor
    } cases[] = {{true, false, true, false}, {false, false, false, false}, {true, true, true, false}, {true, true, true, true}};
    for (const auto& c : cases) {
        completions.clear();
        std::atomic<bool> started{false};
        worker->OnWork = [&](TBackgroundWorker* w) {
            started = true;
            if (c.pollsStopRequested) {
                while (!w->StopRequested()) ::Sleep(1);
                EXPECT_FALSE(w->CancellationPending());  // accepted
                return;
            }
            while (!w->CancellationPending()) ::Sleep(1);
            if (c.accepts) w->AcceptCancellation();
        };
        worker->Start();
        while (!started) ::Sleep(1);
        if (c.cancelAndWait) {
            worker->CancelAndWait();
            EXPECT_FALSE(worker->IsWorking());
        } else {
            EXPECT_TRUE(worker->Cancel());
            worker->WaitFor();
        }
        EXPECT_EQ(completions, std::vector<bool>{c.expectCancelled});
        EXPECT_EQ(worker->Cancelled(), c.expectCancelled);
    }
    completions.clear();
    worker->CancelAndWait();  // idle: nothing to stop, nothing completes
    EXPECT_TRUE(completions.empty());
}

TEST_F(WorkerTest, MisuseRaisesWithTheComponentName) {
    std::atomic<bool> release{false};
    worker->OnWork = [&](TBackgroundWorker*) {
        while (!release) ::Sleep(1);
    };
    worker->Start();
    try {
        worker->Start();
        ADD_FAILURE() << "second Start did not raise";
    } catch (const EBackgroundWorker& e) {
        EXPECT_EQ(e.Message, "The background worker named 'Worker' is already running");
    }
    try {
        worker->AcceptCancellation();  // on the GUI thread
        ADD_FAILURE() << "AcceptCancellation did not raise";
    } catch (const EBackgroundWorker& e) {
        EXPECT_EQ(e.Message, "You must call 'Worker.AcceptCancellation' only inside the OnWork event handler");
    }
    release = true;
    worker->WaitFor();
}

TEST_F(WorkerTest, AFailingWorkIsShownAndEndsAsCancelled) {
    worker->OnWork = [](TBackgroundWorker*) { throw Exception("disk on fire"); };
    worker->Start();
    worker->WaitFor();
    EXPECT_EQ(completions, std::vector<bool>{true});
    ASSERT_TRUE(test::PumpUntil([&] { return !errors.empty(); }));
    EXPECT_EQ(errors[0], "disk on fire");
}

TEST_F(WorkerTest, ReportsAndSynchronisedCallsRunOnTheGuiThread) {
    std::vector<int> progress;
    std::vector<std::pair<int, int>> feedback;
    std::vector<DWORD> threads;
    worker->OnWorkProgress = [&](TBackgroundWorker*, int p) {
        progress.push_back(p);
        threads.push_back(::GetCurrentThreadId());
    };
    worker->OnWorkFeedback = [&](TBackgroundWorker*, int id, int v) { feedback.emplace_back(id, v); };
    int synchronised = 0;
    worker->OnWork = [&](TBackgroundWorker* w) {
        w->ReportProgressWait(10);
        w->ReportFeedbackWait(1, 2);
        w->Synchronize([&] { synchronised = static_cast<int>(::GetCurrentThreadId()); });
        w->ReportProgress(100);
    };
    worker->Start();
    worker->WaitFor();
    EXPECT_EQ(progress, (std::vector<int>{10, 100}));
    EXPECT_EQ(feedback, (std::vector<std::pair<int, int>>{{1, 2}}));
    EXPECT_EQ(synchronised, static_cast<int>(::GetCurrentThreadId()));
    for (DWORD t : threads) EXPECT_EQ(t, ::GetCurrentThreadId());
}

TEST_F(WorkerTest, DestroyedWhileWorkingStopsTheWorkFirst) {
    std::atomic<bool> started{false}, stopped{false};
    worker->OnWork = [&](TBackgroundWorker* w) {
        started = true;
        while (!w->CancellationPending()) ::Sleep(1);
        w->AcceptCancellation();
        stopped = true;
    };
    worker->Start();
    while (!started) ::Sleep(1);
    worker.reset();
    EXPECT_TRUE(stopped);  // the thread ended before the component was gone
    EXPECT_TRUE(completions.empty());  // no events from a component being destroyed
    ASSERT_TRUE(test::PumpUntil([&] { return !errors.empty(); }));
    EXPECT_EQ(errors[0], "Before closing the application, 'Worker' must be stopped");
}

}  // namespace
}  // namespace ad
