// Items a worker thread finds, handed to the GUI thread in batches: the worker
// puts a batch and asks for a take only when none is asked for yet, so the GUI
// thread gets one message per batch at most and never waits for the worker.
// With a TBackgroundWorker, the ask is a ReportFeedback whose handler Takes.
#pragma once

#include <iterator>
#include <mutex>
#include <utility>
#include <vector>

namespace ad {

template <class T>
class THandOver {
public:
    // Worker: moves the items in (the batch is left empty); true when the GUI
    // thread must be asked to take them.
    bool Put(std::vector<T>& batch) {
        std::lock_guard<std::mutex> lock(mutex_);
        std::move(batch.begin(), batch.end(), std::back_inserter(waiting_));
        batch.clear();
        bool ask = !asked_ && !waiting_.empty();
        if (ask) asked_ = true;
        return ask;
    }
    // GUI thread: everything waiting, in the order put.
    std::vector<T> Take() {
        std::vector<T> items;
        std::lock_guard<std::mutex> lock(mutex_);
        items.swap(waiting_);
        asked_ = false;
        return items;
    }

private:
    std::mutex mutex_;
    std::vector<T> waiting_;
    bool asked_ = false;
};

}  // namespace ad
