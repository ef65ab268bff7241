// The exception barrier's sink.
#include "framework/ExceptionBarrier.h"

#include <windows.h>

#include "framework/Forms.h"

namespace ad {

void HandleCallbackException(std::exception_ptr e) noexcept {
    try {
        if (Application) {
            Application->HandleException(e);
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
