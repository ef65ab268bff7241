// The window walks: which windows they list, stopping early, and a visitor
// that throws, whose exception ends the walk at the barrier.
#include "framework/WindowEnum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "framework/ExceptionBarrier.h"
#include "framework/Forms.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"

namespace ad {
namespace {

bool Has(const std::vector<HWND>& list, HWND wnd) { return std::find(list.begin(), list.end(), wnd) != list.end(); }

int g_caught = 0;

TEST(WindowEnum, ThreadWalkListsTopLevelWindowsAndChildWalkTheWindowsBelow) {
    TForm first(nullptr), second(nullptr);
    auto* panel = new TPanel(&first);
    panel->SetParent(&first);
    auto* button = new TButton(panel);
    button->SetParent(panel);
    for (HWND wnd : {first.Handle(), second.Handle(), panel->Handle(), button->Handle()}) ASSERT_TRUE(wnd);
    const std::vector<HWND> top = ThreadWindows();
    EXPECT_TRUE(Has(top, first.Handle()));
    EXPECT_TRUE(Has(top, second.Handle()));
    EXPECT_FALSE(Has(top, panel->Handle()));
    const std::vector<HWND> below = ChildWindows(first.Handle());
    EXPECT_TRUE(Has(below, panel->Handle()));
    EXPECT_TRUE(Has(below, button->Handle()));  // grandchildren too
    EXPECT_TRUE(ChildWindows(second.Handle()).empty());
    // Another thread's windows are not this thread's.
    EXPECT_TRUE(ThreadWindows(::GetCurrentThreadId() + 1000000).empty());
}

TEST(WindowEnum, AVisitorStopsTheWalkOrThrowsIntoTheBarrier) {
    TForm form(nullptr);
    for (int i = 0; i < 3; ++i) {
        auto* button = new TButton(&form);
        button->SetParent(&form);
        button->Handle();
    }
    int visits = 0;
    EXPECT_TRUE(ForEachChildWindow(form.Handle(), [&](HWND) { return ++visits < 2; }));
    EXPECT_EQ(visits, 2);

    g_caught = 0;
    const CallbackExceptionSink previous = SetCallbackExceptionSink([](std::exception_ptr) { ++g_caught; });
    visits = 0;
    const bool thread = ForEachThreadWindow(::GetCurrentThreadId(), [&](HWND) -> bool {
        ++visits;
        throw std::runtime_error("visitor failed");
    });
    const bool children = ForEachChildWindow(form.Handle(), [&](HWND) -> bool { throw std::runtime_error("again"); });
    SetCallbackExceptionSink(previous);
    EXPECT_FALSE(thread);
    EXPECT_FALSE(children);
    EXPECT_EQ(visits, 1);  // the exception ended the walk
    EXPECT_EQ(g_caught, 2);
}

}  // namespace
}  // namespace ad
