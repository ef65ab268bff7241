// The exception barrier's sink: what Guarded catches goes to the installed
// sink, the application installs its error box, and without a sink (or with
// one that fails itself) nothing escapes.
#include "framework/ExceptionBarrier.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Forms.h"

namespace ad {
namespace {

std::vector<std::string> g_caught;

void RecordingSink(std::exception_ptr e) { g_caught.push_back(TApplication::ExceptionMessage(e)); }
void FailingSink(std::exception_ptr) { throw std::runtime_error("the sink failed too"); }

// Installs a sink for one test and puts the previous one back.
class SinkForTest {
public:
    explicit SinkForTest(CallbackExceptionSink sink) : previous_(SetCallbackExceptionSink(sink)) { g_caught.clear(); }
    ~SinkForTest() { SetCallbackExceptionSink(previous_); }
    CallbackExceptionSink Previous() const { return previous_; }

private:
    CallbackExceptionSink previous_;
};

// Counts what reaches the application's error box.
class ErrorBoxCount {
public:
    ErrorBoxCount() : saved_(Application->OnException) {
        Application->OnException = [this](TObject*, const std::exception_ptr&) { ++count; };
    }
    ~ErrorBoxCount() { Application->OnException = saved_; }
    int count = 0;

private:
    TExceptionEvent saved_;
};

TEST(ExceptionBarrier, WhatGuardedCatchesGoesToTheInstalledSink) {
    ErrorBoxCount errorBox;
    SinkForTest sink(&RecordingSink);
    EXPECT_TRUE(Guarded([] {}));
    EXPECT_FALSE(Guarded([] { throw Exception("handler failed"); }));
    EXPECT_FALSE(Guarded([] { throw 42; }));
    EXPECT_EQ(g_caught, (std::vector<std::string>{"handler failed", "Unknown exception"}));
    EXPECT_EQ(errorBox.count, 0);  // the application's sink was replaced
}

TEST(ExceptionBarrier, WithoutASinkOrWithAFailingOneNothingEscapes) {
    ErrorBoxCount errorBox;
    for (CallbackExceptionSink s : {CallbackExceptionSink(nullptr), &FailingSink}) {
        SinkForTest sink(s);
        EXPECT_FALSE(Guarded([] { throw std::runtime_error("lost to the debugger's output"); }));
        EXPECT_FALSE(Guarded([] { throw 1; }));
    }
    EXPECT_EQ(errorBox.count, 0);
}

TEST(ExceptionBarrier, TheApplicationInstallsItsErrorBoxOnce) {
    ErrorBoxCount errorBox;
    EXPECT_FALSE(Guarded([] { throw Exception("shown"); }));
    EXPECT_EQ(errorBox.count, 1);
    CallbackExceptionSink applications = SinkForTest(nullptr).Previous();
    ASSERT_NE(applications, nullptr);
    {
        TApplication second;  // not the application object: installs nothing
        SinkForTest probe(nullptr);
        EXPECT_EQ(probe.Previous(), applications);
    }
    EXPECT_FALSE(Guarded([] { throw Exception("still shown"); }));
    EXPECT_EQ(errorBox.count, 2);
}

}  // namespace
}  // namespace ad
