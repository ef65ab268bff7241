// The pool of COM threads.
#include "framework/ComThreadPool.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "framework/ComScope.h"
#include "framework/ExceptionBarrier.h"

namespace ad {

TComThreadPool::TComThreadPool(unsigned threads) : threads_(threads) {}

TComThreadPool::~TComThreadPool() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    work_.notify_all();
    for (std::thread& t : helpers_) t.join();
}

unsigned TComThreadPool::DefaultThreads() {
    unsigned cores = std::thread::hardware_concurrency();
    return std::clamp(cores, 2u, 4u) - 1;
}

void TComThreadPool::ForEach(size_t count, const std::function<void(size_t)>& step) {
    if (count == 0) return;
    std::unique_lock<std::mutex> lock(mutex_);
    // Started at the first job with more than one step; a thread that cannot
    // be started leaves the work to the others.
    if (count > 1 && helpers_.size() < threads_) {
        lock.unlock();
        try {
            while (helpers_.size() < threads_) helpers_.emplace_back([this] { HelperBody(); });
        } catch (const std::system_error&) {
        }
        lock.lock();
    }
    step_ = &step;
    count_ = count;
    next_ = 0;
    ended_ = 0;
    failure_ = nullptr;
    work_.notify_all();
    RunSteps(lock);
    done_.wait(lock, [this] { return ended_ == count_; });
    step_ = nullptr;
    count_ = 0;
    if (std::exception_ptr failure = std::exchange(failure_, nullptr)) std::rethrow_exception(failure);
}

void TComThreadPool::RunSteps(std::unique_lock<std::mutex>& lock) {
    while (next_ < count_) {
        size_t i = next_++;
        const std::function<void(size_t)>& step = *step_;
        lock.unlock();
        std::exception_ptr failure;
        try {
            step(i);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        ++ended_;
        if (failure) {
            if (!failure_) failure_ = failure;
            ended_ += count_ - next_;  // the steps not begun are skipped
            next_ = count_;
        }
        if (ended_ == count_) done_.notify_all();
    }
}

void TComThreadPool::HelperBody() {
    Guarded([this] {
        TComScope com;
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            work_.wait(lock, [this] { return stopping_ || next_ < count_; });
            if (stopping_) return;
            RunSteps(lock);
        }
    });
}

}  // namespace ad
