// The pool of COM threads: every step runs once, side by side on several
// threads that each have COM, and a failing step's exception reaches the caller.
#include "framework/ComThreadPool.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

namespace ad {
namespace {

TEST(ComThreadPoolTest, EveryStepRunsOnceOnThreadsThatHaveCom) {
    TComThreadPool pool(3);
    for (size_t count : {size_t(0), size_t(1), size_t(40)}) {
        std::vector<std::atomic<int>> runs(count);
        std::mutex m;
        std::set<std::thread::id> threads;
        std::atomic<bool> allHadCom{true};
        pool.ForEach(count, [&](size_t i) {
            // S_FALSE: COM was initialised already, in the same (apartment) model.
            HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            if (hr != S_FALSE) allHadCom = false;
            if (SUCCEEDED(hr)) ::CoUninitialize();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));  // the steps overlap
            ++runs[i];
            std::lock_guard<std::mutex> lock(m);
            threads.insert(std::this_thread::get_id());
        });
        for (size_t i = 0; i < count; ++i) EXPECT_EQ(runs[i], 1) << count << " " << i;
        EXPECT_TRUE(allHadCom) << count;
        if (count == 40) {
            EXPECT_GT(threads.size(), 1u);
        }
    }
}

TEST(ComThreadPoolTest, AFailingStepEndsTheJobAndItsErrorReachesTheCaller) {
    TComThreadPool pool(2);
    std::atomic<int> ran{0};
    EXPECT_THROW(pool.ForEach(1000,
                              [&](size_t i) {
                                  ++ran;
                                  if (i == 3) throw std::runtime_error("step 3");
                                  std::this_thread::sleep_for(std::chrono::milliseconds(1));
                              }),
                 std::runtime_error);
    EXPECT_LT(ran, 1000);  // the steps not begun were skipped
    // The pool takes the next job.
    std::atomic<int> again{0};
    pool.ForEach(10, [&](size_t) { ++again; });
    EXPECT_EQ(again, 10);
}

}  // namespace
}  // namespace ad
