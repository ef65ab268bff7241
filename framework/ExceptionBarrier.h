// The one exception barrier: every window procedure, hook, timer callback and
// thread entry runs its body through Guarded, so no C++ exception ever crosses
// a Win32 callback. What is caught goes to the sink the application installs
// (its error box, posted to the GUI thread when caught on another thread);
// without a sink its message goes to the debugger's output.
#pragma once

#include <exception>
#include <utility>

namespace ad {

// Receives what the barrier catches; may be called on any thread.
using CallbackExceptionSink = void (*)(std::exception_ptr e);

// Installs the sink (null: back to the debugger's output) and returns the one
// it replaces.
CallbackExceptionSink SetCallbackExceptionSink(CallbackExceptionSink sink) noexcept;

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
