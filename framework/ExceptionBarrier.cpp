// The exception barrier's hand-over to the installed sink.
#include "framework/ExceptionBarrier.h"

#include <windows.h>

#include <atomic>

namespace ad {

namespace {

std::atomic<CallbackExceptionSink>& InstalledSink() {
    static std::atomic<CallbackExceptionSink> sink{nullptr};
    return sink;
}

}  // namespace

CallbackExceptionSink SetCallbackExceptionSink(CallbackExceptionSink sink) noexcept {
    return InstalledSink().exchange(sink);
}

void HandleCallbackException(std::exception_ptr e) noexcept {
    try {
        if (CallbackExceptionSink sink = InstalledSink().load()) {
            sink(e);
            return;
        }
        std::rethrow_exception(e);
    } catch (const std::exception& ex) {
        ::OutputDebugStringA(ex.what());
    } catch (...) {
        ::OutputDebugStringA("Unknown exception in a callback");
    }
}

}  // namespace ad
