// The one exception barrier: every window procedure, hook, timer callback and
// thread entry runs its body through Guarded, so no C++ exception ever crosses
// a Win32 callback. What is caught goes to the application's error box (posted
// to the GUI thread when caught on another thread).
#pragma once

#include <exception>
#include <utility>

namespace ad {

void HandleCallbackException(std::exception_ptr e) noexcept;

// Runs f; returns false when it threw (the exception has then been handed on).
template <class F>
bool Guarded(F&& f) noexcept {
    try {
        std::forward<F>(f)();
        return true;
    } catch (...) {
        HandleCallbackException(std::current_exception());
        return false;
    }
}

}  // namespace ad
