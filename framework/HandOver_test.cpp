// The batch hand-over between a worker thread and the GUI thread: one ask per
// take at most, nothing lost or reordered, batches emptied when put.
#include "framework/HandOver.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace ad {
namespace {

TEST(HandOverTest, AsksOncePerTakeAndKeepsTheOrder) {
    THandOver<int> handOver;
    std::vector<int> batch{1, 2};
    EXPECT_TRUE(handOver.Put(batch));  // the first batch asks for a take
    EXPECT_TRUE(batch.empty());
    batch = {3};
    EXPECT_FALSE(handOver.Put(batch));  // a take is already asked for
    EXPECT_EQ(handOver.Take(), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(handOver.Take().empty());
    std::vector<int> none;
    EXPECT_FALSE(handOver.Put(none));  // nothing waiting: nothing to ask for
    batch = {4};
    EXPECT_TRUE(handOver.Put(batch));  // the take reset the ask
}

TEST(HandOverTest, EveryItemArrivesOnceFromAnotherThread) {
    THandOver<int> handOver;
    constexpr int kItems = 20000;
    std::thread worker([&] {
        std::vector<int> batch;
        for (int i = 0; i < kItems; ++i) {
            batch.push_back(i);
            if (batch.size() == 7) handOver.Put(batch);
        }
        handOver.Put(batch);
    });
    std::vector<int> got;
    while (static_cast<int>(got.size()) < kItems) {
        for (int i : handOver.Take()) got.push_back(i);
        std::this_thread::yield();
    }
    worker.join();
    ASSERT_EQ(static_cast<int>(got.size()), kItems);
    for (int i = 0; i < kItems; ++i) ASSERT_EQ(got[i], i);
}

}  // namespace
}  // namespace ad
