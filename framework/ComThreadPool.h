// A small pool of threads, each with COM initialised for its whole life, that
// run the steps of one job side by side with the calling thread: for lookups
// such as the shell's icons, which take a millisecond or two each and mostly
// wait. The threads start at the first job and end with the pool.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace ad {

class TComThreadPool {
public:
    // threads: the helpers besides the caller (0: the caller alone).
    explicit TComThreadPool(unsigned threads);
    ~TComThreadPool();
    TComThreadPool(const TComThreadPool&) = delete;
    TComThreadPool& operator=(const TComThreadPool&) = delete;

    // Runs step(i) once for every i below count, on the helpers and the calling
    // thread, and returns when every step has ended. When a step raises, the
    // steps not yet begun are skipped and the first exception is raised here.
    void ForEach(size_t count, const std::function<void(size_t)>& step);

    // The helpers a pool for shell lookups gets on this machine.
    static unsigned DefaultThreads();

private:
    void HelperBody();
    // Takes and runs steps of the current job until none is left.
    void RunSteps(std::unique_lock<std::mutex>& lock);

    unsigned threads_;
    std::vector<std::thread> helpers_;
    std::mutex mutex_;
    std::condition_variable work_;  // a job began, or the pool ends
    std::condition_variable done_;  // a step ended
    const std::function<void(size_t)>* step_ = nullptr;
    size_t count_ = 0;
    size_t next_ = 0;
    size_t ended_ = 0;
    std::exception_ptr failure_;
    bool stopping_ = false;
};

}  // namespace ad
